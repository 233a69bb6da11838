#pragma once

#include <QByteArray>
#include <QString>

namespace Tarn::Sim {

// The configuration a simulated TARN210 holds, made by the TARN210 driver
// plug-in beside the simulator, and the checks the gateway applies to a
// configuration it is asked to write.
class GatewayConfiguration
{
public:
    static constexpr quint32 DefaultSerialNumber = 210042;

    // The driver's default configuration with the device information a gateway
    // reports about itself (with `serialNumber`), carrying the product ID the
    // gateway answers to "P" (`productIdBytes`) when the driver serves it;
    // empty, with `errorText` set, when no driver is found.
    static QByteArray build(const QByteArray& productIdBytes, QString* errorText,
                            quint32 serialNumber = DefaultSerialNumber);

    // Whether the gateway takes the bytes: a configuration file of version 1
    // with a correct checksum.
    static bool check(const QByteArray& configuration, QString* errorText);
};

} // namespace Tarn::Sim
