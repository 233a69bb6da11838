#include "autoflashJsonLines.h"
#include "deviceValues.h"
#include "qmlSetup.h"
#include "commsHandler.h"
#include "serialProvider.h"
#include "stateMachine.h"
#include "utilities.h"
#include "tarnIdentity.h"
#include "versionText.h"

#include <QApplication>
#include <QVariantMap>
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

// How an autoflash run ended, as its exit status tells a script.
enum AutoflashStatus {
    Succeeded = 0,
    OtherFailure = 1,
    BadArgumentsOrFiles = 2,
    NoAnswer = 3,
    DeviceError = 4,
    VerificationFailed = 5,
    NoValuesForDevice = 6,
};

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
        return autoflash ? BadArgumentsOrFiles : EXIT_FAILURE;
    }
    if (arguments.size() > 3) {
        if (!autoflash) {
            printUsage(arguments);
            return -1;
        }
        options.autoflash = true;
        if (!parseAutoflashOptions(arguments.mid(4), options)) {
            printUsage(arguments);
            return BadArgumentsOrFiles;
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


// The failure named last, for the exit status and the closing JSON line.
QString lastAutoflashProblem;
QString lastAutoflashAdvice;
AutoflashStatus lastAutoflashStatus = OtherFailure;

// Standard error gets the reason and what to do; the closing JSON line keeps them apart.
void reportAutoflashProblem(const QString& reason, AutoflashStatus status = OtherFailure, const QString& advice = {})
{
    lastAutoflashProblem = reason;
    lastAutoflashAdvice = advice;
    lastAutoflashStatus = status;
    const QString stop = reason.endsWith(QLatin1Char('.')) ? QStringLiteral(" ") : QStringLiteral(". ");
    const QString line = advice.isEmpty() ? reason : reason + stop + advice;
    std::fputs(line.toUtf8().append('\n').constData(), stderr);
    std::fflush(stderr);
}

// What to do after a failure the session gave no advice of its own for.
QString adviceFor(int status)
{
    switch (status) {
    case Succeeded:
        return {};
    case BadArgumentsOrFiles:
        return QStringLiteral("Correct the command line, the configuration file or the values table, then run again.");
    case NoAnswer:
        return QStringLiteral("Check that the gateway is switched on, in configuration mode and connected to this port, "
                              "then run again.");
    case DeviceError:
        return QStringLiteral("Switch the gateway off and on again and run again; if it refuses again, the gateway needs "
                              "servicing.");
    case VerificationFailed:
        return QStringLiteral("The gateway may not hold a usable configuration: run again; if it differs again, take the "
                              "gateway out of service. What it held before is in the backup.");
    case NoValuesForDevice:
        return QStringLiteral("Add a row for this serial number to the values table, then run again.");
    default:
        return QStringLiteral("Read the lines on standard error, then run again.");
    }
}

// Without a window nobody would learn why an autoflash ended with "ERROR", so
// each failure the session announces is named on standard error first.
void reportAutoflashProblems(QKel::Sm::StateMachine* stateMachine)
{
    using QKel::Sm::StateMachine;
    const auto report = [stateMachine](auto signal, const QString& reason, AutoflashStatus status) {
        QObject::connect(stateMachine, signal, stateMachine, [reason, status] { reportAutoflashProblem(reason, status); });
    };
    report(&StateMachine::configurationVersionObsolete, QStringLiteral("The configuration file's version is obsolete"),
           BadArgumentsOrFiles);
    report(&StateMachine::configurationVersionMismatch,
           QStringLiteral("The configuration file's version does not match this program"), BadArgumentsOrFiles);
    report(&StateMachine::configurationChecksumError, QStringLiteral("The configuration file's checksum is wrong"),
           BadArgumentsOrFiles);
    report(&StateMachine::configurationParseError, QStringLiteral("The configuration file cannot be parsed"),
           BadArgumentsOrFiles);
    report(&StateMachine::configurationRejectedWhileBusy,
           QStringLiteral("The configuration was not taken over while the session was busy"), OtherFailure);
    report(&StateMachine::deviceError, QStringLiteral("The device refused the command"), DeviceError);
    QObject::connect(stateMachine, &StateMachine::timeout, stateMachine, [stateMachine] {
        reportAutoflashProblem(QStringLiteral("The device did not answer in time"), NoAnswer, stateMachine->failureAdvice());
    });
    QObject::connect(stateMachine, &StateMachine::configurationUnsupported, stateMachine,
                     [](const QString& productId) {
                         reportAutoflashProblem(
                             QStringLiteral("No driver supports the configuration's product ID %1").arg(productId),
                             BadArgumentsOrFiles);
                     });
    QObject::connect(stateMachine, &StateMachine::deviceUnsupported, stateMachine,
                     [](const QString&, const QString& productId) {
                         reportAutoflashProblem(
                             QStringLiteral("No driver supports the connected device's product ID %1").arg(productId),
                             DeviceError);
                     });
    QObject::connect(stateMachine, &StateMachine::writeRefusedSecretsRemoved, stateMachine,
                     [](const QStringList& leafPaths) {
                         reportAutoflashProblem(
                             QStringLiteral("The configuration lacks the passwords and PINs a support archive removed "
                                            "(%1); set them again before writing it to a gateway")
                                 .arg(leafPaths.join(QStringLiteral(", "))),
                             BadArgumentsOrFiles);
                     });
    // One line per leaf the gateway does not hold as sent.
    QObject::connect(stateMachine, &StateMachine::writeVerificationFailed, stateMachine,
                     [](const QVariantList& differences) {
                         QString first;
                         for (const QVariant& row : differences) {
                             const QVariantMap leaf = row.toMap();
                             reportAutoflashProblem(QStringLiteral("Differs after writing: %1: sent %2, read back %3")
                                                        .arg(leaf.value(QStringLiteral("path")).toString(),
                                                             leaf.value(QStringLiteral("editorValue")).toString(),
                                                             leaf.value(QStringLiteral("deviceValue")).toString()),
                                                    VerificationFailed);
                             first = first.isEmpty() ? leaf.value(QStringLiteral("path")).toString() : first;
                         }
                         lastAutoflashProblem =
                             QStringLiteral("The gateway does not hold what was written: %1 setting(s) differ, the first %2")
                                 .arg(differences.size())
                                 .arg(first);
                     });
    QObject::connect(stateMachine, &StateMachine::writeUnverified, stateMachine, [stateMachine](const QString& reason) {
        reportAutoflashProblem(QStringLiteral("The write could not be verified: %1").arg(reason), VerificationFailed,
                               stateMachine->failureAdvice());
    });
    QObject::connect(stateMachine, &StateMachine::backupFailed, stateMachine,
                     [](const QString& folder, const QString& errorText) {
                         reportAutoflashProblem(QStringLiteral("The device's configuration could not be backed up in %1: %2")
                                                    .arg(folder, errorText));
                     });
    QObject::connect(stateMachine, &StateMachine::noValuesForDevice, stateMachine, [](quint32 serialNumber) {
        reportAutoflashProblem(
            QStringLiteral("The values table has no row for the gateway with serial number %1; nothing was written")
                .arg(serialNumber),
            NoValuesForDevice);
    });
    QObject::connect(stateMachine, &StateMachine::startupAssignmentsRefused, stateMachine, [](const QString& error) {
        reportAutoflashProblem(QStringLiteral("A leaf to set was refused, nothing was sent: %1").arg(error),
                               BadArgumentsOrFiles);
    });
    QObject::connect(stateMachine, &StateMachine::commsError, stateMachine,
                     [stateMachine](quint16 errorCode, const QString& errorText) {
                         reportAutoflashProblem(QStringLiteral("Communication error %1: %2").arg(errorCode).arg(errorText),
                                                NoAnswer, stateMachine->failureAdvice());
                     });
}

// The stages of the run as the session reports them.
void reportStages(QKel::Sm::StateMachine* stateMachine, AutoflashJsonLines* lines)
{
    using QKel::Sm::StateMachine;
    QObject::connect(stateMachine, &StateMachine::connectSuccessful, stateMachine, [lines] {
        lines->setPort(QKel::Comms::CommsHandler::instance()->portName());
        lines->stage(QStringLiteral("connected"));
    });
    QObject::connect(stateMachine, &StateMachine::deviceIdentified, stateMachine,
                     [lines](quint32 serialNumber, const QString& productId, const QString& identification) {
                         lines->stage(QStringLiteral("identified"),
                                      {{QStringLiteral("serialNumber"), qint64(serialNumber)},
                                       {QStringLiteral("productId"), productId},
                                       {QStringLiteral("identification"), identification}});
                     });
    QObject::connect(stateMachine, &StateMachine::backupWritten, stateMachine, [lines](const QString& path) {
        lines->stage(QStringLiteral("backup"), {{QStringLiteral("path"), path}});
    });
    QObject::connect(stateMachine, &StateMachine::writeAcknowledged, stateMachine,
                     [lines] { lines->stage(QStringLiteral("written")); });
    QObject::connect(stateMachine, &StateMachine::writeToDeviceSuccessful, stateMachine,
                     [lines] { lines->stage(QStringLiteral("verified")); });
}

} // namespace

int main(int argc, char* argv[])
{
    const std::unique_ptr<QCoreApplication> application = createApplication(argc, argv);
    QKel::Gui::setApplicationIdentity();

    StartupOptions options;
    if (const std::optional<int> status = parseCommandLine(QCoreApplication::arguments(), options))
        return *status;
    if (!options.configurationPath.isEmpty()) {
        QKel::Sm::StateMachine::instance()->setStartupOptions(
            QUrl::fromLocalFile(options.configurationPath).toString(), options.autoflash);
    }
    std::unique_ptr<AutoflashJsonLines> jsonLines;
    if (options.json) {
        jsonLines = std::make_unique<AutoflashJsonLines>(options.port);
        reportStages(QKel::Sm::StateMachine::instance(), jsonLines.get());
    }
    if (options.autoflash) {
        reportAutoflashProblems(QKel::Sm::StateMachine::instance());
        QKel::Sm::StateMachine::instance()->setStartupAssignments(options.assignments);
        if (!options.valuesPath.isEmpty()) {
            QKel::Sm::DeviceValues values;
            QString errorText;
            if (!values.load(options.valuesPath, &errorText)) {
                reportAutoflashProblem(QStringLiteral("The values table cannot be used: %1").arg(errorText),
                                       BadArgumentsOrFiles);
                if (jsonLines)
                    jsonLines->done(lastAutoflashStatus, lastAutoflashProblem, adviceFor(lastAutoflashStatus));
                std::fputs("ERROR\n", stderr);
                return lastAutoflashStatus;
            }
            QKel::Sm::StateMachine::instance()->setStartupValues(values);
        }
    }
    if (!options.port.isEmpty())
        QKel::Comms::SerialProvider::fixPortForThisRun(options.port);

    auto engine = std::make_unique<QQmlApplicationEngine>();
    if (!options.autoflash)
        startGui(*engine);
    QKel::Pb::Utilities::registerMetaTypes();

    QKel::Sm::StateMachine::instance()->start(QThread::InheritPriority);
    int status = QCoreApplication::exec();
    // An autoflash that failed tells why by its status.
    if (options.autoflash && status != 0)
        status = lastAutoflashStatus;
    if (jsonLines) {
        QString advice = lastAutoflashAdvice;
        if (advice.isEmpty())
            advice = QKel::Sm::StateMachine::instance()->failureAdvice();
        jsonLines->done(status, lastAutoflashProblem, advice.isEmpty() ? adviceFor(status) : advice);
    }
    engine.reset();
    return status;
}
