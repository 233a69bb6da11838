import QtQuick 2.15

// A configuration page: a themed page whose error box the field pieces reach
// through showError(title, text). Whoever creates the page hands it its
// `device`, the device whose configuration it edits, and the `session` with
// the connected gateway (null without one) for the commands a page offers.
ThemedPage {
    id: page

    property QtObject device: null
    property QtObject session: null

    function showError(title, text) {
        errorTitle = title
        errorText = text
        errorDialog.open()
    }

    readonly property bool errorShown: errorDialog.visible
}
