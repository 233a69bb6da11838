// Measures, in one run and side by side: one autoflash against a simulator
// paced like a 115200 baud line, and tarn-station flashing 16 such simulators
// at once; the ratio of the batch's wall time to the single run's, and the
// peak of the memory all flashing processes held together (sampled from /proc).
#include "median.h"
#include "support/childProcess.h"
#include "support/simulatorProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <memory>
#include <vector>

using namespace TarnTest;

namespace {

constexpr int Gateways = 16;
constexpr int LineBytesPerSecond = 11520; // 115200 baud, 10 bits per byte

int fail(const QString& text)
{
    std::fprintf(stderr, "bench_station: %s\n", qPrintable(text));
    return 1;
}

// Resident memory of every station and configurator process now, in KiB.
long flashingMemoryKb()
{
    long total = 0;
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
        if (!comm.open(QIODevice::ReadOnly))
            continue;
        const QByteArray name = comm.readAll().trimmed();
        if (name != "tarn-station" && !name.startsWith("ferrow-7700-con"))
            continue;
        QFile status(QStringLiteral("/proc/%1/status").arg(pid));
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                total += line.mid(6).trimmed().split(' ').first().toLong();
        }
    }
    return total;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 3;
    const QString configurator = builtProgram(QStringLiteral("ferrow-7700-configurator"));
    const QString station = builtProgram(QStringLiteral("tarn-station"));
    const QString frctool = builtProgram(QStringLiteral("frctool"));
    if (configurator.isEmpty() || station.isEmpty() || frctool.isEmpty())
        return fail(QStringLiteral("the configurator, tarn-station and frctool must be built beside this program"));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("template.frc"));
    if (runChild(frctool, {QStringLiteral("new"), QStringLiteral("012001017701"), file}, headlessEnvironment(), 20000)
            .exitStatus != 0)
        return fail(QStringLiteral("frctool could not write a configuration"));
    const QStringList paced{QStringLiteral("--rate"), QString::number(LineBytesPerSecond)};
    QProcessEnvironment environment = headlessEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));

    std::vector<double> singleSeconds;
    std::vector<double> batchSeconds;
    long peakKb = 0;
    for (int run = 0; run < runs; ++run) {
        SimulatorProcess single(dir.filePath(QStringLiteral("single.frc")));
        QString error;
        if (!single.start(paced, &error))
            return fail(error);
        const ChildResult flash = runChild(configurator, {"--config", file, "--autoflash", "--port", single.portPath()},
                                           environment, 60000);
        if (flash.exitStatus != 0)
            return fail(QStringLiteral("autoflash failed: ") + QString::fromLocal8Bit(flash.standardError));
        singleSeconds.push_back(flash.wallTimeNs / 1e9);

        std::vector<std::unique_ptr<SimulatorProcess>> simulators;
        QStringList ports;
        for (int i = 0; i < Gateways; ++i) {
            simulators.push_back(std::make_unique<SimulatorProcess>(dir.filePath(QStringLiteral("s%1.frc").arg(i))));
            if (!simulators.back()->start(paced + QStringList{"--serial", QString::number(1000 + i)}, &error))
                return fail(error);
            ports << simulators.back()->portPath();
        }
        QProcess batch;
        batch.setProcessEnvironment(environment);
        batch.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer clock;
        clock.start();
        batch.start(station, QStringList{"--config", file} + ports);
        while (!batch.waitForFinished(10)) {
            peakKb = std::max(peakKb, flashingMemoryKb());
            if (batch.state() == QProcess::NotRunning)
                break;
        }
        batchSeconds.push_back(clock.nsecsElapsed() / 1e9);
        if (batch.exitCode() != 0)
            return fail(QStringLiteral("the batch failed"));
    }
    const double single = median(singleSeconds);
    const double batch = median(batchSeconds);
    std::printf("runs                                   %d (medians)\n", runs);
    std::printf("one autoflash (11520 B/s)              %.3f s\n", single);
    std::printf("tarn-station, %d gateways (11520 B/s)  %.3f s\n", Gateways, batch);
    std::printf("batch / one gateway                    %.2f (goal: at most 3)\n", batch / single);
    std::printf("peak memory of all flashing processes  %.1f MiB\n", peakKb / 1024.0);
    return 0;
}
