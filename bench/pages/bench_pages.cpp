// Measures, side by side in one run, each of the driver's six pages against a
// floor page holding as many plain themed controls without bindings:
// - first show: creating the page in a window and rendering its first frame;
// - rebinding: a configuration read into the device while every page is open
//   (the driver replaces its wrappers and the pages follow), against the same
//   read with the floor pages open.
// Prints medians in milliseconds and the ratios page / floor.
#include "median.h"
#include "device/abstractDevice.h"
#include "deviceFactory.h"
#include "qmlSetup.h"
#include "stateMachine.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

const QStringList Pages = {"device", "canReceive", "wlan", "bluetooth", "expert", "safety"};

// The themed controls a page is made of (QML types derived from them count too).
int controlCount(QQuickItem* item)
{
    static const QList<QByteArray> controls = {"ThemedCheckBox", "ThemedSpinBox", "ThemedComboBox",
                                                "ThemedTextField", "ThemedRadioButton", "ThemedButton"};
    int count = 0;
    for (const QMetaObject* type = item->metaObject(); type && !count; type = type->superClass()) {
        for (const QByteArray& control : controls)
            count += QByteArray(type->className()).startsWith(control + "_QMLTYPE") ? 1 : 0;
    }
    const auto children = item->childItems();
    for (QQuickItem* child : children)
        count += controlCount(child);
    return count;
}

// A page of `count` plain themed controls in a column, none of them bound.
QByteArray floorSource(int count)
{
    QByteArray source = "import QtQuick 2.15\nimport kelbus.kit 1.0\n"
                        "ThemedPage { Flow { anchors.fill: parent; spacing: 5\n";
    static const QList<QByteArray> kinds = {"ThemedCheckBox { text: \"Check\" }",
                                            "ThemedSpinBox { maximumValue: 65535 }",
                                            "ThemedComboBox { model: [\"a\", \"b\", \"c\"] }",
                                            "ThemedTextField { text: \"text\" }"};
    for (int i = 0; i < count; ++i)
        source += kinds[i % kinds.size()] + "\n";
    return source + "} }\n";
}

class Bench
{
public:
    explicit Bench(QQmlEngine* engine) : mEngine(engine)
    {
        mWindow.resize(1024, 768);
        mWindow.show();
        if (!QTest::qWaitForWindowExposed(&mWindow))
            std::fprintf(stderr, "bench_pages: the window was never shown\n");
    }

    // Creates the component's item in the window and waits for its first frame.
    std::unique_ptr<QQuickItem> show(QQmlComponent& component, double* milliseconds)
    {
        QElapsedTimer timer;
        timer.start();
        std::unique_ptr<QQuickItem> item(qobject_cast<QQuickItem*>(component.create()));
        if (!item) {
            std::fprintf(stderr, "bench_pages: %s\n", qPrintable(component.errorString()));
            return item;
        }
        item->setSize(QSizeF(1024, 768));
        item->setParentItem(mWindow.contentItem());
        frame();
        *milliseconds = timer.nsecsElapsed() / 1e6;
        return item;
    }

    void frame()
    {
        bool swapped = false;
        auto connection = QObject::connect(&mWindow, &QQuickWindow::frameSwapped, [&swapped] { swapped = true; });
        mWindow.update();
        if (!QTest::qWaitFor([&swapped] { return swapped; }, 5000))
            std::fprintf(stderr, "bench_pages: no frame within 5 s\n");
        QObject::disconnect(connection);
    }

    QQuickWindow mWindow;
    QQmlEngine* mEngine;
};

QKel::Device::AbstractDevice* currentDevice()
{
    return qobject_cast<QKel::Device::AbstractDevice*>(QKel::Sm::StateMachine::instance()->currentDevice());
}

// Reads the device's own bytes back into it and lets the event loop deliver
// the pages' updates and one frame.
double readBack(Bench& bench)
{
    const QByteArray bytes = currentDevice()->serializeToByteArray();
    QElapsedTimer timer;
    timer.start();
    currentDevice()->restoreFromByteArray(bytes);
    bench.frame();
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QUICK_BACKEND", "software");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 7;

    QKel::Gui::registerQmlTypes();
    QKel::Device::DeviceFactory::instance();
    QKel::Sm::StateMachine* facade = QKel::Sm::StateMachine::instance();
    if (!facade->startAndWait())
        return 2;
    facade->doNewConfiguration(QStringLiteral("012001017701"));
    if (!QTest::qWaitFor([] { return currentDevice() != nullptr; }))
        return 2;

    QQmlEngine engine;
    QKel::Gui::publishContext(engine.rootContext());
    Bench bench(&engine);

    std::printf("%-11s %8s %9s %9s %7s\n", "page", "controls", "page ms", "floor ms", "ratio");
    std::vector<std::unique_ptr<QQmlComponent>> pages, floors;
    for (const QString& name : Pages) {
        pages.push_back(std::make_unique<QQmlComponent>(
            &engine, QUrl(QStringLiteral("qrc:///ferrowWlan7701/qml/config/%1.qml").arg(name))));
        double pageTime = 0;
        auto first = bench.show(*pages.back(), &pageTime);
        if (!first)
            return 1;
        const int controls = controlCount(first.get());
        first.reset();
        floors.push_back(std::make_unique<QQmlComponent>(&engine));
        floors.back()->setData(floorSource(controls), QUrl(QStringLiteral("qrc:///bench/floor.qml")));
        std::vector<double> pageTimes{pageTime}, floorTimes;
        for (int run = 0; run < runs; ++run) {
            double milliseconds = 0;
            if (run > 0 && bench.show(*pages.back(), &milliseconds))
                pageTimes.push_back(milliseconds);
            if (!bench.show(*floors.back(), &milliseconds))
                return 1;
            floorTimes.push_back(milliseconds);
        }
        std::printf("%-11s %8d %9.2f %9.2f %7.2f\n", qPrintable(name), controls, median(pageTimes),
                    median(floorTimes), median(pageTimes) / median(floorTimes));
    }

    // Rebinding: a read with all six pages open against the same read with all
    // six floor pages open (which have nothing to follow).
    const auto readsWithOpen = [&bench, runs](std::vector<std::unique_ptr<QQmlComponent>>& components) {
        std::vector<std::unique_ptr<QQuickItem>> open;
        double unused = 0;
        for (auto& component : components)
            open.push_back(bench.show(*component, &unused));
        std::vector<double> times;
        for (int run = 0; run < runs; ++run)
            times.push_back(readBack(bench));
        return median(times);
    };
    const double withPages = readsWithOpen(pages);
    const double withFloors = readsWithOpen(floors);
    std::printf("%-11s %8s %9.2f %9.2f %7.2f\n", "read+rebind", "all", withPages, withFloors,
                withPages / withFloors);
    return 0;
}
