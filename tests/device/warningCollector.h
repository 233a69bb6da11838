#pragma once

#include <QStringList>
#include <QtGlobal>

// The Qt warnings a test case gives, in order: a test starts collecting in its
// init() and stops in its cleanup().
namespace DeviceTest {

inline QStringList warnings;

inline void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtWarningMsg)
        warnings.append(message);
}

inline void startCollectingWarnings()
{
    warnings.clear();
    qInstallMessageHandler(collectWarnings);
}

inline void stopCollectingWarnings()
{
    qInstallMessageHandler(nullptr);
}

} // namespace DeviceTest
