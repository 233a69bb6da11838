#include "fileOperationsFixture.h"
#include "saveStatusTracker.h"
#include "signalRecorder.h"
#include "stateMachine.h"

#include <commsHandler.h>
#include <configuration.h>
#include <device/abstractDevice.h>
#include <serialProvider.h>
#include <support/simulatorProcess.h>

#include <QDirIterator>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QSettings>
#include <QtTest>

#include <sys/stat.h>

using namespace SmTest;
using QKel::Config::SaveStatusTracker;
using QKel::Device::AbstractDevice;
using QKel::Global::Types;
using QKel::Sm::StateMachine;
using TarnTest::SimulatorProcess;

namespace {

const QByteArray IdString = QByteArrayLiteral("TARN210 end-to-end gateway");
const QString DeviceClass = QStringLiteral("QKel::Device::FerrowWlan7701");
// The serial number of the configuration the simulator serves.
constexpr unsigned ServedSerialNumber = 77;
// A CAN bit rate the user chose in a file; the served configuration has another.
constexpr uint EditedCanBitRate = 83333;
// Where that setting lives, as the leaf paths name it.
const QString CanBitRatePath = QStringLiteral("interface/network/can.data.data.baudrateBps");
// A whole session against the simulator takes well under a second.
constexpr int SessionMs = 5000;
constexpr int AnswerTimeoutMs = 10000;

// The facade's signals of the session reset (StateInitialization, then StateDisconnected).
const QStringList ResetSignals = {"connectedChanged", "busyChanged", "deviceIdStringChanged", "connectedChanged",
                                  "busyChanged"};
// The facade's signals of a connection that read the configuration (and kept its backup).
const QStringList ConnectSignals = {"busyChanged",       "deviceIdStringChanged", "currentDeviceChanged",
                                    "connectSuccessful", "busyChanged",           "backupWritten",
                                    "readFromDeviceSuccessful", "busyChanged",    "connectedChanged"};

enum class Command { NormalOperation, PairingMode, FactoryReset };

// What a tool wrote to standard output; empty when it failed.
QByteArray runTool(const QString& program, const QStringList& arguments)
{
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(10000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
        return QByteArray();
    }
    return tool.readAllStandardOutput();
}

// The product folder of the served gateway's backups.
const QString ProductBackups = QStringLiteral("backups/012001017701/");

struct Backup
{
    QString relativePath;
    QByteArray bytes;
};

// Every backup below the data location, oldest first.
QVector<Backup> backups()
{
    const QDir data(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    QStringList paths;
    QDirIterator it(data.filePath(QStringLiteral("backups")), {"*.frc"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        paths << data.relativeFilePath(it.next());
    }
    std::sort(paths.begin(), paths.end(),
              [](const QString& a, const QString& b) { return QFileInfo(a).fileName() < QFileInfo(b).fileName(); });
    QVector<Backup> found;
    for (const QString& path : paths) {
        found.append({path, readFile(data.filePath(path))});
    }
    return found;
}

} // namespace

Q_DECLARE_METATYPE(Command)

class TestSessionEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void connectReadsConfiguration_data();
    void connectReadsConfiguration();
    void readOnRequestReplacesFile();
    void writeSendsConfiguration();
    void writeIsReadBack_data();
    void writeIsReadBack();
    void closingCommand_data();
    void closingCommand();
    void failureEndsSession_data();
    void failureEndsSession();
    void sessionLeavesFileUnedited_data();
    void sessionLeavesFileUnedited();
    void timeoutAdviceFollowsStage_data();
    void timeoutAdviceFollowsStage();
    void supportArchiveOfConnectedGateway();
    void maskedConfigurationIsNotWritten();
    void backupOfEveryRead_data();
    void backupOfEveryRead();
    void backupsBeyondHundredRemoveOldest();
    void backupsArePrivate_data();
    void backupsArePrivate();
    void unwritableBackupFolderWarnsOnce();

private:
    // Starts the simulator serving `served`, or its own gateway's configuration when empty.
    bool startSimulator(const QStringList& options, const QByteArray& served);
    void connectSession();
    void connectWithEditedFile();
    AbstractDevice* device() const { return qobject_cast<AbstractDevice*>(mFacade->currentDevice()); }

    // The port the configurator is offered first: a link to the simulator's terminal.
    QTemporaryDir mLinkDir;
    QString mPortLink;
    QScopedPointer<QTemporaryDir> mDir;
    QScopedPointer<SimulatorProcess> mSimulator;
    QScopedPointer<StateMachine> mFacade;
    QByteArray mServed;
};

void TestSessionEndToEnd::initTestCase()
{
    qRegisterMetaType<Types::eConfigurationType>();
    QVERIFY(mLinkDir.isValid());
    mPortLink = mLinkDir.filePath(QStringLiteral("gateway"));
    // The stored port, offered while each test's simulator makes it exist.
    qputenv(QKel::Comms::SerialProvider::ExtraPortsVariable, mPortLink.toLocal8Bit());
    QSettings().setValue(QKel::Comms::SerialProvider::PortKey, mPortLink);
    QKel::Comms::CommsHandler::instance();
    mServed = gatewayConfiguration(ServedSerialNumber);
    QVERIFY2(!mServed.isEmpty(), "the TARN210 driver plug-in is not in bin/devices");
}

void TestSessionEndToEnd::init()
{
    auto* tracker = SaveStatusTracker::instance();
    tracker->setCurrentFilePath(QString());
    tracker->setCurrentFileUrl(QString());
    tracker->setSaveNeeded(false);
    tracker->setConfigurationType(Types::CONFIGURATION_TYPE_NONE);
    mDir.reset(new QTemporaryDir);
    QVERIFY(mDir->isValid());
    qputenv("XDG_DATA_HOME", mDir->filePath(QStringLiteral("data")).toLocal8Bit());
    mSimulator.reset(new SimulatorProcess(mDir->filePath(QStringLiteral("stored.frc"))));
    mFacade.reset(new StateMachine);
    QVERIFY(startFacade(*mFacade));
}

void TestSessionEndToEnd::cleanup()
{
    if (mFacade) {
        mFacade->doDisconnect();
    }
    mFacade.reset();
    mSimulator.reset();
}

bool TestSessionEndToEnd::startSimulator(const QStringList& options, const QByteArray& served)
{
    QStringList arguments{"--link", mPortLink, "--id", QString::fromUtf8(IdString)};
    if (!served.isEmpty()) {
        const QString servedFile = mDir->filePath(QStringLiteral("served.frc"));
        if (!writeFile(servedFile, served)) {
            return false;
        }
        arguments << "--config" << servedFile;
    }
    QString errorText;
    const bool started = mSimulator->start(arguments + options, &errorText);
    if (!started) {
        qWarning() << "the simulator did not start:" << errorText;
    }
    return started;
}

void TestSessionEndToEnd::connectSession()
{
    mFacade->doConnect();
    QTRY_VERIFY_WITH_TIMEOUT(mFacade->connected(), SessionMs);
    QVERIFY(!mFacade->busy());
}

// A session with the served configuration, then a file with the user's own
// CAN bit rate loaded into it; the session stays open.
void TestSessionEndToEnd::connectWithEditedFile()
{
    QVERIFY(startSimulator({}, mServed));
    connectSession();
    QVERIFY(!QTest::currentTestFailed());
    const QString path = mDir->filePath(QStringLiteral("edited.frc"));
    QVERIFY(writeFile(path, gatewayConfiguration(5, EditedCanBitRate)));
    mFacade->doLoadConfiguration(fileUrl(path));
    QVERIFY(mFacade->connected());
    QCOMPARE(canBitRate(*device()), EditedCanBitRate);
}

void TestSessionEndToEnd::connectReadsConfiguration_data()
{
    QTest::addColumn<QStringList>("options");

    QTest::newRow("prompt answers") << QStringList();
    QTest::newRow("identification sent twice") << QStringList{"--double-id"};
    QTest::newRow("115200 baud, noise before answers") << QStringList{"--rate", "11520", "--garbage", "9"};
    QTest::newRow("answers in small pieces") << QStringList{"--chunk", "3", "--delay", "100"};
}

void TestSessionEndToEnd::connectReadsConfiguration()
{
    QFETCH(QStringList, options);
    QVERIFY(startSimulator(options, mServed));
    SignalRecorder recorder(mFacade.data());

    connectSession();
    QVERIFY(!QTest::currentTestFailed());

    QCOMPARE(recorder.names(), ConnectSignals);
    QCOMPARE(recorder.entries().at(1).arguments.at(0).toString(), QString::fromUtf8(IdString));
    QCOMPARE(SignalRecorder::format(recorder.entries().at(2).arguments.at(0)), DeviceClass);
    QCOMPARE(mFacade->deviceIdString(), QString::fromUtf8(IdString));
    QCOMPARE(device()->serializeToByteArray(), mServed);
    QCOMPARE(SaveStatusTracker::instance()->configurationType(), Types::CONFIGURATION_TYPE_READ_FROM_DEVICE);
    QVERIFY(!SaveStatusTracker::instance()->saveNeeded());
    QVERIFY(mSimulator->waitForLog("received L (read configuration)", SessionMs));
    const QByteArray log = mSimulator->stop();
    const int boot = log.indexOf("received boot sequence");
    const int productId = log.indexOf("received P (read product ID)");
    QVERIFY(boot >= 0);
    QVERIFY(productId > boot);
    QVERIFY(log.indexOf("received L (read configuration)") > productId);
}

void TestSessionEndToEnd::readOnRequestReplacesFile()
{
    connectWithEditedFile();
    QVERIFY(!QTest::currentTestFailed());
    SignalRecorder recorder(mFacade.data());

    mFacade->doReadDeviceConfiguration();

    QTRY_COMPARE_WITH_TIMEOUT(recorder.names(),
                              (QStringList{"busyChanged", "backupWritten", "readFromDeviceSuccessful", "busyChanged",
                                           "connectedChanged"}),
                              SessionMs);
    QCOMPARE(device()->serializeToByteArray(), mServed);
    QVERIFY(canBitRate(*device()) != EditedCanBitRate);
    QCOMPARE(SaveStatusTracker::instance()->configurationType(), Types::CONFIGURATION_TYPE_READ_FROM_DEVICE);
    QVERIFY(!SaveStatusTracker::instance()->saveNeeded());
}

void TestSessionEndToEnd::writeSendsConfiguration()
{
    connectWithEditedFile();
    QVERIFY(!QTest::currentTestFailed());
    const QByteArray sent = device()->serializeToByteArray();
    SignalRecorder recorder(mFacade.data());

    mFacade->doWriteDeviceConfiguration();

    QTRY_COMPARE_WITH_TIMEOUT(recorder.names(),
                              (QStringList{"busyChanged", "writeAcknowledged", "backupWritten",
                                           "writeToDeviceSuccessful", "busyChanged", "connectedChanged"}),
                              SessionMs);
    // The simulator stores what it received before it acknowledges.
    const QByteArray stored = readFile(mDir->filePath(QStringLiteral("stored.frc")));
    QCOMPARE(stored, sent);
    QVERIFY(stored != mServed);
    QVERIFY(mSimulator->stop().contains(QStringLiteral("received S (write configuration, %1 bytes)")
                                            .arg(sent.size())
                                            .toUtf8()));
}

void TestSessionEndToEnd::writeIsReadBack_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<QStringList>("differingPaths");

    QTest::newRow("gateway holds what was sent") << QStringList() << "writeToDeviceSuccessful" << QStringList();
    QTest::newRow("gateway keeps its old configuration")
        << QStringList{"--keep-old", "all"} << "writeVerificationFailed" << QStringList{CanBitRatePath};
    QTest::newRow("gateway keeps one old setting")
        << QStringList{"--keep-old", CanBitRatePath} << "writeVerificationFailed" << QStringList{CanBitRatePath};
    QTest::newRow("read-back unanswered") << QStringList{"--silent-after-write"} << "writeUnverified" << QStringList();
}

// The acknowledgement alone proves nothing: the gateway's configuration is read
// back and the write counts only when it holds every setting sent.
void TestSessionEndToEnd::writeIsReadBack()
{
    QFETCH(QStringList, options);
    QFETCH(QString, outcome);
    QFETCH(QStringList, differingPaths);
    // The gateway holds a CAN bit rate of its own, which a kept old value shows.
    QVERIFY(startSimulator(options, gatewayConfiguration(ServedSerialNumber, 125000)));
    connectSession();
    QVERIFY(!QTest::currentTestFailed());
    const QString path = mDir->filePath(QStringLiteral("edited.frc"));
    QVERIFY(writeFile(path, gatewayConfiguration(5, EditedCanBitRate)));
    mFacade->doLoadConfiguration(fileUrl(path));
    const QByteArray edited = device()->serializeToByteArray();
    SignalRecorder recorder(mFacade.data());

    mFacade->doWriteDeviceConfiguration();

    QTRY_VERIFY_WITH_TIMEOUT(recorder.names().contains(outcome), AnswerTimeoutMs + SessionMs);
    QCOMPARE(recorder.names().count(outcome), 1);
    for (const QString& other : {"writeToDeviceSuccessful", "writeVerificationFailed", "writeUnverified", "timeout"})
        QCOMPARE(recorder.names().contains(other), other == outcome);
    QStringList differing;
    if (outcome == QLatin1String("writeVerificationFailed")) {
        for (const QVariant& leaf : recorder.entries().at(recorder.names().indexOf(outcome)).arguments.at(0).toList())
            differing << leaf.toMap().value("path").toString();
    }
    QCOMPARE(differing, differingPaths);
    // Only an unanswered read-back ends the session (which forgets the device
    // information); the edited settings stay in every case.
    const bool open = outcome != QLatin1String("writeUnverified");
    QCOMPARE(mFacade->connected(), open);
    if (open)
        QCOMPARE(device()->serializeToByteArray(), edited);
    QCOMPARE(canBitRate(*device()), EditedCanBitRate);
    QVERIFY(mSimulator->waitForLog("received L (read configuration)", SessionMs));
    const QByteArray log = mSimulator->stop();
    QVERIFY(log.lastIndexOf("received L") > log.indexOf("received S"));
}

void TestSessionEndToEnd::closingCommand_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("successSignal");
    QTest::addColumn<QByteArray>("logged");

    QTest::newRow("normal operation") << Command::NormalOperation << "disconnectSuccessful"
                                      << QByteArray("received Q (enter normal operation)");
    QTest::newRow("pairing mode") << Command::PairingMode << "pairingModeSuccessful"
                                  << QByteArray("received Y (enter pairing mode)");
    QTest::newRow("factory reset") << Command::FactoryReset << "factoryResetSuccessful"
                                   << QByteArray("received Z (factory reset)");
}

void TestSessionEndToEnd::closingCommand()
{
    QFETCH(Command, command);
    QFETCH(QString, successSignal);
    QFETCH(QByteArray, logged);
    QVERIFY(startSimulator({}, mServed));
    connectSession();
    QVERIFY(!QTest::currentTestFailed());
    SignalRecorder recorder(mFacade.data());

    switch (command) {
    case Command::NormalOperation: mFacade->doEnterNormalOperation(); break;
    case Command::PairingMode: mFacade->doEnterPairingMode(); break;
    case Command::FactoryReset: mFacade->doFactoryReset(); break;
    }

    // The reset closed the link only after the command had left.
    const QStringList busy = command == Command::FactoryReset ? QStringList{"busyChanged"} : QStringList();
    QCOMPARE(recorder.names(), busy + QStringList{successSignal} + ResetSignals);
    QVERIFY(!mFacade->connected());
    QCOMPARE(mFacade->deviceIdString(), QString());
    QVERIFY(mSimulator->waitForLog(logged, SessionMs));
    // Nothing was sent after the command: the session is over.
    const QByteArray log = mSimulator->stop();
    QVERIFY(!log.mid(log.indexOf(logged) + logged.size()).contains("received"));
}

void TestSessionEndToEnd::failureEndsSession_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("served");
    QTest::addColumn<bool>("writeAfterConnect");
    QTest::addColumn<QStringList>("expected");

    const QByteArray valid = gatewayConfiguration(ServedSerialNumber);
    const QStringList identified = ConnectSignals.mid(0, 5);
    // The configuration signal comes while the answer is taken; no read success follows.
    const QStringList readThenEnd = QStringList{"busyChanged", "connectedChanged"} + ResetSignals;
    const QStringList backup{"backupWritten"};
    QTest::newRow("silent device") << QStringList{"--silent"} << valid << false
                                   << QStringList{"busyChanged"} + ResetSignals
                                      + QStringList{"failureAdviceChanged", "timeout"};
    QTest::newRow("hangs up") << QStringList{"--hang-up-mid-frame"} << valid << false
                              << QStringList{"busyChanged"} + ResetSignals
                                     + QStringList{"failureAdviceChanged", "commsError"};
    QTest::newRow("unknown product ID")
        << QStringList{"--product-id", "0a0b0c0d0e0f"} << valid << false
        << ConnectSignals.mid(0, 2) + QStringList{"deviceUnsupported"} + ResetSignals;
    QTest::newRow("E to the read") << QStringList{"--error-on-read"} << valid << false
                                   << identified + QStringList{"deviceError"} + ResetSignals;
    QTest::newRow("E to the write") << QStringList{"--error-on-write"} << valid << true
                                    << QStringList{"busyChanged", "deviceError"} + ResetSignals;
    QTest::newRow("configuration with a wrong checksum")
        << QStringList() << alteredFile(valid, [](auto& record) { record.set_checksum(record.checksum() ^ 1); })
        << false << identified + backup + QStringList{"configurationChecksumError"} + readThenEnd;
    QTest::newRow("configuration of a newer version")
        << QStringList() << alteredFile(valid, [](auto& record) { record.set_version(2); }) << false
        << identified + backup + QStringList{"configurationVersionMismatch"} + readThenEnd;
    QTest::newRow("configuration cut short") << QStringList() << valid.left(valid.size() / 2) << false
                                             << identified + backup + QStringList{"configurationParseError"} + readThenEnd;
}

void TestSessionEndToEnd::failureEndsSession()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArray, served);
    QFETCH(bool, writeAfterConnect);
    QFETCH(QStringList, expected);
    QVERIFY(startSimulator(options, served));
    if (writeAfterConnect) {
        connectSession();
        QVERIFY(!QTest::currentTestFailed());
    }
    SignalRecorder recorder(mFacade.data());
    QElapsedTimer clock;
    clock.start();

    if (writeAfterConnect) {
        mFacade->doWriteDeviceConfiguration();
    } else {
        mFacade->doConnect();
    }

    QTRY_VERIFY_WITH_TIMEOUT(recorder.names().size() >= expected.size(), AnswerTimeoutMs + SessionMs);
    QCOMPARE(recorder.names(), expected);
    // Advice on the cause comes with the failure and names the port.
    QCOMPARE(mFacade->failureAdvice().contains(mPortLink), expected.contains("failureAdviceChanged"));
    const bool silent = options.contains(QStringLiteral("--silent"));
    // The watch started after the clock and never gives up early.
    QCOMPARE(clock.elapsed() >= AnswerTimeoutMs - 5, silent);
    QVERIFY(!mFacade->connected());
    QVERIFY(!mFacade->busy());
    QCOMPARE(mFacade->deviceIdString(), QString());
    if (recorder.names().contains("deviceUnsupported")) {
        QCOMPARE(recorder.formatted().at(2),
                 QStringLiteral("deviceUnsupported(%1, 0a0b0c0d0e0f)").arg(QString::fromUtf8(IdString)));
        QVERIFY(!mFacade->currentDevice());
    }
    mFacade->doConnect();
    QVERIFY2(mFacade->busy(), "a new session can start");
}

void TestSessionEndToEnd::sessionLeavesFileUnedited_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("connects");
    QTest::addColumn<Command>("command");

    QTest::newRow("connect, disconnect") << QStringList() << true << Command::NormalOperation;
    QTest::newRow("connect, factory reset") << QStringList() << true << Command::FactoryReset;
    // No gateway reported anything: the file's own device information stays too.
    QTest::newRow("product without driver") << QStringList{"--product-id", "0a0b0c0d0e0f"} << false
                                            << Command::NormalOperation;
}

// The gateway's information coming and going with a session is no edit of the
// file being edited, and a gateway no driver serves leaves that file current.
void TestSessionEndToEnd::sessionLeavesFileUnedited()
{
    QFETCH(QStringList, options);
    QFETCH(bool, connects);
    QFETCH(Command, command);
    const QString path = mDir->filePath(QStringLiteral("edited.frc"));
    const QByteArray file = gatewayConfiguration(5, EditedCanBitRate);
    QVERIFY(writeFile(path, file));
    mFacade->doLoadConfiguration(fileUrl(path));
    QVERIFY(startSimulator(options, mServed));
    auto* tracker = SaveStatusTracker::instance();

    mFacade->doConnect();
    QTRY_VERIFY_WITH_TIMEOUT(mFacade->connected() || !mFacade->busy(), SessionMs);
    QCOMPARE(mFacade->connected(), connects);
    QVERIFY(!tracker->saveNeeded());
    if (connects) {
        command == Command::FactoryReset ? mFacade->doFactoryReset() : mFacade->doEnterNormalOperation();
        QTRY_VERIFY_WITH_TIMEOUT(!mFacade->connected() && !mFacade->busy(), SessionMs);
    }

    QVERIFY(!tracker->saveNeeded());
    QCOMPARE(tracker->configurationType(), Types::CONFIGURATION_TYPE_FILE);
    QVERIFY(device());
    QCOMPARE(canBitRate(*device()), EditedCanBitRate);
    if (!connects) {
        QCOMPARE(device()->serializeToByteArray(), file);
    }
}

void TestSessionEndToEnd::timeoutAdviceFollowsStage_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("advice");

    QTest::newRow("no answer") << QStringList{"--silent"} << "No gateway answered on";
    QTest::newRow("boot sequence answered, then silence") << QStringList{"--silent-after-id"}
                                                          << "answered the boot sequence, then stopped answering";
    QTest::newRow("unexpected answer to the read") << QStringList{"--odd-answers"}
                                                   << "answered with something this program does not understand";
}

// What the advice says follows how far the gateway took the session.
void TestSessionEndToEnd::timeoutAdviceFollowsStage()
{
    QFETCH(QStringList, options);
    QFETCH(QString, advice);
    QVERIFY(startSimulator(options, mServed));
    QSignalSpy timeouts(mFacade.data(), &StateMachine::timeout);

    mFacade->doConnect();

    QTRY_COMPARE_WITH_TIMEOUT(timeouts.count(), 1, AnswerTimeoutMs + SessionMs);
    QVERIFY2(mFacade->failureAdvice().contains(advice), qPrintable(mFacade->failureAdvice()));
    QVERIFY(mFacade->failureAdvice().contains(mPortLink));
}

// The archive of a connected gateway, read back with the common ZIP tools.
void TestSessionEndToEnd::supportArchiveOfConnectedGateway()
{
    QVERIFY(startSimulator({}, QByteArray()));
    connectSession();
    QVERIFY(!QTest::currentTestFailed());
    const QString path = mDir->filePath(QStringLiteral("support.zip"));
    QSignalSpy packed(mFacade.data(), &StateMachine::packSupportArchiveSuccessful);

    mFacade->doPackSupportArchive(fileUrl(path));

    QCOMPARE(packed.count(), 1);
    QCOMPARE(runTool("zipinfo", {"-1", path}), QByteArray("config.frc\ndetails.txt\n"));
    // The gateway's Bluetooth PIN is left out, and the file still loads.
    const QByteArray config = runTool("unzip", {"-p", path, "config.frc"});
    QVERIFY(device()->serializeToByteArray().contains("7264"));
    QVERIFY(!config.contains("7264"));
    QKel::Pb::Configuration::File archived(nullptr);
    QVERIFY(archived.load(config));
    const QByteArray details = runTool("unzip", {"-p", path, "details.txt"});
    QVERIFY(details.contains("\r\nID string: " + IdString + "\r\nSerial number: 210042\r\n"));
    QVERIFY(details.contains("\r\nWLAN FW version: 3.1.2\r\n"
                             "WLAN MAC address: 02:54:41:52:4e:01\r\n"
                             "Bluetooth MAC address: 02:54:41:52:4e:02\r\n"));
    QVERIFY(details.endsWith("removed from config.frc:\r\n  interface/network/bluetooth.data.data.pinCode2p0\r\n"));
    QCOMPARE(details.count("\n"), details.count("\r\n"));
    const QByteArray listing = runTool("zipinfo", {"-v", path});
    QCOMPARE(listing.count("Unix file attributes (100644 octal)"), 2);
    QCOMPARE(listing.count("The local extra field has UTC/GMT modification/access/creation times."), 2);
}

// A configuration taken from a masked support archive loads with a warning
// naming what it lacks; writing it is refused without a byte to the gateway
// until the secrets are back.
void TestSessionEndToEnd::maskedConfigurationIsNotWritten()
{
    QVERIFY(startSimulator({}, mServed));
    connectSession();
    QVERIFY(!QTest::currentTestFailed());
    const QString original = mDir->filePath(QStringLiteral("original.frc"));
    QVERIFY(writeFile(original, withLeaves(mServed, GatewaySecrets)));
    mFacade->doLoadConfiguration(fileUrl(original));
    const QString archive = mDir->filePath(QStringLiteral("support.zip"));
    mFacade->doPackSupportArchive(fileUrl(archive));
    const QString masked = mDir->filePath(QStringLiteral("masked.frc"));
    QVERIFY(writeFile(masked, runTool("unzip", {"-p", archive, "config.frc"})));
    QStringList secretPaths;
    for (const LeafValue& secret : GatewaySecrets)
        secretPaths << secret.path;
    secretPaths.sort();
    QSignalSpy removed(mFacade.data(), &StateMachine::configurationSecretsRemoved);
    QSignalSpy refused(mFacade.data(), &StateMachine::writeRefusedSecretsRemoved);
    QSignalSpy written(mFacade.data(), &StateMachine::writeToDeviceSuccessful);
    const auto sortedPaths = [](const QSignalSpy& spy) {
        QStringList paths = spy.first().first().toStringList();
        paths.sort();
        return paths;
    };

    mFacade->doLoadConfiguration(fileUrl(masked));
    QCOMPARE(removed.count(), 1);
    QCOMPARE(sortedPaths(removed), secretPaths);
    mFacade->doWriteDeviceConfiguration();

    QCOMPARE(refused.count(), 1);
    QCOMPARE(sortedPaths(refused), secretPaths);
    QVERIFY(!mFacade->busy());
    QVERIFY(mFacade->connected());

    mFacade->doLoadConfiguration(fileUrl(original));
    QCOMPARE(removed.count(), 1);
    const QByteArray sent = device()->serializeToByteArray();
    mFacade->doWriteDeviceConfiguration();
    QTRY_COMPARE_WITH_TIMEOUT(written.count(), 1, SessionMs);
    QCOMPARE(refused.count(), 1);
    QCOMPARE(readFile(mDir->filePath(QStringLiteral("stored.frc"))), sent);
    QCOMPARE(mSimulator->stop().count("received S (write configuration"), 1);
}

void TestSessionEndToEnd::backupOfEveryRead_data()
{
    QTest::addColumn<unsigned>("serialNumber");
    QTest::addColumn<QString>("deviceFolder");

    QTest::newRow("by serial number") << 77u << "77";
    QTest::newRow("without one, by identification string") << 0u << QString::fromUtf8(IdString);
}

// Connect with a file open, read on request, write, reconnect: every read
// (the write's read-back included) and nothing else leaves a backup of exactly
// what the gateway served.
void TestSessionEndToEnd::backupOfEveryRead()
{
    QFETCH(unsigned, serialNumber);
    QFETCH(QString, deviceFolder);
    const QByteArray served = gatewayConfiguration(serialNumber);
    QVERIFY(startSimulator({}, served));
    const QString edited = mDir->filePath(QStringLiteral("edited.frc"));
    QVERIFY(writeFile(edited, gatewayConfiguration(serialNumber, EditedCanBitRate)));
    mFacade->doLoadConfiguration(fileUrl(edited));
    QVERIFY(!mFacade->hasSessionBackup());

    connectSession();
    QVERIFY(!QTest::currentTestFailed());
    QCOMPARE(canBitRate(*device()), EditedCanBitRate);
    QVERIFY(mFacade->hasSessionBackup());
    mFacade->doReadDeviceConfiguration();
    QTRY_VERIFY_WITH_TIMEOUT(!mFacade->busy(), SessionMs);
    mFacade->doLoadConfiguration(fileUrl(edited));
    mFacade->doWriteDeviceConfiguration();
    QTRY_VERIFY_WITH_TIMEOUT(!mFacade->busy(), SessionMs);
    // The write's read-back is the gateway's newest backup.
    QCOMPARE(backups().size(), 3);
    mFacade->doDisconnect();
    QVERIFY(!mFacade->hasSessionBackup());
    connectSession();
    QVERIFY(!QTest::currentTestFailed());

    const QByteArray written = readFile(mDir->filePath(QStringLiteral("stored.frc")));
    QVERIFY(written != served);
    const QVector<Backup> kept = backups();
    QCOMPARE(kept.size(), 4);
    const QList<QByteArray> expected{served, served, written, written};
    for (int i = 0; i < kept.size(); ++i) {
        QCOMPARE(QFileInfo(kept.at(i).relativePath).path(), ProductBackups + deviceFolder);
        QVERIFY(kept.at(i).relativePath.endsWith("Z.frc"));
        QCOMPARE(kept.at(i).bytes, expected.at(i));
    }
    QCOMPARE(mFacade->backupFolderUrl().toLocalFile(),
             QFileInfo(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + '/' + kept.at(0).relativePath)
                 .path());
}

void TestSessionEndToEnd::backupsBeyondHundredRemoveOldest()
{
    const QDir folder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + '/' + ProductBackups + "77");
    QVERIFY(folder.mkpath("."));
    const QDateTime past(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC);
    for (int minute = 0; minute < 100; ++minute) {
        const QString name = past.addSecs(60 * minute).toString("yyyy-MM-dd'T'HH-mm-ss.zzz'Z'.frc");
        QVERIFY(writeFile(folder.filePath(name), "old"));
    }
    QCOMPARE(backups().size(), 100);
    const QString oldest = backups().first().relativePath;
    QVERIFY(startSimulator({}, mServed));

    connectSession();
    QVERIFY(!QTest::currentTestFailed());

    const QVector<Backup> kept = backups();
    QCOMPARE(kept.size(), 100);
    QVERIFY(kept.first().relativePath != oldest);
    QCOMPARE(kept.last().bytes, mServed);
}

void TestSessionEndToEnd::backupsArePrivate_data()
{
    QTest::addColumn<int>("mask");
    QTest::newRow("umask 022") << 022;
    QTest::newRow("umask 002") << 002;
}

// Backups hold passwords and PINs: whatever the umask, only the user may list
// their folders or read them, and what an earlier version left open to every
// user of the machine is closed when the next backup is written.
void TestSessionEndToEnd::backupsArePrivate()
{
    QFETCH(int, mask);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QStringList folders = {data + "/backups", data + '/' + ProductBackups.chopped(1),
                                 data + '/' + ProductBackups + "77"};
    const auto modeOf = [](const QString& path) {
        struct stat status = {};
        return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 07777) : -1;
    };
    QVERIFY(startSimulator({}, mServed));
    const mode_t previous = ::umask(mode_t(mask));
    const auto restore = qScopeGuard([previous] { ::umask(previous); });

    for (int connection = 1; connection <= 2; ++connection) {
        connectSession();
        mFacade->doDisconnect();
        QTRY_VERIFY_WITH_TIMEOUT(!mFacade->connected(), SessionMs);
        const QVector<Backup> kept = backups();
        QCOMPARE(kept.size(), connection);
        for (const Backup& backup : kept)
            QCOMPARE(modeOf(data + '/' + backup.relativePath), 0600);
        for (const QString& folder : folders)
            QCOMPARE(modeOf(folder), 0700);
        for (const QString& path : folders + QStringList{data + '/' + kept.first().relativePath})
            QVERIFY(::chmod(QFile::encodeName(path).constData(), QFileInfo(path).isDir() ? 0755 : 0644) == 0);
    }
}

void TestSessionEndToEnd::unwritableBackupFolderWarnsOnce()
{
    const QDir data(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    QVERIFY(data.mkpath("."));
    // A file where the folder belongs: no folder can be made, whoever runs the test.
    QVERIFY(writeFile(data.filePath("backups"), "in the way"));
    QVERIFY(startSimulator({}, mServed));
    QSignalSpy failed(mFacade.data(), &StateMachine::backupFailed);
    QSignalSpy read(mFacade.data(), &StateMachine::readFromDeviceSuccessful);

    connectSession();
    QVERIFY(!QTest::currentTestFailed());
    mFacade->doReadDeviceConfiguration();
    QTRY_COMPARE_WITH_TIMEOUT(read.count(), 2, SessionMs);

    QCOMPARE(failed.count(), 1);
    QCOMPARE(failed.first().at(0).toString(), data.filePath(ProductBackups + "77"));
    QVERIFY(!failed.first().at(1).toString().isEmpty());
    QCOMPARE(device()->serializeToByteArray(), mServed);
    QVERIFY(!mFacade->hasSessionBackup());
    QCOMPARE(readFile(data.filePath("backups")), QByteArray("in the way"));
}

QTEST_GUILESS_MAIN(TestSessionEndToEnd)
#include "tst_sessionEndToEnd.moc"
