#pragma once

#include "abstractmessage.h"

namespace google::protobuf {
class Descriptor;
}

namespace QKel::Pb {

struct ObjectTypes;

// Which record the bytes field "data" of a type-and-data container holds, by
// the container's "type" number. The table is the wrappers' own object types
// (the QKEL_PB_OBJECT lists), so the text form and the driver read what the
// wrappers create.
namespace EmbeddedRecordTable {

// Whether the table states what `container` holds for `type`, a record or none.
bool lists(const google::protobuf::Descriptor* container, int type);

// The record `container` holds for `type`; null when the type selects none.
const google::protobuf::Descriptor* record(const google::protobuf::Descriptor* container, int type);

// The wrapper class made for the record `container` holds for `type`; null
// when the type selects none.
const QMetaObject* wrapper(const google::protobuf::Descriptor* container, int type);

// The object of a type-and-data `container` when it is the wrapper the table
// names for the container's type; null when it is missing or another class.
template <class Container>
AbstractMessage* listedObject(const Container* container)
{
    if (!container)
        return nullptr;
    const QMetaObject* listed = wrapper(Container::Record::descriptor(), int(container->type()));
    return listed ? static_cast<AbstractMessage*>(listed->cast(container->object())) : nullptr;
}

// Lists a wrapper's object types when the library loads.
bool add(const google::protobuf::Descriptor* (*container)(), const ObjectTypes* types);

} // namespace EmbeddedRecordTable
} // namespace QKel::Pb
