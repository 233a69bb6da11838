#include "fileOperationsFixture.h"
#include "fileSizeLimit.h"
#include "saveStatusTracker.h"
#include "signalRecorder.h"
#include "stateMachine.h"
#include "standardErrorCapture.h"

#include <commsHandler.h>

#include <QTemporaryDir>
#include <QtTest>

using namespace SmTest;
using TarnTest::FileSizeLimit;
using QKel::Config::SaveStatusTracker;
using QKel::Device::AbstractDevice;
using QKel::Global::Types;
using QKel::Sm::StateMachine;

namespace {

const QString PreviousPath = QStringLiteral("/previous/place.frc");

AbstractDevice* deviceOf(const StateMachine& facade)
{
    return qobject_cast<AbstractDevice*>(facade.currentDevice());
}

} // namespace

class TestFileOperations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void loadValidFileWhileDisconnected();
    void loadRejectsBadFile_data();
    void loadRejectsBadFile();
    void newConfigurationThenSave();
    void editMarksSaveNeeded();
    void failedSaveKeepsPreviousFile_data();
    void failedSaveKeepsPreviousFile();
    void loadWhileBusyNotTaken();
    void operationsBeforeStartDoNothing();
    void startupFileLoaded();
    void unloadableStartupFileEndsAutoflash();

private:
    void startFacade(const QString& startupFile = QString(), bool autoflash = false);

    QScopedPointer<StateMachine> mFacade;
    QScopedPointer<QTemporaryDir> mDir;
};

void TestFileOperations::initTestCase()
{
    qRegisterMetaType<Types::eConfigurationType>();
    // As in the program, the link lives in the main thread.
    QKel::Comms::CommsHandler::instance();
    QVERIFY2(!gatewayConfiguration(1).isEmpty(), "the TARN210 driver plug-in is not in bin/devices");
}

void TestFileOperations::init()
{
    auto* tracker = SaveStatusTracker::instance();
    tracker->setCurrentFilePath(PreviousPath);
    tracker->setCurrentFileUrl(fileUrl(PreviousPath));
    tracker->setSaveNeeded(true);
    tracker->setConfigurationType(Types::CONFIGURATION_TYPE_NEW);
    mDir.reset(new QTemporaryDir);
    QVERIFY(mDir->isValid());
}

void TestFileOperations::cleanup()
{
    mFacade.reset();
}

void TestFileOperations::startFacade(const QString& startupFile, bool autoflash)
{
    mFacade.reset(new StateMachine);
    QVERIFY(SmTest::startFacade(*mFacade, startupFile, autoflash));
}

void TestFileOperations::loadValidFileWhileDisconnected()
{
    startFacade();
    const QString path = mDir->filePath(QStringLiteral("gateway.frc"));
    const QByteArray bytes = gatewayConfiguration(4242);
    QVERIFY(writeFile(path, bytes));
    SignalRecorder recorder({mFacade.data(), SaveStatusTracker::instance()});

    mFacade->doLoadConfiguration(fileUrl(path));

    const QStringList expected = {"currentDeviceChanged(null)",
                                  "currentDeviceChanged(QKel::Device::FerrowWlan7701)",
                                  "connectedChanged(false)",
                                  "busyChanged(false)",
                                  SignalRecorder::format("currentFilePathChanged", {path}),
                                  SignalRecorder::format("currentFileUrlChanged", {fileUrl(path)}),
                                  "saveNeededChanged(false)",
                                  "configurationTypeChanged(CONFIGURATION_TYPE_FILE)",
                                  SignalRecorder::format("loadFileSuccessful", {path})};
    QCOMPARE(recorder.formatted(), expected);
    QVERIFY(deviceOf(*mFacade));
    QCOMPARE(deviceOf(*mFacade)->serializeToByteArray(), bytes);
    QCOMPARE(deviceOf(*mFacade)->deviceInfo()->serialNumber(), 4242u);
}

void TestFileOperations::loadRejectsBadFile_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expectedSignal");

    const QByteArray valid = gatewayConfiguration(7);
    QKel::Pb::Configuration::File foreign(nullptr);
    foreign.setProductId(QStringLiteral("ffffffffffff"));

    QTest::newRow("missing file") << false << QByteArray() << QString();
    QTest::newRow("not a configuration") << true << QByteArray("\xff\xfe garbage", 10) << "configurationParseError()";
    QTest::newRow("empty file") << true << QByteArray() << "configurationParseError()";
    QTest::newRow("cut short") << true << valid.left(valid.size() / 2) << "configurationParseError()";
    QTest::newRow("wrong checksum")
        << true << alteredFile(valid, [](auto& record) { record.set_checksum(record.checksum() ^ 1); })
        << "configurationChecksumError()";
    QTest::newRow("newer version") << true << alteredFile(valid, [](auto& record) { record.set_version(2); })
                                   << "configurationVersionMismatch()";
    QTest::newRow("version 0") << true << alteredFile(valid, [](auto& record) { record.set_version(0); })
                               << "configurationVersionObsolete()";
    QTest::newRow("product without driver") << true << foreign.pack()
                                            << "configurationUnsupported(ffffffffffff)";
}

void TestFileOperations::loadRejectsBadFile()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, content);
    QFETCH(QString, expectedSignal);
    startFacade();
    const QString path = mDir->filePath(QStringLiteral("bad.frc"));
    if (exists) {
        QVERIFY(writeFile(path, content));
    }
    SignalRecorder recorder({mFacade.data(), SaveStatusTracker::instance()});

    mFacade->doLoadConfiguration(fileUrl(path));

    QCOMPARE(recorder.formatted(), expectedSignal.isEmpty() ? QStringList() : QStringList{expectedSignal});
    QVERIFY(!mFacade->currentDevice());
    QCOMPARE(SaveStatusTracker::instance()->currentFilePath(), PreviousPath);
    QCOMPARE(SaveStatusTracker::instance()->configurationType(), Types::CONFIGURATION_TYPE_NEW);
}

void TestFileOperations::newConfigurationThenSave()
{
    startFacade();
    auto* tracker = SaveStatusTracker::instance();
    SignalRecorder recorder({mFacade.data(), tracker});

    mFacade->doNewConfiguration(QStringLiteral("0000000000ff"));
    QCOMPARE(recorder.formatted(), QStringList{"configurationUnsupported(0000000000ff)"});
    recorder.clear();

    mFacade->doNewConfiguration(GatewayProductId);
    const QStringList expectedNew = {"currentDeviceChanged(null)",
                                     "currentDeviceChanged(QKel::Device::FerrowWlan7701)",
                                     "connectedChanged(false)",
                                     "busyChanged(false)",
                                     "currentFilePathChanged()",
                                     "currentFileUrlChanged()",
                                     "saveNeededChanged(false)",
                                     "newFileSuccessful(TARN210)"};
    QCOMPARE(recorder.formatted(), expectedNew);
    QCOMPARE(tracker->configurationType(), Types::CONFIGURATION_TYPE_NEW);
    // Packing stamps the checksum, which is no edit; an edit the save must clear.
    deviceOf(*mFacade)->serializeToByteArray();
    QVERIFY(!tracker->saveNeeded());
    emit deviceOf(*mFacade)->saveNeeded();
    QVERIFY(tracker->saveNeeded());
    recorder.clear();

    const QString path = mDir->filePath(QStringLiteral("saved.frc"));
    mFacade->doSaveConfiguration(fileUrl(path));

    const QStringList expectedSave = {SignalRecorder::format("currentFilePathChanged", {path}),
                                      SignalRecorder::format("currentFileUrlChanged", {fileUrl(path)}),
                                      "saveNeededChanged(false)",
                                      "configurationTypeChanged(CONFIGURATION_TYPE_FILE)",
                                      SignalRecorder::format("saveFileSuccessful", {path})};
    QCOMPARE(recorder.formatted(), expectedSave);
    const QByteArray saved = readFile(path);
    QCOMPARE(saved, deviceOf(*mFacade)->serializeToByteArray());

    // What was saved loads again into an equal configuration.
    mFacade->doLoadConfiguration(fileUrl(path));
    QCOMPARE(deviceOf(*mFacade)->serializeToByteArray(), saved);
}

void TestFileOperations::editMarksSaveNeeded()
{
    startFacade();
    mFacade->doNewConfiguration(GatewayProductId);
    auto* tracker = SaveStatusTracker::instance();
    QVERIFY(!tracker->saveNeeded());
    QSignalSpy spy(tracker, &SaveStatusTracker::saveNeededChanged);

    auto* device = deviceOf(*mFacade);
    device->restoreFromByteArray(device->serializeToByteArray());
    device->restoreFromByteArray(device->serializeToByteArray());

    QCOMPARE(spy.count(), 1);
    QVERIFY(tracker->saveNeeded());
}

void TestFileOperations::failedSaveKeepsPreviousFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("limitFileSize");

    QTest::newRow("disk refuses the bytes") << QStringLiteral("config.frc") << true;
    QTest::newRow("missing directory") << QStringLiteral("missing/config.frc") << false;
    QTest::newRow("target is a directory") << QStringLiteral("folder") << false;
}

void TestFileOperations::failedSaveKeepsPreviousFile()
{
    QFETCH(QString, target);
    QFETCH(bool, limitFileSize);
    startFacade();
    mFacade->doNewConfiguration(GatewayProductId);
    const QString previous = mDir->filePath(QStringLiteral("config.frc"));
    const QByteArray previousBytes = QByteArrayLiteral("the configuration saved before");
    QVERIFY(writeFile(previous, previousBytes));
    QVERIFY(QDir(mDir->path()).mkdir(QStringLiteral("folder")));
    const QString path = mDir->filePath(target);
    auto* tracker = SaveStatusTracker::instance();
    tracker->setSaveNeeded(true);
    SignalRecorder recorder({mFacade.data(), tracker});

    {
        QScopedPointer<FileSizeLimit> limit(limitFileSize ? new FileSizeLimit(previousBytes.size()) : nullptr);
        mFacade->doSaveConfiguration(fileUrl(path));
    }

    QCOMPARE(recorder.names(), QStringList{"saveFileFailed"});
    QCOMPARE(recorder.entries().at(0).arguments.at(0).toString(), path);
    QCOMPARE(readFile(previous), previousBytes);
    QCOMPARE(QDir(mDir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             (QStringList{"config.frc", "folder"}));
    QVERIFY(tracker->saveNeeded());
    QCOMPARE(tracker->configurationType(), Types::CONFIGURATION_TYPE_NEW);
    QCOMPARE(tracker->currentFilePath(), QString());
}

void TestFileOperations::loadWhileBusyNotTaken()
{
    startFacade();
    mFacade->doNewConfiguration(GatewayProductId);
    QObject* const editedDevice = mFacade->currentDevice();
    const QString path = mDir->filePath(QStringLiteral("gateway.frc"));
    QVERIFY(writeFile(path, gatewayConfiguration(5)));
    mFacade->doConnect();
    QVERIFY(mFacade->busy());
    auto* tracker = SaveStatusTracker::instance();
    SignalRecorder recorder({mFacade.data(), tracker});

    mFacade->doLoadConfiguration(fileUrl(path));
    mFacade->doNewConfiguration(GatewayProductId);

    QCOMPARE(recorder.formatted(),
             (QStringList{"configurationRejectedWhileBusy()", "configurationRejectedWhileBusy()"}));
    QCOMPARE(mFacade->currentDevice(), editedDevice);
    QCOMPARE(tracker->currentFilePath(), QString());
    QCOMPARE(tracker->configurationType(), Types::CONFIGURATION_TYPE_NEW);
    mFacade->doDisconnect();
    QVERIFY(!mFacade->busy());
}

void TestFileOperations::operationsBeforeStartDoNothing()
{
    StateMachine facade;
    const QString path = mDir->filePath(QStringLiteral("never.frc"));
    QVERIFY(writeFile(path, gatewayConfiguration(3)));
    const QString missing = mDir->filePath(QStringLiteral("never.zip"));
    SignalRecorder recorder({&facade, SaveStatusTracker::instance()});

    QCOMPARE(facade.connected(), false);
    QCOMPARE(facade.busy(), false);
    QCOMPARE(facade.currentDevice(), nullptr);
    QCOMPARE(facade.deviceIdString(), QString());
    facade.doConnect();
    facade.doLoadConfiguration(fileUrl(path));
    facade.doNewConfiguration(GatewayProductId);
    facade.doSaveConfiguration(fileUrl(path + ".copy"));
    facade.doPackSupportArchive(fileUrl(missing));

    QCOMPARE(recorder.names(), (QStringList{"saveFileFailed", "packSupportArchiveFailed"}));
    QVERIFY(!QFile::exists(path + ".copy"));
    QVERIFY(!QFile::exists(missing));
    QCOMPARE(SaveStatusTracker::instance()->currentFilePath(), PreviousPath);
}

void TestFileOperations::startupFileLoaded()
{
    const QString path = mDir->filePath(QStringLiteral("startup.frc"));
    QVERIFY(writeFile(path, gatewayConfiguration(11)));
    mFacade.reset(new StateMachine);
    QSignalSpy loaded(mFacade.data(), &StateMachine::loadFileSuccessful);
    mFacade->setStartupOptions(fileUrl(path), false);
    mFacade->start();

    QVERIFY(loaded.wait(5000));
    QCOMPARE(loaded.at(0).at(0).toString(), path);
    QCOMPARE(deviceOf(*mFacade)->deviceInfo()->serialNumber(), 11u);
    QVERIFY(!mFacade->busy());
}

void TestFileOperations::unloadableStartupFileEndsAutoflash()
{
    const QString path = mDir->filePath(QStringLiteral("missing.frc"));
    mFacade.reset(new StateMachine);
    mFacade->setStartupOptions(fileUrl(path), true);
    StandardErrorCapture capture;

    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    mFacade->start();
    const int exitCode = QCoreApplication::exec();

    QCOMPARE(exitCode, -1);
    QVERIFY(capture.text().split('\n').contains("ERROR"));
    // Nothing was sent to a device.
    QVERIFY(!mFacade->busy());
    QVERIFY(!mFacade->currentDevice());
}

QTEST_GUILESS_MAIN(TestFileOperations)
#include "tst_fileOperations.moc"
