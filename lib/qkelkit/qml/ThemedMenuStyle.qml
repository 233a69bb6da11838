import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Controls.Styles 1.4
import "theme.js" as Theme

// The light menu look with red selection, shared by the menu bar and menus.
MenuStyle {
    frame: Rectangle {
        color: Theme.themeLight
        border.width: 1
        border.color: Theme.themeGray
    }
    itemDelegate.background: Rectangle {
        color: styleData.selected && styleData.enabled ? Theme.themeDark : Theme.themeLight
    }
    itemDelegate.label: ThemedText {
        text: formatMnemonic(styleData.text, styleData.underlineMnemonic)
        enabled: styleData.enabled
        color: !styleData.enabled ? Theme.themeDisabledText
               : (styleData.selected ? Theme.themeWhite : Theme.themeBlack)
    }
    itemDelegate.shortcut: ThemedText {
        text: styleData.shortcut
        enabled: styleData.enabled
        color: !styleData.enabled ? Theme.themeDisabledText
               : (styleData.selected ? Theme.themeWhite : Theme.themeBlack)
    }
}
