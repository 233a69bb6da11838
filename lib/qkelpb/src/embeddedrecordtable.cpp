#include "embeddedrecordtable.h"

#include "wrapperprivate.h"

#include <vector>

namespace QKel::Pb::EmbeddedRecordTable {

namespace {

struct Container
{
    const google::protobuf::Descriptor* (*descriptor)();
    const ObjectTypes* types;
};

// Filled while the library's static objects are made, so a function's static.
std::vector<Container>& containers()
{
    static std::vector<Container> list;
    return list;
}

} // namespace

bool add(const google::protobuf::Descriptor* (*container)(), const ObjectTypes* types)
{
    containers().push_back({container, types});
    return true;
}

namespace {

const ObjectTypes::Embedded* find(const google::protobuf::Descriptor* container, int type)
{
    for (const Container& entry : containers()) {
        if (entry.descriptor() != container)
            continue;
        const auto embedded = entry.types->factories.find(type);
        return embedded == entry.types->factories.end() ? nullptr : &embedded->second;
    }
    return nullptr;
}

} // namespace

bool lists(const google::protobuf::Descriptor* container, int type)
{
    return find(container, type) != nullptr;
}

const google::protobuf::Descriptor* record(const google::protobuf::Descriptor* container, int type)
{
    const ObjectTypes::Embedded* embedded = find(container, type);
    return embedded && embedded->record ? embedded->record() : nullptr;
}

const QMetaObject* wrapper(const google::protobuf::Descriptor* container, int type)
{
    const ObjectTypes::Embedded* embedded = find(container, type);
    return embedded ? embedded->wrapper : nullptr;
}

} // namespace QKel::Pb::EmbeddedRecordTable
