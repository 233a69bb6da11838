#pragma once

#include "abstractmessage.h"
#include "product_ferrowwireless77xx.h"

#include <product_morvane_tarn210.pb.h>

namespace QKel::Pb::Product::Morvane::Tarn210 {

// A check of one CAN signal that the device evaluates; stored, not evaluated, here.
class SafetyFunction : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(bool active READ active WRITE setActive NOTIFY activeChanged)
    Q_PROPERTY(uint canId READ canId WRITE setCanId NOTIFY canIdChanged)
    Q_PROPERTY(uint timeoutMs READ timeoutMs WRITE setTimeoutMs NOTIFY timeoutMsChanged)
    Q_PROPERTY(DATA_TYPE dataType READ dataType WRITE setDataType NOTIFY dataTypeChanged)
    Q_PROPERTY(uint startPosition READ startPosition WRITE setStartPosition NOTIFY startPositionChanged)
    Q_PROPERTY(CAN_BYTE_ORDER canByteOrder READ canByteOrder WRITE setCanByteOrder NOTIFY canByteOrderChanged)
    Q_PROPERTY(TRIGGER_CONDITION triggerCondition READ triggerCondition WRITE setTriggerCondition NOTIFY triggerConditionChanged)
    Q_PROPERTY(qlonglong testValue READ testValue WRITE setTestValue NOTIFY testValueChanged)
    Q_PROPERTY(LOGIC_MODE logicMode READ logicMode WRITE setLogicMode NOTIFY logicModeChanged)
    QKEL_PB_MESSAGE(SafetyFunction, Kel::Pb::Product::Morvane::Tarn210::SafetyFunction)

public:
    enum DATA_TYPE : int {
        DATA_TYPE__UNSIGNED8 = 0,
        DATA_TYPE__UNSIGNED16 = 1,
        DATA_TYPE__UNSIGNED32 = 2,
        DATA_TYPE__SIGNED8 = 3,
        DATA_TYPE__SIGNED16 = 4,
        DATA_TYPE__SIGNED32 = 5,
    };
    Q_ENUM(DATA_TYPE)

    enum CAN_BYTE_ORDER : int {
        CAN_BYTE_ORDER__INTEL = 0,
        CAN_BYTE_ORDER__MOTOROLA = 1,
    };
    Q_ENUM(CAN_BYTE_ORDER)

    enum TRIGGER_CONDITION : int {
        TRIGGER_CONDITION__EQUAL = 0,
        TRIGGER_CONDITION__GREATER_OR_EQUAL = 1,
        TRIGGER_CONDITION__GREATER = 2,
        TRIGGER_CONDITION__LESS_OR_EQUAL = 3,
        TRIGGER_CONDITION__LESS = 4,
        TRIGGER_CONDITION__UNEQUAL = 5,
    };
    Q_ENUM(TRIGGER_CONDITION)

    enum LOGIC_MODE : int {
        LOGIC_MODE__OR = 0,
        LOGIC_MODE__AND = 1,
    };
    Q_ENUM(LOGIC_MODE)

    bool active() const;
    void setActive(bool value);
    uint canId() const;
    void setCanId(uint value);
    uint timeoutMs() const;
    void setTimeoutMs(uint value);
    DATA_TYPE dataType() const;
    void setDataType(DATA_TYPE value);
    uint startPosition() const;
    void setStartPosition(uint value);
    CAN_BYTE_ORDER canByteOrder() const;
    void setCanByteOrder(CAN_BYTE_ORDER value);
    TRIGGER_CONDITION triggerCondition() const;
    void setTriggerCondition(TRIGGER_CONDITION value);
    qlonglong testValue() const;
    void setTestValue(qlonglong value);
    LOGIC_MODE logicMode() const;
    void setLogicMode(LOGIC_MODE value);

signals:
    void activeChanged(bool);
    void canIdChanged(uint);
    void timeoutMsChanged(uint);
    void dataTypeChanged(QKel::Pb::Product::Morvane::Tarn210::SafetyFunction::DATA_TYPE);
    void startPositionChanged(uint);
    void canByteOrderChanged(QKel::Pb::Product::Morvane::Tarn210::SafetyFunction::CAN_BYTE_ORDER);
    void triggerConditionChanged(QKel::Pb::Product::Morvane::Tarn210::SafetyFunction::TRIGGER_CONDITION);
    void testValueChanged(qlonglong);
    void logicModeChanged(QKel::Pb::Product::Morvane::Tarn210::SafetyFunction::LOGIC_MODE);
};

// The customer variant's product record, embedding the base product record.
class Config : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(QKel::Pb::Product::FerrowWireless77xx::Config* parentConfig READ parentConfig WRITE setParentConfig NOTIFY parentConfigChanged)
    Q_PROPERTY(QKel::Pb::Product::Morvane::Tarn210::SafetyFunction* safetyFunction READ safetyFunction WRITE setSafetyFunction NOTIFY safetyFunctionChanged)
    QKEL_PB_MESSAGE(Config, Kel::Pb::Product::Morvane::Tarn210::Config)

public:
    FerrowWireless77xx::Config* parentConfig() const;
    void setParentConfig(FerrowWireless77xx::Config* child);
    SafetyFunction* safetyFunction() const;
    void setSafetyFunction(SafetyFunction* child);

signals:
    void parentConfigChanged(QKel::Pb::Product::FerrowWireless77xx::Config*);
    void safetyFunctionChanged(QKel::Pb::Product::Morvane::Tarn210::SafetyFunction*);
};

}  // namespace QKel::Pb::Product::Morvane::Tarn210
