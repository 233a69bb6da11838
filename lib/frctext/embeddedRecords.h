#pragma once

#include <memory>

namespace google::protobuf {
class FieldDescriptor;
class Message;
}

namespace QKel::Frc {

// Which record the bytes field "data" of a type-and-data container holds, by
// the container's "type" number, as the wrappers' table states it
// (QKel::Pb::EmbeddedRecordTable).
namespace EmbeddedRecords {

bool isEmbeddedDataField(const google::protobuf::FieldDescriptor* field);

// A new, empty record of the type `container`'s data field holds, or null when
// the field is not such a field, the type is not set yet or selects no record.
std::unique_ptr<google::protobuf::Message> newEmbeddedRecord(const google::protobuf::Message& container,
                                                             const google::protobuf::FieldDescriptor* field);

// The embedded record, when its bytes decode to it and, without the fields the
// text cannot show, encode back to the same bytes; otherwise null, and the
// bytes stay bytes.
std::unique_ptr<google::protobuf::Message> decoded(const google::protobuf::Message& container,
                                                   const google::protobuf::FieldDescriptor* field);

} // namespace EmbeddedRecords
} // namespace QKel::Frc
