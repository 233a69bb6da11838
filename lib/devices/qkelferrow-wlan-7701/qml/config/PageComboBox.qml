import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQml 2.15

// A combo box whose index is one enumeration property of a wrapper; only the
// user's choice writes. With no wrapper it shows disabled.
ComboBox {
    id: box

    property QtObject target: null
    property string propertyName
    property string label

    enabled: target !== null
    implicitWidth: 175
    Accessible.name: label

    Binding on currentIndex {
        restoreMode: Binding.RestoreBinding
        value: box.target && box.target[box.propertyName] !== undefined ? box.target[box.propertyName] : -1
    }

    onActivated: if (target) target[propertyName] = index
}
