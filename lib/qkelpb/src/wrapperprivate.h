#pragma once

#include "abstractmessage.h"
#include "fieldcodec.h"
#include "wrappersupport.h"

#include <QList>
#include <QQmlListProperty>
#include <QtDebug>

#include <functional>
#include <map>
#include <vector>

namespace QKel::Pb {

// Extra private state of one wrapper class; specialize it for the few
// wrappers that keep more than their record and children.
template <class X>
struct PrivateState
{
};

// Which wrapper a type-and-data record creates for each type number, so which
// record its data bytes hold, and what it logs when it cannot create one.
struct ObjectTypes
{
    struct Embedded
    {
        AbstractMessage* (*create)(QObject* parent);
        const google::protobuf::Descriptor* (*record)();
        const QMetaObject* wrapper;
    };
    const char* missingText;
    const char* unsupportedText;
    std::map<int, Embedded> factories;
};

template <class C>
AbstractMessage* makeWrapper(QObject* parent)
{
    return new C(parent);
}

// The entry of a type number whose data bytes hold the record of wrapper C.
template <class C>
constexpr ObjectTypes::Embedded holds{&makeWrapper<C>, &C::Record::descriptor, &C::staticMetaObject};

// The entry of a type number whose data bytes hold no record the wrappers know.
constexpr ObjectTypes::Embedded holdsNoRecord{nullptr, nullptr, nullptr};

// The private side of wrapper X: its record, its children, and the rules of
// getters, setters, load and pack, written once for all wrappers. A wrapper's
// fields register, in load order, a binding that says what load() emits or
// creates for the field and what pack() refreshes.
template <class X>
class WrapperPrivate : public PrivateState<X>
{
public:
    using Record = typename X::Record;
    using Field = google::protobuf::FieldDescriptor;

    struct Binding
    {
        std::function<void(X&)> load;
        std::function<void(X&)> pack;
    };

    explicit WrapperPrivate(X* owner)
        : q(owner)
        , children(Record::descriptor()->field_count(), nullptr)
        , lists(Record::descriptor()->field_count())
    {
    }

    ~WrapperPrivate()
    {
        for (AbstractMessage* child : children)
            WrapperSupport::releaseWithOwner(q, child);
        for (const QList<AbstractMessage*>& list : lists) {
            for (AbstractMessage* element : list)
                WrapperSupport::releaseWithOwner(q, element);
        }
        WrapperSupport::releaseWithOwner(q, object);
    }

    static const Field* field(const char* name)
    {
        return WrapperSupport::requireField(Record::descriptor(), name);
    }

    static bool add(Binding binding)
    {
        bindings().push_back(std::move(binding));
        return true;
    }

    // --- plain fields -------------------------------------------------------

    template <class T>
    T value(const Field* f, const T& fallback) const
    {
        if (!f->is_repeated() && !record.GetReflection()->HasField(record, f))
            return fallback;
        return FieldCodec<T>::read(record, f);
    }

    // Compare and store: false when the field already holds v or v is refused.
    template <class T>
    bool storeValue(const Field* f, const T& v)
    {
        const bool present = f->is_repeated() || record.GetReflection()->HasField(record, f);
        if (present && storedEquals(record, f, v))
            return false;
        return FieldCodec<T>::write(record, f, v);
    }

    template <class T>
    void setValue(const Field* f, const T& v, void (X::*changed)(T))
    {
        if (storeValue(f, v))
            emit(q->*changed)(v);
    }

    // --- child wrappers of message fields -------------------------------

    template <class C>
    C* child(const Field* f) const
    {
        return static_cast<C*>(children[f->index()]);
    }

    bool replaceChild(const Field* f, AbstractMessage* c)
    {
        return WrapperSupport::replaceChild(q, children[f->index()], c);
    }

    template <class C>
    void setChild(const Field* f, C* c, void (X::*changed)(C*))
    {
        if (replaceChild(f, c))
            emit(q->*changed)(c);
    }

    // --- lists of child wrappers of repeated message fields --------------

    template <class C>
    QList<C*> list(const Field* f) const
    {
        QList<C*> typed;
        typed.reserve(lists[f->index()].size());
        for (AbstractMessage* element : lists[f->index()])
            typed.append(static_cast<C*>(element));
        return typed;
    }

    template <class C>
    void replaceList(const Field* f, const QList<C*>& typed)
    {
        QList<AbstractMessage*> list;
        list.reserve(typed.size());
        for (C* element : typed)
            list.append(element);
        WrapperSupport::replaceList(q, lists[f->index()], list);
    }

    template <class C>
    void setList(const Field* f, const QList<C*>& typed, void (X::*changed)(QList<C*>))
    {
        if (list<C>(f) == typed)
            return;
        replaceList(f, typed);
        emit(q->*changed)(typed);
    }

    // The QML list edits the list in place, without signals or connections.
    template <class C>
    QQmlListProperty<C> qmlList(const Field* f)
    {
        using Property = QQmlListProperty<C>;
        return Property(
            q, &lists[f->index()], [](Property* p, C* element) { storage(p)->append(element); },
            [](Property* p) { return storage(p)->size(); },
            [](Property* p, int i) { return static_cast<C*>(storage(p)->at(i)); },
            [](Property* p) { storage(p)->clear(); });
    }

    // --- the object of a type-and-data record -----------------------------

    bool replaceObject(AbstractMessage* o)
    {
        return WrapperSupport::replaceChild(q, object, o);
    }

    void createObject(const ObjectTypes& types)
    {
        const google::protobuf::Reflection* reflection = record.GetReflection();
        static const Field* typeField = field("type");
        static const Field* dataField = field("data");
        if (!reflection->HasField(record, typeField) || !reflection->HasField(record, dataField)) {
            qWarning() << types.missingText;
            q->setObject(nullptr);
            return;
        }
        const int type = reflection->GetEnumValue(record, typeField);
        const auto factory = types.factories.find(type);
        if (factory == types.factories.end() || !factory->second.create) {
            qWarning() << types.unsupportedText << type;
            q->setObject(nullptr);
            return;
        }
        AbstractMessage* created = factory->second.create(q);
        created->load(QByteArray::fromStdString(reflection->GetString(record, dataField)));
        q->setObject(created);
    }

    // --- load and pack ----------------------------------------------------

    bool loadRecord(const Record& source)
    {
        if (&source != &record)
            record.CopyFrom(source);
        for (const Binding& binding : bindings())
            binding.load(*q);
        return true;
    }

    QByteArray packRecord()
    {
        for (const Binding& binding : bindings()) {
            if (binding.pack)
                binding.pack(*q);
        }
        return WrapperSupport::serialize(record);
    }

    static bool parse(const QByteArray& bytes, Record& parsed, const char* failureText)
    {
        if (WrapperSupport::parse(parsed, bytes))
            return true;
        qWarning() << failureText;
        return false;
    }

    static const Record* cast(google::protobuf::Message* message, const char* failureText)
    {
        const Record* typed = dynamic_cast<const Record*>(message);
        if (!typed)
            qWarning() << failureText;
        return typed;
    }

    // --- bindings -----------------------------------------------------------

    template <class T>
    static Binding valueBinding(T (X::*get)() const, void (X::*changed)(T))
    {
        return {[get, changed](X& x) { emit(x.*changed)((x.*get)()); }, {}};
    }

    template <class C>
    static Binding childBinding(const Field* f, void (X::*set)(C*))
    {
        const auto load = [f, set](X& x) {
            const Record& record = x.d->record;
            C* created = nullptr;
            if (record.GetReflection()->HasField(record, f)) {
                created = new C(&x);
                created->load(static_cast<const typename C::Record&>(record.GetReflection()->GetMessage(record, f)));
            }
            (x.*set)(created);
        };
        const auto pack = [f](X& x) { WrapperSupport::packChild(x.d->record, f, x.d->children[f->index()]); };
        return {load, pack};
    }

    template <class C>
    static Binding listBinding(const Field* f, void (X::*set)(const QList<C*>&))
    {
        const auto load = [f, set](X& x) {
            const Record& record = x.d->record;
            const google::protobuf::Reflection* reflection = record.GetReflection();
            QList<C*> created;
            for (int i = 0; i < reflection->FieldSize(record, f); ++i) {
                C* element = new C(&x);
                element->load(static_cast<const typename C::Record&>(reflection->GetRepeatedMessage(record, f, i)));
                created.append(element);
            }
            (x.*set)(created);
        };
        const auto pack = [f](X& x) { WrapperSupport::packList(x.d->record, f, x.d->lists[f->index()]); };
        return {load, pack};
    }

    // Without an object the stored data bytes are written as they are, so a
    // record of a type this program has no wrapper for survives a save.
    static Binding objectBinding(const ObjectTypes* types)
    {
        const auto pack = [](X& x) {
            if (x.d->object)
                FieldCodec<QByteArray>::write(x.d->record, field("data"), x.d->object->pack());
        };
        return {[types](X& x) { x.d->createObject(*types); }, pack};
    }

    X* const q;
    Record record;
    std::vector<AbstractMessage*> children;
    std::vector<QList<AbstractMessage*>> lists;
    AbstractMessage* object = nullptr;

private:
    template <class C>
    static QList<AbstractMessage*>* storage(QQmlListProperty<C>* property)
    {
        return static_cast<QList<AbstractMessage*>*>(property->data);
    }

    static std::vector<Binding>& bindings()
    {
        static std::vector<Binding> list;
        return list;
    }
};

}  // namespace QKel::Pb
