import QtQuick 2.15
import QtQuick.Window 2.15
import "fields.js" as Fields

// A labelled combo box that shows one property and writes it on the user's
// choice only.
//   BoundComboBox { label: qsTr("Protocol"); target: server; propertyName: "protocol"
//                   choices: Fields.named(SocketServer, [["TCP", "PROTOCOL__TCP"], ["UDP", "PROTOCOL__UDP"]]) }
// `choices` (from Fields.named) gives each entry's text and stored enumeration
// value; for lists that are no enumeration, `model` gives the texts and
// `values` the stored values (default: the entry's index);
// a stored value not listed shows `fallbackIndex` (-1: no selection). Without
// a target, bind `value` and `bound` and handle `chosen(value, index)`;
// `previousIndex` is the entry shown before the choice.
// Leaving the box while `valid` is false shows errorTitle / errorText.
Row {
    id: root

    property alias label: caption.text
    property alias toolTip: caption.toolTip
    property alias labelWidth: caption.width
    property var target: null
    property string propertyName: ""
    property bool bound: !!target
    property var value: Fields.read(target, propertyName, undefined)
    property var choices: null
    property alias model: box.model
    property var values: choices ? choices.map(function(c) { return c.value }) : null
    property int fallbackIndex: -1
    property bool valid: true
    property string errorTitle: ""
    property string errorText: ""
    property alias box: box
    readonly property int shownIndex: indexOf(value)

    signal chosen(var value, int index, int previousIndex)

    function indexOf(v) {
        if (!bound || v === undefined)
            return -1
        var i = values ? values.indexOf(Number(v)) : Number(v)
        return i >= 0 && i < box.count ? i : fallbackIndex
    }

    // The control assigns its own index when it completes and when its
    // entries change, which would drop a binding: the stored value is shown by hand.
    function show() {
        box.currentIndex = shownIndex
    }

    function showInvalid() {
        var page = Fields.pageOf(root)
        if (!valid && errorText !== "" && page && !page.errorShown)
            page.showError(errorTitle, errorText)
    }

    function showInvalidIfLeft() {
        if (Window.activeFocusItem)
            showInvalid()
    }

    spacing: 10
    enabled: bound
    model: choices ? choices.map(function(c) { return c.text }) : []
    Accessible.name: label
    onShownIndexChanged: show()

    FieldLabel { id: caption; field: box }

    ThemedComboBox {
        id: box
        objectName: root.objectName ? root.objectName + "Box" : ""
        // The name says what the box sets, the description what it shows.
        Accessible.name: root.label
        Accessible.description: root.valid || root.errorText === "" ? currentText : currentText + "\n" + root.errorText
        errorHighlight: root.enabled && !root.valid
        onCountChanged: root.show()
        onActivated: {
            var previous = root.shownIndex
            var v = root.values ? root.values[index] : index
            if (v === undefined)
                return
            Fields.write(root.target, root.propertyName, v)
            root.chosen(v, index, previous)
            root.show()
        }
        // Not when another window takes the focus: see LabelledTextField.
        onActiveFocusChanged: if (!activeFocus) Qt.callLater(root.showInvalidIfLeft)
    }
}
