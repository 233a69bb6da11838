#pragma once

#include "device/parsedConfiguration.h"
#include "global/serializable.h"
#include "qkelferrow_export.h"

#include <configuration.h>
#include <network.h>
#include <product.h>

#include <QObject>
#include <QSharedPointer>
#include <QStringList>
#include <QtPlugin>

namespace QKel::Device {

// The contract between the configurator and a device driver. Drivers are Qt
// plug-ins whose root object implements this class; every device the program
// edits is made by a driver's createNewInstance().
class QKELFERROW_EXPORT AbstractDevice : public QObject, public QKel::Global::Serializable
{
    Q_OBJECT
    Q_PROPERTY(QKel::Pb::Product::DeviceInfo* deviceInfo READ deviceInfo NOTIFY deviceInfoChanged)
    Q_PROPERTY(QString primaryProductId READ primaryProductId CONSTANT)
    Q_PROPERTY(QStringList productIds READ productIds CONSTANT)
    Q_PROPERTY(QString qmlPath READ qmlPath CONSTANT)
    Q_PROPERTY(QKel::Pb::Network::DeviceInfo* wlanModuleInfo READ wlanModuleInfo NOTIFY moduleInfoChanged)
    Q_PROPERTY(QKel::Pb::Network::DeviceInfo* bluetoothModuleInfo READ bluetoothModuleInfo NOTIFY moduleInfoChanged)

public:
    explicit AbstractDevice(QObject* parent = nullptr);

    virtual QSharedPointer<AbstractDevice> createNewInstance() const = 0;
    virtual QKel::Pb::Product::DeviceInfo* deviceInfo() const = 0;
    Q_INVOKABLE virtual QString name() const = 0;
    virtual QStringList productIds() const = 0;
    virtual QString qmlPath() const = 0;
    // Copies the device information found in configuration file bytes into
    // the device's own tree: parses them once and hands them to
    // parseDeviceInfoFromConfiguration.
    void parseDeviceInfoFromConfigurationData(const QByteArray& data);
    // The same from a configuration parsed once for all who need it. The base
    // copies the product's device information; drivers add their own parts
    // and then call the base.
    virtual void parseDeviceInfoFromConfiguration(const ParsedConfiguration& configuration);
    // Replaces the device's configuration by a parsed one, reporting refused
    // bytes as restoreFromByteArray does. The base restores from the bytes,
    // which suits a device that keeps them; a driver that keeps the parsed
    // tree takes the file over instead of parsing the bytes again.
    virtual void restoreFromConfiguration(const ParsedConfiguration& configuration);

    // The device information of the gateway's WLAN and Bluetooth modules as
    // its configuration reports them (for the support archive and the device
    // information window); null for a device without that module. A driver
    // emits moduleInfoChanged() when they may have been replaced.
    virtual QKel::Pb::Network::DeviceInfo* wlanModuleInfo() const;
    virtual QKel::Pb::Network::DeviceInfo* bluetoothModuleInfo() const;

    QString primaryProductId() const;
    void resetDeviceInfo();

signals:
    void saveNeeded();
    void deviceInfoChanged(QKel::Pb::Product::DeviceInfo* deviceInfo);
    void moduleInfoChanged();
    void loadError(QKel::Pb::Configuration::File::LOAD_ERROR loadError);
};

} // namespace QKel::Device

#define QKel_Device_AbstractDevice_iid "QKel.Device.AbstractDevice"
Q_DECLARE_INTERFACE(QKel::Device::AbstractDevice, QKel_Device_AbstractDevice_iid)
