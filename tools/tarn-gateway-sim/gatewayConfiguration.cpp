#include "gatewayConfiguration.h"

#include <configuration.h>
#include <deviceFactory.h>
#include <interface.h>
#include <network.h>
#include <product.h>
#include <protocol/bootProtocol.h>

namespace Tarn::Sim {

namespace {

const QString PrimaryProductId = QStringLiteral("012001017701");

struct ModuleInfo
{
    uint number;
    const char* mac;
    const char* moduleVersion;
    const char* moduleInfo;
};

// Locally administered addresses: they belong to no maker.
const ModuleInfo WlanModule{1, "02:54:41:52:4e:01", "3.1.2", "WLAN 802.11b/g/n radio module"};
const ModuleInfo BluetoothModule{2, "02:54:41:52:4e:02", "2.4.0", "Bluetooth 4.2 dual-mode radio module"};

// The product ID is made of the vendor ID, the product group and the product
// code, four hexadecimal digits each.
void fillProductInfo(QKel::Pb::Product::DeviceInfo* info, const QString& productId, quint32 serialNumber)
{
    const auto part = [&productId](int index) { return productId.mid(index * 4, 4).toUInt(nullptr, 16); };
    info->setName(QStringLiteral("TARN210"));
    info->setVendorId(part(0));
    info->setProductGroup(part(1));
    info->setProductCode(part(2));
    info->setRevisionNumber(0x00010002);
    info->setSerialNumber(serialNumber);
    info->setUnixTimeOfManufacture(1457341501);
    info->setHoursOfOperation(1234);
}

// Gives the network below an interface entry its module's device information.
bool fillModuleInfo(QObject* interfaceEntry, const ModuleInfo& module)
{
    auto* interface = qobject_cast<QKel::Pb::Interface::Config*>(interfaceEntry);
    auto* network = interface ? qobject_cast<QKel::Pb::Network::Config*>(interface->object()) : nullptr;
    if (!network)
        return false;
    auto* info = new QKel::Pb::Network::DeviceInfo(network);
    info->setNumber(module.number);
    info->setMac(QString::fromLatin1(module.mac));
    info->setModuleVersion(QString::fromLatin1(module.moduleVersion));
    info->setModuleInfo(QString::fromLatin1(module.moduleInfo));
    network->setDeviceInfo(info);
    return true;
}

QObject* pointerProperty(const QObject* device, const char* name)
{
    return device->property(name).value<QKel::Pb::AbstractMessage*>();
}

// A gateway keeps its own product ID in its configuration; one the driver does
// not serve leaves the driver's primary ID, as the configurator never reads
// the configuration of such a gateway. Returns the ID the configuration
// carries.
QString setProductId(const QKel::Device::AbstractDevice& device, const QByteArray& productIdBytes)
{
    const QString productId = QKel::Comms::Protocol::BootProtocol::productIdText(productIdBytes);
    auto* file = qobject_cast<QKel::Pb::Configuration::File*>(pointerProperty(&device, "configurationFile"));
    if (!file || !device.productIds().contains(productId))
        return device.primaryProductId();
    file->setProductId(productId);
    return productId;
}

} // namespace

QByteArray GatewayConfiguration::build(const QByteArray& productIdBytes, QString* errorText, quint32 serialNumber)
{
    const auto device = QKel::Device::DeviceFactory::instance()->createDevice(PrimaryProductId);
    if (!device || !device->deviceInfo()) {
        *errorText = QStringLiteral("no TARN210 driver in the \"devices\" directory beside the simulator");
        return {};
    }
    fillProductInfo(device->deviceInfo(), setProductId(*device, productIdBytes), serialNumber);
    if (!fillModuleInfo(pointerProperty(device.data(), "wlanInterface"), WlanModule)
        || !fillModuleInfo(pointerProperty(device.data(), "bluetoothInterface"), BluetoothModule)) {
        *errorText = QStringLiteral("the TARN210 driver's configuration lacks its WLAN or Bluetooth network");
        return {};
    }
    return device->serializeToByteArray();
}

bool GatewayConfiguration::check(const QByteArray& configuration, QString* errorText)
{
    QKel::Pb::Configuration::File file(nullptr);
    if (file.load(configuration))
        return true;
    switch (file.loadError()) {
    case QKel::Pb::Configuration::File::LOAD_ERROR__VERSION_OBSOLETE:
    case QKel::Pb::Configuration::File::LOAD_ERROR__VERSION_MISMATCH:
        *errorText = QStringLiteral("version %1 is not 1").arg(file.version());
        break;
    case QKel::Pb::Configuration::File::LOAD_ERROR__CHECKSUM:
        *errorText = QStringLiteral("checksum %1 does not match the content").arg(file.checksum());
        break;
    default:
        *errorText = QStringLiteral("not a configuration file");
    }
    return false;
}

} // namespace Tarn::Sim
