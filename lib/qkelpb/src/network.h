#pragma once

#include "abstractmessage.h"

#include <network.pb.h>

namespace QKel::Pb::Network {

// What the radio or CAN module reports about itself.
class DeviceInfo : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(uint number READ number WRITE setNumber NOTIFY numberChanged)
    Q_PROPERTY(QString mac READ mac WRITE setMac NOTIFY macChanged)
    Q_PROPERTY(QString moduleVersion READ moduleVersion WRITE setModuleVersion NOTIFY moduleVersionChanged)
    Q_PROPERTY(QString moduleInfo READ moduleInfo WRITE setModuleInfo NOTIFY moduleInfoChanged)
    QKEL_PB_MESSAGE(DeviceInfo, Kel::Pb::Network::DeviceInfo)

public:
    uint number() const;
    void setNumber(uint value);
    QString mac() const;
    void setMac(QString value);
    QString moduleVersion() const;
    void setModuleVersion(QString value);
    QString moduleInfo() const;
    void setModuleInfo(QString value);

signals:
    void numberChanged(uint);
    void macChanged(QString);
    void moduleVersionChanged(QString);
    void moduleInfoChanged(QString);
};

// A network; data holds the CAN, WLAN or Bluetooth record that type selects.
class Config : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY nameChanged)
    Q_PROPERTY(TYPE type READ type WRITE setType NOTIFY typeChanged)
    Q_PROPERTY(QByteArray data READ data WRITE setData NOTIFY dataChanged)
    Q_PROPERTY(QKel::Pb::AbstractMessage* object READ object WRITE setObject NOTIFY objectChanged)
    Q_PROPERTY(QKel::Pb::Network::DeviceInfo* deviceInfo READ deviceInfo WRITE setDeviceInfo NOTIFY deviceInfoChanged)
    QKEL_PB_MESSAGE(Config, Kel::Pb::Network::Config)

public:
    enum TYPE : int {
        TYPE__NONE = 0,
        TYPE__CAN = 1,
        TYPE__ETHERNET = 2,
        TYPE__WLAN = 3,
        TYPE__BLUETOOTH = 4,
    };
    Q_ENUM(TYPE)

    QString name() const;
    void setName(QString value);
    QKEL_PB_TYPE_AND_DATA_ACCESSORS
    DeviceInfo* deviceInfo() const;
    void setDeviceInfo(DeviceInfo* child);

signals:
    void nameChanged(QString);
    void typeChanged(QKel::Pb::Network::Config::TYPE);
    void dataChanged(QByteArray);
    void objectChanged(QKel::Pb::AbstractMessage*);
    void deviceInfoChanged(QKel::Pb::Network::DeviceInfo*);
};

}  // namespace QKel::Pb::Network
