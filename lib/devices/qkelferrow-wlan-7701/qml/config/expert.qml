import QtQuick 2.15
import kelbus.qkel.pb 1.0
import kelbus.kit 1.0
import "../fields/numberFormat.js" as NumberFormat

// Start-up behaviour, loop counts, power management and the two SDO servers.
ConfigPage {
    id: page
    objectName: "expertPage"

    property bool hexadecimal: true
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

    Row {
        x: 20; y: 20
        spacing: 20

        Column {
            spacing: 20

            ToolTipGroupBox {
                title: qsTr("Start-up Mode")
                toolTip: qsTr("If this feature is selected, CAN messages are transfered via WLAN and/or Bluetooth while connections are active. (default: active)")
                BoundCheckBox {
                    objectName: "forwardCanBox"
                    text: qsTr("Start CAN message output on wireless side\nafter link is established")
                    target: page.fn; propertyName: "forwardCanToClientsByDefault"
                }
            }

            ToolTipGroupBox {
                title: qsTr("NMT Start-up Mode")
                // Display only: the start-up state is not edited here.
                BoundCheckBox {
                    objectName: "operationalBox"
                    text: qsTr("Enter operational mode automatically")
                    bound: false
                    value: page.co !== null && page.co.nmtStartupState === SdoConfig.NMT_STATE__OPERATIONAL
                }
                BoundCheckBox {
                    objectName: "nmtStartAllBox"; text: qsTr("Send NMT start to all nodes")
                    target: page.co; propertyName: "sendNmtStartToAllNodes"
                }
            }

            ToolTipGroupBox {
                title: qsTr("Performance Parameters")
                LabelledSpinBox {
                    objectName: "canLoopsBox"; label: qsTr("CAN receive loops per cycle"); labelWidth: 260
                    target: page.fn; propertyName: "canMessagesPerLoop"
                }
                LabelledSpinBox {
                    objectName: "serverLoopsBox"; label: qsTr("Wireless receive loops per cycle"); labelWidth: 260
                    target: page.fn; propertyName: "serverMessagesPerLoop"
                }
            }

            ToolTipGroupBox {
                title: qsTr("Power Management Settings")
                toolTip: qsTr("If this feature is active and clamp 15 is low, the device will move to sleep mode after the time period specified. The device can be awakened with a high signal on clamp 15 or CAN traffic.")
                BoundCheckBox {
                    objectName: "activeSleepBox"; text: qsTr("Enable active sleep and clamp 15 wakeup")
                    bound: page.pm !== null
                    value: page.activeSleep
                    onToggledByUser: page.pm.wakeupEnableBits = NumberFormat.withBit(page.pm.wakeupEnableBits,
                                                                                     page.activeSleepBit, checked)
                }
                LabelledSpinBox {
                    objectName: "timeToSleepBox"; label: qsTr("Time until sleep after clamp 15 removal"); labelWidth: 260
                    target: page.pm; propertyName: "timeToSleepMs"
                    enabled: page.activeSleep
                    suffix: " " + qsTr("s")
                }
            }
        }

        ToolTipGroupBox {
            objectName: "sdoGroup"
            title: qsTr("SDO Server Settings")
            // One timeout for both servers: a change writes both.
            LabelledSpinBox {
                objectName: "serverTimeoutBox"; label: qsTr("Server timeout")
                bound: page.sdo0 !== null
                value: page.sdo0 ? page.sdo0.timeoutMs : 0
                hexadecimal: page.hexadecimal
                suffix: " " + qsTr("ms")
                warning: page.sdo0 && page.sdo1 && page.sdo1.timeoutMs !== page.sdo0.timeoutMs
                         ? qsTr("Server 2 holds the timeout %1 ms; a change sets both servers.").arg(NumberText.text(page.sdo1.timeoutMs, page.hexadecimal)) : ""
                onEdited: {
                    page.sdo0.timeoutMs = value
                    page.sdo1.timeoutMs = value
                }
            }
            Repeater {
                model: page.channelFields
                delegate: LabelledSpinBox {
                    objectName: modelData.name; label: modelData.label
                    target: modelData.server === 0 ? page.sdo0 : page.sdo1; propertyName: modelData.field
                    hexadecimal: page.hexadecimal
                    maximumValue: 0x7FF
                }
            }
            ChoiceSwitch {
                objectName: "displayFormat"
                first: page.hexadecimal
                onChosen: page.hexadecimal = first
            }
            ThemedButton {
                objectName: "loadDefaultsButton"
                text: qsTr("Load defaults")
                Accessible.name: text
                enabled: page.sdo0 !== null
                onClicked: page.loadSdoDefaults()
            }
        }
    }
}
