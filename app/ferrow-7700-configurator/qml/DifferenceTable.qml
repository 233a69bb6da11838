import QtQuick 2.15
import kelbus.kit 1.0

// The leaves in which two configurations differ, one row each, as
// stateMachine.compareWithDevice() lists them: the path, the value on the
// device and the value of the editor's configuration.
ThemedTableView {
    property string deviceTitle: qsTr("Device value")
    property string editorTitle: qsTr("Editor value")

    ThemedTableViewColumn { role: "path"; title: qsTr("Path"); width: 340 }
    ThemedTableViewColumn { role: "deviceValue"; title: deviceTitle; width: 180 }
    ThemedTableViewColumn { role: "editorValue"; title: editorTitle; width: 180 }
}
