#include "protocol/bootProtocol.h"

#include <QtTest>

#include <functional>

using QKel::Comms::Protocol::BootProtocol;

class TestBootProtocol : public QObject
{
    Q_OBJECT

private slots:
    void builders_data();
    void builders();
    void accepts_data();
    void accepts();
    void rejects_data();
    void rejects();
    void oversizePayloadIsNotFramed();
};

using Builder = std::function<QByteArray()>;
Q_DECLARE_METATYPE(Builder)

void TestBootProtocol::builders_data()
{
    QTest::addColumn<Builder>("builder");
    QTest::addColumn<QByteArray>("expected");
    // Checksums worked out by hand: XOR of start byte, both length bytes and payload.
    QTest::newRow("read product ID") << Builder(&BootProtocol::buildReadProductIdCommand)
                                     << QByteArray::fromHex("430001501" "20d");
    QTest::newRow("read configuration") << Builder(&BootProtocol::buildReadProtobufCommand)
                                        << QByteArray::fromHex("4300014c0e0d");
    QTest::newRow("normal operation") << Builder(&BootProtocol::buildEnterNormalOperationCommand)
                                      << QByteArray::fromHex("430001511" "30d");
    QTest::newRow("pairing mode") << Builder(&BootProtocol::buildEnterPairingModeCommand)
                                  << QByteArray::fromHex("430001591b0d");
    QTest::newRow("factory reset") << Builder(&BootProtocol::buildFactoryResetCommand)
                                   << QByteArray::fromHex("4300015a180d");
    QTest::newRow("boot sequence") << Builder(&BootProtocol::buildBootSequence)
                                   << QByteArray::fromHex("4300064b58424f4f54400d");
    QTest::newRow("write configuration")
        << Builder([] { return BootProtocol::buildWriteProtobufCommand(QByteArray::fromHex("0102")); })
        << QByteArray::fromHex("4300035301021" "00d");
    QTest::newRow("write empty configuration")
        << Builder([] { return BootProtocol::buildWriteProtobufCommand({}); }) << QByteArray::fromHex("430001531" "10d");
}

void TestBootProtocol::builders()
{
    QFETCH(Builder, builder);
    QFETCH(QByteArray, expected);
    QCOMPARE(builder().toHex(' '), expected.toHex(' '));
}

void TestBootProtocol::accepts_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("payload");
    QTest::newRow("worked example") << QByteArray::fromHex("430001501" "20d") << QByteArray::fromHex("50");
    QTest::newRow("payload holds stop and start bytes") << QByteArray::fromHex("4300030d430d030d")
                                                        << QByteArray::fromHex("0d430d");
    QTest::newRow("payload 41 0d, checksum 0d") << QByteArray::fromHex("43000241" "0d0d0d") << QByteArray::fromHex("410d");

    // Length bytes 01 00 announce 256 payload bytes, high byte first.
    QByteArray payload(256, 'x');
    QByteArray frame = QByteArray::fromHex("430100") + payload;
    char sum = 0x43 ^ 0x01;
    QTest::newRow("256 bytes, big-endian length") << frame + char(sum) + '\r' << payload;

    QByteArray largest(65535, '\0');
    for (int i = 0; i < largest.size(); ++i)
        largest[i] = char(i * 7);
    QTest::newRow("largest payload") << BootProtocol::buildWriteProtobufCommand(largest.mid(1)) << ('S' + largest.mid(1));
}

void TestBootProtocol::accepts()
{
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, payload);
    QByteArray out;
    QVERIFY(BootProtocol::checkAndGetPayload(frame, out));
    QCOMPARE(out, payload);
}

void TestBootProtocol::rejects_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QString>("warning");
    const QString shape = "Rejected data frame: start/stop/minLength mismatch";
    const QString length = "Rejected data frame: frame length mismatch";
    const QString checksum = "Rejected data frame: checksum mismatch";
    QTest::newRow("empty payload") << QByteArray::fromHex("4300004" "30d") << shape;
    QTest::newRow("nothing") << QByteArray() << shape;
    QTest::newRow("wrong start") << QByteArray::fromHex("440001501" "20d") << shape;
    QTest::newRow("wrong stop") << QByteArray::fromHex("430001501" "20a") << shape;
    QTest::newRow("one byte too many") << QByteArray::fromHex("43000150ff120d") << length;
    QTest::newRow("one byte too few") << QByteArray::fromHex("430002501" "20d") << length;
    QTest::newRow("length read little-endian") << QByteArray::fromHex("430100501" "20d") << length;
    QTest::newRow("two frames at once") << QByteArray::fromHex("430001501" "20d" "430001501" "20d") << length;
    QTest::newRow("checksum off by one bit") << QByteArray::fromHex("430001501" "30d") << checksum;
    QTest::newRow("payload byte flipped") << QByteArray::fromHex("430001511" "20d") << checksum;
    QTest::newRow("larger than any frame") << (QByteArray::fromHex("43ffff") + QByteArray(65537, 'a') + '\r') << length;
}

void TestBootProtocol::rejects()
{
    QFETCH(QByteArray, frame);
    QFETCH(QString, warning);
    QByteArray out = "untouched";
    QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
    QVERIFY(!BootProtocol::checkAndGetPayload(frame, out));
    QCOMPARE(out, QByteArray("untouched"));
}

void TestBootProtocol::oversizePayloadIsNotFramed()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Refusing to frame a payload"));
    QVERIFY(BootProtocol::buildWriteProtobufCommand(QByteArray(65535, 'a')).isEmpty());
    QCOMPARE(BootProtocol::buildWriteProtobufCommand(QByteArray(65534, 'a')).size(), 65535 + 5);
}

QTEST_GUILESS_MAIN(TestBootProtocol)
#include "tst_bootProtocol.moc"
