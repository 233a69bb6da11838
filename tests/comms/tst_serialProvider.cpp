#include "commsTestSupport.h"
#include "protocol/bootProtocol.h"
#include "serialProvider.h"
#include "setting.h"

#include <QtTest>

using QKel::Comms::Protocol::BootProtocol;
using QKel::Comms::SerialProvider;
using QKel::Global::Setting;
using Tarn::Sim::PseudoTerminal;
using Errors = QList<QPair<quint16, QString>>;

class TestSerialProvider : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void portChoice_data();
    void portChoice();
    void portChange_data();
    void portChange();
    void portStaysWhileOpen();
    void writeFailures_data();
    void writeFailures();
    void writeArrivesWhole_data();
    void writeArrivesWhole();
    void receive_data();
    void receive();
    void writeDropsPartialFrame();
    void hangUpIsReportedOnce();
    void hotPlug_data();
    void hotPlug();
};

namespace {

Errors errorsOf(const QSignalSpy& spy)
{
    Errors errors;
    for (const auto& args : spy)
        errors.append({args.at(0).value<quint16>(), args.at(1).toString()});
    return errors;
}

Setting* portSetting(const SerialProvider& provider)
{
    return provider.settingsList().constFirst();
}

// A provider on a fresh pseudo-terminal, opened by a first write. The port
// is a link of this test's own: a terminal's number is free for any other
// process once it is closed, the link's name never is.
struct Link
{
    PseudoTerminal device;
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("port"));
    QScopedPointer<SerialProvider> provider;

    bool open()
    {
        QString error;
        if (!device.open(&error) || !QFile::link(device.slavePath(), path))
            return false;
        qputenv(SerialProvider::ExtraPortsVariable, path.toLocal8Bit());
        provider.reset(new SerialProvider(QStringList{}));
        provider->onWriteData(BootProtocol::buildReadProductIdCommand());
        return CommsTest::collect(device, 6) == BootProtocol::buildReadProductIdCommand();
    }
};

} // namespace

void TestSerialProvider::init()
{
    CommsTest::useProgramSettings();
}

void TestSerialProvider::portChoice_data()
{
    QTest::addColumn<QString>("extra");
    QTest::addColumn<QStringList>("system");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("offered");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("kept");

    const QStringList system{"ttyS0", "ttyUSB0"};
    QTest::newRow("empty store takes the first extra port")
        << "/dev/null:/dev/zero" << system << "" << QStringList{"/dev/null", "/dev/zero", "ttyS0", "ttyUSB0"}
        << "/dev/null" << "/dev/null";
    QTest::newRow("stored port still present") << "/dev/null" << system << "ttyUSB0"
                                               << QStringList{"/dev/null", "ttyS0", "ttyUSB0"} << "ttyUSB0"
                                               << "ttyUSB0";
    // Its adapter may be plugged in later: the stored name stays chosen, and
    // no byte goes to a port the user did not choose.
    QTest::newRow("stored port gone") << "" << system << "ttyACM3" << system << "ttyACM3" << "ttyACM3";
    QTest::newRow("extra port listed once") << "/dev/null::/dev/null" << system << ""
                                            << QStringList{"/dev/null", "ttyS0", "ttyUSB0"} << "/dev/null"
                                            << "/dev/null";
    QTest::newRow("absent extra port not offered")
        << "/nonexistent/ttyTARN:/dev/zero" << system << "" << QStringList{"/dev/zero", "ttyS0", "ttyUSB0"}
        << "/dev/zero" << "/dev/zero";
}

void TestSerialProvider::portChoice()
{
    QFETCH(QString, extra);
    QFETCH(QStringList, system);
    QFETCH(QString, stored);
    QFETCH(QStringList, offered);
    QFETCH(QString, chosen);
    QFETCH(QString, kept);
    qputenv(SerialProvider::ExtraPortsVariable, extra.toLocal8Bit());
    if (!stored.isEmpty())
        QSettings().setValue(SerialProvider::PortKey, stored);

    SerialProvider provider(system);
    Setting* port = portSetting(provider);
    QCOMPARE(port->name(), QString("Port"));
    QCOMPARE(port->type(), quint8(Setting::SETTING_TYPE_COMBO));
    QCOMPARE(QVariant(port->comboValues()).toStringList(), offered);
    QCOMPARE(port->value().toString(), chosen);
    QVERIFY(provider.settingsValid());
    QCOMPARE(QSettings().value(SerialProvider::PortKey).toString(), kept);
}

void TestSerialProvider::portChange_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("refused");
    QTest::newRow("available port") << "ttyUSB0" << "ttyUSB0" << false;
    QTest::newRow("port not offered") << "ttyUSB9" << "ttyS0" << true;
    QTest::newRow("lower-case variant") << "TTYS0" << "ttyS0" << true;
}

void TestSerialProvider::portChange()
{
    QFETCH(QString, choice);
    QFETCH(QString, stored);
    QFETCH(bool, refused);
    SerialProvider provider(QStringList{"ttyS0", "ttyUSB0"});
    QSettings().remove(SerialProvider::PortKey);
    if (refused)
        QTest::ignoreMessage(QtWarningMsg, "Refusing to move to a port that is not currently available.");
    portSetting(provider)->setValue(choice);
    QCOMPARE(QSettings().value(SerialProvider::PortKey).toString(), stored);
    QCOMPARE(portSetting(provider)->value().toString(), choice);
}

// A session's commands, its closing one included, go to the gateway it was
// opened to: the port chosen meanwhile waits for the next session.
void TestSerialProvider::portStaysWhileOpen()
{
    PseudoTerminal first;
    PseudoTerminal second;
    QString error;
    QVERIFY2(first.open(&error) && second.open(&error), qPrintable(error));
    qputenv(SerialProvider::ExtraPortsVariable, (first.slavePath() + ":" + second.slavePath()).toLocal8Bit());
    QSettings().setValue(SerialProvider::PortKey, first.slavePath());
    SerialProvider provider(QStringList{});
    const QByteArray command = BootProtocol::buildReadProductIdCommand();
    provider.onWriteData(command);
    QCOMPARE(CommsTest::collect(first, command.size()), command);

    QTest::ignoreMessage(QtWarningMsg, "The port stays the same until the open session ends.");
    portSetting(provider)->setValue(second.slavePath());
    QCOMPARE(portSetting(provider)->value().toString(), first.slavePath());
    QCOMPARE(QSettings().value(SerialProvider::PortKey).toString(), first.slavePath());
    provider.onWriteData(command);
    QCOMPARE(CommsTest::collect(first, command.size()), command);

    provider.close();
    portSetting(provider)->setValue(second.slavePath());
    provider.onWriteData(command);
    QCOMPARE(CommsTest::collect(second, command.size()), command);
}

void TestSerialProvider::writeFailures_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<Errors>("errors");
    QTest::addColumn<QString>("advice");
    QTest::newRow("nothing to choose from")
        << ""
        << QStringList{"Cannot open a serial port connection with invalid settings.",
                       "Failed to open the serial port (not configured)."}
        << Errors{{65535, "The serial port is not yet configured."}} << "";
    QTest::newRow("stored port absent")
        << "/nonexistent/ttyTARN"
        << QStringList{"Serial port error: 1", "Could not connect to port \"/nonexistent/ttyTARN\" with baud rate 115200",
                       "Failed to open the serial port for writing."}
        << Errors{{1, "Attempted to open a non-existent device."}}
        << "The adapter of /nonexistent/ttyTARN was unplugged or renamed. The list of ports has been refreshed";
}

void TestSerialProvider::writeFailures()
{
    QFETCH(QString, port);
    QFETCH(QStringList, warnings);
    QFETCH(Errors, errors);
    QFETCH(QString, advice);
    qputenv(SerialProvider::ExtraPortsVariable, port.toLocal8Bit());
    QSettings().setValue(SerialProvider::PortKey, port);
    SerialProvider provider(QStringList{});
    // A stored port stays chosen while absent; its absence is what the write reports.
    QCOMPARE(provider.settingsValid(), !port.isEmpty());
    QSignalSpy spy(&provider, &SerialProvider::errorOccurred);
    QSignalSpy advised(&provider, &SerialProvider::errorAdvised);
    for (const auto& warning : warnings)
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
    provider.onWriteData(BootProtocol::buildBootSequence());
    QCOMPARE(errorsOf(spy), errors);
    QCOMPARE(advised.count(), errors.count());
    for (const auto& args : advised) {
        QCOMPARE(args.at(1).toString().left(advice.size()), advice);
        QCOMPARE(args.at(1).toString().isEmpty(), advice.isEmpty());
    }
}

void TestSerialProvider::writeArrivesWhole_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("boot sequence") << BootProtocol::buildBootSequence();
    QTest::newRow("4 KiB configuration") << BootProtocol::buildWriteProtobufCommand(QByteArray(4096, '\x5a'));
    QTest::newRow("largest configuration") << BootProtocol::buildWriteProtobufCommand(QByteArray(65534, '\r'));
}

void TestSerialProvider::writeArrivesWhole()
{
    QFETCH(QByteArray, frame);
    Link link;
    QVERIFY(link.open());
    QSignalSpy errors(link.provider.data(), &SerialProvider::errorOccurred);
    link.provider->onWriteData(frame);
    QCOMPARE(CommsTest::collect(link.device, frame.size()), frame);
    // A pseudo-terminal has no modem-control lines; that is no link error.
    QCOMPARE(errors.count(), 0);
}

void TestSerialProvider::receive_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QList<QByteArray>>("payloads");
    QTest::addColumn<QStringList>("warnings");

    const QByteArray product = QByteArray::fromHex("50012001017701");
    const QByteArray id = "TARN210 gateway";
    QList<QByteArray> bytewise;
    for (char byte : BootProtocol::frame(product))
        bytewise.append(QByteArray(1, byte));
    QByteArray largest(65535, '\r');
    largest[0] = 'L';
    QList<QByteArray> blocks;
    const QByteArray largeFrame = BootProtocol::frame(largest);
    for (int at = 0; at < largeFrame.size(); at += 4096)
        blocks.append(largeFrame.mid(at, 4096));

    QTest::newRow("one byte at a time") << bytewise << QList<QByteArray>{product} << QStringList{};
    QTest::newRow("two frames at once") << QList<QByteArray>{BootProtocol::frame(id) + BootProtocol::frame(product)}
                                        << QList<QByteArray>{id, product} << QStringList{};
    QTest::newRow("garbage first") << QList<QByteArray>{QByteArray::fromHex("a55a00ff"), BootProtocol::frame(id)}
                                   << QList<QByteArray>{id}
                                   << QStringList{"Read data with an invalid start byte; discarding."};
    QTest::newRow("split at a 0x0D in the payload")
        << QList<QByteArray>{QByteArray::fromHex("43000241" "0d"), QByteArray::fromHex("0d0d")}
        << QList<QByteArray>{QByteArray::fromHex("410d")} << QStringList{};
    QTest::newRow("largest payload in blocks") << blocks << QList<QByteArray>{largest} << QStringList{};
}

void TestSerialProvider::receive()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QList<QByteArray>, payloads);
    QFETCH(QStringList, warnings);
    Link link;
    QVERIFY(link.open());
    QSignalSpy received(link.provider.data(), &SerialProvider::newData);
    for (const auto& warning : warnings)
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
    CommsTest::sendChunks(link.device, chunks, 2);
    QTRY_COMPARE(received.count(), payloads.count());
    for (int i = 0; i < payloads.count(); ++i)
        QCOMPARE(received.at(i).at(0).toByteArray(), payloads.at(i));
}

void TestSerialProvider::writeDropsPartialFrame()
{
    Link link;
    QVERIFY(link.open());
    QSignalSpy received(link.provider.data(), &SerialProvider::newData);
    const QByteArray answer = BootProtocol::frame("P\x01");
    CommsTest::sendChunks(link.device, {answer.left(3)}, 20);
    link.provider->onWriteData(BootProtocol::buildReadProductIdCommand());
    QTest::ignoreMessage(QtWarningMsg, "Read data with an invalid start byte; discarding.");
    CommsTest::sendChunks(link.device, {answer.mid(3), answer}, 20);
    QTRY_COMPARE(received.count(), 1);
    QCOMPARE(received.at(0).at(0).toByteArray(), QByteArray("P\x01"));
}

void TestSerialProvider::hangUpIsReportedOnce()
{
    Link link;
    QVERIFY(link.open());
    QSignalSpy errors(link.provider.data(), &SerialProvider::errorOccurred);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Serial port error: (8|9)$"));
    // The port vanishes from the system first, as a pulled adapter does.
    QVERIFY(QFile::remove(link.path));
    link.device.hangUp();
    QTRY_COMPARE(errors.count(), 1);
    const auto code = errors.at(0).at(0).value<quint16>();
    QVERIFY2(code == QSerialPort::ReadError || code == QSerialPort::ResourceError, qPrintable(QString::number(code)));
    QCOMPARE(errors.at(0).at(1).toString(), SerialProvider::errorText(code));
    // The port is closed and quiet: no storm of repeated errors follows.
    QTest::qWait(300);
    QCOMPARE(errors.count(), 1);
    // The next write opens the port again, which is gone now: one more error.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Serial port error: [12]$"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Could not connect to port"));
    QTest::ignoreMessage(QtWarningMsg, "Failed to open the serial port for writing.");
    link.provider->onWriteData(BootProtocol::buildReadProductIdCommand());
    QCOMPARE(errors.count(), 2);
    const auto openCode = errors.last().at(0).value<quint16>();
    QVERIFY2(openCode == QSerialPort::DeviceNotFoundError || openCode == QSerialPort::PermissionError,
             qPrintable(QString::number(openCode)));
}

void TestSerialProvider::hotPlug_data()
{
    QTest::addColumn<QStringList>("system");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<bool>("presentAtStart");
    QTest::addColumn<bool>("sessionOpen");
    QTest::addColumn<bool>("offeredAfter");
    QTest::addColumn<QString>("chosenAfter");

    QTest::newRow("the only port appears: chosen and stored") << QStringList{} << false << false << false << true
                                                               << "link";
    QTest::newRow("stored port returns") << QStringList{"ttyS0"} << true << false << false << true << "link";
    // The chosen port stays chosen, absent: the only other port is no stand-in.
    QTest::newRow("port vanishes") << QStringList{"ttyS0", "ttyS1"} << true << true << false << false << "link";
    QTest::newRow("port vanishes, one other left") << QStringList{"ttyS0"} << true << true << false << false
                                                   << "link";
    QTest::newRow("port of an open session vanishes") << QStringList{"ttyS0"} << true << true << true << false
                                                      << "link";
}

void TestSerialProvider::hotPlug()
{
    QFETCH(QStringList, system);
    QFETCH(bool, stored);
    QFETCH(bool, presentAtStart);
    QFETCH(bool, sessionOpen);
    QFETCH(bool, offeredAfter);
    QFETCH(QString, chosenAfter);
    PseudoTerminal device;
    QString error;
    QVERIFY2(device.open(&error), qPrintable(error));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("port"));
    const auto plug = [&] { return QFile::link(device.slavePath(), path); };
    qputenv(SerialProvider::ExtraPortsVariable, path.toLocal8Bit());
    if (stored)
        QSettings().setValue(SerialProvider::PortKey, path);
    if (presentAtStart)
        QVERIFY(plug());

    SerialProvider provider(system);
    Setting* port = portSetting(provider);
    QSignalSpy listChanges(port, &Setting::comboValuesChanged);
    const QByteArray command = BootProtocol::buildReadProductIdCommand();
    if (sessionOpen) {
        provider.onWriteData(command);
        QCOMPARE(CommsTest::collect(device, command.size()), command);
    }
    QVERIFY(presentAtStart ? QFile::remove(path) : plug());
    provider.refresh();

    QCOMPARE(listChanges.count(), 1);
    QCOMPARE(port->comboValues().contains(path), offeredAfter);
    const QString chosen = chosenAfter == QLatin1String("link") ? path : chosenAfter;
    QCOMPARE(port->value().toString(), chosen);
    QCOMPARE(QSettings().value(SerialProvider::PortKey).toString(), stored || offeredAfter ? path : QString());
    if (chosen == path && (offeredAfter || sessionOpen)) {
        // The session goes on, or the next one opens the port that came.
        provider.onWriteData(command);
        QCOMPARE(CommsTest::collect(device, command.size()), command);
    }
}

QTEST_GUILESS_MAIN(TestSerialProvider)
#include "tst_serialProvider.moc"
