#pragma once

#include <device/abstractDevice.h>

#include <QScopedPointer>

namespace QKel::Pb {
class AbstractMessage;
}

namespace QKel::Device {

class FerrowWlan7701Private;

// The driver of the TARN210 WLAN and Bluetooth gateway. A device owns one
// configuration file whose data list is the whole configuration, and offers
// the wrappers that the pages edit as properties.
class FerrowWlan7701 : public AbstractDevice
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QKel_Device_AbstractDevice_iid)
    Q_INTERFACES(QKel::Device::AbstractDevice)
    Q_PROPERTY(QKel::Pb::AbstractMessage* configurationFile READ configurationFile NOTIFY configurationFileChanged)
    Q_PROPERTY(QKel::Pb::AbstractMessage* canConfig READ canConfig NOTIFY canConfigChanged)
    Q_PROPERTY(QObject* canFilterModel READ canFilterModel NOTIFY canFilterModelChanged)
    Q_PROPERTY(QKel::Pb::AbstractMessage* wlanInterface READ wlanInterface NOTIFY wlanInterfaceChanged)
    Q_PROPERTY(QKel::Pb::AbstractMessage* bluetoothInterface READ bluetoothInterface NOTIFY bluetoothInterfaceChanged)
    Q_PROPERTY(QKel::Pb::AbstractMessage* socketRemote READ socketRemote NOTIFY socketRemoteChanged)
    Q_PROPERTY(QKel::Pb::AbstractMessage* socketServer READ socketServer NOTIFY socketServerChanged)
    Q_PROPERTY(QKel::Pb::AbstractMessage* sppRemote READ sppRemote NOTIFY sppRemoteChanged)
    Q_PROPERTY(QKel::Pb::AbstractMessage* sppServer READ sppServer NOTIFY sppServerChanged)
    Q_PROPERTY(QKel::Pb::AbstractMessage* kelConfig READ kelConfig NOTIFY kelConfigChanged)
    Q_PROPERTY(QKel::Pb::AbstractMessage* productConfig READ productConfig NOTIFY productConfigChanged)

public:
    explicit FerrowWlan7701(QObject* parent = nullptr);
    ~FerrowWlan7701() override;

    static const QStringList DEVICE_PRODUCT_IDS;

    QSharedPointer<AbstractDevice> createNewInstance() const override;
    QKel::Pb::Product::DeviceInfo* deviceInfo() const override;
    QKel::Pb::Network::DeviceInfo* wlanModuleInfo() const override;
    QKel::Pb::Network::DeviceInfo* bluetoothModuleInfo() const override;
    QString name() const override;
    QStringList productIds() const override;
    QString qmlPath() const override;
    void parseDeviceInfoFromConfiguration(const QKel::Device::ParsedConfiguration& configuration) override;
    void restoreFromConfiguration(const QKel::Device::ParsedConfiguration& configuration) override;

    QByteArray serializeToByteArray() const override;
    void restoreFromByteArray(const QByteArray& data) override;

    QKel::Pb::AbstractMessage* configurationFile() const;
    QKel::Pb::AbstractMessage* canConfig() const;
    QObject* canFilterModel() const;
    Q_INVOKABLE QKel::Pb::AbstractMessage* wlanInterface() const;
    Q_INVOKABLE QKel::Pb::AbstractMessage* bluetoothInterface() const;
    QKel::Pb::AbstractMessage* socketRemote() const;
    QKel::Pb::AbstractMessage* socketServer() const;
    QKel::Pb::AbstractMessage* sppRemote() const;
    QKel::Pb::AbstractMessage* sppServer() const;
    QKel::Pb::AbstractMessage* kelConfig() const;
    QKel::Pb::AbstractMessage* productConfig() const;

signals:
    void configurationFileChanged(QKel::Pb::AbstractMessage* configurationFile);
    void canConfigChanged(QKel::Pb::AbstractMessage* canConfig);
    void canFilterModelChanged(QObject* canFilterModel);
    void wlanInterfaceChanged(QKel::Pb::AbstractMessage* wlanInterface);
    void bluetoothInterfaceChanged(QKel::Pb::AbstractMessage* bluetoothInterface);
    void socketRemoteChanged(QKel::Pb::AbstractMessage* socketRemote);
    void socketServerChanged(QKel::Pb::AbstractMessage* socketServer);
    void sppRemoteChanged(QKel::Pb::AbstractMessage* sppRemote);
    void sppServerChanged(QKel::Pb::AbstractMessage* sppServer);
    void kelConfigChanged(QKel::Pb::AbstractMessage* kelConfig);
    void productConfigChanged(QKel::Pb::AbstractMessage* productConfig);

private:
    void refreshExternalObjects();

    QScopedPointer<FerrowWlan7701Private> d;
    friend class FerrowWlan7701Private;
};

} // namespace QKel::Device
