#pragma once

#include "qkelferrow_export.h"

#include <configuration.h>

#include <QByteArray>
#include <QSharedPointer>

namespace QKel::Device {

// The bytes of one configuration file, as a gateway sent them or a file held
// them, parsed once: everyone who needs the configuration (the backup's name,
// the device information, a driver's tree, the product ID check of a load)
// takes the parsed file, and the bytes stay for what keeps them as they came.
class QKELFERROW_EXPORT ParsedConfiguration
{
public:
    explicit ParsedConfiguration(const QByteArray& bytes);

    const QByteArray& bytes() const;
    // Never null; holds no entries when the bytes were refused. A device may
    // take it over by becoming its parent; from then on the file lives as
    // long as the device, and the parse is done with.
    QSharedPointer<QKel::Pb::Configuration::File> file() const;
    // Whether the bytes parsed and passed the version and checksum checks.
    bool loaded() const;
    QKel::Pb::Configuration::File::LOAD_ERROR loadError() const;

private:
    QByteArray mBytes;
    QSharedPointer<QKel::Pb::Configuration::File> mFile;
    bool mLoaded = false;
};

} // namespace QKel::Device
