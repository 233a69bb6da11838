#include "secretMask.h"

#include "embeddedRecords.h"
#include "leafPaths.h"

#include <configuration.h>
#include <configuration.pb.h>
#include <secretfields.h>

#include <google/protobuf/descriptor.h>
#include <google/protobuf/message.h>

namespace QKel::Frc {

namespace pb = google::protobuf;
using QKel::Pb::SecretFields::isSecret;
using QKel::Pb::SecretFields::maskNumber;
using QKel::Pb::SecretFields::maskText;

namespace {

// An empty text hides nothing and stays empty, so that a configuration
// without a passphrase does not read as one whose passphrase was removed.
void maskValue(pb::Message* message, const pb::FieldDescriptor* field, int index)
{
    const pb::Reflection* r = message->GetReflection();
    const quint64 number = maskNumber(field);
    switch (field->cpp_type()) {
    case pb::FieldDescriptor::CPPTYPE_STRING:
        if ((index < 0 ? r->GetString(*message, field) : r->GetRepeatedString(*message, field, index)).empty())
            break;
        index < 0 ? r->SetString(message, field, maskText()) : r->SetRepeatedString(message, field, index, maskText());
        break;
    case pb::FieldDescriptor::CPPTYPE_UINT32:
        index < 0 ? r->SetUInt32(message, field, quint32(number)) : r->SetRepeatedUInt32(message, field, index, quint32(number));
        break;
    case pb::FieldDescriptor::CPPTYPE_UINT64:
        index < 0 ? r->SetUInt64(message, field, number) : r->SetRepeatedUInt64(message, field, index, number);
        break;
    case pb::FieldDescriptor::CPPTYPE_INT32:
        index < 0 ? r->SetInt32(message, field, qint32(number)) : r->SetRepeatedInt32(message, field, index, qint32(number));
        break;
    case pb::FieldDescriptor::CPPTYPE_INT64:
        index < 0 ? r->SetInt64(message, field, qint64(number)) : r->SetRepeatedInt64(message, field, index, qint64(number));
        break;
    default:
        qFatal("A secret field of type %s cannot be masked", field->cpp_type_name());
    }
}

// The record in an embedded "data" field, unknown fields kept: a secret in a
// record written by a newer program is masked as well.
std::unique_ptr<pb::Message> embeddedRecord(const pb::Message& message, const pb::FieldDescriptor* field)
{
    std::unique_ptr<pb::Message> record = EmbeddedRecords::newEmbeddedRecord(message, field);
    if (!record || !record->ParsePartialFromString(message.GetReflection()->GetString(message, field)))
        return nullptr;
    return record;
}

void maskRecord(pb::Message* message)
{
    const pb::Reflection* r = message->GetReflection();
    std::vector<const pb::FieldDescriptor*> fields;
    r->ListFields(*message, &fields);
    for (const pb::FieldDescriptor* field : fields) {
        const int count = field->is_repeated() ? r->FieldSize(*message, field) : 1;
        if (EmbeddedRecords::isEmbeddedDataField(field)) {
            if (std::unique_ptr<pb::Message> below = embeddedRecord(*message, field)) {
                maskRecord(below.get());
                r->SetString(message, field, below->SerializePartialAsString());
            }
        } else if (field->cpp_type() == pb::FieldDescriptor::CPPTYPE_MESSAGE) {
            for (int i = 0; i < count; ++i)
                maskRecord(field->is_repeated() ? r->MutableRepeatedMessage(message, field, i)
                                                : r->MutableMessage(message, field));
        } else if (isSecret(field)) {
            for (int i = 0; i < count; ++i)
                maskValue(message, field, field->is_repeated() ? i : -1);
        }
    }
}

} // namespace

QString SecretMask::maskValue(const pb::FieldDescriptor* field)
{
    return field->cpp_type() == pb::FieldDescriptor::CPPTYPE_STRING
        ? QLatin1Char('"') + QString::fromStdString(maskText()) + QLatin1Char('"')
        : QString::number(maskNumber(field));
}

QStringList SecretMask::mask(Kel::Pb::Configuration::File* file)
{
    maskRecord(file);
    file->set_checksum(QKel::Pb::Configuration::File::computeChecksum(*file));
    return maskedLeaves(*file);
}

QByteArray SecretMask::masked(const QByteArray& bytes, QStringList* maskedPaths)
{
    Kel::Pb::Configuration::File file;
    if (!file.ParsePartialFromArray(bytes.constData(), bytes.size()))
        return QByteArray();
    *maskedPaths = mask(&file);
    return QByteArray::fromStdString(file.SerializePartialAsString());
}

QStringList SecretMask::maskedLeaves(const Kel::Pb::Configuration::File& file)
{
    QStringList paths;
    for (const LeafPaths::Leaf& leaf : LeafPaths::leaves(file)) {
        if (leaf.field && isSecret(leaf.field) && leaf.value == maskValue(leaf.field))
            paths << leaf.path;
    }
    return paths;
}

QStringList SecretMask::maskedLeaves(const QByteArray& bytes)
{
    Kel::Pb::Configuration::File file;
    return file.ParsePartialFromArray(bytes.constData(), bytes.size()) ? maskedLeaves(file) : QStringList();
}

} // namespace QKel::Frc
