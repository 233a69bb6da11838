#include "bluetooth.h"

#include "wrapperdefinition.h"

namespace QKel::Pb::Bluetooth {

// The two standard records have no fields this program understands yet:
// loading reports failure, packing writes the record as loaded (empty unless
// a newer device filled in fields unknown here, which so survive a save), and
// both say why.
#define QKEL_PB_UNSUPPORTED(Class)                                                         \
    QKEL_PB_CONSTRUCTION(Class)                                                            \
    QKEL_PB_LOADERS(Class, "Bluetooth::" #Class)                                           \
    bool Class::load(const Record& record)                                                 \
    {                                                                                      \
        d->record.CopyFrom(record);                                                        \
        qWarning() << "Support for " #Class " is not yet implemented.";                    \
        return false;                                                                      \
    }                                                                                      \
    QByteArray Class::pack()                                                               \
    {                                                                                      \
        qWarning() << "Support for " #Class " is not yet implemented.";                    \
        return WrapperSupport::serialize(d->record);                                       \
    }

QKEL_PB_UNSUPPORTED(ClassicConfig)
QKEL_PB_UNSUPPORTED(LowEnergyConfig)

// Stores child in the standardConfig oneof; a new child removes the other
// member's child (with its change signal) before its own signal goes out.
template <class Own, class Other>
static void setStandardConfig(Config* config, WrapperPrivate<Config>& d, const char* name, Own* child,
                              void (Config::*setOther)(Other*), void (Config::*changed)(Own*))
{
    if (!d.replaceChild(WrapperPrivate<Config>::field(name), child))
        return;
    if (child) {
        (config->*setOther)(nullptr);
    }
    emit(config->*changed)(child);
}

QKEL_PB_WRAPPER(Config, "Bluetooth::Config")
QKEL_PB_VALUE(Config, bool, discoverable, setDiscoverable)
QKEL_PB_VALUE(Config, bool, pairable, setPairable)
QKEL_PB_VALUE(Config, SECURITY_MODE, securityMode, setSecurityMode)
QKEL_PB_VALUE(Config, uint, passkey, setPasskey)
QKEL_PB_VALUE(Config, bool, allowPairing2p0, setAllowPairing2p0)
QKEL_PB_VALUE(Config, QString, pinCode2p0, setPinCode2p0)
QKEL_PB_VALUE(Config, uint, outputPowerPercent, setOutputPowerPercent)
QKEL_PB_CHILD_READ(Config, ClassicConfig, classicConfig, setClassicConfig)
QKEL_PB_CHILD_READ(Config, LowEnergyConfig, lowEnergyConfig, setLowEnergyConfig)

void Config::setClassicConfig(ClassicConfig* child)
{
    setStandardConfig(this, *d, "classicConfig", child, &Config::setLowEnergyConfig, &Config::classicConfigChanged);
}

void Config::setLowEnergyConfig(LowEnergyConfig* child)
{
    setStandardConfig(this, *d, "lowEnergyConfig", child, &Config::setClassicConfig, &Config::lowEnergyConfigChanged);
}

}  // namespace QKel::Pb::Bluetooth
