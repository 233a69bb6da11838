#include "interface.h"

#include "network.h"
#include "wrapperdefinition.h"

namespace QKel::Pb::Interface {

QKEL_PB_WRAPPER(Config, "Interface::Config")
QKEL_PB_VALUE(Config, bool, enabled, setEnabled)
QKEL_PB_VALUE(Config, TYPE, type, setType)
QKEL_PB_VALUE(Config, QByteArray, data, setData)
QKEL_PB_OBJECT(Config, "Interface::Config",
               {Config::TYPE__NETWORK, makeWrapper<Network::Config>})

}  // namespace QKel::Pb::Interface
