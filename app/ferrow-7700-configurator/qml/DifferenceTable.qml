import QtQuick 2.15
import QtQuick.Controls 1.4
import "qrc:///themes/morvane/qml/."

// The leaves in which two configurations differ, one row each, as
// stateMachine.compareWithDevice() lists them: the path, the value on the
// device and the value of the editor's configuration.
ThemedTableView {
    property string deviceTitle: qsTr("Device value")
    property string editorTitle: qsTr("Editor value")

    TableViewColumn { role: "path"; title: qsTr("Path"); width: 340 }
    TableViewColumn { role: "deviceValue"; title: deviceTitle; width: 180 }
    TableViewColumn { role: "editorValue"; title: editorTitle; width: 180 }
}
