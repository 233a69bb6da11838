#include "can.h"

#include "wrapperdefinition.h"

namespace QKel::Pb::Can {

QKEL_PB_WRAPPER(Filter, "Can::Filter")
QKEL_PB_VALUE(Filter, bool, enabled, setEnabled)
QKEL_PB_VALUE(Filter, bool, extended, setExtended)
QKEL_PB_VALUE(Filter, bool, extendedMatters, setExtendedMatters)
QKEL_PB_VALUE(Filter, uint, id, setId)
QKEL_PB_VALUE(Filter, uint, mask, setMask)
QKEL_PB_VALUE(Filter, uint, inhibitTimeMs, setInhibitTimeMs)
QKEL_PB_VALUE(Filter, bool, remoteFrame, setRemoteFrame)
QKEL_PB_VALUE(Filter, uint, pgn, setPgn)

// The bus runs at 250 kbit/s unless told otherwise.
QKEL_PB_WRAPPER(Config, "Can::Config")
QKEL_PB_FIELD(Config, CanOpen::Config::BAUD_RATE, baudRateCanOpen, setBaudRateCanOpen, "baudrateCanOpen",
              CanOpen::Config::BAUD_RATE__250_KBIT_S)
QKEL_PB_FIELD(Config, uint, baudRateBps, setBaudRateBps, "baudrateBps")
QKEL_PB_FIELD(Config, uint, baudRateSfr, setBaudRateSfr, "baudrateSfr")
QKEL_PB_LIST(Config, Filter, filterList, setFilterList, qmlFilterList)
QKEL_PB_CHILD(Config, CanOpen::Config, canOpenConfig, setCanOpenConfig)

}  // namespace QKel::Pb::Can
