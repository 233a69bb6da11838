#include "qmlSetup.h"
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
const QString WindowIcon = QStringLiteral(":/qt-project.org/imports/kelbus/kit/icons/icon.ico");

struct StartupOptions
{
    QString configurationPath;
    bool autoflash = false;
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

void printUsage(const QStringList& arguments)
{
    const QString usage = QStringLiteral("Usage: ") + arguments.first()
        + QStringLiteral(" [--config filePath [--autoflash]]\n");
    std::fputs(usage.toUtf8().constData(), stdout);
    std::fflush(stdout);
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
        printUsage(arguments);
        return arguments.at(1) == QLatin1String(HelpOption) ? 0 : -1;
    }
    options.configurationPath = arguments.at(2);
    if (!configurationFileExists(options.configurationPath)) {
        qCritical().noquote() << QStringLiteral("Cannot load configuration file: %1").arg(options.configurationPath);
        return EXIT_FAILURE;
    }
    if (arguments.size() > 3) {
        if (arguments.at(3) != QLatin1String(AutoflashOption)) {
            printUsage(arguments);
            return -1;
        }
        options.autoflash = true;
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

void reportAutoflashProblem(const QString& reason)
{
    std::fputs(reason.toUtf8().append('\n').constData(), stderr);
    std::fflush(stderr);
}

// The facade sets the advice before it reports the failure.
QString withAdvice(const QString& reason, const QKel::Sm::StateMachine* stateMachine)
{
    const QString advice = stateMachine->failureAdvice();
    return advice.isEmpty() ? reason : reason + QLatin1Char(' ') + advice;
}

// Without a window nobody would learn why an autoflash ended with "ERROR", so
// each failure the session announces is named on standard error first.
void reportAutoflashProblems(QKel::Sm::StateMachine* stateMachine)
{
    using QKel::Sm::StateMachine;
    const auto report = [stateMachine](auto signal, const QString& reason) {
        QObject::connect(stateMachine, signal, stateMachine, [reason] { reportAutoflashProblem(reason); });
    };
    report(&StateMachine::configurationVersionObsolete, QStringLiteral("The configuration file's version is obsolete"));
    report(&StateMachine::configurationVersionMismatch,
           QStringLiteral("The configuration file's version does not match this program"));
    report(&StateMachine::configurationChecksumError, QStringLiteral("The configuration file's checksum is wrong"));
    report(&StateMachine::configurationParseError, QStringLiteral("The configuration file cannot be parsed"));
    report(&StateMachine::configurationRejectedWhileBusy,
           QStringLiteral("The configuration was not taken over while the session was busy"));
    report(&StateMachine::deviceError, QStringLiteral("The device refused the command"));
    QObject::connect(stateMachine, &StateMachine::timeout, stateMachine, [stateMachine] {
        reportAutoflashProblem(withAdvice(QStringLiteral("The device did not answer in time"), stateMachine));
    });
    QObject::connect(stateMachine, &StateMachine::configurationUnsupported, stateMachine,
                     [](const QString& productId) {
                         reportAutoflashProblem(
                             QStringLiteral("No driver supports the configuration's product ID %1").arg(productId));
                     });
    QObject::connect(stateMachine, &StateMachine::deviceUnsupported, stateMachine,
                     [](const QString&, const QString& productId) {
                         reportAutoflashProblem(
                             QStringLiteral("No driver supports the connected device's product ID %1").arg(productId));
                     });
    QObject::connect(stateMachine, &StateMachine::commsError, stateMachine,
                     [stateMachine](quint16 errorCode, const QString& errorText) {
                         reportAutoflashProblem(withAdvice(
                             QStringLiteral("Communication error %1: %2").arg(errorCode).arg(errorText), stateMachine));
                     });
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
    if (options.autoflash)
        reportAutoflashProblems(QKel::Sm::StateMachine::instance());

    auto engine = std::make_unique<QQmlApplicationEngine>();
    if (!options.autoflash)
        startGui(*engine);
    QKel::Pb::Utilities::registerMetaTypes();

    QKel::Sm::StateMachine::instance()->start(QThread::InheritPriority);
    const int status = QCoreApplication::exec();
    engine.reset();
    return status;
}
