import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Controls.Styles 1.4
import "theme.js" as Theme

// White status bar under a thin red line.
StatusBar {
    style: StatusBarStyle {
        background: Rectangle {
            implicitHeight: 24
            color: Theme.themeWhite
            Rectangle {
                anchors.left: parent.left
                anchors.right: parent.right
                height: 1
                color: Theme.themeDark
            }
        }
    }
}
