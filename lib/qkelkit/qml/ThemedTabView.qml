import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Controls.Styles 1.4
import "theme.js" as Theme

// Tab view filling its parent, with tall bold tabs; the selected one is light.
TabView {
    id: control
    anchors.fill: parent

    style: TabViewStyle {
        frameOverlap: 0
        tab: Rectangle {
            implicitWidth: Math.max(80, tabText.implicitWidth + 50)
            implicitHeight: 50
            color: styleData.selected ? Theme.themeLight : Theme.themeDark
            // The focus mark of the tab bar: a frame inside the current tab.
            Rectangle {
                anchors.fill: parent
                anchors.margins: 3
                color: "transparent"
                border.width: 2
                border.color: Theme.themeMedium
                visible: styleData.activeFocus
            }
            Accessible.name: styleData.title
            Accessible.role: Accessible.PageTab
            ThemedText {
                id: tabText
                anchors.centerIn: parent
                text: styleData.title
                font.bold: true
                font.pixelSize: Theme.themeFontPixelSizeLarge
                color: styleData.selected ? Theme.themeBlack : Theme.themeWhite
            }
        }
        frame: Rectangle {
            color: Theme.themeWhite
        }
    }
}
