import QtQuick.Dialogs 1.3

// An application-modal message the user acknowledges.
MessageDialog {
    // The window that takes the keys again once the box is closed: without a
    // window manager nothing else gives it the focus back.
    property var returnFocusTo: null

    standardButtons: StandardButton.Ok
    modality: Qt.ApplicationModal
    onVisibleChanged: if (!visible && returnFocusTo) returnFocusTo.requestActivate()
}
