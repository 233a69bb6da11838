#include "configurationStore.h"

#include <QFile>
#include <QSaveFile>

namespace Tarn::Sim {

const QByteArray ConfigurationStore::DefaultConfiguration = QByteArrayLiteral("\x08\x01\x12\x06TARN210");

bool ConfigurationStore::load(const QString& servedFile, const QString& storeFile, QString* errorText)
{
    mStoreFile = storeFile;
    if (servedFile.isEmpty())
        return true;
    QFile file(servedFile);
    if (!file.open(QIODevice::ReadOnly)) {
        *errorText = QStringLiteral("Cannot read the configuration file %1: %2").arg(servedFile, file.errorString());
        return false;
    }
    mConfiguration = file.readAll();
    return true;
}

QByteArray ConfigurationStore::served() const
{
    return mConfiguration;
}

bool ConfigurationStore::accept(const QByteArray& configuration, QString* errorText)
{
    if (configuration.isEmpty()) {
        *errorText = QStringLiteral("refusing an empty configuration");
        return false;
    }
    if (!mStoreFile.isEmpty()) {
        // Written aside and renamed, so a failed write keeps the previous file.
        QSaveFile file(mStoreFile);
        if (!file.open(QIODevice::WriteOnly) || file.write(configuration) != configuration.size() || !file.commit()) {
            *errorText = QStringLiteral("cannot store to %1: %2").arg(mStoreFile, file.errorString());
            return false;
        }
    }
    mConfiguration = configuration;
    return true;
}

} // namespace Tarn::Sim
