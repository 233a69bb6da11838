import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Controls.Styles 1.4
import "theme.js" as Theme

// White tool bar.
ToolBar {
    style: ToolBarStyle {
        background: Rectangle {
            color: Theme.themeWhite
        }
    }
}
