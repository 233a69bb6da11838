#pragma once

#include <configuration.h>

#include <QByteArray>
#include <QString>

namespace QKel::Sm {

// Keeps every configuration a gateway reports as a ".frc" file in the user's
// data location, so that what a write replaced can always be had back:
//   backups/<product ID>/<serial number, or the identification string>/<UTC time>.frc
// The newest MaxBackupsPerDevice files of a device are kept. A backup holds the
// gateway's passwords and PINs, so only the user may list the folders (0700)
// and read the files (0600), whatever the umask.
class DeviceBackup
{
public:
    static constexpr int MaxBackupsPerDevice = 100;

    // The folder that holds the backups of all devices.
    static QString rootFolder();

    // The serial number of a configuration's first product entry that has
    // one; 0 when it carries none.
    static quint32 serialNumber(const QKel::Pb::Configuration::File& configuration);

    // The folder of one device's backups, named by its serial number; the
    // identification string stands in for a configuration that carries none.
    static QString deviceFolder(const QString& productId, const QString& deviceIdString, quint32 serialNumber);

    // Creates `folder` when missing and leaves it and every folder between it
    // and the root to the user alone, tightening folders made before.
    static bool makePrivateFolder(const QString& folder);

    // Writes the bytes unchanged into `folder` under the current UTC time and
    // removes the device's oldest backups beyond the limit; the files kept
    // are the user's alone. Returns the new file's path, or an empty string
    // with `errorText` set.
    static QString keep(const QString& folder, const QByteArray& configuration, QString* errorText);
};

} // namespace QKel::Sm
