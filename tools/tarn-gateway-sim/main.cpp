// tarn-gateway-sim: a TARN210 gateway in configuration mode on a pseudo-terminal.
#include "configurationStore.h"
#include "gatewaySimulator.h"
#include "versionText.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <unistd.h>

using namespace Tarn::Sim;

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto ignored = ::write(signalPipe[1], &byte, 1);
}

// Ends the event loop on SIGINT and SIGTERM, so the symbolic link is removed.
void quitOnSignals(QCoreApplication& app)
{
    if (::pipe(signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
}

int fail(const QString& text)
{
    QTextStream(stderr) << "tarn-gateway-sim: " << text << Qt::endl;
    return 2;
}

struct Parsed
{
    SimulatorOptions options;
    QString error;
};

int nonNegative(const QCommandLineParser& parser, const QString& name, QString* error)
{
    if (!parser.isSet(name))
        return 0;
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < 0)
        *error = QStringLiteral("--%1 needs a whole number of at least 0, not \"%2\"").arg(name, parser.value(name));
    return ok ? value : 0;
}

Parsed options(const QCommandLineParser& parser)
{
    Parsed parsed;
    SimulatorOptions& o = parsed.options;
    if (parser.isSet("id"))
        o.identification = parser.value("id").toUtf8();
    if (parser.isSet("product-id")) {
        const QString hex = parser.value("product-id");
        o.productId = QByteArray::fromHex(hex.toLatin1());
        if (hex.size() % 2 != 0 || o.productId.size() * 2 != hex.size() || o.productId.isEmpty())
            parsed.error = QStringLiteral("--product-id needs an even number of hexadecimal digits, not \"%1\"").arg(hex);
    }
    if (o.identification.isEmpty())
        parsed.error = QStringLiteral("--id needs a non-empty text");
    if (parser.isSet("serial")) {
        bool ok = false;
        o.serialNumber = parser.value("serial").toUInt(&ok);
        if (!ok || o.serialNumber == 0)
            parsed.error = QStringLiteral("--serial needs a whole number from 1 to 4294967295, not \"%1\"")
                               .arg(parser.value("serial"));
        else if (parser.isSet("config"))
            parsed.error = QStringLiteral("--serial is for the built-in configuration; a --config file carries its own");
    }
    o.silent = parser.isSet("silent");
    o.silentAfterId = parser.isSet("silent-after-id");
    o.oddAnswers = parser.isSet("odd-answers");
    o.errorOnRead = parser.isSet("error-on-read");
    o.errorOnWrite = parser.isSet("error-on-write");
    o.silentAfterWrite = parser.isSet("silent-after-write");
    o.keepOld = parser.value("keep-old");
    o.doubleIdentification = parser.isSet("double-id");
    o.badChecksum = parser.isSet("bad-checksum");
    o.hangUpMidFrame = parser.isSet("hang-up-mid-frame");
    o.delayMs = nonNegative(parser, "delay", &parsed.error);
    o.chunkSize = nonNegative(parser, "chunk", &parsed.error);
    o.bytesPerSecond = nonNegative(parser, "rate", &parsed.error);
    o.garbageBytes = nonNegative(parser, "garbage", &parsed.error);
    return parsed;
}

void addOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        "Simulates a TARN210 gateway in configuration mode on a pseudo-terminal and prints the terminal's path.");
    parser.addHelpOption();
    parser.addOption({"version", "Print the program's name and version."});
    parser.addOptions({
        {"link", "Make a symbolic link to the terminal at <path>.", "path"},
        {"config", "Serve the bytes of <file> as the configuration.", "file"},
        {"store", "Store written configurations to <file>.", "file"},
        {"id", "Identification string (default \"TARN210 gateway simulator\").", "text"},
        {"product-id", "Product ID bytes in hexadecimal (default 012001017701).", "hex"},
        {"serial", "Serial number in the device information (default 210042).", "number"},
        {"silent", "Never answer."},
        {"silent-after-id", "Answer the boot sequence, then nothing."},
        {"odd-answers", "Answer configuration reads and writes with \"X\", which no command uses."},
        {"error-on-read", "Answer \"E\" to a configuration read."},
        {"error-on-write", "Answer \"E\" to a configuration write."},
        {"keep-old", "Acknowledge writes but keep the old configuration: \"all\" of it, or the leaf at <what> (a path "
                     "as frctool names it).", "what"},
        {"silent-after-write", "Acknowledge a configuration write, then never answer again."},
        {"delay", "Wait <ms> before each answer.", "ms"},
        {"chunk", "Write answers in chunks of <bytes>.", "bytes"},
        {"double-id", "Send the identification string twice."},
        {"bad-checksum", "Corrupt the checksum of every answer."},
        {"garbage", "Write <bytes> of noise shortly before each answer.", "bytes"},
        {"hang-up-mid-frame", "Stop halfway through the first answer and hang up."},
        {"rate", "Pace the line both ways to <bytes> per second (11520 is 115200 baud).", "bytes"},
    });
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("tarn-gateway-sim");
    QCommandLineParser parser;
    addOptions(parser);
    parser.process(app);
    if (parser.isSet("version")) {
        Tarn::Identity::printVersion(QCoreApplication::applicationName());
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first()));
    const Parsed parsed = options(parser);
    if (!parsed.error.isEmpty())
        return fail(parsed.error);

    QString error;
    ConfigurationStore store;
    if (!store.load(parser.value("config"), parser.value("store"), parsed.options.productId,
                    parsed.options.serialNumber, &error)
        || !store.keepOldOnWrite(parsed.options.keepOld, &error))
        return fail(error);
    GatewaySimulator simulator(parsed.options, &store);
    if (!simulator.start(&error))
        return fail(error);

    const QString link = parser.value("link");
    if (!link.isEmpty()) {
        // Only a stale link of an earlier run is replaced, never a real file.
        const QFileInfo existing(link);
        if (existing.isSymLink())
            QFile::remove(link);
        else if (existing.exists())
            return fail(QStringLiteral("%1 exists and is not a symbolic link; leaving it alone").arg(link));
        if (!QFile::link(simulator.portPath(), link))
            return fail(QStringLiteral("cannot make the link %1").arg(link));
    }
    QTextStream(stdout) << simulator.portPath() << Qt::endl;

    quitOnSignals(app);
    // The link goes before the terminal: once closed, the terminal's number is
    // free for the next pseudo-terminal opened on this machine, and a
    // configurator reopening the link must find nothing rather than that one.
    // Only a link that still leads to this terminal is ours to remove.
    const auto removeLink = [&link, &simulator] {
        if (!link.isEmpty() && QFileInfo(link).symLinkTarget() == simulator.portPath())
            QFile::remove(link);
    };
    QObject::connect(&simulator, &GatewaySimulator::hangingUp, removeLink);
    QObject::connect(&simulator, &GatewaySimulator::hungUp, &app, &QCoreApplication::quit);
    const int status = app.exec();
    removeLink();
    return status;
}
