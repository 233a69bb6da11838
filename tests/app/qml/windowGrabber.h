#pragma once

#include <QObject>
#include <QString>

// Test-only: saves what a window shows as "<name>.png" in the directory named
// by TARN_SCREENSHOT_DIR. The pictures of the program are taken this way,
// from the real windows in the runner's engine; grabbing needs a real display
// (Xvfb), the offscreen platform gives empty pictures.
class WindowGrabber : public QObject
{
    Q_OBJECT

public:
    static const char* const DirectoryVariable;

    explicit WindowGrabber(QObject* parent = nullptr);

    // False, with a warning, when no directory is set, the object is no
    // window or the picture cannot be written.
    Q_INVOKABLE bool save(QObject* window, const QString& name) const;
};
