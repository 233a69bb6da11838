#pragma once

#include "dataProvider.h"

#include <QScopedPointer>
#include <QSerialPort>

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
    static constexpr quint16 NotConfiguredError = 65535;
    static constexpr const char* PortKey = "comms/serial/port";
    // Extra port paths (for example pseudo-terminals), separated by ':',
    // offered before the ports the system enumerates.
    static constexpr const char* ExtraPortsVariable = "TARN_SERIAL_PORTS";

    // Offers the extra ports, then the ports the system enumerates.
    explicit SerialProvider(QObject* parent = nullptr);
    // Offers the extra ports, then `systemPorts` (port names) in place of the
    // system's enumeration.
    SerialProvider(const QStringList& systemPorts, QObject* parent = nullptr);
    ~SerialProvider() override;

    bool settingsValid() const;
    static QString errorText(quint16 errorCode);

public slots:
    void close() override;
    void open() override;
    QList<QKel::Global::Setting*> settingsList() const override;
    void onWriteData(QByteArray data) override;

private slots:
    void onReadyRead();
    void onPortChanged(QVariant value);
    void onSerialPortError(QSerialPort::SerialPortError error);

private:
    void closeSerial();
    void openSerial();
    void configureLines();
    void drainWrites();
    void closeAfterLinkLoss();

    QScopedPointer<SerialProviderPrivate> d;
};

} // namespace QKel::Comms
