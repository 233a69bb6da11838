#include "spp.h"

#include "wrapperdefinition.h"

namespace QKel::Pb::Spp {

QKEL_PB_WRAPPER(Server, "Spp::Server")
QKEL_PB_VALUE(Server, QString, serviceName, setServiceName)

// mac and name share a oneof: the setters switch it, the getters read empty
// for the member it does not hold.
QKEL_PB_WRAPPER(Remote, "Spp::Remote")
QKEL_PB_VALUE(Remote, QString, mac, setMac)
QKEL_PB_VALUE(Remote, QString, name, setName)

}  // namespace QKel::Pb::Spp
