#pragma once

#include <configuration.pb.h>

#include <QByteArray>
#include <QString>
#include <QVector>

namespace QKel::Device {
class AbstractDevice;
}
namespace QKel::Sm {
class StateMachine;
}

// Helpers shared by the tests that work with configuration and archive files.
namespace SmTest {

// The product ID the TARN210 driver serves first.
extern const QString GatewayProductId;

// Writes bytes to a file; false when that failed.
bool writeFile(const QString& filePath, const QByteArray& bytes);
QByteArray readFile(const QString& filePath);
QString fileUrl(const QString& filePath);

// A configuration file for the TARN210 as its driver writes it, with a serial
// number of its own so that it can be told from the driver's defaults, and,
// unless 0, a CAN bit rate (a setting the user edits, not device information).
QByteArray gatewayConfiguration(unsigned serialNumber, uint canBitRate = 0);

// The CAN bit rate in a TARN210 device object's configuration.
uint canBitRate(const QKel::Device::AbstractDevice& device);

// Starts the facade's thread and waits until the machine runs in this thread.
bool startFacade(QKel::Sm::StateMachine& facade, const QString& startupFile = QString(), bool autoflash = false);

// Re-encodes a valid configuration file record after a change to it.
QByteArray alteredFile(const QByteArray& valid, void (*alter)(Kel::Pb::Configuration::File&));

// A leaf path and the value frctool's "set" would give it.
struct LeafValue
{
    QString path;
    QString value;
};

// A secret in each place a TARN210 configuration keeps one: the WLAN
// passphrase, the Bluetooth PIN code and the Bluetooth passkey.
extern const QVector<LeafValue> GatewaySecrets;

// A valid configuration file with the leaves set and its checksum made anew;
// empty when a path or value does not apply.
QByteArray withLeaves(const QByteArray& valid, const QVector<LeafValue>& leaves);

} // namespace SmTest
