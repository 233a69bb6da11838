// A configuration file written without the generated record classes: every
// field encoded by hand from the wire format, the checksum computed bit by
// bit. The library must load it without complaint, show the same values
// through the properties QML reads, and pack it back byte for byte.
#include "configuration.h"
#include "utilities.h"
#include "wireFormat.h"

#include <QQmlEngine>
#include <QQmlListReference>
#include <QScopedPointer>
#include <QSignalSpy>
#include <QTest>

using QKel::Pb::Configuration::File;

using TarnTest::Wire;

namespace {

// CRC-16/X-25, bit by bit: reflected polynomial 0x8408, start 0xFFFF, final XOR 0xFFFF.
quint16 crcX25(const QByteArray& input)
{
    quint16 crc = 0xFFFF;
    for (char byte : input) {
        crc ^= static_cast<quint8>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<quint16>((crc >> 1) ^ 0x8408) : static_cast<quint16>(crc >> 1);
    }
    return static_cast<quint16>(~crc);
}

const QString ssid = QString::fromUtf8("Werkstatt \xc3\xbc\xe2\x9c\x93");
const qint64 testValue = -5;
const quint64 manufactured = Q_UINT64_C(1) << 40;

QByteArray wlanInterface()
{
    Wire wlan;
    wlan.varint(1, 2)
        .bytes(2, ssid.toUtf8())
        .message(4, Wire().varint(1, 6).bytes(2, "secret"))
        .varint(6, 1)
        .varint(6, 6)
        .varint(6, 11)
        .varint(7, 0);
    Wire network;
    network.bytes(1, "wlan").varint(2, 3).message(3, wlan).message(4, Wire().bytes(2, "00:11:22:33:44:55"));
    return Wire().varint(1, 1).varint(2, 1).message(3, network).encoded();
}

QByteArray canInterface()
{
    Wire can;
    can.varint(1, 2).varint(2, 500000);
    can.message(4, Wire().varint(1, 1).varint(4, 0x7FF));
    can.message(4, Wire().varint(1, 1).varint(2, 1).varint(4, 0x18FEF100).varint(5, 0x1FFFFFFF).varint(8, 0xFEF1));
    Wire network;
    network.bytes(1, "can").varint(2, 1).message(3, can);
    return Wire().varint(2, 1).message(3, network).encoded();
}

QByteArray product()
{
    Wire safety;
    safety.varint(1, 1).varint(2, 0x181).varint(8, static_cast<quint64>(testValue));
    Wire tarn;
    tarn.message(2, safety);
    Wire deviceInfo;
    deviceInfo.bytes(1, "TARN210").varint(6, 4711).varint(7, manufactured);
    return Wire().varint(1, 2).message(2, tarn).message(3, deviceInfo).encoded();
}

// Entries: WLAN and CAN interfaces, the gateway function, the product and an
// entry of a type this program has no wrapper for.
QByteArray handEncodedFile()
{
    const QByteArray productId = "0123456789ab";
    const QList<QPair<int, QByteArray>> entries{
        {6, wlanInterface()},
        {6, canInterface()},
        {9, Wire().varint(1, 12).varint(8, 2).encoded()},
        {254, product()},
        {255, QByteArray("\x00\xff", 2)},
    };
    Wire file;
    file.varint(1, 1).bytes(2, productId);
    QByteArray checksumInput = "1" + productId;
    for (const auto& [type, data] : entries) {
        file.message(3, Wire().varint(1, static_cast<quint64>(type)).bytes(2, data));
        checksumInput += QByteArray::number(type) + data;
    }
    file.varint(4, crcX25(checksumInput));
    return file.encoded();
}

// Follows a path of property names from an entry of the file up to the
// object holding the last one; "name[i]" takes element i of a list property.
QObject* holder(QQmlEngine* engine, const File& file, int entry, const QString& path)
{
    QObject* object = file.dataList().value(entry);
    const QStringList steps = path.split('/');
    for (int i = 0; object && i < steps.size() - 1; ++i) {
        const QString& step = steps.at(i);
        const int bracket = step.indexOf('[');
        if (bracket >= 0) {
            const QQmlListReference list(object, step.left(bracket).toUtf8(), engine);
            object = list.at(step.mid(bracket + 1).chopped(1).toInt());
        } else {
            object = object->property(step.toUtf8()).value<QObject*>();
        }
    }
    return object;
}

QByteArray leaf(const QString& path)
{
    return path.section('/', -1).toUtf8();
}

}  // namespace

class TstHandEncodedFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void loadsWithoutErrorAndPacksBack();
    void valuesReachTheProperties_data();
    void valuesReachTheProperties();
    void leafEditReachesTheRootOnce_data();
    void leafEditReachesTheRootOnce();
    void checksumOfCrcCheckInput();

private:
    const QByteArray mBytes = handEncodedFile();
    QQmlEngine mEngine;
    QScopedPointer<File> mFile;
};

// As at program start, so QML knows the list properties' element types.
void TstHandEncodedFile::initTestCase()
{
    QKel::Pb::Utilities::registerQmlTypes();
}

// Every test, and every row, starts from the file freshly loaded.
void TstHandEncodedFile::init()
{
    mFile.reset(new File);
    QTest::ignoreMessage(QtWarningMsg, "Encountered unsupported Data::TYPE 255");
    QVERIFY(mFile->load(mBytes));
}

void TstHandEncodedFile::loadsWithoutErrorAndPacksBack()
{
    QCOMPARE(mFile->loadError(), File::LOAD_ERROR__NONE);
    QCOMPARE(mFile->dataList().size(), 5);
    QCOMPARE(mFile->productId(), QString("0123456789ab"));
    QCOMPARE(mFile->pack(), mBytes);
}

void TstHandEncodedFile::valuesReachTheProperties_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("entry type") << 3 << "type" << QVariant(254);
    QTest::newRow("interface enabled") << 0 << "object/enabled" << QVariant(true);
    QTest::newRow("network name") << 0 << "object/object/name" << QVariant(QString("wlan"));
    QTest::newRow("network MAC") << 0 << "object/object/deviceInfo/mac" << QVariant(QString("00:11:22:33:44:55"));
    QTest::newRow("WLAN mode") << 0 << "object/object/object/mode" << QVariant(2);
    QTest::newRow("SSID in UTF-8") << 0 << "object/object/object/ssid" << QVariant(ssid);
    QTest::newRow("authentication mode") << 0 << "object/object/object/authentication/authenticationMode"
                                         << QVariant(6);
    QTest::newRow("passphrase") << 0 << "object/object/object/authentication/passphrase" << QVariant(QString("secret"));
    QTest::newRow("channels") << 0 << "object/object/object/channelList"
                              << QVariant::fromValue(QList<quint32>{1, 6, 11});
    QTest::newRow("output power zero, not its default") << 0 << "object/object/object/outputPowerPercent"
                                                        << QVariant(0u);
    QTest::newRow("CAN bit rate") << 1 << "object/object/object/baudRateCanOpen" << QVariant(2);
    QTest::newRow("CAN bps") << 1 << "object/object/object/baudRateBps" << QVariant(500000u);
    QTest::newRow("first filter id") << 1 << "object/object/object/filterList[0]/id" << QVariant(0x7FFu);
    QTest::newRow("second filter extended") << 1 << "object/object/object/filterList[1]/extended" << QVariant(true);
    QTest::newRow("second filter id") << 1 << "object/object/object/filterList[1]/id" << QVariant(0x18FEF100u);
    QTest::newRow("second filter PGN") << 1 << "object/object/object/filterList[1]/pgn" << QVariant(0xFEF1u);
    QTest::newRow("function messages per loop") << 2 << "object/canMessagesPerLoop" << QVariant(12u);
    QTest::newRow("function timestamp mode") << 2 << "object/timestampMode" << QVariant(2);
    QTest::newRow("product name") << 3 << "object/deviceInfo/name" << QVariant(QString("TARN210"));
    QTest::newRow("serial number") << 3 << "object/deviceInfo/serialNumber" << QVariant(4711u);
    QTest::newRow("64-bit time") << 3 << "object/deviceInfo/unixTimeOfManufacture"
                                 << QVariant(qulonglong(manufactured));
    QTest::newRow("safety CAN ID") << 3 << "object/object/safetyFunction/canId" << QVariant(0x181u);
    QTest::newRow("negative test value") << 3 << "object/object/safetyFunction/testValue"
                                         << QVariant(qlonglong(testValue));
    QTest::newRow("unknown entry keeps its bytes") << 4 << "data" << QVariant(QByteArray("\x00\xff", 2));
}

void TstHandEncodedFile::valuesReachTheProperties()
{
    QFETCH(int, entry);
    QFETCH(QString, path);
    QFETCH(QVariant, expected);

    QObject* object = holder(&mEngine, *mFile, entry, path);
    QVERIFY2(object, qPrintable(path));
    const QVariant actual = object->property(leaf(path));
    QVERIFY2(actual.isValid(), qPrintable(path));
    if (expected.userType() == QMetaType::Int)  // an enumeration, compared by number
        QCOMPARE(actual.toInt(), expected.toInt());
    else if (expected.userType() == qMetaTypeId<QList<quint32>>())
        QCOMPARE(actual.value<QList<quint32>>(), expected.value<QList<quint32>>());
    else
        QCOMPARE(actual, expected);
}

void TstHandEncodedFile::leafEditReachesTheRootOnce_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("network name") << 0 << "object/object/name" << QVariant(QString("wlan0"));
    QTest::newRow("network MAC") << 0 << "object/object/deviceInfo/mac" << QVariant(QString("00:00:00:00:00:01"));
    QTest::newRow("SSID") << 0 << "object/object/object/ssid" << QVariant(QString("other"));
    QTest::newRow("passphrase") << 0 << "object/object/object/authentication/passphrase" << QVariant(QString("x"));
    QTest::newRow("channels") << 0 << "object/object/object/channelList" << QVariant::fromValue(QList<quint32>{13});
    QTest::newRow("filter in list") << 1 << "object/object/object/filterList[1]/inhibitTimeMs" << QVariant(100u);
    QTest::newRow("function enumeration") << 2 << "object/timestampMode" << QVariant(1);
    QTest::newRow("product 64-bit time") << 3 << "object/deviceInfo/unixTimeOfManufacture" << QVariant(qulonglong(1));
    QTest::newRow("safety test value") << 3 << "object/object/safetyFunction/testValue" << QVariant(qlonglong(-6));
    QTest::newRow("unknown entry bytes") << 4 << "data" << QVariant(QByteArray("\x01"));
}

// One dataChanged() at the root per edit anywhere in the tree, none for an
// equal value; the edit reaches the packed bytes.
void TstHandEncodedFile::leafEditReachesTheRootOnce()
{
    QFETCH(int, entry);
    QFETCH(QString, path);
    QFETCH(QVariant, value);

    QObject* object = holder(&mEngine, *mFile, entry, path);
    QVERIFY2(object, qPrintable(path));
    QSignalSpy root(mFile.data(), &QKel::Pb::AbstractMessage::dataChanged);
    QVERIFY(object->setProperty(leaf(path), value));
    QCOMPARE(root.count(), 1);
    QVERIFY(object->setProperty(leaf(path), value));
    QCOMPARE(root.count(), 1);
    QVERIFY(mFile->pack() != mBytes);
    QCOMPARE(root.count(), 2);  // pack() announces the new checksum
}

// The bitwise CRC above is the one the file format names.
void TstHandEncodedFile::checksumOfCrcCheckInput()
{
    QCOMPARE(crcX25("123456789"), quint16(0x906E));
    QCOMPARE(crcX25("1abc"), quint16(0xF47E));
}

QTEST_GUILESS_MAIN(TstHandEncodedFile)
#include "tst_handencodedfile.moc"
