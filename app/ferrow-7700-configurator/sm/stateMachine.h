#pragma once

#include <configuration.h>
#include <device/abstractDevice.h>
#include <global/types.h>

#include <QObject>
#include <QScopedPointer>
#include <QSharedPointer>
#include <QString>
#include <QThread>
#include <QUrl>
#include <QVariantList>

namespace QKel::Sm {

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
    QString failureAdvice() const;

    // True once the machine was started and handed to the main thread; before
    // that every operation is a no-op.
    bool isMachineReady() const;
    // Starts the thread and runs this thread's events until the machine is
    // handed over; false when that took longer than timeoutMs. For callers
    // that operate at once, before any event loop of theirs has run.
    bool startAndWait(int timeoutMs = 30000);

    void setStartupOptions(const QString& configurationFile, const bool& autoflash);

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
    Q_INVOKABLE void doPackSupportArchive(QString archiveUrl);

    // The backups of the connected device, or of all devices when none is
    // known in this session; created when missing, so that it can be opened.
    Q_INVOKABLE QUrl backupFolderUrl() const;
    // The leaves in which the editor's configuration differs from the last
    // backup of this session: maps of "path", "deviceValue", "editorValue".
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
    bool loadConfiguration(const QString& configurationUrl);
    bool takeOverDevice(const QSharedPointer<QKel::Device::AbstractDevice>& device);
    void setTrackerTo(const QString& filePath, const QString& fileUrl,
                      QKel::Global::Types::eConfigurationType type);

    static QSharedPointer<StateMachine> mInstance;
    QScopedPointer<StateMachinePrivate> d;
};

} // namespace QKel::Sm
