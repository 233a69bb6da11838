#include "serialProvider.h"

#include "setting.h"
#include "portAdvice.h"
#include "protocol/frameAssembler.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QSettings>
#include <QThread>

#include <algorithm>

namespace QKel::Comms {

using Global::Setting;

namespace {

// A drain gives up when the device has taken no byte for this long.
constexpr int DrainStallMs = 1000;

struct PortChoice
{
    QString name;
    QString description;
};
using PortChoices = QList<PortChoice>;

// What tells two adapters apart: their description, maker and USB serial number.
QString describe(const QSerialPortInfo& info)
{
    QStringList parts;
    for (const auto& part : {info.description(), info.manufacturer()}) {
        if (!part.isEmpty() && !parts.contains(part))
            parts.append(part);
    }
    if (!info.serialNumber().isEmpty())
        parts.append(QCoreApplication::translate("SerialProvider", "serial number %1").arg(info.serialNumber()));
    return parts.join(QStringLiteral(", "));
}

PortChoices enumeratedPorts()
{
    PortChoices ports;
    for (const auto& info : QSerialPortInfo::availablePorts())
        ports.append({info.portName(), describe(info)});
    return ports;
}

const PortChoice* findPort(const PortChoices& ports, const QString& name)
{
    const auto found =
        std::find_if(ports.cbegin(), ports.cend(), [&name](const PortChoice& port) { return port.name == name; });
    return found == ports.cend() ? nullptr : &*found;
}

std::function<PortChoices()> fixedNames(std::function<QStringList()> enumerate)
{
    return [enumerate] {
        PortChoices ports;
        for (const auto& name : enumerate())
            ports.append({name, QString()});
        return ports;
    };
}

bool isPresent(const QString& portName)
{
    return QFileInfo::exists(PortAdvice::systemLocation(portName));
}

// Set once from the command line before any thread starts; read-only after.
QString fixedPort;

PortChoices offeredPorts(const PortChoices& systemPorts)
{
    if (!fixedPort.isEmpty())
        return {{fixedPort, QString()}};
    PortChoices ports;
    for (const auto& name : qEnvironmentVariable(SerialProvider::ExtraPortsVariable).split(':', Qt::SkipEmptyParts)) {
        if (!findPort(ports, name) && isPresent(name))
            ports.append({name, QString()});
    }
    for (const auto& port : systemPorts) {
        if (!findPort(ports, port.name))
            ports.append(port);
    }
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
    std::function<PortChoices()> enumerate;
    PortChoices availablePorts;
    // The port the user chose (or the store named at start-up): chosen again
    // whenever it is present.
    QString wantedPort;
    // The port the last open tried, and whether the port reported its failure.
    QString attemptedPort;
    bool openFailureReported = false;
    Setting* portSetting = nullptr;
    // Set while DTR and RTS are configured: ports without modem-control lines
    // refuse them, which is no reason to fail the session.
    bool configuringLines = false;
    bool linesRefused = false;
    // Set after a lost link was reported, until the next open: a vanished
    // device makes the port repeat its error endlessly.
    bool silenced = false;
    // Whether the ports were enumerated and a first choice made.
    bool looked = false;

    bool isAvailable(const QString& name) const { return findPort(availablePorts, name) != nullptr; }

    QString description(const QString& name) const
    {
        const PortChoice* port = findPort(availablePorts, name);
        if (!port && !name.isEmpty())
            return QCoreApplication::translate("SerialProvider", "not plugged in");
        return port ? port->description : QString();
    }

    // With no port stored, the one in use becomes the stored one.
    void storeIfNoneWanted()
    {
        if (wantedPort.isEmpty() && !portName.isEmpty()) {
            wantedPort = portName;
            QSettings().setValue(SerialProvider::PortKey, portName);
        }
    }

    // The choice at the first look at the ports: the stored port, present or
    // not (its adapter may be plugged in later, and no byte may go to a port
    // the user did not choose), else the first port, which is then stored.
    void chooseAtFirstLook()
    {
        looked = true;
        portName = !wantedPort.isEmpty()   ? wantedPort
            : availablePorts.isEmpty()     ? QString()
                                           : availablePorts.constFirst().name;
        storeIfNoneWanted();
    }

    // Picks the port to use from a fresh list; true when the choice changed.
    // A chosen port stays chosen while it is absent.
    bool choosePort()
    {
        const QString before = portName;
        if (!wantedPort.isEmpty()) {
            portName = wantedPort;
        } else if (!isAvailable(portName)) {
            portName = availablePorts.size() == 1 ? availablePorts.constFirst().name : QString();
            storeIfNoneWanted();
        }
        return portName != before;
    }
};

SerialProvider::SerialProvider(QObject* parent)
    : DataProvider(parent)
    , d(new SerialProviderPrivate)
{
    d->enumerate = enumeratedPorts;
    // The system's enumeration takes tens of milliseconds, and this provider
    // is made while the window starts: the first look waits for the first
    // refresh, in the provider's own thread.
    setUp(false);
}

SerialProvider::SerialProvider(const QStringList& systemPorts, QObject* parent)
    : SerialProvider([systemPorts] { return systemPorts; }, parent)
{
}

SerialProvider::SerialProvider(std::function<QStringList()> enumerate, QObject* parent)
    : DataProvider(parent)
    , d(new SerialProviderPrivate)
{
    d->enumerate = fixedNames(std::move(enumerate));
    setUp(true);
}

void SerialProvider::setUp(bool lookNow)
{
    qRegisterMetaType<QSerialPort::SerialPortError>();
    d->port = new QSerialPort(this);
    connect(d->port, &QSerialPort::readyRead, this, &SerialProvider::onReadyRead);
    connect(d->port, &QSerialPort::errorOccurred, this, &SerialProvider::onSerialPortError);

    d->wantedPort = isPortFixed() ? fixedPort : QSettings().value(PortKey, QString()).toString();
    d->portSetting = new Setting(QStringLiteral("Port"), Setting::SETTING_TYPE_COMBO, {}, QString());
    connect(d->portSetting, &Setting::valueChanged, this, &SerialProvider::onPortChanged);
    if (!lookNow)
        return;
    d->availablePorts = offeredPorts(d->enumerate());
    d->chooseAtFirstLook();
    publishPorts(false);
    d->portSetting->setValue(d->portName);
}

SerialProvider::~SerialProvider()
{
    fillSettings();
}

bool SerialProvider::settingsValid() const
{
    return !d->portName.isEmpty();
}

void SerialProvider::fixPortForThisRun(const QString& portName)
{
    fixedPort = portName;
}

bool SerialProvider::isPortFixed()
{
    return !fixedPort.isEmpty();
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
    if (!d->attemptedPort.isEmpty()) {
        qWarning() << "Failed to open the serial port for writing.";
        // A failed open is one failure, reported once: when the port named
        // its cause (an absent device, no permission), that is the report.
        if (!d->openFailureReported)
            reportError(QSerialPort::OpenError, errorText(QSerialPort::OpenError),
                        PortAdvice::forError(QSerialPort::OpenError, d->attemptedPort));
    } else {
        qWarning() << "Failed to open the serial port (not configured).";
        reportError(NotConfiguredError, tr("The serial port is not yet configured."), QString());
    }
}

void SerialProvider::refresh()
{
    d->availablePorts = offeredPorts(d->enumerate());
    if (!d->looked) {
        d->chooseAtFirstLook();
        publishPorts(true);
        return;
    }
    // An open session keeps its port, present in the list or not.
    publishPorts(!d->port->isOpen() && d->choosePort());
}

void SerialProvider::publishPorts(bool choiceChanged)
{
    QList<QVariant> names;
    QStringList descriptions;
    for (const auto& port : qAsConst(d->availablePorts)) {
        names.append(port.name);
        descriptions.append(port.description);
    }
    const QString chosen = d->portName;
    // The setting belongs to the thread that made the provider, where the
    // window reads it.
    QMetaObject::invokeMethod(d->portSetting, [setting = d->portSetting, names, descriptions, chosen, choiceChanged] {
        setting->setComboValues(names, descriptions);
        if (choiceChanged)
            setting->setValue(chosen);
    });
    emit portChanged(chosen, d->description(chosen));
}

void SerialProvider::reportError(quint16 code, const QString& text, const QString& advice)
{
    emit errorAdvised(code, advice);
    emit errorOccurred(code, text);
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
    // Moving an open session would send its next command (a write, or the
    // closing "enter normal operation") to another device, and leave the
    // gateway it was opened to in configuration mode.
    if (d->port->isOpen()) {
        qWarning() << "The port stays the same until the open session ends.";
        publishPorts(true);
        return;
    }
    if (d->isAvailable(name)) {
        d->portName = name;
        d->wantedPort = name;
    } else {
        qWarning() << "Refusing to move to a port that is not currently available.";
    }
    closeSerial();
    if (!isPortFixed())
        QSettings().setValue(PortKey, d->portName);
    emit portChanged(d->portName, d->description(d->portName));
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
    const QString advice = PortAdvice::forError(code, d->attemptedPort);
    if (!d->port->isOpen())
        d->openFailureReported = true;
    reportError(code, errorText(code), advice);
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
    QThread::usleep(static_cast<unsigned long>(CloseDelayMs) * 1000);
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
    refresh();
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
    d->openFailureReported = false;
    // An adapter may have come (or come back) since the list was taken.
    if (d->portName.isEmpty() || !isPresent(d->portName))
        refresh();
    // Still absent, the port the user chose is tried anyway: its failure
    // tells that the adapter is gone.
    d->attemptedPort = d->portName;
    if (d->attemptedPort.isEmpty()) {
        qWarning() << "Cannot open a serial port connection with invalid settings.";
        return;
    }
    d->silenced = false;
    d->port->setPortName(d->attemptedPort);
    d->port->open(QIODevice::ReadWrite);
    d->port->setBaudRate(BaudRate);
    if (d->port->isOpen()) {
        configureLines();
        // Bytes the device sent while the port was closed (a late answer of an
        // earlier session) must not pass for the answer to the next request.
        d->port->clear(QSerialPort::Input);
    } else {
        qWarning() << "Could not connect to port" << d->attemptedPort << "with baud rate" << BaudRate;
    }
}

} // namespace QKel::Comms
