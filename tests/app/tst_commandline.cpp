#include "support/childProcess.h"
#include "tarnIdentity.h"

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
    void selfDescription_data();
    void selfDescription();

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

// Every command describes itself on standard output with status 0, also when
// further arguments follow: --version names the command, the program and the
// one version; --help opens with the usage line that the manual pages and the
// shell completion are made from.
void TestCommandLine::selfDescription_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expectedStart");

    const QString version = QStringLiteral("%1 (Tarn Wireless Configurator) ") + Tarn::Identity::Version + '\n';
    const QString configurator = QStringLiteral("ferrow-7700-configurator");
    QTest::newRow("configurator version") << configurator << QStringList{"--version"} << version.arg(configurator);
    QTest::newRow("configurator version decides first")
        << configurator << QStringList{"--version", "--config", "<missing>", "--autoflash"} << version.arg(configurator);
    QTest::newRow("frctool version") << "frctool" << QStringList{"--version"} << version.arg("frctool");
    QTest::newRow("simulator version") << "tarn-gateway-sim" << QStringList{"--version"}
                                       << version.arg("tarn-gateway-sim");
    QTest::newRow("station version") << "tarn-station" << QStringList{"--version"} << version.arg("tarn-station");
    QTest::newRow("frctool help") << "frctool" << QStringList{"--help"} << "Usage: frctool ";
    QTest::newRow("station help") << "tarn-station" << QStringList{"--help"} << "Usage: ";
    QTest::newRow("simulator help") << "tarn-gateway-sim" << QStringList{"--help"} << "Usage: ";
}

void TestCommandLine::selfDescription()
{
    QFETCH(QString, command);
    QFETCH(QStringList, arguments);
    QFETCH(QString, expectedStart);

    const QString program = builtProgram(command);
    QVERIFY2(!program.isEmpty(), qPrintable(command + " is not built"));
    arguments.replaceInStrings(QStringLiteral("<missing>"), mDir.filePath(QStringLiteral("missing.frc")));
    const ChildResult result = runChild(program, arguments, headlessEnvironment(), 20000);
    QVERIFY(result.started);
    QVERIFY2(result.exitedNormally, result.standardError.constData());
    QCOMPARE(result.exitStatus, 0);
    const QByteArray start = expectedStart.toUtf8();
    QVERIFY2(expectedStart.endsWith('\n') ? result.standardOutput == start : result.standardOutput.startsWith(start),
             result.standardOutput.constData());
    QCOMPARE(result.standardError, QByteArray());
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
