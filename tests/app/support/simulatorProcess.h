#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace TarnTest {

// The gateway simulator as a separate process on its own pseudo-terminal,
// storing every configuration written to it in a file.
class SimulatorProcess
{
public:
    explicit SimulatorProcess(const QString& storeFile);
    ~SimulatorProcess();

    // Starts the simulator with extra options (faults, pacing) and waits for
    // its terminal.
    bool start(const QStringList& options, QString* errorText);
    // The port to offer: a link to the terminal (the caller's own, given with
    // "--link", or one in a directory of this object's). A port closed by a
    // hang-up is free for any pseudo-terminal opened next on the machine, but
    // the link goes before it, so reopening it never reaches another test's.
    QString portPath() const;

    // Waits until the simulator's log holds `text`; false after timeoutMs.
    bool waitForLog(const QByteArray& text, int timeoutMs);

    // The log so far, without waiting (the caller's event loop delivers it).
    QByteArray log();

    // The log so far, which is then forgotten: a long run keeps only the
    // latest part.
    QByteArray takeLog();

    // Ends the simulator and returns its log (one line per received command).
    QByteArray stop();

private:
    QProcess mProcess;
    QByteArray mLog;
    QString mStoreFile;
    QString mPortPath;
    QTemporaryDir mLinkDir;
};

} // namespace TarnTest
