// What every device shares: the primary product ID, clearing the device
// information and copying the product's device information out of
// configuration bytes. A minimal driver of the test's own stands in for a
// real one, so that a device can lack device information or product IDs.

#include "device/abstractDevice.h"
#include "warningCollector.h"

#include <configuration.h>
#include <product.h>
#include <product_morvane_tarn210.h>

#include <QtTest>

using QKel::Device::AbstractDevice;
namespace Pb = QKel::Pb;
using DeviceTest::warnings;

namespace {

class MinimalDevice : public AbstractDevice
{
public:
    MinimalDevice(const QStringList& ids, bool withDeviceInfo)
        : mIds(ids)
        , mInfo(withDeviceInfo ? new Pb::Product::DeviceInfo(this) : nullptr)
    {
    }

    QSharedPointer<AbstractDevice> createNewInstance() const override { return {}; }
    Pb::Product::DeviceInfo* deviceInfo() const override { return mInfo; }
    QString name() const override { return QStringLiteral("Minimal"); }
    QStringList productIds() const override { return mIds; }
    QString qmlPath() const override { return {}; }
    QByteArray serializeToByteArray() const override { return {}; }
    void restoreFromByteArray(const QByteArray&) override {}

private:
    QStringList mIds;
    Pb::Product::DeviceInfo* mInfo;
};

// Configuration bytes with one product entry per serial number; 0 stands for
// a product entry without device information.
QByteArray productEntries(const QList<uint>& serialNumbers)
{
    Pb::Configuration::File file(nullptr);
    QList<Pb::Configuration::Data*> entries;
    for (uint serialNumber : serialNumbers) {
        auto* entry = new Pb::Configuration::Data(&file);
        entry->setType(Pb::Configuration::Data::TYPE__PRODUCT);
        auto* product = new Pb::Product::Config(entry);
        product->setType(Pb::Product::Config::TYPE__MORVANE_TARN210);
        product->setObject(new Pb::Product::Morvane::Tarn210::Config(product));
        if (serialNumber != 0) {
            auto* info = new Pb::Product::DeviceInfo(product);
            info->setName(QStringLiteral("gateway %1").arg(serialNumber));
            info->setSerialNumber(serialNumber);
            product->setDeviceInfo(info);
        }
        entry->setObject(product);
        entries.append(entry);
    }
    file.setProductId(QStringLiteral("012001017701"));
    file.setDataList(entries);
    return file.pack();
}

const QString NoOwnInfo =
    QStringLiteral("Pointer to deviceInfo currently NULL; cannot save device information from configuration data.");
const QString NoIncomingInfo = QStringLiteral(
    "Could not find own device information structure; cannot save device information from configuration data.");
const QString ParseFailure = QStringLiteral("Failed to parse incoming Configuration::File data.");

} // namespace

class TestAbstractDevice : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void primaryProductId_data();
    void primaryProductId();
    void resetDeviceInfo_data();
    void resetDeviceInfo();
    void parseDeviceInfo_data();
    void parseDeviceInfo();
};

void TestAbstractDevice::init()
{
    DeviceTest::startCollectingWarnings();
}

void TestAbstractDevice::cleanup()
{
    DeviceTest::stopCollectingWarnings();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestAbstractDevice::primaryProductId_data()
{
    QTest::addColumn<QStringList>("ids");
    QTest::addColumn<QString>("primary");

    QTest::newRow("two IDs") << QStringList{"b", "a"} << "b";
    QTest::newRow("one ID") << QStringList{"a"} << "a";
    QTest::newRow("no IDs") << QStringList() << "";
}

void TestAbstractDevice::primaryProductId()
{
    QFETCH(QStringList, ids);
    QFETCH(QString, primary);

    MinimalDevice device(ids, true);
    QCOMPARE(device.primaryProductId(), primary);
    QCOMPARE(device.property("primaryProductId").toString(), primary);
}

void TestAbstractDevice::resetDeviceInfo_data()
{
    QTest::addColumn<bool>("withDeviceInfo");

    QTest::newRow("device information filled in") << true;
    QTest::newRow("device without device information") << false;
}

void TestAbstractDevice::resetDeviceInfo()
{
    QFETCH(bool, withDeviceInfo);

    MinimalDevice device({"a"}, withDeviceInfo);
    device.parseDeviceInfoFromConfigurationData(productEntries({42}));
    warnings.clear();
    device.resetDeviceInfo();
    QVERIFY(warnings.isEmpty());
    if (!withDeviceInfo)
        return;
    QCOMPARE(device.deviceInfo()->name(), QString());
    QCOMPARE(device.deviceInfo()->serialNumber(), 0u);
    QCOMPARE(device.deviceInfo()->pack(), Pb::Product::DeviceInfo(nullptr).pack());
}

void TestAbstractDevice::parseDeviceInfo_data()
{
    QTest::addColumn<bool>("withDeviceInfo");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<uint>("serialNumber");
    QTest::addColumn<QStringList>("expectedWarnings");

    QTest::newRow("one product entry") << true << productEntries({11}) << 11u << QStringList();
    QTest::newRow("two product entries: the first one is taken")
        << true << productEntries({11, 22}) << 11u << QStringList();
    QTest::newRow("first product entry without device information")
        << true << productEntries({0, 22}) << 22u << QStringList{NoIncomingInfo};
    QTest::newRow("no product entry") << true << productEntries({}) << 0u << QStringList();
    QTest::newRow("not a configuration file")
        << true << QByteArray("not a configuration") << 0u << QStringList{ParseFailure};
    QByteArray badChecksum = productEntries({11});
    badChecksum[badChecksum.size() - 2] = char(badChecksum.at(badChecksum.size() - 2) ^ 1);
    QTest::newRow("wrong checksum") << true << badChecksum << 0u << QStringList();
    QTest::newRow("device without device information")
        << false << productEntries({11}) << 0u << QStringList{NoOwnInfo};
}

void TestAbstractDevice::parseDeviceInfo()
{
    QFETCH(bool, withDeviceInfo);
    QFETCH(QByteArray, data);
    QFETCH(uint, serialNumber);
    QFETCH(QStringList, expectedWarnings);

    MinimalDevice device({"a"}, withDeviceInfo);
    QSignalSpy replaced(&device, &AbstractDevice::deviceInfoChanged);
    device.parseDeviceInfoFromConfigurationData(data);
    QCOMPARE(warnings, expectedWarnings);
    QCOMPARE(replaced.count(), 0);
    if (!withDeviceInfo)
        return;
    QCOMPARE(device.deviceInfo()->serialNumber(), serialNumber);
    QCOMPARE(device.deviceInfo()->name(),
             serialNumber ? QStringLiteral("gateway %1").arg(serialNumber) : QString());
}

QTEST_GUILESS_MAIN(TestAbstractDevice)
#include "tst_abstractDevice.moc"
