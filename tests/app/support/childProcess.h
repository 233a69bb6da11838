#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace TarnTest {

// What one run of a program left behind.
struct ChildResult
{
    bool started = false;
    bool exitedNormally = false; // false: killed by a signal or by the time limit
    bool timedOut = false;
    int exitStatus = -1;         // 0..255 when exitedNormally
    QByteArray standardOutput;
    QByteArray standardError;
    qint64 wallTimeNs = 0;
    long peakMemoryKb = 0;       // the child's own peak resident set size
};

// The environment of a machine without any display: no X11 or Wayland
// display and no Qt platform override, so the program has to do without.
QProcessEnvironment headlessEnvironment();

// Runs a program to its end (or kills it after timeoutMs) and measures its
// wall time and its own peak memory, which a QProcess cannot report.
ChildResult runChild(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
                     int timeoutMs);

// The program built beside the tests (TARN_BUILD_BIN, else this program's own
// folder), or an empty string.
QString builtProgram(const QString& name);

} // namespace TarnTest
