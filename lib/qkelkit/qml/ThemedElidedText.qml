import QtQuick 2.15

// A text that may be longer than its place: shortened in the middle, so that
// its start and its end (a file name, an unsaved mark) stay visible, and shown
// whole as a tool tip while shortened. Give it a width.
ThemedText {
    id: label
    property Item toolTipAbove: parent
    elide: Text.ElideMiddle
    Accessible.name: text

    ThemedToolTip {
        objectName: "elidedToolTip"
        text: label.truncated ? label.text : ""
        showAboveItem: label.toolTipAbove
    }
}
