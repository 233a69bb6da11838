import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Layouts 1.15
import kelbus.kit 1.0

// File commands, then the device commands that fit the connection state.
ThemedToolBar {
    id: toolBar
    property var actions

    RowLayout {
        anchors.fill: parent
        spacing: 2

        MainToolButton { objectName: "newToolButton"; action: toolBar.actions.newConfigurationAction }
        MainToolButton { objectName: "loadToolButton"; action: toolBar.actions.loadConfigurationAction }
        MainToolButton { objectName: "saveToolButton"; action: toolBar.actions.saveConfigurationAction }
        MainToolButton {
            objectName: "connectToolButton"
            action: toolBar.actions.connectAction
            visible: commsHandler.currentProviderType !== "" && !stateMachine.connected
        }
        MainToolButton {
            objectName: "disconnectToolButton"
            action: toolBar.actions.disconnectAction
            visible: stateMachine.connected
        }
        MainToolButton {
            objectName: "readToolButton"
            action: toolBar.actions.readAction
            visible: stateMachine.connected
        }
        MainToolButton {
            objectName: "writeToolButton"
            action: toolBar.actions.writeAction
            visible: stateMachine.connected
        }
        Item { Layout.fillWidth: true }
    }
}
