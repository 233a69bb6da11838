import QtQuick 2.15
import QtQuick.Controls 1.4

// A tool bar button, 40 by 40, named for assistive technology by its
// action's tool tip. It never takes the keyboard focus: Space would trigger
// its action again, and every action has its menu entry and shortcut.
ToolButton {
    activeFocusOnTab: false
    activeFocusOnPress: false
    implicitWidth: 40
    implicitHeight: 40
    Accessible.name: action ? action.tooltip : ""
    Accessible.role: Accessible.Button
}
