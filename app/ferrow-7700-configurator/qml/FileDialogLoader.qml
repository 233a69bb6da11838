import QtQuick 2.15

// A file dialog made when it is first wanted: made at start-up, the main
// window's file dialogs cost about a tenth of the time to its first frame.
Loader {
    id: loader
    active: false
    // The window that takes the keys again once the dialog is closed: without
    // a window manager nothing else gives it the focus back.
    property var returnFocusTo: null

    Connections {
        target: loader.item
        function onVisibilityChanged() {
            // Asked once the dialog has finished closing.
            if (!loader.item.visible && loader.returnFocusTo)
                Qt.callLater(loader.returnFocusTo.requestActivate)
        }
    }

    function dialog() {
        active = true
        return item
    }
    function open() {
        dialog().open()
    }
}
