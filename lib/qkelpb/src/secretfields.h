#pragma once

#include <QString>
#include <QVector>

#include <string>

namespace google::protobuf {
class FieldDescriptor;
}

namespace QKel::Pb {

// The fields of the configuration records that hold passwords, keys and PINs.
// What leaves the user's machine for other eyes (a support archive, a dump for
// a ticket) carries a mask in their place, and a configuration that holds a
// mask must not reach a gateway. The one place that says which fields those are.
namespace SecretFields {

// Every secret field of the schema.
const QVector<const google::protobuf::FieldDescriptor*>& secrets();

// Fields whose names sound like secrets but that hold none, stated so that a
// review of the schema sees they were looked at.
const QVector<const google::protobuf::FieldDescriptor*>& declaredNotSecret();

bool isSecret(const google::protobuf::FieldDescriptor* field);

// What stands in for a secret text: no passphrase, WEP key or PIN a gateway
// accepts holds these characters, so it is never taken for a real one.
const std::string& maskText();

// What stands in for a secret number: the largest value of the field's type,
// beyond every passkey.
quint64 maskNumber(const google::protobuf::FieldDescriptor* field);

} // namespace SecretFields
} // namespace QKel::Pb
