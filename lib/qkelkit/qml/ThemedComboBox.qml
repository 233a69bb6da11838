import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Controls.Styles 1.4
import "theme.js" as Theme

// Selection field with a red drop-down button whose arrow turns while open;
// errorHighlight paints an enabled field red.
ComboBox {
    id: control
    property bool errorHighlight: false
    readonly property bool __error: errorHighlight && enabled
    editable: false
    // A click takes the focus too, so that the keys then act on what was clicked.
    activeFocusOnPress: true
    Accessible.name: currentText
    Accessible.role: Accessible.ComboBox

    style: ComboBoxStyle {
        id: comboStyle
        dropDownButtonWidth: 24
        // The label ends before the drop-down button instead of under it.
        padding.right: dropDownButtonWidth + 6
        background: Rectangle {
            implicitWidth: 175
            implicitHeight: 24
            color: control.__error ? Theme.themeDark : (control.enabled ? Theme.themeWhite : Theme.themeLight)
            border.width: control.activeFocus ? 2 : 1
            border.color: control.enabled ? Theme.themeDark : Qt.lighter(Theme.themeDark, 1.2)
            Rectangle {
                anchors.right: parent.right
                anchors.top: parent.top
                anchors.bottom: parent.bottom
                width: comboStyle.dropDownButtonWidth
                color: control.enabled ? Theme.themeMedium : Theme.themeLight
                border.width: 1
                border.color: parent.border.color
                Image {
                    anchors.centerIn: parent
                    source: Theme.themeIconArrowDown
                    rotation: control.pressed ? 180 : 0
                    opacity: control.enabled ? 1 : 0.5
                    Behavior on rotation { NumberAnimation { duration: 200 } }
                }
            }
        }
        label: ThemedElidedText {
            text: control.currentText
            enabled: control.enabled
            color: control.__error ? Theme.themeWhite : (control.enabled ? Theme.themeBlack : Theme.themeDisabledText)
            verticalAlignment: Text.AlignVCenter
            topPadding: Qt.platform.os === "linux" ? 3 : 0
        }
        __dropDownStyle: MenuStyle {
            __maxPopupHeight: 600
            frame: Rectangle {
                color: Theme.themeLight
                border.width: 1
                border.color: Theme.themeDark
            }
            itemDelegate.background: Rectangle {
                color: styleData.selected ? Theme.themeDark : Theme.themeLight
            }
            itemDelegate.label: ThemedText {
                text: styleData.text
                color: styleData.selected ? Theme.themeWhite : Theme.themeBlack
            }
        }
    }
}
