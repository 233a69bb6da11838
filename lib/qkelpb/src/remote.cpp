#include "remote.h"

#include "socket.h"
#include "spp.h"
#include "wrapperdefinition.h"

namespace QKel::Pb::Remote {

QKEL_PB_WRAPPER(Config, "Remote::Config")
QKEL_PB_VALUE(Config, bool, enabled, setEnabled)
QKEL_PB_VALUE(Config, TYPE, type, setType)
QKEL_PB_VALUE(Config, QByteArray, data, setData)
QKEL_PB_OBJECT(Config, "Remote::Config",
               {Config::TYPE__SOCKET, makeWrapper<Socket::Remote>},
               {Config::TYPE__SPP, makeWrapper<Spp::Remote>})

}  // namespace QKel::Pb::Remote
