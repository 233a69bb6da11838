#include "fileOperationsFixture.h"

#include <deviceFactory.h>
#include <product.h>

#include <QFile>
#include <QUrl>

#include <csignal>
#include <sys/resource.h>

namespace SmTest {

const QString GatewayProductId = QStringLiteral("012001017701");

bool writeFile(const QString& filePath, const QByteArray& bytes)
{
    QFile file(filePath);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& filePath)
{
    QFile file(filePath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString fileUrl(const QString& filePath)
{
    return QUrl::fromLocalFile(filePath).toString();
}

QByteArray gatewayConfiguration(unsigned serialNumber)
{
    const auto device = QKel::Device::DeviceFactory::instance()->createDevice(GatewayProductId);
    if (!device || !device->deviceInfo()) {
        return QByteArray();
    }
    device->deviceInfo()->setSerialNumber(serialNumber);
    return device->serializeToByteArray();
}

FileSizeLimit::FileSizeLimit(long long bytes)
{
    // Writing past the limit must fail with an error, not end the process.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    mPrevious = static_cast<long long>(limit.rlim_cur);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(mPrevious);
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

} // namespace SmTest
