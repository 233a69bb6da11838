import QtQuick 2.15
import kelbus.qkel.pb 1.0
import kelbus.kit 1.0

// CAN bit rate, feedback and timestamp modes, and the CANopen settings.
ConfigPage {
    id: page
    objectName: "devicePage"

    readonly property QtObject can: device && device.canConfig ? device.canConfig : null
    readonly property QtObject co: can && can.canOpenConfig ? can.canOpenConfig : null
    readonly property QtObject fn: device && device.kelConfig ? device.kelConfig : null
    readonly property bool feedbackOn: fn !== null && fn.feedbackMode === KelFunctionConfig.FEEDBACK_MODE__ON

    // The identifiers a CANopen node with this ID answers and sends on.
    function canOpenIdsText(nodeId) {
        var id = function(base) { return NumberText.text(base + nodeId, true) }
        return qsTr("The following IDs will be used by the device") + ":\n\n"
                + qsTr("Receive") + ": " + "0x000" + ", " + id(0x600) + "\n"
                + qsTr("Transmit") + ": " + id(0x580) + ", " + id(0x700)
    }

    Row {
        x: 20; y: 20
        spacing: 20

        Column {
            spacing: 20

            ToolTipGroupBox {
                title: qsTr("CAN Baudrate")
                BoundComboBox {
                    objectName: "baudRateBox"; label: qsTr("CAN Baudrate"); labelWidth: 0; spacing: 0
                    target: page.can; propertyName: "baudRateCanOpen"
                    choices: Fields.named(CanOpenConfig, [
                        ["1 " + qsTr("Mbit/s"), "BAUD_RATE__1_MBIT_S"], ["800 " + qsTr("kbit/s"), "BAUD_RATE__800_KBIT_S"],
                        ["500 " + qsTr("kbit/s"), "BAUD_RATE__500_KBIT_S"], ["250 " + qsTr("kbit/s"), "BAUD_RATE__250_KBIT_S"],
                        ["125 " + qsTr("kbit/s"), "BAUD_RATE__125_KBIT_S"], ["100 " + qsTr("kbit/s"), "BAUD_RATE__100_KBIT_S"],
                        ["50 " + qsTr("kbit/s"), "BAUD_RATE__50_KBIT_S"], ["20 " + qsTr("kbit/s"), "BAUD_RATE__20_KBIT_S"],
                        ["10 " + qsTr("kbit/s"), "BAUD_RATE__10_KBIT_S"], ["83.333 " + qsTr("kbit/s"), "BAUD_RATE__83_333_KBIT_S"],
                        [qsTr("user-defined baudrate"), "BAUD_RATE__CUSTOM"]])
                }
                // While the user types, a text that means the stored number stays as typed.
                LabelledTextField {
                    id: btr
                    objectName: "btr"; label: qsTr("BTR")
                    visible: page.can !== null && page.can.baudRateCanOpen === CanOpenConfig.BAUD_RATE__CUSTOM
                    bound: page.can !== null
                    value: !page.can ? ""
                           : field.activeFocus && NumberText.fromText(text, 16) === page.can.baudRateSfr ? text
                           : NumberText.text(page.can.baudRateSfr, true).substring(2)
                    allowed: /[0-9A-Fa-f]/; maximumLength: 8
                    toolTip: qsTr("If you want to set a non-standard CAN baudrate, it is possible to enter a user-defined 32-bit hexadecimal value in this field, which is directly applied to a CPU register. Note that it isn't possible to enter the baudrate directly in kbit/s or Mbit/s. For further information, please contact our support team.")
                    onEdited: page.can.baudRateSfr = NumberText.fromText(text, 16)
                }
            }

            ToolTipGroupBox {
                title: qsTr("Feedback Mode")
                toolTip: qsTr("If feedback CAN transmit message is active, sucessfully transmitted CAN messages are sent back to the host in order of transmission.")
                BoundCheckBox {
                    objectName: "feedbackBox"; text: qsTr("Feedback CAN transmit message")
                    bound: page.fn !== null
                    value: page.feedbackOn
                    onToggledByUser: page.fn.feedbackMode = checked ? KelFunctionConfig.FEEDBACK_MODE__ON
                                                                    : KelFunctionConfig.FEEDBACK_MODE__OFF
                }
                BoundCheckBox {
                    objectName: "errorTimestampBox"; text: qsTr("Error status and feedback output with timestamp")
                    target: page.fn; propertyName: "includeErrorAndTimestampInFeedback"
                    enabled: page.feedbackOn && page.fn.timestampMode !== KelFunctionConfig.TIMESTAMP_MODE__OFF
                    onEnabledChanged: if (!enabled && page.fn && page.fn.includeErrorAndTimestampInFeedback)
                                          page.fn.includeErrorAndTimestampInFeedback = false
                }
            }

            ToolTipGroupBox {
                title: qsTr("Timestamp Mode")
                toolTip: qsTr("If the timestamp mode is selected, a 32-bit counter value (100-microsecond resolution) is inserted after the last data byte. The difference between the absolute and relative modes is that the counter value is reset after each received message byte in relative mode.")
                BoundComboBox {
                    objectName: "timestampBox"; label: qsTr("Timestamp Mode"); labelWidth: 0; spacing: 0
                    target: page.fn; propertyName: "timestampMode"
                    choices: Fields.named(KelFunctionConfig, [[qsTr("Off"), "TIMESTAMP_MODE__OFF"], [qsTr("Absolute"), "TIMESTAMP_MODE__ABSOLUTE"], [qsTr("Relative"), "TIMESTAMP_MODE__RELATIVE"]])
                }
            }
        }

        ToolTipGroupBox {
            title: qsTr("CANopen")
            LabelledSpinBox {
                objectName: "nodeIdBox"; label: qsTr("CANopen node ID")
                target: page.co; propertyName: "nodeId"
            }
            LabelledSpinBox {
                objectName: "heartbeatBox"; label: qsTr("Heartbeat time (ms)")
                target: page.co; propertyName: "nmtHeartbeatMs"
                toolTip: qsTr("NMT heartbeat is disabled if this value is set to 0.")
            }
            BoundCheckBox {
                objectName: "canOpenActiveBox"; text: qsTr("Keep the CANopen stack active while connected")
                target: page.fn; propertyName: "canOpenObjectsEnabled"
            }
            ThemedTextArea {
                objectName: "canOpenIdsText"
                width: 335
                height: 90
                Accessible.name: text
                readOnly: true
                visible: page.fn !== null && page.fn.canOpenObjectsEnabled
                text: page.canOpenIdsText(page.co ? page.co.nodeId : 0)
            }
            BoundCheckBox {
                objectName: "bootMessageBox"; text: qsTr("Enable boot-up message")
                target: page.co; propertyName: "bootMessageEnabled"
            }
        }
    }

    Image {
        objectName: "devicePicture"
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 10
        source: "qrc:/qt-project.org/imports/kelbus/kit/icons/device.png"
    }
}
