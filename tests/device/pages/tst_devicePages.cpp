#include "device/abstractDevice.h"
#include "deviceFactory.h"
#include "qmlSetup.h"
#include "stateMachine.h"

#include <QApplication>
#include <QKeyEvent>
#include <QQuickItem>
#include <QQuickWindow>
#include <QMetaProperty>
#include <QQmlListReference>
#include <QSet>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtQml>
#include <QtQuickTest>

#include <cstdio>
#include <memory>
#include <vector>
#include <utility>

extern "C" const char* __asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}


namespace {

// Warnings and critical messages of the whole run. The test library's own
// handler only logs them, yet a page that warns is a broken page.
QStringList gWarnings;
QStringList gOutsideTests;
QtMessageHandler gBelow = nullptr;

// The offscreen platform says so whenever a page opens its error box window.
const QString OffscreenNotice = QStringLiteral("This plugin does not support propagateSizeHints()");

void recordWarning(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if ((type == QtWarningMsg || type == QtCriticalMsg) && message != OffscreenNotice)
        gWarnings << message;
    if (gBelow)
        gBelow(type, context, message);
}

using Step = QPair<QByteArray, int>; // a property, and the entry for a list (-1 for none)

// The properties that lead from `from` to `wanted` through the wrapper tree.
bool findPath(QObject* from, QObject* wanted, QList<Step>& path, QSet<QObject*>& seen)
{
    if (from == wanted)
        return true;
    if (!from || seen.contains(from))
        return false;
    seen.insert(from);
    const QMetaObject* meta = from->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        QQmlListReference list(from, property.name());
        if (list.isValid()) {
            for (int entry = 0; entry < list.count(); ++entry) {
                path.append({property.name(), entry});
                if (findPath(list.at(entry), wanted, path, seen))
                    return true;
                path.removeLast();
            }
        } else if (QMetaType::typeFlags(property.userType()) & QMetaType::PointerToQObject) {
            path.append({property.name(), -1});
            if (findPath(property.read(from).value<QObject*>(), wanted, path, seen))
                return true;
            path.removeLast();
        }
    }
    return false;
}

QObject* follow(QObject* from, const QList<Step>& path)
{
    for (const Step& step : path) {
        if (!from)
            return nullptr;
        if (step.second >= 0) {
            QQmlListReference list(from, step.first.constData());
            from = step.second < list.count() ? list.at(step.second) : nullptr;
        } else {
            from = from->property(step.first.constData()).value<QObject*>();
        }
    }
    return from;
}

} // namespace

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

    // A device of the product, made by the factory and held here, that no
    // session knows: pages that are handed it need nothing else.
    Q_INVOKABLE QObject* createDevice(const QString& productId)
    {
        mOwnDevices.append(QKel::Device::DeviceFactory::instance()->createDevice(productId));
        QQmlEngine::setObjectOwnership(mOwnDevices.last().data(), QQmlEngine::CppOwnership);
        return mOwnDevices.last().data();
    }

    // The page at `url` built by an engine of its own, which knows the
    // program's types but none of its context properties (no session, no
    // factory): the page gets its device handed over and nothing else.
    Q_INVOKABLE QObject* pageAlone(const QString& url, QObject* device)
    {
        mAloneEngines.push_back(std::make_unique<QQmlEngine>());
        QQmlEngine* engine = mAloneEngines.back().get();
        QQmlComponent component(engine, QUrl(url));
        QObject* page = component.createWithInitialProperties({{QStringLiteral("device"), QVariant::fromValue(device)}});
        if (!page) {
            qWarning() << component.errorString();
            return nullptr;
        }
        page->setParent(engine);
        QQmlEngine::setObjectOwnership(page, QQmlEngine::CppOwnership);
        return page;
    }

    // One property of a wrapper of the current device as a new device reads
    // it back from the current configuration's bytes: what the gateway gets.
    Q_INVOKABLE QVariant packedValue(QObject* target, const QString& name)
    {
        auto* device = qobject_cast<QKel::Device::AbstractDevice*>(QKel::Sm::StateMachine::instance()->currentDevice());
        QList<Step> path;
        QSet<QObject*> seen;
        if (!device || !findPath(device, target, path, seen))
            return QVariant();
        mDecoded = device->createNewInstance();
        mDecoded->restoreFromByteArray(device->serializeToByteArray());
        QObject* decoded = follow(mDecoded.data(), path);
        return decoded ? decoded->property(name.toUtf8().constData()) : QVariant();
    }

    // Types text the test library's key clicks cannot (they know ASCII
    // only), one key event per character, into the window of `item`.
    Q_INVOKABLE void typeText(QQuickItem* item, const QString& text)
    {
        QWindow* window = item ? item->window() : nullptr;
        if (!window)
            return;
        for (const QChar c : text) {
            const int key = c.toUpper().unicode() < 0x100 ? c.toUpper().unicode() : int(Qt::Key_unknown);
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(window, &press);
            QCoreApplication::sendEvent(window, &release);
        }
    }

    // The test library installs its handler when the first test case starts;
    // each test function puts the recorder above it (so that its log still
    // shows every line) and takes it off again when it ends.
    Q_INVOKABLE void watchWarnings()
    {
        gOutsideTests += std::exchange(gWarnings, {});
        mBelowRun = gBelow;
        mTestLog = qInstallMessageHandler(recordWarning);
        gBelow = mTestLog;
    }

    Q_INVOKABLE QStringList takeWarnings()
    {
        qInstallMessageHandler(mTestLog);
        gBelow = mBelowRun;
        return std::exchange(gWarnings, {});
    }

public slots:
    void qmlEngineAvailable(QQmlEngine* engine)
    {
        QKel::Gui::publishContext(engine->rootContext());
        engine->rootContext()->setContextProperty(QStringLiteral("pagesTest"), this);
    }

private:
    QSharedPointer<QKel::Device::AbstractDevice> mDecoded;
    QList<QSharedPointer<QKel::Device::AbstractDevice>> mOwnDevices;
    // Declared after the devices, so that the pages go before their devices.
    std::vector<std::unique_ptr<QQmlEngine>> mAloneEngines;
    QtMessageHandler mTestLog = nullptr;
    QtMessageHandler mBelowRun = nullptr;
};

int main(int argc, char** argv)
{
    qputenv("QT_QUICK_BACKEND", "software");
    // Without a runtime directory Qt warns before any page exists.
    QTemporaryDir runtimeDir;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    gBelow = qInstallMessageHandler(recordWarning);
    QApplication app(argc, argv);

    QKel::Gui::registerQmlTypes();

    // The factory loads the driver plug-in, and with it the pages' resources.
    QKel::Device::DeviceFactory::instance();
    QKel::Sm::StateMachine* facade = QKel::Sm::StateMachine::instance();
    if (!facade->startAndWait())
        return 2;

    PagesSetup setup;
    QTEST_SET_MAIN_SOURCE_PATH
    const int failed = quick_test_main_with_setup(argc, argv, "devicepages", QUICK_TEST_SOURCE_DIR, &setup);
    // What was said outside the test functions (loading a test file, tearing
    // the engine down) fails the run as a whole.
    gOutsideTests += gWarnings;
    if (!gOutsideTests.isEmpty()) {
        fprintf(stderr, "FAIL: %lld warning(s) outside the test functions\n",
                static_cast<long long>(gOutsideTests.size()));
        return failed ? failed : 1;
    }
    return failed;
}

#include "tst_devicePages.moc"
