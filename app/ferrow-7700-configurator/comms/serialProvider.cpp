#include "serialProvider.h"

#include "setting.h"
#include "protocol/frameAssembler.h"

#include <QDebug>
#include <QSerialPortInfo>
#include <QSettings>
#include <QThread>

#include <algorithm>

namespace QKel::Comms {

using Global::Setting;

namespace {

constexpr unsigned long CloseDelayUs = 150000;
// A drain gives up when the device has taken no byte for this long.
constexpr int DrainStallMs = 1000;

QStringList enumeratedPorts()
{
    QStringList names;
    for (const auto& info : QSerialPortInfo::availablePorts())
        names.append(info.portName());
    return names;
}

QList<QVariant> offeredPorts(const QStringList& systemPorts)
{
    QStringList names = qEnvironmentVariable(SerialProvider::ExtraPortsVariable).split(':', Qt::SkipEmptyParts);
    for (const auto& name : systemPorts) {
        if (!names.contains(name))
            names.append(name);
    }
    QList<QVariant> ports;
    for (const auto& name : names)
        ports.append(name);
    return ports;
}

bool isLinkLoss(QSerialPort::SerialPortError error)
{
    return error == QSerialPort::ReadError || error == QSerialPort::WriteError
        || error == QSerialPort::ResourceError;
}

} // namespace

class SerialProviderPrivate
{
public:
    QSerialPort* port = nullptr;
    QString portName;
    Protocol::FrameAssembler receiveBuffer;
    QList<QVariant> availablePorts;
    Setting* portSetting = nullptr;
    // Set while DTR and RTS are configured: ports without modem-control lines
    // refuse them, which is no reason to fail the session.
    bool configuringLines = false;
    bool linesRefused = false;
    // Set after a lost link was reported, until the next open: a vanished
    // device makes the port repeat its error endlessly.
    bool silenced = false;

    bool isAvailable(const QString& name) const
    {
        return std::any_of(availablePorts.cbegin(), availablePorts.cend(),
                           [&name](const QVariant& port) { return port.toString() == name; });
    }
};

SerialProvider::SerialProvider(QObject* parent)
    : SerialProvider(enumeratedPorts(), parent)
{
}

SerialProvider::SerialProvider(const QStringList& systemPorts, QObject* parent)
    : DataProvider(parent)
    , d(new SerialProviderPrivate)
{
    qRegisterMetaType<QSerialPort::SerialPortError>();
    d->port = new QSerialPort(this);
    connect(d->port, &QSerialPort::readyRead, this, &SerialProvider::onReadyRead);
    connect(d->port, &QSerialPort::errorOccurred, this, &SerialProvider::onSerialPortError);

    d->availablePorts = offeredPorts(systemPorts);

    QString stored = QSettings().value(PortKey, QString()).toString();
    if (stored.isEmpty() || !d->isAvailable(stored))
        stored = d->availablePorts.isEmpty() ? QString() : d->availablePorts.first().toString();

    d->portSetting = new Setting(QStringLiteral("Port"), Setting::SETTING_TYPE_COMBO, d->availablePorts, QString());
    connect(d->portSetting, &Setting::valueChanged, this, &SerialProvider::onPortChanged);
    d->portSetting->setValue(stored);
}

SerialProvider::~SerialProvider()
{
    fillSettings();
}

bool SerialProvider::settingsValid() const
{
    return !d->portName.isEmpty();
}

QString SerialProvider::errorText(quint16 errorCode)
{
    switch (errorCode) {
    case QSerialPort::NoError: return QStringLiteral("No error.");
    case QSerialPort::DeviceNotFoundError: return QStringLiteral("Attempted to open a non-existent device.");
    case QSerialPort::PermissionError:
        return QStringLiteral("The device is being used by another process, or permissions or credentials are "
                              "insufficient for opening the device.");
    case QSerialPort::OpenError:
        return QStringLiteral("The device cannot be opened, as it has already been opened (perhaps by another "
                              "process).");
    case QSerialPort::ParityError: return QStringLiteral("Parity error detected.");
    case QSerialPort::FramingError: return QStringLiteral("Framing error detected.");
    case QSerialPort::BreakConditionError: return QStringLiteral("Break condition detected.");
    case QSerialPort::WriteError: return QStringLiteral("Failed to write to the device.");
    case QSerialPort::ReadError: return QStringLiteral("Failed to read from the device.");
    case QSerialPort::ResourceError:
        return QStringLiteral("Device or resource has become unavailable (perhaps removed or disconnected).");
    case QSerialPort::UnsupportedOperationError: return QStringLiteral("Operation not permitted by the operating system.");
    case QSerialPort::TimeoutError: return QStringLiteral("A timeout error occurred.");
    case QSerialPort::NotOpenError: return QStringLiteral("Attempted to write to a device that has not yet been opened.");
    default: return QStringLiteral("Unknown error.");
    }
}

void SerialProvider::close()
{
    closeSerial();
}

void SerialProvider::open()
{
    openSerial();
}

QList<Setting*> SerialProvider::settingsList() const
{
    return {d->portSetting};
}

void SerialProvider::onWriteData(QByteArray data)
{
    if (!d->port->isOpen())
        openSerial();
    d->receiveBuffer.clear();
    if (d->port->isOpen()) {
        if (data.isEmpty()) {
            qWarning() << "Attempted to write empty data to the serial port.";
            return;
        }
        if (d->port->write(data) != data.size())
            qWarning() << "Failed to write all bytes to the serial port.";
        return;
    }
    if (!d->portName.isEmpty()) {
        qWarning() << "Failed to open the serial port for writing.";
        emit errorOccurred(QSerialPort::OpenError, errorText(QSerialPort::OpenError));
    } else {
        qWarning() << "Failed to open the serial port (not configured).";
        emit errorOccurred(NotConfiguredError, tr("The serial port is not yet configured."));
    }
}

void SerialProvider::onReadyRead()
{
    const auto payloads = d->receiveBuffer.append(d->port->readAll());
    for (const auto& payload : payloads)
        emit newData(payload);
}

void SerialProvider::onPortChanged(QVariant value)
{
    const QString name = value.toString();
    if (name == d->portName || name.isEmpty())
        return;
    if (d->isAvailable(name))
        d->portName = name;
    else
        qWarning() << "Refusing to move to a port that is not currently available.";
    closeSerial();
    QSettings().setValue(PortKey, d->portName);
}

void SerialProvider::onSerialPortError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || d->silenced)
        return;
    if (d->configuringLines && error == QSerialPort::UnsupportedOperationError) {
        d->linesRefused = true;
        return;
    }
    const auto code = static_cast<quint16>(error);
    qWarning() << "Serial port error:" << code;
    emit errorOccurred(code, errorText(code));
    if (isLinkLoss(error)) {
        d->silenced = true;
        // Closed once the port has returned from the call that reported the error.
        QMetaObject::invokeMethod(this, &SerialProvider::closeAfterLinkLoss, Qt::QueuedConnection);
    }
}

void SerialProvider::closeSerial()
{
    if (!d->port->isOpen())
        return;
    drainWrites();
    QThread::usleep(CloseDelayUs);
    d->port->close();
}

void SerialProvider::drainWrites()
{
    // Closing the port discards what it still buffers, so the last command
    // (for example "enter normal operation") must have left before.
    while (d->port->bytesToWrite() > 0 && d->port->waitForBytesWritten(DrainStallMs)) {
    }
    if (d->port->bytesToWrite() > 0)
        qWarning() << "Closing the serial port with unsent bytes:" << d->port->bytesToWrite();
}

void SerialProvider::closeAfterLinkLoss()
{
    if (d->port->isOpen())
        d->port->close();
    d->receiveBuffer.clear();
}

void SerialProvider::configureLines()
{
    d->configuringLines = true;
    d->linesRefused = false;
    d->port->setDataTerminalReady(false);
    d->port->setRequestToSend(false);
    d->configuringLines = false;
    if (d->linesRefused) {
        qWarning() << "The port has no modem-control lines; DTR and RTS stay as they are:" << d->portName;
        d->port->clearError();
    }
}

void SerialProvider::openSerial()
{
    closeSerial();
    d->receiveBuffer.clear();
    if (d->portName.isEmpty()) {
        qWarning() << "Cannot open a serial port connection with invalid settings.";
        return;
    }
    d->silenced = false;
    d->port->setPortName(d->portName);
    d->port->open(QIODevice::ReadWrite);
    d->port->setBaudRate(BaudRate);
    if (d->port->isOpen()) {
        configureLines();
        // Bytes the device sent while the port was closed (a late answer of an
        // earlier session) must not pass for the answer to the next request.
        d->port->clear(QSerialPort::Input);
    } else {
        qWarning() << "Could not connect to port" << d->portName << "with baud rate" << BaudRate;
    }
}

} // namespace QKel::Comms
