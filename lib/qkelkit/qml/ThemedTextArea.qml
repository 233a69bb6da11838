import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Controls.Styles 1.4
import "theme.js" as Theme

// Multi-line text whose height follows its content.
TextArea {
    id: control
    height: contentHeight + 20
    font.family: Theme.themeFontFamily
    font.pixelSize: Theme.themeFontPixelSizeNormal
    Accessible.role: Accessible.EditableText

    style: TextAreaStyle {
        renderType: Text.NativeRendering
        textColor: control.enabled ? Theme.themeBlack : Theme.themeDisabledText
        selectionColor: Theme.themeDark
        selectedTextColor: Theme.themeWhite
        backgroundColor: control.enabled ? Theme.themeWhite : Theme.themeLight
    }
}
