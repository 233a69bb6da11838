#pragma once

#include <QByteArray>
#include <QObject>
#include <QScopedPointer>
#include <QSharedPointer>
#include <QStringList>

namespace QKel::Comms {

class CommsHandlerPrivate;

// Process-wide entry point to the device link: owns the current data provider
// and the worker thread it runs in, relays frames to it and payloads and errors
// back, and repeats a frame until told to stop or the device answers.
class CommsHandler : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QObject* currentProvider READ currentProvider NOTIFY currentProviderChanged)
    Q_PROPERTY(QStringList providerTypes READ providerTypes CONSTANT)
    Q_PROPERTY(QString currentProviderType READ currentProviderType WRITE setCurrentProviderType NOTIFY
                   currentProviderTypeChanged)
    // The provider's port and, when the system knows it, its adapter:
    // "ttyUSB0 — USB serial adapter, serial number 1234"; empty without a port.
    Q_PROPERTY(QString portLabel READ portLabel NOTIFY portLabelChanged)

public:
    static constexpr const char* ProviderKey = "comms/provider";

    static CommsHandler* instance();

    explicit CommsHandler(QObject* parent = nullptr);
    ~CommsHandler() override;

    QObject* currentProvider() const;
    QStringList providerTypes() const;
    QString currentProviderType() const;
    void setCurrentProviderType(const QString& providerType);
    QString portLabel() const;
    // The provider's port as last reported; callable from any thread.
    QString portName() const;

    // Has the provider look for ports again, in its worker thread; returns at
    // once. The choices of its settings follow when it is done.
    Q_INVOKABLE void refreshPorts();

    // Run the provider's open()/close() in the worker thread, where its port
    // lives, and return when they are done. Callable from any thread.
    void open();
    void close();

signals:
    void currentProviderChanged(QObject* provider);
    void currentProviderTypeChanged(QString providerType);
    void newData(QByteArray data);
    void errorOccurred(quint16 errorCode, QString errorText);
    // Relayed from the provider, just before errorOccurred with the same code.
    void errorAdvised(quint16 errorCode, QString advice);
    void portLabelChanged(QString portLabel);
    void writeData(QByteArray data);

public slots:
    void onWriteData(QByteArray data);
    void onStartCyclicWrite(QByteArray data, int intervalMs, bool stopOnData);
    void onStopCyclicWrite();

private slots:
    void onCyclicTimer();
    void onPortChanged(const QString& portName, const QString& description);

private:
    // Stops the cyclic write and the worker and releases the provider with its
    // settings; runs as the application object goes, and again (a no-op) at
    // static destruction.
    void shutDown();
    void shutDownInOwnThread();
    void releaseProvider();
    void invokeOnProvider(const char* method);

    static QSharedPointer<CommsHandler> mInstance;
    QScopedPointer<CommsHandlerPrivate> d;
};

} // namespace QKel::Comms
