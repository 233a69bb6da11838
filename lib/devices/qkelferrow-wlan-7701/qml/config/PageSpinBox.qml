import QtQuick 2.15
import "qrc:///themes/morvane/qml/."
import "numberFormat.js" as NumberFormat

// A spin box bound to one number property of a wrapper. It shows the stored
// value in the page's display format and writes what the user sets; with no
// wrapper it shows disabled and writes nowhere.
ThemedSpinBox {
    id: box

    property QtObject target: null
    property string propertyName
    property string label
    property bool hexadecimal: false
    readonly property var stored: target && target[propertyName] !== undefined ? target[propertyName] : 0

    enabled: target !== null
    radix: NumberFormat.radix(hexadecimal)
    prefix: NumberFormat.prefix(hexadecimal)
    value: stored
    Accessible.name: label

    onValueChanged: if (target && value !== stored) target[propertyName] = value
}
