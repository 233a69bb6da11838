#include "safeFileWriter.h"

#include <QSaveFile>

namespace QKel::Global {

bool SafeFileWriter::write(const QString& filePath, const QByteArray& data, QString* errorText)
{
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly)) {
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

} // namespace QKel::Global
