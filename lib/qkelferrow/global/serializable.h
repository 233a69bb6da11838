#pragma once

#include "qkelferrow_export.h"

#include <QByteArray>

namespace QKel::Global {

// Byte-level persistence of a configuration: the bytes are what is written to
// the device and to ".frc" files.
class QKELFERROW_EXPORT Serializable
{
public:
    virtual QByteArray serializeToByteArray() const = 0;
    virtual void restoreFromByteArray(const QByteArray& data) = 0;
    virtual ~Serializable();
};

} // namespace QKel::Global
