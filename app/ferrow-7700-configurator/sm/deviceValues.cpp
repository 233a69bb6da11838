#include "deviceValues.h"

#include <QFile>

namespace QKel::Sm {

namespace {

// Splits CSV text into records of fields: commas separate fields, a field in
// double quotes may hold commas, line ends and doubled quotes. False for a
// quote left open.
bool parseCsv(const QString& text, QVector<QStringList>* records)
{
    QStringList record;
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"') && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else if (c == QLatin1Char(',')) {
            record << field;
            field.clear();
            fieldStarted = false;
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            record << field;
            // Blank lines carry no row.
            if (record.size() > 1 || !record.first().isEmpty())
                records->append(record);
            record.clear();
            field.clear();
            fieldStarted = false;
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted)
        return false;
    if (fieldStarted || !record.isEmpty()) {
        record << field;
        records->append(record);
    }
    return true;
}

} // namespace

bool DeviceValues::load(const QString& filePath, QString* errorText)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        *errorText = QStringLiteral("%1: %2").arg(filePath, file.errorString());
        return false;
    }
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QVector<QStringList> records;
    if (!parseCsv(text, &records)) {
        *errorText = QStringLiteral("%1: a quoted field is not closed").arg(filePath);
        return false;
    }
    if (records.isEmpty() || records.first().first().trimmed() != QLatin1String("serial")
        || records.first().size() < 2) {
        *errorText = QStringLiteral("%1: the header must name \"serial\" and then leaf paths").arg(filePath);
        return false;
    }
    const QStringList header = records.takeFirst();
    mRows.clear();
    for (int line = 0; line < records.size(); ++line) {
        const QStringList& record = records.at(line);
        const QString where = QStringLiteral("%1, row %2").arg(filePath).arg(line + 1);
        if (record.size() != header.size()) {
            *errorText = QStringLiteral("%1: %2 fields where the header names %3").arg(where).arg(record.size()).arg(header.size());
            return false;
        }
        bool ok = false;
        const quint32 serial = record.first().trimmed().toUInt(&ok);
        if (!ok || serial == 0 || mRows.contains(serial)) {
            *errorText = QStringLiteral("%1: \"%2\" is not a serial number of its own").arg(where, record.first());
            return false;
        }
        QStringList assignments;
        for (int column = 1; column < header.size(); ++column) {
            if (!record.at(column).isEmpty())
                assignments << header.at(column).trimmed() + QLatin1Char('=') + record.at(column);
        }
        mRows.insert(serial, assignments);
    }
    return true;
}

bool DeviceValues::assignmentsFor(quint32 serialNumber, QStringList* assignments) const
{
    const auto row = mRows.constFind(serialNumber);
    if (row == mRows.constEnd())
        return false;
    *assignments = *row;
    return true;
}

QList<quint32> DeviceValues::serialNumbers() const
{
    return mRows.keys();
}

} // namespace QKel::Sm
