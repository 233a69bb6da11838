import QtQuick 2.15

// A secondary window the user dismisses: application-modal, of the fixed size
// its user sets as width and height, destroyed once closed. `dismissKeys`
// close it (a window that gives Return a meaning of its own leaves it out).
ThemedApplicationWindow {
    id: window

    property var dismissKeys: ["Esc", "Return", "Enter"]

    flags: Qt.Dialog
    modality: Qt.ApplicationModal
    minimumWidth: width
    minimumHeight: height
    maximumWidth: width
    maximumHeight: height

    // Closes once the key or click that asked for it has been delivered: the
    // window must not be torn down under its own input event.
    function dismiss() {
        Qt.callLater(window.close)
    }

    onClosing: destroy()

    Shortcut {
        sequences: window.dismissKeys
        onActivated: window.dismiss()
    }
}
