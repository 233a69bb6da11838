#include "protocol/bootProtocol.h"
#include "protocol/frameAssembler.h"

#include <QtTest>

using QKel::Comms::Protocol::BootProtocol;
using QKel::Comms::Protocol::FrameAssembler;

class TestFrameAssembler : public QObject
{
    Q_OBJECT

private slots:
    void reassembles_data();
    void reassembles();
    void clearDropsPartialFrame();
};

namespace {

QByteArray frame(const QByteArray& payload)
{
    return BootProtocol::frame(payload);
}

QList<QByteArray> bytewise(const QByteArray& data)
{
    QList<QByteArray> chunks;
    for (char byte : data)
        chunks.append(QByteArray(1, byte));
    return chunks;
}

} // namespace

void TestFrameAssembler::reassembles_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QList<QByteArray>>("payloads");
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<int>("pending");

    const QByteArray id = frame("TARN210");
    const QByteArray product = frame(QByteArray::fromHex("50012001017701"));
    const QByteArray garbage = QByteArray::fromHex("a55a00ff");
    QByteArray corrupt = product;
    corrupt[corrupt.size() - 2] = char(corrupt.at(corrupt.size() - 2) ^ 1);
    QByteArray large(4000, '\r');
    large[0] = 'L';

    QTest::newRow("one frame") << QList<QByteArray>{id} << QList<QByteArray>{"TARN210"} << QStringList{} << 0;
    QTest::newRow("two frames in one chunk")
        << QList<QByteArray>{id + product} << QList<QByteArray>{"TARN210", product.mid(3, product.size() - 5)}
        << QStringList{} << 0;
    QTest::newRow("the same frame twice") << QList<QByteArray>{id + id} << QList<QByteArray>{"TARN210", "TARN210"}
                                          << QStringList{} << 0;
    QTest::newRow("one byte at a time") << bytewise(id) << QList<QByteArray>{"TARN210"} << QStringList{} << 0;
    QTest::newRow("split at a 0x0D in the payload")
        << QList<QByteArray>{QByteArray::fromHex("43000241" "0d"), QByteArray::fromHex("0d0d")}
        << QList<QByteArray>{QByteArray::fromHex("410d")} << QStringList{} << 0;
    QTest::newRow("payload of carriage returns, one byte at a time")
        << bytewise(frame(large)) << QList<QByteArray>{large} << QStringList{} << 0;
    QTest::newRow("frame and the start of the next")
        << QList<QByteArray>{id + product.left(4)} << QList<QByteArray>{"TARN210"} << QStringList{} << 4;
    QTest::newRow("garbage then frame, one chunk")
        << QList<QByteArray>{garbage + id} << QList<QByteArray>{}
        << QStringList{"Read data with an invalid start byte; discarding."} << 0;
    QTest::newRow("garbage then frame, two chunks")
        << QList<QByteArray>{garbage, id} << QList<QByteArray>{"TARN210"}
        << QStringList{"Read data with an invalid start byte; discarding."} << 0;
    QTest::newRow("garbage behind a frame")
        << QList<QByteArray>{id + garbage} << QList<QByteArray>{"TARN210"}
        << QStringList{"Read data with an invalid start byte; discarding."} << 0;
    QTest::newRow("corrupt checksum, then a good frame")
        << QList<QByteArray>{corrupt + id} << QList<QByteArray>{"TARN210"}
        << QStringList{"Rejected data frame: checksum mismatch"} << 0;
    QTest::newRow("announced length ends without stop byte")
        << QList<QByteArray>{QByteArray::fromHex("43000141" "02ff"), id} << QList<QByteArray>{"TARN210"}
        << QStringList{"Rejected data frame: start/stop/minLength mismatch"} << 0;
    QTest::newRow("empty payload")
        << QList<QByteArray>{QByteArray::fromHex("4300004" "30d") + id} << QList<QByteArray>{"TARN210"}
        << QStringList{"Rejected data frame: start/stop/minLength mismatch"} << 0;
    QTest::newRow("header only") << QList<QByteArray>{QByteArray::fromHex("4300")} << QList<QByteArray>{}
                                 << QStringList{} << 2;
}

void TestFrameAssembler::reassembles()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QList<QByteArray>, payloads);
    QFETCH(QStringList, warnings);
    QFETCH(int, pending);
    for (const auto& warning : warnings)
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
    FrameAssembler assembler;
    QList<QByteArray> received;
    for (const auto& chunk : chunks)
        received += assembler.append(chunk);
    QCOMPARE(received, payloads);
    QCOMPARE(assembler.pendingSize(), pending);
}

void TestFrameAssembler::clearDropsPartialFrame()
{
    FrameAssembler assembler;
    const QByteArray id = frame("TARN210");
    QVERIFY(assembler.append(id.left(5)).isEmpty());
    assembler.clear();
    QTest::ignoreMessage(QtWarningMsg, "Read data with an invalid start byte; discarding.");
    QVERIFY(assembler.append(id.mid(5)).isEmpty());
    QCOMPARE(assembler.append(id), QList<QByteArray>{"TARN210"});
}

QTEST_GUILESS_MAIN(TestFrameAssembler)
#include "tst_frameAssembler.moc"
