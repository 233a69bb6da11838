#include "dataProvider.h"

#include "setting.h"

namespace QKel::Comms {

DataProvider::DataProvider(QObject* parent)
    : QObject(parent)
{
}

DataProvider::~DataProvider()
{
    // The settings live in the thread that created the provider, which may not
    // be the one destroying it: they are released by their own event loop.
    while (!mSettings.isEmpty()) {
        QObject* setting = mSettings.takeLast();
        setting->disconnect();
        setting->deleteLater();
    }
}

QQmlListProperty<QObject> DataProvider::settings()
{
    fillSettings();
    return QQmlListProperty<QObject>(this, &mSettings);
}

void DataProvider::fillSettings()
{
    if (!mSettings.isEmpty())
        return;
    for (auto* setting : settingsList())
        mSettings.append(setting);
}

void DataProvider::refresh()
{
}

} // namespace QKel::Comms
