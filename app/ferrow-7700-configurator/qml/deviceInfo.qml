import QtQuick 2.15
import QtQuick.Layouts 1.15
import QtQuick.Window 2.15
import kelbus.kit 1.0

// The identity of the connected gateway and of its radio modules, each value
// selectable and copyable for a support request.
ThemedDialogWindow {
    id: window
    objectName: "deviceInfoWindow"
    title: qsTr("Device Information")
    width: 700
    height: content.implicitHeight + 40

    readonly property var device: stateMachine.currentDevice
    readonly property var info: device ? device.deviceInfo : null

    function hex(value) {
        return value === undefined ? "" : Number(value).toString(16)
    }
    function twoDigits(value) {
        return (value < 10 ? "0" : "") + value
    }
    // Seconds since 1970 as "2016/03/07 09:05:01 UTC".
    function utcTime(seconds) {
        if (seconds === undefined)
            return ""
        var t = new Date(Number(seconds) * 1000)
        return t.getUTCFullYear() + "/" + twoDigits(t.getUTCMonth() + 1) + "/" + twoDigits(t.getUTCDate()) + " "
            + twoDigits(t.getUTCHours()) + ":" + twoDigits(t.getUTCMinutes()) + ":"
            + twoDigits(t.getUTCSeconds()) + " UTC"
    }
    function moduleInfo(info, field) {
        return info ? info[field] : ""
    }

    readonly property var rows: [
        { key: "deviceId", label: qsTr("Device ID"), value: stateMachine.deviceIdString },
        { key: "vendorId", label: qsTr("Vendor ID"), value: info ? hex(info.vendorId) : "" },
        { key: "productCode", label: qsTr("Product code"), value: info ? hex(info.productCode) : "" },
        { key: "revisionNumber", label: qsTr("Revision number"), value: info ? hex(info.revisionNumber) : "" },
        { key: "serialNumber", label: qsTr("Serial number"), value: info ? String(info.serialNumber) : "" },
        { key: "productGroup", label: qsTr("Product group"), value: info ? hex(info.productGroup) : "" },
        { key: "dateOfManufacture", label: qsTr("Date of manufacture"),
          value: info ? utcTime(info.unixTimeOfManufacture) : "" },
        { key: "wirelessFwVersion", label: qsTr("Wireless FW version"), optional: true,
          value: device ? moduleInfo(device.wlanModuleInfo, "moduleVersion") : "" },
        { key: "wlanMac", label: qsTr("WLAN MAC address"), optional: true,
          value: device ? moduleInfo(device.wlanModuleInfo, "mac") : "" },
        { key: "bluetoothMac", label: qsTr("Bluetooth MAC address"), optional: true,
          value: device ? moduleInfo(device.bluetoothModuleInfo, "mac") : "" }
    ]

    GridLayout {
        id: content
        anchors.fill: parent
        anchors.margins: 20
        columns: 3
        columnSpacing: 10
        rowSpacing: 10

        Repeater {
            model: window.rows
            delegate: ThemedText {
                objectName: modelData.key + "Label"
                visible: !modelData.optional || modelData.value !== ""
                text: modelData.label + ":"
                font.bold: true
                Layout.row: index
                Layout.column: 0
            }
        }
        Repeater {
            id: fields
            model: window.rows
            delegate: ThemedTextField {
                objectName: modelData.key + "Field"
                visible: !modelData.optional || modelData.value !== ""
                readOnly: true
                hideBorder: true
                text: modelData.value
                Accessible.name: modelData.label
                Layout.row: index
                Layout.column: 1
                Layout.fillWidth: true
            }
        }
        Repeater {
            model: window.rows
            delegate: ThemedButton {
                id: copyButton
                objectName: modelData.key + "Copy"
                visible: !modelData.optional || modelData.value !== ""
                // Says for a moment that the value is on the clipboard.
                text: copiedTimer.running ? qsTr("Copied") : qsTr("Copy")
                Layout.row: index
                Layout.column: 2
                onClicked: {
                    var field = fields.itemAt(index)
                    field.selectAll()
                    field.copy()
                    field.deselect()
                    copiedTimer.restart()
                }
                Timer {
                    id: copiedTimer
                    interval: 1500
                }
            }
        }

        ThemedButton {
            objectName: "closeButton"
            text: qsTr("Close")
            Layout.row: window.rows.length
            Layout.column: 0
            Layout.columnSpan: 3
            Layout.fillWidth: true
            onClicked: window.dismiss()
        }
    }
}
