// The text form of configuration records: what it writes reads back to the
// same record and the same text, nested type-and-data blocks encode exactly
// the sub-record, and bad text is rejected with the line it is on.

#include "frcText.h"
#include "secretMask.h"

#include <configuration.h>
#include <secretfields.h>

#include <configuration.pb.h>
#include <interface.pb.h>
#include <network.pb.h>
#include <wlan.pb.h>

#include <QtTest>

using QKel::Frc::FrcText;

class TestFrcText : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void nestedBlockIsTheEncodedRecord();
    void undecodableBytesStayBytes_data();
    void undecodableBytesStayBytes();
    void rejects_data();
    void rejects();
    void maskReachesEveryRecord_data();
    void maskReachesEveryRecord();
};

void TestFrcText::roundTrip_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("header only") << "version: 1\nproductId: \"012001017701\"\nchecksum: 62590\n";
    QTest::newRow("interface with nested network, wlan and device info")
        << "version: 1\n"
           "productId: \"abc\"\n"
           "data {\n"
           "  type: TYPE__INTERFACE\n"
           "  data {\n"
           "    enabled: true\n"
           "    type: TYPE__NETWORK\n"
           "    data {\n"
           "      name: \"TARN210_SNnn\"\n"
           "      type: TYPE__WLAN\n"
           "      data {\n"
           "        mode: OPERATING_MODE__INFRASTRUCTURE\n"
           "        ssid: \"TARN210 SNnn\"\n"
           "        ipConfig {\n"
           "          dhcpMode: DHCP_MODE__CLIENT\n"
           "          dnsList: \"192.168.0.1\"\n"
           "          dnsList: \"192.168.0.2\"\n"
           "        }\n"
           "        channelList: 1\n"
           "        channelList: 11\n"
           "      }\n"
           "      deviceInfo {\n"
           "        number: 7\n"
           "        mac: \"00:11:22:33:44:55\"\n"
           "      }\n"
           "    }\n"
           "  }\n"
           "}\n"
           "checksum: 1\n";
    QTest::newRow("product with negative int64 and 64-bit time")
        << "version: 1\n"
           "productId: \"\"\n"
           "data {\n"
           "  type: TYPE__PRODUCT\n"
           "  data {\n"
           "    type: TYPE__MORVANE_TARN210\n"
           "    data {\n"
           "      safetyFunction {\n"
           "        testValue: -9223372036854775808\n"
           "      }\n"
           "    }\n"
           "    deviceInfo {\n"
           "      unixTimeOfManufacture: 18446744073709551615\n"
           "      hoursOfOperation: 4294967295\n"
           "    }\n"
           "  }\n"
           "}\n"
           "checksum: 0\n";
    QTest::newRow("escaped and non-ASCII strings")
        << QString::fromUtf8("version: 1\nproductId: \"Gr\u00fc\u00dfe \\\"quoted\\\"\\n\\001\"\nchecksum: 0\n");
    QTest::newRow("type without a record keeps its bytes")
        << "version: 1\nproductId: \"x\"\ndata {\n  type: TYPE__VISUAL_CONFIGURATION\n  data: \"\\001\\002\"\n}\nchecksum: 0\n";
}

void TestFrcText::roundTrip()
{
    QFETCH(QString, text);
    Kel::Pb::Configuration::File record;
    QString error;
    QVERIFY2(FrcText::fromText(text, &record, &error), qPrintable(error));

    Kel::Pb::Configuration::File decoded;
    QVERIFY(decoded.ParseFromString(record.SerializeAsString()));
    QCOMPARE(FrcText::toText(decoded), text);
}

void TestFrcText::nestedBlockIsTheEncodedRecord()
{
    Kel::Pb::Wlan::Config wlan;
    wlan.set_ssid("net");
    wlan.add_channellist(6);
    Kel::Pb::Network::Config network;
    network.set_type(Kel::Pb::Network::TYPE__WLAN);
    network.set_data(wlan.SerializeAsString());
    network.mutable_deviceinfo()->set_number(3);
    Kel::Pb::Interface::Config interface;
    interface.set_type(Kel::Pb::Interface::TYPE__NETWORK);
    interface.set_data(network.SerializeAsString());

    const QString text = "version: 1\nproductId: \"p\"\ndata {\n  type: TYPE__INTERFACE\n  data {\n"
                         "    type: TYPE__NETWORK\n    data {\n      type: TYPE__WLAN\n      data {\n"
                         "        ssid: \"net\"\n        channelList: 6\n      }\n"
                         "      deviceInfo {\n        number: 3\n      }\n    }\n  }\n}\nchecksum: 0\n";
    Kel::Pb::Configuration::File record;
    QString error;
    QVERIFY2(FrcText::fromText(text, &record, &error), qPrintable(error));
    QCOMPARE(record.data_size(), 1);
    QCOMPARE(record.data(0).type(), Kel::Pb::Configuration::TYPE__INTERFACE);
    QVERIFY(record.data(0).data() == interface.SerializeAsString());
}

void TestFrcText::undecodableBytesStayBytes_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("expectedLine");

    QTest::newRow("invalid encoding") << QByteArray("\xff", 1) << "  data: \"\\377\"\n";
    // Field 1 written twice: decodes, but re-encoding would drop the first.
    QTest::newRow("re-encodes differently") << QByteArray("\x08\x01\x08\x00", 4)
                                            << "  data: \"\\010\\001\\010\\000\"\n";
    QTest::newRow("unknown field") << QByteArray("\x78\x05", 2) << "  data: \"x\\005\"\n";
    // The interface decodes; only the network's bytes stay bytes.
    QTest::newRow("unknown field one level down")
        << QByteArray("\x10\x01\x1a\x02\x78\x05", 6) << "    type: TYPE__NETWORK\n    data: \"x\\005\"\n";
}

void TestFrcText::undecodableBytesStayBytes()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, expectedLine);

    Kel::Pb::Configuration::File record;
    record.set_version(1);
    record.set_productid("p");
    record.set_checksum(0);
    auto* entry = record.add_data();
    entry->set_type(Kel::Pb::Configuration::TYPE__INTERFACE);
    entry->set_data(data.toStdString());

    const QString text = FrcText::toText(record);
    QVERIFY2(text.contains(expectedLine), qPrintable(text));

    Kel::Pb::Configuration::File back;
    QString error;
    QVERIFY2(FrcText::fromText(text, &back, &error), qPrintable(error));
    QVERIFY(back.SerializeAsString() == record.SerializeAsString());
}

void TestFrcText::rejects_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");

    QTest::newRow("unknown field") << "version: 1\nversionx: 1\n"
                                   << "line 2: Kel.Pb.Configuration.File has no field \"versionx\"";
    QTest::newRow("unknown enumeration value") << "data {\n  type: TYPE__BOGUS\n}\n"
                                               << "line 2: \"TYPE__BOGUS\" is not a value of Kel.Pb.Configuration.TYPE";
    QTest::newRow("undefined enumeration number") << "data {\n  type: 3\n}\n"
                                                  << "line 2: \"3\" is not a value of Kel.Pb.Configuration.TYPE";
    QTest::newRow("uint32 out of range") << "version: 4294967296\n"
                                         << "line 1: \"4294967296\" is out of the range of field \"version\"";
    QTest::newRow("negative unsigned") << "checksum: -1\n" << "line 1: \"-1\" is out of the range of field \"checksum\"";
    QTest::newRow("block before its type") << "data {\n  data {\n  }\n}\n"
                                           << "line 2: a nested \"data\" block needs a \"type\" before it that selects a record";
    QTest::newRow("type that selects no record") << "data {\n  type: TYPE__KEYS\n  data {\n  }\n}\n"
                                                 << "line 3: a nested \"data\" block needs a \"type\" before it that selects a record";
    QTest::newRow("field given twice") << "version: 1\nversion: 1\n" << "line 2: field \"version\" given twice";
    QTest::newRow("missing colon") << "version 1\n" << "line 1: expected \":\" after \"version\"";
    QTest::newRow("unclosed block") << "data {\n  type: TYPE__KEYS\n" << "line 3: the text ends inside a block; \"}\" missing";
    QTest::newRow("string for a number") << "version: \"1\"\n" << "line 1: \"\"1\"\" is out of the range of field \"version\"";
    QTest::newRow("bool that is not one") << "data {\n  type: TYPE__INTERFACE\n  data {\n    enabled: yes\n  }\n}\n"
                                          << "line 4: expected true or false, found \"yes\"";
}

void TestFrcText::rejects()
{
    QFETCH(QString, text);
    QFETCH(QString, error);
    Kel::Pb::Configuration::File record;
    QString actual;
    QVERIFY(!FrcText::fromText(text, &record, &actual));
    QCOMPARE(actual, error);
}

void TestFrcText::maskReachesEveryRecord_data()
{
    QTest::addColumn<QByteArray>("passphrase");
    QTest::addColumn<QByteArray>("unknownField");
    QTest::addColumn<QStringList>("maskedPaths");

    const QString path = QStringLiteral("interface/network/wlan.data.data.authentication.passphrase");
    QTest::newRow("record the text form decodes") << QByteArray("Geheim-WPA-2024") << QByteArray() << QStringList{path};
    // Written by a newer program: the text shows the record as bytes, which
    // must not carry the passphrase either.
    QTest::newRow("record with a field unknown here")
        << QByteArray("Geheim-WPA-2024") << QByteArray("\x78\x05", 2) << QStringList();
    QTest::newRow("empty passphrase stays empty") << QByteArray("") << QByteArray() << QStringList();
}

void TestFrcText::maskReachesEveryRecord()
{
    QFETCH(QByteArray, passphrase);
    QFETCH(QByteArray, unknownField);
    QFETCH(QStringList, maskedPaths);

    Kel::Pb::Wlan::Config wlan;
    wlan.mutable_authentication()->set_passphrase(passphrase.toStdString());
    Kel::Pb::Network::Config network;
    network.set_type(Kel::Pb::Network::TYPE__WLAN);
    network.set_data(wlan.SerializeAsString() + unknownField.toStdString());
    Kel::Pb::Interface::Config interface;
    interface.set_type(Kel::Pb::Interface::TYPE__NETWORK);
    interface.set_data(network.SerializeAsString());
    Kel::Pb::Configuration::File record;
    record.set_version(1);
    record.set_productid("p");
    auto* entry = record.add_data();
    entry->set_type(Kel::Pb::Configuration::TYPE__INTERFACE);
    entry->set_data(interface.SerializeAsString());
    record.set_checksum(QKel::Pb::Configuration::File::computeChecksum(record));
    const std::string before = record.SerializeAsString();

    QCOMPARE(QKel::Frc::SecretMask::mask(&record), maskedPaths);

    const QByteArray after = QByteArray::fromStdString(record.SerializeAsString());
    QCOMPARE(QKel::Pb::Configuration::File::check(record), QKel::Pb::Configuration::File::LOAD_ERROR__NONE);
    if (passphrase.isEmpty()) {
        QVERIFY(after.toStdString() == before);
        return;
    }
    QVERIFY(!after.contains(passphrase));
    QVERIFY(after.contains(unknownField));
    QVERIFY(after.contains(QByteArray::fromStdString(QKel::Pb::SecretFields::maskText())));
}

QTEST_GUILESS_MAIN(TestFrcText)
#include "tst_frcText.moc"
