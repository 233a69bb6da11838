#include "kit.h"

#include <QApplication>
#include <QtQml>
#include <QtQuickTest>

// Qt Quick keeps images, textures and screens until after the leak check;
// their suppressions name Qt functions, which only a full unwind of every
// allocation shows (the system's Qt has no frame pointers).
extern "C" const char* __asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}

// Qt Quick Controls 1 pull in widgets (dialogs), so the test needs a widget
// application; the software back end renders without any GPU or display.
int main(int argc, char** argv)
{
    qputenv("QT_QUICK_BACKEND", "software");
    QApplication app(argc, argv);
    QKel::Kit::registerTypes();
    QTEST_SET_MAIN_SOURCE_PATH
    return quick_test_main(argc, argv, "customspinbox", QUICK_TEST_SOURCE_DIR);
}
