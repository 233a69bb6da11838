#pragma once

#include <QByteArray>
#include <QString>

namespace Tarn::Sim {

// The configuration the simulated gateway keeps: the bytes it serves to a read
// ("L") and the check and storage of the bytes a write ("S") brings.
class ConfigurationStore
{
public:
    // Serves the bytes of `servedFile` (or, when empty, the TARN210 driver's
    // configuration with the gateway's device information, serial number and
    // product ID) and stores written bytes to `storeFile` when one is given.
    bool load(const QString& servedFile, const QString& storeFile, const QByteArray& productIdBytes,
              quint32 serialNumber, QString* errorText);

    // A gateway that acknowledges writes but silently keeps its old
    // configuration: entirely for AllOld, otherwise the old value of the leaf
    // at that path. False, with `errorText`, for a path the served
    // configuration does not have.
    static const QString AllOld;
    bool keepOldOnWrite(const QString& what, QString* errorText);

    QByteArray served() const;
    // Checks and keeps written configuration bytes; false means the device
    // refuses them (answers "E").
    bool accept(const QByteArray& configuration, QString* errorText);

private:
    QByteArray withOldLeaf(const QByteArray& configuration) const;

    QByteArray mConfiguration;
    QString mStoreFile;
    QString mKeepOld;
};

} // namespace Tarn::Sim
