#include "support/childProcess.h"
#include "support/simulatorProcess.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace TarnTest;

namespace {

const QString ProductId = QStringLiteral("012001017701");

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The ways a configuration file can be spoilt on its way to a flashing station.
QByteArray spoilt(const QByteArray& valid, const QString& how)
{
    if (how == QLatin1String("truncated"))
        return valid.left(valid.size() / 2);
    if (how == QLatin1String("flipped byte")) {
        QByteArray bytes = valid;
        bytes[bytes.size() / 2] = char(bytes.at(bytes.size() / 2) ^ 0x5a);
        return bytes;
    }
    if (how == QLatin1String("noise"))
        return QByteArray(300, '\xa7');
    if (how == QLatin1String("empty"))
        return QByteArray();
    return valid;
}

} // namespace

// Autoflash from the command line against the gateway simulator, on a
// machine without any display.
class TestAutoflash : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void autoflash_data();
    void autoflash();

private:
    ChildResult runAutoflash(const QString& configurationFile, const QStringList& simulatorOptions,
                             const QStringList& extraArguments, QByteArray* simulatorLog);

    QString mProgram;
    QTemporaryDir mDir;
    QByteArray mValid;
};

void TestAutoflash::initTestCase()
{
    mProgram = builtProgram(QStringLiteral("ferrow-7700-configurator"));
    QVERIFY2(!mProgram.isEmpty(), "the configurator is not built");
    const QString frctool = builtProgram(QStringLiteral("frctool"));
    QVERIFY2(!frctool.isEmpty(), "frctool is not built");
    QVERIFY(mDir.isValid());

    const QString validPath = mDir.filePath(QStringLiteral("default.frc"));
    const ChildResult made = runChild(frctool, {QStringLiteral("new"), ProductId, validPath},
                                      headlessEnvironment(), 20000);
    QVERIFY2(made.exitedNormally && made.exitStatus == 0, made.standardError.constData());
    mValid = readFile(validPath);
    QVERIFY(!mValid.isEmpty());
}

ChildResult TestAutoflash::runAutoflash(const QString& configurationFile, const QStringList& simulatorOptions,
                                        const QStringList& extraArguments, QByteArray* simulatorLog)
{
    QTemporaryDir home;
    SimulatorProcess simulator(mDir.filePath(QStringLiteral("stored.frc")));
    QString error;
    if (!simulator.start(simulatorOptions, &error)) {
        qWarning() << "The simulator did not start:" << error;
        return ChildResult();
    }
    QProcessEnvironment environment = headlessEnvironment();
    environment.insert(QStringLiteral("TARN_SERIAL_PORTS"), simulator.portPath());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    const QStringList arguments = QStringList{QStringLiteral("--config"), configurationFile,
                                              QStringLiteral("--autoflash")} + extraArguments;
    const ChildResult result = runChild(mProgram, arguments, environment, 60000);
    *simulatorLog = simulator.stop();
    return result;
}

void TestAutoflash::autoflash_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("simulatorOptions");
    QTest::addColumn<QStringList>("extraArguments");
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<bool>("deviceContacted");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<int>("maxSeconds");

    QTest::newRow("writes the file") << "valid" << QStringList() << QStringList() << true << true << QString() << 10;
    QTest::newRow("further arguments are ignored")
        << "valid" << QStringList() << QStringList{"--help", "x"} << true << true << QString() << 10;
    QTest::newRow("paced like a real line")
        << "valid" << QStringList{"--rate", "11520"} << QStringList() << true << true << QString() << 15;
    QTest::newRow("answers split into chunks")
        << "valid" << QStringList{"--chunk", "3"} << QStringList() << true << true << QString() << 10;
    QTest::newRow("write refused")
        << "valid" << QStringList{"--error-on-write"} << QStringList() << false << true
        << "The device refused the command" << 15;
    QTest::newRow("silent device")
        << "valid" << QStringList{"--silent"} << QStringList() << false << true
        << "The device did not answer in time" << 13;
    QTest::newRow("hang-up in mid-frame")
        << "valid" << QStringList{"--hang-up-mid-frame"} << QStringList() << false << true << QString() << 13;
    QTest::newRow("truncated file")
        << "truncated" << QStringList() << QStringList() << false << false << "configuration file" << 10;
    QTest::newRow("flipped byte")
        << "flipped byte" << QStringList() << QStringList() << false << false << "configuration file" << 10;
    QTest::newRow("noise") << "noise" << QStringList() << QStringList() << false << false << "configuration file"
                           << 10;
    QTest::newRow("empty file") << "empty" << QStringList() << QStringList() << false << false
                                << "configuration file" << 10;
}

void TestAutoflash::autoflash()
{
    QFETCH(QString, file);
    QFETCH(QStringList, simulatorOptions);
    QFETCH(QStringList, extraArguments);
    QFETCH(bool, succeeds);
    QFETCH(bool, deviceContacted);
    QFETCH(QString, reason);
    QFETCH(int, maxSeconds);

    const QString path = mDir.filePath(file + QStringLiteral(".frc"));
    const QByteArray bytes = spoilt(mValid, file);
    QVERIFY(writeFile(path, bytes));
    QFile::remove(mDir.filePath(QStringLiteral("stored.frc")));

    QByteArray simulatorLog;
    const ChildResult result = runAutoflash(path, simulatorOptions, extraArguments, &simulatorLog);
    QVERIFY(result.started);
    QVERIFY2(result.exitedNormally, result.standardError.constData());
    QVERIFY2(result.wallTimeNs < qint64(maxSeconds) * 1000000000, QByteArray::number(result.wallTimeNs));

    const QList<QByteArray> lines = result.standardError.trimmed().split('\n');
    QCOMPARE(lines.last(), succeeds ? QByteArray("SUCCESS") : QByteArray("ERROR"));
    QCOMPARE(result.exitStatus, succeeds ? 0 : 255);
    if (!reason.isEmpty())
        QVERIFY2(result.standardError.contains(reason.toUtf8()), result.standardError.constData());

    QCOMPARE(simulatorLog.contains("received"), deviceContacted);
    const QByteArray stored = readFile(mDir.filePath(QStringLiteral("stored.frc")));
    QCOMPARE(stored, succeeds ? bytes : QByteArray());
}

QTEST_GUILESS_MAIN(TestAutoflash)
#include "tst_autoflash.moc"
