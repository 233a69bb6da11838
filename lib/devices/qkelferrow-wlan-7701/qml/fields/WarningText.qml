import QtQuick 2.15
import kelbus.kit 1.0

// The warning beside an interface's Enable box while both wireless
// interfaces are enabled; bind `visible` to that condition.
ThemedText {
    id: warning
    text: qsTr("WARNING") + "!"
    font.bold: true
    color: Theme.themeWarning
    height: 20
    verticalAlignment: Text.AlignVCenter
    Accessible.name: text

    ThemedToolTip {
        text: qsTr("In the current configuration, both Bluetooth and WLAN enabled. Due to a device limitation, only one wireless interface may be active at any given time. By default, the device firmware will deactivate the WLAN interface if both are active in the configuration.")
        showAboveItem: Fields.pageOf(warning)
    }
}
