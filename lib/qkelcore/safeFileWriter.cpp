#include "safeFileWriter.h"

#include <QSaveFile>

namespace QKel::Global {

namespace {

bool writeFile(const QString& filePath, const QByteArray& data, bool ownerOnly, QString* errorText)
{
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly)) {
        *errorText = file.errorString();
        return false;
    }
    // The temporary file takes the target's place with these permissions.
    if (ownerOnly && !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        *errorText = file.errorString();
        return false;
    }
    // commit() does not see a failure of the buffer's last flush (a full disk,
    // a file size limit), so the bytes are pushed out and checked here first.
    if (file.write(data) != data.size() || !file.flush()) {
        *errorText = file.errorString();
        return false; // the unfinished temporary file is discarded with `file`
    }
    if (!file.commit()) {
        *errorText = file.errorString();
        return false;
    }
    return true;
}

} // namespace

bool SafeFileWriter::write(const QString& filePath, const QByteArray& data, QString* errorText)
{
    return writeFile(filePath, data, false, errorText);
}

bool SafeFileWriter::writePrivate(const QString& filePath, const QByteArray& data, QString* errorText)
{
    return writeFile(filePath, data, true, errorText);
}

} // namespace QKel::Global
