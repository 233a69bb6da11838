#include "stateMachineDefinition.h"

#include "deviceBackup.h"
#include "saveStatusTracker.h"

#include <commsHandler.h>
#include <deviceFactory.h>
#include <protocol/bootProtocol.h>

#include <QCoreApplication>

#include <cstdio>

namespace QKel::Sm {

using QKel::Comms::Protocol::BootProtocol;
using QKel::Config::SaveStatusTracker;
using QKel::Global::Types;

namespace {

constexpr int AnswerTimeoutMs = 10000;
constexpr int BootSequenceIntervalMs = 500;

// The device's texts are UTF-8 and may be followed by a zero byte and padding.
QString textUpToZero(const QByteArray& data)
{
    return QString::fromUtf8(data.constData());
}

} // namespace

class StateMachineDefinitionPrivate
{
public:
    // Puts the session data back to their initial values; the device stays.
    void resetSession()
    {
        connected = false;
        busy = false;
        deviceIdString.clear();
        productId.clear();
        autoflash = false;
        readRequested = false;
    }

    bool connected = false;
    bool busy = false;
    QString deviceIdString;
    QString productId;
    QSharedPointer<QKel::Device::AbstractDevice> device;
    bool autoflash = false;
    bool readRequested = false;
};

StateMachineDefinition::StateMachineDefinition(QObject* parent)
    : QObject(parent)
    , d(new StateMachineDefinitionPrivate)
{
}

StateMachineDefinition::~StateMachineDefinition() = default;

bool StateMachineDefinition::connected() const
{
    return d->connected;
}

bool StateMachineDefinition::busy() const
{
    return d->busy;
}

QObject* StateMachineDefinition::currentDevice() const
{
    return d->device.data();
}

QString StateMachineDefinition::deviceIdString() const
{
    return d->deviceIdString;
}

QString StateMachineDefinition::productId() const
{
    return d->productId;
}

QSharedPointer<QKel::Device::AbstractDevice> StateMachineDefinition::device() const
{
    return d->device;
}

// The outcome is written once the event that ended the autoflash has been
// fully handled, so whatever names a failure (a timeout, a link error, which
// are announced after the machine took the event) comes first and "SUCCESS"
// or "ERROR" stays the last line for the scripts of a flashing station.
void StateMachineDefinition::finishAutoflash(bool success)
{
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [success] {
            std::fputs(success ? "SUCCESS\n" : "ERROR\n", stderr);
            std::fflush(stderr);
            QCoreApplication::exit(success ? 0 : -1);
        },
        Qt::QueuedConnection);
}

void StateMachineDefinition::setBusy(bool busy)
{
    d->busy = busy;
    emit busyChanged(busy);
}

void StateMachineDefinition::setConnected(bool connected)
{
    d->connected = connected;
    emit connectedChanged(connected);
}

void StateMachineDefinition::enterInitialization()
{
    d->resetSession();
    emit stopCyclicWrite();
    emit connectedChanged(false);
    emit busyChanged(false);
    emit deviceIdStringChanged(QString());
    emit stopTimeoutWatch();
    if (d->device) {
        d->device->resetDeviceInfo();
    }
    QKel::Comms::CommsHandler::instance()->close();
    auto* tracker = SaveStatusTracker::instance();
    if (tracker->configurationType() == Types::CONFIGURATION_TYPE_READ_FROM_DEVICE) {
        tracker->setConfigurationType(Types::CONFIGURATION_TYPE_NEW);
    }
}

void StateMachineDefinition::enterDisconnected()
{
    setConnected(false);
    setBusy(false);
    emit stopTimeoutWatch();
}

void StateMachineDefinition::enterAttemptingConnection()
{
    setBusy(true);
    emit startCyclicWrite(BootProtocol::buildBootSequence(), BootSequenceIntervalMs, true);
    emit startTimeoutWatch(AnswerTimeoutMs);
}

void StateMachineDefinition::enterReadProductId()
{
    emit writeData(BootProtocol::buildReadProductIdCommand());
    emit startTimeoutWatch(AnswerTimeoutMs);
}

void StateMachineDefinition::enterIdentifyDevice()
{
    if (d->device && d->device->productIds().contains(d->productId)) {
        return;
    }
    d->device = QKel::Device::DeviceFactory::instance()->createDevice(d->productId);
    emit currentDeviceChanged(d->device.data());
    auto* tracker = SaveStatusTracker::instance();
    if (tracker->configurationType() != Types::CONFIGURATION_TYPE_NONE) {
        tracker->setConfigurationType(Types::CONFIGURATION_TYPE_NEW);
    }
}

void StateMachineDefinition::enterConnected()
{
    setBusy(false);
    setConnected(true);
    emit stopTimeoutWatch();
}

void StateMachineDefinition::enterReadDeviceConfiguration(bool requestedByUser)
{
    setBusy(true);
    d->readRequested = requestedByUser;
    emit startTimeoutWatch(AnswerTimeoutMs);
    emit writeData(BootProtocol::buildReadProtobufCommand());
}

void StateMachineDefinition::enterWriteDeviceConfiguration()
{
    setBusy(true);
    emit startTimeoutWatch(AnswerTimeoutMs);
    emit writeData(BootProtocol::buildWriteProtobufCommand(d->device->serializeToByteArray()));
}

void StateMachineDefinition::setAutoflash()
{
    d->autoflash = true;
}

void StateMachineDefinition::finalizeConnection(const EventNewData& event)
{
    d->deviceIdString = textUpToZero(event.data);
    emit deviceIdStringChanged(d->deviceIdString);
    emit stopCyclicWrite();
}

void StateMachineDefinition::signalDeviceUnsupported()
{
    emit deviceUnsupported(d->deviceIdString, d->productId);
}

void StateMachineDefinition::storeProductId(const EventNewData& event)
{
    d->productId = BootProtocol::productIdText(event.data.mid(1));
}

void StateMachineDefinition::signalConnectSuccess()
{
    emit connectSuccessful();
}

void StateMachineDefinition::storeDeviceConfiguration(const EventNewData& event)
{
    // Parsed once, here, for the backup's name, the device information and
    // the device's tree alike.
    const QKel::Device::ParsedConfiguration configuration(event.data.mid(1));
    emit configurationReceived(configuration.bytes(), DeviceBackup::serialNumber(*configuration.file()));
    auto* tracker = SaveStatusTracker::instance();
    if (tracker->configurationType() != Types::CONFIGURATION_TYPE_NONE && !d->readRequested) {
        // A file or a new configuration is being edited and nobody asked for
        // the read: only the device information is refreshed.
        d->device->parseDeviceInfoFromConfiguration(configuration);
        return;
    }
    if (!restoreDeviceConfiguration(configuration)) {
        // Bytes the device could not load are no successful read: the load
        // error it reported is queued, tells the user and ends the session.
        return;
    }
    tracker->setConfigurationType(Types::CONFIGURATION_TYPE_READ_FROM_DEVICE);
    tracker->setSaveNeeded(false);
    emit readFromDeviceSuccessful();
}

bool StateMachineDefinition::restoreDeviceConfiguration(const QKel::Device::ParsedConfiguration& configuration)
{
    // The device reports bytes it cannot load through loadError while it
    // restores them. This object lives in the thread that started the machine,
    // so only a direct connection sees the report in time.
    bool loaded = true;
    const auto watch = connect(d->device.data(), &QKel::Device::AbstractDevice::loadError, this,
                               [&loaded] { loaded = false; }, Qt::DirectConnection);
    d->device->restoreFromConfiguration(configuration);
    disconnect(watch);
    return loaded;
}

void StateMachineDefinition::signalDeviceError()
{
    emit deviceError();
}

void StateMachineDefinition::signalWriteSuccess()
{
    emit writeToDeviceSuccessful();
}

void StateMachineDefinition::abortWithSuccess()
{
    // The run is over once the device acknowledged the write. Without this the
    // completion row of StateConnected would send the configuration a second
    // time while the application is already on its way out.
    d->autoflash = false;
    finishAutoflash(true);
}

void StateMachineDefinition::abortWithError()
{
    finishAutoflash(false);
}

void StateMachineDefinition::enterNormalOperation()
{
    emit writeData(BootProtocol::buildEnterNormalOperationCommand());
    emit disconnectSuccessful();
}

void StateMachineDefinition::enterPairingMode()
{
    emit writeData(BootProtocol::buildEnterPairingModeCommand());
    emit pairingModeSuccessful();
}

void StateMachineDefinition::factoryReset()
{
    setBusy(true);
    emit writeData(BootProtocol::buildFactoryResetCommand());
    emit startTimeoutWatch(AnswerTimeoutMs);
    emit factoryResetSuccessful();
}

void StateMachineDefinition::setDevice(const EventSetDevice& event, bool fromConnected)
{
    const auto& newDevice = event.device;
    if (!newDevice) {
        return;
    }
    const auto& oldDevice = d->device;
    if (fromConnected && oldDevice && oldDevice->deviceInfo()
        && newDevice->primaryProductId() == oldDevice->primaryProductId()) {
        // The connected device's information stays visible with the new configuration.
        newDevice->parseDeviceInfoFromConfigurationData(oldDevice->serializeToByteArray());
    }
    d->productId = newDevice->primaryProductId();
    emit currentDeviceChanged(nullptr);
    d->device = newDevice;
    emit currentDeviceChanged(d->device.data());
}

bool StateMachineDefinition::isDataNotDeviceIdString(const EventNewData& event) const
{
    return textUpToZero(event.data) != d->deviceIdString;
}

bool StateMachineDefinition::isDeviceValid() const
{
    return !d->device.isNull();
}

bool StateMachineDefinition::isAutoflashActive() const
{
    return d->autoflash;
}

bool StateMachineDefinition::isNewDeviceProductIdMatch(const EventSetDevice& event) const
{
    return event.device
        && (d->productId.isEmpty() || event.device->productIds().contains(d->productId));
}

} // namespace QKel::Sm
