import QtQuick 2.15
import kelbus.qkel.pb 1.0
import kelbus.kit 1.0

// The WLAN page's access point group, shown in Mini AP mode only.
ToolTipGroupBox {
    id: group
    property var page
    readonly property var ap: page.ap
    readonly property var rates: [["1", 1, true], ["2", 2, true], ["5.5", 4, true], ["6", 8, false], ["9", 16, false],
        ["11", 32, true], ["12", 64, false], ["18", 128, false], ["24", 256, false], ["36", 512, false],
        ["48", 1024, false], ["54", 2048, false]]

    function setBit(mask, bit, on) { return on ? (mask | bit) : (mask & ~bit) }

    title: qsTr("Access Point Settings")
    visible: page.miniAp
    contentsEnabled: page.wlanEnabled
    toolTip: qsTr("Access point functionality can be configured with these settings. Depending on the WLAN standard(s) chosen, the device will operate in the 2.4GHz band (802.11b) or both the 2.4GHz and 5GHz bands (802.11ag). Clients are required to support the mandatory data rates chosen, but the behavior of clients not supporting these mandatory data rates may vary. Available channels and mandatory data rates are also dependent on the chosen standard(s). Channels 36-140 are only available if 802.11ag is active.")

    Row {
        spacing: 10
        ThemedText { text: qsTr("Standards"); width: 150 }
        Repeater {
            model: [["802.11b", 1], ["802.11ag", 2]]
            BoundCheckBox { objectName: "standard" + modelData[1]; text: modelData[0]; bound: !!group.ap
                value: !!group.ap && (group.ap.standardMask & modelData[1]) !== 0
                onToggledByUser: group.ap.standardMask = group.setBit(group.ap.standardMask, modelData[1], checked) }
        }
    }
    BoundComboBox {
        objectName: "channel"; label: qsTr("Channel"); target: group.ap; propertyName: "channel"
        values: [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 36, 40, 44, 48, 52, 56, 60, 64, 100, 104, 108, 112, 116, 132, 136, 140]
        model: values
        valid: !page.channelInvalid
        errorTitle: qsTr("Invalid Channel")
        errorText: qsTr("The chosen channel is not valid for the current standard. Reverting to channel 6.")
        onChosen: showInvalid()
    }
    ThemedText { text: qsTr("Mandatory Data Rates") + ":" }
    Grid {
        columns: 4
        spacing: 5
        Repeater {
            model: group.rates
            BoundCheckBox { objectName: "rate" + modelData[1]; text: modelData[0] + " Mbit/s"
                bound: !!group.ap && (modelData[2] ? page.hasB : page.hasAg)
                value: !!group.ap && (group.ap.dataRateMask & modelData[1]) !== 0
                onToggledByUser: group.ap.dataRateMask = group.setBit(group.ap.dataRateMask, modelData[1], checked) }
        }
    }
}
