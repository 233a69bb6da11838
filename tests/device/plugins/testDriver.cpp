#include "testDriver.h"

TestDriver::TestDriver(QObject* parent)
    : AbstractDevice(parent)
{
}

// Lets the scan test see which prototypes the factory let go.
TestDriver::~TestDriver()
{
    qDebug().noquote() << "destroyed" << name();
}

QSharedPointer<QKel::Device::AbstractDevice> TestDriver::createNewInstance() const
{
    return QSharedPointer<QKel::Device::AbstractDevice>(new TestDriver);
}

QKel::Pb::Product::DeviceInfo* TestDriver::deviceInfo() const
{
    return nullptr;
}

QString TestDriver::name() const
{
    return QStringLiteral(TEST_DRIVER_NAME);
}

QStringList TestDriver::productIds() const
{
    // Comma-separated; an empty TEST_DRIVER_IDS stands for a driver without IDs.
    const QString ids = QStringLiteral(TEST_DRIVER_IDS);
    return ids.isEmpty() ? QStringList() : ids.split(QLatin1Char(','));
}

QString TestDriver::qmlPath() const
{
    return {};
}

QByteArray TestDriver::serializeToByteArray() const
{
    return name().toUtf8();
}

void TestDriver::restoreFromByteArray(const QByteArray&)
{
}
