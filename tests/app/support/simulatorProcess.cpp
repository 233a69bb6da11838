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
    mProcess.start(program, QStringList{QStringLiteral("--store"), mStoreFile} + options);
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
    mPortPath = QString::fromLocal8Bit(mProcess.readLine()).trimmed();
    return !mPortPath.isEmpty();
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
