#pragma once

#include <QByteArray>
#include <QVariantList>

namespace QKel::Sm {

// What differs between the configuration a gateway holds and one the editor
// has or sent, leaf by leaf, as the review before a write and the check after
// it show it. The device information is the gateway's own and is left out.
class ConfigurationDifferences
{
public:
    // One map per differing leaf: "path", "deviceValue", "editorValue" (the
    // values as the leaf paths write them). When either side does not parse,
    // different bytes are one row, "(configuration)", with both sizes.
    static QVariantList between(const QByteArray& device, const QByteArray& editor);
};

} // namespace QKel::Sm
