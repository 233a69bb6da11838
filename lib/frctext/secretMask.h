#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace Kel::Pb::Configuration {
class File;
}

namespace google::protobuf {
class FieldDescriptor;
}

namespace QKel::Frc {

// Passwords, keys and PINs of a configuration file replaced by a mask
// (QKel::Pb::SecretFields states which leaves those are). A masked file is
// still a valid configuration with a correct checksum, so every reader loads
// it; the mask tells it apart from one that holds its secrets.
class SecretMask
{
public:
    // Replaces every secret leaf that holds a value, in the embedded records
    // too, and sets the checksum anew. Returns the leaf paths replaced.
    static QStringList mask(Kel::Pb::Configuration::File* file);

    // The configuration file bytes with their secrets masked; bytes that do
    // not parse come back empty.
    static QByteArray masked(const QByteArray& bytes, QStringList* maskedPaths);

    // The leaf paths that hold the mask: the secrets this file lacks.
    static QStringList maskedLeaves(const Kel::Pb::Configuration::File& file);
    static QStringList maskedLeaves(const QByteArray& bytes);

    // How a masked leaf reads in the text form and the leaf paths.
    static QString maskValue(const google::protobuf::FieldDescriptor* field);
};

} // namespace QKel::Frc
