import QtQuick 2.15
import "fields.js" as Fields
import "numberText.js" as NumberText

// A labelled spin box bound to one number property, written on every change
// the user makes (typing, keys, wheel, step buttons), never on load.
//   LabelledSpinBox { label: qsTr("Port number"); target: server; propertyName: "port"
//                     minimumValue: 1; maximumValue: 65535 }
// `hexadecimal` shows the number in base 16 with "0x"; `bitWidth` is the
// width of a signed field, whose negative values hexadecimal shows as their
// bit pattern. Without a target, bind `value` and `bound` and handle
// `edited(value)`.
// A stored value outside the range is shown as it is, marked red, and kept
// until the user edits it; an edit then clamps it into the range.
Row {
    id: root

    property alias label: caption.text
    property alias toolTip: caption.toolTip
    property alias labelWidth: caption.width
    property var target: null
    property string propertyName: ""
    property bool bound: !!target
    property real value: Number(Fields.read(target, propertyName, 0))
    property real minimumValue: 0
    property real maximumValue: 65535
    property alias decimals: spin.decimals
    property alias stepSize: spin.stepSize
    property bool hexadecimal: false
    property int bitWidth: 0
    property alias suffix: spin.suffix
    property alias spinBox: spin
    readonly property bool outOfRange: bound && (value < minimumValue || value > maximumValue)
    // A typed number that is not the stored one (past the range, empty):
    // Write and Save wait until the edit ends.
    readonly property bool refused: bound && enabled && !spin.acceptableInput
    readonly property string refusal: refused ? qsTr("The typed number is not the stored value %1.").arg(spin.valueText) : ""
    // A stored value the shown one stands for but does not equal, told by
    // the page (the field is marked until they agree).
    property string warning: ""
    // What keeps the shown text from being a stored value in range, for the user.
    readonly property string problem: refusal !== "" ? refusal
        : outOfRange && enabled ? qsTr("The stored value %1 is outside the range %2 to %3.")
                                  .arg(spin.valueText).arg(rangeText(minimumValue)).arg(rangeText(maximumValue))
        : enabled ? warning : ""

    signal edited(real value)

    function focusInput() {
        spin.forceActiveFocus()
    }

    function rangeText(v) {
        return NumberText.text(v < 0 && hexadecimal && bitWidth > 0 ? v + Math.pow(2, bitWidth) : v, hexadecimal)
    }

    // The box's own range is widened to a stored value outside it, so that
    // the value is shown unchanged rather than clamped behind the user's back.
    function sync() {
        if (!completed)
            return
        spin.minimumValue = Math.min(minimumValue, value)
        spin.maximumValue = Math.max(maximumValue, value)
        spin.value = value
    }

    function write() {
        var v = Math.min(Math.max(spin.value, minimumValue), maximumValue)
        if (v !== value) {
            Fields.write(target, propertyName, v)
            edited(v)
        }
        sync()
    }

    spacing: 10
    enabled: bound
    Accessible.name: label
    // Bindings settle before the first sync: a handler run while they are
    // evaluated would read a value that is still being computed.
    property bool completed: false
    Component.onCompleted: {
        completed = true
        sync()
    }
    onValueChanged: sync()
    onMinimumValueChanged: sync()
    onMaximumValueChanged: sync()

    FieldLabel { id: caption; field: spin; problem: root.problem }

    ThemedSpinBox {
        id: spin
        objectName: root.objectName ? root.objectName + "Spin" : ""
        Accessible.name: root.label
        Accessible.description: root.problem
        radix: NumberText.radix(root.hexadecimal)
        prefix: NumberText.prefix(root.hexadecimal)
        // Only a signed field shows negative values as a bit pattern: a
        // negative value stored in an unsigned one keeps its sign, so that it
        // cannot pass for a valid unsigned number.
        bitWidth: root.minimumValue < 0 ? root.bitWidth : 0
        errorHighlight: root.problem !== ""
        onValueModified: if (root.bound) root.write()
    }
}
