#pragma once

#include <QObject>
#include <QtPlugin>

// A valid Qt plug-in whose root object is not a device driver.
class OtherRoot : public QObject
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "Tarn.Test.OtherRoot")

public:
    using QObject::QObject;
};
