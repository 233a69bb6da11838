// The configuration the gateway simulator serves and the check it applies to
// writes, run in a test program in bin/ beside the TARN210 driver.

#include "device/ferrowWlan7701.h"
#include "gatewayConfiguration.h"

#include <configuration.h>
#include <configuration.pb.h>
#include <interface.h>
#include <network.h>
#include <product.h>

#include <QtTest>

using Tarn::Sim::GatewayConfiguration;
namespace Pb = QKel::Pb;

namespace {

Pb::Network::DeviceInfo* moduleInfo(QObject* interfaceEntry)
{
    auto* interface = qobject_cast<Pb::Interface::Config*>(interfaceEntry);
    auto* network = interface ? qobject_cast<Pb::Network::Config*>(interface->object()) : nullptr;
    return network ? network->deviceInfo() : nullptr;
}

QByteArray served(const QByteArray& productIdBytes = QByteArray::fromHex("012001017701"),
                  quint32 serialNumber = GatewayConfiguration::DefaultSerialNumber)
{
    QString error;
    const QByteArray bytes = GatewayConfiguration::build(productIdBytes, &error, serialNumber);
    if (bytes.isEmpty())
        qWarning("%s", qPrintable(error));
    return bytes;
}

} // namespace

class TestGatewayConfiguration : public QObject
{
    Q_OBJECT

private slots:
    void servedConfigurationLoads_data();
    void servedConfigurationLoads();
    void deviceInformationReachesTheDevice_data();
    void deviceInformationReachesTheDevice();
    void check_data();
    void check();
};

void TestGatewayConfiguration::servedConfigurationLoads_data()
{
    QTest::addColumn<QByteArray>("productIdBytes");
    QTest::addColumn<QString>("productId");
    QTest::addColumn<uint>("productCode");
    QTest::addColumn<uint>("serialNumber");

    const uint standard = GatewayConfiguration::DefaultSerialNumber;
    QTest::newRow("primary product ID") << QByteArray::fromHex("012001017701") << "012001017701" << 0x7701u
                                        << standard;
    QTest::newRow("second product ID") << QByteArray::fromHex("012001017702") << "012001017702" << 0x7702u
                                       << standard;
    QTest::newRow("product ID without a driver") << QByteArray::fromHex("0a0b") << "012001017701" << 0x7701u
                                                 << standard;
    QTest::newRow("14 digits ending in the primary product ID")
        << QByteArray::fromHex("00012001017701") << "012001017701" << 0x7701u << standard;
    QTest::newRow("serial number of a batch's gateway")
        << QByteArray::fromHex("012001017701") << "012001017701" << 0x7701u << 4000000007u;
}

void TestGatewayConfiguration::servedConfigurationLoads()
{
    QFETCH(QByteArray, productIdBytes);
    QFETCH(QString, productId);
    QFETCH(uint, productCode);
    QFETCH(uint, serialNumber);

    const QByteArray bytes = served(productIdBytes, serialNumber);
    Pb::Configuration::File file(nullptr);
    QVERIFY(file.load(bytes));
    QCOMPARE(file.productId(), productId);
    QCOMPARE(file.dataList().size(), 9);

    // Apart from the device information, the driver's defaults.
    QKel::Device::FerrowWlan7701 device;
    QKel::Device::FerrowWlan7701 reported;
    reported.restoreFromByteArray(bytes);
    QCOMPARE(reported.deviceInfo()->vendorId(), 0x0120u);
    QCOMPARE(reported.deviceInfo()->productGroup(), 0x0101u);
    QCOMPARE(reported.deviceInfo()->productCode(), productCode);
    QCOMPARE(reported.deviceInfo()->serialNumber(), serialNumber);
    device.parseDeviceInfoFromConfigurationData(bytes);
    qobject_cast<Pb::Configuration::File*>(device.configurationFile())->setProductId(productId);
    QCOMPARE(device.serializeToByteArray(), reported.serializeToByteArray());
}

void TestGatewayConfiguration::deviceInformationReachesTheDevice_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("field");

    for (const char* field : {"name", "vendorId", "productCode", "productGroup", "revisionNumber", "serialNumber",
                              "unixTimeOfManufacture", "hoursOfOperation"})
        QTest::newRow(qPrintable(QStringLiteral("product %1").arg(field))) << "product" << field;
    for (const char* module : {"wlanInterface", "bluetoothInterface"}) {
        for (const char* field : {"number", "mac", "moduleVersion", "moduleInfo"})
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(module, field))) << module << field;
    }
}

void TestGatewayConfiguration::deviceInformationReachesTheDevice()
{
    QFETCH(QString, source);
    QFETCH(QString, field);

    QKel::Device::FerrowWlan7701 device;
    device.parseDeviceInfoFromConfigurationData(served());
    QObject* info = source == "product" ? static_cast<QObject*>(device.deviceInfo())
                                        : moduleInfo(device.property(qPrintable(source)).value<Pb::AbstractMessage*>());
    QVERIFY(info);
    const QVariant value = info->property(qPrintable(field));
    QVERIFY(value.isValid());
    QVERIFY2(!value.toString().isEmpty() && value.toString() != "0", qPrintable(value.toString()));
}

void TestGatewayConfiguration::check_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("error");

    QTest::newRow("served configuration") << "" << "";
    QTest::newRow("checksum off by one") << "checksum" << "does not match the content";
    QTest::newRow("version 2") << "version" << "version 2 is not 1";
    QTest::newRow("truncated") << "truncate" << "not a configuration file";
    QTest::newRow("empty") << "empty" << "not a configuration file";
}

void TestGatewayConfiguration::check()
{
    QFETCH(QString, change);
    QFETCH(QString, error);

    const QByteArray good = served();
    Kel::Pb::Configuration::File record;
    QVERIFY(record.ParseFromArray(good.constData(), good.size()));
    if (change == "checksum")
        record.set_checksum(record.checksum() ^ 1);
    if (change == "version")
        record.set_version(2);
    const QByteArray bytes = change == "truncate" ? good.left(good.size() / 2)
                           : change == "empty"    ? QByteArray()
                                                  : QByteArray::fromStdString(record.SerializeAsString());

    if (change == "truncate" || change == "empty")
        QTest::ignoreMessage(QtWarningMsg, "Failed to parse incoming Configuration::File data.");
    QString actual;
    QCOMPARE(GatewayConfiguration::check(bytes, &actual), error.isEmpty());
    QVERIFY2(actual.contains(error), qPrintable(actual));
}

QTEST_GUILESS_MAIN(TestGatewayConfiguration)
#include "tst_gatewayConfiguration.moc"
