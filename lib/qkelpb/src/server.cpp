#include "server.h"

#include "socket.h"
#include "spp.h"
#include "wrapperdefinition.h"

namespace QKel::Pb::Server {

QKEL_PB_ENABLED_TYPE_AND_DATA(Config, "Server::Config",
                              {Config::TYPE__NONE, holdsNoRecord},
                              {Config::TYPE__SOCKET, holds<Socket::Server>},
                              {Config::TYPE__SPP, holds<Spp::Server>})

}  // namespace QKel::Pb::Server
