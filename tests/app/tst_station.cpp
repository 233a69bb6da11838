#include "support/childProcess.h"
#include "support/simulatorProcess.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

using namespace TarnTest;

namespace {

const QString SsidPath = QStringLiteral("interface/network/wlan.data.data.ssid");

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// One gateway of the batch: its faults, and what the report and its store must show.
struct Gateway
{
    QStringList options;
    QString outcome;
    QString reason;
    QString serialNumber;
    // The SSID it stored, as frctool prints it; empty: nothing stored.
    QString stored;
};

} // namespace

// A batch of gateways on pseudo-terminals, each with a serial number or a
// fault of its own, flashed at once by tarn-station; what each gateway stored
// is decoded with frctool.
class TestStation : public QObject
{
    Q_OBJECT

private slots:
    void batchGivesEachGatewayItsRow();
};

void TestStation::batchGivesEachGatewayItsRow()
{
    const QVector<Gateway> batch{
        {{"--serial", "11"}, "success", "", "11", "\"Unit eleven\""},
        {{"--serial", "12"}, "success", "", "12", "\"Unit, twelve\""},
        {{"--serial", "13"}, "failure", "no row for the gateway with serial number 13", "13", ""},
        {{"--silent"}, "failure", "did not answer in time", "", ""},
        {{"--hang-up-mid-frame"}, "failure", "Communication error", "", ""},
        {{"--serial", "11", "--error-on-write"}, "failure", "The device refused the command", "11", ""},
    };
    const QString station = builtProgram(QStringLiteral("tarn-station"));
    const QString frctool = builtProgram(QStringLiteral("frctool"));
    QVERIFY2(!station.isEmpty() && !frctool.isEmpty(), "tarn-station and frctool must be built");
    QTemporaryDir dir;
    const QString file = dir.filePath("template.frc");
    QCOMPARE(runChild(frctool, {"new", "012001017701", file}, headlessEnvironment(), 20000).exitStatus, 0);
    const QString values = dir.filePath("values.csv");
    QVERIFY(writeFile(values, "serial," + SsidPath.toUtf8() + "\n11,Unit eleven\n12,\"Unit, twelve\"\n"));

    std::vector<std::unique_ptr<SimulatorProcess>> simulators;
    QStringList ports;
    for (int i = 0; i < batch.size(); ++i) {
        simulators.push_back(std::make_unique<SimulatorProcess>(dir.filePath(QStringLiteral("stored%1.frc").arg(i))));
        QString error;
        QVERIFY2(simulators.back()->start(batch[i].options + QStringList{"--link", dir.filePath(QString::number(i))},
                                          &error),
                 qPrintable(error));
        ports << simulators.back()->portPath();
    }
    QProcessEnvironment environment = headlessEnvironment();
    environment.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    environment.insert("XDG_DATA_HOME", dir.filePath("data"));
    const QString report = dir.filePath("report.csv");

    const ChildResult result = runChild(
        station, QStringList{"--config", file, "--values", values, "--report", report} + ports, environment, 60000);

    QVERIFY2(result.exitedNormally, result.standardError.constData());
    QCOMPARE(result.exitStatus, 1);
    // The silent gateway's ten seconds set the pace: the others do not wait for it.
    QVERIFY2(result.wallTimeNs < 20000000000LL, QByteArray::number(result.wallTimeNs));
    QFile reportFile(report);
    QVERIFY(reportFile.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(reportFile.readAll()).trimmed().split('\n');
    QCOMPARE(lines.first(), "port,serial number,identification string,product ID,outcome,reason,seconds,backup path");
    QCOMPARE(lines.size(), batch.size() + 1);
    for (int i = 0; i < batch.size(); ++i) {
        const Gateway& gateway = batch[i];
        const QString& line = lines[i + 1];
        const QString tag = QStringLiteral("gateway %1 (%2): %3").arg(i).arg(gateway.options.join(' '), line);
        QVERIFY2(line.startsWith(ports[i] + ',' + gateway.serialNumber + ','), qPrintable(tag));
        QVERIFY2(line.contains(',' + gateway.outcome + ','), qPrintable(tag));
        QVERIFY2(line.contains(gateway.reason), qPrintable(tag));
        // Only a gateway that was read has a backup of what it held.
        QCOMPARE(line.contains("/backups/012001017701/" + gateway.serialNumber + '/'), !gateway.serialNumber.isEmpty());
        const QString stored = dir.filePath(QStringLiteral("stored%1.frc").arg(i));
        const QString ssid = QFileInfo::exists(stored)
            ? QString::fromUtf8(runChild(frctool, {"get", stored, SsidPath}, headlessEnvironment(), 20000)
                                    .standardOutput.trimmed())
            : QString();
        QVERIFY2(ssid == gateway.stored, qPrintable(tag + " stored " + ssid));
    }
}

QTEST_GUILESS_MAIN(TestStation)
#include "tst_station.moc"
