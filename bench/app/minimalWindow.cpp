// The yardstick of the cold-start benchmark: an empty Qt Quick Controls 1
// window of the main window's size, started like the program.
#include <QApplication>
#include <QQmlApplicationEngine>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QQmlApplicationEngine engine(QUrl(QStringLiteral("qrc:///minimalWindow.qml")));
    return app.exec();
}
