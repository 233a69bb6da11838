#include "stateMachineDefinition.h"

#include "deviceBackup.h"
#include "configurationDifferences.h"
#include "saveStatusTracker.h"

#include <commsHandler.h>
#include <deviceFactory.h>
#include <protocol/bootProtocol.h>

#include <QCoreApplication>
#include <QSignalBlocker>

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
        sentConfiguration.clear();
        verifyingWrite = false;
    }

    bool connected = false;
    bool busy = false;
    QString deviceIdString;
    QString productId;
    QSharedPointer<QKel::Device::AbstractDevice> device;
    bool autoflash = false;
    bool readRequested = false;
    // The device holds information that this session's gateway reported;
    // only that is cleared when the session ends, never a file's own.
    bool gatewayInfoHeld = false;
    // The bytes of the write in progress, to judge its read-back by.
    QByteArray sentConfiguration;
    bool verifyingWrite = false;
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

bool StateMachineDefinition::isVerifyingWrite() const
{
    return d->verifyingWrite;
}

void StateMachineDefinition::cancelAutoflash()
{
    if (!d->autoflash)
        return;
    // Cleared first: the completion row of StateConnected must not write.
    d->autoflash = false;
    finishAutoflash(false);
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
    if (d->device && d->gatewayInfoHeld) {
        // The gateway's information ends with the session; clearing it is no edit.
        const QSignalBlocker notAnEdit(d->device.data());
        d->device->resetDeviceInfo();
    }
    d->gatewayInfoHeld = false;
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
    if (isDeviceValid()) {
        return;
    }
    auto device = QKel::Device::DeviceFactory::instance()->createDevice(d->productId);
    if (!device) {
        // No driver serves the product: the configuration being edited stays,
        // and the completion row reports the product as unsupported.
        return;
    }
    d->device = device;
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
    d->sentConfiguration = d->device->serializeToByteArray();
    emit writeData(BootProtocol::buildWriteProtobufCommand(d->sentConfiguration));
}

void StateMachineDefinition::enterVerifyDeviceConfiguration()
{
    // An acknowledgement only says the gateway took the frame; what it now
    // holds is what it reads back.
    d->verifyingWrite = true;
    emit writeAcknowledged();
    emit startTimeoutWatch(AnswerTimeoutMs);
    emit writeData(BootProtocol::buildReadProtobufCommand());
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

// Every configuration the gateway reports, read or read back, is announced
// with the serial number that names its backup.
void StateMachineDefinition::announceConfiguration(const QKel::Device::ParsedConfiguration& configuration)
{
    emit configurationReceived(configuration.bytes(), DeviceBackup::serialNumber(*configuration.file()));
}

void StateMachineDefinition::storeDeviceConfiguration(const EventNewData& event)
{
    // Parsed once, here, for the backup's name, the device information and
    // the device's tree alike.
    const QKel::Device::ParsedConfiguration configuration(event.data.mid(1));
    announceConfiguration(configuration);
    auto* tracker = SaveStatusTracker::instance();
    if (d->autoflash || (tracker->configurationType() != Types::CONFIGURATION_TYPE_NONE && !d->readRequested)) {
        // A file or a new configuration is being edited and nobody asked for
        // the read, or an autoflash is about to write its file: only the
        // device information is refreshed. What the gateway reports about
        // itself is no edit of the user's configuration.
        const QSignalBlocker notAnEdit(d->device.data());
        d->device->parseDeviceInfoFromConfiguration(configuration);
        d->gatewayInfoHeld = true;
        return;
    }
    if (!restoreDeviceConfiguration(configuration)) {
        // Bytes the device could not load are no successful read: the load
        // error it reported is queued, tells the user and ends the session.
        return;
    }
    d->gatewayInfoHeld = true;
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

// The read-back is what the gateway holds now: it is announced (and kept as
// the gateway's newest backup) whatever the verdict.
void StateMachineDefinition::signalWriteSuccess(const EventNewData& event)
{
    announceConfiguration(QKel::Device::ParsedConfiguration(event.data.mid(1)));
    d->verifyingWrite = false;
    emit writeToDeviceSuccessful();
    if (d->autoflash)
        abortWithSuccess();
}

void StateMachineDefinition::signalWriteMismatch(const EventNewData& event)
{
    const QByteArray readBack = event.data.mid(1);
    announceConfiguration(QKel::Device::ParsedConfiguration(readBack));
    d->verifyingWrite = false;
    emit writeVerificationFailed(ConfigurationDifferences::between(readBack, d->sentConfiguration));
    // The session stays open for another attempt in the window; an autoflash
    // ends here.
    cancelAutoflash();
}

void StateMachineDefinition::signalReadBackRefused()
{
    d->verifyingWrite = false;
    emit readBackRefused();
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
    const bool carryOver = fromConnected && oldDevice && oldDevice->deviceInfo()
        && newDevice->primaryProductId() == oldDevice->primaryProductId();
    if (carryOver) {
        // The connected device's information stays visible with the new configuration.
        newDevice->parseDeviceInfoFromConfigurationData(oldDevice->serializeToByteArray());
    }
    d->gatewayInfoHeld = carryOver && d->gatewayInfoHeld;
    d->productId = newDevice->primaryProductId();
    emit currentDeviceChanged(nullptr);
    d->device = newDevice;
    emit currentDeviceChanged(d->device.data());
}

bool StateMachineDefinition::isDeviceIdString(const QByteArray& data) const
{
    return textUpToZero(data) == d->deviceIdString;
}

bool StateMachineDefinition::isDataNotDeviceIdString(const EventNewData& event) const
{
    return !isDeviceIdString(event.data);
}

// A device whose driver serves the connected product.
bool StateMachineDefinition::isDeviceValid() const
{
    return d->device && d->device->productIds().contains(d->productId);
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

bool StateMachineDefinition::isReadBackMatching(const EventNewData& event) const
{
    return ConfigurationDifferences::between(event.data.mid(1), d->sentConfiguration).isEmpty();
}

} // namespace QKel::Sm
