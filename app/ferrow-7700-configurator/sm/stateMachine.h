#pragma once

#include <configuration.h>
#include <device/abstractDevice.h>
#include <global/types.h>

#include <QObject>
#include <QScopedPointer>
#include <QSharedPointer>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QUrl>
#include <QVariantList>

namespace QKel::Sm {

class DeviceValues;
class StateMachinePrivate;

// The facade through which the program drives the session with the device. Its
// thread creates the state machine, wires it to the comms handler and to the
// timeout timer, starts it and then serves the timer; the facade object itself
// lives in the main thread, where every later event is processed.
class StateMachine : public QThread
{
    Q_OBJECT
    Q_PROPERTY(bool connected READ connected NOTIFY connectedChanged)
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)
    Q_PROPERTY(QObject* currentDevice READ currentDevice NOTIFY currentDeviceChanged)
    Q_PROPERTY(QString deviceIdString READ deviceIdString NOTIFY deviceIdStringChanged)
    // Changes only with the connection: the backup is kept while the read is
    // taken, before the connected state is announced again.
    Q_PROPERTY(bool hasSessionBackup READ hasSessionBackup NOTIFY connectedChanged)
    // What the gateway holds is known: it reported its configuration in this
    // connection (whether or not the backup of it could be written).
    Q_PROPERTY(bool hasDeviceConfiguration READ hasDeviceConfiguration NOTIFY connectedChanged)
    // What the user can do about the failure reported last by commsError or
    // timeout, one paragraph; set before either is emitted, empty when the
    // cause cannot be told.
    Q_PROPERTY(QString failureAdvice READ failureAdvice NOTIFY failureAdviceChanged)

public:
    static StateMachine* instance();

    explicit StateMachine(QObject* parent = nullptr);
    // Asks the thread to quit and waits for it, so the timer stops in its own thread.
    ~StateMachine() override;

    bool connected() const;
    bool busy() const;
    QObject* currentDevice() const;
    QString deviceIdString() const;
    // True once this connection kept a backup of the device's configuration.
    bool hasSessionBackup() const;
    bool hasDeviceConfiguration() const;
    QString failureAdvice() const;

    // True once the machine was started and handed to the main thread; before
    // that every operation is a no-op.
    bool isMachineReady() const;
    // Starts the thread and runs this thread's events until the machine is
    // handed over; false when that took longer than timeoutMs. For callers
    // that operate at once, before any event loop of theirs has run.
    bool startAndWait(int timeoutMs = 30000);

    void setStartupOptions(const QString& configurationFile, const bool& autoflash);
    // Leaves ("PATH=VALUE") an autoflash changes in the start-up file before
    // anything is sent; a refused one ends the run.
    void setStartupAssignments(const QStringList& assignments);
    // Values of their own for the gateways an autoflash may meet, by serial
    // number; a gateway without a row is not written.
    void setStartupValues(const DeviceValues& values);

    Q_INVOKABLE void doConnect();
    Q_INVOKABLE void doDisconnect();
    Q_INVOKABLE void doEnterNormalOperation();
    Q_INVOKABLE void doLoadConfiguration(QString configurationUrl);
    Q_INVOKABLE void doNewConfiguration(QString productId);
    Q_INVOKABLE void doSaveConfiguration(QString configurationUrl);
    Q_INVOKABLE void doReadDeviceConfiguration();
    Q_INVOKABLE void doWriteDeviceConfiguration();
    Q_INVOKABLE void doEnterPairingMode();
    Q_INVOKABLE void doFactoryReset();
    // The archive's configuration carries its passwords, keys and PINs only
    // when includeSecrets is true; otherwise they are masked.
    Q_INVOKABLE void doPackSupportArchive(QString archiveUrl, bool includeSecrets = false);

    // The backups of the connected device, or of all devices when none is
    // known in this session; created when missing, so that it can be opened.
    Q_INVOKABLE QUrl backupFolderUrl() const;
    // The leaves in which the editor's configuration differs from what the
    // gateway reported last in this connection, leaving out the device
    // information: maps of "path", "deviceValue", "editorValue".
    Q_INVOKABLE QVariantList compareWithDevice() const;

signals:
    void connectedChanged(bool connected);
    void busyChanged(bool busy);
    void currentDeviceChanged(QObject* currentDevice);
    void deviceIdStringChanged(QString deviceIdString);
    void failureAdviceChanged(QString failureAdvice);
    // The machine now runs in the main thread and takes operations.
    void machineReady();
    void deviceUnsupported(QString deviceIdString, QString productId);
    void configurationUnsupported(QString productId);
    void configurationVersionMismatch();
    void configurationVersionObsolete();
    void configurationChecksumError();
    void configurationParseError();
    void deviceError();
    void timeout();
    void commsError(quint16 errorCode, QString errorText);
    void loadFileSuccessful(QString filePath);
    void newFileSuccessful(QString deviceName);
    void saveFileSuccessful(QString filePath);
    void packSupportArchiveSuccessful(QString filePath);
    void connectSuccessful();
    void disconnectSuccessful();
    void readFromDeviceSuccessful();
    void writeToDeviceSuccessful();
    // The gateway acknowledged a write; its read-back follows.
    void writeAcknowledged();
    // A write the gateway acknowledged but does not hold: the leaves that read
    // back otherwise, as compareWithDevice lists them ("editorValue" is the
    // value sent). The editor's configuration is unchanged.
    void writeVerificationFailed(QVariantList differences);
    // A write the gateway acknowledged but whose read-back failed (`reason`):
    // whether the gateway holds it is not known.
    void writeUnverified(QString reason);
    void factoryResetSuccessful();
    void pairingModeSuccessful();
    void loadStartupOptions(QString configurationFile, bool autoflash);
    // A save that did not reach the disk; the previous file is untouched.
    void saveFileFailed(QString filePath, QString errorText);
    // A support archive that could not be written; no file was left behind.
    void packSupportArchiveFailed(QString filePath, QString errorText);
    // A loaded or new configuration was not taken over because a connection is
    // being set up or a device operation is running.
    void configurationRejectedWhileBusy();
    // A configuration the gateway reported could not be kept in `folder`;
    // announced once per connection, the session goes on.
    void backupFailed(QString folder, QString errorText);
    // The configuration just loaded lacks the secrets at these leaf paths: it
    // came from a support archive that masked them.
    void configurationSecretsRemoved(QStringList leafPaths);
    // A write was not started because the configuration still lacks the
    // secrets at these leaf paths; the gateway was not contacted.
    void writeRefusedSecretsRemoved(QStringList leafPaths);
    // The start-up assignments could not be made (`errorText` names the first
    // refused); the autoflash ends before anything is sent.
    void startupAssignmentsRefused(QString errorText);
    // The gateway reports a serial number the start-up values have no row
    // for; the autoflash ends before anything is written.
    void noValuesForDevice(quint32 serialNumber);
    // An autoflash learnt who the gateway is, from its configuration read
    // before the write.
    void deviceIdentified(quint32 serialNumber, QString productId, QString identification);
    // A configuration the gateway reported was kept at `filePath`.
    void backupWritten(QString filePath);

protected:
    void run() override;

private slots:
    void onNewData(QByteArray data);
    void onLoadStartupOptions(QString configurationFile, bool autoflash);
    void onCommsError(quint16 errorCode, const QString& errorText);
    void onErrorAdvised(quint16 errorCode, const QString& advice);
    void onTimeout();
    void onLoadError(QKel::Pb::Configuration::File::LOAD_ERROR loadError);
    void onCurrentDeviceChanged(QObject* currentDevice);
    void onConfigurationReceived(const QByteArray& configuration, quint32 serialNumber);
    void onDefinitionConnectedChanged(bool connected);

private:
    bool emitLoadErrorSignal(int loadError);
    void setFailureAdvice(const QString& advice);
    QString timeoutAdvice() const;
    bool loadConfiguration(const QString& configurationUrl);
    // True, with writeRefusedSecretsRemoved, when the editor's configuration
    // holds masked secrets and so must not be written.
    bool refuseMaskedWrite();
    bool applyStartupAssignments();
    bool applyDeviceValues(quint32 serial);
    bool takeOverDevice(const QSharedPointer<QKel::Device::AbstractDevice>& device);
    void setTrackerTo(const QString& filePath, const QString& fileUrl,
                      QKel::Global::Types::eConfigurationType type);

    static QSharedPointer<StateMachine> mInstance;
    QScopedPointer<StateMachinePrivate> d;
};

} // namespace QKel::Sm
