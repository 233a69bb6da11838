import QtQuick 2.15
import kelbus.qkel.pb 1.0
import kelbus.kit 1.0

// The WLAN interface: radio and authentication, access point, automatic
// connection, IP settings, socket server and connection information. Invalid
// combinations are corrected 5 ms after they appear, once the bindings settled.
ConfigPage {
    id: page
    objectName: "wlanPage"

    readonly property var wlanInterface: device ? device.wlanInterface : null
    readonly property var network: wlanInterface ? wlanInterface.object : null
    readonly property var wlan: network ? network.object : null
    readonly property var auth: wlan ? wlan.authentication : null
    readonly property var ap: wlan ? wlan.accessPointConfig : null
    readonly property var ip: wlan ? wlan.ipConfig : null
    readonly property var remote: device ? device.socketRemote : null
    readonly property var server: device ? device.socketServer : null
    readonly property var product: device && device.productConfig ? device.productConfig.object : null
    readonly property bool wlanEnabled: !!wlanInterface && wlanInterface.enabled
    readonly property bool miniAp: !!wlan && wlan.mode === WlanConfig.OPERATING_MODE__MINI_AP
    readonly property int authMode: auth ? auth.authenticationMode : 0
    readonly property bool authInvalid: miniAp && authMode !== WlanAuthentication.AUTHENTICATION_MODE__NONE
                                        && authMode !== WlanAuthentication.AUTHENTICATION_MODE__WPA_WPA2_MIXED
    readonly property bool dhcpInvalid: !!ip && ((miniAp && ip.dhcpMode === IpConfig.DHCP_MODE__CLIENT)
                                        || (!!wlan && !miniAp && ip.dhcpMode === IpConfig.DHCP_MODE__SERVER))
    readonly property bool hasAg: !!ap && (ap.standardMask & WlanAccessPoint.STANDARD__802_11_AG) !== 0
    readonly property bool hasB: !!ap && (ap.standardMask & WlanAccessPoint.STANDARD__802_11_B) !== 0
    readonly property bool channelInvalid: !!ap && !hasAg && ap.channel > 11
    readonly property bool needsCorrection: authInvalid || dhcpInvalid || channelInvalid
                                            || (!!ap && (ap.standardMask === 0 || ap.dataRateMask === 0 || ap.channel <= 0))
    readonly property var protocols: Fields.named(SocketServer, [["TCP", "PROTOCOL__TCP"], ["UDP", "PROTOCOL__UDP"]])
    readonly property string ipPattern: "(25[0-5]|2[0-4][0-9]|[01]?[0-9][0-9]?)(\\.(25[0-5]|2[0-4][0-9]|[01]?[0-9][0-9]?)){3}"

    // One DNS server replaces its element; missing elements before it become
    // empty strings, never "undefined".
    function writeDns(index, text) {
        var list = ip.dnsList.slice()
        while (list.length <= index)
            list.push("")
        list[index] = text
        ip.dnsList = list
    }

    function correct() {
        if (authInvalid)
            auth.authenticationMode = WlanAuthentication.AUTHENTICATION_MODE__NONE
        if (dhcpInvalid)
            ip.dhcpMode = IpConfig.DHCP_MODE__DISABLED
        if (!ap)
            return
        if (ap.standardMask === 0)
            ap.standardMask = WlanAccessPoint.STANDARD__802_11_B
        if (ap.channel <= 0 || (!hasAg && ap.channel > 11))
            ap.channel = 6
        if (ap.dataRateMask === 0)
            ap.dataRateMask = WlanAccessPoint.DATA_RATE__11_MBIT_S
    }

    Timer {
        interval: 5
        running: page.needsCorrection
        onTriggered: page.correct()
    }

    Row {
        x: 20; y: 20
        spacing: 20

        Column {
            spacing: 10
            WlanSettings { page: page }
            AccessPointSettings { page: page }
            ToolTipGroupBox {
                title: qsTr("Automatic WLAN Connection")
                contentsEnabled: page.wlanEnabled
                toolTip: qsTr("The device is able to establish a TCP/UDP connection to another device automatically. When this option is activated, you can enter the remote address (URL) and remote port of the other device. This option is required when operating two Tarn wireless devices in bridge mode.")
                BoundCheckBox { objectName: "socketRemoteEnable"; text: qsTr("Enable"); target: page.remote; propertyName: "enabled" }
                Column {
                    enabled: !!page.remote && page.remote.enabled
                    spacing: 5
                    LabelledTextField { objectName: "remoteAddress"; label: qsTr("Remote address"); target: page.remote ? page.remote.object : null
                        propertyName: "address"; allowed: Fields.printable; maximumLength: 128 }
                    LabelledSpinBox { objectName: "remotePort"; label: qsTr("Remote port"); target: page.remote ? page.remote.object : null
                        propertyName: "port"; minimumValue: 0; maximumValue: 65535 }
                    BoundComboBox { objectName: "remoteProtocol"; label: qsTr("Remote protocol"); target: page.remote ? page.remote.object : null
                        propertyName: "protocol"; choices: page.protocols }
                }
            }
        }

        Column {
            spacing: 10
            IpSettings { page: page }
            ToolTipGroupBox {
                title: qsTr("Socket Server")
                contentsEnabled: page.wlanEnabled
                toolTip: qsTr("When this setting is enabled, another PC or device my establish a socket connection to the specified port using the configured protocol (TCP or UDP).")
                BoundCheckBox { objectName: "socketServerEnable"; text: qsTr("Enable"); target: page.server; propertyName: "enabled" }
                LabelledSpinBox { objectName: "serverPort"; label: qsTr("Port number"); target: page.server ? page.server.object : null
                    propertyName: "port"; minimumValue: 1; maximumValue: 65535; enabled: bound && page.server.enabled
                    toolTip: qsTr("This is the local port opened for communication.") }
                BoundComboBox { objectName: "serverProtocol"; label: qsTr("Protocol"); target: page.server ? page.server.object : null
                    propertyName: "protocol"; choices: page.protocols; enabled: bound && page.server.enabled }
            }
            ToolTipGroupBox {
                title: qsTr("Current Connection Information")
                toolTip: qsTr("If this feature is activated, the current SSID, BSSID, RSSI (Received Signal Strength Indicator), channel, IP address, network mask, gateway address, primary DNS address and secondary DNS address are requested while socket and Bluetooth SPP connections are inactive.")
                BoundCheckBox { objectName: "requestDynamicInfo"; text: qsTr("Scan current connection information")
                    target: page.product ? page.product.parentConfig : null; propertyName: "requestDynamicInfo"
                    enabled: bound && page.wlanEnabled }
            }
        }
    }
}
