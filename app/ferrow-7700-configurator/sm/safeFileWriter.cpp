#include "safeFileWriter.h"

#include <QSaveFile>

namespace QKel::Sm {

bool SafeFileWriter::write(const QString& filePath, const QByteArray& data, QString* errorText)
{
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly)) {
        *errorText = file.errorString();
        return false;
    }
    if (file.write(data) != data.size()) {
        *errorText = file.errorString();
        return false; // the unfinished temporary file is discarded with `file`
    }
    if (!file.commit()) {
        *errorText = file.errorString();
        return false;
    }
    return true;
}

} // namespace QKel::Sm
