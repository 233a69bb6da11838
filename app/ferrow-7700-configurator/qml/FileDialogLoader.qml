import QtQuick 2.15

// A file dialog made when it is first wanted: made at start-up, the main
// window's file dialogs cost about a tenth of the time to its first frame.
Loader {
    active: false

    function dialog() {
        active = true
        return item
    }
    function open() {
        dialog().open()
    }
}
