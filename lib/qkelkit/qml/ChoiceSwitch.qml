import QtQuick 2.15
import QtQuick.Controls 1.4

// Two radio buttons for a page-local choice, "hexadecimal" / "decimal" unless
// other texts are given; `chosen(first)` reports the user's choice.
//   ChoiceSwitch { first: page.hexadecimal; onChosen: page.hexadecimal = first }
Row {
    id: choice

    property bool first: true
    property string firstText: qsTr("hexadecimal")
    property string secondText: qsTr("decimal")
    property string firstName: "hexadecimalButton"
    property string secondName: "decimalButton"
    signal chosen(bool first)

    spacing: 20

    ExclusiveGroup { id: choices }

    ThemedRadioButton {
        objectName: choice.firstName
        text: choice.firstText
        exclusiveGroup: choices
        checked: choice.first
        onClicked: choice.chosen(true)
    }

    ThemedRadioButton {
        objectName: choice.secondName
        text: choice.secondText
        exclusiveGroup: choices
        checked: !choice.first
        onClicked: choice.chosen(false)
    }
}
