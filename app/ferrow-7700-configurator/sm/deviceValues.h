#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace QKel::Sm {

// Values of their own for the gateways of a batch: a CSV table (as any
// spreadsheet exports it: UTF-8, quoted fields with commas, quotes and line
// ends) whose header names "serial" and then leaf paths; each row gives the
// values of the gateway with that serial number. An empty field leaves its
// leaf as the file has it.
class DeviceValues
{
public:
    // False, with `errorText`, for an unreadable file, a header that does not
    // start with "serial" or names no leaf, a row with another number of
    // fields, a serial number that is not a positive whole number or that
    // appears twice.
    bool load(const QString& filePath, QString* errorText);

    // The row of `serialNumber` as "PATH=VALUE"; false when there is none.
    bool assignmentsFor(quint32 serialNumber, QStringList* assignments) const;
    QList<quint32> serialNumbers() const;

private:
    QHash<quint32, QStringList> mRows;
};

} // namespace QKel::Sm
