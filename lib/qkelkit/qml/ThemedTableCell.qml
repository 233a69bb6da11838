import QtQuick 2.15
import "theme.js" as Theme

// One cell of a ThemedTableView column delegate: white text on the selected
// row's dark fill, black elsewhere.
ThemedText {
    verticalAlignment: Text.AlignVCenter
    leftPadding: 4
    rightPadding: 8
    elide: Text.ElideRight
    // Outside a table (a page measuring texts) there is no row to be selected.
    readonly property bool selected: typeof styleData !== "undefined" && styleData.selected
    color: !enabled ? Theme.themeDisabledText : selected ? Theme.themeWhite : Theme.themeBlack
}
