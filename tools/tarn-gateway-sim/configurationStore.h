#pragma once

#include <QByteArray>
#include <QString>

namespace Tarn::Sim {

// The configuration the simulated gateway keeps: the bytes it serves to a read
// ("L") and the check and storage of the bytes a write ("S") brings.
class ConfigurationStore
{
public:
    // Opaque bytes served when no file is given.
    static const QByteArray DefaultConfiguration;

    // Serves the bytes of `servedFile` (or the default when empty) and stores
    // written bytes to `storeFile` when one is given.
    bool load(const QString& servedFile, const QString& storeFile, QString* errorText);

    QByteArray served() const;
    // Checks and keeps written configuration bytes; false means the device
    // refuses them (answers "E").
    bool accept(const QByteArray& configuration, QString* errorText);

private:
    QByteArray mConfiguration = DefaultConfiguration;
    QString mStoreFile;
};

} // namespace Tarn::Sim
