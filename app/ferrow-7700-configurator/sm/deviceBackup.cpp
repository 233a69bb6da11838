#include "deviceBackup.h"

#include "safeFileWriter.h"

#include <product.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace QKel::Sm {

namespace {

// Sorts as it ages and holds no character a file system refuses.
const QString TimeFormat = QStringLiteral("yyyy-MM-dd'T'HH-mm-ss.zzz'Z'");
const QString Suffix = QStringLiteral(".frc");

// A device's text as one folder name: no separators, no leading dot, never empty.
QString folderName(const QString& text)
{
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9 ._+-]"));
    QString name = text.trimmed();
    name.replace(unsafe, QStringLiteral("_"));
    if (name.startsWith(QLatin1Char('.'))) {
        name[0] = QLatin1Char('_');
    }
    return name.isEmpty() ? QStringLiteral("unknown") : name;
}

// A name not taken yet: two reads in one millisecond get consecutive times.
QString freshFilePath(const QDir& dir)
{
    QDateTime time = QDateTime::currentDateTimeUtc();
    QString path;
    do {
        path = dir.filePath(time.toString(TimeFormat) + Suffix);
        time = time.addMSecs(1);
    } while (QFileInfo::exists(path));
    return path;
}

const QFileDevice::Permissions OwnerFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
const QFileDevice::Permissions OwnerFolder = OwnerFile | QFileDevice::ExeOwner;

// Backups written before they were private are tightened too.
void removeOldestAndTighten(QDir dir)
{
    const QStringList names = dir.entryList({QStringLiteral("*") + Suffix}, QDir::Files, QDir::Name);
    const int excess = names.size() - DeviceBackup::MaxBackupsPerDevice;
    for (int i = 0; i < names.size(); ++i) {
        if (i < excess)
            dir.remove(names.at(i));
        else
            QFile::setPermissions(dir.filePath(names.at(i)), OwnerFile);
    }
}

} // namespace

QString DeviceBackup::rootFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/backups");
}

quint32 DeviceBackup::serialNumber(const QKel::Pb::Configuration::File& configuration)
{
    for (const QKel::Pb::Configuration::Data* entry : configuration.dataList()) {
        const auto* product = entry && entry->type() == QKel::Pb::Configuration::Data::TYPE__PRODUCT
            ? qobject_cast<const QKel::Pb::Product::Config*>(entry->object())
            : nullptr;
        if (product && product->deviceInfo() && product->deviceInfo()->serialNumber() != 0) {
            return product->deviceInfo()->serialNumber();
        }
    }
    return 0;
}

QString DeviceBackup::deviceFolder(const QString& productId, const QString& deviceIdString, quint32 serial)
{
    const QString device = serial != 0 ? QString::number(serial) : deviceIdString;
    return rootFolder() + QLatin1Char('/') + folderName(productId) + QLatin1Char('/') + folderName(device);
}

bool DeviceBackup::makePrivateFolder(const QString& folder)
{
    if (!QDir().mkpath(folder))
        return false;
    const QString root = QDir::cleanPath(rootFolder());
    QString level = QDir::cleanPath(folder);
    bool tightened = true;
    // A folder outside the root is a caller's own: only it is tightened.
    for (;;) {
        tightened = QFile::setPermissions(level, OwnerFolder) && tightened;
        if (level == root || !level.startsWith(root + QLatin1Char('/')))
            break;
        level = QFileInfo(level).path();
    }
    return tightened;
}

QString DeviceBackup::keep(const QString& folder, const QByteArray& configuration, QString* errorText)
{
    if (!makePrivateFolder(folder)) {
        *errorText = QStringLiteral("Could not create the folder or make it private");
        return QString();
    }
    QDir dir(folder);
    const QString path = freshFilePath(dir);
    if (!Global::SafeFileWriter::writePrivate(path, configuration, errorText)) {
        return QString();
    }
    removeOldestAndTighten(dir);
    return path;
}

} // namespace QKel::Sm
