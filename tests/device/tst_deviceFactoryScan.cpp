// The factory's scan of the "devices" directory, one fresh process per case:
// the probe executable is copied into a temporary directory so that the
// directory beside the running program is one the test has laid out.

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList toStrings(const QJsonValue& value)
{
    QStringList out;
    for (const QJsonValue& v : value.toArray())
        out.append(v.toString());
    return out;
}

// "*" at the end of an expected warning stands for the platform's error text.
bool warningMatches(const QString& expected, const QString& actual)
{
    if (expected.endsWith(QLatin1Char('*')))
        return actual.startsWith(expected.chopped(1));
    return actual == expected;
}

} // namespace

class TestDeviceFactoryScan : public QObject
{
    Q_OBJECT

private slots:
    void scan_data();
    void scan();

private:
    QJsonObject runProbe(const QString& dir, const QStringList& ids);
    void layOut(const QString& devicesDir, const QStringList& entries);
};

void TestDeviceFactoryScan::layOut(const QString& devicesDir, const QStringList& entries)
{
    // "plugin=name" copies a test plug-in, "link:plugin=name" makes a symbolic
    // link to it, "dir:name" makes a directory.
    for (const QString& entry : entries) {
        if (entry.startsWith(QLatin1String("dir:"))) {
            QVERIFY(QDir(devicesDir).mkdir(entry.mid(4)));
            continue;
        }
        const bool link = entry.startsWith(QLatin1String("link:"));
        const QStringList parts = entry.mid(link ? 5 : 0).split(QLatin1Char('='));
        const QString source = QStringLiteral(TEST_PLUGIN_DIR "/%1.so").arg(parts[0]);
        const QString target = devicesDir + QLatin1Char('/') + parts[1];
        QVERIFY2(QFile::exists(source), qPrintable(source));
        QVERIFY(link ? QFile::link(source, target) : QFile::copy(source, target));
    }
}

QJsonObject TestDeviceFactoryScan::runProbe(const QString& dir, const QStringList& ids)
{
    const QString probe = dir + QStringLiteral("/deviceFactoryProbe");
    if (!QFile::copy(QStringLiteral(PROBE_PATH), probe))
        return {};
    QProcess process;
    process.start(probe, ids);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QJsonDocument::fromJson(process.readAllStandardOutput()).object();
}

void TestDeviceFactoryScan::scan_data()
{
    QTest::addColumn<bool>("makeDevicesDir");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("createIds");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("productIds");
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<QStringList>("destroyed");
    QTest::addColumn<QStringList>("created");

    const QString notFound = QStringLiteral("Could not find driver for product ID \"%1\"");

    QTest::newRow("no devices directory")
        << false << QStringList() << QStringList{"111"} << QStringList() << QStringList()
        << QStringList{notFound.arg("111")} << QStringList() << QStringList{""};
    QTest::newRow("empty devices directory")
        << true << QStringList() << QStringList{"111"} << QStringList() << QStringList()
        << QStringList{notFound.arg("111")} << QStringList() << QStringList{""};
    QTest::newRow("one driver, two IDs: listed once under its first ID")
        << true << QStringList{"tdrv_alpha=libqkelferrow-alpha.so"}
        << QStringList{"111", "222"} << QStringList{"Alpha"} << QStringList{"111"}
        << QStringList() << QStringList() << QStringList{"Alpha", "Alpha"};
    // Sorted case-sensitively "B" would come before "a" and keep "222".
    QTest::newRow("two files claim one ID: case-insensitive order decides")
        << true << QStringList{"tdrv_beta=libqkelferrow-B.so", "tdrv_alpha=libqkelferrow-a.so"}
        << QStringList{"111", "222", "333"} << QStringList{"Alpha", "Beta"} << QStringList{"111", "333"}
        << QStringList{"Driver map already contains a driver with product ID \"222\""}
        << QStringList() << QStringList{"Alpha", "Alpha", "Beta"};
    QTest::newRow("driver lists an ID twice")
        << true << QStringList{"tdrv_dup=libqkelferrow-dup.so"}
        << QStringList{"444"} << QStringList{"Dup"} << QStringList{"444"}
        << QStringList{"Driver map already contains a driver with product ID \"444\""}
        << QStringList() << QStringList{"Dup"};
    QTest::newRow("driver with an empty ID keeps its others")
        << true << QStringList{"tdrv_empty=libqkelferrow-empty.so"}
        << QStringList{"555", ""} << QStringList{"Empty"} << QStringList{"555"}
        << QStringList{"Cannot insert driver with an empty product ID from \"$DEV/libqkelferrow-empty.so\"",
                       notFound.arg("")}
        << QStringList() << QStringList{"Empty", ""};
    QTest::newRow("driver whose IDs are all rejected is let go and not listed")
        << true << QStringList{"tdrv_alpha=libqkelferrow-1.so", "tdrv_taken=libqkelferrow-2.so",
                               "tdrv_noids=libqkelferrow-3.so"}
        << QStringList{"111"} << QStringList{"Alpha"} << QStringList{"111"}
        << QStringList{"Driver map already contains a driver with product ID \"111\""}
        << QStringList{"destroyed Taken", "destroyed NoIds"} << QStringList{"Alpha"};
    QTest::newRow("two drivers with one name: only the first is offered")
        << true << QStringList{"tdrv_alpha=libqkelferrow-a.so", "tdrv_samename=libqkelferrow-b.so"}
        << QStringList{"666", "222"} << QStringList{"Alpha"} << QStringList{"111"}
        << QStringList() << QStringList() << QStringList{"Alpha", "Alpha"};
    QTest::newRow("library that is not a Qt plug-in")
        << true << QStringList{"not_plugin=libqkelferrow-junk.so", "tdrv_alpha=libqkelferrow-z.so"}
        << QStringList{"111"} << QStringList{"Alpha"} << QStringList{"111"}
        << QStringList{"Could not load driver from \"$DEV/libqkelferrow-junk.so\" : \"*"}
        << QStringList() << QStringList{"Alpha"};
    QTest::newRow("plug-in whose root object is another class")
        << true << QStringList{"other_root=libqkelferrow-other.so", "tdrv_beta=libqkelferrow-x.so"}
        << QStringList{"333"} << QStringList{"Beta"} << QStringList{"333"}
        << QStringList{"Could not create driver instance from \"$DEV/libqkelferrow-other.so\""}
        << QStringList() << QStringList{"Beta"};
    QTest::newRow("only files matching the patterns, no links, no directories")
        << true << QStringList{"tdrv_beta=alpha.so", "tdrv_beta=libqkelferrow-beta.so.1",
                               "link:tdrv_beta=libqkelferrow-link.so", "dir:qkelferrow-dir.so",
                               "tdrv_alpha=LIBQKELFERROW-ALPHA.SO", "not_plugin=x-qkelferrow-y.dll"}
        << QStringList{"111", "333"} << QStringList{"Alpha"} << QStringList{"111"}
        << QStringList{"Could not load driver from \"$DEV/x-qkelferrow-y.dll\" : \"*", notFound.arg("333")}
        << QStringList() << QStringList{"Alpha", ""};
}

void TestDeviceFactoryScan::scan()
{
    QFETCH(bool, makeDevicesDir);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, createIds);
    QFETCH(QStringList, names);
    QFETCH(QStringList, productIds);
    QFETCH(QStringList, warnings);
    QFETCH(QStringList, destroyed);
    QFETCH(QStringList, created);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString devicesDir = dir.filePath(QStringLiteral("devices"));
    if (makeDevicesDir) {
        QVERIFY(QDir().mkdir(devicesDir));
        layOut(devicesDir, entries);
    }

    const QJsonObject result = runProbe(dir.path(), createIds);
    QVERIFY2(!result.isEmpty(), "the probe did not run to its end");
    QCOMPARE(toStrings(result["names"]), names);
    QCOMPARE(toStrings(result["productIds"]), productIds);
    QCOMPARE(toStrings(result["scanDebug"]), destroyed);

    const QStringList actualWarnings = toStrings(result["warnings"]);
    QCOMPARE(actualWarnings.size(), warnings.size());
    for (int i = 0; i < warnings.size(); ++i) {
        const QString expected = QString(warnings[i]).replace(QLatin1String("$DEV"), devicesDir);
        QVERIFY2(warningMatches(expected, actualWarnings[i]), qPrintable(actualWarnings[i]));
    }

    const QJsonObject createdNames = result["created"].toObject();
    for (int i = 0; i < createIds.size(); ++i)
        QCOMPARE(createdNames[createIds[i]].toString(), created[i]);
}

QTEST_GUILESS_MAIN(TestDeviceFactoryScan)
#include "tst_deviceFactoryScan.moc"
