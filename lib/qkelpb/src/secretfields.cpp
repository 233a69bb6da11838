#include "secretfields.h"

#include <bluetooth.pb.h>
#include <wlan.pb.h>

#include <google/protobuf/descriptor.h>

#include <initializer_list>
#include <limits>

namespace QKel::Pb::SecretFields {

namespace pb = google::protobuf;

namespace {

struct Named
{
    const pb::Descriptor* (*record)();
    const char* field;
};

// A misspelt name stops the program at the first use instead of leaving a
// secret unmasked.
QVector<const pb::FieldDescriptor*> resolved(std::initializer_list<Named> names)
{
    QVector<const pb::FieldDescriptor*> fields;
    for (const Named& named : names) {
        const pb::FieldDescriptor* field = named.record()->FindFieldByName(named.field);
        if (!field)
            qFatal("The field %s.%s is not in the schema", named.record()->full_name().c_str(), named.field);
        fields.append(field);
    }
    return fields;
}

} // namespace

const QVector<const pb::FieldDescriptor*>& secrets()
{
    static const QVector<const pb::FieldDescriptor*> fields = resolved({
        {&Kel::Pb::Wlan::Authentication::descriptor, "passphrase"},
        {&Kel::Pb::Wlan::EnterpriseAuthentication::descriptor, "password"},
        {&Kel::Pb::Bluetooth::Config::descriptor, "pinCode2p0"},
        {&Kel::Pb::Bluetooth::Config::descriptor, "passkey"},
    });
    return fields;
}

const QVector<const pb::FieldDescriptor*>& declaredNotSecret()
{
    // None today.
    static const QVector<const pb::FieldDescriptor*> fields = resolved({});
    return fields;
}

bool isSecret(const pb::FieldDescriptor* field)
{
    return secrets().contains(field);
}

const std::string& maskText()
{
    static const std::string text = QStringLiteral("\u2022\u2022\u2022 removed \u2022\u2022\u2022").toStdString();
    return text;
}

quint64 maskNumber(const pb::FieldDescriptor* field)
{
    switch (field->cpp_type()) {
    case pb::FieldDescriptor::CPPTYPE_UINT32:
        return std::numeric_limits<quint32>::max();
    case pb::FieldDescriptor::CPPTYPE_INT32:
        return quint64(std::numeric_limits<qint32>::max());
    case pb::FieldDescriptor::CPPTYPE_INT64:
        return quint64(std::numeric_limits<qint64>::max());
    default:
        return std::numeric_limits<quint64>::max();
    }
}

} // namespace QKel::Pb::SecretFields
