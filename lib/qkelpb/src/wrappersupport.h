#pragma once

#include <QByteArray>
#include <QList>

namespace google::protobuf {
class Descriptor;
class FieldDescriptor;
class Message;
}  // namespace google::protobuf

class QMetaObject;

namespace QKel::Pb {

class AbstractMessage;

// The rules every wrapper shares that do not depend on the wrapper's type.
namespace WrapperSupport {

// Looks a field up by name; a wrapper naming a field its record lacks is a
// programming error caught when the library loads.
const google::protobuf::FieldDescriptor* requireField(const google::protobuf::Descriptor* record, const char* name);

// Forwards every change signal of the class's own properties to dataChanged().
void connectChangeSignals(AbstractMessage* owner, const QMetaObject& metaObject);

// Child-setter rule: returns false when child is already in slot; otherwise
// releases the old child, stores and connects the new one.
bool replaceChild(AbstractMessage* owner, AbstractMessage*& slot, AbstractMessage* child);

// Replaces a list of children. Elements dropped from the list are released;
// elements listed again stay alive and connected once.
void replaceList(AbstractMessage* owner, QList<AbstractMessage*>& slot, const QList<AbstractMessage*>& list);

// Disconnects a child from its owner and schedules its deletion.
void release(AbstractMessage* owner, AbstractMessage* child);

// Releases a child of an owner being destroyed. Its Qt children go with it at
// once; scheduling their deletion as well would make each of them search the
// queue of posted events as it dies, so a tree of n children would take time
// growing with n squared. Only a child moved to another parent is scheduled.
void releaseWithOwner(AbstractMessage* owner, AbstractMessage* child);

// Parses bytes into a record; false on an invalid encoding or a missing
// required field. Never aborts on either.
bool parse(google::protobuf::Message& record, const QByteArray& bytes);

// Writes the encoding of a record that may lack required fields: packing
// must never abort on an incomplete record.
QByteArray serialize(const google::protobuf::Message& record);

// Makes a message field mirror a child: absent without child, else the
// child's packed record.
void packChild(google::protobuf::Message& record, const google::protobuf::FieldDescriptor* field,
               AbstractMessage* child);

// Rebuilds a repeated message field from a list of children, in order.
void packList(google::protobuf::Message& record, const google::protobuf::FieldDescriptor* field,
              const QList<AbstractMessage*>& list);

}  // namespace WrapperSupport
}  // namespace QKel::Pb
