import QtQuick 2.15
import "qrc:///themes/morvane/qml/."
import "../fields"
import "../fields/numberFormat.js" as NumberFormat

// The CAN safety function: which CAN signal the device compares with which
// value to decide the global safety state.
ConfigPage {
    id: page
    objectName: "safetyPage"

    property bool hexadecimal: false
    readonly property QtObject device: stateMachine.currentDevice
    readonly property QtObject product: device && device.productConfig ? device.productConfig.object : null
    readonly property QtObject sf: product && product.safetyFunction ? product.safetyFunction : null
    readonly property bool fieldsEnabled: sf !== null && sf.active

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
                model: ["unsigned8", "unsigned16", "unsigned32", "signed8", "signed16", "signed32"]
            }
            LabelledSpinBox {
                objectName: "startPositionBox"; label: qsTr("Start position"); target: page.sf
                propertyName: "startPosition"; hexadecimal: page.hexadecimal; maximumValue: 7
            }
            BoundComboBox {
                objectName: "byteOrderBox"; label: qsTr("Byte order"); target: page.sf; propertyName: "canByteOrder"
                model: [qsTr("Intel"), qsTr("Motorola")]
            }
            BoundComboBox {
                objectName: "triggerConditionBox"; label: qsTr("Trigger condition"); target: page.sf
                propertyName: "triggerCondition"
                model: [qsTr("Equal"), qsTr("Greater or equal"), qsTr("Greater"), qsTr("Less or equal"),
                        qsTr("Less"), qsTr("Not equal")]
            }
            // The range follows the data type and is set before the value, so
            // that a stored value is clamped only by its own type's range; a
            // clamped value is written back.
            LabelledSpinBox {
                id: comparison
                objectName: "comparisonValueBox"; label: qsTr("Comparison value")
                bound: page.sf !== null
                value: page.sf ? page.sf.testValue : 0
                hexadecimal: page.hexadecimal
                minimumValue: NumberFormat.widestRange.minimum
                maximumValue: NumberFormat.widestRange.maximum
                onEdited: page.sf.testValue = value

                function applyStored() {
                    if (!page.sf)
                        return
                    var range = NumberFormat.rangeOfDataType(page.sf.dataType)
                    minimumValue = range.minimum
                    maximumValue = range.maximum
                    sync()
                    if (spinBox.value !== page.sf.testValue)
                        page.sf.testValue = spinBox.value
                }

                Connections {
                    target: page.sf
                    function onTestValueChanged() { comparison.applyStored() }
                    function onDataTypeChanged() { comparison.applyStored() }
                }
                Connections {
                    target: page
                    function onSfChanged() { comparison.applyStored() }
                }
                Component.onCompleted: applyStored()
            }
            BoundComboBox {
                objectName: "logicModeBox"; label: qsTr("Logic mode"); target: page.sf; propertyName: "logicMode"
                model: [qsTr("OR"), qsTr("AND")]
            }
        }

        ChoiceSwitch {
            objectName: "displayFormat"
            first: page.hexadecimal
            onChosen: page.hexadecimal = first
        }
    }
}
