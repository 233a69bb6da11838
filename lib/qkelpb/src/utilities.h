#pragma once

namespace QKel::Pb {

// Makes the wrapper types known to QML (module "kelbus.qkel.pb" 1.0, for
// their enumeration values) and to the meta-type system (queued signals,
// QVariant, property bindings). Called once at program start.
class Utilities
{
public:
    static void registerQmlTypes();
    static void registerMetaTypes();
};

}  // namespace QKel::Pb
