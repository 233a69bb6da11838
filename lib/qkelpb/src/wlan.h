#pragma once

#include "abstractmessage.h"
#include "ip.h"

#include <QList>

#include <wlan.pb.h>

namespace QKel::Pb::Wlan {

class EnterpriseAuthentication : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(QString userName READ userName WRITE setUserName NOTIFY userNameChanged)
    Q_PROPERTY(QString domainName READ domainName WRITE setDomainName NOTIFY domainNameChanged)
    Q_PROPERTY(QString password READ password WRITE setPassword NOTIFY passwordChanged)
    QKEL_PB_MESSAGE(EnterpriseAuthentication, Kel::Pb::Wlan::EnterpriseAuthentication)

public:
    QString userName() const;
    void setUserName(QString value);
    QString domainName() const;
    void setDomainName(QString value);
    QString password() const;
    void setPassword(QString value);

signals:
    void userNameChanged(QString);
    void domainNameChanged(QString);
    void passwordChanged(QString);
};

// The record holds either a passphrase or the enterprise credentials; the
// enterprise modes keep a child for the latter.
class Authentication : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(AUTHENTICATION_MODE authenticationMode READ authenticationMode WRITE setAuthenticationMode NOTIFY authenticationModeChanged)
    Q_PROPERTY(QString passphrase READ passphrase WRITE setPassphrase NOTIFY passphraseChanged)
    Q_PROPERTY(QKel::Pb::Wlan::EnterpriseAuthentication* enterpriseAuthentication READ enterpriseAuthentication WRITE setEnterpriseAuthentication NOTIFY enterpriseAuthenticationChanged)
    QKEL_PB_MESSAGE(Authentication, Kel::Pb::Wlan::Authentication)

public:
    enum AUTHENTICATION_MODE : int {
        AUTHENTICATION_MODE__NONE = 0,
        AUTHENTICATION_MODE__OPEN_WEP64 = 1,
        AUTHENTICATION_MODE__OPEN_WEP128 = 2,
        AUTHENTICATION_MODE__SHARED_WEP64 = 3,
        AUTHENTICATION_MODE__SHARED_WEP128 = 4,
        AUTHENTICATION_MODE__WPA = 5,
        AUTHENTICATION_MODE__WPA2 = 6,
        AUTHENTICATION_MODE__WPA_WPA2_MIXED = 7,
        AUTHENTICATION_MODE__LEAP = 8,
        AUTHENTICATION_MODE__PEAP = 9,
        AUTHENTICATION_MODE__EAPTLS = 10,
    };
    Q_ENUM(AUTHENTICATION_MODE)

    AUTHENTICATION_MODE authenticationMode() const;
    void setAuthenticationMode(AUTHENTICATION_MODE value);
    QString passphrase() const;
    void setPassphrase(QString value);
    EnterpriseAuthentication* enterpriseAuthentication() const;
    void setEnterpriseAuthentication(EnterpriseAuthentication* child);

signals:
    void authenticationModeChanged(QKel::Pb::Wlan::Authentication::AUTHENTICATION_MODE);
    void passphraseChanged(QString);
    void enterpriseAuthenticationChanged(QKel::Pb::Wlan::EnterpriseAuthentication*);
};

// Settings used in mini access point mode.
class AccessPointConfig : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(uint standardMask READ standardMask WRITE setStandardMask NOTIFY standardMaskChanged)
    Q_PROPERTY(uint channel READ channel WRITE setChannel NOTIFY channelChanged)
    Q_PROPERTY(uint dataRateMask READ dataRateMask WRITE setDataRateMask NOTIFY dataRateMaskChanged)
    QKEL_PB_MESSAGE(AccessPointConfig, Kel::Pb::Wlan::AccessPointConfig)

public:
    // Bits of standardMask.
    enum STANDARD : int {
        STANDARD__802_11_B = 1,
        STANDARD__802_11_AG = 2,
    };
    Q_ENUM(STANDARD)

    // Bits of dataRateMask.
    enum DATA_RATE : int {
        DATA_RATE__1_MBIT_S = 1,
        DATA_RATE__2_MBIT_S = 2,
        DATA_RATE__5_5_MBIT_S = 4,
        DATA_RATE__6_MBIT_S = 8,
        DATA_RATE__9_MBIT_S = 16,
        DATA_RATE__11_MBIT_S = 32,
        DATA_RATE__12_MBIT_S = 64,
        DATA_RATE__18_MBIT_S = 128,
        DATA_RATE__24_MBIT_S = 256,
        DATA_RATE__36_MBIT_S = 512,
        DATA_RATE__48_MBIT_S = 1024,
        DATA_RATE__54_MBIT_S = 2048,
    };
    Q_ENUM(DATA_RATE)

    uint standardMask() const;
    void setStandardMask(uint value);
    uint channel() const;
    void setChannel(uint value);
    uint dataRateMask() const;
    void setDataRateMask(uint value);

signals:
    void standardMaskChanged(uint);
    void channelChanged(uint);
    void dataRateMaskChanged(uint);
};

class Config : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(OPERATING_MODE mode READ mode WRITE setMode NOTIFY modeChanged)
    Q_PROPERTY(QString ssid READ ssid WRITE setSsid NOTIFY ssidChanged)
    Q_PROPERTY(QString bssid READ bssid WRITE setBssid NOTIFY bssidChanged)
    Q_PROPERTY(QKel::Pb::Wlan::Authentication* authentication READ authentication WRITE setAuthentication NOTIFY authenticationChanged)
    Q_PROPERTY(QKel::Pb::Ip::Config* ipConfig READ ipConfig WRITE setIpConfig NOTIFY ipConfigChanged)
    Q_PROPERTY(QList<quint32> channelList READ channelList WRITE setChannelList NOTIFY channelListChanged)
    Q_PROPERTY(uint outputPowerPercent READ outputPowerPercent WRITE setOutputPowerPercent NOTIFY outputPowerPercentChanged)
    Q_PROPERTY(QKel::Pb::Wlan::AccessPointConfig* accessPointConfig READ accessPointConfig WRITE setAccessPointConfig NOTIFY accessPointConfigChanged)
    QKEL_PB_MESSAGE(Config, Kel::Pb::Wlan::Config)

public:
    enum OPERATING_MODE : int {
        OPERATING_MODE__ADHOC = 0,
        OPERATING_MODE__INFRASTRUCTURE = 1,
        OPERATING_MODE__MINI_AP = 2,
    };
    Q_ENUM(OPERATING_MODE)

    OPERATING_MODE mode() const;
    void setMode(OPERATING_MODE value);
    QString ssid() const;
    void setSsid(QString value);
    QString bssid() const;
    void setBssid(QString value);
    Authentication* authentication() const;
    void setAuthentication(Authentication* child);
    Ip::Config* ipConfig() const;
    void setIpConfig(Ip::Config* child);
    QList<quint32> channelList() const;
    void setChannelList(QList<quint32> value);
    uint outputPowerPercent() const;
    void setOutputPowerPercent(uint value);
    AccessPointConfig* accessPointConfig() const;
    void setAccessPointConfig(AccessPointConfig* child);

signals:
    void modeChanged(QKel::Pb::Wlan::Config::OPERATING_MODE);
    void ssidChanged(QString);
    void bssidChanged(QString);
    void authenticationChanged(QKel::Pb::Wlan::Authentication*);
    void ipConfigChanged(QKel::Pb::Ip::Config*);
    void channelListChanged(QList<quint32>);
    void outputPowerPercentChanged(uint);
    void accessPointConfigChanged(QKel::Pb::Wlan::AccessPointConfig*);
};

}  // namespace QKel::Pb::Wlan
