#include "product.h"

#include "product_ferrowwireless77xx.h"
#include "product_morvane_tarn210.h"
#include "wrapperdefinition.h"

namespace QKel::Pb::Product {

QKEL_PB_WRAPPER(DeviceInfo, "Product::DeviceInfo")
QKEL_PB_VALUE(DeviceInfo, QString, name, setName)
QKEL_PB_VALUE(DeviceInfo, uint, vendorId, setVendorId)
QKEL_PB_VALUE(DeviceInfo, uint, productCode, setProductCode)
QKEL_PB_VALUE(DeviceInfo, uint, productGroup, setProductGroup)
QKEL_PB_VALUE(DeviceInfo, uint, revisionNumber, setRevisionNumber)
QKEL_PB_VALUE(DeviceInfo, uint, serialNumber, setSerialNumber)
QKEL_PB_VALUE(DeviceInfo, qulonglong, unixTimeOfManufacture, setUnixTimeOfManufacture)
QKEL_PB_VALUE(DeviceInfo, uint, hoursOfOperation, setHoursOfOperation)

// Unlike a network, the product creates its object before its device info.
QKEL_PB_WRAPPER(Config, "Product::Config")
QKEL_PB_VALUE(Config, TYPE, type, setType)
QKEL_PB_VALUE(Config, QByteArray, data, setData)
QKEL_PB_OBJECT(Config, "Product::Config",
               {Config::TYPE__NONE, holdsNoRecord},
               {Config::TYPE__FERROW_WIRELESS_77XX, holds<FerrowWireless77xx::Config>},
               {Config::TYPE__MORVANE_TARN210, holds<Morvane::Tarn210::Config>})
QKEL_PB_CHILD(Config, DeviceInfo, deviceInfo, setDeviceInfo)

}  // namespace QKel::Pb::Product
