#include "network.h"

#include "bluetooth.h"
#include "can.h"
#include "wlan.h"
#include "wrapperdefinition.h"

namespace QKel::Pb::Network {

QKEL_PB_WRAPPER(DeviceInfo, "Network::DeviceInfo")
QKEL_PB_VALUE(DeviceInfo, uint, number, setNumber)
QKEL_PB_VALUE(DeviceInfo, QString, mac, setMac)
QKEL_PB_VALUE(DeviceInfo, QString, moduleVersion, setModuleVersion)
QKEL_PB_VALUE(DeviceInfo, QString, moduleInfo, setModuleInfo)

QKEL_PB_WRAPPER(Config, "Network::Config")
QKEL_PB_VALUE(Config, QString, name, setName)
QKEL_PB_VALUE(Config, TYPE, type, setType)
QKEL_PB_VALUE(Config, QByteArray, data, setData)
QKEL_PB_CHILD(Config, DeviceInfo, deviceInfo, setDeviceInfo)
QKEL_PB_OBJECT(Config, "Network::Config",
               {Config::TYPE__NONE, holdsNoRecord},
               {Config::TYPE__ETHERNET, holdsNoRecord},
               {Config::TYPE__CAN, holds<Can::Config>},
               {Config::TYPE__WLAN, holds<Wlan::Config>},
               {Config::TYPE__BLUETOOTH, holds<Bluetooth::Config>})

}  // namespace QKel::Pb::Network
