import QtQuick 2.15
import "fields.js" as Fields

// A check box that follows one bool property and writes it when the user
// toggles it.
//   BoundCheckBox { text: qsTr("Enable"); target: device.wlanInterface; propertyName: "enabled" }
// For a bit of a mask, or anything not a plain property: bind `value` and
// `bound`, handle `toggledByUser(checked)`. Without a target it is disabled
// and unchecked; loading never writes.
ThemedCheckBox {
    id: root

    property var target: null
    property string propertyName: ""
    property bool bound: !!target
    property bool value: !!Fields.read(target, propertyName, false)
    property string toolTip: ""

    signal toggledByUser(bool checked)

    enabled: bound
    checked: value
    Accessible.name: text
    onClicked: {
        var wanted = checked
        checked = Qt.binding(function() { return root.value })
        Fields.write(target, propertyName, wanted)
        toggledByUser(wanted)
    }

    ThemedToolTip {
        anchors.fill: parent
        enabled: root.toolTip !== ""
        acceptedButtons: Qt.NoButton
        text: root.toolTip
        showAboveItem: Fields.pageOf(root)
    }
}
