#pragma once

#include <QString>

#include <string>

namespace google::protobuf {
class FieldDescriptor;
class Message;
}

namespace QKel::Frc {

// The readable text form of configuration records: protobuf text format in
// which the serialized sub-record of every type-and-data field is shown as a
// nested block instead of escaped bytes.
//
//   data {
//     type: TYPE__SERVER
//     data {
//       enabled: true
//       ...
//
// Bytes that do not decode to the record their type selects, or that would not
// encode back to the very same bytes, stay escaped bytes, so that writing the
// text back never changes a configuration.
class FrcText
{
public:
    static QString toText(const google::protobuf::Message& message);

    // Fills `message` (cleared first) from text; on failure returns false and
    // sets `error` to a message naming the line.
    static bool fromText(const QString& text, google::protobuf::Message* message, QString* error);

    // One field value as the text form writes it (element `index` of a
    // repeated field, or -1): UTF-8 text as it stands, any other bytes escaped.
    static std::string valueText(const google::protobuf::Message& message,
                                 const google::protobuf::FieldDescriptor* field, int index);
};

} // namespace QKel::Frc
