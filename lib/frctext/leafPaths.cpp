#include "leafPaths.h"

#include "embeddedRecords.h"
#include "frcText.h"

#include <configuration.pb.h>

#include <google/protobuf/descriptor.h>
#include <google/protobuf/io/tokenizer.h>
#include <google/protobuf/message.h>

#include <QHash>
#include <QRegularExpression>
#include <QStringList>

#include <limits>
#include <memory>
#include <unordered_map>

namespace QKel::Frc {

namespace pb = google::protobuf;

const QString LeafPaths::UNSET = QStringLiteral("(unset)");

namespace {

using Record = std::unique_ptr<pb::Message>;

const pb::FieldDescriptor* embeddedField(const pb::Message& message)
{
    const pb::FieldDescriptor* field = message.GetDescriptor()->FindFieldByName("data");
    return field && EmbeddedRecords::isEmbeddedDataField(field) ? field : nullptr;
}

// The record below a type-and-data level, when the level has one the text
// form shows as a block; then its "type" is part of the entry's name.
Record embedded(const pb::Message& message)
{
    const pb::FieldDescriptor* field = embeddedField(message);
    return field ? EmbeddedRecords::decoded(message, field) : nullptr;
}

// The embedded records of one configuration, each decoded once: naming the
// entries and collecting their leaves both walk the same levels.
class DecodedRecords
{
public:
    const pb::Message* below(const pb::Message& message)
    {
        const pb::FieldDescriptor* field = embeddedField(message);
        if (!field)
            return nullptr;
        auto found = mRecords.find(&message);
        if (found == mRecords.end())
            found = mRecords.emplace(&message, EmbeddedRecords::decoded(message, field)).first;
        return found->second.get();
    }

private:
    std::unordered_map<const pb::Message*, Record> mRecords;
};

QString typeName(const pb::Message& message)
{
    const pb::FieldDescriptor* type = message.GetDescriptor()->FindFieldByName("type");
    const std::string& name = message.GetReflection()->GetEnum(message, type)->name();
    return QString::fromStdString(name).remove(QStringLiteral("TYPE__")).toLower();
}

// The chain of types that names an entry: "interface/network/wlan".
QString chainOf(const Kel::Pb::Configuration::Data& entry, DecodedRecords& records)
{
    QStringList names;
    const pb::Message* level = &entry;
    const pb::Message* below = records.below(entry);
    while (below) {
        names << typeName(*level);
        level = below;
        below = records.below(*level);
    }
    return names.isEmpty() ? typeName(entry) : names.join('/');
}

// Entry names in file order, "[n]" added for the n-th repetition of a chain.
QStringList entryNames(const Kel::Pb::Configuration::File& file, DecodedRecords& records)
{
    QStringList names;
    QHash<QString, int> seen;
    for (const auto& entry : file.data()) {
        const QString chain = chainOf(entry, records);
        const int n = seen[chain]++;
        names << (n ? QStringLiteral("%1[%2]").arg(chain).arg(n) : chain);
    }
    return names;
}

QString valueText(const pb::Message& message, const pb::FieldDescriptor* field, int index)
{
    return QString::fromStdString(FrcText::valueText(message, field, index));
}

void collect(const pb::Message& message, const QString& prefix, DecodedRecords& records,
             QVector<LeafPaths::Leaf>* out)
{
    const pb::Reflection* reflection = message.GetReflection();
    std::vector<const pb::FieldDescriptor*> fields;
    reflection->ListFields(message, &fields);
    if (fields.empty()) {
        out->append({prefix, QStringLiteral("{}")});
        return;
    }
    const pb::Message* below = records.below(message);
    for (const pb::FieldDescriptor* field : fields) {
        const QString name = prefix + '.' + QString::fromStdString(field->name());
        if (below && field->name() == "type")
            continue;
        if (below && field == embeddedField(message)) {
            collect(*below, name, records, out);
        } else if (field->is_repeated()) {
            for (int i = 0; i < reflection->FieldSize(message, field); ++i) {
                const QString element = QStringLiteral("%1[%2]").arg(name).arg(i);
                if (field->cpp_type() == pb::FieldDescriptor::CPPTYPE_MESSAGE)
                    collect(reflection->GetRepeatedMessage(message, field, i), element, records, out);
                else
                    out->append({element, valueText(message, field, i), field});
            }
        } else if (field->cpp_type() == pb::FieldDescriptor::CPPTYPE_MESSAGE) {
            collect(reflection->GetMessage(message, field), name, records, out);
        } else {
            out->append({name, valueText(message, field, -1), field});
        }
    }
}

struct Segment
{
    std::string name;
    int index; // -1 without "[n]"
};

// Walks a path below one entry, reading (`value` set) or writing (`text` given).
class Walker
{
public:
    QString error;
    QString value;

    bool walk(pb::Message* message, const QVector<Segment>& path, int at, const QString* text)
    {
        const Segment& segment = path[at];
        const pb::Descriptor* descriptor = message->GetDescriptor();
        const pb::FieldDescriptor* field = descriptor->FindFieldByName(segment.name);
        if (!field)
            return fail(QStringLiteral("%1 has no field \"%2\"")
                            .arg(QString::fromStdString(descriptor->full_name()), QString::fromStdString(segment.name)));
        const pb::Reflection* reflection = message->GetReflection();
        const bool last = at == path.size() - 1;
        if (Record below = embedded(*message); below && field == embeddedField(*message)) {
            if (last)
                return fail(QStringLiteral("\"data\" holds a record, not a value; name one of its fields"));
            if (!walk(below.get(), path, at + 1, text))
                return false;
            if (text)
                reflection->SetString(message, field, below->SerializeAsString());
            return true;
        }
        if (embedded(*message) && field->name() == "type" && text)
            return fail(QStringLiteral("\"type\" is part of the entry's name and cannot be set"));
        if (field->is_repeated() != (segment.index >= 0))
            return fail(field->is_repeated() ? QStringLiteral("\"%1\" is a list; name an element as %1[n]")
                                                   .arg(QString::fromStdString(field->name()))
                                             : QStringLiteral("\"%1\" is not a list")
                                                   .arg(QString::fromStdString(field->name())));
        const int size = field->is_repeated() ? reflection->FieldSize(*message, field) : 0;
        const bool present = field->is_repeated() ? segment.index < size : reflection->HasField(*message, field);
        if (text && field->is_repeated() && segment.index > size)
            return fail(QStringLiteral("\"%1\" has %2 elements; the next one is [%2]")
                            .arg(QString::fromStdString(field->name())).arg(size));
        if (field->cpp_type() == pb::FieldDescriptor::CPPTYPE_MESSAGE) {
            if (last)
                return fail(QStringLiteral("\"%1\" holds a record, not a value; name one of its fields")
                                .arg(QString::fromStdString(field->name())));
            if (!present && !text)
                return unset(field->message_type(), path, at + 1);
            pb::Message* child = !field->is_repeated() ? reflection->MutableMessage(message, field)
                : present                              ? reflection->MutableRepeatedMessage(message, field, segment.index)
                                                       : reflection->AddMessage(message, field);
            return walk(child, path, at + 1, text);
        }
        if (!last)
            return fail(QStringLiteral("\"%1\" is a value and has no fields").arg(QString::fromStdString(field->name())));
        if (!text) {
            value = present ? valueText(*message, field, segment.index) : LeafPaths::UNSET;
            return true;
        }
        return store(message, field, segment.index < size ? segment.index : -1, *text);
    }

private:
    bool fail(const QString& message)
    {
        error = message;
        return false;
    }

    // An absent record: the rest of the path must still name fields it can have.
    bool unset(const pb::Descriptor* descriptor, const QVector<Segment>& path, int at)
    {
        for (; at < path.size(); ++at) {
            const pb::FieldDescriptor* field = descriptor->FindFieldByName(path[at].name);
            if (!field)
                return fail(QStringLiteral("%1 has no field \"%2\"")
                                .arg(QString::fromStdString(descriptor->full_name()),
                                     QString::fromStdString(path[at].name)));
            if (EmbeddedRecords::isEmbeddedDataField(field) || field->cpp_type() != pb::FieldDescriptor::CPPTYPE_MESSAGE)
                break;
            descriptor = field->message_type();
        }
        value = LeafPaths::UNSET;
        return true;
    }

    // index: the element to replace, or -1 to set the field or add an element.
    bool store(pb::Message* message, const pb::FieldDescriptor* field, int index, const QString& text)
    {
        const pb::Reflection* r = message->GetReflection();
        const bool add = field->is_repeated() && index < 0;
        const QString name = QString::fromStdString(field->name());
        switch (field->cpp_type()) {
        case pb::FieldDescriptor::CPPTYPE_STRING: {
            std::string bytes;
            if (!unquote(text, &bytes))
                return false;
            add ? r->AddString(message, field, bytes)
                : index >= 0 ? r->SetRepeatedString(message, field, index, bytes) : r->SetString(message, field, bytes);
            return true;
        }
        case pb::FieldDescriptor::CPPTYPE_ENUM: {
            const pb::EnumValueDescriptor* v = field->enum_type()->FindValueByName(text.toStdString());
            if (!v)
                return fail(QStringLiteral("\"%1\" is not a value of %2")
                                .arg(text, QString::fromStdString(field->enum_type()->full_name())));
            add ? r->AddEnum(message, field, v) : index >= 0 ? r->SetRepeatedEnum(message, field, index, v) : r->SetEnum(message, field, v);
            return true;
        }
        case pb::FieldDescriptor::CPPTYPE_BOOL: {
            if (text != "true" && text != "false")
                return fail(QStringLiteral("\"%1\" is not true or false (field \"%2\")").arg(text, name));
            const bool v = text == "true";
            add ? r->AddBool(message, field, v) : index >= 0 ? r->SetRepeatedBool(message, field, index, v) : r->SetBool(message, field, v);
            return true;
        }
        case pb::FieldDescriptor::CPPTYPE_UINT32:
        case pb::FieldDescriptor::CPPTYPE_UINT64:
        case pb::FieldDescriptor::CPPTYPE_INT32:
        case pb::FieldDescriptor::CPPTYPE_INT64:
            return storeInteger(message, field, index, add, text);
        default:
            return fail(QStringLiteral("field \"%1\" cannot be set from the command line").arg(name));
        }
    }

    bool storeInteger(pb::Message* message, const pb::FieldDescriptor* field, int index, bool add, const QString& text)
    {
        const pb::Reflection* r = message->GetReflection();
        const auto type = field->cpp_type();
        qint64 low = 0;
        quint64 high = std::numeric_limits<quint64>::max();
        if (type == pb::FieldDescriptor::CPPTYPE_UINT32)
            high = std::numeric_limits<quint32>::max();
        else if (type == pb::FieldDescriptor::CPPTYPE_INT32)
            low = std::numeric_limits<qint32>::min(), high = std::numeric_limits<qint32>::max();
        else if (type == pb::FieldDescriptor::CPPTYPE_INT64)
            low = std::numeric_limits<qint64>::min(), high = std::numeric_limits<qint64>::max();
        static const QRegularExpression number(QStringLiteral("^(-?)(0[xX][0-9a-fA-F]+|[0-9]+)$"));
        const QRegularExpressionMatch match = number.match(text);
        const QString name = QString::fromStdString(field->name());
        if (!match.hasMatch())
            return fail(QStringLiteral("\"%1\" is not a whole number (field \"%2\")").arg(text, name));
        bool ok = false;
        const QString digits = match.captured(2);
        const quint64 magnitude = digits.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive)
            ? digits.mid(2).toULongLong(&ok, 16) : digits.toULongLong(&ok, 10);
        const bool negative = !match.captured(1).isEmpty() && magnitude != 0;
        const quint64 lowMagnitude = low < 0 ? quint64(-(low + 1)) + 1 : 0;
        if (!ok || (negative ? magnitude > lowMagnitude : magnitude > high))
            return fail(QStringLiteral("%1 is out of the range of field \"%2\" (%3 to %4)")
                            .arg(text, name).arg(low).arg(high));
        const qint64 signedValue = negative ? qint64(0 - magnitude) : qint64(magnitude);
        switch (type) {
        case pb::FieldDescriptor::CPPTYPE_UINT32:
            add ? r->AddUInt32(message, field, quint32(magnitude)) : index >= 0 ? r->SetRepeatedUInt32(message, field, index, quint32(magnitude)) : r->SetUInt32(message, field, quint32(magnitude));
            break;
        case pb::FieldDescriptor::CPPTYPE_UINT64:
            add ? r->AddUInt64(message, field, magnitude) : index >= 0 ? r->SetRepeatedUInt64(message, field, index, magnitude) : r->SetUInt64(message, field, magnitude);
            break;
        case pb::FieldDescriptor::CPPTYPE_INT32:
            add ? r->AddInt32(message, field, qint32(signedValue)) : index >= 0 ? r->SetRepeatedInt32(message, field, index, qint32(signedValue)) : r->SetInt32(message, field, qint32(signedValue));
            break;
        default:
            add ? r->AddInt64(message, field, signedValue) : index >= 0 ? r->SetRepeatedInt64(message, field, index, signedValue) : r->SetInt64(message, field, signedValue);
            break;
        }
        return true;
    }

    // A value in double quotes is read with the text form's escapes.
    bool unquote(const QString& text, std::string* bytes)
    {
        const std::string utf8 = text.toStdString();
        if (!text.startsWith('"')) {
            *bytes = utf8;
            return true;
        }
        if (text.size() < 2 || !text.endsWith('"'))
            return fail(QStringLiteral("%1 is missing its closing quote").arg(text));
        pb::io::Tokenizer::ParseStringAppend(utf8, bytes);
        return true;
    }
};

// "name" or "name[n]"; false on anything else.
bool parseSegment(const QString& text, Segment* segment)
{
    static const QRegularExpression form(QStringLiteral("^([A-Za-z_][A-Za-z0-9_]*)(?:\\[([0-9]{1,9})\\])?$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return false;
    segment->name = match.captured(1).toStdString();
    segment->index = match.captured(2).isEmpty() ? -1 : match.captured(2).toInt();
    return true;
}

// Splits a path into its entry (or file field) and the segments below it.
bool parsePath(const QString& path, QString* entry, QVector<Segment>* segments, QString* error)
{
    QStringList parts = path.split('.');
    *entry = parts.takeFirst();
    for (const QString& part : qAsConst(parts)) {
        Segment segment;
        if (!parseSegment(part, &segment)) {
            *error = QStringLiteral("unknown path \"%1\": \"%2\" is not a field name").arg(path, part);
            return false;
        }
        segments->append(segment);
    }
    return true;
}

const QStringList FILE_FIELDS = {QStringLiteral("version"), QStringLiteral("productId"), QStringLiteral("checksum")};

// Reads or writes (`text` given) the leaf at `path` of `file`.
bool access(Kel::Pb::Configuration::File* file, const QString& path, const QString* text, QString* value, QString* error)
{
    QString entry;
    QVector<Segment> segments;
    if (!parsePath(path, &entry, &segments, error))
        return false;
    if (FILE_FIELDS.contains(entry) && segments.isEmpty()) {
        if (text && entry != QLatin1String("productId")) {
            *error = QStringLiteral("\"%1\" is written by the program and cannot be set").arg(entry);
            return false;
        }
        Walker walker;
        if (!walker.walk(file, {{entry.toStdString(), -1}}, 0, text)) {
            *error = walker.error;
            return false;
        }
        *value = walker.value;
        return true;
    }
    DecodedRecords records;
    const QStringList names = entryNames(*file, records);
    const int at = names.indexOf(entry.endsWith(QLatin1String("[0]")) ? entry.chopped(3) : entry);
    if (at < 0) {
        *error = QStringLiteral("unknown path \"%1\": the configuration has no entry \"%2\"").arg(path, entry);
        return false;
    }
    Kel::Pb::Configuration::Data* data = file->mutable_data(at);
    Record root = embedded(*data);
    if (!root) {
        if (!segments.isEmpty() || text) {
            *error = QStringLiteral("unknown path \"%1\": entry \"%2\" holds bytes this program cannot read").arg(path, entry);
            return false;
        }
        *value = valueText(*data, embeddedField(*data), -1);
        return true;
    }
    if (segments.isEmpty()) {
        *error = QStringLiteral("\"%1\" is an entry, not a value; name one of its fields").arg(path);
        return false;
    }
    Walker walker;
    if (!walker.walk(root.get(), segments, 0, text)) {
        *error = QStringLiteral("%1: %2").arg(path, walker.error);
        return false;
    }
    if (text)
        data->set_data(root->SerializeAsString());
    *value = walker.value;
    return true;
}

} // namespace

QVector<LeafPaths::Leaf> LeafPaths::leaves(const Kel::Pb::Configuration::File& file)
{
    QVector<Leaf> out;
    if (file.has_version())
        out.append({QStringLiteral("version"), QString::number(file.version())});
    if (file.has_productid())
        out.append({QStringLiteral("productId"), valueText(file, file.GetDescriptor()->FindFieldByName("productId"), -1)});
    DecodedRecords records;
    const QStringList names = entryNames(file, records);
    for (int i = 0; i < file.data_size(); ++i) {
        const auto& data = file.data(i);
        if (const pb::Message* root = records.below(data))
            collect(*root, names[i], records, &out);
        else
            out.append({names[i], valueText(data, embeddedField(data), -1)});
    }
    return out;
}

QVector<LeafPaths::Difference> LeafPaths::diff(const Kel::Pb::Configuration::File& a,
                                               const Kel::Pb::Configuration::File& b, Scope scope)
{
    const auto inScope = [scope](const Leaf& leaf) {
        return scope == Scope::AllLeaves || !isDeviceInformation(leaf.path);
    };
    const QVector<Leaf> inA = leaves(a);
    const QVector<Leaf> inB = leaves(b);
    QHash<QString, QString> valuesB;
    valuesB.reserve(inB.size());
    for (const Leaf& leaf : inB)
        valuesB.insert(leaf.path, leaf.value);
    QVector<Difference> out;
    QHash<QString, bool> seen;
    seen.reserve(inA.size());
    for (const Leaf& leaf : inA) {
        seen.insert(leaf.path, true);
        const QString other = valuesB.value(leaf.path, UNSET);
        if (other != leaf.value && inScope(leaf))
            out.append({leaf.path, leaf.value, other, leaf.field});
    }
    for (const Leaf& leaf : inB) {
        if (!seen.contains(leaf.path) && inScope(leaf))
            out.append({leaf.path, UNSET, leaf.value, leaf.field});
    }
    return out;
}

bool LeafPaths::isDeviceInformation(const QString& path)
{
    // Field steps are the parts after the entry's name; a list element keeps its index.
    static const QRegularExpression step(QStringLiteral("\\.deviceInfo(\\.|\\[|$)"));
    return step.match(path).hasMatch();
}

bool LeafPaths::get(const Kel::Pb::Configuration::File& file, const QString& path, QString* value, QString* error)
{
    Kel::Pb::Configuration::File copy = file;
    return access(&copy, path, nullptr, value, error);
}

bool LeafPaths::set(Kel::Pb::Configuration::File* file, const QString& path, const QString& value, QString* error)
{
    Kel::Pb::Configuration::File copy = *file;
    QString ignored;
    if (!access(&copy, path, &value, &ignored, error))
        return false;
    *file = copy;
    return true;
}

} // namespace QKel::Frc
