#include "support/childProcess.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace TarnTest;

// The program's command line, run as a user or a script would, on a machine
// without any display.
class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void commandLine_data();
    void commandLine();

private:
    QString mProgram;
    QTemporaryDir mDir;
    QString mExisting;
};

void TestCommandLine::initTestCase()
{
    mProgram = builtProgram(QStringLiteral("ferrow-7700-configurator"));
    QVERIFY2(!mProgram.isEmpty(), "the configurator is not built");
    QVERIFY(mDir.isValid());
    mExisting = mDir.filePath(QStringLiteral("existing.frc"));
    QFile file(mExisting);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not looked at before the event loop runs");
}

void TestCommandLine::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("expectedStatus");
    QTest::addColumn<bool>("usagePrinted");
    QTest::addColumn<QString>("expectedError");

    const QString missingMessage = QStringLiteral("Cannot load configuration file: ");
    QTest::newRow("help") << QStringList{"--help"} << 0 << true << QString();
    QTest::newRow("help decides before anything else")
        << QStringList{"--help", "--config", "<existing>"} << 0 << true << QString();
    QTest::newRow("unknown option") << QStringList{"--verbose"} << 255 << true << QString();
    QTest::newRow("autoflash alone") << QStringList{"--autoflash"} << 255 << true << QString();
    QTest::newRow("config without path") << QStringList{"--config"} << 255 << true << QString();
    QTest::newRow("path before config") << QStringList{"<existing>", "--config"} << 255 << true << QString();
    QTest::newRow("help not first") << QStringList{"--verbose", "--help"} << 255 << true << QString();
    QTest::newRow("third argument not autoflash")
        << QStringList{"--config", "<existing>", "--help"} << 255 << true << QString();
    QTest::newRow("missing file") << QStringList{"--config", "<missing>"} << 1 << false << missingMessage;
    QTest::newRow("missing file tested before autoflash")
        << QStringList{"--config", "<missing>", "--autoflash"} << 1 << false << missingMessage;
    QTest::newRow("missing file tested before a bad third argument")
        << QStringList{"--config", "<missing>", "--bogus"} << 1 << false << missingMessage;
    QTest::newRow("directory is no configuration file")
        << QStringList{"--config", "<directory>"} << 1 << false << missingMessage;
}

void TestCommandLine::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, expectedStatus);
    QFETCH(bool, usagePrinted);
    QFETCH(QString, expectedError);

    arguments.replaceInStrings(QStringLiteral("<existing>"), mExisting);
    arguments.replaceInStrings(QStringLiteral("<missing>"), mDir.filePath(QStringLiteral("missing.frc")));
    arguments.replaceInStrings(QStringLiteral("<directory>"), mDir.path());

    const ChildResult result = runChild(mProgram, arguments, headlessEnvironment(), 20000);
    QVERIFY(result.started);
    QVERIFY2(result.exitedNormally, result.standardError.constData());
    QCOMPARE(result.exitStatus, expectedStatus);

    const QByteArray usage = "Usage: " + mProgram.toUtf8() + " [--config filePath [--autoflash]]\n";
    // Help goes on with the autoflash options and exit statuses; a refusal stops at the usage line.
    const bool help = arguments.first() == QLatin1String("--help");
    QCOMPARE(result.standardOutput.startsWith(usage), usagePrinted);
    QCOMPARE(result.standardOutput.size() > usage.size(), help);
    if (help)
        QVERIFY(result.standardOutput.contains("6 no values for this device.\n"));
    if (!expectedError.isEmpty()) {
        const QString missingPath = arguments.at(1);
        QVERIFY2(result.standardError.contains((expectedError + missingPath).toUtf8()),
                 result.standardError.constData());
    }
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
