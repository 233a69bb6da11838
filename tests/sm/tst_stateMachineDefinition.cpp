#include "saveStatusTracker.h"
#include "signalRecorder.h"
#include "standardErrorCapture.h"
#include "stateMachineBackend.h"
#include "stateMachineDefinition.h"
#include "testDevice.h"

#include <protocol/bootProtocol.h>

#include <QTimer>
#include <QtTest>

using namespace QKel::Sm;
using QKel::Comms::Protocol::BootProtocol;
using QKel::Config::SaveStatusTracker;
using QKel::Global::Types;
using LoadError = QKel::Pb::Configuration::File::LOAD_ERROR;

namespace {

const QByteArray IdString = QByteArrayLiteral("TARN210 test gateway");
// A product ID that only the tests' own device serves.
const QString TestProductId = QStringLiteral("0120010177aa");
const QByteArray ProductIdAnswer = QByteArray::fromHex("500120010177aa");
const QByteArray DeviceConfiguration = QByteArrayLiteral("configuration from the device");
const QByteArray EditedConfiguration = QByteArrayLiteral("configuration being edited");

enum class Stage {
    Disconnected,
    AttemptingConnection,
    ReadProductId,
    Connected,
    ReadConfiguration,
    WriteConfiguration,
    VerifyConfiguration
};
enum class Input { EmptyData, Timeout, CommsError, LoadError, ErrorAnswer, UnknownProductId };

QString writeData(const QByteArray& frame)
{
    return SignalRecorder::format("writeData", {frame});
}

// From the connect command up to the identified product, with a device that
// serves it: boot sequence, identification string, product ID.
QStringList identificationSignals()
{
    return {"busyChanged(true)",
            SignalRecorder::format("startCyclicWrite", {BootProtocol::buildBootSequence(), 500, true}),
            "startTimeoutWatch(10000)",
            "deviceIdStringChanged(TARN210 test gateway)",
            "stopCyclicWrite()",
            writeData(BootProtocol::buildReadProductIdCommand()),
            "startTimeoutWatch(10000)",
            "connectSuccessful()"};
}

// What the entries of StateInitialization and StateDisconnected emit.
const QStringList ResetSignals = {
    "stopCyclicWrite()", "connectedChanged(false)", "busyChanged(false)", "deviceIdStringChanged()",
    "stopTimeoutWatch()", "connectedChanged(false)", "busyChanged(false)", "stopTimeoutWatch()"};

} // namespace

Q_DECLARE_METATYPE(Stage)
Q_DECLARE_METATYPE(Input)

class TestStateMachineDefinition : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startEndsInDisconnected();
    void connectReadsConfiguration();
    void autoflashWritesAndExits();
    void autoflashFailureExitsWithError_data();
    void autoflashFailureExitsWithError();
    void failureEndsSession_data();
    void failureEndsSession();
    void repeatedIdStringIgnored_data();
    void repeatedIdStringIgnored();
    void productIdPadded_data();
    void productIdPadded();
    void storedConfigurationFollowsOrigin_data();
    void storedConfigurationFollowsOrigin();
    void setDevice_data();
    void setDevice();
    void closingCommandEndsSession_data();
    void closingCommandEndsSession();
    void eventWithoutRowDropped_data();
    void eventWithoutRowDropped();
    void eventRaisedDuringProcessingQueued();

private:
    void reach(Stage stage);
    bool deliver(Input input);
    StateMachineDefinition* definition() const { return mMachine->definition(); }

    QScopedPointer<StateMachineBackend> mMachine;
    QScopedPointer<SignalRecorder> mRecorder;
    QSharedPointer<TestDevice> mDevice;
};

void TestStateMachineDefinition::initTestCase()
{
    qRegisterMetaType<Types::eConfigurationType>();
}

void TestStateMachineDefinition::init()
{
    auto* tracker = SaveStatusTracker::instance();
    tracker->setConfigurationType(Types::CONFIGURATION_TYPE_NONE);
    tracker->setSaveNeeded(false);
    mMachine.reset(new StateMachineBackend);
    mRecorder.reset(new SignalRecorder(definition()));
    mDevice = QSharedPointer<TestDevice>::create(QStringList{TestProductId}, EditedConfiguration);
}

void TestStateMachineDefinition::cleanup()
{
    mRecorder.reset();
    mMachine.reset();
}

// Starts the machine and walks it to `stage` with a device that answers well;
// the signals of the way there are forgotten.
void TestStateMachineDefinition::reach(Stage stage)
{
    mMachine->start();
    if (stage != Stage::Disconnected) {
        QVERIFY(mMachine->process(EventSetDevice{mDevice}));
        QVERIFY(mMachine->process(EventConnect{}));
    }
    if (stage >= Stage::ReadProductId) {
        QVERIFY(mMachine->process(EventNewData{IdString}));
    }
    if (stage >= Stage::Connected) {
        QVERIFY(mMachine->process(EventNewData{ProductIdAnswer}));
        QVERIFY(mMachine->process(EventNewData{'L' + DeviceConfiguration}));
        QVERIFY(definition()->connected());
    }
    if (stage == Stage::ReadConfiguration) {
        QVERIFY(mMachine->process(EventReadDeviceConfiguration{}));
    }
    if (stage >= Stage::WriteConfiguration) {
        QVERIFY(mMachine->process(EventWriteDeviceConfiguration{}));
    }
    if (stage == Stage::VerifyConfiguration) {
        QVERIFY(mMachine->process(EventNewData{QByteArrayLiteral("S")}));
        QVERIFY(definition()->isVerifyingWrite());
    }
    mDevice->restored.clear();
    mDevice->parsed.clear();
    mRecorder->clear();
}

bool TestStateMachineDefinition::deliver(Input input)
{
    switch (input) {
    case Input::EmptyData:
        return mMachine->process(EventNewData{QByteArray()});
    case Input::Timeout:
        return mMachine->process(EventTimeout{});
    case Input::CommsError:
        return mMachine->process(EventCommsError{3});
    case Input::LoadError:
        return mMachine->process(EventLoadError{QKel::Pb::Configuration::File::LOAD_ERROR__CHECKSUM});
    case Input::ErrorAnswer:
        return mMachine->process(EventNewData{QByteArrayLiteral("E")});
    case Input::UnknownProductId:
        return mMachine->process(EventNewData{QByteArray::fromHex("500a0b0c0d0e0f")});
    }
    return false;
}

void TestStateMachineDefinition::startEndsInDisconnected()
{
    mMachine->start();
    QCOMPARE(mRecorder->formatted(), ResetSignals);
    QVERIFY(!definition()->connected());
    QVERIFY(!definition()->busy());
    QVERIFY(!definition()->currentDevice());
}

void TestStateMachineDefinition::connectReadsConfiguration()
{
    reach(Stage::Disconnected);
    QVERIFY(mMachine->process(EventSetDevice{mDevice}));
    mRecorder->clear();

    QVERIFY(mMachine->process(EventConnect{}));
    QVERIFY(mMachine->process(EventNewData{IdString + '\0' + "padding"}));
    QVERIFY(mMachine->process(EventNewData{ProductIdAnswer}));
    QVERIFY(mMachine->process(EventNewData{'L' + DeviceConfiguration}));

    const QStringList expected = identificationSignals() + QStringList{
        "busyChanged(true)",
        "startTimeoutWatch(10000)",
        writeData(BootProtocol::buildReadProtobufCommand()),
        SignalRecorder::format("configurationReceived", {DeviceConfiguration, 0u}),
        "readFromDeviceSuccessful()",
        "busyChanged(false)",
        "connectedChanged(true)",
        "stopTimeoutWatch()"};
    QCOMPARE(mRecorder->formatted(), expected);
    QCOMPARE(mDevice->restored, QByteArrayList{DeviceConfiguration});
    QCOMPARE(definition()->deviceIdString(), QString::fromUtf8(IdString));
    QCOMPARE(definition()->productId(), TestProductId);
    QCOMPARE(definition()->currentDevice(), mDevice.data());
}

void TestStateMachineDefinition::autoflashWritesAndExits()
{
    reach(Stage::Disconnected);
    QVERIFY(mMachine->process(EventSetDevice{mDevice}));
    mRecorder->clear();

    QVERIFY(mMachine->process(EventAutoflash{}));
    QVERIFY(mMachine->process(EventNewData{IdString}));
    QVERIFY(mMachine->process(EventNewData{ProductIdAnswer}));
    QVERIFY(mMachine->process(EventNewData{'L' + DeviceConfiguration}));
    // What the gateway held is announced (for its backup) before anything is written.
    const QStringList expected = identificationSignals() + QStringList{
        "busyChanged(true)",
        "startTimeoutWatch(10000)",
        writeData(BootProtocol::buildReadProtobufCommand()),
        SignalRecorder::format("configurationReceived", {DeviceConfiguration, 0u}),
        "busyChanged(false)",
        "connectedChanged(true)",
        "stopTimeoutWatch()",
        "busyChanged(true)",
        "startTimeoutWatch(10000)",
        writeData(BootProtocol::buildWriteProtobufCommand(EditedConfiguration))};
    QCOMPARE(mRecorder->formatted(), expected);
    // The file is written, the gateway's only gave its device information.
    QVERIFY(mDevice->restored.isEmpty());
    QCOMPARE(mDevice->parsed, QByteArrayList{DeviceConfiguration});
    mRecorder->clear();

    QVERIFY(mMachine->process(EventNewData{QByteArrayLiteral("S")}));
    QCOMPARE(mRecorder->formatted(),
             (QStringList{"writeAcknowledged()", "startTimeoutWatch(10000)",
                          writeData(BootProtocol::buildReadProtobufCommand())}));
    mRecorder->clear();
    StandardErrorCapture capture;
    QTimer::singleShot(0, this, [this] { mMachine->process(EventNewData{'L' + EditedConfiguration}); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    const int exitCode = QCoreApplication::exec();

    QCOMPARE(exitCode, 0);
    QVERIFY(capture.text().split('\n').contains("SUCCESS"));
    // The session stays open and the configuration is not sent a second time.
    QCOMPARE(mRecorder->formatted(),
             (QStringList{SignalRecorder::format("configurationReceived", {EditedConfiguration, 0u}),
                          "writeToDeviceSuccessful()", "busyChanged(false)", "connectedChanged(true)",
                          "stopTimeoutWatch()"}));
}

void TestStateMachineDefinition::autoflashFailureExitsWithError_data()
{
    QTest::addColumn<QByteArrayList>("answers");
    QTest::addColumn<bool>("written");

    QTest::newRow("read before the write refused") << QByteArrayList{"E"} << false;
    QTest::newRow("write refused") << QByteArrayList{'L' + DeviceConfiguration, "E"} << true;
    QTest::newRow("read-back differs") << QByteArrayList{'L' + DeviceConfiguration, "S", 'L' + DeviceConfiguration}
                                       << true;
    QTest::newRow("read-back refused") << QByteArrayList{'L' + DeviceConfiguration, "S", "E"} << true;
}

void TestStateMachineDefinition::autoflashFailureExitsWithError()
{
    QFETCH(QByteArrayList, answers);
    QFETCH(bool, written);
    reach(Stage::Disconnected);
    QVERIFY(mMachine->process(EventSetDevice{mDevice}));
    QVERIFY(mMachine->process(EventAutoflash{}));
    QVERIFY(mMachine->process(EventNewData{IdString}));
    QVERIFY(mMachine->process(EventNewData{ProductIdAnswer}));
    const QByteArray last = answers.takeLast();
    for (const QByteArray& answer : qAsConst(answers))
        QVERIFY(mMachine->process(EventNewData{answer}));

    StandardErrorCapture capture;
    QTimer::singleShot(0, this, [this, last] { mMachine->process(EventNewData{last}); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    const int exitCode = QCoreApplication::exec();

    QCOMPARE(exitCode, -1);
    QVERIFY(capture.text().split('\n').contains("ERROR"));
    const QString write = writeData(BootProtocol::buildWriteProtobufCommand(EditedConfiguration));
    QCOMPARE(mRecorder->formatted().contains(write), written);
    // Nothing more is sent once the run has failed.
    QCOMPARE(mRecorder->formatted().count(write), written ? 1 : 0);
}

void TestStateMachineDefinition::failureEndsSession_data()
{
    QTest::addColumn<Stage>("stage");
    QTest::addColumn<Input>("input");
    QTest::addColumn<QStringList>("signalsBeforeReset");

    const QStringList none;
    // The session starts with the edited device current, so before the device
    // answered, the reported product ID is the one that device serves first.
    const QString unsupportedId = QStringLiteral("deviceUnsupported(TARN210 test gateway, 0120010177aa)");
    QTest::newRow("boot: empty answer") << Stage::AttemptingConnection << Input::EmptyData
                                        << QStringList{"deviceUnsupported(, 0120010177aa)"};
    QTest::newRow("boot: timeout") << Stage::AttemptingConnection << Input::Timeout << none;
    QTest::newRow("boot: comms error") << Stage::AttemptingConnection << Input::CommsError << none;
    QTest::newRow("product ID: empty answer") << Stage::ReadProductId << Input::EmptyData
                                              << QStringList{unsupportedId};
    // The configuration being edited stays current: nothing else could save it.
    QTest::newRow("product ID: no driver")
        << Stage::ReadProductId << Input::UnknownProductId
        << QStringList{"deviceUnsupported(TARN210 test gateway, 0a0b0c0d0e0f)"};
    QTest::newRow("product ID: timeout") << Stage::ReadProductId << Input::Timeout << none;
    QTest::newRow("product ID: comms error") << Stage::ReadProductId << Input::CommsError << none;
    QTest::newRow("connected: timeout") << Stage::Connected << Input::Timeout << none;
    QTest::newRow("connected: comms error") << Stage::Connected << Input::CommsError << none;
    QTest::newRow("connected: load error") << Stage::Connected << Input::LoadError << none;
    QTest::newRow("read: error answer") << Stage::ReadConfiguration << Input::ErrorAnswer
                                        << QStringList{"deviceError()"};
    QTest::newRow("read: timeout") << Stage::ReadConfiguration << Input::Timeout << none;
    QTest::newRow("read: comms error") << Stage::ReadConfiguration << Input::CommsError << none;
    QTest::newRow("read: load error") << Stage::ReadConfiguration << Input::LoadError << none;
    QTest::newRow("write: error answer") << Stage::WriteConfiguration << Input::ErrorAnswer
                                         << QStringList{"deviceError()"};
    QTest::newRow("write: timeout") << Stage::WriteConfiguration << Input::Timeout << none;
    QTest::newRow("write: comms error") << Stage::WriteConfiguration << Input::CommsError << none;
    QTest::newRow("read-back: error answer") << Stage::VerifyConfiguration << Input::ErrorAnswer
                                             << QStringList{"readBackRefused()"};
    QTest::newRow("read-back: timeout") << Stage::VerifyConfiguration << Input::Timeout << none;
    QTest::newRow("read-back: comms error") << Stage::VerifyConfiguration << Input::CommsError << none;
}

void TestStateMachineDefinition::failureEndsSession()
{
    QFETCH(Stage, stage);
    QFETCH(Input, input);
    QFETCH(QStringList, signalsBeforeReset);
    reach(stage);

    QVERIFY(deliver(input));

    QCOMPARE(mRecorder->formatted(), signalsBeforeReset + ResetSignals);
    QVERIFY(!definition()->connected());
    QVERIFY(!definition()->busy());
    QCOMPARE(definition()->deviceIdString(), QString());
    QCOMPARE(definition()->productId(), QString());
    QCOMPARE(definition()->currentDevice(), mDevice.data());
    // The session is over: a new one starts from StateDisconnected.
    QVERIFY(mMachine->process(EventConnect{}));
}

void TestStateMachineDefinition::repeatedIdStringIgnored_data()
{
    QTest::addColumn<Stage>("stage");
    QTest::addColumn<QByteArray>("repeat");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("answerSignal");

    const QByteArray padded = IdString + QByteArray(1, '\0') + QByteArrayLiteral("xyz");
    QTest::newRow("product ID") << Stage::ReadProductId << IdString << ProductIdAnswer << "connectSuccessful()";
    QTest::newRow("product ID, zero-padded") << Stage::ReadProductId << padded << ProductIdAnswer
                                             << "connectSuccessful()";
    QTest::newRow("read") << Stage::ReadConfiguration << IdString << QByteArray('L' + DeviceConfiguration)
                          << "readFromDeviceSuccessful()";
    QTest::newRow("write") << Stage::WriteConfiguration << IdString << QByteArray("S")
                           << writeData(BootProtocol::buildReadProtobufCommand());
    QTest::newRow("write, zero-padded") << Stage::WriteConfiguration << padded << QByteArray("S")
                                        << writeData(BootProtocol::buildReadProtobufCommand());
    QTest::newRow("read-back") << Stage::VerifyConfiguration << IdString << QByteArray('L' + DeviceConfiguration)
                               << "writeToDeviceSuccessful()";
}

void TestStateMachineDefinition::repeatedIdStringIgnored()
{
    QFETCH(Stage, stage);
    QFETCH(QByteArray, repeat);
    QFETCH(QByteArray, answer);
    QFETCH(QString, answerSignal);
    reach(stage);
    const bool busy = definition()->busy();

    QVERIFY(!mMachine->process(EventNewData{repeat}));
    QCOMPARE(mRecorder->formatted(), QStringList());
    QCOMPARE(definition()->busy(), busy);

    // Still waiting for the answer of the same command.
    QVERIFY(mMachine->process(EventNewData{answer}));
    QVERIFY(mRecorder->formatted().contains(answerSignal));
}

void TestStateMachineDefinition::productIdPadded_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("productId");

    QTest::newRow("two bytes") << QByteArray::fromHex("5012ab") << "0000000012ab";
    QTest::newRow("six bytes") << QByteArray::fromHex("50a1b2c3d4e5f6") << "a1b2c3d4e5f6";
    QTest::newRow("seven bytes") << QByteArray::fromHex("500102030405060708") << "0102030405060708";
    QTest::newRow("leading byte only") << QByteArray::fromHex("50") << "000000000000";
    QTest::newRow("leading byte ignored") << QByteArray::fromHex("ff00") << "000000000000";
}

void TestStateMachineDefinition::productIdPadded()
{
    QFETCH(QByteArray, answer);
    QFETCH(QString, productId);
    reach(Stage::ReadProductId);

    QVERIFY(mMachine->process(EventNewData{answer}));

    // No driver serves these IDs, so the machine reports the ID it stored.
    const auto entries = mRecorder->entries();
    const auto unsupported = std::find_if(entries.begin(), entries.end(),
                                          [](const auto& entry) { return entry.name == "deviceUnsupported"; });
    QVERIFY(unsupported != entries.end());
    QCOMPARE(unsupported->arguments.value(1).toString(), productId);
}

void TestStateMachineDefinition::storedConfigurationFollowsOrigin_data()
{
    QTest::addColumn<Types::eConfigurationType>("origin");
    QTest::addColumn<bool>("requested");
    QTest::addColumn<bool>("replaced");

    QTest::newRow("nothing edited, after connecting") << Types::CONFIGURATION_TYPE_NONE << false << true;
    QTest::newRow("file, after connecting") << Types::CONFIGURATION_TYPE_FILE << false << false;
    QTest::newRow("new, after connecting") << Types::CONFIGURATION_TYPE_NEW << false << false;
    QTest::newRow("file, on request") << Types::CONFIGURATION_TYPE_FILE << true << true;
    QTest::newRow("new, on request") << Types::CONFIGURATION_TYPE_NEW << true << true;
    QTest::newRow("read before, on request") << Types::CONFIGURATION_TYPE_READ_FROM_DEVICE << true << true;
}

void TestStateMachineDefinition::storedConfigurationFollowsOrigin()
{
    QFETCH(Types::eConfigurationType, origin);
    QFETCH(bool, requested);
    QFETCH(bool, replaced);
    auto* tracker = SaveStatusTracker::instance();
    const QByteArray answer = QByteArrayLiteral("fresh configuration");

    reach(requested ? Stage::Connected : Stage::ReadProductId);
    tracker->setConfigurationType(origin);
    tracker->setSaveNeeded(true);
    if (requested) {
        QVERIFY(mMachine->process(EventReadDeviceConfiguration{}));
    } else {
        QVERIFY(mMachine->process(EventNewData{ProductIdAnswer}));
    }
    mRecorder->clear();
    QVERIFY(mMachine->process(EventNewData{'L' + answer}));

    QVERIFY(definition()->connected());
    QCOMPARE(mDevice->restored, replaced ? QByteArrayList{answer} : QByteArrayList{});
    QCOMPARE(mDevice->parsed, replaced ? QByteArrayList{} : QByteArrayList{answer});
    QCOMPARE(tracker->configurationType(), replaced ? Types::CONFIGURATION_TYPE_READ_FROM_DEVICE : origin);
    QCOMPARE(tracker->saveNeeded(), !replaced);
    QCOMPARE(mRecorder->names().contains("readFromDeviceSuccessful"), replaced);
}

void TestStateMachineDefinition::setDevice_data()
{
    QTest::addColumn<Stage>("stage");
    QTest::addColumn<bool>("nullDevice");
    QTest::addColumn<QStringList>("productIds");
    QTest::addColumn<QStringList>("expectedSignals");
    QTest::addColumn<bool>("connectedAfter");
    QTest::addColumn<QString>("productIdAfter");

    const QStringList replaced = {"currentDeviceChanged(null)", "currentDeviceChanged(TestDevice)"};
    const QStringList stays = {"busyChanged(false)", "connectedChanged(true)", "stopTimeoutWatch()"};
    const QStringList leaves = {"connectedChanged(false)", "busyChanged(false)", "stopTimeoutWatch()"};
    QTest::newRow("connected, same product") << Stage::Connected << false << QStringList{TestProductId, "aa"}
                                             << replaced + stays << true << TestProductId;
    QTest::newRow("connected, also serves the product")
        << Stage::Connected << false << QStringList{"0000000000bb", TestProductId} << replaced + stays << true
        << "0000000000bb";
    QTest::newRow("connected, other product") << Stage::Connected << false << QStringList{"0000000000cc"}
                                              << replaced + leaves << false << "0000000000cc";
    QTest::newRow("connected, no device") << Stage::Connected << true << QStringList() << leaves << false
                                          << TestProductId;
    QTest::newRow("disconnected, device") << Stage::Disconnected << false << QStringList{"0000000000cc"}
                                          << replaced + leaves << false << "0000000000cc";
    QTest::newRow("disconnected, no device") << Stage::Disconnected << true << QStringList() << leaves << false
                                             << QString();
}

void TestStateMachineDefinition::setDevice()
{
    QFETCH(Stage, stage);
    QFETCH(bool, nullDevice);
    QFETCH(QStringList, productIds);
    QFETCH(QStringList, expectedSignals);
    QFETCH(bool, connectedAfter);
    QFETCH(QString, productIdAfter);
    reach(stage);
    QObject* const deviceBefore = definition()->currentDevice();
    const auto device = nullDevice ? QSharedPointer<TestDevice>() : QSharedPointer<TestDevice>::create(productIds);

    QVERIFY(mMachine->process(EventSetDevice{device}));

    QCOMPARE(mRecorder->formatted(), expectedSignals);
    QCOMPARE(definition()->connected(), connectedAfter);
    QCOMPARE(definition()->productId(), productIdAfter);
    QCOMPARE(definition()->currentDevice(), nullDevice ? deviceBefore : device.data());
    // Leaving the session this way neither resets it nor closes the link.
    const QString idAfter = stage == Stage::Connected ? QString::fromUtf8(IdString) : QString();
    QCOMPARE(definition()->deviceIdString(), idAfter);
}

void TestStateMachineDefinition::closingCommandEndsSession_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QStringList>("signalsBeforeReset");

    QTest::newRow("normal operation")
        << 0 << QStringList{writeData(BootProtocol::buildEnterNormalOperationCommand()), "disconnectSuccessful()"};
    QTest::newRow("pairing mode")
        << 1 << QStringList{writeData(BootProtocol::buildEnterPairingModeCommand()), "pairingModeSuccessful()"};
    QTest::newRow("factory reset") << 2
                                   << QStringList{"busyChanged(true)",
                                                  writeData(BootProtocol::buildFactoryResetCommand()),
                                                  "startTimeoutWatch(10000)", "factoryResetSuccessful()"};
}

void TestStateMachineDefinition::closingCommandEndsSession()
{
    QFETCH(int, command);
    QFETCH(QStringList, signalsBeforeReset);
    reach(Stage::Connected);

    const bool handled = command == 0   ? mMachine->process(EventEnterNormalOperation{})
                         : command == 1 ? mMachine->process(EventEnterPairingMode{})
                                        : mMachine->process(EventFactoryReset{});

    QVERIFY(handled);
    QCOMPARE(mRecorder->formatted(), signalsBeforeReset + ResetSignals);
    QVERIFY(!definition()->connected());
    QVERIFY(!definition()->busy());
    QCOMPARE(definition()->deviceIdString(), QString());
    QCOMPARE(definition()->currentDevice(), mDevice.data());
}

void TestStateMachineDefinition::eventWithoutRowDropped_data()
{
    QTest::addColumn<Stage>("stage");
    QTest::addColumn<int>("event");

    // 0 disconnect, 1 timeout, 2 comms error, 3 load error, 4 read, 5 write,
    // 6 normal operation, 7 pairing, 8 factory reset, 9 data, 10 connect, 11 set device
    QTest::newRow("disconnected: disconnect") << Stage::Disconnected << 0;
    QTest::newRow("disconnected: timeout") << Stage::Disconnected << 1;
    QTest::newRow("disconnected: comms error") << Stage::Disconnected << 2;
    QTest::newRow("disconnected: load error") << Stage::Disconnected << 3;
    QTest::newRow("disconnected: read") << Stage::Disconnected << 4;
    QTest::newRow("disconnected: write") << Stage::Disconnected << 5;
    QTest::newRow("disconnected: normal operation") << Stage::Disconnected << 6;
    QTest::newRow("disconnected: pairing") << Stage::Disconnected << 7;
    QTest::newRow("disconnected: factory reset") << Stage::Disconnected << 8;
    QTest::newRow("disconnected: data") << Stage::Disconnected << 9;
    QTest::newRow("connected: connect") << Stage::Connected << 10;
    QTest::newRow("connected: data") << Stage::Connected << 9;
    QTest::newRow("attempting: set device") << Stage::AttemptingConnection << 11;
    QTest::newRow("attempting: load error") << Stage::AttemptingConnection << 3;
    QTest::newRow("reading: set device") << Stage::ReadConfiguration << 11;
    QTest::newRow("reading: write") << Stage::ReadConfiguration << 5;
    QTest::newRow("writing: load error") << Stage::WriteConfiguration << 3;
    QTest::newRow("writing: read") << Stage::WriteConfiguration << 4;
}

void TestStateMachineDefinition::eventWithoutRowDropped()
{
    QFETCH(Stage, stage);
    QFETCH(int, event);
    reach(stage);
    const bool connected = definition()->connected();
    const bool busy = definition()->busy();
    const auto other = QSharedPointer<TestDevice>::create(QStringList{TestProductId});

    bool handled = true;
    switch (event) {
    case 0: handled = mMachine->process(EventDisconnect{}); break;
    case 1: handled = mMachine->process(EventTimeout{}); break;
    case 2: handled = mMachine->process(EventCommsError{1}); break;
    case 3: handled = deliver(Input::LoadError); break;
    case 4: handled = mMachine->process(EventReadDeviceConfiguration{}); break;
    case 5: handled = mMachine->process(EventWriteDeviceConfiguration{}); break;
    case 6: handled = mMachine->process(EventEnterNormalOperation{}); break;
    case 7: handled = mMachine->process(EventEnterPairingMode{}); break;
    case 8: handled = mMachine->process(EventFactoryReset{}); break;
    case 9: handled = mMachine->process(EventNewData{QByteArrayLiteral("S")}); break;
    case 10: handled = mMachine->process(EventConnect{}); break;
    case 11: handled = mMachine->process(EventSetDevice{other}); break;
    }

    QVERIFY(!handled);
    QCOMPARE(mRecorder->formatted(), QStringList());
    QCOMPARE(definition()->connected(), connected);
    QCOMPARE(definition()->busy(), busy);
    QCOMPARE(definition()->currentDevice(), stage == Stage::Disconnected ? nullptr : mDevice.data());
    QVERIFY(mDevice->restored.isEmpty());
}

void TestStateMachineDefinition::eventRaisedDuringProcessingQueued()
{
    reach(Stage::Connected);
    // The device reports a bad configuration while the machine is still storing it.
    mDevice->failLoadsWith(QKel::Pb::Configuration::File::LOAD_ERROR__PARSE);
    bool queuedHandled = false;
    QStringList signalsBeforeLoadError;
    connect(mDevice.data(), &QKel::Device::AbstractDevice::loadError, this, [&](LoadError error) {
        signalsBeforeLoadError = mRecorder->formatted();
        queuedHandled = mMachine->process(EventLoadError{error});
    });
    QVERIFY(mMachine->process(EventReadDeviceConfiguration{}));
    mRecorder->clear();

    QVERIFY(mMachine->process(EventNewData{'L' + DeviceConfiguration}));

    QVERIFY(queuedHandled);
    // The bytes were announced as received (and so backed up) before the device saw them.
    QCOMPARE(signalsBeforeLoadError, QStringList{SignalRecorder::format("configurationReceived", {DeviceConfiguration, 0u})});
    // The answer's processing completes, without claiming a successful read;
    // then the queued load error ends the session.
    const QStringList expected =
        QStringList{signalsBeforeLoadError.first(), "busyChanged(false)", "connectedChanged(true)", "stopTimeoutWatch()"}
        + ResetSignals;
    QCOMPARE(mRecorder->formatted(), expected);
    QCOMPARE(mDevice->restored, QByteArrayList{DeviceConfiguration});
}

QTEST_GUILESS_MAIN(TestStateMachineDefinition)
#include "tst_stateMachineDefinition.moc"
