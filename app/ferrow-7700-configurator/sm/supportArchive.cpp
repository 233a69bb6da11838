#include "supportArchive.h"

#include "safeFileWriter.h"
#include "secretMask.h"

#include <device/abstractDevice.h>
#include <network.h>
#include <product.h>

#include <KZip>

#include <QBuffer>
#include <QCoreApplication>

namespace QKel::Sm {

namespace {

constexpr mode_t EntryPermissions = 0100644;
const QString EntryOwner = QStringLiteral("kel");

// The text lines are built as QString and stored in the local 8-bit encoding.
class DetailsWriter
{
public:
    void line(const QString& text) { mText += (text + QStringLiteral("\r\n")).toLocal8Bit(); }
    void line(const QString& label, const QString& value) { line(label.arg(value)); }
    QByteArray text() const { return mText; }

private:
    QByteArray mText;
};

QString hex(qulonglong value)
{
    return QString::number(value, 16);
}

void writeProductInfo(DetailsWriter& out, const QKel::Pb::Product::DeviceInfo& info)
{
    out.line(QStringLiteral("Serial number: %1"), QString::number(info.serialNumber()));
    out.line(QStringLiteral("Product code: %1"), hex(info.productCode()));
    out.line(QStringLiteral("Vendor ID: %1"), hex(info.vendorId()));
    out.line(QStringLiteral("Product group: %1"), hex(info.productGroup()));
    const auto manufactured = QDateTime::fromSecsSinceEpoch(qint64(info.unixTimeOfManufacture()), Qt::UTC);
    out.line(QStringLiteral("UNIX time of manufacture: %1"),
             manufactured.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss 'UTC'")));
}

bool writeEntry(KZip& zip, const QString& name, const QByteArray& data)
{
    const QDateTime now = QDateTime::currentDateTime();
    return zip.writeFile(name, data, EntryPermissions, EntryOwner, EntryOwner, now, now, now);
}

} // namespace

QByteArray SupportArchive::detailsText(const QDateTime& now, const QKel::Device::AbstractDevice& device,
                                       const QString& deviceIdString)
{
    DetailsWriter out;
    out.line(QStringLiteral("Date and time: %1"), now.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")));
    out.line(QString());
    out.line(QStringLiteral("APPLICATION\r\n-----------"));
    out.line(QStringLiteral("Name: %1"), QCoreApplication::applicationName());
    out.line(QStringLiteral("Version: %1"), QCoreApplication::applicationVersion());
    out.line(QString());
    out.line(QStringLiteral("DEVICE\r\n------"));
    out.line(QStringLiteral("ID string: %1"), deviceIdString);
    const auto* info = device.deviceInfo();
    if (!info) {
        out.line(QStringLiteral("Device info: [NONE]"));
        return out.text();
    }
    writeProductInfo(out, *info);
    if (const auto* wlan = device.wlanModuleInfo()) {
        out.line(QStringLiteral("WLAN FW version: %1"), wlan->moduleVersion());
        out.line(QStringLiteral("WLAN MAC address: %1"), wlan->mac());
    }
    if (const auto* bluetooth = device.bluetoothModuleInfo()) {
        out.line(QStringLiteral("Bluetooth MAC address: %1"), bluetooth->mac());
    }
    return out.text();
}

QByteArray SupportArchive::secretsText(Secrets secrets, const QStringList& maskedPaths)
{
    DetailsWriter out;
    out.line(QString());
    out.line(QStringLiteral("CONFIGURATION\r\n-------------"));
    if (secrets == Secrets::Include) {
        out.line(QStringLiteral("Passwords and PINs: included in config.frc"));
    } else if (maskedPaths.isEmpty()) {
        out.line(QStringLiteral("Passwords and PINs: none set"));
    } else {
        out.line(QStringLiteral("Passwords and PINs removed from config.frc:"));
        for (const QString& path : maskedPaths)
            out.line(QStringLiteral("  %1"), path);
    }
    return out.text();
}

bool SupportArchive::write(const QString& filePath, const QKel::Device::AbstractDevice& device,
                           const QString& deviceIdString, Secrets secrets, QString* errorText)
{
    QByteArray configuration = device.serializeToByteArray();
    QStringList maskedPaths;
    if (secrets == Secrets::Mask) {
        configuration = QKel::Frc::SecretMask::masked(configuration, &maskedPaths);
        // Better no archive than one that carries what the user kept back.
        if (configuration.isEmpty()) {
            *errorText = QStringLiteral("The configuration could not be read to remove its passwords and PINs");
            return false;
        }
    }
    QByteArray archive;
    QBuffer buffer(&archive);
    KZip zip(&buffer);
    if (!zip.open(QIODevice::WriteOnly)) {
        *errorText = zip.errorString();
        return false;
    }
    // Without the extended timestamp only the DOS modification time is stored.
    zip.setExtraField(KZip::ModificationTime);
    const bool written = writeEntry(zip, QStringLiteral("config.frc"), configuration)
        && writeEntry(zip, QStringLiteral("details.txt"),
                      detailsText(QDateTime::currentDateTime(), device, deviceIdString)
                          + secretsText(secrets, maskedPaths));
    const bool closed = zip.close();
    if (!written || !closed) {
        *errorText = zip.errorString().isEmpty() ? QStringLiteral("Could not write the archive entries")
                                                 : zip.errorString();
        return false;
    }
    return Global::SafeFileWriter::write(filePath, archive, errorText);
}

} // namespace QKel::Sm
