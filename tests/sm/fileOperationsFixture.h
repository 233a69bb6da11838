#pragma once

#include <configuration.pb.h>

#include <QByteArray>
#include <QString>

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

} // namespace SmTest
