#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <google/protobuf/descriptor.h>
#include <google/protobuf/message.h>
#include <google/protobuf/reflection.h>

#include <string>
#include <type_traits>

namespace QKel::Pb {

// Moves one record field between its protobuf representation and the Qt type
// of the wrapper property, through reflection. read() is only asked for
// fields that are present (or repeated); write() makes the field present.
template <class T, class Enable = void>
struct FieldCodec;

template <class T, class Getter, class Setter>
struct ScalarCodec
{
    static T read(const google::protobuf::Message& m, const google::protobuf::FieldDescriptor* f)
    {
        return static_cast<T>((m.GetReflection()->*Getter::value)(m, f));
    }
    static bool write(google::protobuf::Message& m, const google::protobuf::FieldDescriptor* f, const T& v)
    {
        (m.GetReflection()->*Setter::value)(&m, f, v);
        return true;
    }
};

template <auto P>
struct Member
{
    static constexpr auto value = P;
};

using Reflection = google::protobuf::Reflection;

template <>
struct FieldCodec<bool> : ScalarCodec<bool, Member<&Reflection::GetBool>, Member<&Reflection::SetBool>> {};
template <>
struct FieldCodec<uint> : ScalarCodec<uint, Member<&Reflection::GetUInt32>, Member<&Reflection::SetUInt32>> {};
template <>
struct FieldCodec<qulonglong>
    : ScalarCodec<qulonglong, Member<&Reflection::GetUInt64>, Member<&Reflection::SetUInt64>> {};
template <>
struct FieldCodec<qlonglong>
    : ScalarCodec<qlonglong, Member<&Reflection::GetInt64>, Member<&Reflection::SetInt64>> {};

template <>
struct FieldCodec<QString>
{
    static QString read(const google::protobuf::Message& m, const google::protobuf::FieldDescriptor* f)
    {
        return QString::fromStdString(m.GetReflection()->GetString(m, f));
    }
    static bool write(google::protobuf::Message& m, const google::protobuf::FieldDescriptor* f, const QString& v)
    {
        m.GetReflection()->SetString(&m, f, v.toStdString());
        return true;
    }
};

template <>
struct FieldCodec<QByteArray>
{
    static QByteArray read(const google::protobuf::Message& m, const google::protobuf::FieldDescriptor* f)
    {
        return QByteArray::fromStdString(m.GetReflection()->GetString(m, f));
    }
    static bool write(google::protobuf::Message& m, const google::protobuf::FieldDescriptor* f, const QByteArray& v)
    {
        m.GetReflection()->SetString(&m, f, v.toStdString());
        return true;
    }
};

// A closed proto2 enumeration cannot hold a number it does not define: such a
// value is refused instead of being parked among the unknown fields, where the
// getter would no longer see it.
template <class T>
struct FieldCodec<T, std::enable_if_t<std::is_enum_v<T>>>
{
    static T read(const google::protobuf::Message& m, const google::protobuf::FieldDescriptor* f)
    {
        return static_cast<T>(m.GetReflection()->GetEnumValue(m, f));
    }
    static bool write(google::protobuf::Message& m, const google::protobuf::FieldDescriptor* f, const T& v)
    {
        if (!f->enum_type()->FindValueByNumber(static_cast<int>(v))) {
            qWarning("Ignored undefined value %d for field %s.", static_cast<int>(v), f->full_name().c_str());
            return false;
        }
        m.GetReflection()->SetEnumValue(&m, f, static_cast<int>(v));
        return true;
    }
};

template <>
struct FieldCodec<QList<quint32>>
{
    static QList<quint32> read(const google::protobuf::Message& m, const google::protobuf::FieldDescriptor* f)
    {
        const auto& values = m.GetReflection()->GetRepeatedFieldRef<google::protobuf::uint32>(m, f);
        return QList<quint32>(values.begin(), values.end());
    }
    static bool write(google::protobuf::Message& m, const google::protobuf::FieldDescriptor* f, const QList<quint32>& v)
    {
        m.GetReflection()->ClearField(&m, f);
        for (quint32 value : v)
            m.GetReflection()->AddUInt32(&m, f, value);
        return true;
    }
};

template <>
struct FieldCodec<QStringList>
{
    static QStringList read(const google::protobuf::Message& m, const google::protobuf::FieldDescriptor* f)
    {
        QStringList list;
        for (const std::string& value : m.GetReflection()->GetRepeatedFieldRef<std::string>(m, f))
            list.append(QString::fromStdString(value));
        return list;
    }
    static bool write(google::protobuf::Message& m, const google::protobuf::FieldDescriptor* f, const QStringList& v)
    {
        m.GetReflection()->ClearField(&m, f);
        for (const QString& value : v)
            m.GetReflection()->AddString(&m, f, value.toStdString());
        return true;
    }
};

template <class T>
bool storedEquals(const google::protobuf::Message& m, const google::protobuf::FieldDescriptor* f, const T& v)
{
    return FieldCodec<T>::read(m, f) == v;
}

// Strings compare as the UTF-8 bytes the record holds.
template <>
inline bool storedEquals<QString>(const google::protobuf::Message& m, const google::protobuf::FieldDescriptor* f,
                                  const QString& v)
{
    return m.GetReflection()->GetString(m, f) == v.toStdString();
}

}  // namespace QKel::Pb
