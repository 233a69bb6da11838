import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Layouts 1.15
import QtQml 2.15
import kelbus.qkel.pb 1.0
import "qrc:///themes/morvane/qml/."
import "numberFormat.js" as NumberFormat

// Start-up behaviour, loop counts, power management and the two SDO servers.
Item {
    id: page
    objectName: "expertPage"

    property bool hexadecimal: true
    readonly property QtObject device: stateMachine.currentDevice
    readonly property QtObject fn: device && device.kelConfig ? device.kelConfig : null
    readonly property QtObject pm: fn && fn.powerManagementConfig ? fn.powerManagementConfig : null
    readonly property QtObject co: device && device.canConfig && device.canConfig.canOpenConfig
                                   ? device.canConfig.canOpenConfig : null
    // Both servers are edited together; with fewer than two there is nothing to edit.
    readonly property QtObject sdo0: co && co.sdoConfigList.length >= 2 ? co.sdoConfigList[0] : null
    readonly property QtObject sdo1: co && co.sdoConfigList.length >= 2 ? co.sdoConfigList[1] : null
    readonly property int activeSleepBit: PowerManagementConfig.WAKEUP_ENABLE_BITS__ACTIVE_SLEEP_CLAMP_15
    readonly property bool activeSleep: pm !== null && NumberFormat.hasBit(pm.wakeupEnableBits, activeSleepBit)

    readonly property var channelFields: [
        { name: "rx1Box", label: qsTr("RX COB-ID") + " (" + qsTr("server 1") + ")", server: 0, field: "rxChannel" },
        { name: "tx1Box", label: qsTr("TX COB-ID") + " (" + qsTr("server 1") + ")", server: 0, field: "txChannel" },
        { name: "rx2Box", label: qsTr("RX COB-ID") + " (" + qsTr("server 2") + ")", server: 1, field: "rxChannel" },
        { name: "tx2Box", label: qsTr("TX COB-ID") + " (" + qsTr("server 2") + ")", server: 1, field: "txChannel" }
    ]

    function loadSdoDefaults() {
        if (!sdo0 || !sdo1)
            return
        var servers = [sdo0, sdo1]
        for (var i = 0; i < servers.length; ++i) {
            servers[i].timeoutMs = 2000
            servers[i].rxChannel = 0x600
            servers[i].txChannel = 0x580
        }
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
                title: qsTr("Start-up Mode")
                Accessible.name: title
                Layout.fillWidth: true
                PageCheckBox {
                    objectName: "forwardCanBox"
                    text: qsTr("Start CAN message output on wireless side\nafter link is established")
                    target: page.fn
                    propertyName: "forwardCanToClientsByDefault"
                }
            }

            GroupBox {
                title: qsTr("NMT Start-up Mode")
                Accessible.name: title
                Layout.fillWidth: true
                Column {
                    spacing: 6
                    CheckBox {
                        objectName: "operationalBox"
                        text: qsTr("Enter operational mode automatically")
                        Accessible.name: text
                        enabled: false
                        checked: page.co !== null && page.co.nmtStartupState === SdoConfig.NMT_STATE__OPERATIONAL
                    }
                    PageCheckBox {
                        objectName: "nmtStartAllBox"
                        text: qsTr("Send NMT start to all nodes")
                        target: page.co
                        propertyName: "sendNmtStartToAllNodes"
                    }
                }
            }

            GroupBox {
                title: qsTr("Performance Parameters")
                Accessible.name: title
                Layout.fillWidth: true
                GridLayout {
                    columns: 2
                    columnSpacing: 20
                    ThemedText { text: qsTr("CAN receive loops per cycle") }
                    PageSpinBox {
                        objectName: "canLoopsBox"
                        label: qsTr("CAN receive loops per cycle")
                        target: page.fn
                        propertyName: "canMessagesPerLoop"
                        maximumValue: 65535
                    }
                    ThemedText { text: qsTr("Wireless receive loops per cycle") }
                    PageSpinBox {
                        objectName: "serverLoopsBox"
                        label: qsTr("Wireless receive loops per cycle")
                        target: page.fn
                        propertyName: "serverMessagesPerLoop"
                        maximumValue: 65535
                    }
                }
            }

            GroupBox {
                title: qsTr("Power Management Settings")
                Accessible.name: title
                Layout.fillWidth: true
                GridLayout {
                    columns: 2
                    columnSpacing: 20
                    CheckBox {
                        id: activeSleepBox
                        objectName: "activeSleepBox"
                        Layout.columnSpan: 2
                        text: qsTr("Enable active sleep and clamp 15 wakeup")
                        Accessible.name: text
                        enabled: page.pm !== null
                        Binding on checked { value: page.activeSleep; restoreMode: Binding.RestoreBinding }
                        onClicked: if (page.pm)
                                       page.pm.wakeupEnableBits = NumberFormat.withBit(page.pm.wakeupEnableBits,
                                                                                       page.activeSleepBit, checked)
                    }
                    ThemedText { text: qsTr("Time until sleep after clamp 15 removal"); enabled: page.activeSleep }
                    PageSpinBox {
                        objectName: "timeToSleepBox"
                        label: qsTr("Time until sleep after clamp 15 removal")
                        target: page.pm
                        propertyName: "timeToSleepMs"
                        enabled: page.activeSleep
                        maximumValue: 65535
                        suffix: " " + qsTr("s")
                    }
                }
            }
        }

        GroupBox {
            objectName: "sdoGroup"
            title: qsTr("SDO Server Settings")
            Accessible.name: title
            Layout.alignment: Qt.AlignTop
            GridLayout {
                columns: 2
                columnSpacing: 20
                ThemedText { text: qsTr("Server timeout"); enabled: page.sdo0 !== null }
                // One timeout for both servers: a change writes both.
                ThemedSpinBox {
                    objectName: "serverTimeoutBox"
                    Accessible.name: qsTr("Server timeout")
                    enabled: page.sdo0 !== null
                    radix: NumberFormat.radix(page.hexadecimal)
                    prefix: NumberFormat.prefix(page.hexadecimal)
                    maximumValue: 65535
                    suffix: " " + qsTr("ms")
                    value: page.sdo0 ? page.sdo0.timeoutMs : 0
                    onValueChanged: if (page.sdo0 && page.sdo1 && value !== page.sdo0.timeoutMs) {
                                        page.sdo0.timeoutMs = value
                                        page.sdo1.timeoutMs = value
                                    }
                }
                Repeater {
                    model: page.channelFields
                    delegate: ThemedText {
                        text: modelData.label
                        enabled: page.sdo0 !== null
                        Layout.row: index + 1
                        Layout.column: 0
                    }
                }
                Repeater {
                    model: page.channelFields
                    delegate: PageSpinBox {
                        objectName: modelData.name
                        label: modelData.label
                        target: modelData.server === 0 ? page.sdo0 : page.sdo1
                        propertyName: modelData.field
                        hexadecimal: page.hexadecimal
                        maximumValue: 0x7FF
                        Layout.row: index + 1
                        Layout.column: 1
                    }
                }
                DisplayFormatSwitch {
                    objectName: "displayFormat"
                    Layout.row: 5
                    Layout.columnSpan: 2
                    hexadecimal: page.hexadecimal
                    onChosen: page.hexadecimal = hexadecimal
                }
                Button {
                    objectName: "loadDefaultsButton"
                    Layout.row: 6
                    text: qsTr("Load defaults")
                    Accessible.name: text
                    enabled: page.sdo0 !== null
                    onClicked: page.loadSdoDefaults()
                }
            }
        }
    }
}
