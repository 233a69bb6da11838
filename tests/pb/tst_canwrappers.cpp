// CAN and CANopen wrappers: reported defaults, list replacement and the
// round trip of a full CAN record.
#include "can.h"
#include "canopen.h"
#include "signalrecorder.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <functional>

using namespace QKel::Pb;
using Factory = std::function<AbstractMessage*(QObject*)>;
Q_DECLARE_METATYPE(Factory)

template <class C>
static Factory factory()
{
    return [](QObject* parent) { return new C(parent); };
}

class TstCanWrappers : public QObject
{
    Q_OBJECT

private slots:
    void defaultsAreReportedNotWritten_data();
    void defaultsAreReportedNotWritten();
    void filterListReplacement_data();
    void filterListReplacement();
    void fullRecordRoundTrip();
    void qmlListEditsInPlace();
    void destroyedConfigTakesItsChildren_data();
    void destroyedConfigTakesItsChildren();
};

void TstCanWrappers::defaultsAreReportedNotWritten_data()
{
    QTest::addColumn<Factory>("create");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<uint>("reported");
    QTest::addColumn<QByteArray>("encodingWhenSet");

    QTest::newRow("bit rate 250 kbit/s") << factory<Can::Config>() << QByteArray("baudRateCanOpen") << 3u
                                         << QByteArray::fromHex("0803");
    QTest::newRow("bit rate in bps") << factory<Can::Config>() << QByteArray("baudRateBps") << 0u
                                     << QByteArray::fromHex("1000");
    QTest::newRow("NMT stopped") << factory<CanOpen::Config>() << QByteArray("nmtStartupState") << 4u
                                 << QByteArray::fromHex("1804");
    QTest::newRow("SDO rx 0x600") << factory<CanOpen::SdoConfig>() << QByteArray("rxChannel") << 1536u
                                  << QByteArray::fromHex("08800c");
    QTest::newRow("SDO tx 0x580") << factory<CanOpen::SdoConfig>() << QByteArray("txChannel") << 1408u
                                  << QByteArray::fromHex("10800b");
    QTest::newRow("SDO timeout") << factory<CanOpen::SdoConfig>() << QByteArray("timeoutMs") << 2000u
                                 << QByteArray::fromHex("18d00f");
    QTest::newRow("filter PGN") << factory<Can::Filter>() << QByteArray("pgn") << 0u << QByteArray::fromHex("4000");
}

void TstCanWrappers::defaultsAreReportedNotWritten()
{
    QFETCH(Factory, create);
    QFETCH(QByteArray, property);
    QFETCH(uint, reported);
    QFETCH(QByteArray, encodingWhenSet);

    QObject owner;
    AbstractMessage* wrapper = create(&owner);
    QCOMPARE(wrapper->property(property).toUInt(), reported);
    QCOMPARE(wrapper->pack(), QByteArray());

    // Writing the reported default is a change: it makes the field present.
    QSignalSpy changed(wrapper, &AbstractMessage::dataChanged);
    QVERIFY(wrapper->setProperty(property, reported));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(wrapper->pack(), encodingWhenSet);
}

void TstCanWrappers::filterListReplacement_data()
{
    QTest::addColumn<QVector<int>>("before");
    QTest::addColumn<QVector<int>>("after");
    QTest::addColumn<bool>("announced");
    QTest::addColumn<QVector<int>>("deleted");

    QTest::newRow("same order") << QVector<int>{0, 1} << QVector<int>{0, 1} << false << QVector<int>{};
    QTest::newRow("other order") << QVector<int>{0, 1} << QVector<int>{1, 0} << true << QVector<int>{};
    QTest::newRow("one dropped") << QVector<int>{0, 1} << QVector<int>{1} << true << QVector<int>{0};
    QTest::newRow("all new") << QVector<int>{0} << QVector<int>{1, 2} << true << QVector<int>{0};
    QTest::newRow("cleared") << QVector<int>{0, 1, 2} << QVector<int>{} << true << QVector<int>{0, 1, 2};
    QTest::newRow("empty to empty") << QVector<int>{} << QVector<int>{} << false << QVector<int>{};
}

void TstCanWrappers::filterListReplacement()
{
    QFETCH(QVector<int>, before);
    QFETCH(QVector<int>, after);
    QFETCH(bool, announced);
    QFETCH(QVector<int>, deleted);

    Can::Config config;
    QVector<QPointer<Can::Filter>> pool;
    const auto pick = [&pool](const QVector<int>& indices) {
        QList<Can::Filter*> list;
        for (int i : indices)
            list.append(pool.at(i));
        return list;
    };
    for (int i = 0; i < 3; ++i)
        pool.append(new Can::Filter(&config));
    config.setFilterList(pick(before));

    QSignalSpy listChanged(&config, &Can::Config::filterListChanged);
    QSignalSpy dataChanged(&config, &AbstractMessage::dataChanged);
    config.setFilterList(pick(after));
    QCOMPARE(listChanged.count(), announced ? 1 : 0);
    QCOMPARE(config.filterList(), pick(after));

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (int i = 0; i < pool.size(); ++i)
        QCOMPARE(pool.at(i).isNull(), deleted.contains(i));

    // Each listed filter reports its changes once, also one listed again.
    dataChanged.clear();
    for (int i = 0; i < after.size(); ++i)
        config.filterList().at(i)->setId(0x100 + i);
    QCOMPARE(dataChanged.count(), after.size());

    Kel::Pb::Can::Config packed;
    QVERIFY(packed.ParseFromString(config.pack().toStdString()));
    QCOMPARE(packed.filterlist_size(), after.size());
    for (int i = 0; i < after.size(); ++i)
        QCOMPARE(packed.filterlist(i).id(), uint(0x100 + i));
}

void TstCanWrappers::destroyedConfigTakesItsChildren_data()
{
    QTest::addColumn<bool>("filterMoved");
    QTest::addColumn<bool>("childMoved");

    QTest::newRow("own children") << false << false;
    QTest::newRow("filter moved away") << true << false;
    QTest::newRow("CANopen child moved away") << false << true;
}

// Children still parented to a destroyed configuration go with it at once;
// one moved to another parent meanwhile is deleted on the next event-loop pass.
void TstCanWrappers::destroyedConfigTakesItsChildren()
{
    QFETCH(bool, filterMoved);
    QFETCH(bool, childMoved);

    QObject elsewhere;
    auto* config = new Can::Config;
    QList<Can::Filter*> filters;
    for (int i = 0; i < 3; ++i)
        filters.append(new Can::Filter(config));
    config->setFilterList(filters);
    config->setCanOpenConfig(new CanOpen::Config(config));
    QPointer<Can::Filter> filter = filters.at(1);
    QPointer<Can::Filter> sibling = filters.at(0);
    QPointer<CanOpen::Config> child = config->canOpenConfig();
    if (filterMoved)
        filter->setParent(&elsewhere);
    if (childMoved)
        child->setParent(&elsewhere);

    delete config;
    QVERIFY(!sibling);
    QCOMPARE(bool(filter), filterMoved);
    QCOMPARE(bool(child), childMoved);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!filter);
    QVERIFY(!child);
}

void TstCanWrappers::fullRecordRoundTrip()
{
    Kel::Pb::Can::Config record;
    record.set_baudratecanopen(Kel::Pb::CanOpen::BAUD_RATE__CUSTOM);
    record.set_baudratebps(33333);
    for (uint id : {0x7FFu, 0x18FEF100u, 0u}) {
        Kel::Pb::Can::Filter* filter = record.add_filterlist();
        filter->set_id(id);
        filter->set_extended(id > 0x7FF);
        filter->set_pgn(id >> 8);
    }
    Kel::Pb::CanOpen::Config* canOpen = record.mutable_canopenconfig();
    canOpen->set_nodeid(5);
    canOpen->set_nmtstartupstate(Kel::Pb::CanOpen::NMT_STATE__PRE_OPERATIONAL);
    canOpen->add_sdoconfiglist()->set_rxchannel(0x605);
    canOpen->add_sdoconfiglist()->set_timeoutms(500);

    Can::Config config;
    SignalRecorder recorder(&config);
    QVERIFY(config.load(QByteArray::fromStdString(record.SerializeAsString())));
    QCOMPARE(recorder.order,
             QStringList({"baudRateCanOpen", "baudRateBps", "baudRateSfr", "filterList", "canOpenConfig"}));
    QCOMPARE(config.baudRateCanOpen(), CanOpen::Config::BAUD_RATE__CUSTOM);
    QCOMPARE(config.baudRateBps(), 33333u);
    QCOMPARE(config.filterList().size(), 3);
    QCOMPARE(config.filterList().at(1)->id(), 0x18FEF100u);
    QVERIFY(config.filterList().at(1)->extended());
    QCOMPARE(config.filterList().at(1)->parent(), &config);
    CanOpen::Config* openConfig = config.canOpenConfig();
    QVERIFY(openConfig);
    QCOMPARE(openConfig->nmtStartupState(), CanOpen::SdoConfig::NMT_STATE__PRE_OPERATIONAL);
    QCOMPARE(openConfig->sdoConfigList().size(), 2);
    QCOMPARE(openConfig->sdoConfigList().at(0)->rxChannel(), 0x605u);
    QCOMPARE(openConfig->sdoConfigList().at(0)->timeoutMs(), 2000u);
    QCOMPARE(openConfig->sdoConfigList().at(1)->timeoutMs(), 500u);
    QCOMPARE(config.pack().toStdString(), record.SerializeAsString());

    // An edit deep in the tree reaches the CAN record and the next pack.
    QSignalSpy changed(&config, &AbstractMessage::dataChanged);
    openConfig->sdoConfigList().at(1)->setTxChannel(0x585);
    QCOMPARE(changed.count(), 1);
    record.mutable_canopenconfig()->mutable_sdoconfiglist(1)->set_txchannel(0x585);
    QCOMPARE(config.pack().toStdString(), record.SerializeAsString());
}

void TstCanWrappers::qmlListEditsInPlace()
{
    CanOpen::Config config;
    QQmlListProperty<CanOpen::SdoConfig> list = config.qmlSdoConfigList();
    QSignalSpy listChanged(&config, &CanOpen::Config::sdoConfigListChanged);
    auto* sdo = new CanOpen::SdoConfig(&config);
    sdo->setRxChannel(0x601);
    list.append(&list, sdo);
    QCOMPARE(list.count(&list), 1);
    QCOMPARE(list.at(&list, 0), sdo);
    QCOMPARE(config.sdoConfigList(), QList<CanOpen::SdoConfig*>{sdo});
    QCOMPARE(listChanged.count(), 0);
    QCOMPARE(config.pack(), QByteArray::fromHex("3a0308810c"));
    list.clear(&list);
    QCOMPARE(config.sdoConfigList().size(), 0);
    QCOMPARE(config.pack(), QByteArray());
}

QTEST_GUILESS_MAIN(TstCanWrappers)
#include "tst_canwrappers.moc"
