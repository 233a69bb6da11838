import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Controls.Styles 1.4
import "theme.js" as Theme

// Push button: light fill, red when pressed, thicker border when focused.
Button {
    id: control
    Accessible.name: text
    Accessible.role: Accessible.Button

    style: ButtonStyle {
        background: Rectangle {
            implicitWidth: 75
            implicitHeight: 25
            radius: 5
            border.width: control.activeFocus ? 2 : 1
            border.color: control.enabled ? Theme.themeDark : Qt.lighter(Theme.themeDark, 1.2)
            color: control.pressed ? Theme.themeDark : Theme.themeLight
        }
        label: ThemedText {
            text: control.text
            enabled: control.enabled
            color: control.pressed ? Theme.themeWhite : (control.enabled ? Theme.themeBlack : Theme.themeDisabledText)
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }
    }
}
