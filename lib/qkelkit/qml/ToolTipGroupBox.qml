import QtQuick 2.15
import "fields.js" as Fields

// A themed group box whose title band shows `toolTip` above the page.
//   ToolTipGroupBox { title: qsTr("Socket Server"); toolTip: qsTr("...")
//                     contentsEnabled: device && device.wlanInterface.enabled; Column { ... } }
// `contentsEnabled` enables the contents without graying the title.
ThemedGroupBox {
    id: root

    property string toolTip: ""
    property bool contentsEnabled: true
    default property alias contents: body.data

    Accessible.name: title

    Column {
        id: body
        enabled: root.contentsEnabled
        spacing: 5
    }

    // Over the whole title band, which lies above the contents.
    ThemedToolTip {
        anchors.fill: undefined
        x: -8
        y: -28
        width: body.width + 16
        height: 20
        enabled: root.toolTip !== ""
        acceptedButtons: Qt.NoButton
        text: root.toolTip
        showAboveItem: Fields.pageOf(root)
    }
}
