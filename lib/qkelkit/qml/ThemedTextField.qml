import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Controls.Styles 1.4
import "theme.js" as Theme

// Text field; errorHighlight paints an enabled field red, hideBorder drops the frame.
TextField {
    id: control
    property bool errorHighlight: false
    property bool hideBorder: false
    readonly property bool __error: errorHighlight && enabled
    font.family: Theme.themeFontFamily
    font.pixelSize: Theme.themeFontPixelSizeNormal
    Accessible.role: Accessible.EditableText

    style: TextFieldStyle {
        renderType: Text.NativeRendering
        textColor: control.__error ? Theme.themeWhite : (control.enabled ? Theme.themeBlack : Theme.themeDisabledText)
        selectionColor: Theme.themeDark
        selectedTextColor: Theme.themeWhite
        background: Rectangle {
            implicitWidth: 175
            implicitHeight: 25
            color: control.__error ? Theme.themeDark : (control.enabled ? Theme.themeWhite : Theme.themeLight)
            border.width: control.hideBorder ? 0 : control.activeFocus ? 2 : 1
            border.color: control.enabled ? Theme.themeDark : Qt.lighter(Theme.themeDark, 1.2)
        }
    }
}
