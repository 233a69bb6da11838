import QtQuick 2.15
import QtQuick.Window 2.15
import "fields.js" as Fields

// A labelled text field bound to one string property.
//   LabelledTextField { label: qsTr("SSID"); target: wlan; propertyName: "ssid"
//                       allowed: Fields.printable; maximumLength: 32 }
// Or without a target: set `value` and `bound`, handle `edited(text)`.
// The field's facts: `allowed` (what each character must match),
// `maximumLength`, `pattern` (what the whole text must match) and `accepts`
// (a further test). Every text can be typed; one that breaks a fact is never
// written: the field turns red, says why (`problem`) and the property keeps
// its value. Leaving such a field shows the reason and puts the focus back.
// Loading never writes; without a target the field is disabled and empty.
Row {
    id: root

    property alias label: caption.text
    property alias toolTip: caption.toolTip
    property alias labelWidth: caption.width
    property var target: null
    property string propertyName: ""
    property bool bound: !!target
    property string value: String(Fields.read(target, propertyName, ""))
    property alias text: field.text
    property var allowed: null
    property int maximumLength: -1
    property var pattern: null
    property var accepts: function(text) { return true }
    property string errorTitle: qsTr("Invalid Input Data")
    property string errorText: ""
    // Why the text in the field is not stored; empty while it is.
    readonly property string problem: enabled && Fields.shownOnPage(root) ? problemOf(field.text) : ""
    readonly property bool valid: problem === ""
    property alias echoMode: field.echoMode
    property alias field: field

    // Typed text that is not stored: Write and Save wait for it. A stored
    // text that breaks the rules is only marked: it is what the field shows.
    readonly property bool refused: !valid && field.text !== value
    readonly property string refusal: refused ? problem : ""

    signal edited(string text)

    function focusInput() {
        field.forceActiveFocus()
    }

    property bool syncing: false

    function problemOf(text) {
        var refused = Fields.refusedCharacters(text, allowed)
        if (refused !== "")
            return qsTr("The %1 cannot hold these characters: %2").arg(label).arg(refused)
        if (maximumLength >= 0 && text.length > maximumLength)
            return qsTr("The %1 holds at most %2 characters; this text has %3.").arg(label).arg(maximumLength).arg(text.length)
        if ((pattern && !Fields.matchesWhole(text, pattern)) || !accepts(text))
            return errorText !== "" ? errorText : qsTr("This text does not have the required form.")
        return ""
    }

    // Shows the stored text; a text that was refused gives way to it.
    function sync() {
        syncing = true
        field.text = value
        syncing = false
    }

    function write(text) {
        Fields.write(target, propertyName, text)
        edited(text)
    }

    // Only a focus that moved on inside the window means the user left the
    // field: when another window (a message box) takes the focus, the window
    // has no focus item, and a box of this field's own would open over that
    // one and block it, out of sight.
    function complain() {
        var page = Fields.pageOf(root)
        if (!page || page.errorShown || !page.visible || valid || !Window.activeFocusItem)
            return
        page.showError(errorTitle, problem)
        field.forceActiveFocus()
    }

    spacing: 10
    enabled: bound
    Accessible.name: label
    onValueChanged: if (field.text !== value) sync()
    // A field the page hides or disables (a mode switch, a correction) drops
    // refused text and shows what is stored again.
    onEnabledChanged: if (!enabled) sync()
    onVisibleChanged: if (!Fields.shownOnPage(root)) sync()
    onTargetChanged: sync()
    Component.onCompleted: sync()

    FieldLabel { id: caption; field: field; problem: root.problem }

    ThemedTextField {
        id: field
        objectName: root.objectName ? root.objectName + "Field" : ""
        Accessible.name: root.label
        Accessible.description: root.problem
        errorHighlight: !root.valid
        onTextChanged: {
            if (!root.syncing && root.bound && root.problemOf(text) === "" && text !== root.value)
                root.write(text)
        }
        // Checked once the focus has settled: leaving by a switch of tabs
        // hides the page, and its box must not appear over another one.
        onActiveFocusChanged: if (!activeFocus && !root.valid) Qt.callLater(root.complain)
    }
}
