#pragma once

#include "pseudoTerminal.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSettings>
#include <QThread>

namespace CommsTest {

// The settings store is keyed by the program's identity; each test run has
// its own XDG_CONFIG_HOME, and every test starts from an empty store.
inline void useProgramSettings()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Morvane Power Solutions"));
    QCoreApplication::setApplicationName(QStringLiteral("Tarn Wireless Configurator"));
    QSettings().clear();
    qunsetenv("TARN_SERIAL_PORTS");
}

// Collects what the device end receives until `count` bytes are there or
// `timeoutMs` passed, keeping this thread's event loop running meanwhile.
inline QByteArray collect(Tarn::Sim::PseudoTerminal& device, int count, int timeoutMs = 5000)
{
    QByteArray data;
    const QDeadlineTimer deadline(timeoutMs);
    while (data.size() < count && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (device.waitForReadyRead(5))
            data.append(device.readAll());
    }
    return data;
}

// Sends chunks from the device end, each seen by the reader on its own.
inline void sendChunks(Tarn::Sim::PseudoTerminal& device, const QList<QByteArray>& chunks, int gapMs)
{
    for (const auto& chunk : chunks) {
        device.write(chunk);
        QThread::msleep(static_cast<unsigned long>(gapMs));
        QCoreApplication::processEvents();
    }
}

} // namespace CommsTest
