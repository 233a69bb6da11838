#include "gatewaySimulator.h"
#include "qmlSetup.h"
#include "serialProvider.h"
#include "stateMachine.h"
#include "utilities.h"
#include "windowGrabber.h"

#include <QApplication>
#include <QQmlContext>
#include <QQmlEngine>
#include <QSettings>
#include <QtQuickTest>

#include <cstdio>

extern "C" const char* __asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}

namespace {

bool qmlWarningSeen = false;
QtMessageHandler previousHandler = nullptr;

// Any warning that names a QML or script location fails the run, even when
// every test function passed.
void failOnQmlWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const bool fromQml = message.contains(QLatin1String(".qml")) || message.contains(QLatin1String(".js:"))
        || message.contains(QLatin1String("qrc:"));
    if (type != QtDebugMsg && type != QtInfoMsg && fromQml)
        qmlWarningSeen = true;
    previousHandler(type, context, message);
}

} // namespace

// Sets every test's engine up as the program does, with a simulator on a pty.
class Setup : public QObject
{
    Q_OBJECT

public slots:
    void qmlEngineAvailable(QQmlEngine* engine)
    {
        QKel::Gui::publishContext(engine->rootContext());
        engine->rootContext()->setContextProperty(QStringLiteral("gatewaySimulator"), &mSimulator);
        engine->rootContext()->setContextProperty(QStringLiteral("windowGrabber"), &mGrabber);
        QKel::Gui::registerQmlTypes();
        QKel::Pb::Utilities::registerMetaTypes();
        // Until the machine is handed to this thread every operation is a
        // no-op: a test connecting at once on a loaded machine would connect nothing.
        if (!QKel::Sm::StateMachine::instance()->startAndWait())
            std::fputs("The state machine did not start within 30 s\n", stderr);
    }

public:
    bool startSimulator()
    {
        QString error;
        if (!mSimulator.start(&error)) {
            std::fprintf(stderr, "The gateway simulator did not start: %s\n", qPrintable(error));
            return false;
        }
        const QString ports = mSimulator.portPath() + QLatin1Char(':') + mSimulator.sparePortPath();
        qputenv(QKel::Comms::SerialProvider::ExtraPortsVariable, ports.toLocal8Bit());
        QSettings().setValue(QKel::Comms::SerialProvider::PortKey, mSimulator.portPath());
        return true;
    }

private:
    GatewaySimulator mSimulator;
    WindowGrabber mGrabber;
};

int main(int argc, char** argv)
{
    qputenv("QT_QUICK_BACKEND", "software");
    QApplication app(argc, argv);
    QKel::Gui::setApplicationIdentity();
    previousHandler = qInstallMessageHandler(failOnQmlWarnings);
    Setup setup;
    if (!setup.startSimulator())
        return 1;
    const int status = quick_test_main_with_setup(argc, argv, "qml", QUICK_TEST_SOURCE_DIR, &setup);
    if (qmlWarningSeen) {
        std::fputs("FAIL: QML printed warnings (see above)\n", stderr);
        return status == 0 ? 1 : status;
    }
    return status;
}

#include "qmlTestRunner.moc"
