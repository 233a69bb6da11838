// The rules every wrapper shares, exercised on the function and power
// management wrappers.
#include "kelfunction.h"
#include "powermanagement.h"
#include "signalrecorder.h"

#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using namespace QKel::Pb;

class TstWrapper : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void setterStoresAndEmitsOnlyOnChange_data();
    void setterStoresAndEmitsOnlyOnChange();
    void everyChangeSignalAlsoEmitsDataChanged();
    void loadEmitsEveryValueInPropertyOrder();
    void loadReplacesChildEvenWhenEqual();
    void childSetterDefersDeletionAndForwardsChanges();
    void packMirrorsChildPresence();
    void loadRejectsForeignOrBrokenInput_data();
    void loadRejectsForeignOrBrokenInput();
    void undefinedEnumerationNumberIsRefused_data();
    void undefinedEnumerationNumberIsRefused();
};

void TstWrapper::initTestCase()
{
    qRegisterMetaType<KelFunction::Config::FEEDBACK_MODE>("QKel::Pb::KelFunction::Config::FEEDBACK_MODE");
    qRegisterMetaType<KelFunction::Config::TIMESTAMP_MODE>("QKel::Pb::KelFunction::Config::TIMESTAMP_MODE");
}

void TstWrapper::setterStoresAndEmitsOnlyOnChange_data()
{
    QTest::addColumn<uint>("first");
    QTest::addColumn<uint>("second");
    QTest::addColumn<int>("emissions");
    QTest::addColumn<QByteArray>("encoding");

    // The default value while absent still counts as a change: it makes the field present.
    QTest::newRow("default while absent") << 0u << 0u << 1 << QByteArray::fromHex("1000");
    QTest::newRow("same value twice") << 5u << 5u << 1 << QByteArray::fromHex("1005");
    QTest::newRow("two values") << 5u << 7u << 2 << QByteArray::fromHex("1007");
    QTest::newRow("largest value") << 0xFFFFFFFFu << 0xFFFFFFFFu << 1 << QByteArray::fromHex("10ffffffff0f");
}

void TstWrapper::setterStoresAndEmitsOnlyOnChange()
{
    QFETCH(uint, first);
    QFETCH(uint, second);
    QFETCH(int, emissions);
    QFETCH(QByteArray, encoding);

    PowerManagement::Config config;
    QSignalSpy changed(&config, &PowerManagement::Config::timeToSleepMsChanged);
    config.setTimeToSleepMs(first);
    config.setTimeToSleepMs(second);
    QCOMPARE(changed.count(), emissions);
    QCOMPARE(changed.last().at(0).toUInt(), second);
    QCOMPARE(config.timeToSleepMs(), second);
    QCOMPARE(config.pack(), encoding);
}

void TstWrapper::everyChangeSignalAlsoEmitsDataChanged()
{
    KelFunction::Config config;
    QSignalSpy data(&config, &AbstractMessage::dataChanged);
    config.setCanMessagesPerLoop(3);
    config.setTimestampMode(KelFunction::Config::TIMESTAMP_MODE__RELATIVE);
    config.setIncludeErrorAndTimestampInFeedback(true);
    config.setPowerManagementConfig(new PowerManagement::Config(&config));
    QCOMPARE(data.count(), 4);
    config.setTimestampMode(KelFunction::Config::TIMESTAMP_MODE__RELATIVE);
    QCOMPARE(data.count(), 4);
}

void TstWrapper::loadEmitsEveryValueInPropertyOrder()
{
    Kel::Pb::KelFunction::Config record;
    record.set_servermessagesperloop(9);
    record.set_feedbackmode(Kel::Pb::KelFunction::FEEDBACK_MODE__ON);
    record.mutable_powermanagementconfig()->set_timetosleepms(1000);

    KelFunction::Config config;
    SignalRecorder recorder(&config);
    QSignalSpy feedback(&config, &KelFunction::Config::feedbackModeChanged);
    QVERIFY(config.load(record));
    QCOMPARE(recorder.order,
             QStringList({"canMessagesPerLoop", "serverMessagesPerLoop", "canOptimizationTimeoutMs",
                          "remoteOptimizationTimeoutMs", "canOpenObjectsEnabled", "forwardCanToClientsByDefault",
                          "timestampMode", "feedbackMode", "includeErrorAndTimestampInFeedback",
                          "powerManagementConfig"}));
    QCOMPARE(feedback.at(0).at(0).value<KelFunction::Config::FEEDBACK_MODE>(), KelFunction::Config::FEEDBACK_MODE__ON);
    QCOMPARE(config.serverMessagesPerLoop(), 9u);
    QVERIFY(config.powerManagementConfig());
    QCOMPARE(config.powerManagementConfig()->timeToSleepMs(), 1000u);
    QCOMPARE(config.powerManagementConfig()->parent(), &config);

    // A record without the sub-record clears the child.
    recorder.order.clear();
    QVERIFY(config.load(Kel::Pb::KelFunction::Config()));
    QCOMPARE(recorder.order.size(), 10);
    QVERIFY(!config.powerManagementConfig());
    QCOMPARE(config.serverMessagesPerLoop(), 0u);
}

void TstWrapper::loadReplacesChildEvenWhenEqual()
{
    Kel::Pb::KelFunction::Config record;
    record.mutable_powermanagementconfig()->set_wakeupenablebits(3);
    KelFunction::Config config;
    QVERIFY(config.load(record));
    QPointer<PowerManagement::Config> first = config.powerManagementConfig();
    QVERIFY(config.load(record));
    QVERIFY(config.powerManagementConfig() != first);
    QVERIFY(first);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!first);
    QCOMPARE(config.powerManagementConfig()->wakeupEnableBits(), 3u);
}

void TstWrapper::childSetterDefersDeletionAndForwardsChanges()
{
    KelFunction::Config config;
    QPointer<PowerManagement::Config> old = new PowerManagement::Config(&config);
    config.setPowerManagementConfig(old);
    auto* replacement = new PowerManagement::Config(&config);

    QSignalSpy childChanged(&config, &KelFunction::Config::powerManagementConfigChanged);
    QSignalSpy data(&config, &AbstractMessage::dataChanged);
    config.setPowerManagementConfig(replacement);
    config.setPowerManagementConfig(replacement);
    QCOMPARE(childChanged.count(), 1);
    QCOMPARE(childChanged.at(0).at(0).value<PowerManagement::Config*>(), replacement);

    // The old child lives until the event loop runs, and no longer reports changes.
    QVERIFY(old);
    old->setTimeToSleepMs(5);
    QCOMPARE(data.count(), 1);
    replacement->setTimeToSleepMs(5);
    QCOMPARE(data.count(), 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!old);

    config.setPowerManagementConfig(nullptr);
    QCOMPARE(childChanged.count(), 2);
    QCOMPARE(childChanged.at(1).at(0).value<PowerManagement::Config*>(), nullptr);
}

void TstWrapper::packMirrorsChildPresence()
{
    KelFunction::Config config;
    QCOMPARE(config.pack(), QByteArray());
    auto* child = new PowerManagement::Config(&config);
    config.setPowerManagementConfig(child);
    QCOMPARE(config.pack(), QByteArray::fromHex("2a00"));
    child->setWakeupEnableBits(PowerManagement::Config::WAKEUP_ENABLE_BITS__ACC
                               | PowerManagement::Config::WAKEUP_ENABLE_BITS__ACTIVE_SLEEP_CLAMP_15);
    QCOMPARE(config.pack(), QByteArray::fromHex("2a03088101"));
    config.setPowerManagementConfig(nullptr);
    QCOMPARE(config.pack(), QByteArray());
}

void TstWrapper::loadRejectsForeignOrBrokenInput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("warning");

    QTest::newRow("valid") << QByteArray::fromHex("0805") << true << QString();
    QTest::newRow("empty") << QByteArray() << true << QString();
    // Fields of another record parse as unknown fields.
    QTest::newRow("unknown field") << QByteArray::fromHex("5805") << true << QString();
    QTest::newRow("truncated varint") << QByteArray::fromHex("08ff") << false
                                      << "Failed to parse incoming KelFunction::Config data.";
    QTest::newRow("wrong wire type") << QByteArray::fromHex("0d01020304") << true << QString();
    QTest::newRow("length past end") << QByteArray::fromHex("2a05") << false
                                     << "Failed to parse incoming KelFunction::Config data.";
}

void TstWrapper::loadRejectsForeignOrBrokenInput()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, accepted);
    QFETCH(QString, warning);

    KelFunction::Config config;
    config.setCanMessagesPerLoop(77);
    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, warning.toUtf8());
    QCOMPARE(config.load(bytes), accepted);
    if (!accepted)
        QCOMPARE(config.canMessagesPerLoop(), 77u);

    PowerManagement::Config other;
    QTest::ignoreMessage(QtWarningMsg, "Could not cast incoming message to KelFunction::Config.");
    QVERIFY(!config.load(static_cast<google::protobuf::Message*>(nullptr)));
    Kel::Pb::PowerManagement::Config foreign;
    QTest::ignoreMessage(QtWarningMsg, "Could not cast incoming message to KelFunction::Config.");
    QVERIFY(!config.load(&foreign));
}

void TstWrapper::undefinedEnumerationNumberIsRefused_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("throughProperty");

    QTest::newRow("setter, 3") << 3 << false;
    QTest::newRow("setter, 7") << 7 << false;
    QTest::newRow("property write as from QML, 255") << 255 << true;
    QTest::newRow("property write as from QML, -1") << -1 << true;
}

// Any number may arrive from QML or a caller; the record's closed
// enumeration cannot hold an undefined one, so it is refused.
void TstWrapper::undefinedEnumerationNumberIsRefused()
{
    QFETCH(int, number);
    QFETCH(bool, throughProperty);

    KelFunction::Config config;
    QSignalSpy changed(&config, &KelFunction::Config::timestampModeChanged);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QString("Ignored undefined value %1 ").arg(number)));
    if (throughProperty)
        config.setProperty("timestampMode", number);
    else
        config.setTimestampMode(static_cast<KelFunction::Config::TIMESTAMP_MODE>(number));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(config.timestampMode(), KelFunction::Config::TIMESTAMP_MODE__OFF);
    QCOMPARE(config.pack(), QByteArray());
}

QTEST_GUILESS_MAIN(TstWrapper)
#include "tst_wrapper.moc"
