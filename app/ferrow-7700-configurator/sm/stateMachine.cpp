#include "stateMachine.h"

#include "configurationDifferences.h"
#include "saveStatusTracker.h"
#include "safeFileWriter.h"
#include "deviceBackup.h"
#include "deviceValues.h"
#include "stateMachineBackend.h"
#include "stateMachineDefinition.h"
#include "supportArchive.h"

#include <commsHandler.h>
#include <portAdvice.h>
#include <deviceFactory.h>
#include <leafAssignments.h>
#include <leafPaths.h>
#include <secretMask.h>

#include <configuration.pb.h>

#include <QDebug>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QUrl>

#include <optional>

namespace QKel::Sm {

using QKel::Config::SaveStatusTracker;
using QKel::Global::SafeFileWriter;
using QKel::Global::Types;
using LoadError = QKel::Pb::Configuration::File::LOAD_ERROR;

QSharedPointer<StateMachine> StateMachine::mInstance;

class StateMachinePrivate
{
public:
    // Set in the main thread only, by the queued hand-over at the end of start-up.
    QSharedPointer<StateMachineBackend> machine;
    QString startupConfigurationFile;
    bool startupAutoflash = false;
    QStringList startupAssignments;
    std::optional<DeviceValues> startupValues;
    QSharedPointer<QTimer> timeoutTimer;
    // This connection's device folder, its last backup and whether a failed
    // backup was announced; cleared when the connection ends.
    QString backupFolder;
    bool sessionBackupKept = false;
    // What the gateway reported last in this connection; null before.
    QByteArray deviceConfiguration;
    bool backupFailureAnnounced = false;
    QString failureAdvice;
    // The advice the provider sent ahead of its next error.
    quint16 advisedCode = 0;
    QString advice;
    // The device sent something the waiting session could not take.
    bool unexpectedAnswer = false;

    StateMachineDefinition* definition() const { return machine ? machine->definition() : nullptr; }
    bool verifyingWrite() const { return machine && machine->definition()->isVerifyingWrite(); }

    // Hands one event to the machine once it runs; true when it was handled or queued.
    template <class Event>
    bool deliver(const Event& event)
    {
        return machine && machine->process(event);
    }
};

namespace {

QString localFilePath(const QString& url)
{
    return QUrl(url, QUrl::TolerantMode).toLocalFile();
}

} // namespace

StateMachine* StateMachine::instance()
{
    if (mInstance.isNull()) {
        mInstance.reset(new StateMachine);
    }
    return mInstance.data();
}

StateMachine::StateMachine(QObject* parent)
    : QThread(parent)
    , d(new StateMachinePrivate)
{
}

StateMachine::~StateMachine()
{
    quit();
    wait();
}

bool StateMachine::connected() const
{
    return d->machine && d->definition()->connected();
}

bool StateMachine::busy() const
{
    return d->machine && d->definition()->busy();
}

QObject* StateMachine::currentDevice() const
{
    return d->machine ? d->definition()->currentDevice() : nullptr;
}

QString StateMachine::deviceIdString() const
{
    return d->machine ? d->definition()->deviceIdString() : QString();
}

bool StateMachine::hasSessionBackup() const
{
    return d->sessionBackupKept;
}

bool StateMachine::hasDeviceConfiguration() const
{
    return !d->deviceConfiguration.isNull();
}

QString StateMachine::failureAdvice() const
{
    return d->failureAdvice;
}

void StateMachine::setFailureAdvice(const QString& advice)
{
    if (advice == d->failureAdvice)
        return;
    d->failureAdvice = advice;
    emit failureAdviceChanged(advice);
}

bool StateMachine::isMachineReady() const
{
    return !d->machine.isNull();
}

bool StateMachine::startAndWait(int timeoutMs)
{
    if (!isRunning())
        start(QThread::InheritPriority);
    if (isMachineReady())
        return true;
    // The hand-over runs in this thread's event loop, so it cannot slip in
    // between the check above and exec().
    QEventLoop loop;
    connect(this, &StateMachine::machineReady, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return isMachineReady();
}

void StateMachine::setStartupOptions(const QString& configurationFile, const bool& autoflash)
{
    d->startupConfigurationFile = configurationFile;
    d->startupAutoflash = autoflash;
}

void StateMachine::setStartupAssignments(const QStringList& assignments)
{
    d->startupAssignments = assignments;
}

void StateMachine::setStartupValues(const DeviceValues& values)
{
    d->startupValues = values;
}

// The --set assignments, then a trial of every row of the values, so that a
// bad path or value is refused before the gateway is contacted.
bool StateMachine::applyStartupAssignments()
{
    const auto device = d->definition()->device();
    QString errorText;
    const QByteArray changed =
        QKel::Frc::LeafAssignments::applied(device->serializeToByteArray(), d->startupAssignments, &errorText);
    bool refused = changed.isEmpty();
    const QList<quint32> serials = d->startupValues ? d->startupValues->serialNumbers() : QList<quint32>();
    for (auto serial = serials.cbegin(); !refused && serial != serials.cend(); ++serial) {
        QStringList row;
        d->startupValues->assignmentsFor(*serial, &row);
        refused = QKel::Frc::LeafAssignments::applied(changed, row, &errorText).isEmpty();
        if (refused)
            errorText = QStringLiteral("the values of serial number %1: %2").arg(*serial).arg(errorText);
    }
    if (refused) {
        emit startupAssignmentsRefused(errorText);
        return false;
    }
    device->restoreFromByteArray(changed);
    return true;
}

// The row of the gateway with serial number `serial`, made in the
// configuration about to be written; false (and the run ends) without one.
bool StateMachine::applyDeviceValues(quint32 serial)
{
    QStringList row;
    if (!d->startupValues->assignmentsFor(serial, &row)) {
        emit noValuesForDevice(serial);
        return false;
    }
    const auto device = d->definition()->device();
    QString errorText;
    const QByteArray changed = QKel::Frc::LeafAssignments::applied(device->serializeToByteArray(), row, &errorText);
    if (changed.isEmpty()) {
        emit startupAssignmentsRefused(errorText);
        return false;
    }
    device->restoreFromByteArray(changed);
    return true;
}

void StateMachine::run()
{
    auto machine = QSharedPointer<StateMachineBackend>::create();
    auto* definition = machine->definition();
    auto* comms = QKel::Comms::CommsHandler::instance();
    using Definition = StateMachineDefinition;
    connect(definition, &Definition::writeData, comms, &QKel::Comms::CommsHandler::onWriteData);
    connect(definition, &Definition::startCyclicWrite, comms, &QKel::Comms::CommsHandler::onStartCyclicWrite);
    connect(definition, &Definition::stopCyclicWrite, comms, &QKel::Comms::CommsHandler::onStopCyclicWrite);
    connect(comms, &QKel::Comms::CommsHandler::newData, this, &StateMachine::onNewData);
    connect(comms, &QKel::Comms::CommsHandler::errorAdvised, this, &StateMachine::onErrorAdvised);
    connect(comms, &QKel::Comms::CommsHandler::errorOccurred, this, &StateMachine::onCommsError);

    // Before the relay, so that hasSessionBackup is current when connectedChanged arrives.
    connect(definition, &Definition::connectedChanged, this, &StateMachine::onDefinitionConnectedChanged);
    connect(definition, &Definition::connectedChanged, this, &StateMachine::connectedChanged);
    // Direct in effect: the machine runs in the main thread, where the facade
    // lives, so the backup is written before the device sees the bytes.
    connect(definition, &Definition::configurationReceived, this, &StateMachine::onConfigurationReceived);
    connect(definition, &Definition::busyChanged, this, &StateMachine::busyChanged);
    // Each wait starts without a refused answer.
    connect(definition, &Definition::busyChanged, this, [this](bool busy) {
        if (busy)
            d->unexpectedAnswer = false;
    });
    connect(definition, &Definition::currentDeviceChanged, this, &StateMachine::currentDeviceChanged);
    connect(definition, &Definition::deviceIdStringChanged, this, &StateMachine::deviceIdStringChanged);
    connect(definition, &Definition::deviceUnsupported, this, &StateMachine::deviceUnsupported);
    connect(definition, &Definition::deviceError, this, &StateMachine::deviceError);
    connect(definition, &Definition::connectSuccessful, this, &StateMachine::connectSuccessful);
    connect(definition, &Definition::disconnectSuccessful, this, &StateMachine::disconnectSuccessful);
    connect(definition, &Definition::readFromDeviceSuccessful, this, &StateMachine::readFromDeviceSuccessful);
    connect(definition, &Definition::writeToDeviceSuccessful, this, &StateMachine::writeToDeviceSuccessful);
    connect(definition, &Definition::writeVerificationFailed, this, &StateMachine::writeVerificationFailed);
    connect(definition, &Definition::writeAcknowledged, this, &StateMachine::writeAcknowledged);
    connect(definition, &Definition::readBackRefused, this,
            [this] { emit writeUnverified(tr("The device answered the read-back with an error.")); });
    connect(definition, &Definition::factoryResetSuccessful, this, &StateMachine::factoryResetSuccessful);
    connect(definition, &Definition::pairingModeSuccessful, this, &StateMachine::pairingModeSuccessful);

    // The timer lives in this thread: the watch signals, emitted in the main
    // thread once the machine runs there, reach it as queued calls.
    auto timer = QSharedPointer<QTimer>::create();
    timer->setSingleShot(true);
    // A coarse timer may expire up to 5 % early, cutting a device's 10 s short.
    timer->setTimerType(Qt::PreciseTimer);
    connect(definition, &Definition::startTimeoutWatch, timer.data(), QOverload<int>::of(&QTimer::start));
    connect(definition, &Definition::stopTimeoutWatch, timer.data(), &QTimer::stop);
    connect(definition, &Definition::currentDeviceChanged, this, &StateMachine::onCurrentDeviceChanged);
    connect(timer.data(), &QTimer::timeout, this, &StateMachine::onTimeout);

    machine->start();

    // Hand the started machine to the main thread behind the signals its start
    // queued there; from now on only the main thread touches it.
    QMetaObject::invokeMethod(
        this,
        [this, machine, timer] {
            d->machine = machine;
            d->timeoutTimer = timer;
            emit machineReady();
        },
        Qt::QueuedConnection);

    if (!d->startupConfigurationFile.isEmpty()) {
        connect(this, &StateMachine::loadStartupOptions, this, &StateMachine::onLoadStartupOptions);
        emit loadStartupOptions(d->startupConfigurationFile, d->startupAutoflash);
    }

    exec();
    timer->stop();
}

void StateMachine::doConnect()
{
    d->deliver(EventConnect{});
}

void StateMachine::doDisconnect()
{
    d->deliver(EventDisconnect{});
}

void StateMachine::doEnterNormalOperation()
{
    d->deliver(EventEnterNormalOperation{});
}

void StateMachine::doReadDeviceConfiguration()
{
    d->deliver(EventReadDeviceConfiguration{});
}

void StateMachine::doWriteDeviceConfiguration()
{
    // Only a write the session would start is refused; others are dropped as ever.
    if (connected() && !busy() && refuseMaskedWrite())
        return;
    d->deliver(EventWriteDeviceConfiguration{});
}

// A masked passphrase or PIN written to a gateway would lock it out of its
// network and its Bluetooth peers; nobody should be asked to risk that, so the
// write waits until the user has entered every secret again.
bool StateMachine::refuseMaskedWrite()
{
    const auto device = d->machine ? d->definition()->device() : nullptr;
    const QStringList masked = device ? QKel::Frc::SecretMask::maskedLeaves(device->serializeToByteArray())
                                      : QStringList();
    if (masked.isEmpty())
        return false;
    qWarning() << "Refused to write a configuration without its secrets" << masked;
    emit writeRefusedSecretsRemoved(masked);
    return true;
}

void StateMachine::doEnterPairingMode()
{
    d->deliver(EventEnterPairingMode{});
}

void StateMachine::doFactoryReset()
{
    d->deliver(EventFactoryReset{});
}

void StateMachine::onNewData(QByteArray data)
{
    // A late repeat of the identification is expected; anything else the
    // waiting session refuses tells what went wrong should the wait run out.
    if (!d->deliver(EventNewData{data}) && busy() && !d->definition()->isDeviceIdString(data))
        d->unexpectedAnswer = true;
}

void StateMachine::onTimeout()
{
    const QString advice = timeoutAdvice();
    if (d->verifyingWrite()) {
        d->deliver(EventTimeout{});
        setFailureAdvice(QString());
        emit writeUnverified(tr("The device did not answer the read-back in time."));
        return;
    }
    d->deliver(EventTimeout{});
    setFailureAdvice(advice);
    emit timeout();
}

// The advice follows the stage the session reached before the wait ran out.
QString StateMachine::timeoutAdvice() const
{
    if (!d->machine)
        return QString();
    using Stage = QKel::Comms::PortAdvice::TimeoutStage;
    const Stage stage = d->unexpectedAnswer       ? Stage::UnexpectedAnswer
        : deviceIdString().isEmpty()              ? Stage::NoAnswer
                                                  : Stage::StoppedAnswering;
    return QKel::Comms::PortAdvice::forTimeout(stage, QKel::Comms::CommsHandler::instance()->portName());
}

void StateMachine::onErrorAdvised(quint16 errorCode, const QString& advice)
{
    d->advisedCode = errorCode;
    d->advice = advice;
}

void StateMachine::onCommsError(quint16 errorCode, const QString& errorText)
{
    const QString advice = d->advisedCode == errorCode ? d->advice : QString();
    d->advice.clear();
    d->advisedCode = 0;
    const bool verifying = d->verifyingWrite();
    // Link errors outside a session (after it ended, before it started) are not news.
    if (!d->deliver(EventCommsError{errorCode}))
        return;
    setFailureAdvice(advice);
    if (verifying) {
        emit writeUnverified(tr("The link failed during the read-back: %1 (error code %2).").arg(errorText).arg(errorCode));
        return;
    }
    emit commsError(errorCode, errorText);
}

void StateMachine::onLoadError(LoadError loadError)
{
    d->deliver(EventLoadError{loadError});
    emitLoadErrorSignal(loadError);
}

bool StateMachine::emitLoadErrorSignal(int loadError)
{
    switch (loadError) {
    case QKel::Pb::Configuration::File::LOAD_ERROR__VERSION_OBSOLETE:
        emit configurationVersionObsolete();
        return true;
    case QKel::Pb::Configuration::File::LOAD_ERROR__VERSION_MISMATCH:
        emit configurationVersionMismatch();
        return true;
    case QKel::Pb::Configuration::File::LOAD_ERROR__CHECKSUM:
        emit configurationChecksumError();
        return true;
    case QKel::Pb::Configuration::File::LOAD_ERROR__PARSE:
        emit configurationParseError();
        return true;
    default:
        return false;
    }
}

void StateMachine::onCurrentDeviceChanged(QObject* currentDevice)
{
    auto* device = qobject_cast<QKel::Device::AbstractDevice*>(currentDevice);
    if (!device) {
        return;
    }
    connect(device, &QKel::Device::AbstractDevice::saveNeeded, SaveStatusTracker::instance(),
            &SaveStatusTracker::onForceSaveNeeded, Qt::UniqueConnection);
    connect(device, &QKel::Device::AbstractDevice::loadError, this, &StateMachine::onLoadError,
            Qt::UniqueConnection);
}

void StateMachine::onConfigurationReceived(const QByteArray& configuration, quint32 serialNumber)
{
    auto* definition = d->definition();
    // A null array means none; an empty configuration is still one.
    d->deviceConfiguration = configuration.isNull() ? QByteArray("") : configuration;
    d->backupFolder = DeviceBackup::deviceFolder(definition->productId(), definition->deviceIdString(), serialNumber);
    const bool beforeWrite = d->startupAutoflash && !definition->isVerifyingWrite();
    if (beforeWrite) {
        emit deviceIdentified(serialNumber, definition->productId(), definition->deviceIdString());
    }
    QString errorText;
    const QString backup = DeviceBackup::keep(d->backupFolder, configuration, &errorText);
    if (backup.isEmpty()) {
        qWarning() << "Could not back up the device's configuration in" << d->backupFolder << errorText;
        if (!d->backupFailureAnnounced) {
            d->backupFailureAnnounced = true;
            emit backupFailed(d->backupFolder, errorText);
        }
        // Unattended, nothing is written that could not be had back.
        if (!definition->isVerifyingWrite())
            definition->cancelAutoflash();
        return;
    }
    d->sessionBackupKept = true;
    emit backupWritten(backup);
    // The gateway has said who it is: its own values go into what is written.
    if (d->startupValues && beforeWrite && !applyDeviceValues(serialNumber))
        definition->cancelAutoflash();
}

void StateMachine::onDefinitionConnectedChanged(bool connected)
{
    if (connected) {
        return;
    }
    d->backupFolder.clear();
    d->sessionBackupKept = false;
    d->deviceConfiguration = QByteArray();
    d->backupFailureAnnounced = false;
}

QUrl StateMachine::backupFolderUrl() const
{
    const QString folder = d->backupFolder.isEmpty() ? DeviceBackup::rootFolder() : d->backupFolder;
    DeviceBackup::makePrivateFolder(folder);
    return QUrl::fromLocalFile(folder);
}

QVariantList StateMachine::compareWithDevice() const
{
    const auto device = d->machine ? d->definition()->device() : nullptr;
    if (!device || !hasDeviceConfiguration())
        return {};
    return ConfigurationDifferences::between(d->deviceConfiguration, device->serializeToByteArray());
}

bool StateMachine::loadConfiguration(const QString& configurationUrl)
{
    if (!d->machine) {
        qWarning() << "Could not load from" << configurationUrl;
        return false;
    }
    const QString filePath = localFilePath(configurationUrl);
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning() << "Could not open configuration file" << configurationUrl;
        return false;
    }
    // Parsed once: the product ID picks the driver, whose device takes the file over.
    const QKel::Device::ParsedConfiguration configuration(file.readAll());
    if (!configuration.loaded()) {
        if (!emitLoadErrorSignal(configuration.loadError())) {
            qWarning() << "Unrecognized error loading the configuration file:" << int(configuration.loadError());
        }
        return false;
    }
    const QString productId = configuration.file()->productId();
    const auto device = QKel::Device::DeviceFactory::instance()->createDevice(productId);
    if (!device) {
        emit configurationUnsupported(productId);
        return false;
    }
    device->restoreFromConfiguration(configuration);
    if (!takeOverDevice(device)) {
        return false;
    }
    setTrackerTo(filePath, configurationUrl, Types::CONFIGURATION_TYPE_FILE);
    emit loadFileSuccessful(filePath);
    const QStringList masked = QKel::Frc::SecretMask::maskedLeaves(configuration.bytes());
    if (!masked.isEmpty())
        emit configurationSecretsRemoved(masked);
    return true;
}

void StateMachine::doLoadConfiguration(QString configurationUrl)
{
    loadConfiguration(configurationUrl);
}

void StateMachine::doNewConfiguration(QString productId)
{
    if (!d->machine) {
        qWarning() << "Could not create a new configuration for product ID" << productId;
        return;
    }
    const auto device = QKel::Device::DeviceFactory::instance()->createDevice(productId);
    if (!device) {
        emit configurationUnsupported(productId);
        return;
    }
    if (!takeOverDevice(device)) {
        return;
    }
    setTrackerTo(QString(), QString(), Types::CONFIGURATION_TYPE_NEW);
    emit newFileSuccessful(device->name());
}

void StateMachine::doSaveConfiguration(QString configurationUrl)
{
    const QString filePath = localFilePath(configurationUrl);
    const auto device = d->machine ? d->definition()->device() : nullptr;
    if (!device) {
        qWarning() << "Could not save to" << configurationUrl;
        emit saveFileFailed(filePath, tr("There is no configuration to save."));
        return;
    }
    QString errorText;
    if (!SafeFileWriter::write(filePath, device->serializeToByteArray(), &errorText)) {
        qWarning() << "Could not open configuration file" << configurationUrl << errorText;
        emit saveFileFailed(filePath, errorText);
        return;
    }
    setTrackerTo(filePath, configurationUrl, Types::CONFIGURATION_TYPE_FILE);
    emit saveFileSuccessful(filePath);
}

void StateMachine::doPackSupportArchive(QString archiveUrl, bool includeSecrets)
{
    const QString filePath = localFilePath(archiveUrl);
    const auto device = d->machine ? d->definition()->device() : nullptr;
    if (!device) {
        qWarning() << "Could not save support archive to" << archiveUrl;
        emit packSupportArchiveFailed(filePath, tr("There is no configuration to pack."));
        return;
    }
    QString errorText;
    const auto secrets = includeSecrets ? SupportArchive::Secrets::Include : SupportArchive::Secrets::Mask;
    if (!SupportArchive::write(filePath, *device, d->definition()->deviceIdString(), secrets, &errorText)) {
        qWarning() << "Could not open support archive file" << archiveUrl << errorText;
        emit packSupportArchiveFailed(filePath, errorText);
        return;
    }
    emit packSupportArchiveSuccessful(filePath);
}

void StateMachine::onLoadStartupOptions(QString configurationFile, bool autoflash)
{
    disconnect(this, &StateMachine::loadStartupOptions, this, &StateMachine::onLoadStartupOptions);
    const bool loaded = loadConfiguration(configurationFile);
    if (!autoflash) {
        return;
    }
    // Never flash some other configuration than the one asked for.
    if (!loaded || !applyStartupAssignments() || refuseMaskedWrite()) {
        StateMachineDefinition::finishAutoflash(false);
        return;
    }
    d->machine->process(EventAutoflash{});
}

bool StateMachine::takeOverDevice(const QSharedPointer<QKel::Device::AbstractDevice>& device)
{
    // The machine drops a new device while a connection is being set up or a
    // device operation runs; the tracker then must keep describing the old one.
    if (d->machine->process(EventSetDevice{device})) {
        return true;
    }
    emit configurationRejectedWhileBusy();
    return false;
}

void StateMachine::setTrackerTo(const QString& filePath, const QString& fileUrl,
                                QKel::Global::Types::eConfigurationType type)
{
    auto* tracker = SaveStatusTracker::instance();
    tracker->setCurrentFilePath(filePath);
    tracker->setCurrentFileUrl(fileUrl);
    tracker->setSaveNeeded(false);
    tracker->setConfigurationType(type);
}

} // namespace QKel::Sm
