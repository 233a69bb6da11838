import QtQuick 2.15

// A configuration page: a themed page whose error box the field pieces reach
// through showError(title, text).
ThemedPage {
    id: page

    function showError(title, text) {
        errorTitle = title
        errorText = text
        errorDialog.open()
    }

    readonly property bool errorShown: errorDialog.visible
}
