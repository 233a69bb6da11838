import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Controls.Styles 1.4
import "theme.js" as Theme

// Red menu bar with white entries; its menus use the light menu look.
MenuBar {
    style: MenuBarStyle {
        background: Rectangle {
            color: Theme.themeDark
        }
        itemDelegate: Rectangle {
            implicitWidth: itemText.implicitWidth + 20
            implicitHeight: itemText.implicitHeight + 8
            color: styleData.selected || styleData.open ? Theme.themeMedium : Theme.themeDark
            ThemedText {
                id: itemText
                anchors.centerIn: parent
                text: formatMnemonic(styleData.text, styleData.underlineMnemonic)
                color: Theme.themeWhite
            }
        }
        menuStyle: ThemedMenuStyle {}
    }
}
