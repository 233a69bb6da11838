// The .frc tool's commands, run in a test program in the build's bin/, so that
// "new" and "check" find the TARN210 driver in bin/devices/ as the tool does.

#include "fileSizeLimit.h"
#include "frcTool.h"

#include <configuration.h>
#include <configuration.pb.h>

#include <QTemporaryDir>
#include <QtTest>

using QKel::FrcTool::FrcTool;

namespace {

struct Result
{
    int code;
    QString out;
    QString err;
};

Result runTool(const QStringList& arguments)
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int code = FrcTool(outStream, errStream).run(arguments);
    return {code, out, err};
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestFrcTool : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void newDumpBuildRoundTrip_data();
    void newDumpBuildRoundTrip();
    void buildComputesTheChecksum();
    void check_data();
    void check();
    void failures_data();
    void failures();
    void failedWriteKeepsTheFile();

private:
    QString path(const QString& name) const { return mDir->filePath(name); }
    QByteArray defaultFile();

    QScopedPointer<QTemporaryDir> mDir;
};

void TestFrcTool::init()
{
    mDir.reset(new QTemporaryDir);
    QVERIFY(mDir->isValid());
}

QByteArray TestFrcTool::defaultFile()
{
    const Result result = runTool({"new", "012001017701", path("default.frc")});
    return result.code == 0 ? readAll(path("default.frc")) : QByteArray();
}

void TestFrcTool::newDumpBuildRoundTrip_data()
{
    QTest::addColumn<QString>("productId");
    QTest::newRow("primary product ID") << "012001017701";
    QTest::newRow("secondary product ID") << "012001017702";
}

void TestFrcTool::newDumpBuildRoundTrip()
{
    QFETCH(QString, productId);

    const Result created = runTool({"new", productId, path("new.frc")});
    QCOMPARE(created.code, 0);
    const QByteArray original = readAll(path("new.frc"));

    QKel::Pb::Configuration::File file(nullptr);
    QVERIFY(file.load(original));
    QCOMPARE(file.productId(), QStringLiteral("012001017701"));
    QCOMPARE(file.dataList().size(), 9);

    const Result dumped = runTool({"dump", path("new.frc")});
    QCOMPARE(dumped.code, 0);
    QVERIFY(dumped.err.isEmpty());
    QVERIFY(writeAll(path("new.txt"), dumped.out.toUtf8()));

    const Result built = runTool({"build", path("new.txt"), path("built.frc")});
    QCOMPARE(built.code, 0);
    QCOMPARE(readAll(path("built.frc")), original);
    QCOMPARE(runTool({"dump", path("built.frc")}).out, dumped.out);
}

void TestFrcTool::buildComputesTheChecksum()
{
    // A text with a stale checksum and an edit: the file written loads.
    QByteArray text = "version: 1\nproductId: \"012001017701\"\n"
                      "data {\n  type: TYPE__SERVER\n  data {\n    enabled: true\n    type: TYPE__SOCKET\n"
                      "    data {\n      port: 1234\n    }\n  }\n}\nchecksum: 1\n";
    QVERIFY(writeAll(path("edited.txt"), text));
    QCOMPARE(runTool({"build", path("edited.txt"), path("edited.frc")}).code, 0);

    QKel::Pb::Configuration::File file(nullptr);
    QVERIFY(file.load(readAll(path("edited.frc"))));
    QCOMPARE(file.loadError(), QKel::Pb::Configuration::File::LOAD_ERROR__NONE);
    QCOMPARE(file.dataList().size(), 1);
    QCOMPARE(file.dataList()[0]->type(), QKel::Pb::Configuration::Data::TYPE__SERVER);

    const QString dumped = runTool({"dump", path("edited.frc")}).out;
    QVERIFY(dumped.contains("      port: 1234\n"));
    QVERIFY(!dumped.contains("checksum: 1\n"));
}

void TestFrcTool::check_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");

    QTest::newRow("default configuration") << "" << 0 << "the configurator loads this file";
    QTest::newRow("checksum off by one") << "checksum" << 1 << "does not match the content; the configurator refuses it";
    QTest::newRow("version 2") << "version2" << 1 << "version 2 is not supported (expected 1)";
    QTest::newRow("version 0") << "version0" << 1 << "version 0 is obsolete";
    QTest::newRow("not a configuration file") << "garbage" << 1 << "not a configuration file (it does not parse)";
    QTest::newRow("product without a driver") << "product" << 1 << "no driver supports product ID \"abc\"";
}

void TestFrcTool::check()
{
    QFETCH(QString, change);
    QFETCH(int, code);
    QFETCH(QString, message);

    const QByteArray good = defaultFile();
    QVERIFY(!good.isEmpty());
    Kel::Pb::Configuration::File record;
    QVERIFY(record.ParseFromArray(good.constData(), good.size()));
    if (change == "checksum")
        record.set_checksum((record.checksum() + 1) & 0xffff);
    else if (change.startsWith("version"))
        record.set_version(change.right(1).toUInt());
    else if (change == "product")
        record.set_productid("abc");
    record.set_checksum(change == "product" ? QKel::Pb::Configuration::File::computeChecksum(record) : record.checksum());
    const QByteArray bytes = change == "garbage" ? QByteArray("\x0a\xff") : QByteArray::fromStdString(record.SerializeAsString());
    QVERIFY(writeAll(path("c.frc"), bytes));

    if (change == "product")
        QTest::ignoreMessage(QtWarningMsg, "Could not find driver for product ID \"abc\"");
    if (change == "garbage")
        QTest::ignoreMessage(QtWarningMsg, "Failed to parse incoming Configuration::File data.");
    const Result result = runTool({"check", path("c.frc")});
    QCOMPARE(result.code, code);
    QVERIFY2((code == 0 ? result.out : result.err).contains(message), qPrintable(result.out + result.err));
    if (code == 0)
        QVERIFY(result.out.contains("product ID: 012001017701 (TARN210)\n"));
}

void TestFrcTool::failures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");

    const QString usage = FrcTool::USAGE;
    QTest::newRow("no command") << QStringList() << QByteArray() << 2 << usage;
    QTest::newRow("unknown command") << QStringList{"show", "x"} << QByteArray() << 2 << usage;
    QTest::newRow("missing operand") << QStringList{"build", "t.txt"} << QByteArray() << 2 << usage;
    QTest::newRow("file that does not exist") << QStringList{"dump", "absent.frc"} << QByteArray() << 1 << "cannot read";
    QTest::newRow("text with an error")
        << QStringList{"build", "t.txt", "out.frc"} << QByteArray("version: 1\nproductId: 5\n") << 1
        << "t.txt: line 2: expected a quoted string";
    QTest::newRow("text lacking required fields")
        << QStringList{"build", "t.txt", "out.frc"} << QByteArray("version: 1\ndata {\n  type: TYPE__KEYS\n}\n") << 1
        << "t.txt: lacks productId, data[0].data";
    QTest::newRow("product without a driver") << QStringList{"new", "abc", "out.frc"} << QByteArray() << 1
                                              << "no driver supports product ID \"abc\"";
}

void TestFrcTool::failures()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, text);
    QFETCH(int, code);
    QFETCH(QString, message);

    // A file already at the output path survives every failure.
    QVERIFY(writeAll(path("out.frc"), "precious"));
    QVERIFY(writeAll(path("t.txt"), text));
    for (QString& argument : arguments) {
        if (argument.contains('.'))
            argument = path(argument);
    }
    if (arguments.value(0) == "new")
        QTest::ignoreMessage(QtWarningMsg, "Could not find driver for product ID \"abc\"");

    const Result result = runTool(arguments);
    QCOMPARE(result.code, code);
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
    QCOMPARE(readAll(path("out.frc")), QByteArray("precious"));
}

// A disk that takes only part of the bytes: the tool reports it, and the file
// already there is neither replaced by the cut-off bytes nor lost.
void TestFrcTool::failedWriteKeepsTheFile()
{
    QVERIFY(writeAll(path("out.frc"), "precious"));
    Result result{};
    {
        const TarnTest::FileSizeLimit limit(100);
        result = runTool({"new", "012001017701", path("out.frc")});
    }
    QCOMPARE(result.code, 1);
    QVERIFY2(result.err.contains("cannot write"), qPrintable(result.err));
    QCOMPARE(readAll(path("out.frc")), QByteArray("precious"));
    QCOMPARE(QDir(mDir->path()).entryList(QDir::Files), QStringList{"out.frc"});
}

QTEST_GUILESS_MAIN(TestFrcTool)
#include "tst_frctool.moc"
