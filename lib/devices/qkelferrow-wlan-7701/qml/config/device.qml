import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Layouts 1.15
import QtQml 2.15
import kelbus.qkel.pb 1.0
import "qrc:///themes/morvane/qml/."
import "numberFormat.js" as NumberFormat

// CAN bit rate, feedback and timestamp modes, and the CANopen settings.
Item {
    id: page
    objectName: "devicePage"

    property bool hexadecimal: true
    readonly property QtObject device: stateMachine.currentDevice
    readonly property QtObject can: device && device.canConfig ? device.canConfig : null
    readonly property QtObject co: can && can.canOpenConfig ? can.canOpenConfig : null
    readonly property QtObject fn: device && device.kelConfig ? device.kelConfig : null
    readonly property bool feedbackOn: fn !== null && fn.feedbackMode === KelFunctionConfig.FEEDBACK_MODE__ON

    // The identifiers a CANopen node with this ID answers and sends on.
    function canOpenIdsText(nodeId) {
        var id = function(base) { return NumberFormat.text(base + nodeId, page.hexadecimal) }
        return qsTr("The following IDs will be used by the device") + ":\n\n"
                + qsTr("Receive") + ": " + "0x000" + ", " + id(0x600) + "\n"
                + qsTr("Transmit") + ": " + id(0x580) + ", " + id(0x700)
    }

    RowLayout {
        anchors.left: parent.left
        anchors.top: parent.top
        anchors.margins: 10
        spacing: 20

        ColumnLayout {
            Layout.alignment: Qt.AlignTop
            spacing: 10

            GroupBox {
                title: qsTr("CAN Baudrate")
                Accessible.name: title
                Layout.fillWidth: true
                GridLayout {
                    columns: 2
                    columnSpacing: 20
                    PageComboBox {
                        objectName: "baudRateBox"
                        Layout.columnSpan: 2
                        label: qsTr("CAN Baudrate")
                        target: page.can
                        propertyName: "baudRateCanOpen"
                        model: ["1 " + qsTr("Mbit/s"), "800 " + qsTr("kbit/s"), "500 " + qsTr("kbit/s"),
                                "250 " + qsTr("kbit/s"), "125 " + qsTr("kbit/s"), "100 " + qsTr("kbit/s"),
                                "50 " + qsTr("kbit/s"), "20 " + qsTr("kbit/s"), "10 " + qsTr("kbit/s"),
                                "83.333 " + qsTr("kbit/s"), qsTr("user-defined baudrate")]
                    }
                    ThemedText {
                        text: qsTr("BTR")
                        visible: btrField.visible
                    }
                    TextField {
                        id: btrField
                        objectName: "btrField"
                        Accessible.name: qsTr("BTR")
                        visible: page.can !== null && page.can.baudRateCanOpen === CanOpenConfig.BAUD_RATE__CUSTOM
                        implicitWidth: 175
                        maximumLength: 8
                        validator: RegExpValidator { regExp: /[0-9A-Fa-f]*/ }
                        // While the user types, the text stays as typed.
                        Binding on text {
                            restoreMode: Binding.RestoreBinding
                            value: page.can ? NumberFormat.text(page.can.baudRateSfr, true).substring(2) : ""
                            when: !btrField.activeFocus
                        }
                        onTextChanged: if (page.can && activeFocus) page.can.baudRateSfr = NumberFormat.fromText(text, 16)
                    }
                }
            }

            GroupBox {
                title: qsTr("Feedback Mode")
                Accessible.name: title
                Layout.fillWidth: true
                Column {
                    spacing: 6
                    CheckBox {
                        objectName: "feedbackBox"
                        text: qsTr("Feedback CAN transmit message")
                        Accessible.name: text
                        enabled: page.fn !== null
                        Binding on checked { value: page.feedbackOn; restoreMode: Binding.RestoreBinding }
                        onClicked: if (page.fn)
                                       page.fn.feedbackMode = checked ? KelFunctionConfig.FEEDBACK_MODE__ON
                                                                      : KelFunctionConfig.FEEDBACK_MODE__OFF
                    }
                    PageCheckBox {
                        objectName: "errorTimestampBox"
                        text: qsTr("Error status and feedback output with timestamp")
                        target: page.fn
                        propertyName: "includeErrorAndTimestampInFeedback"
                        enabled: page.feedbackOn && page.fn.timestampMode !== KelFunctionConfig.TIMESTAMP_MODE__OFF
                        onEnabledChanged: if (!enabled && page.fn && page.fn.includeErrorAndTimestampInFeedback)
                                              page.fn.includeErrorAndTimestampInFeedback = false
                    }
                }
            }

            GroupBox {
                title: qsTr("Timestamp Mode")
                Accessible.name: title
                Layout.fillWidth: true
                PageComboBox {
                    objectName: "timestampBox"
                    label: qsTr("Timestamp Mode")
                    target: page.fn
                    propertyName: "timestampMode"
                    model: [qsTr("Off"), qsTr("Absolute"), qsTr("Relative")]
                }
            }
        }

        GroupBox {
            title: qsTr("CANopen")
            Accessible.name: title
            Layout.alignment: Qt.AlignTop
            GridLayout {
                columns: 2
                columnSpacing: 20
                ThemedText { text: qsTr("CANopen node ID"); enabled: page.co !== null }
                PageSpinBox {
                    objectName: "nodeIdBox"
                    label: qsTr("CANopen node ID")
                    target: page.co
                    propertyName: "nodeId"
                    maximumValue: 65535
                }
                ThemedText { text: qsTr("Heartbeat time (ms)"); enabled: page.co !== null }
                PageSpinBox {
                    objectName: "heartbeatBox"
                    label: qsTr("Heartbeat time (ms)")
                    target: page.co
                    propertyName: "nmtHeartbeatMs"
                    maximumValue: 65535
                }
                PageCheckBox {
                    objectName: "canOpenActiveBox"
                    Layout.columnSpan: 2
                    text: qsTr("Keep the CANopen stack active while connected")
                    target: page.fn
                    propertyName: "canOpenObjectsEnabled"
                }
                TextArea {
                    objectName: "canOpenIdsText"
                    Layout.columnSpan: 2
                    Layout.fillWidth: true
                    implicitHeight: 90
                    Accessible.name: text
                    readOnly: true
                    visible: page.fn !== null && page.fn.canOpenObjectsEnabled
                    text: page.canOpenIdsText(page.co ? page.co.nodeId : 0)
                }
                PageCheckBox {
                    objectName: "bootMessageBox"
                    Layout.columnSpan: 2
                    text: qsTr("Enable boot-up message")
                    target: page.co
                    propertyName: "bootMessageEnabled"
                }
            }
        }
    }

    Image {
        objectName: "devicePicture"
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 10
        source: "qrc:/themes/morvane/icons/device.png"
    }
}
