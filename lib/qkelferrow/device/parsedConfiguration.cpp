#include "parsedConfiguration.h"

#include <QPointer>

namespace QKel::Device {

namespace {

// A device that takes the file over becomes its parent and its owner, and may
// delete it before the parse goes; the last holder of the parse deletes only
// a file nobody took.
QSharedPointer<QKel::Pb::Configuration::File> newFile()
{
    auto* file = new QKel::Pb::Configuration::File(nullptr);
    const QPointer<QKel::Pb::Configuration::File> alive(file);
    return QSharedPointer<QKel::Pb::Configuration::File>(file, [alive](QKel::Pb::Configuration::File* taken) {
        if (alive && !alive->parent())
            delete taken;
    });
}

} // namespace

ParsedConfiguration::ParsedConfiguration(const QByteArray& bytes)
    : mBytes(bytes)
    , mFile(newFile())
    , mLoaded(mFile->load(bytes))
{
}

const QByteArray& ParsedConfiguration::bytes() const
{
    return mBytes;
}

QSharedPointer<QKel::Pb::Configuration::File> ParsedConfiguration::file() const
{
    return mFile;
}

bool ParsedConfiguration::loaded() const
{
    return mLoaded;
}

QKel::Pb::Configuration::File::LOAD_ERROR ParsedConfiguration::loadError() const
{
    return mFile->loadError();
}

} // namespace QKel::Device
