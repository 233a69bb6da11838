import QtQuick 2.15
import "qrc:///themes/morvane/qml/."
import "fields.js" as Fields
import "numberFormat.js" as NumberFormat

// A labelled spin box bound to one number property, written when the user
// changes the number (never on load or when the target changes, which only
// clamp the shown number: writes need the box to have the focus).
//   LabelledSpinBox { label: qsTr("Port number"); target: server; propertyName: "port"
//                     minimumValue: 1; maximumValue: 65535 }
// `hexadecimal` shows the number in base 16 with "0x". Without a target, bind
// `value` and `bound` and handle `edited(value)`.
Row {
    id: root

    property alias label: caption.text
    property alias toolTip: caption.toolTip
    property alias labelWidth: caption.width
    property var target: null
    property string propertyName: ""
    property bool bound: !!target
    property real value: Number(Fields.read(target, propertyName, 0))
    property alias minimumValue: spin.minimumValue
    property alias maximumValue: spin.maximumValue
    property alias decimals: spin.decimals
    property alias stepSize: spin.stepSize
    property bool hexadecimal: false
    property alias suffix: spin.suffix
    property alias spinBox: spin

    signal edited(real value)

    property bool syncing: false

    function sync() {
        syncing = true
        spin.value = value
        syncing = false
    }

    spacing: 10
    enabled: bound
    Accessible.name: label
    onValueChanged: sync()
    onTargetChanged: sync()

    FieldLabel { id: caption }

    ThemedSpinBox {
        id: spin
        objectName: root.objectName ? root.objectName + "Spin" : ""
        Accessible.name: root.label
        maximumValue: 65535
        radix: NumberFormat.radix(root.hexadecimal)
        prefix: NumberFormat.prefix(root.hexadecimal)
        Component.onCompleted: root.sync()
        onValueChanged: {
            if (root.syncing || !root.bound || !activeFocus || value === root.value)
                return
            Fields.write(root.target, root.propertyName, value)
            root.edited(value)
        }
    }
}
