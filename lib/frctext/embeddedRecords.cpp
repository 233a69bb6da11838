#include "embeddedRecords.h"

#include <embeddedrecordtable.h>

#include <google/protobuf/descriptor.h>
#include <google/protobuf/message.h>

namespace QKel::Frc::EmbeddedRecords {

namespace pb = google::protobuf;

bool isEmbeddedDataField(const pb::FieldDescriptor* field)
{
    return field->name() == "data" && field->type() == pb::FieldDescriptor::TYPE_BYTES
        && !field->is_repeated();
}

std::unique_ptr<pb::Message> newEmbeddedRecord(const pb::Message& container, const pb::FieldDescriptor* field)
{
    if (!isEmbeddedDataField(field))
        return nullptr;
    const pb::Descriptor* descriptor = container.GetDescriptor();
    const pb::FieldDescriptor* typeField = descriptor->FindFieldByName("type");
    const pb::Reflection* reflection = container.GetReflection();
    if (!typeField || typeField->type() != pb::FieldDescriptor::TYPE_ENUM
        || !reflection->HasField(container, typeField))
        return nullptr;
    const int type = reflection->GetEnumValue(container, typeField);
    const pb::Descriptor* record = QKel::Pb::EmbeddedRecordTable::record(descriptor, type);
    const pb::Message* prototype = record ? pb::MessageFactory::generated_factory()->GetPrototype(record) : nullptr;
    return std::unique_ptr<pb::Message>(prototype ? prototype->New() : nullptr);
}

std::unique_ptr<pb::Message> decoded(const pb::Message& container, const pb::FieldDescriptor* field)
{
    std::unique_ptr<pb::Message> record = newEmbeddedRecord(container, field);
    if (!record || !container.GetReflection()->HasField(container, field))
        return nullptr;
    const std::string bytes = container.GetReflection()->GetString(container, field);
    if (!record->ParseFromString(bytes))
        return nullptr;
    record->DiscardUnknownFields();
    if (record->SerializeAsString() != bytes)
        return nullptr;
    return record;
}

} // namespace QKel::Frc::EmbeddedRecords
