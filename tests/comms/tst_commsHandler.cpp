#include "commsHandler.h"
#include "commsTestSupport.h"
#include "protocol/bootProtocol.h"
#include "serialProvider.h"
#include "setting.h"

#include <QtTest>

#include <atomic>
#include <thread>

using QKel::Comms::CommsHandler;
using QKel::Comms::SerialProvider;
using QKel::Comms::Protocol::BootProtocol;
using Tarn::Sim::PseudoTerminal;

class TestCommsHandler : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void providerType_data();
    void providerType();
    void storedTypeNotOnOffer();
    void cyclicWrite_data();
    void cyclicWrite();
    void cyclicWriteRefusesEmptyData();
    void closeLetsLastFrameLeave_data();
    void closeLetsLastFrameLeave();
    void relaysErrors();
    void reportsOfAClosedPortAreDropped_data();
    void reportsOfAClosedPortAreDropped();
    void refreshOffersPortPluggedLater();
    void singletonLivesUntilExit();
    void singletonInOtherThreadEndsQuietly_data();
    void singletonInOtherThreadEndsQuietly();

private:
    PseudoTerminal* openDevice();
    QScopedPointer<PseudoTerminal> mDevice;
};

void TestCommsHandler::init()
{
    CommsTest::useProgramSettings();
    mDevice.reset();
}

// Offers a fresh pseudo-terminal as the first port, so the handler's provider
// picks it.
PseudoTerminal* TestCommsHandler::openDevice()
{
    mDevice.reset(new PseudoTerminal);
    QString error;
    if (!mDevice->open(&error))
        return nullptr;
    qputenv(SerialProvider::ExtraPortsVariable, mDevice->slavePath().toLocal8Bit());
    return mDevice.data();
}

void TestCommsHandler::providerType_data()
{
    QTest::addColumn<QString>("type");
    QTest::newRow("current type") << "Serial";
    QTest::newRow("wrong case") << "serial";
    QTest::newRow("not on offer") << "Bluetooth";
}

void TestCommsHandler::providerType()
{
    QFETCH(QString, type);
    QVERIFY(openDevice());
    CommsHandler handler;
    QCOMPARE(handler.providerTypes(), QStringList{"Serial"});
    QCOMPARE(handler.currentProviderType(), QString("Serial"));
    QCOMPARE(QSettings().value(CommsHandler::ProviderKey).toString(), QString("Serial"));
    QObject* provider = handler.currentProvider();
    QVERIFY(qobject_cast<SerialProvider*>(provider));
    QSignalSpy typeChanged(&handler, &CommsHandler::currentProviderTypeChanged);
    QSignalSpy providerChanged(&handler, &CommsHandler::currentProviderChanged);
    handler.setProperty("currentProviderType", type);
    QCOMPARE(typeChanged.count(), 0);
    QCOMPARE(providerChanged.count(), 0);
    QCOMPARE(handler.currentProvider(), provider);
}

void TestCommsHandler::storedTypeNotOnOffer()
{
    QSettings().setValue(CommsHandler::ProviderKey, "serial");
    CommsHandler handler;
    QCOMPARE(handler.currentProvider(), nullptr);
    QTest::ignoreMessage(QtWarningMsg, "Attempted a cyclic write without a running data provider.");
    handler.onStartCyclicWrite(BootProtocol::buildBootSequence(), 500, true);

    QSignalSpy typeChanged(&handler, &CommsHandler::currentProviderTypeChanged);
    QSignalSpy providerChanged(&handler, &CommsHandler::currentProviderChanged);
    handler.setCurrentProviderType("Serial");
    QCOMPARE(typeChanged.count(), 1);
    QCOMPARE(providerChanged.count(), 1);
    QVERIFY(qobject_cast<SerialProvider*>(providerChanged.at(0).at(0).value<QObject*>()));
    QCOMPARE(handler.currentProvider(), providerChanged.at(0).at(0).value<QObject*>());
    QCOMPARE(QSettings().value(CommsHandler::ProviderKey).toString(), QString("Serial"));
}

void TestCommsHandler::cyclicWrite_data()
{
    QTest::addColumn<bool>("stopOnData");
    QTest::newRow("stops at the first payload") << true;
    QTest::newRow("keeps going") << false;
}

void TestCommsHandler::cyclicWrite()
{
    QFETCH(bool, stopOnData);
    PseudoTerminal* device = openDevice();
    QVERIFY(device);
    CommsHandler handler;
    QSignalSpy received(&handler, &CommsHandler::newData);
    const QByteArray boot = BootProtocol::buildBootSequence();

    QElapsedTimer clock;
    clock.start();
    handler.onStartCyclicWrite(boot, 500, stopOnData);
    QList<qint64> arrivals;
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(CommsTest::collect(*device, boot.size(), 1500), boot);
        arrivals.append(clock.elapsed());
    }
    QVERIFY2(arrivals[0] < 400, qPrintable(QString::number(arrivals[0])));
    for (int i = 1; i < arrivals.size(); ++i) {
        const qint64 gap = arrivals[i] - arrivals[i - 1];
        QVERIFY2(gap > 350 && gap < 1000, qPrintable(QString::number(gap)));
    }

    device->write(BootProtocol::frame("TARN210"));
    QTRY_COMPARE(received.count(), 1);
    QCOMPARE(received.at(0).at(0).toByteArray(), QByteArray("TARN210"));
    const int after = CommsTest::collect(*device, boot.size(), 1200).size();
    QCOMPARE(after == 0, stopOnData);
    handler.onStopCyclicWrite();
}

void TestCommsHandler::cyclicWriteRefusesEmptyData()
{
    PseudoTerminal* device = openDevice();
    QVERIFY(device);
    CommsHandler handler;
    QTest::ignoreMessage(QtWarningMsg, "Attempted a cyclic write with empty data.");
    handler.onStartCyclicWrite({}, 50, true);
    QCOMPARE(CommsTest::collect(*device, 1, 300), QByteArray());
}

void TestCommsHandler::closeLetsLastFrameLeave_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QString>("end");
    QTest::newRow("normal operation") << BootProtocol::buildEnterNormalOperationCommand() << "close";
    QTest::newRow("factory reset, closed from another thread") << BootProtocol::buildFactoryResetCommand() << "other thread";
    QTest::newRow("64 KiB frame") << BootProtocol::buildWriteProtobufCommand(QByteArray(65534, 'c')) << "close";
    QTest::newRow("64 KiB frame, closed from another thread")
        << BootProtocol::buildWriteProtobufCommand(QByteArray(65534, '\r')) << "other thread";
    // The program quits right after asking for normal operation: the frame is
    // still queued for the worker when the handler goes.
    QTest::newRow("normal operation, handler gone at once") << BootProtocol::buildEnterNormalOperationCommand()
                                                          << "destroyed";
    QTest::newRow("64 KiB frame, handler gone at once")
        << BootProtocol::buildWriteProtobufCommand(QByteArray(65534, 'q')) << "destroyed";
}

void TestCommsHandler::closeLetsLastFrameLeave()
{
    QFETCH(QByteArray, frame);
    QFETCH(QString, end);
    PseudoTerminal* device = openDevice();
    QVERIFY(device);
    QScopedPointer<CommsHandler> handler(new CommsHandler);
    QByteArray received;
    std::thread reader([&] { received = device->read(frame.size(), 10000); });
    handler->onWriteData(frame);
    if (end == QLatin1String("other thread")) {
        std::thread closer([&] { handler->close(); });
        closer.join();
    } else if (end == QLatin1String("close")) {
        handler->close();
    } else {
        handler.reset();
    }
    reader.join();
    QCOMPARE(received.size(), frame.size());
    QCOMPARE(received, frame);
}

void TestCommsHandler::relaysErrors()
{
    PseudoTerminal* device = openDevice();
    QVERIFY(device);
    CommsHandler handler;
    QSignalSpy errors(&handler, &CommsHandler::errorOccurred);
    handler.onWriteData(BootProtocol::buildBootSequence());
    QCOMPARE(CommsTest::collect(*device, 11).size(), 11);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Serial port error: (8|9)$"));
    device->hangUp();
    QTRY_COMPARE(errors.count(), 1);
    const auto code = errors.at(0).at(0).value<quint16>();
    QCOMPARE(errors.at(0).at(1).toString(), SerialProvider::errorText(code));
}

void TestCommsHandler::reportsOfAClosedPortAreDropped_data()
{
    QTest::addColumn<QString>("report");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<int>("relayed");
    QTest::newRow("failed open, port not closed since") << "error" << false << 1;
    QTest::newRow("failed open, port closed before it arrives") << "error" << true << 0;
    QTest::newRow("answer, port still open") << "answer" << false << 1;
    QTest::newRow("answer, port closed before it arrives") << "answer" << true << 0;
}

// A session ends by closing the port. What the port reported before that, but
// arrives only after, must not reach the next session: a late error would end
// it, a late answer would pass for its own.
void TestCommsHandler::reportsOfAClosedPortAreDropped()
{
    QFETCH(QString, report);
    QFETCH(bool, closed);
    QFETCH(int, relayed);
    PseudoTerminal* device = openDevice();
    QVERIFY(device);
    if (report == QLatin1String("error")) {
        qunsetenv(SerialProvider::ExtraPortsVariable);
        QSettings().setValue(SerialProvider::PortKey, QStringLiteral("/nonexistent/ttyTARN"));
        QTest::ignoreMessage(QtWarningMsg, "Serial port error: 1");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Could not connect to port"));
        QTest::ignoreMessage(QtWarningMsg, "Failed to open the serial port for writing.");
    }
    CommsHandler handler;
    auto* provider = qobject_cast<QKel::Comms::DataProvider*>(handler.currentProvider());
    QVERIFY(provider);
    // Counted in the worker, after the handler's relay has posted the report.
    std::atomic<int> sent{0};
    const auto count = [&sent] { ++sent; };
    connect(provider, &QKel::Comms::DataProvider::newData, provider, count, Qt::DirectConnection);
    connect(provider, &QKel::Comms::DataProvider::errorOccurred, provider, count, Qt::DirectConnection);
    QSignalSpy answers(&handler, &CommsHandler::newData);
    QSignalSpy errors(&handler, &CommsHandler::errorOccurred);
    const QByteArray request = BootProtocol::buildReadProductIdCommand();
    handler.onWriteData(request);
    if (report == QLatin1String("answer")) {
        QCOMPARE(CommsTest::collect(*device, request.size()), request);
        QVERIFY(device->write(BootProtocol::frame(QByteArrayLiteral("P\x01"))));
    }
    // Waits without running this thread's events, which would deliver the report.
    const QDeadlineTimer deadline(10000);
    while (sent.load() == 0 && !deadline.hasExpired())
        QThread::msleep(5);
    QCOMPARE(sent.load(), 1);
    if (closed)
        handler.close();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(answers.count() + errors.count(), relayed);
}

void TestCommsHandler::refreshOffersPortPluggedLater()
{
    PseudoTerminal device;
    QString error;
    QVERIFY2(device.open(&error), qPrintable(error));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("port"));
    qputenv(SerialProvider::ExtraPortsVariable, path.toLocal8Bit());
    QSettings().setValue(SerialProvider::PortKey, path);
    CommsHandler handler;
    auto* port = qobject_cast<SerialProvider*>(handler.currentProvider())->settingsList().constFirst();
    QVERIFY(!port->comboValues().contains(path));

    QVERIFY(QFile::link(device.slavePath(), path));
    handler.refreshPorts();
    // The window refreshes every 2 s and must show the port within 3 s.
    QTRY_VERIFY_WITH_TIMEOUT(port->comboValues().contains(path), 1000);
    QTRY_COMPARE(port->value().toString(), path);
    QTRY_COMPARE(handler.portLabel(), path);
    const QByteArray command = BootProtocol::buildReadProductIdCommand();
    handler.onWriteData(command);
    QCOMPARE(CommsTest::collect(device, command.size()), command);
    handler.close();
}

void TestCommsHandler::singletonLivesUntilExit()
{
    PseudoTerminal* device = openDevice();
    QVERIFY(device);
    CommsHandler* handler = CommsHandler::instance();
    QCOMPARE(CommsHandler::instance(), handler);
    QCOMPARE(handler->parent(), nullptr);
    // Left with an open port whose other end closes when the test object goes:
    // the worker thread and the port are released as the application object
    // goes, so the hang-up it reports is never logged during static destruction.
    handler->onWriteData(BootProtocol::buildReadProductIdCommand());
    QCOMPARE(CommsTest::collect(*device, 6), BootProtocol::buildReadProductIdCommand());
}

namespace {

const char* const CyclingExitVariable = "TARN_TEST_EXIT_WHILE_CYCLING";

// The program without a window: the handler is made in a thread of its own
// (the state machine's) and the process ends while a 1 ms cyclic write runs
// there. `threadFirst` ends that thread before the application object.
int exitWhileCycling(int argc, char* argv[], bool threadFirst)
{
    QThread owner;
    {
        QCoreApplication app(argc, argv);
        CommsTest::useProgramSettings();
        PseudoTerminal device;
        QString error;
        if (!device.open(&error))
            return 2;
        qputenv(SerialProvider::ExtraPortsVariable, device.slavePath().toLocal8Bit());
        QObject::connect(&owner, &QThread::started, [] {
            CommsHandler::instance()->onStartCyclicWrite(BootProtocol::buildBootSequence(), 1, false);
        });
        owner.start();
        if (CommsTest::collect(device, 10 * BootProtocol::buildBootSequence().size()).isEmpty())
            return 3;
        if (threadFirst) {
            owner.quit();
            owner.wait();
        }
    }
    owner.quit();
    owner.wait();
    return 0;
}

} // namespace

void TestCommsHandler::singletonInOtherThreadEndsQuietly_data()
{
    QTest::addColumn<QString>("order");
    QTest::newRow("application object goes first") << "application";
    QTest::newRow("handler's thread ends first") << "thread";
}

void TestCommsHandler::singletonInOtherThreadEndsQuietly()
{
    QFETCH(QString, order);
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(CyclingExitVariable, order);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), QStringList());
    QVERIFY(child.waitForFinished(30000));
    const QByteArray errors = child.readAllStandardError();
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    // Qt's own complaints (a timer stopped from a foreign thread, a thread
    // destroyed while running) start with the class name.
    const QRegularExpression complaint("^Q[A-Za-z]+:", QRegularExpression::MultilineOption);
    QVERIFY2(!complaint.match(QString::fromLocal8Bit(errors)).hasMatch(), errors.constData());
}

int main(int argc, char* argv[])
{
    const QByteArray order = qgetenv(CyclingExitVariable);
    if (!order.isEmpty())
        return exitWhileCycling(argc, argv, order == "thread");
    QCoreApplication app(argc, argv);
    TestCommsHandler test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_commsHandler.moc"
