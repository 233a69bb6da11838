#pragma once

// Definitions of wrapper members, for a wrapper's .cpp file. Each macro
// defines the accessors of one property from its record field and registers
// what load() and pack() do for it: the order of the macro lines in the .cpp
// file is the order in which load() emits and creates.

#include "embeddedrecordtable.h"
#include "wrapperprivate.h"

#define QKEL_PB_CAT_(a, b) a##b
#define QKEL_PB_CAT(a, b) QKEL_PB_CAT_(a, b)

// __COUNTER__, not __LINE__: one macro line may expand to several registrations.
#define QKEL_PB_REGISTER(Class, binding)                                                          \
    [[maybe_unused]] static const bool QKEL_PB_CAT(qkelPbBinding, __COUNTER__) =                 \
        ::QKel::Pb::WrapperPrivate<Class>::add(::QKel::Pb::WrapperPrivate<Class>::binding);

#define QKEL_PB_FIELD_OF(Class, fieldName)                                                        \
    static const auto* const field = ::QKel::Pb::WrapperPrivate<Class>::field(fieldName)

// Constructor and destructor: every property change also emits dataChanged().
#define QKEL_PB_CONSTRUCTION(Class)                                                                \
    Class::Class(QObject* parent)                                                                  \
        : AbstractMessage(parent)                                                                  \
        , d(new ::QKel::Pb::WrapperPrivate<Class>(this))                                           \
    {                                                                                              \
        ::QKel::Pb::WrapperSupport::connectChangeSignals(this, staticMetaObject);                 \
    }                                                                                              \
    Class::~Class() = default;

// load() from bytes and from a protobuf message, ending in load(record).
#define QKEL_PB_LOADERS(Class, path)                                                               \
    bool Class::load(google::protobuf::Message* message)                                           \
    {                                                                                              \
        const Record* record =                                                                     \
            ::QKel::Pb::WrapperPrivate<Class>::cast(message, "Could not cast incoming message to " path "."); \
        return record && load(*record);                                                            \
    }                                                                                              \
    bool Class::load(const QByteArray& bytes)                                                      \
    {                                                                                              \
        Record record;                                                                             \
        return ::QKel::Pb::WrapperPrivate<Class>::parse(bytes, record,                             \
                                                        "Failed to parse incoming " path " data.") \
            && load(record);                                                                       \
    }

// Everything a wrapper without special load or pack rules needs; path is the
// class path below QKel::Pb used in warnings ("Wlan::Config").
#define QKEL_PB_WRAPPER(Class, path)                                                               \
    QKEL_PB_CONSTRUCTION(Class)                                                                    \
    QKEL_PB_LOADERS(Class, path)                                                                   \
    bool Class::load(const Record& record) { return d->loadRecord(record); }                       \
    QByteArray Class::pack() { return d->packRecord(); }

// Getter of a scalar, enumeration, string, bytes or repeated scalar property
// read from the named record field; the optional last argument is what the
// getter reports while the field is absent (default: zero, false, empty).
// load() emits the property's change signal with the getter's value.
#define QKEL_PB_FIELD_READ(Class, Type, name, fieldName, ...)                                     \
    auto Class::name() const->Type                                                                 \
    {                                                                                              \
        QKEL_PB_FIELD_OF(Class, fieldName);                                                        \
        return d->value(field, Type{__VA_ARGS__});                                                 \
    }                                                                                              \
    QKEL_PB_REGISTER(Class, valueBinding(&Class::name, &Class::name##Changed))

// Getter and compare-store-emit setter of a property named like its field.
#define QKEL_PB_FIELD(Class, Type, name, setter, fieldName, ...)                                  \
    QKEL_PB_FIELD_READ(Class, Type, name, fieldName, __VA_ARGS__)                                  \
    void Class::setter(Type value)                                                                 \
    {                                                                                              \
        QKEL_PB_FIELD_OF(Class, fieldName);                                                        \
        d->setValue(field, value, &Class::name##Changed);                                          \
    }

#define QKEL_PB_VALUE(Class, Type, name, setter, ...)                                             \
    QKEL_PB_FIELD(Class, Type, name, setter, #name, __VA_ARGS__)

// Getter only; the class writes the setter itself (with d->storeValue()).
#define QKEL_PB_VALUE_READ(Class, Type, name, ...)                                                \
    QKEL_PB_FIELD_READ(Class, Type, name, #name, __VA_ARGS__)

// Child wrapper of a message field: getter, and registration of load (a new
// child loaded from the sub-record, or null, passed to setter) and pack (the
// sub-record mirrors the child). The setter is the class's own.
#define QKEL_PB_CHILD_READ(Class, ChildType, name, setter)                                        \
    auto Class::name() const->ChildType*                                                           \
    {                                                                                              \
        QKEL_PB_FIELD_OF(Class, #name);                                                            \
        return d->child<ChildType>(field);                                                         \
    }                                                                                              \
    QKEL_PB_REGISTER(Class, childBinding(::QKel::Pb::WrapperPrivate<Class>::field(#name), &Class::setter))

// Child wrapper with the standard child setter (deleteLater of the old child,
// dataChanged() forwarding, change signal).
#define QKEL_PB_CHILD(Class, ChildType, name, setter)                                             \
    QKEL_PB_CHILD_READ(Class, ChildType, name, setter)                                             \
    void Class::setter(ChildType* child)                                                           \
    {                                                                                              \
        QKEL_PB_FIELD_OF(Class, #name);                                                            \
        d->setChild(field, child, &Class::name##Changed);                                          \
    }

// List of child wrappers of a repeated message field: getter of the list and
// of its QML list property, without setter or load/pack registration.
#define QKEL_PB_LIST_ACCESS(Class, ChildType, name, qmlName, fieldName)                           \
    auto Class::name() const->QList<ChildType*>                                                    \
    {                                                                                              \
        QKEL_PB_FIELD_OF(Class, fieldName);                                                        \
        return d->list<ChildType>(field);                                                          \
    }                                                                                              \
    auto Class::qmlName()->QQmlListProperty<ChildType>                                             \
    {                                                                                              \
        QKEL_PB_FIELD_OF(Class, fieldName);                                                        \
        return d->qmlList<ChildType>(field);                                                       \
    }

// List of child wrappers with the standard list setter (nothing happens for
// the same pointers in the same order) and load/pack registration.
#define QKEL_PB_LIST(Class, ChildType, name, setter, qmlName)                                     \
    QKEL_PB_LIST_ACCESS(Class, ChildType, name, qmlName, #name)                                    \
    void Class::setter(const QList<ChildType*>& list)                                              \
    {                                                                                              \
        QKEL_PB_FIELD_OF(Class, #name);                                                            \
        d->setList(field, list, &Class::name##Changed);                                            \
    }                                                                                              \
    QKEL_PB_REGISTER(Class, listBinding(::QKel::Pb::WrapperPrivate<Class>::field(#name), &Class::setter))

// The object of a type-and-data record with explicit warning texts, and the
// wrapper class each type number creates:
// {Class::TYPE__X, ::QKel::Pb::holds<Area::Record>}, ...
// Every such table is listed in EmbeddedRecordTable, which the text form and
// the driver read.
#define QKEL_PB_OBJECT_TEXTS(Class, missingText, unsupportedText, ...)                            \
    QKEL_PB_OBJECT_NAMED(QKEL_PB_CAT(qkelPbObjectTypes, __COUNTER__), Class, missingText,          \
                         unsupportedText, __VA_ARGS__)

#define QKEL_PB_OBJECT_NAMED(types, Class, missingText, unsupportedText, ...)                      \
    ::QKel::Pb::AbstractMessage* Class::object() const { return d->object; }                      \
    void Class::setObject(::QKel::Pb::AbstractMessage* object)                                    \
    {                                                                                              \
        if (d->replaceObject(object))                                                              \
            emit objectChanged(object);                                                            \
    }                                                                                              \
    static const ::QKel::Pb::ObjectTypes types = {missingText, unsupportedText, {__VA_ARGS__}};   \
    [[maybe_unused]] static const bool QKEL_PB_CAT(types, Listed) =                                \
        ::QKel::Pb::EmbeddedRecordTable::add(&Class::Record::descriptor, &types);                   \
    QKEL_PB_REGISTER(Class, objectBinding(&types))

#define QKEL_PB_OBJECT(Class, path, ...)                                                           \
    QKEL_PB_OBJECT_TEXTS(Class, "Cannot create an " path " object without a type or object.",    \
                         "Encountered unsupported " path "::TYPE", __VA_ARGS__)

// The records of an interface, a remote and a server entry share their
// fields: enabled, then type and data, whose object the type selects.
#define QKEL_PB_ENABLED_TYPE_AND_DATA(Class, path, ...)                                           \
    QKEL_PB_WRAPPER(Class, path)                                                                   \
    QKEL_PB_VALUE(Class, bool, enabled, setEnabled)                                                \
    QKEL_PB_VALUE(Class, TYPE, type, setType)                                                      \
    QKEL_PB_VALUE(Class, QByteArray, data, setData)                                                \
    QKEL_PB_OBJECT(Class, path, __VA_ARGS__)
