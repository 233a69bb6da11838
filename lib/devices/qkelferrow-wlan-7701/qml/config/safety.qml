import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Layouts 1.15
import "qrc:///themes/morvane/qml/."
import "numberFormat.js" as NumberFormat

// The CAN safety function: which CAN signal the device compares with which
// value to decide the global safety state.
Item {
    id: page
    objectName: "safetyPage"

    property bool hexadecimal: false
    readonly property QtObject device: stateMachine.currentDevice
    readonly property QtObject product: device && device.productConfig ? device.productConfig.object : null
    readonly property QtObject sf: product && product.safetyFunction ? product.safetyFunction : null
    readonly property bool fieldsEnabled: sf !== null && sf.active

    GroupBox {
        id: group
        objectName: "safetyFunctionGroup"
        title: qsTr("Safety Function")
        Accessible.name: title
        anchors.left: parent.left
        anchors.top: parent.top
        anchors.margins: 10

        GridLayout {
            columns: 2
            columnSpacing: 20
            rowSpacing: 6

            PageCheckBox {
                objectName: "enableBox"
                Layout.columnSpan: 2
                text: qsTr("Enable")
                target: page.sf
                propertyName: "active"
            }

            ThemedText { text: qsTr("CAN ID"); enabled: page.fieldsEnabled }
            PageSpinBox {
                objectName: "canIdBox"
                label: qsTr("CAN ID")
                target: page.sf
                propertyName: "canId"
                enabled: page.fieldsEnabled
                hexadecimal: page.hexadecimal
                maximumValue: 0x7FFFFFFF
            }

            ThemedText { text: qsTr("Timeout (ms)"); enabled: page.fieldsEnabled }
            PageSpinBox {
                objectName: "timeoutBox"
                label: qsTr("Timeout (ms)")
                target: page.sf
                propertyName: "timeoutMs"
                enabled: page.fieldsEnabled
                hexadecimal: page.hexadecimal
                maximumValue: 65535
            }

            ThemedText { text: qsTr("Data type"); enabled: page.fieldsEnabled }
            PageComboBox {
                objectName: "dataTypeBox"
                label: qsTr("Data type")
                target: page.sf
                propertyName: "dataType"
                enabled: page.fieldsEnabled
                model: ["unsigned8", "unsigned16", "unsigned32", "signed8", "signed16", "signed32"]
            }

            ThemedText { text: qsTr("Start position"); enabled: page.fieldsEnabled }
            PageSpinBox {
                objectName: "startPositionBox"
                label: qsTr("Start position")
                target: page.sf
                propertyName: "startPosition"
                enabled: page.fieldsEnabled
                hexadecimal: page.hexadecimal
                maximumValue: 7
            }

            ThemedText { text: qsTr("Byte order"); enabled: page.fieldsEnabled }
            PageComboBox {
                objectName: "byteOrderBox"
                label: qsTr("Byte order")
                target: page.sf
                propertyName: "canByteOrder"
                enabled: page.fieldsEnabled
                model: [qsTr("Intel"), qsTr("Motorola")]
            }

            ThemedText { text: qsTr("Trigger condition"); enabled: page.fieldsEnabled }
            PageComboBox {
                objectName: "triggerConditionBox"
                label: qsTr("Trigger condition")
                target: page.sf
                propertyName: "triggerCondition"
                enabled: page.fieldsEnabled
                model: [qsTr("Equal"), qsTr("Greater or equal"), qsTr("Greater"), qsTr("Less or equal"),
                        qsTr("Less"), qsTr("Not equal")]
            }

            ThemedText { text: qsTr("Comparison value"); enabled: page.fieldsEnabled }
            ThemedSpinBox {
                id: comparison
                objectName: "comparisonValueBox"
                Accessible.name: qsTr("Comparison value")
                enabled: page.fieldsEnabled
                radix: NumberFormat.radix(page.hexadecimal)
                prefix: NumberFormat.prefix(page.hexadecimal)

                // The range follows the data type; it is set before the value,
                // so that a stored value is clamped only by its own type's range.
                property bool applying: false
                minimumValue: NumberFormat.widestRange.minimum
                maximumValue: NumberFormat.widestRange.maximum

                function applyStored() {
                    if (!page.sf)
                        return
                    var range = NumberFormat.rangeOfDataType(page.sf.dataType)
                    applying = true
                    minimumValue = range.minimum
                    maximumValue = range.maximum
                    value = page.sf.testValue
                    applying = false
                    if (value !== page.sf.testValue)
                        page.sf.testValue = value
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
                onValueChanged: if (!applying && page.sf && value !== page.sf.testValue) page.sf.testValue = value
            }

            ThemedText { text: qsTr("Logic mode"); enabled: page.fieldsEnabled }
            PageComboBox {
                objectName: "logicModeBox"
                label: qsTr("Logic mode")
                target: page.sf
                propertyName: "logicMode"
                enabled: page.fieldsEnabled
                model: [qsTr("OR"), qsTr("AND")]
            }

            DisplayFormatSwitch {
                objectName: "displayFormat"
                Layout.columnSpan: 2
                hexadecimal: page.hexadecimal
                onChosen: page.hexadecimal = hexadecimal
            }
        }
    }
}
