#include "commsHandler.h"
#include "commsTestSupport.h"
#include "protocol/bootProtocol.h"
#include "serialProvider.h"
#include "wireFormat.h"

#include <QtTest>

using QKel::Comms::CommsHandler;
using QKel::Comms::SerialProvider;
using QKel::Comms::Protocol::BootProtocol;

class TestGatewaySim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void answers_data();
    void answers();
    void timing_data();
    void timing();
    void storesWrittenConfiguration();
    void lateAnswerOfClosedSessionIsDropped();
    void hangsUpMidFrame();
    void logsClosingCommands_data();
    void logsClosingCommands();
    void makesLink();
    void rejectsBadArguments_data();
    void rejectsBadArguments();

private:
    bool startSimulator(const QStringList& arguments);
    QList<QByteArray> exchange(const QList<QByteArray>& requests, int settleMs);

    QTemporaryDir mDir;
    QString mConfigFile;
    QScopedPointer<QProcess> mSimulator;
    QScopedPointer<CommsHandler> mHandler;
};

namespace {

const QByteArray Configuration = QByteArray::fromHex("0801120d0a0b54415252323130") + QByteArray(300, '\r');
// Configuration files with a correct checksum: the gateway refuses any other.
const QByteArray ValidConfiguration = QByteArray::fromHex("080112036162631a06080912020801209e9102");
const QByteArray BadChecksumConfiguration = QByteArray::fromHex("080112036162631a06080912020801209f9102");

// Version 1, a product ID of `size` bytes, no entries, and the checksum.
QByteArray largeConfiguration(int size)
{
    const QByteArray productId(size, 'z');
    const QByteArray input = "1" + productId;
    const quint16 crc = qChecksum(input.constData(), uint(input.size()), Qt::ChecksumIso3309);
    return TarnTest::Wire().varint(1, 1).bytes(2, productId).varint(4, crc).encoded();
}

QString simulatorPath()
{
    return qEnvironmentVariable("TARN_BUILD_BIN", QCoreApplication::applicationDirPath()) + "/tarn-gateway-sim";
}

QList<QByteArray> payloadsOf(const QSignalSpy& spy)
{
    QList<QByteArray> payloads;
    for (const auto& args : spy)
        payloads.append(args.at(0).toByteArray());
    return payloads;
}

} // namespace

void TestGatewaySim::initTestCase()
{
    QVERIFY2(QFileInfo(simulatorPath()).isExecutable(), qPrintable(simulatorPath()));
    mConfigFile = mDir.filePath("served.frc");
    QFile file(mConfigFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Configuration);
}

void TestGatewaySim::init()
{
    CommsTest::useProgramSettings();
}

void TestGatewaySim::cleanup()
{
    mHandler.reset();
    if (mSimulator) {
        mSimulator->terminate();
        mSimulator->waitForFinished(3000);
        mSimulator.reset();
    }
}

// Starts the simulator and a comms handler whose provider uses its terminal.
bool TestGatewaySim::startSimulator(const QStringList& arguments)
{
    mSimulator.reset(new QProcess);
    mSimulator->start(simulatorPath(), arguments);
    if (!mSimulator->waitForReadyRead(5000))
        return false;
    const QString path = QString::fromLocal8Bit(mSimulator->readLine()).trimmed();
    if (!path.startsWith("/dev/pts/"))
        return false;
    qputenv(SerialProvider::ExtraPortsVariable, path.toLocal8Bit());
    mHandler.reset(new CommsHandler);
    return true;
}

// Writes each request as one frame and gathers the payloads that come back.
QList<QByteArray> TestGatewaySim::exchange(const QList<QByteArray>& requests, int settleMs)
{
    QSignalSpy received(mHandler.data(), &CommsHandler::newData);
    for (const auto& request : requests) {
        const int before = received.count();
        mHandler->onWriteData(BootProtocol::frame(request));
        received.wait(settleMs);
        QTest::qWait(before == received.count() ? 0 : 50);
    }
    QTest::qWait(settleMs / 2);
    return payloadsOf(received);
}

void TestGatewaySim::answers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QList<QByteArray>>("requests");
    QTest::addColumn<QList<QByteArray>>("answers");
    QTest::addColumn<QStringList>("warnings");

    const QByteArray boot = "KXBOOT";
    const QByteArray id = "TARN210 gateway simulator";
    const QByteArray product = QByteArray::fromHex("50012001017701");
    const QString invalidStart = "Read data with an invalid start byte; discarding.";

    QTest::newRow("boot sequence") << QStringList{} << QList<QByteArray>{boot} << QList<QByteArray>{id} << QStringList{};
    QTest::newRow("identification sent twice") << QStringList{"--double-id"} << QList<QByteArray>{boot}
                                               << QList<QByteArray>{id, id} << QStringList{};
    QTest::newRow("default product ID") << QStringList{} << QList<QByteArray>{"P"} << QList<QByteArray>{product}
                                        << QStringList{};
    QTest::newRow("own identification and product")
        << QStringList{"--id", "Gateway 7", "--product-id", "0A0b"} << QList<QByteArray>{boot, "P"}
        << QList<QByteArray>{"Gateway 7", QByteArray::fromHex("500a0b")} << QStringList{};
    QTest::newRow("configuration from a file") << QStringList{"--config", mConfigFile} << QList<QByteArray>{"L"}
                                               << QList<QByteArray>{'L' + Configuration} << QStringList{};
    QTest::newRow("write acknowledged, then read back")
        << QStringList{} << QList<QByteArray>{'S' + ValidConfiguration, "L"}
        << QList<QByteArray>{"S", 'L' + ValidConfiguration} << QStringList{};
    QTest::newRow("write with a wrong checksum refused")
        << QStringList{} << QList<QByteArray>{'S' + BadChecksumConfiguration} << QList<QByteArray>{"E"} << QStringList{};
    QTest::newRow("write of no configuration refused")
        << QStringList{} << QList<QByteArray>{"Sabc\r"} << QList<QByteArray>{"E"} << QStringList{};
    QTest::newRow("read refused") << QStringList{"--error-on-read"} << QList<QByteArray>{"L"} << QList<QByteArray>{"E"}
                                  << QStringList{};
    QTest::newRow("write refused") << QStringList{"--error-on-write"} << QList<QByteArray>{"Sabc"}
                                   << QList<QByteArray>{"E"} << QStringList{};
    QTest::newRow("answers in 1-byte chunks") << QStringList{"--chunk", "1", "--config", mConfigFile}
                                              << QList<QByteArray>{"P", "L"}
                                              << QList<QByteArray>{product, 'L' + Configuration} << QStringList{};
    QTest::newRow("garbage before each answer") << QStringList{"--garbage", "9"} << QList<QByteArray>{boot, "P"}
                                                << QList<QByteArray>{id, product}
                                                << QStringList{invalidStart, invalidStart};
    QTest::newRow("corrupt checksum") << QStringList{"--bad-checksum"} << QList<QByteArray>{"P"} << QList<QByteArray>{}
                                      << QStringList{"Rejected data frame: checksum mismatch"};
    QTest::newRow("no answer at all") << QStringList{"--silent"} << QList<QByteArray>{boot, "P", "L"}
                                      << QList<QByteArray>{} << QStringList{};
}

void TestGatewaySim::answers()
{
    QFETCH(QStringList, arguments);
    QFETCH(QList<QByteArray>, requests);
    QFETCH(QList<QByteArray>, answers);
    QFETCH(QStringList, warnings);
    QVERIFY(startSimulator(arguments));
    for (const auto& warning : warnings)
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
    QCOMPARE(exchange(requests, 1000), answers);
}

void TestGatewaySim::timing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("minimumMs");
    QTest::addColumn<int>("maximumMs");
    QTest::newRow("delay") << QStringList{"--delay", "400"} << QByteArray("P") << 380 << 1500;
    // 11520 bytes/s models 115200 baud: the 319-byte answer frame takes about
    // 27 ms, and its last byte arrives when the line would have sent it.
    QTest::newRow("115200 baud") << QStringList{"--rate", "11520", "--config", mConfigFile} << QByteArray("L") << 25
                                 << 1000;
    QTest::newRow("1000 bytes/s") << QStringList{"--rate", "1000", "--config", mConfigFile} << QByteArray("L") << 300
                                  << 1500;
    // The rate holds after the pause too, rather than catching up on it.
    QTest::newRow("delay, then 1000 bytes/s")
        << QStringList{"--delay", "200", "--rate", "1000", "--config", mConfigFile} << QByteArray("L") << 500 << 2000;
    // A command frame of some 415 bytes needs 0.41 s to arrive at 1000 bytes/s; it is
    // answered only then.
    QTest::newRow("long command at 1000 bytes/s")
        << QStringList{"--rate", "1000"} << QByteArray('S' + largeConfiguration(400)) << 410 << 2000;
}

void TestGatewaySim::timing()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, request);
    QFETCH(int, minimumMs);
    QFETCH(int, maximumMs);
    QVERIFY(startSimulator(arguments));
    QSignalSpy received(mHandler.data(), &CommsHandler::newData);
    QElapsedTimer clock;
    clock.start();
    mHandler->onWriteData(BootProtocol::frame(request));
    QVERIFY(received.wait(5000));
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(elapsed >= minimumMs && elapsed <= maximumMs, qPrintable(QString::number(elapsed)));
    QCOMPARE(received.at(0).at(0).toByteArray().at(0), request.at(0));
}

void TestGatewaySim::storesWrittenConfiguration()
{
    const QString store = mDir.filePath("stored.frc");
    QVERIFY(startSimulator({"--store", store}));
    const QByteArray configuration = largeConfiguration(5000);
    QCOMPARE(exchange({'S' + configuration}, 2000), QList<QByteArray>{"S"});
    QFile file(store);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), configuration);
}

void TestGatewaySim::lateAnswerOfClosedSessionIsDropped()
{
    QVERIFY(startSimulator({"--delay", "200"}));
    mHandler->onWriteData(BootProtocol::buildReadProductIdCommand());
    mHandler->close();
    QByteArray log;
    QTRY_VERIFY((log += mSimulator->readAllStandardError()).contains("answering"));
    QTest::qWait(400);
    QCOMPARE(exchange({"KXBOOT"}, 1000), QList<QByteArray>{"TARN210 gateway simulator"});
}

void TestGatewaySim::hangsUpMidFrame()
{
    QVERIFY(startSimulator({"--hang-up-mid-frame", "--config", mConfigFile}));
    QSignalSpy errors(mHandler.data(), &CommsHandler::errorOccurred);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Serial port error: (8|9)$"));
    QCOMPARE(exchange({"L"}, 1000), QList<QByteArray>{});
    QTRY_COMPARE(errors.count(), 1);
    QTRY_COMPARE(mSimulator->state(), QProcess::NotRunning);
    QCOMPARE(mSimulator->exitCode(), 0);
    QVERIFY(mSimulator->readAllStandardError().contains("hanging up in the middle of a frame"));
}

void TestGatewaySim::logsClosingCommands_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QString>("logged");
    QTest::newRow("normal operation") << BootProtocol::buildEnterNormalOperationCommand()
                                      << "received Q (enter normal operation)";
    QTest::newRow("pairing mode") << BootProtocol::buildEnterPairingModeCommand() << "received Y (enter pairing mode)";
    QTest::newRow("factory reset") << BootProtocol::buildFactoryResetCommand() << "received Z (factory reset)";
}

void TestGatewaySim::logsClosingCommands()
{
    QFETCH(QByteArray, frame);
    QFETCH(QString, logged);
    QVERIFY(startSimulator({}));
    mHandler->onWriteData(frame);
    mHandler->close();
    QByteArray log;
    QTRY_VERIFY((log += mSimulator->readAllStandardError()).contains(logged.toUtf8()));
}

void TestGatewaySim::makesLink()
{
    const QString link = mDir.filePath("ttyTARN");
    QVERIFY(QFile::link("/nonexistent", link));
    QVERIFY(startSimulator({"--link", link}));
    QCOMPARE(QFileInfo(link).symLinkTarget(), qEnvironmentVariable(SerialProvider::ExtraPortsVariable));
    qputenv(SerialProvider::ExtraPortsVariable, link.toLocal8Bit());
    mHandler.reset(new CommsHandler);
    QCOMPARE(exchange({"KXBOOT"}, 1000), QList<QByteArray>{"TARN210 gateway simulator"});
    mHandler.reset();
    mSimulator->terminate();
    QVERIFY(mSimulator->waitForFinished(3000));
    QVERIFY(!QFileInfo::exists(link) && !QFileInfo(link).isSymLink());
}

void TestGatewaySim::rejectsBadArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("negative chunk") << QStringList{"--chunk", "-1"} << "--chunk needs a whole number";
    QTest::newRow("rate not a number") << QStringList{"--rate", "fast"} << "--rate needs a whole number";
    QTest::newRow("odd product ID") << QStringList{"--product-id", "012"} << "--product-id needs an even number";
    QTest::newRow("product ID not hexadecimal") << QStringList{"--product-id", "zz"}
                                                << "--product-id needs an even number";
    QTest::newRow("empty identification") << QStringList{"--id", ""} << "--id needs a non-empty text";
    QTest::newRow("missing configuration") << QStringList{"--config", "/nonexistent.frc"}
                                           << "Cannot read the configuration file";
    QTest::newRow("stray argument") << QStringList{"extra"} << "unexpected argument";
    QTest::newRow("serial number 0") << QStringList{"--serial", "0"} << "--serial needs a whole number";
    QTest::newRow("serial number beyond 32 bits") << QStringList{"--serial", "4294967296"}
                                                  << "--serial needs a whole number";
    QTest::newRow("serial number and a file") << QStringList{"--serial", "5", "--config", "KEEP"}
                                              << "a --config file carries its own";
    QTest::newRow("link over a real file") << QStringList{"--link", "KEEP"} << "is not a symbolic link";
}

void TestGatewaySim::rejectsBadArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const QString kept = mDir.filePath("keep.txt");
    QFile file(kept);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("user data");
    file.close();
    arguments.replaceInStrings("KEEP", kept);
    QProcess simulator;
    simulator.start(simulatorPath(), arguments);
    QVERIFY(simulator.waitForFinished(5000));
    QCOMPARE(simulator.exitCode(), 2);
    QVERIFY(simulator.readAllStandardOutput().isEmpty());
    QVERIFY2(simulator.readAllStandardError().contains(message.toUtf8()), qPrintable(message));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("user data"));
}

QTEST_GUILESS_MAIN(TestGatewaySim)
#include "tst_gatewaySim.moc"
