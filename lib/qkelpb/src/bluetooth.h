#pragma once

#include "abstractmessage.h"

#include <bluetooth.pb.h>

namespace QKel::Pb::Bluetooth {

// Settings of Bluetooth classic; the record has no fields yet and the
// wrapper says so whenever it is loaded or packed.
class ClassicConfig : public AbstractMessage
{
    Q_OBJECT
    QKEL_PB_MESSAGE(ClassicConfig, Kel::Pb::Bluetooth::ClassicConfig)
};

// Settings of Bluetooth low energy; as bare as ClassicConfig.
class LowEnergyConfig : public AbstractMessage
{
    Q_OBJECT
    QKEL_PB_MESSAGE(LowEnergyConfig, Kel::Pb::Bluetooth::LowEnergyConfig)
};

// The Bluetooth radio. At most one of classicConfig and lowEnergyConfig
// exists: setting one removes the other.
class Config : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(bool discoverable READ discoverable WRITE setDiscoverable NOTIFY discoverableChanged)
    Q_PROPERTY(bool pairable READ pairable WRITE setPairable NOTIFY pairableChanged)
    Q_PROPERTY(SECURITY_MODE securityMode READ securityMode WRITE setSecurityMode NOTIFY securityModeChanged)
    Q_PROPERTY(uint passkey READ passkey WRITE setPasskey NOTIFY passkeyChanged)
    Q_PROPERTY(bool allowPairing2p0 READ allowPairing2p0 WRITE setAllowPairing2p0 NOTIFY allowPairing2p0Changed)
    Q_PROPERTY(QString pinCode2p0 READ pinCode2p0 WRITE setPinCode2p0 NOTIFY pinCode2p0Changed)
    Q_PROPERTY(uint outputPowerPercent READ outputPowerPercent WRITE setOutputPowerPercent NOTIFY outputPowerPercentChanged)
    Q_PROPERTY(QKel::Pb::Bluetooth::ClassicConfig* classicConfig READ classicConfig WRITE setClassicConfig NOTIFY classicConfigChanged)
    Q_PROPERTY(QKel::Pb::Bluetooth::LowEnergyConfig* lowEnergyConfig READ lowEnergyConfig WRITE setLowEnergyConfig NOTIFY lowEnergyConfigChanged)
    QKEL_PB_MESSAGE(Config, Kel::Pb::Bluetooth::Config)

public:
    enum SECURITY_MODE : int {
        SECURITY_MODE__DISABLED = 0,
        SECURITY_MODE__JUST_WORKS = 1,
    };
    Q_ENUM(SECURITY_MODE)

    bool discoverable() const;
    void setDiscoverable(bool value);
    bool pairable() const;
    void setPairable(bool value);
    SECURITY_MODE securityMode() const;
    void setSecurityMode(SECURITY_MODE value);
    uint passkey() const;
    void setPasskey(uint value);
    bool allowPairing2p0() const;
    void setAllowPairing2p0(bool value);
    QString pinCode2p0() const;
    void setPinCode2p0(QString value);
    uint outputPowerPercent() const;
    void setOutputPowerPercent(uint value);
    ClassicConfig* classicConfig() const;
    void setClassicConfig(ClassicConfig* child);
    LowEnergyConfig* lowEnergyConfig() const;
    void setLowEnergyConfig(LowEnergyConfig* child);

signals:
    void discoverableChanged(bool);
    void pairableChanged(bool);
    void securityModeChanged(QKel::Pb::Bluetooth::Config::SECURITY_MODE);
    void passkeyChanged(uint);
    void allowPairing2p0Changed(bool);
    void pinCode2p0Changed(QString);
    void outputPowerPercentChanged(uint);
    void classicConfigChanged(QKel::Pb::Bluetooth::ClassicConfig*);
    void lowEnergyConfigChanged(QKel::Pb::Bluetooth::LowEnergyConfig*);
};

}  // namespace QKel::Pb::Bluetooth
