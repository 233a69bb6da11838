import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Controls.Styles 1.4
import "theme.js" as Theme

// Radio button with a round indicator and the theme's red dot.
RadioButton {
    id: control
    Accessible.name: text
    // A click takes the focus too, so that the keys then act on what was clicked.
    activeFocusOnPress: true
    Accessible.role: Accessible.RadioButton

    style: RadioButtonStyle {
        indicator: Rectangle {
            implicitWidth: 16
            implicitHeight: 16
            radius: 8
            color: control.enabled ? Theme.themeWhite : Theme.themeLight
            border.width: 1
            border.color: control.enabled ? Theme.themeDark : Qt.lighter(Theme.themeDark, 1.2)
            Rectangle {
                anchors.centerIn: parent
                width: 8
                height: 8
                radius: 4
                visible: control.checked
                color: control.enabled ? Theme.themeDark : Qt.lighter(Theme.themeDark, 1.2)
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
