#include "abstractDevice.h"

#include <QtDebug>

namespace QKel::Device {

namespace {

// Loads into `own` the device information of the first product entry that
// carries one which loads; later product entries are not looked at.
bool copyFirstProductDeviceInfo(const QKel::Pb::Configuration::File& file,
                                QKel::Pb::Product::DeviceInfo* own)
{
    for (QKel::Pb::Configuration::Data* entry : file.dataList()) {
        if (!entry || entry->type() != QKel::Pb::Configuration::Data::TYPE__PRODUCT)
            continue;
        auto* product = qobject_cast<QKel::Pb::Product::Config*>(entry->object());
        if (!product)
            continue;
        QKel::Pb::Product::DeviceInfo* incoming = product->deviceInfo();
        if (!incoming) {
            qWarning() << "Could not find own device information structure; cannot save device information from configuration data.";
            continue;
        }
        if (own->load(incoming->pack()))
            return true;
        qWarning() << "Failed to load device information from configuration data.";
    }
    return false;
}

} // namespace

AbstractDevice::AbstractDevice(QObject* parent)
    : QObject(parent)
{
}

QString AbstractDevice::primaryProductId() const
{
    const QStringList ids = productIds();
    return ids.isEmpty() ? QString() : ids.first();
}

QKel::Pb::Network::DeviceInfo* AbstractDevice::wlanModuleInfo() const
{
    return nullptr;
}

QKel::Pb::Network::DeviceInfo* AbstractDevice::bluetoothModuleInfo() const
{
    return nullptr;
}

void AbstractDevice::resetDeviceInfo()
{
    if (QKel::Pb::Product::DeviceInfo* info = deviceInfo())
        info->load(Kel::Pb::Product::DeviceInfo());
}

void AbstractDevice::parseDeviceInfoFromConfigurationData(const QByteArray& data)
{
    parseDeviceInfoFromConfiguration(ParsedConfiguration(data));
}

void AbstractDevice::parseDeviceInfoFromConfiguration(const ParsedConfiguration& configuration)
{
    QKel::Pb::Product::DeviceInfo* own = deviceInfo();
    if (!own) {
        qWarning() << "Pointer to deviceInfo currently NULL; cannot save device information from configuration data.";
        return;
    }
    if (configuration.loaded())
        copyFirstProductDeviceInfo(*configuration.file(), own);
}

void AbstractDevice::restoreFromConfiguration(const ParsedConfiguration& configuration)
{
    restoreFromByteArray(configuration.bytes());
}

} // namespace QKel::Device
