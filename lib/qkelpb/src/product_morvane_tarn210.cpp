#include "product_morvane_tarn210.h"

#include "wrapperdefinition.h"

namespace QKel::Pb::Product::Morvane::Tarn210 {

QKEL_PB_WRAPPER(SafetyFunction, "Product::Morvane::Tarn210::SafetyFunction")
QKEL_PB_VALUE(SafetyFunction, bool, active, setActive)
QKEL_PB_VALUE(SafetyFunction, uint, canId, setCanId)
QKEL_PB_VALUE(SafetyFunction, uint, timeoutMs, setTimeoutMs)
QKEL_PB_VALUE(SafetyFunction, DATA_TYPE, dataType, setDataType)
QKEL_PB_VALUE(SafetyFunction, uint, startPosition, setStartPosition)
QKEL_PB_VALUE(SafetyFunction, CAN_BYTE_ORDER, canByteOrder, setCanByteOrder)
QKEL_PB_VALUE(SafetyFunction, TRIGGER_CONDITION, triggerCondition, setTriggerCondition)
QKEL_PB_VALUE(SafetyFunction, qlonglong, testValue, setTestValue)
QKEL_PB_VALUE(SafetyFunction, LOGIC_MODE, logicMode, setLogicMode)

QKEL_PB_WRAPPER(Config, "Product::Morvane::Tarn210::Config")
QKEL_PB_CHILD(Config, FerrowWireless77xx::Config, parentConfig, setParentConfig)
QKEL_PB_CHILD(Config, SafetyFunction, safetyFunction, setSafetyFunction)

}  // namespace QKel::Pb::Product::Morvane::Tarn210
