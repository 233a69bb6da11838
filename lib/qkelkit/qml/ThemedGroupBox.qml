import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Controls.Styles 1.4
import QtQuick.Controls.Private 1.0
import "theme.js" as Theme

// Flat group with a red title band.
GroupBox {
    id: control
    flat: true
    Accessible.name: title
    Accessible.role: Accessible.Grouping

    style: GroupBoxStyle {
        padding { top: 28; left: 8; right: 8; bottom: 8 }
        panel: Rectangle {
            color: "transparent"
            border.width: 1
            border.color: control.enabled ? Theme.themeDark : Qt.lighter(Theme.themeDark, 1.2)
            Rectangle {
                anchors.left: parent.left
                anchors.right: parent.right
                height: 20
                color: control.enabled ? Theme.themeDark : Qt.lighter(Theme.themeDark, 1.2)
                ThemedText {
                    anchors.verticalCenter: parent.verticalCenter
                    x: 6
                    text: control.title
                    color: Theme.themeWhite
                }
            }
        }
    }
}
