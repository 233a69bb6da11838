#include "configurationStore.h"

#include "gatewayConfiguration.h"

#include <configuration.h>
#include <leafPaths.h>
#include <safeFileWriter.h>

#include <configuration.pb.h>

#include <QFile>

namespace Tarn::Sim {

const QString ConfigurationStore::AllOld = QStringLiteral("all");

namespace {

Kel::Pb::Configuration::File parsed(const QByteArray& bytes)
{
    Kel::Pb::Configuration::File file;
    file.ParsePartialFromArray(bytes.constData(), bytes.size());
    return file;
}

} // namespace

bool ConfigurationStore::keepOldOnWrite(const QString& what, QString* errorText)
{
    mKeepOld = what;
    QString value;
    if (what.isEmpty() || what == AllOld || QKel::Frc::LeafPaths::get(parsed(mConfiguration), what, &value, errorText))
        return true;
    *errorText = QStringLiteral("--keep-old: %1").arg(*errorText);
    return false;
}

// The written configuration with one leaf as it was, under a checksum that
// matches: nothing but a read-back can tell.
QByteArray ConfigurationStore::withOldLeaf(const QByteArray& configuration) const
{
    using QKel::Frc::LeafPaths;
    Kel::Pb::Configuration::File written = parsed(configuration);
    QString old;
    QString error;
    if (!LeafPaths::get(parsed(mConfiguration), mKeepOld, &old, &error) || old == LeafPaths::UNSET
        || !LeafPaths::set(&written, mKeepOld, old, &error))
        return configuration;
    written.set_checksum(QKel::Pb::Configuration::File::computeChecksum(written));
    return QByteArray::fromStdString(written.SerializeAsString());
}

bool ConfigurationStore::load(const QString& servedFile, const QString& storeFile, const QByteArray& productIdBytes,
                              quint32 serialNumber, QString* errorText)
{
    mStoreFile = storeFile;
    if (servedFile.isEmpty()) {
        mConfiguration = GatewayConfiguration::build(productIdBytes, errorText, serialNumber);
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
    if (mKeepOld == AllOld)
        return true;
    const QByteArray kept = mKeepOld.isEmpty() ? configuration : withOldLeaf(configuration);
    if (!mStoreFile.isEmpty()) {
        QString writeError;
        if (!QKel::Global::SafeFileWriter::write(mStoreFile, kept, &writeError)) {
            *errorText = QStringLiteral("cannot store to %1: %2").arg(mStoreFile, writeError);
            return false;
        }
    }
    mConfiguration = kept;
    return true;
}

} // namespace Tarn::Sim
