#include "configurationStore.h"

#include "gatewayConfiguration.h"

#include <safeFileWriter.h>

#include <QFile>

namespace Tarn::Sim {

bool ConfigurationStore::load(const QString& servedFile, const QString& storeFile, const QByteArray& productIdBytes,
                              QString* errorText)
{
    mStoreFile = storeFile;
    if (servedFile.isEmpty()) {
        mConfiguration = GatewayConfiguration::build(productIdBytes, errorText);
        return !mConfiguration.isEmpty();
    }
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
    if (!GatewayConfiguration::check(configuration, errorText))
        return false;
    if (!mStoreFile.isEmpty()) {
        QString writeError;
        if (!QKel::Global::SafeFileWriter::write(mStoreFile, configuration, &writeError)) {
            *errorText = QStringLiteral("cannot store to %1: %2").arg(mStoreFile, writeError);
            return false;
        }
    }
    mConfiguration = configuration;
    return true;
}

} // namespace Tarn::Sim
