#include "commsHandler.h"

#include "setting.h"
#include "serialProvider.h"

#include <QCoreApplication>
#include <QDebug>
#include <QMutex>
#include <QMutexLocker>
#include <QPointer>
#include <QSettings>
#include <QThread>
#include <QTimer>

#include <atomic>

namespace QKel::Comms {

namespace {
const QString SerialType = QStringLiteral("Serial");

// Relays a signal of the provider from its worker thread to the handler's,
// stamped with the closes of the port counted when it was sent. What the port
// reported before a later close belongs to a session that has ended: it must
// neither answer nor end the next one, which may already have begun when the
// report arrives.
template <typename... Args>
void relayFromOpenPort(DataProvider* provider, void (DataProvider::*source)(Args...), CommsHandler* handler,
                       void (CommsHandler::*target)(Args...), const std::atomic<quint64>& closes)
{
    QObject::connect(
        provider, source, provider,
        [handler, target, &closes](Args... args) {
            const quint64 sentAfter = closes.load();
            QMetaObject::invokeMethod(
                handler,
                [handler, target, &closes, sentAfter, args...] {
                    if (closes.load() == sentAfter)
                        emit(handler->*target)(args...);
                },
                Qt::QueuedConnection);
        },
        Qt::DirectConnection);
}
} // namespace

QSharedPointer<CommsHandler> CommsHandler::mInstance;

class CommsHandlerPrivate
{
public:
    QSharedPointer<DataProvider> provider;
    QMetaObject::Connection providerRelease;
    QStringList providerTypes{SerialType};
    QString currentProviderType;
    QThread workerThread;
    QTimer cyclicTimer;
    QByteArray cyclicData;
    int cyclicInterval = 0;
    bool cyclicStopOnData = true;
    mutable QMutex portMutex;
    QString portName;
    QString portLabel;
    // How often the port was closed; see relayFromOpenPort.
    std::atomic<quint64> closes{0};
};

CommsHandler* CommsHandler::instance()
{
    if (!mInstance) {
        mInstance.reset(new CommsHandler);
        // The worker stops while the application object still exists: a port
        // error logged from it once static destruction has begun would crash.
        qAddPostRoutine([] {
            if (mInstance)
                mInstance->shutDownInOwnThread();
        });
    }
    return mInstance.data();
}

CommsHandler::CommsHandler(QObject* parent)
    : QObject(parent)
    , d(new CommsHandlerPrivate)
{
    d->workerThread.setObjectName(QStringLiteral("comms worker"));
    connect(&d->cyclicTimer, &QTimer::timeout, this, &CommsHandler::onCyclicTimer);
    setCurrentProviderType(QSettings().value(ProviderKey, d->providerTypes.first()).toString());
    // A handler made in a thread of its own (the state machine's, without a
    // window) is also shut down should that thread end first: the timer and
    // the provider's settings can only be released in the thread they live in.
    if (QCoreApplication::instance() && thread() != QCoreApplication::instance()->thread())
        connect(thread(), &QThread::finished, this, &CommsHandler::shutDown, Qt::DirectConnection);
}

CommsHandler::~CommsHandler()
{
    shutDown();
}

void CommsHandler::shutDownInOwnThread()
{
    // The cyclic timer runs in the handler's thread, which may re-arm it or
    // write through the provider at this very moment: stopping it from another
    // thread fails (the timer then outlives its thread) and races on the
    // provider.
    const bool elsewhere = thread() != QThread::currentThread() && thread()->isRunning();
    QMetaObject::invokeMethod(this, &CommsHandler::shutDown,
                              elsewhere ? Qt::BlockingQueuedConnection : Qt::DirectConnection);
}

void CommsHandler::shutDown()
{
    d->cyclicTimer.stop();
    // The provider's settings live in this thread; at process exit no event
    // loop is left to carry out the deferred deletion the provider asks for.
    QList<QPointer<Global::Setting>> settings;
    if (d->provider) {
        for (auto* setting : d->provider->settingsList())
            settings.append(setting);
    }
    // Frames still queued for the worker (the "enter normal operation" sent
    // while quitting) are written and drained before its event loop stops,
    // which would drop them.
    if (d->provider && d->workerThread.isRunning())
        close();
    releaseProvider();
    for (const auto& setting : settings)
        delete setting.data();
}

QObject* CommsHandler::currentProvider() const
{
    return d->provider.data();
}

QStringList CommsHandler::providerTypes() const
{
    return d->providerTypes;
}

QString CommsHandler::currentProviderType() const
{
    return d->currentProviderType;
}

void CommsHandler::setCurrentProviderType(const QString& providerType)
{
    if (providerType == d->currentProviderType || !d->providerTypes.contains(providerType))
        return;
    releaseProvider();
    d->currentProviderType = providerType;
    if (providerType == SerialType)
        d->provider.reset(new SerialProvider);
    if (d->provider) {
        d->provider->moveToThread(&d->workerThread);
        // The interface keeps onWriteData protected: connected by signature.
        connect(this, SIGNAL(writeData(QByteArray)), d->provider.data(), SLOT(onWriteData(QByteArray)));
        DataProvider* provider = d->provider.data();
        relayFromOpenPort(provider, &DataProvider::newData, this, &CommsHandler::newData, d->closes);
        relayFromOpenPort(provider, &DataProvider::errorAdvised, this, &CommsHandler::errorAdvised, d->closes);
        relayFromOpenPort(provider, &DataProvider::errorOccurred, this, &CommsHandler::errorOccurred, d->closes);
        connect(d->provider.data(), &DataProvider::portChanged, this, &CommsHandler::onPortChanged);
        // The provider reported its port while it was made, before the connection.
        refreshPorts();
        d->workerThread.start(QThread::InheritPriority);
    }
    emit currentProviderTypeChanged(providerType);
    emit currentProviderChanged(d->provider.data());
    // A run on a port of its own leaves the user's choices as they are.
    if (!SerialProvider::isPortFixed())
        QSettings().setValue(ProviderKey, providerType);
}

QString CommsHandler::portLabel() const
{
    QMutexLocker lock(&d->portMutex);
    return d->portLabel;
}

QString CommsHandler::portName() const
{
    QMutexLocker lock(&d->portMutex);
    return d->portName;
}

void CommsHandler::refreshPorts()
{
    if (d->provider)
        QMetaObject::invokeMethod(d->provider.data(), &DataProvider::refresh, Qt::QueuedConnection);
}

void CommsHandler::onPortChanged(const QString& portName, const QString& description)
{
    const QString label = description.isEmpty() || portName.isEmpty()
        ? portName
        : QStringLiteral("%1 \u2014 %2").arg(portName, description);
    {
        QMutexLocker lock(&d->portMutex);
        d->portName = portName;
        if (label == d->portLabel)
            return;
        d->portLabel = label;
    }
    emit portLabelChanged(label);
}

void CommsHandler::open()
{
    invokeOnProvider("open");
}

void CommsHandler::close()
{
    invokeOnProvider("close");
    // Counted once the port is closed: whatever the provider sent until then
    // is already on its way, and is dropped on arrival.
    ++d->closes;
}

void CommsHandler::onWriteData(QByteArray data)
{
    emit writeData(data);
}

void CommsHandler::onStartCyclicWrite(QByteArray data, int intervalMs, bool stopOnData)
{
    if (!d->provider || !d->workerThread.isRunning()) {
        qWarning() << "Attempted a cyclic write without a running data provider.";
        return;
    }
    if (data.isEmpty()) {
        qWarning() << "Attempted a cyclic write with empty data.";
        return;
    }
    d->cyclicTimer.setInterval(intervalMs);
    d->cyclicTimer.setSingleShot(true);
    if (stopOnData) {
        disconnect(this, &CommsHandler::newData, this, &CommsHandler::onStopCyclicWrite);
        connect(this, &CommsHandler::newData, this, &CommsHandler::onStopCyclicWrite);
    }
    d->cyclicData = data;
    d->cyclicInterval = intervalMs;
    d->cyclicStopOnData = stopOnData;
    onWriteData(data);
    d->cyclicTimer.start();
}

void CommsHandler::onStopCyclicWrite()
{
    d->cyclicTimer.stop();
    disconnect(this, &CommsHandler::newData, this, &CommsHandler::onStopCyclicWrite);
    d->cyclicData.clear();
    d->cyclicInterval = 0;
    d->cyclicStopOnData = true;
}

void CommsHandler::onCyclicTimer()
{
    onStartCyclicWrite(d->cyclicData, d->cyclicInterval, d->cyclicStopOnData);
}

void CommsHandler::releaseProvider()
{
    if (!d->provider)
        return;
    d->provider->disconnect();
    // The provider and its port belong to the worker thread and are deleted
    // there, as the thread's last act. That needs no event loop, so it also
    // works at process exit, when no application object is left to deliver a
    // deferred deletion.
    QSharedPointer<DataProvider> provider;
    provider.swap(d->provider);
    d->providerRelease = connect(&d->workerThread, &QThread::finished, [this, provider]() mutable {
        disconnect(d->providerRelease);
        provider.reset();
    });
    provider.reset();
    d->workerThread.quit();
    d->workerThread.wait();
}

void CommsHandler::invokeOnProvider(const char* method)
{
    if (!d->provider)
        return;
    const bool inWorker = d->provider->thread() == QThread::currentThread();
    const auto type = inWorker || !d->workerThread.isRunning() ? Qt::DirectConnection : Qt::BlockingQueuedConnection;
    QMetaObject::invokeMethod(d->provider.data(), method, type);
}

} // namespace QKel::Comms
