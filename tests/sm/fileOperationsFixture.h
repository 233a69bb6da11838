#pragma once

#include <QByteArray>
#include <QString>

// Helpers shared by the tests that work with configuration and archive files.
namespace SmTest {

// The product ID the TARN210 driver serves first.
extern const QString GatewayProductId;

// Writes bytes to a file; false when that failed.
bool writeFile(const QString& filePath, const QByteArray& bytes);
QByteArray readFile(const QString& filePath);
QString fileUrl(const QString& filePath);

// A configuration file for the TARN210 as its driver writes it, with a serial
// number of its own so that it can be told from the driver's defaults.
QByteArray gatewayConfiguration(unsigned serialNumber);

// Limits the size of files this process may write while alive, so a write on
// a real file system fails even for a user whom no permission stops.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(long long bytes);
    ~FileSizeLimit();

private:
    long long mPrevious;
};

} // namespace SmTest
