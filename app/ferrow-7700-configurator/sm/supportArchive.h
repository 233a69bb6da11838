#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace QKel::Device {
class AbstractDevice;
}

namespace QKel::Sm {

// The ZIP file a user sends to support: the configuration being edited as
// "config.frc" and a short description of program and device as "details.txt".
class SupportArchive
{
public:
    // Passwords, keys and PINs go to a support desk only when the user asks.
    enum class Secrets { Mask, Include };

    // Builds the archive in memory and writes it to filePath in one step.
    // Returns false and fills errorText when any part failed; then no file is
    // left at filePath (an existing one is kept as it was).
    static bool write(const QString& filePath, const QKel::Device::AbstractDevice& device,
                      const QString& deviceIdString, Secrets secrets, QString* errorText);

    // The text of "details.txt", lines ending in CR LF, in the local 8-bit encoding.
    static QByteArray detailsText(const QDateTime& now, const QKel::Device::AbstractDevice& device,
                                  const QString& deviceIdString);

    // The closing part of "details.txt": whether "config.frc" holds the
    // secrets, and which leaves were masked.
    static QByteArray secretsText(Secrets secrets, const QStringList& maskedPaths);
};

} // namespace QKel::Sm
