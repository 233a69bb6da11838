import QtQuick 2.15
import "theme.js" as Theme

// The label every themed control draws with: black, gray when disabled.
Text {
    color: enabled ? Theme.themeBlack : Theme.themeDisabledText
    renderType: Text.NativeRendering
    font.family: Theme.themeFontFamily
    font.pixelSize: Theme.themeFontPixelSizeNormal
    Accessible.name: text
    Accessible.role: Accessible.StaticText
}
