import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Controls.Styles 1.4
import "theme.js" as Theme

// Table with a red header and a plainly marked selected row (dark fill,
// white text); a frame that thickens while the table has the focus. Columns
// size to their contents through the header's and cells' implicit widths.
TableView {
    id: control
    Accessible.role: Accessible.Table

    style: TableViewStyle {
        frame: Rectangle {
            color: "transparent"
            border.width: control.activeFocus ? 2 : 1
            border.color: Theme.themeDark
        }
        headerDelegate: Rectangle {
            height: 22
            implicitWidth: headerText.implicitWidth + 12
            color: Theme.themeDark
            border.width: 1
            border.color: Theme.themeMedium
            ThemedText {
                id: headerText
                anchors.fill: parent
                anchors.leftMargin: 4
                verticalAlignment: Text.AlignVCenter
                text: styleData.value
                color: Theme.themeWhite
                elide: Text.ElideRight
            }
        }
        rowDelegate: Rectangle {
            height: 20
            color: styleData.selected ? Theme.themeMedium : Theme.themeWhite
        }
        itemDelegate: ThemedTableCell {
            text: styleData.value !== undefined ? styleData.value : ""
        }
    }
}
