#include "ip.h"

#include "wrapperdefinition.h"

namespace QKel::Pb::Ip {

QKEL_PB_WRAPPER(Config, "Ip::Config")
QKEL_PB_VALUE(Config, DHCP_MODE, dhcpMode, setDhcpMode)
QKEL_PB_VALUE(Config, QString, ipAddress, setIpAddress)
QKEL_PB_VALUE(Config, QString, netmask, setNetmask)
QKEL_PB_VALUE(Config, QString, gateway, setGateway)
QKEL_PB_VALUE(Config, QStringList, dnsList, setDnsList)

}  // namespace QKel::Pb::Ip
