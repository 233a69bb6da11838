#include "device/abstractDevice.h"
#include "deviceFactory.h"
#include "qmlSetup.h"
#include "stateMachine.h"

#include <QApplication>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtQml>
#include <QtQuickTest>

extern "C" const char* __asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}


// Gives every test file's engine the program's types and the real facade.
// It also hands the tests the packed bytes of the current configuration.
class PagesSetup : public QObject
{
    Q_OBJECT

public:
    Q_INVOKABLE QString packedConfiguration() const
    {
        auto* device = qobject_cast<QKel::Device::AbstractDevice*>(QKel::Sm::StateMachine::instance()->currentDevice());
        return device ? QString::fromLatin1(device->serializeToByteArray().toHex()) : QString();
    }

public slots:
    void qmlEngineAvailable(QQmlEngine* engine)
    {
        QKel::Gui::publishContext(engine->rootContext());
        engine->rootContext()->setContextProperty(QStringLiteral("pagesTest"), this);
    }
};

int main(int argc, char** argv)
{
    qputenv("QT_QUICK_BACKEND", "software");
    QApplication app(argc, argv);

    QKel::Gui::registerQmlTypes();

    // The factory loads the driver plug-in, and with it the pages' resources.
    QKel::Device::DeviceFactory::instance();
    QKel::Sm::StateMachine* facade = QKel::Sm::StateMachine::instance();
    facade->setStartupOptions(QString(), false);
    facade->start();
    if (!QTest::qWaitFor([facade] { return facade->isMachineReady(); }))
        return 2;

    PagesSetup setup;
    QTEST_SET_MAIN_SOURCE_PATH
    return quick_test_main_with_setup(argc, argv, "devicepages", QUICK_TEST_SOURCE_DIR, &setup);
}

#include "tst_devicePages.moc"
