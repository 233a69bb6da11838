#include "support/childProcess.h"
#include "support/simulatorProcess.h"

#include <QDirIterator>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

using namespace TarnTest;

namespace {

const QString ProductId = QStringLiteral("012001017701");
// The setting in which the flashed file differs from what the gateway holds first.
const QString SsidPath = QStringLiteral("interface/network/wlan.data.data.ssid");
const QString FlashedSsid = QStringLiteral("\"Line 4\"");
const QString SerialPath = QStringLiteral("product/morvane_tarn210.deviceInfo.serialNumber");

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

// Every backup below a data folder, oldest first (the names are their times).
QList<QByteArray> backupsIn(const QString& dataHome)
{
    QMap<QString, QByteArray> found;
    QDirIterator it(dataHome, {"*.frc"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        found.insert(QFileInfo(path).fileName(), readFile(path));
    }
    return found.values();
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
    void failureAdvice_data();
    void failureAdvice();
    void portOfItsOwnLeavesSettings();

private:
    ChildResult runAutoflash(const QString& configurationFile, const QStringList& simulatorOptions,
                             const QStringList& extraArguments, QByteArray* simulatorLog, QList<QByteArray>* backups);
    QString ssidStored();
    void checkJsonLines(const ChildResult& result, bool succeeds);

    QString mProgram;
    QString mFrctool;
    QTemporaryDir mDir;
    // What the gateway holds before each run, and the file flashed onto it.
    QByteArray mServed;
    QByteArray mValid;
    // mValid as a support archive holds it: passwords and PINs masked.
    QByteArray mMasked;
};

void TestAutoflash::initTestCase()
{
    mProgram = builtProgram(QStringLiteral("ferrow-7700-configurator"));
    QVERIFY2(!mProgram.isEmpty(), "the configurator is not built");
    mFrctool = builtProgram(QStringLiteral("frctool"));
    QVERIFY2(!mFrctool.isEmpty(), "frctool is not built");
    QVERIFY(mDir.isValid());

    const QString servedPath = mDir.filePath(QStringLiteral("served.frc"));
    const QString validPath = mDir.filePath(QStringLiteral("flashed.frc"));
    const ChildResult made = runChild(mFrctool, {QStringLiteral("new"), ProductId, servedPath},
                                      headlessEnvironment(), 20000);
    QVERIFY2(made.exitedNormally && made.exitStatus == 0, made.standardError.constData());
    // The gateway reports a serial number of its own, which a table of values names.
    const ChildResult serial = runChild(mFrctool, {"set", servedPath, servedPath, SerialPath + "=4711"},
                                        headlessEnvironment(), 20000);
    QVERIFY2(serial.exitedNormally && serial.exitStatus == 0, serial.standardError.constData());
    const ChildResult set = runChild(mFrctool, {QStringLiteral("set"), servedPath, validPath, SsidPath + '=' + FlashedSsid},
                                     headlessEnvironment(), 20000);
    QVERIFY2(set.exitedNormally && set.exitStatus == 0, set.standardError.constData());
    // As a spreadsheet exports it: a byte order mark, CRLF, quotes, commas and UTF-8.
    QVERIFY(writeFile(mDir.filePath("values.csv"),
                      "\xef\xbb\xbfserial," + SsidPath.toUtf8() + "\r\n4712,Line 5\r\n4711,\"Halle 3, Linie \"\"Nord\"\" \xe2\x80\x93 "
                      "\xc3\x9c\"\r\n"));
    QVERIFY(writeFile(mDir.filePath("othervalues.csv"), "serial," + SsidPath.toUtf8() + "\n4712,Line 5\n"));
    mServed = readFile(servedPath);
    mValid = readFile(validPath);
    QVERIFY(!mValid.isEmpty() && mValid != mServed);

    const ChildResult dumped = runChild(mFrctool, {QStringLiteral("dump"), QStringLiteral("--mask"), validPath},
                                        headlessEnvironment(), 20000);
    QVERIFY(writeFile(mDir.filePath(QStringLiteral("masked.txt")), dumped.standardOutput));
    const QString maskedPath = mDir.filePath(QStringLiteral("masked.frc"));
    const ChildResult built = runChild(mFrctool, {QStringLiteral("build"), mDir.filePath(QStringLiteral("masked.txt")),
                                                  maskedPath}, headlessEnvironment(), 20000);
    QVERIFY2(built.exitedNormally && built.exitStatus == 0, built.standardError.constData());
    mMasked = readFile(maskedPath);
    QVERIFY(!mMasked.isEmpty() && mMasked != mValid);
}

// The SSID the simulator stored last, or an empty string when nothing was stored.
QString TestAutoflash::ssidStored()
{
    const QString stored = mDir.filePath(QStringLiteral("stored.frc"));
    if (!QFileInfo::exists(stored))
        return QString();
    const ChildResult got = runChild(mFrctool, {QStringLiteral("get"), stored, SsidPath}, headlessEnvironment(), 20000);
    return QString::fromUtf8(got.standardOutput.trimmed());
}

ChildResult TestAutoflash::runAutoflash(const QString& configurationFile, const QStringList& simulatorOptions,
                                        const QStringList& extraArguments, QByteArray* simulatorLog,
                                        QList<QByteArray>* backups)
{
    QTemporaryDir home;
    SimulatorProcess simulator(mDir.filePath(QStringLiteral("stored.frc")));
    QString error;
    const QStringList served{QStringLiteral("--config"), mDir.filePath(QStringLiteral("served.frc"))};
    if (!simulator.start(served + simulatorOptions, &error)) {
        qWarning() << "The simulator did not start:" << error;
        return ChildResult();
    }
    QProcessEnvironment environment = headlessEnvironment();
    environment.insert(QStringLiteral("TARN_SERIAL_PORTS"), simulator.portPath());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    const QStringList arguments = QStringList{QStringLiteral("--config"), configurationFile,
                                              QStringLiteral("--autoflash")} + extraArguments;
    const ChildResult result = runChild(mProgram, arguments, environment, 60000);
    *simulatorLog = simulator.stop();
    *backups = backupsIn(home.filePath(QStringLiteral("data")));
    return result;
}

void TestAutoflash::autoflash_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("simulatorOptions");
    QTest::addColumn<QStringList>("extraArguments");
    // 0 success, 2 bad file or arguments, 3 no answer, 4 device error,
    // 5 verification failed, 6 no values for this device.
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("deviceContacted");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<int>("maxSeconds");
    // The SSID the gateway stored ("" when it stored nothing) and how many of
    // its configurations were backed up: before the write, and the read-back.
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("backups");

    const QString written = FlashedSsid;
    const QString differs = QStringLiteral("Differs after writing: %1: sent %2, read back ").arg(SsidPath, FlashedSsid);
    QTest::newRow("writes the file") << "valid" << QStringList() << QStringList() << 0 << true << QString() << 10
                                     << written << 2;
    QTest::newRow("stages as JSON lines")
        << "valid" << QStringList() << QStringList{"--json"} << 0 << true << QString() << 10 << written << 2;
    QTest::newRow("stages as JSON lines, gateway keeps its old configuration")
        << "valid" << QStringList{"--keep-old", "all"} << QStringList{"--json"} << 5 << true << differs << 15
        << QString() << 2;
    QTest::newRow("further arguments are ignored")
        << "valid" << QStringList() << QStringList{"--help", "x"} << 0 << true << QString() << 10 << written << 2;
    QTest::newRow("paced like a real line")
        << "valid" << QStringList{"--rate", "11520"} << QStringList() << 0 << true << QString() << 15 << written << 2;
    QTest::newRow("answers split into chunks")
        << "valid" << QStringList{"--chunk", "3"} << QStringList() << 0 << true << QString() << 10 << written << 2;
    QTest::newRow("a leaf set on the command line")
        << "valid" << QStringList() << QStringList{"--set", SsidPath + "=Line 9"} << 0 << true << QString() << 10
        << "\"Line 9\"" << 2;
    QTest::newRow("--set with an unknown path")
        << "valid" << QStringList() << QStringList{"--set", "interface/network/wlan.data.data.sid=x"} << 2 << false
        << "A leaf to set was refused, nothing was sent: interface/network/wlan.data.data.sid: Kel.Pb.Wlan.Config has no field" << 10 << QString() << 0;
    QTest::newRow("--set with a value out of range")
        << "valid" << QStringList() << QStringList{"--set", "interface/network/can.data.data.baudrateBps=-5"} << 2
        << false << "A leaf to set was refused, nothing was sent: " << 10 << QString() << 0;
    QTest::newRow("values of its own serial number")
        << "valid" << QStringList() << QStringList{"--values", "DIR/values.csv"} << 0 << true << QString() << 10
        << "\"Halle 3, Linie \\\"Nord\\\" \u2013 \u00dc\"" << 2;
    QTest::newRow("no values for its serial number")
        << "valid" << QStringList() << QStringList{"--values", "DIR/othervalues.csv"} << 6 << true
        << "The values table has no row for the gateway with serial number 4711; nothing was written" << 10
        << QString() << 1;
    QTest::newRow("write refused")
        << "valid" << QStringList{"--error-on-write"} << QStringList() << 4 << true
        << "The device refused the command" << 15 << QString() << 1;
    QTest::newRow("read before the write refused")
        << "valid" << QStringList{"--error-on-read"} << QStringList() << 4 << true
        << "The device refused the command" << 15 << QString() << 0;
    QTest::newRow("gateway keeps its old configuration")
        << "valid" << QStringList{"--keep-old", "all"} << QStringList() << 5 << true << differs << 15 << QString()
        << 2;
    QTest::newRow("gateway keeps one old setting")
        << "valid" << QStringList{"--keep-old", SsidPath} << QStringList() << 5 << true << differs << 15
        << "\"TARN210 SNnn\"" << 2;
    QTest::newRow("read-back unanswered")
        << "valid" << QStringList{"--silent-after-write"} << QStringList() << 5 << true
        << "The write could not be verified: The device did not answer the read-back in time." << 25 << written << 1;
    QTest::newRow("silent device")
        << "valid" << QStringList{"--silent"} << QStringList() << 3 << true
        << "The device did not answer in time" << 13 << QString() << 0;
    QTest::newRow("hang-up in mid-frame")
        << "valid" << QStringList{"--hang-up-mid-frame"} << QStringList() << 3 << true << QString() << 13
        << QString() << 0;
    QTest::newRow("truncated file")
        << "truncated" << QStringList() << QStringList() << 2 << false << "configuration file" << 10 << QString() << 0;
    QTest::newRow("flipped byte")
        << "flipped byte" << QStringList() << QStringList() << 2 << false << "configuration file" << 10 << QString()
        << 0;
    QTest::newRow("noise") << "noise" << QStringList() << QStringList() << 2 << false << "configuration file"
                           << 10 << QString() << 0;
    QTest::newRow("empty file") << "empty" << QStringList() << QStringList() << 2 << false
                                << "configuration file" << 10 << QString() << 0;
    QTest::newRow("passwords and PINs masked") << "masked" << QStringList() << QStringList() << 2 << false
                                               << "lacks the passwords and PINs" << 10 << QString() << 0;
}

void TestAutoflash::autoflash()
{
    QFETCH(QString, file);
    QFETCH(QStringList, simulatorOptions);
    QFETCH(QStringList, extraArguments);
    QFETCH(int, status);
    QFETCH(bool, deviceContacted);
    const bool succeeds = status == 0;
    QFETCH(QString, reason);
    QFETCH(int, maxSeconds);
    QFETCH(QString, stored);
    QFETCH(int, backups);

    const QString path = mDir.filePath(file + QStringLiteral(".frc"));
    const QByteArray bytes = file == QLatin1String("masked") ? mMasked : spoilt(mValid, file);
    QVERIFY(writeFile(path, bytes));
    QFile::remove(mDir.filePath(QStringLiteral("stored.frc")));

    extraArguments.replaceInStrings(QStringLiteral("DIR/"), mDir.path() + QLatin1Char('/'));
    QByteArray simulatorLog;
    QList<QByteArray> kept;
    const ChildResult result = runAutoflash(path, simulatorOptions, extraArguments, &simulatorLog, &kept);
    QVERIFY(result.started);
    QVERIFY2(result.exitedNormally, result.standardError.constData());
    QVERIFY2(result.wallTimeNs < qint64(maxSeconds) * 1000000000, QByteArray::number(result.wallTimeNs));

    const QList<QByteArray> lines = result.standardError.trimmed().split('\n');
    QCOMPARE(lines.last(), succeeds ? QByteArray("SUCCESS") : QByteArray("ERROR"));
    QCOMPARE(result.exitStatus, status);
    if (!reason.isEmpty())
        QVERIFY2(result.standardError.contains(reason.toUtf8()), result.standardError.constData());

    QCOMPARE(simulatorLog.contains("received"), deviceContacted);
    QCOMPARE(ssidStored(), stored);
    // What the gateway held first is kept before anything is written.
    QCOMPARE(kept.size(), backups);
    if (backups > 0)
        QCOMPARE(kept.first(), mServed);
    if (succeeds)
        QVERIFY(simulatorLog.indexOf("received L") < simulatorLog.indexOf("received S"));
    if (extraArguments.contains(QStringLiteral("--json")))
        checkJsonLines(result, succeeds);
}

// One object per stage, each with the port and the seconds so far; the last
// tells the outcome, and on failure why.
void TestAutoflash::checkJsonLines(const ChildResult& result, bool succeeds)
{
    QStringList stages;
    QJsonObject last;
    for (const QByteArray& line : result.standardOutput.trimmed().split('\n')) {
        QJsonParseError error;
        last = QJsonDocument::fromJson(line, &error).object();
        QVERIFY2(error.error == QJsonParseError::NoError, line.constData());
        QVERIFY2(last.value("port").toString().endsWith("gateway") && last.value("elapsed").toDouble(-1) >= 0, line.constData());
        stages << last.value("stage").toString();
    }
    const QStringList ending = succeeds ? QStringList{"verified", "done"} : QStringList{"done"};
    QCOMPARE(stages, QStringList({"connected", "identified", "backup", "written", "backup"}) + ending);
    QCOMPARE(last.value("outcome").toString(), succeeds ? "success" : "failure");
    QCOMPARE(last.value("exitStatus").toInt(), result.exitStatus);
    QCOMPARE(last.value("reason").toString().startsWith("The gateway does not hold what was written: 1 setting(s) differ"),
             !succeeds);
}

void TestAutoflash::failureAdvice_data()
{
    QTest::addColumn<QString>("condition");
    QTest::addColumn<QStringList>("simulatorOptions");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("advice");

    QTest::newRow("permission denied")
        << "denied" << QStringList() << "Communication error 2: "
        << "This user may not open %1, which belongs to the group \"dialout\". Join the group with the command "
           "sudo usermod -aG dialout $USER and log in again: the membership takes effect at the next login.";
    QTest::newRow("port in use") << "held" << QStringList() << "Communication error 2: "
                                 << "%1 is in use by ferrow-7700-con (process ID %2). Close that program";
    QTest::newRow("port vanishes") << "" << QStringList{"--hang-up-mid-frame"} << "Communication error "
                                   << "The adapter of %1 was unplugged or renamed. The list of ports has been "
                                      "refreshed";
    QTest::newRow("silent gateway") << "" << QStringList{"--silent"} << "The device did not answer in time "
                                    << "No gateway answered on %1. Check that the gateway is powered, that it is "
                                       "connected to this port, and that no other program uses the port.";
}

void TestAutoflash::failureAdvice()
{
    QFETCH(QString, condition);
    QFETCH(QStringList, simulatorOptions);
    QFETCH(QString, reason);
    QFETCH(QString, advice);

    QTemporaryDir home;
    const QString path = mDir.filePath(QStringLiteral("valid.frc"));
    QVERIFY(writeFile(path, mValid));
    SimulatorProcess simulator(mDir.filePath(QStringLiteral("stored.frc")));
    QString error;
    QVERIFY2(simulator.start(condition == QLatin1String("held") ? QStringList{"--silent"} : simulatorOptions, &error),
             qPrintable(error));
    QProcessEnvironment environment = headlessEnvironment();
    environment.insert(QStringLiteral("TARN_SERIAL_PORTS"), simulator.portPath());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    QString program = mProgram;
    QStringList arguments{QStringLiteral("--config"), path, QStringLiteral("--autoflash")};

    QProcess holder;
    if (condition == QLatin1String("held")) {
        // A second instance opens the port first and waits for the silent gateway.
        holder.setProcessEnvironment(environment);
        holder.start(mProgram, arguments);
        QVERIFY(simulator.waitForLog("received", 10000));
        advice = advice.arg(simulator.portPath()).arg(holder.processId());
    } else if (condition == QLatin1String("denied")) {
        // The node gets what a serial adapter's node has: group "dialout", which
        // may read and write it, and the program runs as a user outside it.
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (::geteuid() != 0 || setpriv.isEmpty())
            QSKIP("handing the node to a group and running the program outside it needs root and setpriv");
        const struct group* dialout = ::getgrnam("dialout");
        if (!dialout)
            QSKIP("this system has no group \"dialout\"");
        const QByteArray node = QFile::encodeName(QFileInfo(simulator.portPath()).symLinkTarget());
        QVERIFY(::chown(node.constData(), 0, dialout->gr_gid) == 0 && ::chmod(node.constData(), 0660) == 0);
        arguments = QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", program} + arguments;
        program = setpriv;
        const QFile::Permissions open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
            | QFile::WriteOther | QFile::ExeOther;
        for (const auto& directory : {mDir.path(), home.path(), QFileInfo(simulator.portPath()).path()})
            QVERIFY(QFile::setPermissions(directory, open));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
    }
    if (!advice.contains(QLatin1String("process ID")))
        advice = advice.arg(simulator.portPath());

    const ChildResult result = runChild(program, arguments, environment, 30000);
    holder.kill();
    holder.waitForFinished();
    simulator.stop();
    QVERIFY(result.started && result.exitedNormally);
    // The gateway cannot be reached: "no answer".
    QCOMPARE(result.exitStatus, 3);
    const QList<QByteArray> lines = result.standardError.trimmed().split('\n');
    QCOMPARE(lines.last(), QByteArray("ERROR"));
    const auto reasonLine = std::find_if(lines.cbegin(), lines.cend(), [&reason](const QByteArray& line) {
        return line.startsWith(reason.toUtf8());
    });
    QVERIFY2(reasonLine != lines.cend(), result.standardError.constData());
    QVERIFY2(reasonLine->contains(advice.toUtf8()),
             reasonLine->constData());
}

// A flashing station names the port of each run: that port is used although
// the store names another, and the store is left byte for byte as it was.
void TestAutoflash::portOfItsOwnLeavesSettings()
{
    QTemporaryDir home;
    const QString settingsFile = home.filePath("config/Morvane Power Solutions/Tarn Wireless Configurator.conf");
    QVERIFY(QDir().mkpath(QFileInfo(settingsFile).path()));
    const QByteArray settings = "[comms]\nprovider=Serial\nserial\\port=/dev/ttyUSB7\n";
    QVERIFY(writeFile(settingsFile, settings));
    const QString path = mDir.filePath(QStringLiteral("valid.frc"));
    QVERIFY(writeFile(path, mValid));
    QFile::remove(mDir.filePath(QStringLiteral("stored.frc")));
    SimulatorProcess simulator(mDir.filePath(QStringLiteral("stored.frc")));
    QString error;
    QVERIFY2(simulator.start({}, &error), qPrintable(error));
    QProcessEnvironment environment = headlessEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));

    const ChildResult result = runChild(mProgram, {"--config", path, "--autoflash", "--port", simulator.portPath()},
                                        environment, 30000);

    simulator.stop();
    QVERIFY2(result.exitedNormally && result.exitStatus == 0, result.standardError.constData());
    QCOMPARE(ssidStored(), FlashedSsid);
    QCOMPARE(readFile(settingsFile), settings);
    QCOMPARE(QDir(QFileInfo(settingsFile).path()).entryList(QDir::Files), QStringList{QFileInfo(settingsFile).fileName()});
}

QTEST_GUILESS_MAIN(TestAutoflash)
#include "tst_autoflash.moc"
