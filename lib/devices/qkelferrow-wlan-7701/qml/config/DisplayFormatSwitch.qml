import QtQuick 2.15
import QtQuick.Controls 1.4

// The "hexadecimal" / "decimal" choice of a page's number display format.
Row {
    id: formatSwitch

    property bool hexadecimal: true
    signal chosen(bool hexadecimal)

    spacing: 20

    ExclusiveGroup { id: formats }

    RadioButton {
        objectName: "hexadecimalButton"
        text: qsTr("hexadecimal")
        Accessible.name: text
        exclusiveGroup: formats
        checked: formatSwitch.hexadecimal
        onClicked: formatSwitch.chosen(true)
    }

    RadioButton {
        objectName: "decimalButton"
        text: qsTr("decimal")
        Accessible.name: text
        exclusiveGroup: formats
        checked: !formatSwitch.hexadecimal
        onClicked: formatSwitch.chosen(false)
    }
}
