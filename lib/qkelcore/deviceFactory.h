#pragma once

#include <device/abstractDevice.h>

#include <QHash>
#include <QObject>
#include <QSharedPointer>
#include <QStringList>

namespace QKel::Device {

// The registry of device drivers: scans the "devices" directory beside the
// program once, keeps one prototype per driver plug-in and creates devices by
// product ID.
class DeviceFactory : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList supportedDeviceNames READ supportedDeviceNames CONSTANT)
    Q_PROPERTY(QStringList supportedDeviceProductIds READ supportedDeviceProductIds CONSTANT)

public:
    static DeviceFactory* instance();

    QSharedPointer<AbstractDevice> createDevice(const QString& productId);
    QStringList supportedDeviceNames() const;
    QStringList supportedDeviceProductIds() const;

    static const QString DRIVER_PATH_RELATIVE;

private:
    DeviceFactory();
    void loadDrivers();
    void loadDriver(const QString& path);
    void registerDriver(const QSharedPointer<AbstractDevice>& driver, const QString& path);

    static QSharedPointer<DeviceFactory> mInstance;

    QHash<QString, QSharedPointer<AbstractDevice>> mDrivers;
    QStringList mSupportedDeviceNames;
    QStringList mSupportedDeviceProductIds;
};

} // namespace QKel::Device
