// GUI cold start, side by side in one run: from process start to the first
// frame of the main window on the X display (run under xvfb-run), for the
// program and for a bare Qt Quick Controls 1 ApplicationWindow started the
// same way. The first frame is the scene graph's own "Frame rendered" line,
// printed once the frame is swapped to the screen; the peak resident set is
// read at that moment.
#include "median.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int DefaultRuns = 7;
constexpr int FrameTimeoutMs = 60000;

struct Start
{
    bool framed = false;
    double ms = 0;
    long peakKb = 0;
};

long peakResidentKb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return 0;
}

Start measure(const QString& program, const QString& configHome)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("qt.scenegraph.time.renderloop=true"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    // A fresh cache for every start: the engine finds no QML it compiled
    // at an earlier start, as after installing the program.
    QTemporaryDir cacheHome;
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), cacheHome.path());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    // The frame line comes on standard error; waiting on the default channel
    // (standard output) would only wake at each timeout, in 50 ms steps.
    process.setReadChannel(QProcess::StandardError);
    Start start;
    QByteArray errors;
    QElapsedTimer clock;
    clock.start();
    process.start(program, QStringList());
    while (clock.elapsed() < FrameTimeoutMs && process.state() != QProcess::NotRunning) {
        process.waitForReadyRead(50);
        errors += process.readAllStandardError();
        if (errors.contains("Frame rendered")) {
            start.ms = clock.nsecsElapsed() / 1e6;
            start.peakKb = peakResidentKb(process.processId());
            start.framed = true;
            break;
        }
    }
    process.kill();
    process.waitForFinished();
    if (!start.framed)
        std::fprintf(stderr, "%s showed no frame:\n%s\n", qPrintable(program), errors.constData());
    return start;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fputs("Needs an X display: xvfb-run -a -s \"-screen 0 1280x900x24\" bench_coldstart [runs [program [reference]]]\n", stderr);
        return 1;
    }
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : DefaultRuns;
    const QDir bin(QCoreApplication::applicationDirPath());
    // Two other programs may be named, e.g. two builds of the configurator.
    const QString programs[2] = {argc > 2 ? QString::fromLocal8Bit(argv[2])
                                          : bin.filePath(QStringLiteral("ferrow-7700-configurator")),
                                 argc > 3 ? QString::fromLocal8Bit(argv[3])
                                          : bin.filePath(QStringLiteral("bench_minimalwindow"))};
    QTemporaryDir configHome;
    std::vector<double> ms[2];
    long peakKb[2] = {0, 0};
    for (int run = 0; run < runs; ++run) {
        // Alternating the order keeps a warming disk cache from favouring one.
        for (int k = 0; k < 2; ++k) {
            const int which = (run + k) % 2;
            const Start start = measure(programs[which], configHome.path());
            if (!start.framed)
                return 1;
            ms[which].push_back(start.ms);
            peakKb[which] = std::max(peakKb[which], start.peakKb);
        }
    }
    const double program = median(ms[0]);
    const double minimal = median(ms[1]);
    std::printf("cold start to first frame, median of %d runs\n", runs);
    std::printf("  configurator               %8.1f ms   peak RSS %6.1f MiB\n", program, peakKb[0] / 1024.0);
    std::printf("  minimal ApplicationWindow  %8.1f ms   peak RSS %6.1f MiB\n", minimal, peakKb[1] / 1024.0);
    std::printf("  ratio (target <= 1.3)      %8.2f\n", program / minimal);
    return 0;
}
