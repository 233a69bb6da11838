// Product, device info, safety function, gateway function and power management wrappers.
#include "kelfunction.h"
#include "powermanagement.h"
#include "product.h"
#include "product_ferrowwireless77xx.h"
#include "product_morvane_tarn210.h"
#include "signalrecorder.h"

#include <QSignalSpy>
#include <QTest>

using namespace QKel::Pb;
namespace Tarn210 = Product::Morvane::Tarn210;

class TstProduct : public QObject
{
    Q_OBJECT

private slots:
    void tarnChildrenFollowTheRecord_data();
    void tarnChildrenFollowTheRecord();
    void productCreatesObjectBeforeDeviceInfo();
    void unsupportedProductTypeStillLoadsDeviceInfo_data();
    void unsupportedProductTypeStillLoadsDeviceInfo();
    void safetyFunctionValues_data();
    void safetyFunctionValues();
    void deviceInfoRoundTrip();
};

void TstProduct::tarnChildrenFollowTheRecord_data()
{
    QTest::addColumn<bool>("withParent");
    QTest::addColumn<bool>("withSafety");

    QTest::newRow("both") << true << true;
    QTest::newRow("parent only") << true << false;
    QTest::newRow("safety only") << false << true;
    QTest::newRow("neither") << false << false;
}

void TstProduct::tarnChildrenFollowTheRecord()
{
    QFETCH(bool, withParent);
    QFETCH(bool, withSafety);

    Kel::Pb::Product::Morvane::Tarn210::Config tarn;
    if (withParent)
        tarn.mutable_parentconfig()->set_requestdynamicinfo(true);
    if (withSafety)
        tarn.mutable_safetyfunction()->set_canid(0x123);
    Kel::Pb::Product::Config record;
    record.set_type(Kel::Pb::Product::TYPE__MORVANE_TARN210);
    record.set_data(tarn.SerializeAsString());

    Product::Config product;
    QVERIFY(product.load(record));
    auto* object = qobject_cast<Tarn210::Config*>(product.object());
    QVERIFY(object);
    QCOMPARE(object->parentConfig() != nullptr, withParent);
    QCOMPARE(object->safetyFunction() != nullptr, withSafety);
    if (withParent)
        QVERIFY(object->parentConfig()->requestDynamicInfo());
    if (withSafety)
        QCOMPARE(object->safetyFunction()->canId(), 0x123u);
    QCOMPARE(product.pack(), QByteArray::fromStdString(record.SerializeAsString()));
}

void TstProduct::productCreatesObjectBeforeDeviceInfo()
{
    Kel::Pb::Product::Config record;
    record.set_type(Kel::Pb::Product::TYPE__FERROW_WIRELESS_77XX);
    record.set_data(std::string());
    record.mutable_deviceinfo()->set_name("TARN210");
    Product::Config product;
    SignalRecorder recorder(&product);
    QVERIFY(product.load(record));
    QCOMPARE(recorder.order, QStringList({"type", "data", "object", "deviceInfo"}));
    QVERIFY(qobject_cast<Product::FerrowWireless77xx::Config*>(product.object()));
    QCOMPARE(product.deviceInfo()->name(), QString("TARN210"));
}

void TstProduct::unsupportedProductTypeStillLoadsDeviceInfo_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("none") << 0;
    QTest::newRow("undefined") << 9;
}

void TstProduct::unsupportedProductTypeStillLoadsDeviceInfo()
{
    QFETCH(int, type);

    // Written by hand: type, data "x", deviceInfo with serial number 7.
    const QByteArray bytes = QByteArray(1, 0x08) + char(type) + QByteArray::fromHex("1201781a023007");
    Product::Config product;
    if (type == 0)
        QTest::ignoreMessage(QtWarningMsg, "Encountered unsupported Product::Config::TYPE 0");
    else
        QTest::ignoreMessage(QtWarningMsg, "Cannot create an Product::Config object without a type or object.");
    QVERIFY(product.load(bytes));
    QVERIFY(!product.object());
    QVERIFY(product.deviceInfo());
    QCOMPARE(product.deviceInfo()->serialNumber(), 7u);
}

void TstProduct::safetyFunctionValues_data()
{
    QTest::addColumn<qlonglong>("testValue");
    QTest::addColumn<QByteArray>("encoding");

    QTest::newRow("zero") << 0LL << QByteArray::fromHex("4000");
    QTest::newRow("minus one") << -1LL << QByteArray::fromHex("40ffffffffffffffffff01");
    QTest::newRow("largest") << std::numeric_limits<qlonglong>::max() << QByteArray::fromHex("40ffffffffffffffff7f");
    QTest::newRow("smallest") << std::numeric_limits<qlonglong>::min()
                              << QByteArray::fromHex("4080808080808080808001");
}

void TstProduct::safetyFunctionValues()
{
    QFETCH(qlonglong, testValue);
    QFETCH(QByteArray, encoding);

    Tarn210::SafetyFunction safety;
    safety.setTestValue(testValue);
    QCOMPARE(safety.pack(), encoding);
    Tarn210::SafetyFunction reloaded;
    QVERIFY(reloaded.load(encoding));
    QCOMPARE(reloaded.testValue(), testValue);
}

void TstProduct::deviceInfoRoundTrip()
{
    Product::DeviceInfo info;
    info.setUnixTimeOfManufacture(0x1'0000'0000ULL);
    info.setHoursOfOperation(12);
    KelFunction::Config function;
    auto* power = new PowerManagement::Config(&function);
    power->setWakeupEnableBits(3);
    function.setPowerManagementConfig(power);

    Product::DeviceInfo copy;
    QVERIFY(copy.load(info.pack()));
    QCOMPARE(copy.unixTimeOfManufacture(), 0x1'0000'0000ULL);
    QCOMPARE(copy.hoursOfOperation(), 12u);
    KelFunction::Config functionCopy;
    QVERIFY(functionCopy.load(function.pack()));
    QCOMPARE(functionCopy.powerManagementConfig()->wakeupEnableBits(), 3u);
}

QTEST_GUILESS_MAIN(TstProduct)
#include "tst_product.moc"
