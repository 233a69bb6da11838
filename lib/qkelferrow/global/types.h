#pragma once

#include "qkelferrow_export.h"

#include <QObject>

namespace QKel::Global {

// Carries the enumerations that the program's objects and the QML pages share;
// registered for QML as "KelTypes".
class QKELFERROW_EXPORT Types : public QObject
{
    Q_OBJECT

public:
    enum eDisplayFormat {
        DISPLAY_FORMAT_HEXADECIMAL = 0,
        DISPLAY_FORMAT_DECIMAL = 1
    };
    Q_ENUM(eDisplayFormat)

    enum eCanFormat {
        CAN_FORMAT_LAYER2 = 0,
        CAN_FORMAT_J1939 = 1
    };
    Q_ENUM(eCanFormat)

    enum eConfigurationType {
        CONFIGURATION_TYPE_NONE = -1,
        CONFIGURATION_TYPE_NEW = 0,
        CONFIGURATION_TYPE_FILE = 1,
        CONFIGURATION_TYPE_READ_FROM_DEVICE = 2
    };
    Q_ENUM(eConfigurationType)

    using QObject::QObject;
};

} // namespace QKel::Global
