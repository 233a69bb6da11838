#include "utilities.h"

#include "bluetooth.h"
#include "can.h"
#include "canfiltermodel.h"
#include "canopen.h"
#include "configuration.h"
#include "interface.h"
#include "ip.h"
#include "kelfunction.h"
#include "network.h"
#include "powermanagement.h"
#include "product.h"
#include "product_ferrowwireless77xx.h"
#include "product_morvane_tarn210.h"
#include "remote.h"
#include "server.h"
#include "socket.h"
#include "spp.h"
#include "wlan.h"

#include <QMetaType>
#include <QtQml>

namespace QKel::Pb {

namespace {

const char* const module = "kelbus.qkel.pb";
const QString QML_TYPE_UNCREATABLE_REASON = QStringLiteral("This type is not creatable and only exported for enum values.");

template <class T>
void registerUncreatable(const char* name)
{
    qmlRegisterUncreatableType<T>(module, 1, 0, name, QML_TYPE_UNCREATABLE_REASON);
}

// Registers T under the name the signals spell out, so queued connections find it.
template <class T>
void registerMetaType(const char* name)
{
    qRegisterMetaType<T>(name);
}

}  // namespace

void Utilities::registerQmlTypes()
{
    registerUncreatable<Bluetooth::Config>("BluetoothConfig");
    registerUncreatable<Configuration::File>("ConfigurationFile");
    registerUncreatable<Configuration::Data>("ConfigurationData");
    registerUncreatable<Can::Config>("CanConfig");
    registerUncreatable<Can::Filter>("CanFilter");
    registerUncreatable<Can::FilterModel>("CanFilterModel");
    registerUncreatable<CanOpen::Config>("CanOpenConfig");
    registerUncreatable<CanOpen::SdoConfig>("SdoConfig");
    registerUncreatable<Interface::Config>("InterfaceConfig");
    registerUncreatable<Network::Config>("NetworkConfig");
    registerUncreatable<Remote::Config>("RemoteConfig");
    registerUncreatable<Server::Config>("ServerConfig");
    registerUncreatable<KelFunction::Config>("KelFunctionConfig");
    registerUncreatable<PowerManagement::Config>("PowerManagementConfig");
    registerUncreatable<Product::Config>("ProductConfig");
    registerUncreatable<Product::Morvane::Tarn210::SafetyFunction>("MovaneTarn210SafetyFunction");
    registerUncreatable<Socket::Remote>("SocketRemote");
    registerUncreatable<Socket::Server>("SocketServer");
    registerUncreatable<Spp::Remote>("SppRemote");
    registerUncreatable<Spp::Server>("SppServer");
    registerUncreatable<Ip::Config>("IpConfig");
    registerUncreatable<Wlan::Config>("WlanConfig");
    registerUncreatable<Wlan::Authentication>("WlanAuthentication");
    registerUncreatable<Wlan::AccessPointConfig>("WlanAccessPoint");
}

void Utilities::registerMetaTypes()
{
    using Tarn210 = Product::Morvane::Tarn210::SafetyFunction;
    registerMetaType<AbstractMessage*>("QKel::Pb::AbstractMessage*");
    registerMetaType<Bluetooth::Config::SECURITY_MODE>("QKel::Pb::Bluetooth::Config::SECURITY_MODE");
    registerMetaType<Bluetooth::ClassicConfig*>("QKel::Pb::Bluetooth::ClassicConfig*");
    registerMetaType<Bluetooth::LowEnergyConfig*>("QKel::Pb::Bluetooth::LowEnergyConfig*");
    registerMetaType<Can::Filter*>("QKel::Pb::Can::Filter*");
    registerMetaType<QList<Can::Filter*>>("QList<QKel::Pb::Can::Filter*>");
    registerMetaType<CanOpen::Config*>("QKel::Pb::CanOpen::Config*");
    registerMetaType<CanOpen::Config::BAUD_RATE>("QKel::Pb::CanOpen::Config::BAUD_RATE");
    registerMetaType<CanOpen::SdoConfig*>("QKel::Pb::CanOpen::SdoConfig*");
    registerMetaType<CanOpen::SdoConfig::NMT_STATE>("QKel::Pb::CanOpen::SdoConfig::NMT_STATE");
    registerMetaType<QList<CanOpen::SdoConfig*>>("QList<QKel::Pb::CanOpen::SdoConfig*>");
    registerMetaType<Configuration::Data*>("QKel::Pb::Configuration::Data*");
    registerMetaType<Configuration::Data::TYPE>("QKel::Pb::Configuration::Data::TYPE");
    registerMetaType<Configuration::File::LOAD_ERROR>("QKel::Pb::Configuration::File::LOAD_ERROR");
    registerMetaType<QList<Configuration::Data*>>("QList<QKel::Pb::Configuration::Data*>");
    registerMetaType<Interface::Config::TYPE>("QKel::Pb::Interface::Config::TYPE");
    registerMetaType<Ip::Config*>("QKel::Pb::Ip::Config*");
    registerMetaType<Ip::Config::DHCP_MODE>("QKel::Pb::Ip::Config::DHCP_MODE");
    registerMetaType<Network::Config::TYPE>("QKel::Pb::Network::Config::TYPE");
    registerMetaType<Network::DeviceInfo*>("QKel::Pb::Network::DeviceInfo*");
    registerMetaType<PowerManagement::Config*>("QKel::Pb::PowerManagement::Config*");
    registerMetaType<PowerManagement::Config::WAKEUP_ENABLE_BITS>("QKel::Pb::PowerManagement::Config::WAKEUP_ENABLE_BITS");
    registerMetaType<Product::Config*>("QKel::Pb::Product::Config*");
    registerMetaType<Product::Config::TYPE>("QKel::Pb::Product::Config::TYPE");
    registerMetaType<Product::DeviceInfo*>("QKel::Pb::Product::DeviceInfo*");
    registerMetaType<Product::FerrowWireless77xx::Config*>("QKel::Pb::Product::FerrowWireless77xx::Config*");
    registerMetaType<Product::Morvane::Tarn210::Config*>("QKel::Pb::Product::Morvane::Tarn210::Config*");
    registerMetaType<Tarn210*>("QKel::Pb::Product::Morvane::Tarn210::SafetyFunction*");
    registerMetaType<Tarn210::DATA_TYPE>("QKel::Pb::Product::Morvane::Tarn210::SafetyFunction::DATA_TYPE");
    registerMetaType<Tarn210::CAN_BYTE_ORDER>("QKel::Pb::Product::Morvane::Tarn210::SafetyFunction::CAN_BYTE_ORDER");
    registerMetaType<Tarn210::TRIGGER_CONDITION>("QKel::Pb::Product::Morvane::Tarn210::SafetyFunction::TRIGGER_CONDITION");
    registerMetaType<Tarn210::LOGIC_MODE>("QKel::Pb::Product::Morvane::Tarn210::SafetyFunction::LOGIC_MODE");
    registerMetaType<Remote::Config::TYPE>("QKel::Pb::Remote::Config::TYPE");
    registerMetaType<KelFunction::Config::FEEDBACK_MODE>("QKel::Pb::KelFunction::Config::FEEDBACK_MODE");
    registerMetaType<KelFunction::Config::TIMESTAMP_MODE>("QKel::Pb::KelFunction::Config::TIMESTAMP_MODE");
    registerMetaType<Server::Config::TYPE>("QKel::Pb::Server::Config::TYPE");
    registerMetaType<Socket::Server::PROTOCOL>("QKel::Pb::Socket::Server::PROTOCOL");
    registerMetaType<Wlan::AccessPointConfig*>("QKel::Pb::Wlan::AccessPointConfig*");
    registerMetaType<Wlan::Authentication*>("QKel::Pb::Wlan::Authentication*");
    registerMetaType<Wlan::Authentication::AUTHENTICATION_MODE>("QKel::Pb::Wlan::Authentication::AUTHENTICATION_MODE");
    registerMetaType<Wlan::Config::OPERATING_MODE>("QKel::Pb::Wlan::Config::OPERATING_MODE");
    registerMetaType<Wlan::EnterpriseAuthentication*>("QKel::Pb::Wlan::EnterpriseAuthentication*");
}

}  // namespace QKel::Pb
