#pragma once

#include <QStringList>
#include <QTextStream>

namespace Kel::Pb::Configuration {
class File;
}

namespace QKel::FrcTool {

// The commands of the ".frc" tool: dump, check, build, new, diff, get and set. Output goes to
// `out`, diagnostics to `err`; run() returns the process exit code. dump and
// diff take "--mask" to print passwords, keys and PINs masked.
class FrcTool
{
public:
    FrcTool(QTextStream& out, QTextStream& err);

    int run(const QStringList& commandLine);

    static const QString USAGE;

private:
    int dump(const QString& path, bool mask);
    int check(const QString& path);
    int build(const QString& textPath, const QString& path);
    int createNew(const QString& productId, const QString& path);
    int diff(const QString& pathA, const QString& pathB, bool mask);
    int get(const QString& path, const QStringList& leafPaths);
    int set(const QString& in, const QString& out, const QStringList& assignments);

    // Reads a file the configurator loads; otherwise one line and false.
    bool readValid(const QString& path, Kel::Pb::Configuration::File* record);
    int refuse(const QString& message);

    bool readFile(const QString& path, QByteArray* bytes);
    bool writeFile(const QString& path, const QByteArray& bytes);
    int fail(const QString& message);

    QTextStream& mOut;
    QTextStream& mErr;
};

} // namespace QKel::FrcTool
