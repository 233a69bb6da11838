#pragma once

#include <device/abstractDevice.h>

// A minimal driver whose name and product IDs are fixed at build time, so the
// test suite can build several distinct driver plug-ins from one source.
class TestDriver : public QKel::Device::AbstractDevice
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QKel_Device_AbstractDevice_iid)
    Q_INTERFACES(QKel::Device::AbstractDevice)

public:
    explicit TestDriver(QObject* parent = nullptr);
    ~TestDriver() override;

    QSharedPointer<QKel::Device::AbstractDevice> createNewInstance() const override;
    QKel::Pb::Product::DeviceInfo* deviceInfo() const override;
    QString name() const override;
    QStringList productIds() const override;
    QString qmlPath() const override;
    QByteArray serializeToByteArray() const override;
    void restoreFromByteArray(const QByteArray& data) override;
};
