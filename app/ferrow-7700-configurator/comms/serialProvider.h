#pragma once

#include "dataProvider.h"

#include <QScopedPointer>
#include <QSerialPort>

#include <functional>

namespace QKel::Comms {

class SerialProviderPrivate;

// Data provider over a serial port. The port opens lazily at the first write,
// runs at 115200 baud with DTR and RTS off, and is only touched in the thread
// the provider lives in.
class SerialProvider : public DataProvider
{
    Q_OBJECT

public:
    static constexpr qint32 BaudRate = 115200;
    // The port stays open this long after the last byte left, so the device
    // takes a closing command before the line drops.
    static constexpr int CloseDelayMs = 150;
    static constexpr quint16 NotConfiguredError = 65535;
    static constexpr const char* PortKey = "comms/serial/port";
    // Extra port paths (for example pseudo-terminals), separated by ':',
    // offered before the ports the system enumerates while their path exists.
    static constexpr const char* ExtraPortsVariable = "TARN_SERIAL_PORTS";

    // Offers the extra ports, then the ports the system enumerates.
    explicit SerialProvider(QObject* parent = nullptr);
    // Offers the extra ports, then `systemPorts` (port names) in place of the
    // system's enumeration.
    SerialProvider(const QStringList& systemPorts, QObject* parent = nullptr);
    // Offers the extra ports, then the names `enumerate` returns at each look.
    SerialProvider(std::function<QStringList()> enumerate, QObject* parent = nullptr);
    ~SerialProvider() override;

    bool settingsValid() const;
    static QString errorText(quint16 errorCode);

    // Uses `portName` for this run only: it is the one port offered and chosen,
    // present or not, and the settings store is neither read for the port nor
    // written. Called from the command line, before any provider exists.
    static void fixPortForThisRun(const QString& portName);
    static bool isPortFixed();

public slots:
    void close() override;
    void open() override;
    QList<QKel::Global::Setting*> settingsList() const override;
    void onWriteData(QByteArray data) override;
    // Enumerates the ports again; chooses the stored port when it is back, or
    // the only port when none is configured; keeps an open port as it is.
    void refresh() override;

private slots:
    void onReadyRead();
    void onPortChanged(QVariant value);
    void onSerialPortError(QSerialPort::SerialPortError error);

private:
    // Enumerates the ports and makes the first choice now, or at the first refresh.
    void setUp(bool lookNow);
    void closeSerial();
    void openSerial();
    void configureLines();
    void drainWrites();
    void closeAfterLinkLoss();
    void reportError(quint16 code, const QString& text, const QString& advice);
    void publishPorts(bool choiceChanged);

    QScopedPointer<SerialProviderPrivate> d;
};

} // namespace QKel::Comms
