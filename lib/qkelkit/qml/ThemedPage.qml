import QtQuick 2.15
import QtQuick.Dialogs 1.3
import QtQuick.Window 2.15
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
        // The keys go back to the page the box was about, where the focus waits.
        onAccepted: {
            visible = false
            if (page.Window.window)
                page.Window.window.requestActivate()
        }
    }
}
