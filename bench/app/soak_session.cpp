// Soak of one program process: connect, read, write and disconnect cycles
// through the state machine facade against one gateway simulator process.
// Prints the resident memory at cycles 10, 100 and the last and the open file
// descriptors at start and end; fails on any wrong outcome, on a step without
// outcome after 15 s, on RSS growth of 5 % or more from cycle 100 to the last,
// and on a descriptor left open.
#include "commsHandler.h"
#include "serialProvider.h"
#include "stateMachine.h"
#include "support/simulatorProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <map>

using QKel::Sm::StateMachine;
using TarnTest::SimulatorProcess;

namespace {

constexpr int StepLimitMs = 15000;
constexpr double RssGrowthLimit = 0.05;

long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

int openDescriptors()
{
    return static_cast<int>(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
}

bool waitFor(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > StepLimitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    return true;
}

// Counts of the facade's outcome signals, so each step waits for its own.
struct Outcomes
{
    int connected = 0;
    int read = 0;
    int written = 0;
    int failures = 0;

    explicit Outcomes(StateMachine* facade)
    {
        QObject::connect(facade, &StateMachine::connectSuccessful, [this] { ++connected; });
        QObject::connect(facade, &StateMachine::readFromDeviceSuccessful, [this] { ++read; });
        QObject::connect(facade, &StateMachine::writeToDeviceSuccessful, [this] { ++written; });
        for (auto failure : {&StateMachine::timeout, &StateMachine::deviceError})
            QObject::connect(facade, failure, [this] { ++failures; });
        QObject::connect(facade, &StateMachine::commsError, [this] { ++failures; });
    }
};

int fail(const QString& text)
{
    std::fprintf(stderr, "soak_session: %s\n", qPrintable(text));
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const int cycles = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 1000;

    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
    const QString link = dir.filePath(QStringLiteral("gateway"));
    SimulatorProcess simulator(dir.filePath(QStringLiteral("stored.frc")));
    QString error;
    if (!simulator.start({QStringLiteral("--link"), link}, &error))
        return fail(error);
    qputenv(QKel::Comms::SerialProvider::ExtraPortsVariable, QFile::encodeName(link));
    QKel::Comms::CommsHandler::instance();

    StateMachine facade;
    if (!facade.startAndWait())
        return fail(QStringLiteral("the state machine did not start"));
    Outcomes outcomes(&facade);
    const int descriptorsAtStart = openDescriptors();
    std::map<int, long> rss;
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        const Outcomes before = outcomes;
        const auto step = [&](const char* name, const std::function<void()>& action, const std::function<bool()>& done) {
            action();
            if (waitFor([&] { return done() || outcomes.failures > before.failures; }) && outcomes.failures == before.failures)
                return true;
            std::fprintf(stderr, "soak_session: cycle %d: %s %s\n", cycle, name,
                         outcomes.failures > before.failures ? "failed" : "had no outcome after 15 s");
            return false;
        };
        // The session is connected once it has read the device (in the first
        // cycle the configuration, later only its device information).
        const bool ok = step("connect", [&] { facade.doConnect(); },
                             [&] { return outcomes.connected > before.connected && facade.connected() && !facade.busy(); })
            && step("read", [&] { facade.doReadDeviceConfiguration(); },
                    [&] { return outcomes.read > before.read && !facade.busy(); })
            && step("write", [&] { facade.doWriteDeviceConfiguration(); },
                    [&] { return outcomes.written > before.written && !facade.busy(); })
            && step("disconnect", [&] { facade.doDisconnect(); },
                    [&] { return !facade.connected() && !facade.busy(); });
        // Only this cycle's simulator log is kept, so that the log does not
        // count as the program's memory.
        const QByteArray log = simulator.takeLog();
        if (!ok) {
            std::fprintf(stderr, "simulator log of the cycle:\n%s", log.constData());
            return 1;
        }
        if (cycle == 10 || cycle == 100 || cycle == cycles)
            rss[cycle] = residentKb();
    }
    // The last descriptor the port had may close with the deferred deletion.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const int descriptorsAtEnd = openDescriptors();

    std::printf("cycles                      %d, each connect/read/write/disconnect\n", cycles);
    for (const auto& [cycle, kb] : rss)
        std::printf("RSS at cycle %-5d          %ld KiB\n", cycle, kb);
    std::printf("open descriptors            %d at start, %d at end\n", descriptorsAtStart, descriptorsAtEnd);
    int status = 0;
    if (cycles >= 100 && rss.count(100)) {
        const double growth = double(rss[cycles] - rss[100]) / rss[100];
        std::printf("RSS growth 100 -> %-5d     %.1f %% (limit %.0f %%)\n", cycles, growth * 100, RssGrowthLimit * 100);
        if (growth >= RssGrowthLimit)
            status = fail(QStringLiteral("memory grows"));
    }
    if (descriptorsAtEnd > descriptorsAtStart)
        status = fail(QStringLiteral("descriptors leaked"));
    return status;
}
