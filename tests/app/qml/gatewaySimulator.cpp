#include "gatewaySimulator.h"

#include <QDir>

GatewaySimulator::GatewaySimulator(QObject* parent)
    : QObject(parent)
    , mProcess(mDir.filePath(QStringLiteral("stored.frc")))
{
}

bool GatewaySimulator::start(QString* errorText)
{
    return mProcess.start({}, errorText);
}

QString GatewaySimulator::portPath() const
{
    return mProcess.portPath();
}

QString GatewaySimulator::storeFile() const
{
    return mDir.filePath(QStringLiteral("stored.frc"));
}

QString GatewaySimulator::log()
{
    return QString::fromLocal8Bit(mProcess.log());
}

QString GatewaySimulator::scratchPath(const QString& name) const
{
    return mDir.filePath(name);
}

QString GatewaySimulator::makeScratchDirectory(const QString& name) const
{
    const QString path = mDir.filePath(name);
    return QDir().mkpath(path) ? path : QString();
}
