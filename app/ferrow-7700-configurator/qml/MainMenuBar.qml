import QtQuick 2.15
import kelbus.kit 1.0

// The main window's menus over its actions.
ThemedMenuBar {
    id: menuBar
    property var actions
    // The support archive describes a device, so it is offered only with one.
    property bool deviceInfoShown: false

    ThemedMenu {
        title: qsTr("&File")
        ThemedMenuItem { action: menuBar.actions.newConfigurationAction }
        ThemedMenuItem { action: menuBar.actions.loadConfigurationAction }
        ThemedMenuItem { action: menuBar.actions.saveConfigurationAction }
        ThemedMenuItem { action: menuBar.actions.saveConfigurationAsAction }
        ThemedMenuSeparator {}
        ThemedMenuItem { action: menuBar.actions.backups.openBackupFolder }
        ThemedMenuItem { action: menuBar.actions.backups.loadBackup }
        ThemedMenuSeparator {}
        ThemedMenuItem { action: menuBar.actions.exitAction }
    }
    ThemedMenu {
        title: qsTr("&Device")
        ThemedMenuItem { action: menuBar.actions.connectAction }
        ThemedMenuItem { action: menuBar.actions.disconnectAction }
        ThemedMenuItem { action: menuBar.actions.readAction }
        ThemedMenuItem { action: menuBar.actions.writeAction }
        ThemedMenuItem { action: menuBar.actions.cancelAction }
        ThemedMenuItem { action: menuBar.actions.deviceInformationAction }
        ThemedMenuItem { action: menuBar.actions.backups.compareWithDevice }
        ThemedMenuSeparator {}
        ThemedMenuItem { action: menuBar.actions.factoryResetAction }
    }
    ThemedMenu {
        title: qsTr("&Options")
        ThemedMenuItem { action: menuBar.actions.connectionSettingsAction }
    }
    ThemedMenu {
        title: qsTr("&Help")
        ThemedMenuItem { action: menuBar.actions.supportArchiveAction; visible: menuBar.deviceInfoShown }
        ThemedMenuSeparator { visible: menuBar.deviceInfoShown }
        ThemedMenuItem { action: menuBar.actions.aboutAction }
    }
}
