import QtQuick 2.15
import QtQuick.Layouts 1.15
import kelbus.kit 1.0

// File commands, then the device commands that fit the connection state.
ThemedToolBar {
    id: toolBar
    property var actions

    RowLayout {
        anchors.fill: parent
        spacing: 2

        ThemedToolButton { objectName: "newToolButton"; action: toolBar.actions.newConfigurationAction }
        ThemedToolButton { objectName: "loadToolButton"; action: toolBar.actions.loadConfigurationAction }
        ThemedToolButton { objectName: "saveToolButton"; action: toolBar.actions.saveConfigurationAction }
        ThemedToolButton {
            objectName: "connectToolButton"
            action: toolBar.actions.connectAction
            visible: commsHandler.currentProviderType !== "" && !stateMachine.connected
        }
        ThemedToolButton {
            objectName: "disconnectToolButton"
            action: toolBar.actions.disconnectAction
            visible: stateMachine.connected
        }
        ThemedToolButton {
            objectName: "readToolButton"
            action: toolBar.actions.readAction
            visible: stateMachine.connected
        }
        ThemedToolButton {
            objectName: "writeToolButton"
            action: toolBar.actions.writeAction
            visible: stateMachine.connected
        }
        Item { Layout.fillWidth: true }
    }
}
