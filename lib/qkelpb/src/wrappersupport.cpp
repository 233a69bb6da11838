#include "wrappersupport.h"

#include "abstractmessage.h"

#include <QMetaMethod>
#include <QMetaObject>
#include <QMetaProperty>
#include <QtGlobal>

#include <google/protobuf/descriptor.h>
#include <google/protobuf/message.h>

namespace QKel::Pb::WrapperSupport {

const google::protobuf::FieldDescriptor* requireField(const google::protobuf::Descriptor* record, const char* name)
{
    const google::protobuf::FieldDescriptor* field = record->FindFieldByName(name);
    if (!field)
        qFatal("Record %s has no field %s.", record->full_name().c_str(), name);
    return field;
}

// Connects by method index: the signatures were checked when the class was
// written, and comparing them again for every wrapper of a large tree costs
// more than the rest of its construction.
void connectChangeSignals(AbstractMessage* owner, const QMetaObject& metaObject)
{
    static const int dataChanged = QMetaMethod::fromSignal(&AbstractMessage::dataChanged).methodIndex();
    for (int i = metaObject.propertyOffset(); i < metaObject.propertyCount(); ++i) {
        const int notify = metaObject.property(i).notifySignalIndex();
        if (notify >= 0)
            QMetaObject::connect(owner, notify, owner, dataChanged);
    }
}

void release(AbstractMessage* owner, AbstractMessage* child)
{
    QObject::disconnect(child, &AbstractMessage::dataChanged, owner, &AbstractMessage::dataChanged);
    child->deleteLater();
}

void releaseWithOwner(AbstractMessage* owner, AbstractMessage* child)
{
    if (child && child->parent() != owner)
        child->deleteLater();
}

static void adopt(AbstractMessage* owner, AbstractMessage* child)
{
    if (child->parent() != owner)
        child->setParent(owner);
    QObject::connect(child, &AbstractMessage::dataChanged, owner, &AbstractMessage::dataChanged,
                     Qt::UniqueConnection);
}

bool replaceChild(AbstractMessage* owner, AbstractMessage*& slot, AbstractMessage* child)
{
    if (slot == child)
        return false;
    if (slot)
        release(owner, slot);
    slot = child;
    if (child)
        adopt(owner, child);
    return true;
}

void replaceList(AbstractMessage* owner, QList<AbstractMessage*>& slot, const QList<AbstractMessage*>& list)
{
    for (auto it = slot.crbegin(); it != slot.crend(); ++it) {
        if (*it && !list.contains(*it))
            release(owner, *it);
    }
    slot = list;
    for (AbstractMessage* element : list) {
        if (element)
            adopt(owner, element);
    }
}

bool parse(google::protobuf::Message& record, const QByteArray& bytes)
{
    return record.ParsePartialFromArray(bytes.constData(), bytes.size()) && record.IsInitialized();
}

QByteArray serialize(const google::protobuf::Message& record)
{
    return QByteArray::fromStdString(record.SerializePartialAsString());
}

void packChild(google::protobuf::Message& record, const google::protobuf::FieldDescriptor* field,
               AbstractMessage* child)
{
    const google::protobuf::Reflection* reflection = record.GetReflection();
    if (!child) {
        reflection->ClearField(&record, field);
        return;
    }
    const QByteArray bytes = child->pack();
    reflection->MutableMessage(&record, field)->ParsePartialFromArray(bytes.constData(), bytes.size());
}

void packList(google::protobuf::Message& record, const google::protobuf::FieldDescriptor* field,
              const QList<AbstractMessage*>& list)
{
    const google::protobuf::Reflection* reflection = record.GetReflection();
    reflection->ClearField(&record, field);
    for (AbstractMessage* element : list) {
        if (!element)
            continue;
        const QByteArray bytes = element->pack();
        reflection->AddMessage(&record, field)->ParsePartialFromArray(bytes.constData(), bytes.size());
    }
}

}  // namespace QKel::Pb::WrapperSupport
