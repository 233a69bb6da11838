import QtQuick 2.15
import kelbus.qkel.pb 1.0
import kelbus.kit 1.0

// The WLAN page's IP group: DHCP mode, host name and the five addresses.
ToolTipGroupBox {
    id: group
    property var page
    readonly property var ip: page.ip
    readonly property bool staticAddresses: !!ip && ip.dhcpMode !== IpConfig.DHCP_MODE__CLIENT

    title: qsTr("IP Settings")
    contentsEnabled: page.wlanEnabled

    BoundComboBox {
        objectName: "dhcpMode"; label: qsTr("DHCP mode"); target: group.ip; propertyName: "dhcpMode"
        choices: Fields.named(IpConfig, [[qsTr("Disabled"), "DHCP_MODE__DISABLED"], [qsTr("Client"), "DHCP_MODE__CLIENT"], [qsTr("Server"), "DHCP_MODE__SERVER"]])
        valid: !page.dhcpInvalid
        errorTitle: qsTr("Invalid DHCP Mode")
        errorText: qsTr("The chosen DHCP mode is not valid for the current WLAN operating mode. Reverting to DHCP mode disabled.")
        toolTip: qsTr("If DHCP is disabled, the configured static address information is used. If DHCP is in client mode (infrastructure only), the address information is derived from a DHCP server in the network. All fields that are not relevant will be grayed out. If DHCP is in server mode (Mini AP only), the static address information is used and the device constitutes a DHCP server. This server then assigns address information to DHCP clients based on the configured static information.")
        onChosen: showInvalid()
    }
    LabelledTextField {
        objectName: "hostName"; label: qsTr("Host name"); target: page.network; propertyName: "name"
        allowed: /[a-zA-Z0-9.\-]/
        pattern: /^([a-zA-Z0-9]|[a-zA-Z0-9][a-zA-Z0-9\-]{0,38}[a-zA-Z0-9])(\.([a-zA-Z0-9]|[a-zA-Z0-9][a-zA-Z0-9\-]{0,38}[a-zA-Z0-9]))*$/
        errorText: qsTr("Please enter a valid host name: labels of 1 to 40 letters, digits and hyphens, separated by periods, neither beginning nor ending with a hyphen.")
        toolTip: qsTr("The host name represents the friendly name for the device in network. It is not the name for the network (see SSID), but the name for the device. For example, this name is displayed in the WLAN device list of the Overlook app for Android.")
    }
    Repeater {
        model: [["ipAddress", qsTr("IP address"), qsTr("Please enter a valid IP address."), qsTr("This is the static IP address of the device. This setting is used if DHCP is disabled or DHCP is in server mode.")],
                ["netmask", qsTr("Network mask"), qsTr("Please enter a valid network mask."), qsTr("This is the static network mask for determining the local subnet. This setting is used if DHCP is disabled or DHCP is in server mode.")],
                ["gateway", qsTr("Gateway address"), qsTr("Please enter a valid gateway address."), qsTr("The gateway address is necessary to address another device outside of the device's subnet and is typically the IP address of the access point in infrastructure mode. This setting is used if DHCP is disabled or DHCP is in server mode.")],
                [0, qsTr("Primary DNS server"), qsTr("Please enter a valid primary DNS server address."), qsTr("This is the IP address of the primary DNS server, which is required when addressing remote devices by host name instead of IP address. Note that the device does not have an internal DNS server, so an external DNS server is needed for host name addressing. This setting is used if DHCP is disabled or DHCP is in server mode.")],
                [1, qsTr("Secondary DNS server"), qsTr("Please enter a valid secondary DNS server address."), qsTr("This is the IP address of the secondary DNS server, which is required when addressing remote devices by host name instead of IP address. Note that the device does not have an internal DNS server, so an external DNS server is needed for host name addressing. This setting is used if DHCP is disabled or DHCP is in server mode.")]]
        LabelledTextField {
            readonly property bool dns: typeof modelData[0] === "number"
            objectName: dns ? "dns" + modelData[0] : modelData[0]
            label: modelData[1]; errorText: modelData[2]; toolTip: modelData[3]
            target: dns ? null : group.ip; propertyName: dns ? "" : modelData[0]
            bound: !!group.ip
            value: dns ? (group.ip && group.ip.dnsList.length > modelData[0] ? group.ip.dnsList[modelData[0]] : "") : String(group.ip ? group.ip[modelData[0]] : "")
            enabled: group.staticAddresses
            // Empty, or four numbers of 0 to 255 separated by periods.
            allowed: /[0-9.]/; maximumLength: 15
            pattern: new RegExp("(" + page.ipPattern + ")?")
            onEdited: if (dns) page.writeDns(modelData[0], text)
        }
    }
}
