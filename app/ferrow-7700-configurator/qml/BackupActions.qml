import QtQuick 2.15
import kelbus.kit 1.0
import QtQuick.Dialogs 1.3

// The actions around the device backups, for the main window's menus:
// "File" > "Open backup folder" and "Load backup...", "Device" > "Compare
// with device...". Loading goes through the main window's own procedure
// (unsaved changes first): it handles backupChosen.
Item {
    id: backups

    readonly property alias openBackupFolder: openFolderAction
    readonly property alias loadBackup: loadAction
    readonly property alias compareWithDevice: compareAction
    readonly property alias compareWindow: compareLoader.item

    signal backupChosen(url fileUrl)

    ThemedAction {
        id: openFolderAction
        objectName: "openBackupFolderAction"
        text: qsTr("Open backup folder")
        onTriggered: Qt.openUrlExternally(stateMachine.backupFolderUrl())
    }

    ThemedAction {
        id: loadAction
        objectName: "loadBackupAction"
        text: qsTr("Load backup...")
        enabled: !stateMachine.busy
        onTriggered: {
            var dialog = loadDialog.dialog()
            dialog.folder = stateMachine.backupFolderUrl()
            dialog.open()
        }
    }

    ThemedAction {
        id: compareAction
        objectName: "compareWithDeviceAction"
        text: qsTr("Compare with device...")
        enabled: stateMachine.connected && !stateMachine.busy && stateMachine.hasSessionBackup
        onTriggered: {
            compareLoader.active = true
            compareLoader.item.show()
            compareLoader.item.refresh()
        }
    }

    FileDialogLoader {
        id: loadDialog
        returnFocusTo: backups.window
        sourceComponent: FileDialog {
            objectName: "loadBackupDialog"
            title: qsTr("Load backup")
            selectExisting: true
            nameFilters: [qsTr("Configuration files (*.frc)")]
            onAccepted: backups.backupChosen(fileUrl)
        }
    }

    Loader {
        id: compareLoader
        active: false
        source: "qrc:///qml/compareWindow.qml"
    }
}
