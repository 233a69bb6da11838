#pragma once

namespace google::protobuf {
class Descriptor;
}

namespace QKel::Pb {

struct ObjectTypes;

// Which record the bytes field "data" of a type-and-data container holds, by
// the container's "type" number. The table is the wrappers' own object types
// (the QKEL_PB_OBJECT lists), so the text form reads what the wrappers create.
namespace EmbeddedRecordTable {

// Whether the table states what `container` holds for `type`, a record or none.
bool lists(const google::protobuf::Descriptor* container, int type);

// The record `container` holds for `type`; null when the type selects none.
const google::protobuf::Descriptor* record(const google::protobuf::Descriptor* container, int type);

// Lists a wrapper's object types when the library loads.
bool add(const google::protobuf::Descriptor* (*container)(), const ObjectTypes* types);

} // namespace EmbeddedRecordTable
} // namespace QKel::Pb
