#include "interface.h"

#include "network.h"
#include "wrapperdefinition.h"

namespace QKel::Pb::Interface {

QKEL_PB_ENABLED_TYPE_AND_DATA(Config, "Interface::Config",
                              {Config::TYPE__NONE, holdsNoRecord},
                              {Config::TYPE__NETWORK, holds<Network::Config>})

}  // namespace QKel::Pb::Interface
