#include "fileOperationsFixture.h"

#include <abstractmessage.h>
#include <configuration.h>
#include <leafPaths.h>
#include <deviceFactory.h>
#include <product.h>
#include <stateMachine.h>

#include <QFile>
#include <QTest>
#include <QUrl>

namespace SmTest {

const QString GatewayProductId = QStringLiteral("012001017701");

bool writeFile(const QString& filePath, const QByteArray& bytes)
{
    QFile file(filePath);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& filePath)
{
    QFile file(filePath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString fileUrl(const QString& filePath)
{
    return QUrl::fromLocalFile(filePath).toString();
}

namespace {

QObject* canConfig(const QKel::Device::AbstractDevice& device)
{
    return device.property("canConfig").value<QKel::Pb::AbstractMessage*>();
}

} // namespace

QByteArray gatewayConfiguration(unsigned serialNumber, uint canBitRate)
{
    const auto device = QKel::Device::DeviceFactory::instance()->createDevice(GatewayProductId);
    if (!device || !device->deviceInfo() || !canConfig(*device)) {
        return QByteArray();
    }
    device->deviceInfo()->setSerialNumber(serialNumber);
    if (canBitRate != 0) {
        canConfig(*device)->setProperty("baudRateBps", canBitRate);
    }
    return device->serializeToByteArray();
}

uint canBitRate(const QKel::Device::AbstractDevice& device)
{
    const QObject* can = canConfig(device);
    return can ? can->property("baudRateBps").toUInt() : 0;
}

bool startFacade(QKel::Sm::StateMachine& facade, const QString& startupFile, bool autoflash)
{
    facade.setStartupOptions(startupFile, autoflash);
    return facade.startAndWait();
}

QByteArray alteredFile(const QByteArray& valid, void (*alter)(Kel::Pb::Configuration::File&))
{
    Kel::Pb::Configuration::File record;
    record.ParseFromArray(valid.constData(), valid.size());
    alter(record);
    return QByteArray::fromStdString(record.SerializeAsString());
}

const QVector<LeafValue> GatewaySecrets = {
    {QStringLiteral("interface/network/wlan.data.data.authentication.passphrase"), QStringLiteral("Geheim-WPA-2024")},
    {QStringLiteral("interface/network/bluetooth.data.data.pinCode2p0"), QStringLiteral("Zx9Q4711")},
    {QStringLiteral("interface/network/bluetooth.data.data.passkey"), QStringLiteral("918273")},
};

QByteArray withLeaves(const QByteArray& valid, const QVector<LeafValue>& leaves)
{
    Kel::Pb::Configuration::File record;
    if (!record.ParseFromArray(valid.constData(), valid.size()))
        return QByteArray();
    for (const LeafValue& leaf : leaves) {
        QString error;
        if (!QKel::Frc::LeafPaths::set(&record, leaf.path, leaf.value, &error)) {
            qWarning() << error;
            return QByteArray();
        }
    }
    record.set_checksum(QKel::Pb::Configuration::File::computeChecksum(record));
    return QByteArray::fromStdString(record.SerializeAsString());
}

} // namespace SmTest
