import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Controls.Styles 1.4
import "theme.js" as Theme

// Check box with the theme's check mark; without its box only the mark shows.
CheckBox {
    id: control
    property bool boxVisible: true
    // A click takes the focus too, so that the keys then act on what was clicked.
    activeFocusOnPress: true
    Accessible.name: text
    Accessible.role: Accessible.CheckBox

    style: CheckBoxStyle {
        indicator: Rectangle {
            implicitWidth: 16
            implicitHeight: 16
            color: control.boxVisible ? (control.enabled ? Theme.themeWhite : Theme.themeLight) : "transparent"
            border.width: control.boxVisible ? 1 : 0
            border.color: control.enabled ? Theme.themeDark : Qt.lighter(Theme.themeDark, 1.2)
            Image {
                anchors.centerIn: parent
                source: Theme.themeIconCheck
                visible: control.checked
                opacity: control.enabled ? 1 : 0.5
            }
        }
        label: ThemedText {
            text: control.text
            enabled: control.enabled
            // The focus mark: a frame around the text.
            Rectangle {
                anchors.fill: parent
                anchors.margins: -2
                color: "transparent"
                border.width: 1
                border.color: Theme.themeDark
                visible: control.activeFocus
            }
        }
    }
}
