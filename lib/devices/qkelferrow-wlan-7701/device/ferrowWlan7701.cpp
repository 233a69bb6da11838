#include "ferrowWlan7701.h"

#include <bluetooth.h>
#include <can.h>
#include <canfiltermodel.h>
#include <canopen.h>
#include <configuration.h>
#include <embeddedrecordtable.h>
#include <interface.h>
#include <ip.h>
#include <kelfunction.h>
#include <network.h>
#include <powermanagement.h>
#include <product.h>
#include <product_ferrowwireless77xx.h>
#include <product_morvane_tarn210.h>
#include <remote.h>
#include <server.h>
#include <socket.h>
#include <spp.h>
#include <wlan.h>

#include <QScopedValueRollback>
#include <QtDebug>

namespace QKel::Device {

using namespace QKel::Pb;
using Tarn210Config = Product::Morvane::Tarn210::Config;
using SafetyFunction = Product::Morvane::Tarn210::SafetyFunction;

namespace {

// The module information of the network an interface entry holds, if any.
Network::DeviceInfo* moduleInfoOf(const Interface::Config* interface)
{
    const auto* network = interface ? qobject_cast<Network::Config*>(interface->object()) : nullptr;
    return network ? network->deviceInfo() : nullptr;
}

const QString DEVICE_NAME = QStringLiteral("TARN210");
const QString QML_PATH = QStringLiteral("qrc:///ferrowWlan7701/qml/device/ferrowWlan7701.qml");
const int CAN_FILTER_COUNT = 8;

// Creates a wrapper with `parent` as its Qt parent; the caller hands it to
// the parent through the parent's setter.
template <typename Wrapper>
Wrapper* child(QObject* parent)
{
    return new Wrapper(parent);
}

Can::Filter* defaultFilter(QObject* parent, int number)
{
    auto* filter = child<Can::Filter>(parent);
    filter->setEnabled(number <= 1);
    filter->setExtended(number == 1);
    filter->setExtendedMatters(number == 1);
    filter->setId(0);
    filter->setMask(0);
    filter->setInhibitTimeMs(0);
    filter->setRemoteFrame(false);
    filter->setPgn(0);
    return filter;
}

CanOpen::Config* defaultCanOpen(QObject* parent)
{
    auto* canOpen = child<CanOpen::Config>(parent);
    canOpen->setNodeId(33);
    canOpen->setNmtHeartbeatMs(0);
    canOpen->setNmtStartupState(CanOpen::SdoConfig::NMT_STATE__OPERATIONAL);
    canOpen->setBootMessageEnabled(false);
    canOpen->setJ1939Active(false);
    canOpen->setSendNmtStartToAllNodes(false);
    QList<CanOpen::SdoConfig*> sdos;
    for (int i = 0; i < 2; ++i) {
        auto* sdo = child<CanOpen::SdoConfig>(canOpen);
        sdo->setTimeoutMs(2000);
        sdo->setRxChannel(0x600);
        sdo->setTxChannel(0x580);
        sdos.append(sdo);
    }
    canOpen->setSdoConfigList(sdos);
    return canOpen;
}

Can::Config* defaultCan(QObject* parent)
{
    auto* can = child<Can::Config>(parent);
    can->setBaudRateCanOpen(CanOpen::Config::BAUD_RATE__250_KBIT_S);
    QList<Can::Filter*> filters;
    for (int number = 0; number < CAN_FILTER_COUNT; ++number)
        filters.append(defaultFilter(can, number));
    can->setFilterList(filters);
    can->setCanOpenConfig(defaultCanOpen(can));
    return can;
}

Wlan::Config* defaultWlan(QObject* parent)
{
    auto* wlan = child<Wlan::Config>(parent);
    wlan->setMode(Wlan::Config::OPERATING_MODE__INFRASTRUCTURE);
    wlan->setSsid(QStringLiteral("TARN210 SNnn"));
    wlan->setBssid(QString());

    auto* authentication = child<Wlan::Authentication>(wlan);
    authentication->setAuthenticationMode(Wlan::Authentication::AUTHENTICATION_MODE__NONE);
    authentication->setPassphrase(QString());
    wlan->setAuthentication(authentication);

    auto* ip = child<Ip::Config>(wlan);
    ip->setDhcpMode(Ip::Config::DHCP_MODE__CLIENT);
    ip->setIpAddress(QStringLiteral("192.168.0.33"));
    ip->setNetmask(QStringLiteral("255.255.255.0"));
    ip->setGateway(QStringLiteral("192.168.0.1"));
    ip->setDnsList({QStringLiteral("192.168.0.1"), QStringLiteral("192.168.0.2")});
    wlan->setIpConfig(ip);

    auto* accessPoint = child<Wlan::AccessPointConfig>(wlan);
    accessPoint->setStandardMask(3);
    accessPoint->setChannel(6);
    accessPoint->setDataRateMask(9);
    wlan->setAccessPointConfig(accessPoint);
    return wlan;
}

Bluetooth::Config* defaultBluetooth(QObject* parent)
{
    auto* bluetooth = child<Bluetooth::Config>(parent);
    bluetooth->setDiscoverable(true);
    bluetooth->setPairable(true);
    bluetooth->setSecurityMode(Bluetooth::Config::SECURITY_MODE__DISABLED);
    bluetooth->setAllowPairing2p0(true);
    bluetooth->setPinCode2p0(QStringLiteral("7264"));
    return bluetooth;
}

Tarn210Config* defaultTarn210(QObject* parent)
{
    auto* tarn = child<Tarn210Config>(parent);
    auto* safety = child<SafetyFunction>(tarn);
    safety->setActive(false);
    safety->setCanId(0);
    safety->setTimeoutMs(0);
    safety->setDataType(SafetyFunction::DATA_TYPE__UNSIGNED8);
    safety->setStartPosition(0);
    safety->setCanByteOrder(SafetyFunction::CAN_BYTE_ORDER__INTEL);
    safety->setTriggerCondition(SafetyFunction::TRIGGER_CONDITION__EQUAL);
    safety->setTestValue(0);
    safety->setLogicMode(SafetyFunction::LOGIC_MODE__OR);
    tarn->setSafetyFunction(safety);

    auto* base = child<Product::FerrowWireless77xx::Config>(tarn);
    base->setRequestDynamicInfo(false);
    tarn->setParentConfig(base);
    return tarn;
}

KelFunction::Config* defaultKelFunction(QObject* parent)
{
    auto* function = child<KelFunction::Config>(parent);
    function->setCanMessagesPerLoop(32);
    function->setServerMessagesPerLoop(32);
    auto* power = child<PowerManagement::Config>(function);
    power->setWakeupEnableBits(0);
    power->setTimeToSleepMs(60);
    function->setPowerManagementConfig(power);
    function->setCanOpenObjectsEnabled(false);
    function->setForwardCanToClientsByDefault(true);
    function->setTimestampMode(KelFunction::Config::TIMESTAMP_MODE__OFF);
    function->setFeedbackMode(KelFunction::Config::FEEDBACK_MODE__OFF);
    return function;
}

// A type-and-data container's object as the wrapper the driver uses; null
// unless it is the record the embedded-record table names for the type.
template <typename Wrapper, typename Container>
Wrapper* objectAs(Container* container)
{
    return qobject_cast<Wrapper*>(QKel::Pb::EmbeddedRecordTable::listedObject(container));
}

// The warnings about a remote or server entry that fits no pointer.
struct EndpointTexts
{
    const char* nullContainer;
    const char* nullSocket;
    const char* nullSpp;
    const char* unsupportedType;
};

// Remote and server entries share their layout: a container of type socket
// or SPP whose object is the endpoint the embedded-record table names for it.
template <typename Container>
void resolveEndpoint(Configuration::Data* entry, Container** socketSlot, Container** sppSlot,
                     const EndpointTexts& texts)
{
    auto* container = objectAs<Container>(entry);
    if (!container) {
        qWarning() << texts.nullContainer;
        return;
    }
    const bool socket = container->type() == Container::TYPE__SOCKET;
    if (!socket && container->type() != Container::TYPE__SPP) {
        qWarning() << texts.unsupportedType << int(container->type());
        return;
    }
    if (QKel::Pb::EmbeddedRecordTable::listedObject(container))
        *(socket ? socketSlot : sppSlot) = container;
    else
        qWarning() << (socket ? texts.nullSocket : texts.nullSpp);
}

} // namespace

class FerrowWlan7701Private
{
public:
    explicit FerrowWlan7701Private(FerrowWlan7701* q);

    QList<Configuration::Data*> generateDefaultConfigurationDataList();
    void clearPointers();
    void dispatch(Configuration::Data* entry);
    void resolveInterface(Configuration::Data* entry);
    void resolveRemote(Configuration::Data* entry);
    void resolveServer(Configuration::Data* entry);
    void resolveKelFunction(Configuration::Data* entry);
    void resolveProduct(Configuration::Data* entry);
    void copyNetworkDeviceInfo(Network::Config* incoming);
    void watch(Configuration::File* file);
    void takeOver(const QSharedPointer<Configuration::File>& file);

    FerrowWlan7701* q;
    // A child of the device: its own from the start, or a parsed file it took over.
    Configuration::File* configurationFile;
    Can::Config* canConfig = nullptr;
    Can::FilterModel* canFilterModel = nullptr;
    Interface::Config* wlanInterface = nullptr;
    Interface::Config* bluetoothInterface = nullptr;
    Server::Config* socketServer = nullptr;
    Remote::Config* socketRemote = nullptr;
    Server::Config* sppServer = nullptr;
    Remote::Config* sppRemote = nullptr;
    KelFunction::Config* kelConfig = nullptr;
    Product::Config* productConfig = nullptr;
    // Set while packing: the version and checksum it stamps are bookkeeping of
    // the bytes, not an edit, and must not mark the configuration unsaved.
    bool packing = false;

private:
    Configuration::Data* newEntry(Configuration::Data::TYPE type);
    Network::Config* newNetworkEntry(bool enabled, Network::Config::TYPE type);
    Configuration::Data* interfaceEntry(bool enabled, Network::Config::TYPE type, const QString& name,
                                        AbstractMessage* (*object)(QObject*));
    template <typename Container>
    Configuration::Data* endpointEntry(Configuration::Data::TYPE type, bool enabled,
                                       typename Container::TYPE endpointType,
                                       AbstractMessage* (*build)(QObject*));
    Configuration::Data* productEntry();
    Configuration::Data* kelFunctionEntry();
};

FerrowWlan7701Private::FerrowWlan7701Private(FerrowWlan7701* q)
    : q(q)
    , configurationFile(new Configuration::File(q))
{
}

// Every edit of the tree marks the configuration unsaved, except the stamps
// of packing.
void FerrowWlan7701Private::watch(Configuration::File* file)
{
    QObject::connect(file, &AbstractMessage::dataChanged, q, [this] {
        if (!packing)
            emit q->saveNeeded();
    });
}

// The device becomes the file's parent and so its owner: the parse's shared
// pointer lets go of a file that has one. The tree before goes once the
// pages have let go of it.
void FerrowWlan7701Private::takeOver(const QSharedPointer<Configuration::File>& file)
{
    if (file->thread() != q->thread())
        file->moveToThread(q->thread());
    file->setParent(q);
    configurationFile->disconnect(q);
    configurationFile->deleteLater();
    configurationFile = file.data();
    watch(configurationFile);
    emit q->configurationFileChanged(configurationFile);
}

Configuration::Data* FerrowWlan7701Private::newEntry(Configuration::Data::TYPE type)
{
    auto* entry = new Configuration::Data(configurationFile);
    entry->setType(type);
    return entry;
}

Configuration::Data* FerrowWlan7701Private::interfaceEntry(bool enabled, Network::Config::TYPE type,
                                                           const QString& name,
                                                           AbstractMessage* (*object)(QObject*))
{
    Configuration::Data* entry = newEntry(Configuration::Data::TYPE__INTERFACE);
    auto* interface = child<Interface::Config>(entry);
    interface->setEnabled(enabled);
    interface->setType(Interface::Config::TYPE__NETWORK);
    auto* network = child<Network::Config>(interface);
    network->setType(type);
    if (!name.isNull())
        network->setName(name);
    network->setObject(object(network));
    interface->setObject(network);
    entry->setObject(interface);
    return entry;
}

template <typename Container>
Configuration::Data* FerrowWlan7701Private::endpointEntry(Configuration::Data::TYPE type, bool enabled,
                                                         typename Container::TYPE endpointType,
                                                         AbstractMessage* (*build)(QObject*))
{
    Configuration::Data* entry = newEntry(type);
    auto* container = child<Container>(entry);
    container->setEnabled(enabled);
    container->setType(endpointType);
    container->setObject(build(container));
    entry->setObject(container);
    return entry;
}

Configuration::Data* FerrowWlan7701Private::productEntry()
{
    Configuration::Data* entry = newEntry(Configuration::Data::TYPE__PRODUCT);
    auto* product = child<Product::Config>(entry);
    product->setType(Product::Config::TYPE__MORVANE_TARN210);
    // Owned by the product entry like every other wrapper of the tree.
    product->setDeviceInfo(child<Product::DeviceInfo>(product));
    product->setObject(defaultTarn210(product));
    entry->setObject(product);
    return entry;
}

Configuration::Data* FerrowWlan7701Private::kelFunctionEntry()
{
    Configuration::Data* entry = newEntry(Configuration::Data::TYPE__KEL_FUNCTION);
    entry->setObject(defaultKelFunction(entry));
    return entry;
}

QList<Configuration::Data*> FerrowWlan7701Private::generateDefaultConfigurationDataList()
{
    using Data = Configuration::Data;
    return {
        interfaceEntry(true, Network::Config::TYPE__CAN, QString(),
                       [](QObject* p) -> AbstractMessage* { return defaultCan(p); }),
        interfaceEntry(false, Network::Config::TYPE__WLAN, QStringLiteral("TARN210_SNnn"),
                       [](QObject* p) -> AbstractMessage* { return defaultWlan(p); }),
        interfaceEntry(true, Network::Config::TYPE__BLUETOOTH, QStringLiteral("TARN210 SNnn"),
                       [](QObject* p) -> AbstractMessage* { return defaultBluetooth(p); }),
        productEntry(),
        endpointEntry<Server::Config>(Data::TYPE__SERVER, true, Server::Config::TYPE__SOCKET,
                                      [](QObject* p) -> AbstractMessage* {
                                          auto* server = child<Socket::Server>(p);
                                          server->setPort(30000);
                                          server->setProtocol(Socket::Server::PROTOCOL__TCP);
                                          return server;
                                      }),
        endpointEntry<Remote::Config>(Data::TYPE__REMOTE, false, Remote::Config::TYPE__SOCKET,
                                      [](QObject* p) -> AbstractMessage* {
                                          auto* remote = child<Socket::Remote>(p);
                                          remote->setAddress(QString());
                                          remote->setPort(30000);
                                          remote->setProtocol(Socket::Server::PROTOCOL__TCP);
                                          return remote;
                                      }),
        endpointEntry<Server::Config>(Data::TYPE__SERVER, true, Server::Config::TYPE__SPP,
                                      [](QObject* p) -> AbstractMessage* {
                                          auto* server = child<Spp::Server>(p);
                                          server->setServiceName(QStringLiteral("SPP_TARN210"));
                                          return server;
                                      }),
        endpointEntry<Remote::Config>(Data::TYPE__REMOTE, false, Remote::Config::TYPE__SPP,
                                      [](QObject* p) -> AbstractMessage* { return child<Spp::Remote>(p); }),
        kelFunctionEntry(),
    };
}

void FerrowWlan7701Private::clearPointers()
{
    canConfig = nullptr;
    if (canFilterModel) {
        canFilterModel->deleteLater();
        canFilterModel = nullptr;
    }
    wlanInterface = bluetoothInterface = nullptr;
    socketServer = sppServer = nullptr;
    socketRemote = sppRemote = nullptr;
    kelConfig = nullptr;
    productConfig = nullptr;
}

void FerrowWlan7701Private::dispatch(Configuration::Data* entry)
{
    switch (entry->type()) {
    case Configuration::Data::TYPE__INTERFACE:
        resolveInterface(entry);
        break;
    case Configuration::Data::TYPE__REMOTE:
        resolveRemote(entry);
        break;
    case Configuration::Data::TYPE__SERVER:
        resolveServer(entry);
        break;
    case Configuration::Data::TYPE__KEL_FUNCTION:
        resolveKelFunction(entry);
        break;
    case Configuration::Data::TYPE__PRODUCT:
        resolveProduct(entry);
        break;
    default:
        qWarning() << "Encountered unsupported Configuration::Data type in the configuration file:"
                   << int(entry->type());
    }
}

void FerrowWlan7701Private::resolveInterface(Configuration::Data* entry)
{
    auto* interface = objectAs<Interface::Config>(entry);
    if (!interface) {
        qWarning() << "Encountered NULL Interface::Config in the configuration file.";
        return;
    }
    if (interface->type() != Interface::Config::TYPE__NETWORK) {
        qWarning() << "Encountered unsupported Interface::Config type in the configuration file:"
                   << int(interface->type());
        return;
    }
    auto* network = objectAs<Network::Config>(interface);
    if (!network) {
        qWarning() << "Encountered NULL Network::Config in the configuration file.";
        return;
    }
    switch (network->type()) {
    case Network::Config::TYPE__WLAN:
        wlanInterface = interface;
        break;
    case Network::Config::TYPE__BLUETOOTH:
        bluetoothInterface = interface;
        break;
    case Network::Config::TYPE__CAN:
        if (auto* can = objectAs<Can::Config>(network)) {
            // A second CAN network replaces the first; its model goes as well.
            if (canFilterModel)
                canFilterModel->deleteLater();
            canConfig = can;
            canFilterModel = new Can::FilterModel(can, q);
        } else {
            qWarning() << "Encountered NULL Can::Config in the configuration file.";
        }
        break;
    default:
        qWarning() << "Encountered unsupported Network::Config type in the configuration file:"
                   << int(network->type());
    }
}

void FerrowWlan7701Private::resolveRemote(Configuration::Data* entry)
{
    static const EndpointTexts texts{
        "Encountered NULL Remote::Config in the configuration file.",
        "Encountered NULL Socket::Remote in the configuration file.",
        "Encountered NULL Spp::Remote in the configuration file.",
        "Encountered unsupported Remote::Config type in the configuration file:",
    };
    resolveEndpoint(entry, &socketRemote, &sppRemote, texts);
}

void FerrowWlan7701Private::resolveServer(Configuration::Data* entry)
{
    static const EndpointTexts texts{
        "Encountered NULL Server::Config in the configuration file.",
        "Encountered NULL Socket::Server in the configuration file.",
        "Encountered NULL Spp::Server in the configuration file.",
        "Encountered unsupported Server::Config type in the configuration file:",
    };
    resolveEndpoint(entry, &socketServer, &sppServer, texts);
}

void FerrowWlan7701Private::resolveKelFunction(Configuration::Data* entry)
{
    if (auto* function = objectAs<KelFunction::Config>(entry))
        kelConfig = function;
    else
        qWarning() << "Encountered NULL KelFunction::Config in the configuration file.";
}

void FerrowWlan7701Private::resolveProduct(Configuration::Data* entry)
{
    auto* product = objectAs<Product::Config>(entry);
    if (!product) {
        qWarning() << "Encountered NULL Product::Config in the configuration file.";
        return;
    }
    if (objectAs<Tarn210Config>(product))
        productConfig = product;
    else
        qWarning() << "Encountered unsupported specific Product::Config (specific) in the configuration file; ignoring.";
}

void FerrowWlan7701Private::copyNetworkDeviceInfo(Network::Config* incoming)
{
    Interface::Config* ownInterface = nullptr;
    if (incoming->type() == Network::Config::TYPE__WLAN)
        ownInterface = wlanInterface;
    else if (incoming->type() == Network::Config::TYPE__BLUETOOTH)
        ownInterface = bluetoothInterface;
    auto* own = objectAs<Network::Config>(ownInterface);
    if (!own)
        return;
    if (!own->deviceInfo())
        own->setDeviceInfo(child<Network::DeviceInfo>(own));
    own->deviceInfo()->load(incoming->deviceInfo()->pack());
}

const QStringList FerrowWlan7701::DEVICE_PRODUCT_IDS{QStringLiteral("012001017701"), QStringLiteral("012001017702")};

FerrowWlan7701::FerrowWlan7701(QObject* parent)
    : AbstractDevice(parent)
    , d(new FerrowWlan7701Private(this))
{
    d->configurationFile->setProductId(primaryProductId());
    d->configurationFile->setDataList(d->generateDefaultConfigurationDataList());
    d->watch(d->configurationFile);
    refreshExternalObjects();
}

FerrowWlan7701::~FerrowWlan7701() = default;

QSharedPointer<AbstractDevice> FerrowWlan7701::createNewInstance() const
{
    return QSharedPointer<AbstractDevice>(new FerrowWlan7701);
}

QKel::Pb::Product::DeviceInfo* FerrowWlan7701::deviceInfo() const
{
    return d->productConfig ? d->productConfig->deviceInfo() : nullptr;
}

QString FerrowWlan7701::name() const
{
    return DEVICE_NAME;
}

QStringList FerrowWlan7701::productIds() const
{
    return DEVICE_PRODUCT_IDS;
}

QString FerrowWlan7701::qmlPath() const
{
    return QML_PATH;
}

QByteArray FerrowWlan7701::serializeToByteArray() const
{
    const QScopedValueRollback<bool> packing(d->packing, true);
    return d->configurationFile->pack();
}

void FerrowWlan7701::restoreFromByteArray(const QByteArray& data)
{
    restoreFromConfiguration(ParsedConfiguration(data));
}

// The parsed file becomes the device's tree. Refused bytes never reach it: the
// configuration before stays, so that they never leave an empty
// configuration behind to be saved or written.
void FerrowWlan7701::restoreFromConfiguration(const ParsedConfiguration& configuration)
{
    if (configuration.loaded())
        d->takeOver(configuration.file());
    else
        emit loadError(configuration.loadError());
    refreshExternalObjects();
    emit saveNeeded();
}

void FerrowWlan7701::parseDeviceInfoFromConfiguration(const ParsedConfiguration& configuration)
{
    if (configuration.loaded()) {
        for (Configuration::Data* entry : configuration.file()->dataList()) {
            if (entry->type() != Configuration::Data::TYPE__INTERFACE)
                continue;
            auto* interface = objectAs<Interface::Config>(entry);
            if (!interface || interface->type() != Interface::Config::TYPE__NETWORK)
                continue;
            auto* network = objectAs<Network::Config>(interface);
            if (network && network->deviceInfo())
                d->copyNetworkDeviceInfo(network);
        }
    }
    AbstractDevice::parseDeviceInfoFromConfiguration(configuration);
}

void FerrowWlan7701::refreshExternalObjects()
{
    d->clearPointers();
    for (Configuration::Data* entry : d->configurationFile->dataList()) {
        if (entry)
            d->dispatch(entry);
    }
    emit canConfigChanged(d->canConfig);
    emit canFilterModelChanged(d->canFilterModel);
    emit wlanInterfaceChanged(d->wlanInterface);
    emit bluetoothInterfaceChanged(d->bluetoothInterface);
    emit socketRemoteChanged(d->socketRemote);
    emit socketServerChanged(d->socketServer);
    emit sppRemoteChanged(d->sppRemote);
    emit sppServerChanged(d->sppServer);
    emit kelConfigChanged(d->kelConfig);
    emit productConfigChanged(d->productConfig);
    emit deviceInfoChanged(deviceInfo());
    emit moduleInfoChanged();
}

AbstractMessage* FerrowWlan7701::configurationFile() const { return d->configurationFile; }
AbstractMessage* FerrowWlan7701::canConfig() const { return d->canConfig; }
QObject* FerrowWlan7701::canFilterModel() const { return d->canFilterModel; }
AbstractMessage* FerrowWlan7701::wlanInterface() const { return d->wlanInterface; }
AbstractMessage* FerrowWlan7701::bluetoothInterface() const { return d->bluetoothInterface; }
Network::DeviceInfo* FerrowWlan7701::wlanModuleInfo() const { return moduleInfoOf(d->wlanInterface); }
Network::DeviceInfo* FerrowWlan7701::bluetoothModuleInfo() const { return moduleInfoOf(d->bluetoothInterface); }
AbstractMessage* FerrowWlan7701::socketRemote() const { return d->socketRemote; }
AbstractMessage* FerrowWlan7701::socketServer() const { return d->socketServer; }
AbstractMessage* FerrowWlan7701::sppRemote() const { return d->sppRemote; }
AbstractMessage* FerrowWlan7701::sppServer() const { return d->sppServer; }
AbstractMessage* FerrowWlan7701::kelConfig() const { return d->kelConfig; }
AbstractMessage* FerrowWlan7701::productConfig() const { return d->productConfig; }

} // namespace QKel::Device
