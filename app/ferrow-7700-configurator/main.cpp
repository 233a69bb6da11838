#include "autoflashReport.h"
#include "deviceValues.h"
#include "qmlSetup.h"
#include "serialProvider.h"
#include "stateMachine.h"
#include "utilities.h"
#include "tarnIdentity.h"
#include "versionText.h"

#include <QApplication>
#include <QDebug>
#include <QFileInfo>
#include <QIcon>
#include <QQmlApplicationEngine>
#include <QUrl>

#include <cstdio>
#include <memory>
#include <optional>

namespace {

const char* const ConfigOption = "--config";
const char* const AutoflashOption = "--autoflash";
const char* const HelpOption = "--help";
const char* const VersionOption = "--version";
const char* const PortOption = "--port";
const char* const SetOption = "--set";
const char* const ValuesOption = "--values";
const char* const JsonOption = "--json";
const QString WindowIcon = QStringLiteral(":/qt-project.org/imports/kelbus/kit/icons/icon.ico");

struct StartupOptions
{
    QString configurationPath;
    bool autoflash = false;
    // The port of this autoflash run; empty: the one the settings store names.
    QString port;
    // Leaves of the file to change before it is written: "PATH=VALUE".
    QStringList assignments;
    // The table of values by serial number; empty: none.
    QString valuesPath;
    // The stages as JSON lines on standard output.
    bool json = false;
};

bool configurationFileExists(const QString& path)
{
    return QFileInfo(path).isFile();
}

// Only a plain start or "--config <existing file>" opens a window. Everything
// else (help, a bad command line, a missing file, autoflash) must also work
// where there is no display at all, so it gets an application object that
// needs none.
bool opensWindow(int argc, char* argv[])
{
    if (argc == 1)
        return true;
    return argc == 3 && qstrcmp(argv[1], ConfigOption) == 0
        && configurationFileExists(QFile::decodeName(argv[2]));
}

std::unique_ptr<QCoreApplication> createApplication(int& argc, char* argv[])
{
    if (opensWindow(argc, argv))
        return std::make_unique<QApplication>(argc, argv);
    return std::make_unique<QCoreApplication>(argc, argv);
}

// What "--help" adds below the usage line, in one place (the manual page is
// made from it).
const char* const AutoflashHelp =
    "\n"
    "With --autoflash the file is written to the gateway without a window: the gateway's configuration is read and\n"
    "backed up first, and the write counts only when the gateway reads back what was sent. The outcome is the last\n"
    "line on standard error, \"SUCCESS\" or \"ERROR\". Options after --autoflash:\n"
    "  --port PORT         use this port for this run only; the settings store is neither read for it nor written\n"
    "  --set PATH=VALUE    set a leaf of the file before writing, as frctool set does (repeatable)\n"
    "  --values FILE.csv   values per gateway: a header naming \"serial\" and then leaf paths, one row per serial\n"
    "                      number; a gateway without a row is not written\n"
    "  --json              one JSON object per line on standard output for each stage, the outcome last\n"
    "Exit status of an autoflash: 0 success, 1 other failure, 2 bad arguments or files, 3 no answer from the\n"
    "gateway, 4 device error, 5 verification failed, 6 no values for this device.\n";

void printUsage(const QStringList& arguments, bool help = false)
{
    const QString usage = QStringLiteral("Usage: ") + arguments.first()
        + QStringLiteral(" [--config filePath [--autoflash]]\n") + (help ? QString::fromUtf8(AutoflashHelp) : QString());
    std::fputs(usage.toUtf8().constData(), stdout);
    std::fflush(stdout);
}

// The options of an autoflash run, after "--autoflash". Arguments this version
// does not know are ignored, as they always were; an option without its value
// is refused.
bool parseAutoflashOptions(const QStringList& rest, StartupOptions& options)
{
    for (int i = 0; i < rest.size(); ++i) {
        const QString& option = rest.at(i);
        options.json = options.json || option == QLatin1String(JsonOption);
        if (option != QLatin1String(PortOption) && option != QLatin1String(SetOption)
            && option != QLatin1String(ValuesOption))
            continue;
        if (i + 1 >= rest.size() || rest.at(i + 1).isEmpty())
            return false;
        const QString value = rest.at(++i);
        if (option == QLatin1String(PortOption))
            options.port = value;
        else if (option == QLatin1String(ValuesOption))
            options.valuesPath = value;
        else
            options.assignments << value;
    }
    return true;
}

// Returns the exit status when the command line ends the program at once; the
// path is tested for existence before any later argument is looked at.
std::optional<int> parseCommandLine(const QStringList& arguments, StartupOptions& options)
{
    if (arguments.size() <= 1)
        return std::nullopt;
    // Like "--help", "--version" decides as the first argument, whatever follows.
    if (arguments.at(1) == QLatin1String(VersionOption)) {
        Tarn::Identity::printVersion(QFileInfo(arguments.first()).fileName());
        return 0;
    }
    if (arguments.size() == 2 || arguments.at(1) != QLatin1String(ConfigOption)) {
        const bool help = arguments.at(1) == QLatin1String(HelpOption);
        printUsage(arguments, help);
        return help ? 0 : -1;
    }
    options.configurationPath = arguments.at(2);
    // A script running an autoflash tells its bad arguments and files by the
    // status it documents for them.
    const bool autoflash = arguments.size() > 3 && arguments.at(3) == QLatin1String(AutoflashOption);
    if (!configurationFileExists(options.configurationPath)) {
        qCritical().noquote() << QStringLiteral("Cannot load configuration file: %1").arg(options.configurationPath);
        return autoflash ? AutoflashReport::BadArgumentsOrFiles : EXIT_FAILURE;
    }
    if (arguments.size() > 3) {
        if (!autoflash) {
            printUsage(arguments);
            return -1;
        }
        options.autoflash = true;
        if (!parseAutoflashOptions(arguments.mid(4), options)) {
            printUsage(arguments);
            return AutoflashReport::BadArgumentsOrFiles;
        }
    }
    return std::nullopt;
}

void startGui(QQmlApplicationEngine& engine)
{
    QApplication::setWindowIcon(QIcon(WindowIcon));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(Tarn::Identity::DesktopFileName));
    QKel::Gui::publishContext(engine.rootContext());
    QKel::Gui::registerQmlTypes();
    engine.load(QUrl(QStringLiteral("qrc:///qml/main.qml")));
}


} // namespace

int main(int argc, char* argv[])
{
    const std::unique_ptr<QCoreApplication> application = createApplication(argc, argv);
    QKel::Gui::setApplicationIdentity();

    StartupOptions options;
    if (const std::optional<int> status = parseCommandLine(QCoreApplication::arguments(), options))
        return *status;
    auto* stateMachine = QKel::Sm::StateMachine::instance();
    if (!options.configurationPath.isEmpty())
        stateMachine->setStartupOptions(QUrl::fromLocalFile(options.configurationPath).toString(), options.autoflash);
    std::unique_ptr<AutoflashReport> report;
    if (options.autoflash) {
        report = std::make_unique<AutoflashReport>(stateMachine, options.json, options.port);
        stateMachine->setStartupAssignments(options.assignments);
        if (!options.valuesPath.isEmpty()) {
            QKel::Sm::DeviceValues values;
            QString errorText;
            if (!values.load(options.valuesPath, &errorText)) {
                report->problem(QStringLiteral("The values table cannot be used: %1").arg(errorText),
                                AutoflashReport::BadArgumentsOrFiles);
                const int status = report->finish(EXIT_FAILURE);
                std::fputs("ERROR\n", stderr);
                return status;
            }
            stateMachine->setStartupValues(values);
        }
    }
    if (!options.port.isEmpty())
        QKel::Comms::SerialProvider::fixPortForThisRun(options.port);

    auto engine = std::make_unique<QQmlApplicationEngine>();
    if (!options.autoflash)
        startGui(*engine);
    QKel::Pb::Utilities::registerMetaTypes();

    stateMachine->start(QThread::InheritPriority);
    int status = QCoreApplication::exec();
    if (report)
        status = report->finish(status);
    engine.reset();
    return status;
}
