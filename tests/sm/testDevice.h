#pragma once

#include <device/abstractDevice.h>

#include <QByteArrayList>

// A device of the tests' own driver: it keeps its configuration as plain bytes
// and remembers what the session handed it, so a test can tell a restored
// configuration from a device information refresh.
class TestDevice : public QKel::Device::AbstractDevice
{
    Q_OBJECT

public:
    explicit TestDevice(const QStringList& productIds, const QByteArray& configuration = QByteArray());

    QSharedPointer<QKel::Device::AbstractDevice> createNewInstance() const override;
    QKel::Pb::Product::DeviceInfo* deviceInfo() const override;
    QString name() const override;
    QStringList productIds() const override;
    QString qmlPath() const override;
    void parseDeviceInfoFromConfiguration(const QKel::Device::ParsedConfiguration& configuration) override;
    QByteArray serializeToByteArray() const override;
    void restoreFromByteArray(const QByteArray& data) override;

    // Gives the device a product information record, as a read device has.
    void addDeviceInfo();
    // Makes restoreFromByteArray report this load error before it finishes.
    void failLoadsWith(QKel::Pb::Configuration::File::LOAD_ERROR loadError);

    QByteArrayList restored;
    QByteArrayList parsed;

private:
    QStringList mProductIds;
    QByteArray mConfiguration;
    QKel::Pb::Product::DeviceInfo* mDeviceInfo = nullptr;
    QKel::Pb::Configuration::File::LOAD_ERROR mLoadError = QKel::Pb::Configuration::File::LOAD_ERROR__NONE;
};
