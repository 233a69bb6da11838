#pragma once

#include "abstractmessage.h"

#include <product.pb.h>

namespace QKel::Pb::Product {

// The identity the device reports about itself.
class DeviceInfo : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY nameChanged)
    Q_PROPERTY(uint vendorId READ vendorId WRITE setVendorId NOTIFY vendorIdChanged)
    Q_PROPERTY(uint productCode READ productCode WRITE setProductCode NOTIFY productCodeChanged)
    Q_PROPERTY(uint productGroup READ productGroup WRITE setProductGroup NOTIFY productGroupChanged)
    Q_PROPERTY(uint revisionNumber READ revisionNumber WRITE setRevisionNumber NOTIFY revisionNumberChanged)
    Q_PROPERTY(uint serialNumber READ serialNumber WRITE setSerialNumber NOTIFY serialNumberChanged)
    Q_PROPERTY(qulonglong unixTimeOfManufacture READ unixTimeOfManufacture WRITE setUnixTimeOfManufacture NOTIFY unixTimeOfManufactureChanged)
    Q_PROPERTY(uint hoursOfOperation READ hoursOfOperation WRITE setHoursOfOperation NOTIFY hoursOfOperationChanged)
    QKEL_PB_MESSAGE(DeviceInfo, Kel::Pb::Product::DeviceInfo)

public:
    QString name() const;
    void setName(QString value);
    uint vendorId() const;
    void setVendorId(uint value);
    uint productCode() const;
    void setProductCode(uint value);
    uint productGroup() const;
    void setProductGroup(uint value);
    uint revisionNumber() const;
    void setRevisionNumber(uint value);
    uint serialNumber() const;
    void setSerialNumber(uint value);
    qulonglong unixTimeOfManufacture() const;
    void setUnixTimeOfManufacture(qulonglong value);
    uint hoursOfOperation() const;
    void setHoursOfOperation(uint value);

signals:
    void nameChanged(QString);
    void vendorIdChanged(uint);
    void productCodeChanged(uint);
    void productGroupChanged(uint);
    void revisionNumberChanged(uint);
    void serialNumberChanged(uint);
    void unixTimeOfManufactureChanged(qulonglong);
    void hoursOfOperationChanged(uint);
};

// The product entry of a configuration file; data holds the product-specific
// record that type selects.
class Config : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(TYPE type READ type WRITE setType NOTIFY typeChanged)
    Q_PROPERTY(QByteArray data READ data WRITE setData NOTIFY dataChanged)
    Q_PROPERTY(QKel::Pb::AbstractMessage* object READ object WRITE setObject NOTIFY objectChanged)
    Q_PROPERTY(QKel::Pb::Product::DeviceInfo* deviceInfo READ deviceInfo WRITE setDeviceInfo NOTIFY deviceInfoChanged)
    QKEL_PB_MESSAGE(Config, Kel::Pb::Product::Config)

public:
    enum TYPE : int {
        TYPE__NONE = 0,
        TYPE__FERROW_WIRELESS_77XX = 1,
        TYPE__MORVANE_TARN210 = 2,
    };
    Q_ENUM(TYPE)

    QKEL_PB_TYPE_AND_DATA_ACCESSORS
    DeviceInfo* deviceInfo() const;
    void setDeviceInfo(DeviceInfo* child);

signals:
    void typeChanged(QKel::Pb::Product::Config::TYPE);
    void dataChanged(QByteArray);
    void objectChanged(QKel::Pb::AbstractMessage*);
    void deviceInfoChanged(QKel::Pb::Product::DeviceInfo*);
};

}  // namespace QKel::Pb::Product
