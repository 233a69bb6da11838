import QtQuick 2.15
import "qrc:///themes/morvane/qml/."
import "fields.js" as Fields

// A labelled text field bound to one string property.
//   LabelledTextField { label: qsTr("SSID"); target: wlan; propertyName: "ssid"
//                       pattern: /[\x20-\x7E]{0,32}/ }
// Or without a target: set `value` and `bound`, handle `edited(text)`.
// Only input that can still match `pattern` is typed; the text is written on
// every user change that `accepts(text)` (a test of the typed text), else
// the field turns red and the property keeps its value. Leaving an invalid
// field shows errorTitle / errorText and puts the focus back. Loading never
// writes; without a target the field is disabled and empty.
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
    property var pattern: /.*/
    // Asked on every change rather than bound, so that a write never sees the
    // verdict on the previous text.
    property var accepts: function(text) { return true }
    readonly property bool valid: accepts(field.text)
    property string errorTitle: qsTr("Invalid Input Data")
    property string errorText: ""
    property alias echoMode: field.echoMode
    property alias maximumLength: field.maximumLength
    property alias field: field

    signal edited(string text)

    property bool syncing: false

    function sync() {
        syncing = true
        field.text = value
        syncing = false
    }

    function write(text) {
        Fields.write(target, propertyName, text)
        edited(text)
    }

    spacing: 10
    enabled: bound
    Accessible.name: label
    onValueChanged: if (field.text !== value) sync()
    onTargetChanged: sync()
    Component.onCompleted: sync()

    FieldLabel { id: caption }

    ThemedTextField {
        id: field
        objectName: root.objectName ? root.objectName + "Field" : ""
        Accessible.name: root.label
        validator: RegExpValidator { regExp: root.pattern }
        errorHighlight: root.enabled && !root.valid
        onTextChanged: {
            if (!root.syncing && root.bound && root.accepts(text) && text !== root.value)
                root.write(text)
        }
        onActiveFocusChanged: {
            if (activeFocus || root.valid || !root.enabled || root.errorText === "")
                return
            var page = Fields.pageOf(root)
            if (!page || page.errorShown)
                return
            page.showError(root.errorTitle, root.errorText)
            Qt.callLater(field.forceActiveFocus)
        }
    }
}
