import QtQuick.Dialogs 1.3

// An application-modal question answered Yes or No; Esc and closing count as No.
MessageDialog {
    // The window that takes the keys again once the box is closed: without a
    // window manager nothing else gives it the focus back.
    property var returnFocusTo: null

    icon: StandardIcon.Warning
    standardButtons: StandardButton.Yes | StandardButton.No
    modality: Qt.ApplicationModal
    onVisibleChanged: if (!visible && returnFocusTo) returnFocusTo.requestActivate()
}
