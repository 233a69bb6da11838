#include "server.h"

#include "socket.h"
#include "spp.h"
#include "wrapperdefinition.h"

namespace QKel::Pb::Server {

QKEL_PB_WRAPPER(Config, "Server::Config")
QKEL_PB_VALUE(Config, bool, enabled, setEnabled)
QKEL_PB_VALUE(Config, TYPE, type, setType)
QKEL_PB_VALUE(Config, QByteArray, data, setData)
QKEL_PB_OBJECT(Config, "Server::Config",
               {Config::TYPE__SOCKET, makeWrapper<Socket::Server>},
               {Config::TYPE__SPP, makeWrapper<Spp::Server>})

}  // namespace QKel::Pb::Server
