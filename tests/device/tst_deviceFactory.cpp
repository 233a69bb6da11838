// The device factory of a test program in the build's bin/, beside the
// bin/devices/ directory the build puts the TARN210 driver into.

#include "deviceFactory.h"

#include <QtTest>

using QKel::Device::DeviceFactory;

class TestDeviceFactory : public QObject
{
    Q_OBJECT

private slots:
    void listsTheDriverOnce();
    void createsDevices_data();
    void createsDevices();
};

void TestDeviceFactory::listsTheDriverOnce()
{
    DeviceFactory* factory = DeviceFactory::instance();
    QCOMPARE(DeviceFactory::instance(), factory);
    QCOMPARE(factory->supportedDeviceNames(), QStringList{"TARN210"});
    QCOMPARE(factory->supportedDeviceProductIds(), QStringList{"012001017701"});
    QCOMPARE(factory->property("supportedDeviceNames").toStringList(), QStringList{"TARN210"});
}

void TestDeviceFactory::createsDevices_data()
{
    QTest::addColumn<QString>("productId");
    QTest::addColumn<QString>("name");

    QTest::newRow("primary ID") << "012001017701" << "TARN210";
    QTest::newRow("secondary ID") << "012001017702" << "TARN210";
    QTest::newRow("unknown ID") << "012001017703" << "";
    QTest::newRow("IDs compare exactly") << " 012001017701" << "";
    QTest::newRow("empty ID") << "" << "";
}

void TestDeviceFactory::createsDevices()
{
    QFETCH(QString, productId);
    QFETCH(QString, name);

    if (name.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("Could not find driver for product ID \"%1\"").arg(productId)));
    const auto device = DeviceFactory::instance()->createDevice(productId);
    QCOMPARE(device ? device->name() : QString(), name);
    if (!device)
        return;
    const auto second = DeviceFactory::instance()->createDevice(productId);
    QVERIFY(second.data() != device.data());
    QCOMPARE(device->primaryProductId(), QStringLiteral("012001017701"));
}

QTEST_GUILESS_MAIN(TestDeviceFactory)
#include "tst_deviceFactory.moc"
