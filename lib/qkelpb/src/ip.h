#pragma once

#include "abstractmessage.h"

#include <QStringList>

#include <ip.pb.h>

namespace QKel::Pb::Ip {

class Config : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(DHCP_MODE dhcpMode READ dhcpMode WRITE setDhcpMode NOTIFY dhcpModeChanged)
    Q_PROPERTY(QString ipAddress READ ipAddress WRITE setIpAddress NOTIFY ipAddressChanged)
    Q_PROPERTY(QString netmask READ netmask WRITE setNetmask NOTIFY netmaskChanged)
    Q_PROPERTY(QString gateway READ gateway WRITE setGateway NOTIFY gatewayChanged)
    Q_PROPERTY(QStringList dnsList READ dnsList WRITE setDnsList NOTIFY dnsListChanged)
    QKEL_PB_MESSAGE(Config, Kel::Pb::Ip::Config)

public:
    enum DHCP_MODE : int {
        DHCP_MODE__DISABLED = 0,
        DHCP_MODE__CLIENT = 1,
        DHCP_MODE__SERVER = 2,
    };
    Q_ENUM(DHCP_MODE)

    DHCP_MODE dhcpMode() const;
    void setDhcpMode(DHCP_MODE value);
    QString ipAddress() const;
    void setIpAddress(QString value);
    QString netmask() const;
    void setNetmask(QString value);
    QString gateway() const;
    void setGateway(QString value);
    QStringList dnsList() const;
    void setDnsList(QStringList value);

signals:
    void dhcpModeChanged(QKel::Pb::Ip::Config::DHCP_MODE);
    void ipAddressChanged(QString);
    void netmaskChanged(QString);
    void gatewayChanged(QString);
    void dnsListChanged(QStringList);
};

}  // namespace QKel::Pb::Ip
