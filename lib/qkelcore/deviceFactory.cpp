#include "deviceFactory.h"

#include <QCoreApplication>
#include <QDir>
#include <QPluginLoader>
#include <QtDebug>

namespace QKel::Device {

QSharedPointer<DeviceFactory> DeviceFactory::mInstance;
const QString DeviceFactory::DRIVER_PATH_RELATIVE = QStringLiteral("devices");

DeviceFactory* DeviceFactory::instance()
{
    if (!mInstance)
        mInstance.reset(new DeviceFactory);
    return mInstance.data();
}

DeviceFactory::DeviceFactory()
    : QObject(nullptr)
{
    loadDrivers();
}

QSharedPointer<AbstractDevice> DeviceFactory::createDevice(const QString& productId)
{
    const auto it = mDrivers.constFind(productId);
    if (it == mDrivers.constEnd()) {
        qWarning() << "Could not find driver for product ID" << productId;
        return {};
    }
    if (!it.value()) {
        qWarning() << "Driver was NULL; cannot create device.";
        return {};
    }
    return it.value()->createNewInstance();
}

QStringList DeviceFactory::supportedDeviceNames() const
{
    return mSupportedDeviceNames;
}

QStringList DeviceFactory::supportedDeviceProductIds() const
{
    return mSupportedDeviceProductIds;
}

void DeviceFactory::loadDrivers()
{
    QDir dir(QCoreApplication::applicationDirPath());
    if (!dir.cd(DRIVER_PATH_RELATIVE))
        return;
    const QStringList patterns{QStringLiteral("*qkelferrow-*.dll"), QStringLiteral("*qkelferrow-*.so")};
    const QFileInfoList files = dir.entryInfoList(patterns, QDir::Files | QDir::NoSymLinks,
                                                  QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& file : files)
        loadDriver(file.absoluteFilePath());
}

void DeviceFactory::loadDriver(const QString& path)
{
    QPluginLoader loader(path);
    if (!loader.load()) {
        qWarning() << "Could not load driver from" << path << ":" << loader.errorString();
        return;
    }
    QObject* root = loader.instance();
    auto* driver = qobject_cast<AbstractDevice*>(root);
    if (!driver) {
        qWarning() << "Could not create driver instance from" << path;
        return;
    }
    // From here the shared pointer owns the prototype; when no product ID is
    // accepted it is destroyed with the last reference at the end of this call.
    registerDriver(QSharedPointer<AbstractDevice>(driver), path);
}

void DeviceFactory::registerDriver(const QSharedPointer<AbstractDevice>& driver, const QString& path)
{
    const QStringList ids = driver->productIds();
    for (const QString& id : ids) {
        if (mDrivers.contains(id)) {
            qWarning() << "Driver map already contains a driver with product ID" << id;
            continue;
        }
        if (id.isEmpty()) {
            qWarning() << "Cannot insert driver with an empty product ID from" << path;
            continue;
        }
        if (!mSupportedDeviceNames.contains(driver->name())) {
            mSupportedDeviceProductIds.append(id);
            mSupportedDeviceNames.append(driver->name());
        }
        mDrivers.insert(id, driver);
    }
}

} // namespace QKel::Device
