import QtQuick 2.15
import QtQuick.Window 2.15
import kelbus.qkel.pb 1.0
import kelbus.kit 1.0
import "../fields"

// The Bluetooth radio, the automatic connection to a remote device, security
// and the SPP server. Parts whose wrapper is missing stay disabled.
ConfigPage {
    id: page
    objectName: "bluetoothPage"

    readonly property var btInterface: device ? device.bluetoothInterface : null
    readonly property var wlanInterface: device ? device.wlanInterface : null
    readonly property var bt: btInterface && btInterface.object ? btInterface.object.object : null
    readonly property var remote: device ? device.sppRemote : null
    readonly property var server: device ? device.sppServer : null
    readonly property bool btEnabled: !!btInterface && btInterface.enabled
    readonly property bool bothEnabled: btEnabled && !!wlanInterface && wlanInterface.enabled

    // The main window's yes/no box; the answer counts only while this page asked.
    readonly property var confirmation: Window.window && Window.window.dialogs
        ? Window.window.dialogs.genericAreYouSureDialog : null
    property bool pairingAsked: false

    function askPairingMode() {
        confirmation.title = qsTr("Enter Pairing Mode?")
        confirmation.text = qsTr("In order to enter pairing mode, the configurator must terminate the connection to the device. Are you sure you wish to proceed?")
        pairingAsked = true
        confirmation.open()
    }

    Connections {
        target: page.confirmation
        enabled: page.pairingAsked
        function onYes() {
            page.pairingAsked = false
            page.session.doEnterPairingMode()
        }
        function onNo() { page.pairingAsked = false }
        function onRejected() { page.pairingAsked = false }
    }

    Row {
        x: 20; y: 20
        spacing: 20

        Column {
            spacing: 20

            ToolTipGroupBox {
                title: qsTr("Device Configuration")
                Row {
                    spacing: 10
                    BoundCheckBox { objectName: "btEnable"; text: qsTr("Enable"); target: page.btInterface; propertyName: "enabled" }
                    WarningText { visible: page.bothEnabled }
                }
                Column {
                    enabled: page.btEnabled
                    spacing: 5
                    LabelledTextField {
                        objectName: "btDeviceName"; label: qsTr("Device name")
                        target: page.btInterface ? page.btInterface.object : null; propertyName: "name"
                        allowed: Fields.printable; maximumLength: 31
                        toolTip: qsTr("The device name is a friendly name for the Bluetooth device.")
                    }
                    BoundCheckBox { objectName: "btDiscoverable"; text: qsTr("Discoverable"); target: page.bt; propertyName: "discoverable"
                        toolTip: qsTr("If activated, the device can be found by an inquiry scan.") }
                    BoundCheckBox { objectName: "btPairable"; text: qsTr("Pairable"); target: page.bt; propertyName: "pairable"
                        toolTip: qsTr("If activated, the device can be paired with another Bluetooth device.") }
                }
            }

            ToolTipGroupBox {
                title: qsTr("Automatic Bluetooth Connection")
                contentsEnabled: page.btEnabled
                toolTip: qsTr("The device is able to establish a connection to another device automatically. When this option is activated, you can enter the address of the remote Bluetooth device. This option is required when operating two Tarn Wireless devices in bridge mode. The remote MAC address must be entered in the form 11:22:33:44:55:66.")
                BoundCheckBox { objectName: "sppRemoteEnable"; text: qsTr("Enable"); target: page.remote; propertyName: "enabled" }
                Column {
                    enabled: !!page.remote && page.remote.enabled
                    spacing: 5
                    BoundComboBox { objectName: "sppRemoteMode"; label: qsTr("Connection mode"); model: [qsTr("Address")]
                        bound: !!page.remote; value: 0 }
                    LabelledTextField {
                        id: mac
                        objectName: "sppRemoteMac"; label: qsTr("Bluetooth MAC address")
                        target: page.remote ? page.remote.object : null; propertyName: "mac"
                        // Six pairs of hexadecimal digits separated by colons.
                        allowed: /[0-9A-Fa-f:\-]/; maximumLength: 17
                        pattern: /([0-9A-Fa-f]{2}:){5}[0-9A-Fa-f]{2}/
                        errorText: qsTr("Please enter a valid client MAC address.")
                    }
                }
            }
        }

        Column {
            spacing: 20

            ToolTipGroupBox {
                title: qsTr("Security Settings")
                contentsEnabled: page.btEnabled
                toolTip: qsTr("The device is able to connect to Bluetooth 2.1 and Bluetooth 2.0 devices.\n\nIf security mode is disabled, the device will automatically accept Bluetooth connections with encryption enabled.\n\nIf security mode is Just Works, the device is automatically not pairable for peers.\n\nTo ensure compatibility with Bluetooth 2.0 devices, it is possible to activate or deactivate Bluetooth 2.0 pairing mode. When Bluetooth 2.0 pairing is active, the pin code must be entered on the remote PC or device during pairing.\n\nNote: The Pairing Mode button will disconnect the device from the configurator. The device will then reset and enter pairing mode, remaining pairable for a period of 60 seconds.")
                BoundComboBox { objectName: "btSecurityMode"; label: qsTr("Security mode Bluetooth 2.1"); labelWidth: 180; target: page.bt; propertyName: "securityMode"
                    choices: Fields.named(BluetoothConfig, [[qsTr("Disabled"), "SECURITY_MODE__DISABLED"], [qsTr("Just Works"), "SECURITY_MODE__JUST_WORKS"]]) }
                BoundCheckBox { objectName: "btAllowPairing2p0"; text: qsTr("Allow Bluetooth 2.0 pairing"); target: page.bt; propertyName: "allowPairing2p0" }
                LabelledTextField { objectName: "btPinCode"; label: qsTr("Pin code"); target: page.bt; propertyName: "pinCode2p0"
                    allowed: /[0-9a-zA-Z]/; maximumLength: 16; enabled: bound && page.bt.allowPairing2p0 }
                ThemedButton {
                    objectName: "enterPairingMode"
                    text: qsTr("Enter pairing mode")
                    width: 175
                    Accessible.name: text
                    visible: !!page.session && page.session.connected && !!page.device && !!page.bt
                             && page.bt.securityMode === BluetoothConfig.SECURITY_MODE__JUST_WORKS
                    enabled: !!page.confirmation
                    onClicked: page.askPairingMode()
                }
            }

            ToolTipGroupBox {
                title: qsTr("SPP Server")
                contentsEnabled: page.btEnabled
                toolTip: qsTr("When this setting is enabled, another PC or device may establish a connection to the device via a virtual COM port. A custom service name for the SPP service may also be configured.")
                BoundCheckBox { objectName: "sppServerEnable"; text: qsTr("Enable"); target: page.server; propertyName: "enabled" }
                LabelledTextField { objectName: "sppServiceName"; label: qsTr("Service name")
                    target: page.server ? page.server.object : null; propertyName: "serviceName"
                    allowed: Fields.printable; maximumLength: 15; enabled: bound && page.server.enabled }
            }
        }
    }
}
