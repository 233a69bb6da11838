import QtQuick.Dialogs 1.3

// An application-modal question answered Yes or No; Esc and closing count as No.
MessageDialog {
    icon: StandardIcon.Warning
    standardButtons: StandardButton.Yes | StandardButton.No
    modality: Qt.ApplicationModal
}
