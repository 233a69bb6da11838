#include "fileOperationsFixture.h"
#include "signalRecorder.h"
#include "stateMachine.h"

#include <commsHandler.h>
#include <device/abstractDevice.h>
#include <serialProvider.h>

#include <QTemporaryDir>
#include <QtTest>

using QKel::Device::AbstractDevice;
using QKel::Sm::StateMachine;
using LoadError = QKel::Pb::Configuration::File::LOAD_ERROR;

// The facade's own signals: link errors, load errors reported by the device.
class TestStateMachineFacade : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void linkErrorReportedOnlyDuringSession();
    void loadErrorSignal_data();
    void loadErrorSignal();

private:
    QTemporaryDir mDir;
    QScopedPointer<StateMachine> mFacade;
};

void TestStateMachineFacade::initTestCase()
{
    QVERIFY(mDir.isValid());
    // The first port offered is no terminal, so every connection attempt fails.
    const QString port = mDir.filePath(QStringLiteral("not-a-terminal"));
    QFile file(port);
    QVERIFY(file.open(QIODevice::WriteOnly));
    qputenv(QKel::Comms::SerialProvider::ExtraPortsVariable, port.toLocal8Bit());
    QSettings().remove(QKel::Comms::SerialProvider::PortKey);
    QKel::Comms::CommsHandler::instance();
}

void TestStateMachineFacade::init()
{
    mFacade.reset(new StateMachine);
    QVERIFY(SmTest::startFacade(*mFacade));
}

void TestStateMachineFacade::cleanup()
{
    mFacade.reset();
}

void TestStateMachineFacade::linkErrorReportedOnlyDuringSession()
{
    SignalRecorder recorder(mFacade.data());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^(Serial port error|Could not connect|Failed to open)"));

    mFacade->doConnect();

    // The port reports the missing device and then the provider its failed
    // open; only the first reaches the user, the session has ended by the second.
    QTRY_VERIFY(!mFacade->busy());
    QTest::qWait(200);
    const QStringList names = recorder.names();
    QCOMPARE(names.count("commsError"), 1);
    QCOMPARE(names.last(), QStringLiteral("commsError"));
    QVERIFY(!recorder.entries().last().arguments.at(1).toString().isEmpty());
    recorder.clear();

    emit QKel::Comms::CommsHandler::instance()->errorOccurred(9, QStringLiteral("late error"));
    QCOMPARE(recorder.names(), QStringList());
}

void TestStateMachineFacade::loadErrorSignal_data()
{
    QTest::addColumn<int>("loadError");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("none") << 0 << QStringList();
    QTest::newRow("version obsolete") << 1 << QStringList{"configurationVersionObsolete"};
    QTest::newRow("version mismatch") << 2 << QStringList{"configurationVersionMismatch"};
    QTest::newRow("checksum") << 3 << QStringList{"configurationChecksumError"};
    QTest::newRow("parse") << 4 << QStringList{"configurationParseError"};
    QTest::newRow("unknown value") << 9 << QStringList();
}

void TestStateMachineFacade::loadErrorSignal()
{
    QFETCH(int, loadError);
    QFETCH(QStringList, expected);
    mFacade->doNewConfiguration(SmTest::GatewayProductId);
    auto* device = qobject_cast<AbstractDevice*>(mFacade->currentDevice());
    QVERIFY2(device, "the TARN210 driver plug-in is not in bin/devices");
    SignalRecorder recorder(mFacade.data());

    emit device->loadError(static_cast<LoadError>(loadError));

    QCOMPARE(recorder.names(), expected);
}

QTEST_GUILESS_MAIN(TestStateMachineFacade)
#include "tst_stateMachineFacade.moc"
