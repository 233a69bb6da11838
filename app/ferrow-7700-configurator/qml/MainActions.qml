import QtQuick 2.15
import kelbus.kit 1.0

// Every command of the main window, shared by its menus, tool bar and status bar.
// An action only decides whether it may run and hands the work to the session.
Item {
    id: actions
    property var window
    property var dialogs

    readonly property bool connected: stateMachine.connected
    readonly property bool busy: stateMachine.busy
    readonly property var device: stateMachine.currentDevice
    readonly property bool saveNeeded: saveStatusTracker.saveNeeded
    readonly property var productIds: deviceFactory.supportedDeviceProductIds

    property alias newConfigurationAction: newConfigurationAction
    property alias loadConfigurationAction: loadConfigurationAction
    property alias saveConfigurationAction: saveConfigurationAction
    property alias saveConfigurationAsAction: saveConfigurationAsAction
    property alias exitAction: exitAction
    property alias deviceInformationAction: deviceInformationAction
    property alias factoryResetAction: factoryResetAction
    property alias connectionSettingsAction: connectionSettingsAction
    property alias supportArchiveAction: supportArchiveAction
    property alias aboutAction: aboutAction
    property alias connectAction: connectAction
    property alias disconnectAction: disconnectAction
    property alias readAction: readAction
    property alias writeAction: writeAction
    property alias cancelAction: cancelAction
    readonly property alias backups: backupActions

    // Creates at once when only one product can be configured; else lets the user choose.
    function createNewConfiguration() {
        if (productIds.length === 1)
            stateMachine.doNewConfiguration(productIds[0])
        else
            window.showWindow("newConfig.qml")
    }

    // Write and Save pass only what every field shows.
    InvalidInputDialog {
        id: inputCheck
        returnFocusTo: actions.window
        pages: actions.window ? actions.window.deviceConfigurationLoader.item : null
    }

    // A chosen backup is loaded like any configuration file: unsaved changes first.
    BackupActions {
        id: backupActions
        onBackupChosen: actions.dialogs.loadConfigurationFrom(fileUrl)
    }

    ThemedAction {
        id: newConfigurationAction
        objectName: "newConfigurationAction"
        text: qsTr("&New configuration") + (actions.productIds.length > 1 ? "..." : "")
        tooltip: qsTr("New configuration...")
        iconSource: Theme.themeIconNew
        shortcut: StandardKey.New
        // A configuration cannot be taken over while the session is busy.
        enabled: !actions.busy
        onTriggered: actions.saveNeeded ? dialogs.unsavedNewConfigCheckDialog.open() : actions.createNewConfiguration()
    }
    ThemedAction {
        id: loadConfigurationAction
        objectName: "loadConfigurationAction"
        text: qsTr("&Load configuration...")
        tooltip: qsTr("Load configuration...")
        iconSource: Theme.themeIconOpen
        shortcut: StandardKey.Open
        enabled: !actions.busy
        onTriggered: actions.saveNeeded ? dialogs.unsavedLoadConfigCheckDialog.open() : dialogs.loadDialog.open()
    }
    ThemedAction {
        id: saveConfigurationAction
        objectName: "saveConfigurationAction"
        readonly property bool hasPath: saveStatusTracker.currentFilePath !== ""
        text: qsTr("&Save configuration")
        tooltip: qsTr("Save configuration")
        iconSource: Theme.themeIconSave
        shortcut: StandardKey.Save
        enabled: actions.device !== null && (!hasPath || actions.saveNeeded)
        onTriggered: {
            if (!inputCheck.passes())
                return
            if (hasPath && actions.saveNeeded)
                stateMachine.doSaveConfiguration(saveStatusTracker.currentFileUrl)
            else
                saveConfigurationAsAction.trigger()
        }
    }
    ThemedAction {
        id: saveConfigurationAsAction
        objectName: "saveConfigurationAsAction"
        text: qsTr("Save configuration &as...")
        // The platform's standard key may be empty.
        shortcut: "Ctrl+Shift+S"
        enabled: actions.device !== null
        onTriggered: if (inputCheck.passes()) dialogs.saveDialog.open()
    }
    ThemedAction {
        id: exitAction
        objectName: "exitAction"
        text: qsTr("&Exit")
        shortcut: StandardKey.Quit
        onTriggered: window.performQuit(false)
    }
    ThemedAction {
        id: deviceInformationAction
        objectName: "deviceInformationAction"
        text: qsTr("Device &information...")
        shortcut: "Ctrl+Shift+I"
        enabled: actions.connected && window.hasDeviceInfo
        onTriggered: window.showWindow("deviceInfo.qml")
    }
    ThemedAction {
        id: factoryResetAction
        objectName: "factoryResetAction"
        text: qsTr("&Reset device to factory settings")
        enabled: actions.connected && !actions.busy
        onTriggered: dialogs.factoryResetCheckDialog.open()
    }
    ThemedAction {
        id: connectionSettingsAction
        objectName: "connectionSettingsAction"
        text: qsTr("&Connection settings...")
        onTriggered: window.showWindow("connectionSettings.qml")
    }
    ThemedAction {
        id: supportArchiveAction
        objectName: "supportArchiveAction"
        text: qsTr("&Create support archive") + "..."
        onTriggered: {
            var options = window.showWindow("supportArchiveWindow.qml")
            if (options)
                options.dialogs = dialogs
        }
    }
    ThemedAction {
        id: aboutAction
        objectName: "aboutAction"
        text: qsTr("&About") + " " + applicationName + "..."
        onTriggered: window.showWindow("aboutWindow.qml")
    }
    ThemedAction {
        id: connectAction
        objectName: "connectAction"
        text: qsTr("&Connect")
        tooltip: qsTr("Connect")
        iconSource: Theme.themeIconConnect
        shortcut: "Ctrl+Shift+C"
        enabled: !actions.connected && !actions.busy && window.serialPort !== ""
        onTriggered: stateMachine.doConnect()
    }
    ThemedAction {
        id: disconnectAction
        objectName: "disconnectAction"
        text: qsTr("&Disconnect")
        tooltip: qsTr("Disconnect")
        iconSource: Theme.themeIconDisconnect
        shortcut: "Ctrl+Shift+D"
        enabled: actions.connected && !actions.busy
        // Disconnecting sends the gateway back to normal operation.
        onTriggered: stateMachine.doEnterNormalOperation()
    }
    ThemedAction {
        id: readAction
        objectName: "readAction"
        text: qsTr("&Read data from the device")
        tooltip: qsTr("Read data from the device")
        iconSource: Theme.themeIconRead
        shortcut: "Ctrl+Shift+R"
        enabled: actions.connected && !actions.busy
        onTriggered: actions.saveNeeded ? dialogs.unsavedDeviceReadCheckDialog.open()
                                        : stateMachine.doReadDeviceConfiguration()
    }
    ThemedAction {
        id: writeAction
        objectName: "writeAction"
        text: qsTr("&Write data to the device")
        tooltip: qsTr("Write data to the device")
        iconSource: Theme.themeIconWrite
        shortcut: "Ctrl+Shift+W"
        enabled: actions.connected && !actions.busy
        // Nothing is written before the user has seen what it changes.
        onTriggered: if (inputCheck.passes()) window.showWindow("reviewWindow.qml")
    }
    // Ends a connection attempt, a read or a write that takes too long for the
    // user; the session ends as after a failure, without reporting one.
    ThemedAction {
        id: cancelAction
        objectName: "cancelAction"
        text: qsTr("Cancel")
        tooltip: qsTr("Cancel the running operation")
        shortcut: "Esc"
        enabled: actions.busy
        onTriggered: {
            stateMachine.doDisconnect()
            window.successToast.show(qsTr("Cancelled"))
        }
    }
}
