#pragma once

#include <QByteArray>
#include <QString>

namespace QKel::Global {

// Replaces a file's content in one step: the bytes go to a temporary file that
// takes the target's place only once everything was written, so a failed write
// leaves the previous file untouched and no partial file behind.
class SafeFileWriter
{
public:
    // Returns false and fills errorText when the file could not be written.
    static bool write(const QString& filePath, const QByteArray& data, QString* errorText);

    // The same for a file only its owner may read or write, whatever the
    // process's umask: the bytes never sit in a file others can open.
    static bool writePrivate(const QString& filePath, const QByteArray& data, QString* errorText);
};

} // namespace QKel::Global
