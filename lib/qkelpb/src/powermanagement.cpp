#include "powermanagement.h"

#include "wrapperdefinition.h"

namespace QKel::Pb::PowerManagement {

QKEL_PB_WRAPPER(Config, "PowerManagement::Config")
QKEL_PB_VALUE(Config, uint, wakeupEnableBits, setWakeupEnableBits)
QKEL_PB_VALUE(Config, uint, timeToSleepMs, setTimeToSleepMs)

}  // namespace QKel::Pb::PowerManagement
