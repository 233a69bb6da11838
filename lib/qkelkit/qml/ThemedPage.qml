import QtQuick 2.15
import QtQuick.Dialogs 1.3
import "theme.js" as Theme

// A white page filling its parent, with its own error dialog.
Rectangle {
    id: page
    property alias errorTitle: pageErrorDialog.title
    property alias errorText: pageErrorDialog.text
    property alias errorDialog: pageErrorDialog

    anchors.fill: parent
    color: Theme.themeWhite

    MessageDialog {
        id: pageErrorDialog
        objectName: "pageErrorDialog"
        icon: StandardIcon.Critical
        standardButtons: StandardButton.Ok
        modality: Qt.ApplicationModal
        onAccepted: visible = false
    }
}
