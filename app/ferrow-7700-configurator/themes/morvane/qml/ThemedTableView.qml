import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Controls.Styles 1.4
import "../theme.js" as Theme

// Table with a red header and light selected rows.
TableView {
    id: control
    Accessible.role: Accessible.Table

    style: TableViewStyle {
        headerDelegate: Rectangle {
            height: 22
            color: Theme.themeDark
            border.width: 1
            border.color: Theme.themeMedium
            ThemedText {
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
            color: styleData.selected ? Theme.themeLight : Theme.themeWhite
        }
        itemDelegate: ThemedText {
            text: styleData.value !== undefined ? styleData.value : ""
            verticalAlignment: Text.AlignVCenter
            leftPadding: 4
            elide: Text.ElideRight
        }
    }
}
