#include "simulatorProcess.h"

#include "childProcess.h"

#include <QDeadlineTimer>

namespace TarnTest {

SimulatorProcess::SimulatorProcess(const QString& storeFile)
    : mStoreFile(storeFile)
{
}

SimulatorProcess::~SimulatorProcess()
{
    stop();
}

bool SimulatorProcess::start(const QStringList& options, QString* errorText)
{
    const QString program = builtProgram(QStringLiteral("tarn-gateway-sim"));
    if (program.isEmpty()) {
        *errorText = QStringLiteral("tarn-gateway-sim is not built");
        return false;
    }
    QStringList arguments = QStringList{QStringLiteral("--store"), mStoreFile} + options;
    const int linkAt = options.indexOf(QStringLiteral("--link"));
    QString link = linkAt >= 0 ? options.value(linkAt + 1) : mLinkDir.filePath(QStringLiteral("gateway"));
    if (linkAt < 0)
        arguments << QStringLiteral("--link") << link;
    mProcess.start(program, arguments);
    if (!mProcess.waitForStarted(5000)) {
        *errorText = mProcess.errorString();
        return false;
    }
    while (!mProcess.canReadLine()) {
        if (!mProcess.waitForReadyRead(5000)) {
            *errorText = QStringLiteral("the simulator named no terminal: ")
                + QString::fromLocal8Bit(mProcess.readAllStandardError());
            return false;
        }
    }
    if (QString::fromLocal8Bit(mProcess.readLine()).trimmed().isEmpty())
        return false;
    mPortPath = link;
    return true;
}

QString SimulatorProcess::portPath() const
{
    return mPortPath;
}

bool SimulatorProcess::waitForLog(const QByteArray& text, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    mProcess.setReadChannel(QProcess::StandardError);
    while (!(mLog += mProcess.readAllStandardError()).contains(text)) {
        if (deadline.hasExpired() || !mProcess.waitForReadyRead(int(deadline.remainingTime())))
            return (mLog += mProcess.readAllStandardError()).contains(text);
    }
    return true;
}

QByteArray SimulatorProcess::log()
{
    return mLog += mProcess.readAllStandardError();
}

QByteArray SimulatorProcess::takeLog()
{
    QByteArray taken = log();
    mLog.clear();
    return taken;
}

QByteArray SimulatorProcess::stop()
{
    if (mProcess.state() != QProcess::NotRunning) {
        mProcess.terminate();
        if (!mProcess.waitForFinished(5000))
            mProcess.kill();
        mProcess.waitForFinished(1000);
    }
    return mLog += mProcess.readAllStandardError();
}

} // namespace TarnTest
