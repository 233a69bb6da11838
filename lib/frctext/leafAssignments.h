#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace QKel::Frc {

// Changes of leaves written "PATH=VALUE", as command lines and scripts give
// them (paths and values as LeafPaths reads them).
class LeafAssignments
{
public:
    // The configuration file bytes with every assignment made, all or none:
    // encoded by the configuration wrappers, so their rules hold and the
    // checksum is theirs. Empty, with `error` naming the first refusal, for an
    // assignment without "=", an unknown path, a bad value or a result that
    // does not load. Without assignments the bytes come back unchanged.
    static QByteArray applied(const QByteArray& configuration, const QStringList& assignments, QString* error);
};

} // namespace QKel::Frc
