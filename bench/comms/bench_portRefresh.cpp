// Cost of one look for serial ports (the system's enumeration plus the named
// extra ports) with 0, 1 and 32 extra ports. The connection-settings window
// asks for one every 2 s; it runs in the comms worker thread, and the table
// printed at the end says how much of a 60 Hz frame it would take there.
#include "serialProvider.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>

using QKel::Comms::SerialProvider;

namespace {

constexpr double FrameMs = 1000.0 / 60.0;
QMap<int, double> meanMs;

void refreshPorts(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        paths.append(dir.filePath(QStringLiteral("port%1").arg(i)));
        QFile::link(QStringLiteral("/dev/null"), paths.last());
    }
    qputenv(SerialProvider::ExtraPortsVariable, paths.join(QLatin1Char(':')).toLocal8Bit());
    SerialProvider provider;
    QElapsedTimer timer;
    qint64 totalNs = 0;
    for (auto _ : state) {
        timer.start();
        provider.refresh();
        totalNs += timer.nsecsElapsed();
    }
    meanMs[count] = totalNs / 1e6 / double(state.iterations());
}

BENCHMARK(refreshPorts)->Arg(0)->Arg(1)->Arg(32)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // A refresh may store the port it chooses: never in the user's own store.
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::printf("\n%-14s %12s %16s %18s\n", "extra ports", "refresh ms", "share of frame", "ratio to 0 ports");
    for (auto it = meanMs.cbegin(); it != meanMs.cend(); ++it) {
        std::printf("%-14d %12.3f %15.1f%% %18.2f\n", it.key(), it.value(), 100.0 * it.value() / FrameMs,
                    meanMs.value(0) > 0 ? it.value() / meanMs.value(0) : 0.0);
    }
    return 0;
}
