import QtQuick 2.15
import "fields.js" as Fields

// The label in front of a field; hovering the label or the `field` shows the
// field's tooltip, led by the reason its input is refused (`problem`). Used
// by the pieces, not by pages.
ThemedText {
    id: label

    property string toolTip: ""
    property Item field: null
    property string problem: ""
    readonly property string tipText: problem !== "" && toolTip !== "" ? problem + "\n\n" + toolTip
                                                                         : problem + toolTip

    width: 150
    height: 25
    verticalAlignment: Text.AlignVCenter
    elide: Text.ElideRight

    ThemedToolTip {
        anchors.fill: parent
        enabled: label.tipText !== ""
        text: label.tipText
        showAboveItem: Fields.pageOf(label)
    }

    ThemedToolTip {
        parent: label.field ? label.field : label
        anchors.fill: parent
        z: 1
        enabled: !!label.field && label.tipText !== ""
        text: label.tipText
        showAboveItem: Fields.pageOf(label)
    }
}
