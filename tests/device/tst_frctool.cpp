// The .frc tool's commands, run in a test program in the build's bin/, so that
// "new" and "check" find the TARN210 driver in bin/devices/ as the tool does.

#include "fileSizeLimit.h"
#include "frcTool.h"

#include <configuration.h>
#include <configuration.pb.h>
#include <secretMask.h>

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
    void setThenDiff_data();
    void setThenDiff();
    void setRefusals_data();
    void setRefusals();
    void diffMatchesEntriesByType();
    void maskedDumpAndDiff_data();
    void maskedDumpAndDiff();

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

// Set changes exactly the leaves named; diff and get then show them.
void TestFrcTool::setThenDiff_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");

    QTest::newRow("file level") << "productId" << "012001017702" << "\"012001017701\"" << "\"012001017702\"";
    QTest::newRow("entry level") << "interface/network/wlan.enabled" << "true" << "false" << "true";
    QTest::newRow("network level") << "interface/network/wlan.data.name" << "gw07" << "\"TARN210_SNnn\"" << "\"gw07\"";
    QTest::newRow("leaf record") << "interface/network/wlan.data.data.ssid" << "\"GW\\t07\"" << "\"TARN210 SNnn\"" << "\"GW\\t07\"";
    QTest::newRow("list element, hex") << "interface/network/can.data.data.filterList[3].id" << "0x123" << "0" << "291";
    QTest::newRow("list grows") << "interface/network/wlan.data.data.ipConfig.dnsList[2]" << "10.0.0.1" << "(unset)" << "\"10.0.0.1\"";
    QTest::newRow("enumeration") << "interface/network/wlan.data.data.mode" << "OPERATING_MODE__MINI_AP"
                                 << "OPERATING_MODE__INFRASTRUCTURE" << "OPERATING_MODE__MINI_AP";
    QTest::newRow("signed 64 bits") << "product/morvane_tarn210.data.safetyFunction.testValue" << "-5" << "0" << "-5";
}

void TestFrcTool::setThenDiff()
{
    QFETCH(QString, path);
    QFETCH(QString, value);
    QFETCH(QString, before);
    QFETCH(QString, after);

    QVERIFY(!defaultFile().isEmpty());
    const Result set = runTool({"set", this->path("default.frc"), this->path("out.frc"), path + "=" + value});
    QVERIFY2(set.code == 0, qPrintable(set.err));
    QKel::Pb::Configuration::File file(nullptr);
    QVERIFY(file.load(readAll(this->path("out.frc"))));

    const Result diff = runTool({"diff", this->path("default.frc"), this->path("out.frc")});
    QCOMPARE(diff.code, 1);
    QCOMPARE(diff.out, path + "\t" + before + "\t" + after + "\n");
    QCOMPARE(runTool({"get", this->path("out.frc"), path}).out, after + "\n");
    QCOMPARE(runTool({"diff", this->path("out.frc"), this->path("out.frc")}).code, 0);
}

void TestFrcTool::setRefusals_data()
{
    QTest::addColumn<QString>("assignment");
    QTest::addColumn<QString>("message");

    QTest::newRow("unknown entry") << "interface/network/wlan[1].enabled=true" << "has no entry";
    QTest::newRow("unknown field") << "server/socket.data.speed=1" << "has no field \"speed\"";
    QTest::newRow("not a leaf") << "interface/network/wlan.data.data.ipConfig=1" << "holds a record";
    QTest::newRow("type is the name") << "server/socket.type=TYPE__SPP" << "part of the entry's name";
    QTest::newRow("wrong type") << "server/socket.data.port=fast" << "is not a whole number";
    QTest::newRow("negative unsigned") << "server/socket.data.port=-1" << "out of the range";
    QTest::newRow("out of range") << "server/socket.data.port=4294967296" << "out of the range";
    QTest::newRow("bad enumeration") << "interface/network/wlan.data.data.mode=MINI_AP" << "is not a value of";
    QTest::newRow("bad bool") << "interface/network/wlan.enabled=yes" << "is not true or false";
    QTest::newRow("list gap") << "interface/network/can.data.data.filterList[9].id=1" << "the next one is [8]";
    QTest::newRow("checksum") << "checksum=1" << "written by the program";
}

void TestFrcTool::setRefusals()
{
    QFETCH(QString, assignment);
    QFETCH(QString, message);

    QVERIFY(!defaultFile().isEmpty());
    QVERIFY(writeAll(path("out.frc"), "precious"));
    const Result result = runTool({"set", path("default.frc"), path("out.frc"), "productId=x", assignment});
    QCOMPARE(result.code, 2);
    QCOMPARE(result.err.count('\n'), 1);
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
    QCOMPARE(readAll(path("out.frc")), QByteArray("precious"));
}

// Two files with the same entries in another order hold the same configuration.
void TestFrcTool::diffMatchesEntriesByType()
{
    const QByteArray bytes = defaultFile();
    Kel::Pb::Configuration::File record;
    QVERIFY(record.ParseFromArray(bytes.constData(), bytes.size()));
    record.mutable_data()->SwapElements(0, 8);
    record.mutable_data()->SwapElements(1, 2);
    record.set_checksum(QKel::Pb::Configuration::File::computeChecksum(record));
    QVERIFY(writeAll(path("swapped.frc"), QByteArray::fromStdString(record.SerializeAsString())));
    QVERIFY(writeAll(path("broken.frc"), "\x0a\xff"));

    QCOMPARE(runTool({"diff", path("default.frc"), path("swapped.frc")}).code, 0);
    const Result broken = runTool({"diff", path("default.frc"), path("broken.frc")});
    QCOMPARE(broken.code, 2);
    QVERIFY2(broken.err.contains("broken.frc: not a configuration file (it does not parse)"), qPrintable(broken.err));
}

// A dump or diff made for a ticket shows no secret, and the masked dump still
// builds a configuration that loads.
void TestFrcTool::maskedDumpAndDiff_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("secret");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QStringList>("masked");

    const QString pin = QStringLiteral("interface/network/bluetooth.data.data.pinCode2p0");
    const QString auth = QStringLiteral("interface/network/wlan.data.data.authentication.");
    QTest::newRow("WPA passphrase") << auth + "passphrase" << "Geheim-WPA-2024" << "\"\""
                                    << QStringList{auth + "passphrase", pin};
    QTest::newRow("PEAP password") << auth + "enterpriseAuthentication.password" << "Radius#9" << "(unset)"
                                   << QStringList{auth + "enterpriseAuthentication.password", pin};
    QTest::newRow("Bluetooth PIN") << pin << "Zx9Q4711" << "masked" << QStringList{pin};
    QTest::newRow("Bluetooth passkey") << "interface/network/bluetooth.data.data.passkey" << "918273" << "(unset)"
                                       << QStringList{"interface/network/bluetooth.data.data.passkey", pin};
}

void TestFrcTool::maskedDumpAndDiff()
{
    QFETCH(QString, path);
    QFETCH(QString, secret);
    QFETCH(QString, before);
    QFETCH(QStringList, masked);

    QVERIFY(!defaultFile().isEmpty());
    const Result set = runTool({"set", this->path("default.frc"), this->path("secret.frc"), path + "=" + secret});
    QVERIFY2(set.code == 0, qPrintable(set.err));
    QVERIFY(runTool({"dump", this->path("secret.frc")}).out.contains(secret));

    const Result dumped = runTool({"dump", "--mask", this->path("secret.frc")});
    QCOMPARE(dumped.code, 0);
    QVERIFY2(!dumped.out.contains(secret), qPrintable(dumped.out));
    QVERIFY(writeAll(this->path("masked.txt"), dumped.out.toUtf8()));
    QCOMPARE(runTool({"build", this->path("masked.txt"), this->path("masked.frc")}).code, 0);
    QCOMPARE(runTool({"check", this->path("masked.frc")}).code, 0);
    QCOMPARE(QKel::Frc::SecretMask::maskedLeaves(readAll(this->path("masked.frc"))), masked);
    const QString shown = runTool({"get", this->path("masked.frc"), path}).out.trimmed();

    const Result diff = runTool({"diff", "--mask", this->path("default.frc"), this->path("secret.frc")});
    QCOMPARE(diff.code, 1);
    // A PEAP password also clears the passphrase it replaces: that line is there too.
    const QString line = path + "\t" + (before == "masked" ? shown : before) + "\t" + shown;
    QVERIFY2(diff.out.split('\n').contains(line), qPrintable(diff.out));
    QVERIFY(!runTool({"diff", this->path("default.frc"), this->path("secret.frc")}).out.contains(shown));
}

QTEST_GUILESS_MAIN(TestFrcTool)
#include "tst_frctool.moc"
