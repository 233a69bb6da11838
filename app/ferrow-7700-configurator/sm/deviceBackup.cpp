#include "deviceBackup.h"

#include "safeFileWriter.h"

#include <configuration.pb.h>
#include <product.pb.h>

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

} // namespace

// The first product entry that has one.
quint32 DeviceBackup::serialNumber(const QByteArray& configuration)
{
    Kel::Pb::Configuration::File file;
    if (!file.ParsePartialFromArray(configuration.constData(), configuration.size())) {
        return 0;
    }
    for (const auto& entry : file.data()) {
        Kel::Pb::Product::Config product;
        if (entry.type() == Kel::Pb::Configuration::TYPE__PRODUCT
            && product.ParsePartialFromString(entry.data()) && product.deviceinfo().serialnumber() != 0) {
            return product.deviceinfo().serialnumber();
        }
    }
    return 0;
}

namespace {

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

QString DeviceBackup::deviceFolder(const QString& productId, const QString& deviceIdString,
                                   const QByteArray& configuration)
{
    const quint32 serial = serialNumber(configuration);
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
