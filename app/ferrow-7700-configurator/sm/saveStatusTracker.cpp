#include "saveStatusTracker.h"

#include <QCoreApplication>

namespace QKel::Config {

using Types = QKel::Global::Types;

QSharedPointer<SaveStatusTracker> SaveStatusTracker::mInstance;

class SaveStatusTrackerPrivate
{
public:
    QString currentFilePath;
    QString currentFileUrl;
    bool saveNeeded = false;
    Types::eConfigurationType configurationType = Types::CONFIGURATION_TYPE_NONE;
};

namespace {

// Stores the value and reports whether it changed, so each setter emits only then.
template <typename T>
bool assignIfChanged(T& field, const T& value)
{
    if (field == value) {
        return false;
    }
    field = value;
    return true;
}

} // namespace

SaveStatusTracker::SaveStatusTracker(QObject* parent)
    : QObject(parent)
    , d(new SaveStatusTrackerPrivate)
{
}

SaveStatusTracker::~SaveStatusTracker() = default;

SaveStatusTracker* SaveStatusTracker::instance()
{
    if (mInstance.isNull()) {
        mInstance.reset(new SaveStatusTracker);
        // The machine and the windows use the tracker in the main thread. Made
        // first by the machine's start-up thread, it would take every device's
        // "save needed" there, racing with the main thread's reads and resets.
        if (QCoreApplication::instance())
            mInstance->moveToThread(QCoreApplication::instance()->thread());
    }
    return mInstance.data();
}

QString SaveStatusTracker::currentFilePath() const
{
    return d->currentFilePath;
}

QString SaveStatusTracker::currentFileUrl() const
{
    return d->currentFileUrl;
}

bool SaveStatusTracker::saveNeeded() const
{
    return d->saveNeeded;
}

Types::eConfigurationType SaveStatusTracker::configurationType() const
{
    return d->configurationType;
}

void SaveStatusTracker::setCurrentFilePath(const QString& currentFilePath)
{
    if (assignIfChanged(d->currentFilePath, currentFilePath)) {
        emit currentFilePathChanged(d->currentFilePath);
    }
}

void SaveStatusTracker::setCurrentFileUrl(const QString& currentFileUrl)
{
    if (assignIfChanged(d->currentFileUrl, currentFileUrl)) {
        emit currentFileUrlChanged(d->currentFileUrl);
    }
}

void SaveStatusTracker::setSaveNeeded(const bool& saveNeeded)
{
    if (assignIfChanged(d->saveNeeded, saveNeeded)) {
        emit saveNeededChanged(d->saveNeeded);
    }
}

void SaveStatusTracker::setConfigurationType(const Types::eConfigurationType& configurationType)
{
    if (assignIfChanged(d->configurationType, configurationType)) {
        emit configurationTypeChanged(d->configurationType);
    }
}

void SaveStatusTracker::onForceSaveNeeded()
{
    setSaveNeeded(true);
}

} // namespace QKel::Config
