#include "testDevice.h"

TestDevice::TestDevice(const QStringList& productIds, const QByteArray& configuration)
    : mProductIds(productIds)
    , mConfiguration(configuration)
{
}

QSharedPointer<QKel::Device::AbstractDevice> TestDevice::createNewInstance() const
{
    return QSharedPointer<TestDevice>::create(mProductIds);
}

QKel::Pb::Product::DeviceInfo* TestDevice::deviceInfo() const
{
    return mDeviceInfo;
}

QString TestDevice::name() const
{
    return QStringLiteral("Test device");
}

QStringList TestDevice::productIds() const
{
    return mProductIds;
}

QString TestDevice::qmlPath() const
{
    return QString();
}

void TestDevice::parseDeviceInfoFromConfiguration(const QKel::Device::ParsedConfiguration& configuration)
{
    parsed << configuration.bytes();
}

QByteArray TestDevice::serializeToByteArray() const
{
    return mConfiguration;
}

void TestDevice::restoreFromByteArray(const QByteArray& data)
{
    restored << data;
    mConfiguration = data;
    if (mLoadError != QKel::Pb::Configuration::File::LOAD_ERROR__NONE) {
        emit loadError(mLoadError);
    }
    emit saveNeeded();
}

void TestDevice::addDeviceInfo()
{
    mDeviceInfo = new QKel::Pb::Product::DeviceInfo(this);
}

void TestDevice::failLoadsWith(QKel::Pb::Configuration::File::LOAD_ERROR loadError)
{
    mLoadError = loadError;
}
