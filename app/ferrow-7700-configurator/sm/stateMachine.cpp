#include "stateMachine.h"

#include "saveStatusTracker.h"
#include "safeFileWriter.h"
#include "deviceBackup.h"
#include "stateMachineBackend.h"
#include "stateMachineDefinition.h"
#include "supportArchive.h"

#include <commsHandler.h>
#include <portAdvice.h>
#include <deviceFactory.h>
#include <leafPaths.h>

#include <configuration.pb.h>

#include <QDebug>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QUrl>

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
    QSharedPointer<QTimer> timeoutTimer;
    // This connection's device folder, its last backup and whether a failed
    // backup was announced; cleared when the connection ends.
    QString backupFolder;
    QByteArray sessionBackup;
    bool backupFailureAnnounced = false;
    QString failureAdvice;
    // The advice the provider sent ahead of its next error.
    quint16 advisedCode = 0;
    QString advice;

    StateMachineDefinition* definition() const { return machine ? machine->definition() : nullptr; }

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
    return !d->sessionBackup.isNull();
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
    connect(definition, &Definition::currentDeviceChanged, this, &StateMachine::currentDeviceChanged);
    connect(definition, &Definition::deviceIdStringChanged, this, &StateMachine::deviceIdStringChanged);
    connect(definition, &Definition::deviceUnsupported, this, &StateMachine::deviceUnsupported);
    connect(definition, &Definition::deviceError, this, &StateMachine::deviceError);
    connect(definition, &Definition::connectSuccessful, this, &StateMachine::connectSuccessful);
    connect(definition, &Definition::disconnectSuccessful, this, &StateMachine::disconnectSuccessful);
    connect(definition, &Definition::readFromDeviceSuccessful, this, &StateMachine::readFromDeviceSuccessful);
    connect(definition, &Definition::writeToDeviceSuccessful, this, &StateMachine::writeToDeviceSuccessful);
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
    d->deliver(EventWriteDeviceConfiguration{});
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
    d->deliver(EventNewData{data});
}

void StateMachine::onTimeout()
{
    // Silence while connecting is the case a checklist helps with; a device
    // that answered before and then stopped has other causes.
    const bool connecting = d->machine && !d->definition()->connected();
    d->deliver(EventTimeout{});
    setFailureAdvice(connecting ? QKel::Comms::PortAdvice::forSilence(QKel::Comms::CommsHandler::instance()->portName())
                                : QString());
    emit timeout();
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
    // Link errors outside a session (after it ended, before it started) are not news.
    if (d->deliver(EventCommsError{errorCode})) {
        setFailureAdvice(advice);
        emit commsError(errorCode, errorText);
    }
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
    const auto* definition = d->definition();
    d->backupFolder = DeviceBackup::deviceFolder(definition->productId(), definition->deviceIdString(), serialNumber);
    QString errorText;
    if (DeviceBackup::keep(d->backupFolder, configuration, &errorText).isEmpty()) {
        qWarning() << "Could not back up the device's configuration in" << d->backupFolder << errorText;
        if (!d->backupFailureAnnounced) {
            d->backupFailureAnnounced = true;
            emit backupFailed(d->backupFolder, errorText);
        }
        return;
    }
    // A null array means no backup; an empty configuration is still one.
    d->sessionBackup = configuration.isNull() ? QByteArray("") : configuration;
}

void StateMachine::onDefinitionConnectedChanged(bool connected)
{
    if (connected) {
        return;
    }
    d->backupFolder.clear();
    d->sessionBackup = QByteArray();
    d->backupFailureAnnounced = false;
}

QUrl StateMachine::backupFolderUrl() const
{
    const QString folder = d->backupFolder.isEmpty() ? DeviceBackup::rootFolder() : d->backupFolder;
    QDir().mkpath(folder);
    return QUrl::fromLocalFile(folder);
}

QVariantList StateMachine::compareWithDevice() const
{
    const auto device = d->machine ? d->definition()->device() : nullptr;
    Kel::Pb::Configuration::File held;
    Kel::Pb::Configuration::File edited;
    if (!device || !hasSessionBackup()
        || !held.ParsePartialFromArray(d->sessionBackup.constData(), d->sessionBackup.size())) {
        return {};
    }
    const QByteArray editorBytes = device->serializeToByteArray();
    edited.ParsePartialFromArray(editorBytes.constData(), editorBytes.size());
    QVariantList rows;
    for (const auto& difference : QKel::Frc::LeafPaths::diff(held, edited)) {
        rows.append(QVariantMap{{QStringLiteral("path"), difference.path},
                                {QStringLiteral("deviceValue"), difference.a},
                                {QStringLiteral("editorValue"), difference.b}});
    }
    return rows;
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

void StateMachine::doPackSupportArchive(QString archiveUrl)
{
    const QString filePath = localFilePath(archiveUrl);
    const auto device = d->machine ? d->definition()->device() : nullptr;
    if (!device) {
        qWarning() << "Could not save support archive to" << archiveUrl;
        emit packSupportArchiveFailed(filePath, tr("There is no configuration to pack."));
        return;
    }
    QString errorText;
    if (!SupportArchive::write(filePath, *device, d->definition()->deviceIdString(), &errorText)) {
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
    if (!loaded) {
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
