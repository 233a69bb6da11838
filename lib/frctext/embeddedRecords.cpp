#include "embeddedRecords.h"

#include <google/protobuf/descriptor.h>
#include <google/protobuf/message.h>

namespace QKel::Frc::EmbeddedRecords {

namespace pb = google::protobuf;

namespace {

struct EmbeddedRecord
{
    const char* container;
    int type;
    const char* record;
};

const EmbeddedRecord EMBEDDED_RECORDS[] = {
    {"Kel.Pb.Configuration.Data", 6, "Kel.Pb.Interface.Config"},
    {"Kel.Pb.Configuration.Data", 7, "Kel.Pb.Remote.Config"},
    {"Kel.Pb.Configuration.Data", 8, "Kel.Pb.Server.Config"},
    {"Kel.Pb.Configuration.Data", 9, "Kel.Pb.KelFunction.Config"},
    {"Kel.Pb.Configuration.Data", 254, "Kel.Pb.Product.Config"},
    {"Kel.Pb.Interface.Config", 1, "Kel.Pb.Network.Config"},
    {"Kel.Pb.Network.Config", 1, "Kel.Pb.Can.Config"},
    {"Kel.Pb.Network.Config", 3, "Kel.Pb.Wlan.Config"},
    {"Kel.Pb.Network.Config", 4, "Kel.Pb.Bluetooth.Config"},
    {"Kel.Pb.Remote.Config", 1, "Kel.Pb.Socket.Remote"},
    {"Kel.Pb.Remote.Config", 2, "Kel.Pb.Spp.Remote"},
    {"Kel.Pb.Server.Config", 1, "Kel.Pb.Socket.Server"},
    {"Kel.Pb.Server.Config", 2, "Kel.Pb.Spp.Server"},
    {"Kel.Pb.Product.Config", 1, "Kel.Pb.Product.FerrowWireless77xx.Config"},
    {"Kel.Pb.Product.Config", 2, "Kel.Pb.Product.Morvane.Tarn210.Config"},
};

} // namespace

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
    for (const EmbeddedRecord& embedded : EMBEDDED_RECORDS) {
        if (descriptor->full_name() != embedded.container || type != embedded.type)
            continue;
        const pb::Descriptor* record = pb::DescriptorPool::generated_pool()->FindMessageTypeByName(embedded.record);
        const pb::Message* prototype = record ? pb::MessageFactory::generated_factory()->GetPrototype(record) : nullptr;
        return std::unique_ptr<pb::Message>(prototype ? prototype->New() : nullptr);
    }
    return nullptr;
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
