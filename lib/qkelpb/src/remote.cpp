#include "remote.h"

#include "socket.h"
#include "spp.h"
#include "wrapperdefinition.h"

namespace QKel::Pb::Remote {

QKEL_PB_ENABLED_TYPE_AND_DATA(Config, "Remote::Config",
                              {Config::TYPE__NONE, holdsNoRecord},
                              {Config::TYPE__SOCKET, holds<Socket::Remote>},
                              {Config::TYPE__SPP, holds<Spp::Remote>})

}  // namespace QKel::Pb::Remote
