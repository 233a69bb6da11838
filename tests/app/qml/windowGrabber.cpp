#include "windowGrabber.h"

#include <QDebug>
#include <QDir>
#include <QImage>
#include <QQuickWindow>

const char* const WindowGrabber::DirectoryVariable = "TARN_SCREENSHOT_DIR";

WindowGrabber::WindowGrabber(QObject* parent)
    : QObject(parent)
{
}

bool WindowGrabber::save(QObject* window, const QString& name) const
{
    const QString directory = qEnvironmentVariable(DirectoryVariable);
    auto* quickWindow = qobject_cast<QQuickWindow*>(window);
    if (directory.isEmpty() || !quickWindow) {
        qWarning() << "Cannot grab a window without a picture directory or a window:" << name;
        return false;
    }
    const QImage picture = quickWindow->grabWindow();
    const QString path = QDir(directory).filePath(name + QStringLiteral(".png"));
    if (picture.isNull() || !picture.save(path)) {
        qWarning() << "Could not save the picture of a window:" << path;
        return false;
    }
    return true;
}
