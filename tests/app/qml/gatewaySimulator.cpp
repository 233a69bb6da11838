#include "gatewaySimulator.h"

#include "device/abstractDevice.h"
#include "stateMachine.h"

#include <KZip>

#include <QDir>
#include <QGuiApplication>
#include <QWindow>
#include <QFile>

GatewaySimulator::GatewaySimulator(QObject* parent)
    : QObject(parent)
    , mProcess(mDir.filePath(QStringLiteral("stored.frc")))
{
}

bool GatewaySimulator::start(QString* errorText)
{
    QFile spare(sparePortPath());
    return spare.open(QIODevice::WriteOnly) && mProcess.start({}, errorText);
}

void GatewaySimulator::stop()
{
    mProcess.stop();
}

bool GatewaySimulator::restart(const QStringList& options)
{
    mProcess.stop();
    QString errorText;
    if (mProcess.start(options, &errorText))
        return true;
    qWarning("The gateway simulator did not start again: %s", qPrintable(errorText));
    return false;
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

QString GatewaySimulator::sparePortPath() const
{
    return mDir.filePath(QStringLiteral("spare-port"));
}

QString GatewaySimulator::makeScratchDirectory(const QString& name) const
{
    const QString path = mDir.filePath(name);
    return QDir().mkpath(path) ? path : QString();
}

QString GatewaySimulator::packedConfiguration() const
{
    auto* device = qobject_cast<QKel::Device::AbstractDevice*>(QKel::Sm::StateMachine::instance()->currentDevice());
    return device ? QString::fromLatin1(device->serializeToByteArray().toHex()) : QString();
}

bool GatewaySimulator::hasKeyboard(QObject* window) const
{
    return window && QGuiApplication::focusWindow() == window;
}

QString GatewaySimulator::archiveEntry(const QString& archivePath, const QString& name) const
{
    KZip zip(archivePath);
    if (!zip.open(QIODevice::ReadOnly))
        return QString();
    const auto* entry = dynamic_cast<const KArchiveFile*>(zip.directory()->entry(name));
    return entry ? QString::fromUtf8(entry->data()) : QString();
}
