import QtQuick 2.15
import "theme.js" as Theme

// Hover area that shows a dark box with its text after a second of hovering,
// just below the hovered area (above it where there is no room below), drawn
// over showAboveItem so no sibling hides it; it hides soon after leaving.
MouseArea {
    id: area
    property string text
    property Item showAboveItem: parent
    readonly property bool shown: tip.visible

    anchors.fill: parent
    hoverEnabled: true
    acceptedButtons: Qt.NoButton

    onContainsMouseChanged: {
        if (containsMouse) {
            hideTimer.stop()
            showTimer.restart()
        } else {
            showTimer.stop()
            hideTimer.restart()
        }
    }

    Timer {
        id: showTimer
        interval: 1000
        onTriggered: tip.visible = area.text !== ""
    }

    Timer {
        id: hideTimer
        interval: 100
        onTriggered: tip.visible = false
    }

    Rectangle {
        id: tip
        objectName: "toolTipBox"
        visible: false
        parent: area.showAboveItem
        z: 1000
        width: Math.min(tipText.implicitWidth, 300) + 12
        height: tipText.paintedHeight + 8
        readonly property point at: visible ? area.mapToItem(parent, 0, 0) : Qt.point(0, 0)
        x: Math.max(0, Math.min(at.x, parent.width - width))
        y: at.y + area.height + 4 + height <= parent.height ? at.y + area.height + 4 : Math.max(0, at.y - height - 4)
        radius: 5
        opacity: 0.9
        color: Theme.themeBlack
        Accessible.name: area.text
        Accessible.role: Accessible.ToolTip

        ThemedText {
            id: tipText
            x: 6
            y: 4
            width: Math.min(implicitWidth, 300)
            text: area.text
            color: Theme.themeWhite
            wrapMode: Text.Wrap
        }
    }
}
