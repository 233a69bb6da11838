import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQml 2.15

// A check box that follows one flag of a wrapper and writes it when the user
// toggles it; with no wrapper it shows disabled and unchecked.
CheckBox {
    id: box

    property QtObject target: null
    property string propertyName

    enabled: target !== null
    Accessible.name: text

    Binding on checked {
        restoreMode: Binding.RestoreBinding
        value: box.target ? box.target[box.propertyName] === true : false
    }

    onClicked: if (target) target[propertyName] = checked
}
