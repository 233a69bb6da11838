#pragma once

#include <QString>
#include <QVector>

namespace Kel::Pb::Configuration {
class File;
}

namespace google::protobuf {
class FieldDescriptor;
}

namespace QKel::Frc {

// The leaves of a configuration file, named by paths that scripts can compare
// and edit. An entry is named by the chain of its types ("interface/network/
// wlan"), with "[n]" for the n-th further entry of the same chain; the fields
// below follow the text form ("data" steps into the embedded record), list
// elements are counted from 0 ("filterList[3].id"). Values are written as in
// the text form: strings quoted, enumerations by name.
class LeafPaths
{
public:
    struct Leaf
    {
        QString path;
        QString value;
        // The field the value is in; null for an empty record or undecoded bytes.
        const google::protobuf::FieldDescriptor* field = nullptr;
    };
    struct Difference
    {
        QString path;
        QString a;
        QString b;
        const google::protobuf::FieldDescriptor* field = nullptr;
    };

    // What an absent leaf shows.
    static const QString UNSET;

    static QVector<Leaf> leaves(const Kel::Pb::Configuration::File& file);

    enum class Scope {
        AllLeaves,
        // Leaves out the device information (serial number, MAC addresses,
        // module versions, ...), which the gateway keeps about itself and
        // which a write does not set.
        WithoutDeviceInformation,
    };

    // Leaves whose values differ, entries matched by their path, not their place.
    static QVector<Difference> diff(const Kel::Pb::Configuration::File& a, const Kel::Pb::Configuration::File& b,
                                    Scope scope = Scope::AllLeaves);

    // Whether the leaf at `path` lies in a device information record.
    static bool isDeviceInformation(const QString& path);

    // The value at a path (UNSET when the field is absent); false with `error`
    // for a path the configuration cannot have.
    static bool get(const Kel::Pb::Configuration::File& file, const QString& path, QString* value, QString* error);

    // Changes the leaf at `path`; refuses (false, `error`, file unchanged) an
    // unknown path, a value of the wrong type, a number out of range or an
    // unknown enumeration name. A quoted value is read with the text form's
    // escapes; any other is the text as it stands.
    static bool set(Kel::Pb::Configuration::File* file, const QString& path, const QString& value, QString* error);
};

} // namespace QKel::Frc
