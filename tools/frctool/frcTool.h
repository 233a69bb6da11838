#pragma once

#include <QStringList>
#include <QTextStream>

namespace QKel::FrcTool {

// The commands of the ".frc" tool: dump, check, build and new. Output goes to
// `out`, diagnostics to `err`; run() returns the process exit code.
class FrcTool
{
public:
    FrcTool(QTextStream& out, QTextStream& err);

    int run(const QStringList& arguments);

    static const QString USAGE;

private:
    int dump(const QString& path);
    int check(const QString& path);
    int build(const QString& textPath, const QString& path);
    int createNew(const QString& productId, const QString& path);

    bool readFile(const QString& path, QByteArray* bytes);
    bool writeFile(const QString& path, const QByteArray& bytes);
    int fail(const QString& message);

    QTextStream& mOut;
    QTextStream& mErr;
};

} // namespace QKel::FrcTool
