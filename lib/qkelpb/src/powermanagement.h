#pragma once

#include "abstractmessage.h"

#include <powermanagement.pb.h>

namespace QKel::Pb::PowerManagement {

class Config : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(uint wakeupEnableBits READ wakeupEnableBits WRITE setWakeupEnableBits NOTIFY wakeupEnableBitsChanged)
    Q_PROPERTY(uint timeToSleepMs READ timeToSleepMs WRITE setTimeToSleepMs NOTIFY timeToSleepMsChanged)
    QKEL_PB_MESSAGE(Config, Kel::Pb::PowerManagement::Config)

public:
    // Bit values OR-ed into wakeupEnableBits.
    enum WAKEUP_ENABLE_BITS : int {
        WAKEUP_ENABLE_BITS__DISABLED = 0,
        WAKEUP_ENABLE_BITS__ACC = 1,
        WAKEUP_ENABLE_BITS__RTC = 2,
        WAKEUP_ENABLE_BITS__ACTIVE_SLEEP_CLAMP_15 = 128,
    };
    Q_ENUM(WAKEUP_ENABLE_BITS)

    uint wakeupEnableBits() const;
    void setWakeupEnableBits(uint value);
    uint timeToSleepMs() const;
    void setTimeToSleepMs(uint value);

signals:
    void wakeupEnableBitsChanged(uint);
    void timeToSleepMsChanged(uint);
};

}  // namespace QKel::Pb::PowerManagement
