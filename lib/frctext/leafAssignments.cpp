#include "leafAssignments.h"

#include "leafPaths.h"

#include <configuration.h>
#include <configuration.pb.h>

namespace QKel::Frc {

QByteArray LeafAssignments::applied(const QByteArray& configuration, const QStringList& assignments, QString* error)
{
    if (assignments.isEmpty())
        return configuration;
    Kel::Pb::Configuration::File record;
    if (!record.ParseFromArray(configuration.constData(), configuration.size())) {
        *error = QStringLiteral("not a configuration file (it does not parse)");
        return {};
    }
    for (const QString& assignment : assignments) {
        const int equals = assignment.indexOf('=');
        if (equals < 1) {
            *error = QStringLiteral("\"%1\" is not PATH=VALUE").arg(assignment);
            return {};
        }
        if (!LeafPaths::set(&record, assignment.left(equals), assignment.mid(equals + 1), error))
            return {};
    }
    record.set_checksum(QKel::Pb::Configuration::File::computeChecksum(record));
    QKel::Pb::Configuration::File file(nullptr);
    if (!file.load(QByteArray::fromStdString(record.SerializeAsString()))) {
        *error = QStringLiteral("the changed configuration does not load (load error %1)").arg(int(file.loadError()));
        return {};
    }
    return file.pack();
}

} // namespace QKel::Frc
