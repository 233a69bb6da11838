import QtQuick 2.15
import QtQuick.Dialogs 1.3
import kelbus.kit 1.0

// The main window's message and file dialogs. A message that comes while
// another one is open waits its turn, so every failure reaches the user.
Item {
    id: dialogs
    property var window
    property var actions
    // Messages waiting for the open one to close: { dialog, title, text }.
    property var pendingMessages: []

    property alias errorDialog: errorDialog
    property alias warningDialog: warningDialog
    property alias unsavedQuitCheckDialog: unsavedQuitCheckDialog
    property alias unsavedDeviceReadCheckDialog: unsavedDeviceReadCheckDialog
    property alias unsavedNewConfigCheckDialog: unsavedNewConfigCheckDialog
    property alias unsavedLoadConfigCheckDialog: unsavedLoadConfigCheckDialog
    property alias unsavedLoadFileCheckDialog: unsavedLoadFileCheckDialog
    property alias genericAreYouSureDialog: genericAreYouSureDialog
    property alias factoryResetCheckDialog: factoryResetCheckDialog
    property alias saveDialog: saveDialog
    property alias loadDialog: loadDialog
    property alias supportArchiveDialog: supportArchiveDialog
    readonly property var configurationFilters: [qsTr("Tarn configuration files") + " (*.frc)", qsTr("All files") + " (*)"]

    function showError(title, text) {
        showMessage(errorDialog, title, text)
    }
    function showWarning(title, text) {
        showMessage(warningDialog, title, text)
    }
    // A message already open or waiting is not queued again: a failure that
    // repeats while the user reads about it is one failure.
    function showMessage(dialog, title, text) {
        if (!errorDialog.visible && !warningDialog.visible) {
            dialog.title = title
            dialog.text = text
            dialog.open()
            return
        }
        var queued = [{ dialog: errorDialog, title: errorDialog.title, text: errorDialog.text },
                      { dialog: warningDialog, title: warningDialog.title, text: warningDialog.text }]
            .concat(pendingMessages)
        for (var i = 0; i < queued.length; ++i) {
            if (queued[i].dialog === dialog && queued[i].title === title && queued[i].text === text)
                return
        }
        pendingMessages.push({ dialog: dialog, title: title, text: text })
    }
    function showNextMessage() {
        if (pendingMessages.length === 0 || errorDialog.visible || warningDialog.visible)
            return
        var next = pendingMessages.shift()
        showMessage(next.dialog, next.title, next.text)
    }
    // Dialogs hand back URLs; the session turns them into local paths, so
    // spaces, "#" and non-ASCII names stay percent-encoded until then.
    function withExtension(url, extension) {
        var text = url.toString()
        return text.toLowerCase().indexOf(extension) < 0 ? text + extension : text
    }
    function saveConfigurationTo(url) {
        stateMachine.doSaveConfiguration(withExtension(url, ".frc"))
    }
    // Loads a file chosen outside the load dialog, such as a device backup.
    function loadConfigurationFrom(url) {
        if (saveStatusTracker.saveNeeded) {
            unsavedLoadFileCheckDialog.fileUrl = url
            unsavedLoadFileCheckDialog.open()
        } else {
            stateMachine.doLoadConfiguration(url)
        }
    }
    // Passwords and PINs go into the archive only when the user chose so for this one.
    property bool archiveIncludesSecrets: false
    function chooseSupportArchiveFile(includeSecrets) {
        archiveIncludesSecrets = includeSecrets
        supportArchiveDialog.open()
    }
    function packSupportArchiveTo(url) {
        stateMachine.doPackSupportArchive(withExtension(url, ".zip"), archiveIncludesSecrets)
        archiveIncludesSecrets = false
    }

    MainMessageDialog {
        returnFocusTo: dialogs.window
        id: errorDialog
        objectName: "errorDialog"
        icon: StandardIcon.Critical
        onVisibleChanged: if (!visible) { title = ""; text = ""; Qt.callLater(dialogs.showNextMessage) }
    }
    MainMessageDialog {
        returnFocusTo: dialogs.window
        id: warningDialog
        objectName: "warningDialog"
        icon: StandardIcon.Warning
        onVisibleChanged: if (!visible) { title = ""; text = ""; Qt.callLater(dialogs.showNextMessage) }
    }
    ThemedQuestionDialog {
        returnFocusTo: dialogs.window
        id: unsavedQuitCheckDialog
        objectName: "unsavedQuitCheckDialog"
        title: qsTr("Unsaved Changes")
        text: qsTr("Changes to the current configuration are unsaved. Are you sure you want to quit?")
        onYes: dialogs.window.performQuit(true)
    }
    ThemedQuestionDialog {
        returnFocusTo: dialogs.window
        id: unsavedDeviceReadCheckDialog
        objectName: "unsavedDeviceReadCheckDialog"
        title: qsTr("Unsaved Changes")
        text: qsTr("Changes to the current configuration are unsaved, and reading from the device would overwrite these changes. Do you want to proceed?")
        onYes: stateMachine.doReadDeviceConfiguration()
    }
    ThemedQuestionDialog {
        returnFocusTo: dialogs.window
        id: unsavedNewConfigCheckDialog
        objectName: "unsavedNewConfigCheckDialog"
        title: qsTr("Unsaved Changes")
        text: qsTr("Changes to the current configuration are unsaved, and creating a new device would overwrite these changes. Do you want to proceed?")
        onYes: dialogs.actions.createNewConfiguration()
    }
    ThemedQuestionDialog {
        returnFocusTo: dialogs.window
        id: unsavedLoadConfigCheckDialog
        objectName: "unsavedLoadConfigCheckDialog"
        title: qsTr("Unsaved Changes")
        text: qsTr("Changes to the current configuration are unsaved, and loading a configuration file would overwrite these changes. Do you want to proceed?")
        onYes: loadDialog.open()
    }
    ThemedQuestionDialog {
        returnFocusTo: dialogs.window
        id: unsavedLoadFileCheckDialog
        objectName: "unsavedLoadFileCheckDialog"
        property url fileUrl
        title: unsavedLoadConfigCheckDialog.title
        text: unsavedLoadConfigCheckDialog.text
        onYes: stateMachine.doLoadConfiguration(fileUrl)
    }
    ThemedQuestionDialog {
        returnFocusTo: dialogs.window
        id: genericAreYouSureDialog
        objectName: "genericAreYouSureDialog"
    }
    // A factory reset loses the gateway's configuration: the user confirms
    // which gateway it is.
    ThemedQuestionDialog {
        returnFocusTo: dialogs.window
        id: factoryResetCheckDialog
        objectName: "factoryResetCheckDialog"
        title: qsTr("Reset to Factory Settings")
        text: qsTr("Reset the gateway \"%1\" to its factory settings? Its configuration will be lost.")
              .arg(stateMachine.deviceIdString)
        onYes: stateMachine.doFactoryReset()
    }

    FileDialogLoader {
        returnFocusTo: dialogs.window
        id: saveDialog
        sourceComponent: FileDialog {
            objectName: "saveDialog"
            title: qsTr("Save configuration to a file")
            selectExisting: false
            nameFilters: dialogs.configurationFilters
            selectedNameFilter: nameFilters[0]
            modality: Qt.ApplicationModal
            onAccepted: dialogs.saveConfigurationTo(fileUrl)
        }
    }
    FileDialogLoader {
        returnFocusTo: dialogs.window
        id: loadDialog
        sourceComponent: FileDialog {
            objectName: "loadDialog"
            title: qsTr("Load configuration from a file")
            selectMultiple: false
            nameFilters: dialogs.configurationFilters
            selectedNameFilter: nameFilters[0]
            modality: Qt.ApplicationModal
            onAccepted: stateMachine.doLoadConfiguration(fileUrl)
        }
    }
    FileDialogLoader {
        returnFocusTo: dialogs.window
        id: supportArchiveDialog
        sourceComponent: FileDialog {
            objectName: "supportArchiveDialog"
            title: qsTr("Save support archive")
            selectExisting: false
            nameFilters: [qsTr("ZIP archives") + " (*.zip)", qsTr("All files") + " (*)"]
            selectedNameFilter: nameFilters[0]
            modality: Qt.ApplicationModal
            onAccepted: dialogs.packSupportArchiveTo(fileUrl)
        }
    }
}
