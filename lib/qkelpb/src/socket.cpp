#include "socket.h"

#include "wrapperdefinition.h"

namespace QKel::Pb::Socket {

QKEL_PB_WRAPPER(Server, "Socket::Server")
QKEL_PB_VALUE(Server, uint, port, setPort)
QKEL_PB_VALUE(Server, PROTOCOL, protocol, setProtocol)

QKEL_PB_WRAPPER(Remote, "Socket::Remote")
QKEL_PB_VALUE(Remote, QString, address, setAddress)
QKEL_PB_VALUE(Remote, uint, port, setPort)
QKEL_PB_VALUE(Remote, Server::PROTOCOL, protocol, setProtocol)

}  // namespace QKel::Pb::Socket
