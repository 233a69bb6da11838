#include "product_ferrowwireless77xx.h"

#include "wrapperdefinition.h"

namespace QKel::Pb::Product::FerrowWireless77xx {

QKEL_PB_WRAPPER(Config, "Product::FerrowWireless77xx::Config")
QKEL_PB_VALUE(Config, bool, requestDynamicInfo, setRequestDynamicInfo)

}  // namespace QKel::Pb::Product::FerrowWireless77xx
