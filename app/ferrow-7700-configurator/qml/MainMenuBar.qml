import QtQuick 2.15
import QtQuick.Controls 1.4
import kelbus.kit 1.0

// The main window's menus over its actions.
ThemedMenuBar {
    id: menuBar
    property var actions
    // The support archive describes a device, so it is offered only with one.
    property bool deviceInfoShown: false

    ThemedMenu {
        title: qsTr("&File")
        MenuItem { action: menuBar.actions.newConfigurationAction }
        MenuItem { action: menuBar.actions.loadConfigurationAction }
        MenuItem { action: menuBar.actions.saveConfigurationAction }
        MenuItem { action: menuBar.actions.saveConfigurationAsAction }
        MenuSeparator {}
        MenuItem { action: menuBar.actions.backups.openBackupFolder }
        MenuItem { action: menuBar.actions.backups.loadBackup }
        MenuSeparator {}
        MenuItem { action: menuBar.actions.exitAction }
    }
    ThemedMenu {
        title: qsTr("&Device")
        MenuItem { action: menuBar.actions.connectAction }
        MenuItem { action: menuBar.actions.disconnectAction }
        MenuItem { action: menuBar.actions.readAction }
        MenuItem { action: menuBar.actions.writeAction }
        MenuItem { action: menuBar.actions.deviceInformationAction }
        MenuItem { action: menuBar.actions.backups.compareWithDevice }
        MenuSeparator {}
        MenuItem { action: menuBar.actions.factoryResetAction }
    }
    ThemedMenu {
        title: qsTr("&Options")
        MenuItem { action: menuBar.actions.connectionSettingsAction }
    }
    ThemedMenu {
        title: qsTr("&Help")
        MenuItem { action: menuBar.actions.supportArchiveAction; visible: menuBar.deviceInfoShown }
        MenuSeparator { visible: menuBar.deviceInfoShown }
        MenuItem { action: menuBar.actions.aboutAction }
    }
}
