import QtQuick 2.15
import "../theme.js" as Theme

// One cell of a ThemedTableView column delegate: white text on the selected
// row's dark fill, black elsewhere.
ThemedText {
    verticalAlignment: Text.AlignVCenter
    leftPadding: 4
    rightPadding: 8
    elide: Text.ElideRight
    color: !enabled ? Theme.themeDisabledText : styleData.selected ? Theme.themeWhite : Theme.themeBlack
}
