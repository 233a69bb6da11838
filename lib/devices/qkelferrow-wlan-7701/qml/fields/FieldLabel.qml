import QtQuick 2.15
import "qrc:///themes/morvane/qml/."
import "fields.js" as Fields

// The label in front of a field; hovering it shows the field's tooltip above
// the page. Used by the pieces, not by pages.
ThemedText {
    id: label

    property string toolTip: ""

    width: 150
    height: 25
    verticalAlignment: Text.AlignVCenter
    elide: Text.ElideRight

    ThemedToolTip {
        anchors.fill: parent
        enabled: label.toolTip !== ""
        text: label.toolTip
        showAboveItem: Fields.pageOf(label)
    }
}
