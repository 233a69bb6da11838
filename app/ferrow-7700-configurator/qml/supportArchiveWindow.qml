import QtQuick 2.15
import QtQuick.Layouts 1.15
import kelbus.kit 1.0

// Asks, before the file is chosen, whether the archive may carry the
// gateway's passwords and PINs; it leaves them out unless the user says so.
ThemedDialogWindow {
    id: window
    objectName: "supportArchiveWindow"
    title: qsTr("Create Support Archive")
    width: 460
    height: content.implicitHeight + 40
    // Return chooses the file.
    dismissKeys: ["Esc"]

    // The main window's dialogs, which choose the file and pack the archive.
    property var dialogs

    // This window goes before the file dialog comes: a window under a modal
    // dialog refuses to close, and would stay open over the main window.
    function chooseFile() {
        Qt.callLater(openFileDialog)
    }
    function openFileDialog() {
        const includeSecretsChosen = includeSecrets.checked
        const mainDialogs = dialogs
        window.close()
        mainDialogs.chooseSupportArchiveFile(includeSecretsChosen)
    }
    // Takes the keyboard also where no window manager hands it over.
    onVisibleChanged: if (visible) requestActivate()

    Shortcut {
        sequences: ["Return", "Enter"]
        onActivated: window.chooseFile()
    }

    ColumnLayout {
        id: content
        anchors.fill: parent
        anchors.margins: 20
        spacing: 12

        ThemedText {
            objectName: "supportArchiveContents"
            text: qsTr("The archive holds the configuration being edited and a short description of this program and the device.")
            wrapMode: Text.WordWrap
            Layout.fillWidth: true
        }
        ThemedCheckBox {
            id: includeSecrets
            objectName: "includeSecretsCheckBox"
            text: qsTr("Include passwords and PINs")
            checked: false
            focus: true
            activeFocusOnTab: true
        }
        ThemedText {
            objectName: "includeSecretsNote"
            text: includeSecrets.checked
                  ? qsTr("Whoever receives the archive can read the WLAN key, the PEAP password and the Bluetooth PIN.")
                  : qsTr("The archived configuration has its passwords, keys and PINs replaced; the description names them. It cannot be written to a gateway until they are entered again.")
            wrapMode: Text.WordWrap
            Layout.fillWidth: true
        }
        RowLayout {
            spacing: 10
            Layout.alignment: Qt.AlignRight

            ThemedButton {
                objectName: "chooseArchiveFileButton"
                text: qsTr("Save as") + "..."
                activeFocusOnTab: true
                onClicked: window.chooseFile()
            }
            ThemedButton {
                objectName: "cancelButton"
                text: qsTr("Cancel")
                activeFocusOnTab: true
                onClicked: window.dismiss()
            }
        }
    }
}
