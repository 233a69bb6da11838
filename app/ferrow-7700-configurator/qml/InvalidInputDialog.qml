import QtQuick 2.15
import kelbus.kit 1.0

// Stands between Write or Save and the session while a page holds input that
// is not stored: it names the fields (page and label) and, on request, goes
// to the first one. The pages of the device view say which fields those are
// through invalidFields() and showField(field).
//   InvalidInputDialog { id: check; pages: window.deviceConfigurationLoader.item }
//   onTriggered: if (check.passes()) stateMachine.doWriteDeviceConfiguration()
ThemedQuestionDialog {
    id: dialog
    objectName: "invalidInputDialog"

    property var pages: null
    property var fields: []

    // True when nothing stands in the way; otherwise the user is told.
    function passes() {
        fields = pages && typeof pages.invalidFields === "function" ? pages.invalidFields() : []
        if (fields.length === 0)
            return true
        var lines = fields.map(function(f) { return "• " + f.page + " – " + f.label + ": " + f.problem })
        text = qsTr("These fields hold input that is not stored:") + "\n\n" + lines.join("\n") + "\n\n"
               + qsTr("Nothing was written or saved. Correct the input or take back the change, then try again.")
               + "\n\n" + qsTr("Go to the first field now?")
        open()
        return false
    }

    title: qsTr("Invalid Input")
    onYes: if (fields.length > 0 && pages) pages.showField(fields[0])
}
