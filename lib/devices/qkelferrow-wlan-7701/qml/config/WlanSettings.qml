import QtQuick 2.15
import kelbus.qkel.pb 1.0
import "../fields"
import kelbus.kit 1.0

// The WLAN page's radio and authentication group.
ToolTipGroupBox {
    id: group
    property var page
    readonly property var auth: page.auth
    readonly property int mode: page.authMode
    readonly property int shown: modeBox.shownIndex
    readonly property int minimum: shown === 1 ? 10 : shown === 2 ? 26 : shown === 3 ? 8 : 0
    readonly property var hexDigit: /[0-9A-Fa-f]/

    // Another authentication type shows the stored key under its own rules.
    onShownChanged: keyField.sync()

    title: qsTr("WLAN Settings")

    Row {
        spacing: 10
        BoundCheckBox { objectName: "wlanEnable"; text: qsTr("Enable"); target: page.wlanInterface; propertyName: "enabled" }
        WarningText { visible: page.wlanEnabled && !!page.device && !!page.device.bluetoothInterface && page.device.bluetoothInterface.enabled }
    }
    Column {
        enabled: page.wlanEnabled
        spacing: 5
        BoundComboBox {
            objectName: "operatingMode"; label: qsTr("Operating mode"); target: page.wlan; propertyName: "mode"
            choices: Fields.named(WlanConfig, [[qsTr("Infrastructure"), "OPERATING_MODE__INFRASTRUCTURE"], [qsTr("Mini AP"), "OPERATING_MODE__MINI_AP"]])
            toolTip: qsTr("In infrastructure mode, devices communicate via a central access point. Most access points include a DHCP server, and device IP settings are automatically assigned (DHCP mode: client).\nIn Mini AP mode, the device acts as an access point for a limited number of clients. If the DHCP mode is set to server, the device will assign IP addresses to client devices based on the configured settings.")
        }
        LabelledTextField { objectName: "ssid"; label: qsTr("SSID"); target: page.wlan; propertyName: "ssid"; allowed: Fields.printable; maximumLength: 32
            toolTip: qsTr("The SSID is the friendly name of the network.") }
        BoundComboBox {
            id: modeBox
            objectName: "authenticationType"; label: qsTr("Authentication type"); target: group.auth; propertyName: "authenticationMode"
            choices: Fields.named(WlanAuthentication, [[qsTr("None"), "AUTHENTICATION_MODE__NONE"],
                ["WEP64", "AUTHENTICATION_MODE__SHARED_WEP64"], ["WEP128", "AUTHENTICATION_MODE__SHARED_WEP128"],
                [qsTr("WPA/WPA2 Mixed"), "AUTHENTICATION_MODE__WPA_WPA2_MIXED"], ["PEAP", "AUTHENTICATION_MODE__PEAP"]])
            fallbackIndex: 0
            valid: !page.authInvalid
            errorTitle: qsTr("Invalid Authentication Type")
            errorText: qsTr("The chosen authentication type is not supported by the current WLAN operating mode. Reverting to none.")
            toolTip: qsTr("WEP64: 10 hexadecimal digits (infrastructure only)\nWEP128: 26 hexadecimal digits (infrastructure only)\nWPA/WPA2 Mixed: 8 to 63 alphanumeric digits\nPEAP: 0 to 64 printable ASCII characters (all fields) (infrastructure only)")
            onChosen: {
                if ((previousIndex === 3 && (index === 1 || index === 2)) || (previousIndex === 2 && index === 1))
                    group.auth.passphrase = ""
                if (page.authInvalid) {
                    showInvalid()
                    box.forceActiveFocus()
                }
            }
        }
        LabelledTextField {
            id: keyField
            objectName: "authenticationKey"; label: qsTr("Authentication key"); target: group.auth; propertyName: "passphrase"
            visible: group.shown >= 1 && group.shown <= 3
            enabled: bound && group.mode > 0 && group.shown > 0
            allowed: group.shown === 1 || group.shown === 2 ? group.hexDigit : group.shown === 3 ? Fields.printable : null
            maximumLength: group.shown === 1 ? 10 : group.shown === 2 ? 26 : 63
            accepts: function(text) { return text.length >= group.minimum }
            errorText: qsTr("Minimum required authentication key length") + ": " + group.minimum
            echoMode: showKey.checked ? TextInput.Normal : TextInput.Password
        }
        Repeater {
            model: [["userName", qsTr("User name"), qsTr("This is the user name used for authentication with the RADIUS server.")],
                    ["domainName", qsTr("Domain name"), qsTr("If the RADIUS server is part of a domain, the domain name must be entered here.")],
                    ["password", qsTr("Password"), qsTr("This is the password used for authentication with the RADIUS server.")]]
            LabelledTextField {
                objectName: modelData[0]; label: modelData[1]; toolTip: modelData[2]; propertyName: modelData[0]
                target: group.auth ? group.auth.enterpriseAuthentication : null
                visible: group.shown === 4; allowed: Fields.printable; maximumLength: 64
                echoMode: modelData[0] === "password" && !showKey.checked ? TextInput.Password : TextInput.Normal
            }
        }
        BoundCheckBox {
            id: showKey
            objectName: "showKey"; text: group.shown === 4 ? qsTr("Show password") : qsTr("Show authentication key")
            bound: !!group.auth; value: false; visible: group.mode !== 0; enabled: bound && group.mode > 0 && group.shown > 0
            onToggledByUser: value = checked
            // Showing the key while it is being corrected leaves the key field as it is.
            activeFocusOnPress: false
        }
    }
}
