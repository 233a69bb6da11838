// tarn-station: flashes a configuration into many gateways at once, with
// values of their own per serial number, and reports the batch.
#include "station.h"

#include <versionText.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <unistd.h>

namespace {

// The help text, in one place: the manual page is made from it.
const char* const Description =
    "Flashes the configuration FILE into the gateways on every PORT in parallel, one autoflash process of the "
    "configurator per port, so that a fault on one gateway cannot disturb another. Each gateway is read and backed "
    "up before the write, and the write counts only when the gateway reads back what was sent. A terminal shows one "
    "live line per port; otherwise each stage is one line. Ctrl+C stops the batch: ports not yet written are not "
    "written, a write in progress finishes, and the report is still written.\n"
    "\n"
    "The report (--report) has one row per port: port, serial number, identification string, product ID, outcome, "
    "reason, seconds, backup path.\n"
    "\n"
    "Exit status: 0 when every gateway was written and verified, 1 when any failed, 2 for bad arguments or a report "
    "that cannot be written.";

enum ExitStatus { Success = 0, SomeFailed = 1, BadArguments = 2 };

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto ignored = ::write(signalPipe[1], &byte, 1);
}

void interruptOnSignals(QCoreApplication& app, Station& station)
{
    if (::pipe(signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &station, [&station] {
        char byte;
        [[maybe_unused]] const auto ignored = ::read(signalPipe[0], &byte, 1);
        station.interrupt();
    });
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
}

int refuse(const QString& text)
{
    QTextStream(stderr) << "tarn-station: " << text << Qt::endl;
    return BadArguments;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarn-station"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(Description));
    parser.addHelpOption();
    parser.addOptions({
        {"config", "The configuration file to flash.", "FILE"},
        {"values", "Values per gateway: a CSV table whose header names \"serial\" and then leaf paths.", "CSV"},
        {"set", "Set a leaf of the file before writing (repeatable), as frctool set does.", "PATH=VALUE"},
        {"report", "Write the batch's report to this CSV file.", "OUT.csv"},
        {"version", "Print the program's name and version."},
    });
    parser.addPositionalArgument("PORT", "The serial ports of the gateways.", "PORT...");
    parser.process(app);
    if (parser.isSet("version")) {
        Tarn::Identity::printVersion(QStringLiteral("tarn-station"));
        return Success;
    }

    // A path is made absolute; a bare name ("ttyUSB0") is the system's port of that name.
    QStringList ports;
    for (const QString& port : parser.positionalArguments())
        ports << (port.contains(QLatin1Char('/')) ? QFileInfo(port).absoluteFilePath() : port);
    if (!parser.isSet("config"))
        return refuse(QStringLiteral("--config FILE is needed"));
    if (ports.isEmpty())
        return refuse(QStringLiteral("name at least one PORT"));
    if (ports.removeDuplicates() > 0)
        return refuse(QStringLiteral("a port is named twice"));
    const QString configurator = QDir(QCoreApplication::applicationDirPath()).filePath("ferrow-7700-configurator");
    if (!QFileInfo(configurator).isExecutable())
        return refuse(QStringLiteral("the configurator is not beside this program: %1").arg(configurator));

    QStringList arguments;
    if (parser.isSet("values"))
        arguments << "--values" << QFileInfo(parser.value("values")).absoluteFilePath();
    for (const QString& assignment : parser.values("set"))
        arguments << "--set" << assignment;

    Station station(configurator, QFileInfo(parser.value("config")).absoluteFilePath(), arguments, ports,
                    ::isatty(STDOUT_FILENO) == 1);
    interruptOnSignals(app, station);
    QObject::connect(&station, &Station::finished, &app, &QCoreApplication::quit);
    station.start();
    app.exec();

    if (parser.isSet("report")) {
        QString errorText;
        if (!station.writeReport(parser.value("report"), &errorText))
            return refuse(QStringLiteral("the report cannot be written to %1: %2").arg(parser.value("report"), errorText));
    }
    return station.allSucceeded() ? Success : SomeFailed;
}
