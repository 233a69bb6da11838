#include "canopen.h"

#include "wrapperdefinition.h"

namespace QKel::Pb::CanOpen {

// 0x600 and 0x580 are the CANopen SDO receive and transmit base identifiers.
QKEL_PB_WRAPPER(SdoConfig, "CanOpen::SdoConfig")
QKEL_PB_VALUE(SdoConfig, uint, rxChannel, setRxChannel, 0x600)
QKEL_PB_VALUE(SdoConfig, uint, txChannel, setTxChannel, 0x580)
QKEL_PB_VALUE(SdoConfig, uint, timeoutMs, setTimeoutMs, 2000)

// A node starts stopped unless told otherwise.
QKEL_PB_WRAPPER(Config, "CanOpen::Config")
QKEL_PB_VALUE(Config, uint, nodeId, setNodeId)
QKEL_PB_VALUE(Config, uint, nmtHeartbeatMs, setNmtHeartbeatMs)
QKEL_PB_VALUE(Config, SdoConfig::NMT_STATE, nmtStartupState, setNmtStartupState, SdoConfig::NMT_STATE__STOPPED)
QKEL_PB_VALUE(Config, bool, bootMessageEnabled, setBootMessageEnabled)
QKEL_PB_VALUE(Config, bool, sendNmtStartToAllNodes, setSendNmtStartToAllNodes)
QKEL_PB_VALUE(Config, bool, j1939Active, setJ1939Active)
QKEL_PB_LIST(Config, SdoConfig, sdoConfigList, setSdoConfigList, qmlSdoConfigList)

}  // namespace QKel::Pb::CanOpen
