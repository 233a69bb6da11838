import QtQuick 2.15
import QtQuick.Layouts 1.15
import kelbus.kit 1.0

// Left: the session state (opens the device information); right: the link in
// use (opens the connection settings).
ThemedStatusBar {
    id: statusBar
    property var actions
    property string serialPort
    // The window's width, not the bar's: the bar takes its size from its content.
    property real windowWidth: 0
    readonly property string sessionText: stateMachine.busy ? qsTr("Busy") + "..."
        : stateMachine.connected ? qsTr("Connected to device") + ": " + stateMachine.deviceIdString
        : qsTr("Not connected")
    // While disconnected the port is named with its adapter, to tell several apart.
    readonly property string portText: !stateMachine.connected && commsHandler.portLabel !== "" ? commsHandler.portLabel
        : serialPort
    readonly property string linkText: qsTr(commsHandler.currentProviderType) + " ("
        + (portText !== "" ? portText : qsTr("not configured")) + ")"

    RowLayout {
        anchors.fill: parent

        ThemedText {
            objectName: "sessionStatus"
            text: statusBar.sessionText
            Layout.fillWidth: true
            Accessible.role: Accessible.Button
            Accessible.onPressAction: statusBar.actions.deviceInformationAction.trigger()
            MouseArea {
                anchors.fill: parent
                onClicked: statusBar.actions.deviceInformationAction.trigger()
            }
        }
        // A long port path is shortened in the middle, leaving room for the session.
        ThemedElidedText {
            objectName: "linkStatus"
            text: statusBar.linkText
            font.bold: true
            Layout.maximumWidth: statusBar.windowWidth * 0.6
            // Not the layout: a tool tip inside it would take a place in the row.
            toolTipAbove: statusBar
            Accessible.role: Accessible.Button
            Accessible.onPressAction: statusBar.actions.connectionSettingsAction.trigger()
            MouseArea {
                anchors.fill: parent
                onClicked: statusBar.actions.connectionSettingsAction.trigger()
            }
        }
    }
}
