import QtQuick 2.15
import kelbus.qkel.pb 1.0
import kelbus.kit 1.0
import "../fields/numberFormat.js" as NumberFormat

// The CAN safety function: which CAN signal the device compares with which
// value to decide the global safety state.
ConfigPage {
    id: page
    objectName: "safetyPage"

    property bool hexadecimal: false
    readonly property QtObject product: device && device.productConfig ? device.productConfig.object : null
    readonly property QtObject sf: product && product.safetyFunction ? product.safetyFunction : null
    readonly property bool fieldsEnabled: sf !== null && sf.active
    readonly property var comparisonRange: NumberFormat.rangeOfDataType(sf ? sf.dataType : -1)

    function clampComparisonValue() {
        var clamped = Math.min(Math.max(sf.testValue, comparisonRange.minimum), comparisonRange.maximum)
        if (clamped !== sf.testValue)
            sf.testValue = clamped
    }

    ToolTipGroupBox {
        x: 20; y: 20
        objectName: "safetyFunctionGroup"
        title: qsTr("Safety Function")
        toolTip: qsTr("If enabled, the Safety Function can be used to disable certain features in the Service Tool when the global safety state is inactive.\n\nThe global safety state is determined by comparing data from the specified CAN message to a given value using the configurable logic mode (OR/AND).")

        BoundCheckBox { objectName: "enableBox"; text: qsTr("Enable"); target: page.sf; propertyName: "active" }

        Column {
            spacing: 5
            enabled: page.fieldsEnabled

            LabelledSpinBox {
                objectName: "canIdBox"; label: qsTr("CAN ID"); target: page.sf; propertyName: "canId"
                hexadecimal: page.hexadecimal; maximumValue: 0x7FFFFFFF
            }
            LabelledSpinBox {
                objectName: "timeoutBox"; label: qsTr("Timeout (ms)"); target: page.sf; propertyName: "timeoutMs"
                hexadecimal: page.hexadecimal
            }
            BoundComboBox {
                objectName: "dataTypeBox"; label: qsTr("Data type"); target: page.sf; propertyName: "dataType"
                onChosen: page.clampComparisonValue()
                choices: Fields.named(MovaneTarn210SafetyFunction, [["unsigned8", "DATA_TYPE__UNSIGNED8"], ["unsigned16", "DATA_TYPE__UNSIGNED16"], ["unsigned32", "DATA_TYPE__UNSIGNED32"],
                                  ["signed8", "DATA_TYPE__SIGNED8"], ["signed16", "DATA_TYPE__SIGNED16"], ["signed32", "DATA_TYPE__SIGNED32"]])
            }
            LabelledSpinBox {
                objectName: "startPositionBox"; label: qsTr("Start position"); target: page.sf
                propertyName: "startPosition"; hexadecimal: page.hexadecimal; maximumValue: 7
            }
            BoundComboBox {
                objectName: "byteOrderBox"; label: qsTr("Byte order"); target: page.sf; propertyName: "canByteOrder"
                choices: Fields.named(MovaneTarn210SafetyFunction, [[qsTr("Intel"), "CAN_BYTE_ORDER__INTEL"], [qsTr("Motorola"), "CAN_BYTE_ORDER__MOTOROLA"]])
            }
            BoundComboBox {
                objectName: "triggerConditionBox"; label: qsTr("Trigger condition"); target: page.sf
                propertyName: "triggerCondition"
                choices: Fields.named(MovaneTarn210SafetyFunction, [[qsTr("Equal"), "TRIGGER_CONDITION__EQUAL"],
                    [qsTr("Greater or equal"), "TRIGGER_CONDITION__GREATER_OR_EQUAL"], [qsTr("Greater"), "TRIGGER_CONDITION__GREATER"],
                    [qsTr("Less or equal"), "TRIGGER_CONDITION__LESS_OR_EQUAL"], [qsTr("Less"), "TRIGGER_CONDITION__LESS"],
                    [qsTr("Not equal"), "TRIGGER_CONDITION__UNEQUAL"]])
            }
            // The range and width follow the data type. A value outside the
            // range is shown as stored and marked until the user edits it or
            // chooses another data type, which clamps it into the new range.
            LabelledSpinBox {
                objectName: "comparisonValueBox"; label: qsTr("Comparison value")
                target: page.sf; propertyName: "testValue"
                hexadecimal: page.hexadecimal
                minimumValue: page.comparisonRange.minimum
                maximumValue: page.comparisonRange.maximum
                bitWidth: page.comparisonRange.bits
            }
            BoundComboBox {
                objectName: "logicModeBox"; label: qsTr("Logic mode"); target: page.sf; propertyName: "logicMode"
                choices: Fields.named(MovaneTarn210SafetyFunction, [[qsTr("OR"), "LOGIC_MODE__OR"], [qsTr("AND"), "LOGIC_MODE__AND"]])
            }
        }

        ChoiceSwitch {
            objectName: "displayFormat"
            first: page.hexadecimal
            onChosen: page.hexadecimal = first
        }
    }
}
