// Measures, in one run and side by side: an autoflash against the gateway
// simulator paced like a 115200 baud line (wall time and peak memory), the
// bare start-up of the program ("--help"), and how far the autoflash (with its
// read before the write and the read-back after it) stays above start-up plus
// the time its frames need on the wire plus the port's close delay.
#include "median.h"
#include "protocol/bootProtocol.h"
#include "serialProvider.h"
#include "support/childProcess.h"
#include "support/simulatorProcess.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace TarnTest;
using QKel::Comms::Protocol::BootProtocol;
using QKel::Comms::SerialProvider;

namespace {

const QString ProductId = QStringLiteral("012001017701");
const QByteArray Identification = QByteArrayLiteral("TARN210 bench");
constexpr int LineBytesPerSecond = 11520; // 115200 baud, 10 bits per byte
constexpr int ProductIdBytes = 6;

// Every frame of one autoflash, both directions: boot sequence and the
// identification answer, "P" and the product ID, "L" and the configuration the
// gateway held, "S" with the configuration and its acknowledgement, and "L"
// with the read-back. The gateway serves the same configuration before and
// after, so both reads carry as many bytes as the write.
qint64 frameBytes(const QByteArray& configuration)
{
    const qint64 read = BootProtocol::buildReadProtobufCommand().size() + 1 + configuration.size()
        + BootProtocol::FrameOverhead;
    const qint64 sent = BootProtocol::buildBootSequence().size() + BootProtocol::buildReadProductIdCommand().size()
        + BootProtocol::buildWriteProtobufCommand(configuration).size();
    const qint64 answered = (Identification.size() + BootProtocol::FrameOverhead)
        + (1 + ProductIdBytes + BootProtocol::FrameOverhead) + (1 + BootProtocol::FrameOverhead);
    return sent + answered + 2 * read;
}

int fail(const QString& text)
{
    std::fprintf(stderr, "bench_autoflash: %s\n", qPrintable(text));
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 5;

    const QString configurator = builtProgram(QStringLiteral("ferrow-7700-configurator"));
    const QString frctool = builtProgram(QStringLiteral("frctool"));
    if (configurator.isEmpty() || frctool.isEmpty())
        return fail(QStringLiteral("the configurator and frctool must be built beside this program"));

    QTemporaryDir dir;
    const QString configurationPath = dir.filePath(QStringLiteral("bench.frc"));
    const ChildResult made = runChild(frctool, {QStringLiteral("new"), ProductId, configurationPath},
                                      headlessEnvironment(), 20000);
    QFile configurationFile(configurationPath);
    if (made.exitStatus != 0 || !configurationFile.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("frctool could not write a configuration"));
    const QByteArray configuration = configurationFile.readAll();

    std::vector<double> helpSeconds;
    for (int run = 0; run < runs; ++run) {
        const ChildResult help = runChild(configurator, {QStringLiteral("--help")}, headlessEnvironment(), 20000);
        if (help.exitStatus != 0)
            return fail(QStringLiteral("--help failed"));
        helpSeconds.push_back(help.wallTimeNs / 1e9);
    }

    std::vector<double> flashSeconds;
    long peakKb = 0;
    for (int run = 0; run < runs; ++run) {
        QTemporaryDir home;
        SimulatorProcess simulator(dir.filePath(QStringLiteral("stored.frc")));
        QString error;
        const QStringList paced{QStringLiteral("--rate"), QString::number(LineBytesPerSecond), QStringLiteral("--id"),
                                QString::fromLatin1(Identification), QStringLiteral("--config"), configurationPath};
        if (!simulator.start(paced, &error))
            return fail(error);
        QProcessEnvironment environment = headlessEnvironment();
        environment.insert(QStringLiteral("TARN_SERIAL_PORTS"), simulator.portPath());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        const ChildResult flash = runChild(
            configurator, {QStringLiteral("--config"), configurationPath, QStringLiteral("--autoflash")}, environment,
            60000);
        simulator.stop();
        if (flash.exitStatus != 0)
            return fail(QStringLiteral("autoflash failed: ") + QString::fromLocal8Bit(flash.standardError));
        flashSeconds.push_back(flash.wallTimeNs / 1e9);
        peakKb = std::max(peakKb, flash.peakMemoryKb);
    }

    const qint64 wireBytes = frameBytes(configuration);
    const double wireSeconds = double(wireBytes) / LineBytesPerSecond;
    const double help = median(helpSeconds);
    const double flash = median(flashSeconds);
    const double closeSeconds = SerialProvider::CloseDelayMs / 1000.0;
    std::printf("runs                                 %d (medians)\n", runs);
    std::printf("configuration file                   %lld bytes\n", static_cast<long long>(configuration.size()));
    std::printf("autoflash wall time (11520 B/s)      %.3f s\n", flash);
    std::printf("autoflash peak memory                %.1f MiB\n", peakKb / 1024.0);
    std::printf("--help wall time (bare start-up)     %.3f s\n", help);
    std::printf("frames on the wire at 115200 baud    %lld bytes, %.3f s\n", static_cast<long long>(wireBytes),
                wireSeconds);
    std::printf("port close delay                     %.3f s\n", closeSeconds);
    std::printf("autoflash / (start-up + wire + close) %.2f\n", flash / (help + wireSeconds + closeSeconds));
    return 0;
}
