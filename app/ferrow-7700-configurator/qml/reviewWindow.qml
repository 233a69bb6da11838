import QtQuick 2.15
import QtQuick.Layouts 1.15
import kelbus.kit 1.0

// Shown before a write: every leaf the write would change on the connected
// gateway, against what the gateway reported in this connection. Return
// writes, Esc cancels; nothing is sent until Write is chosen.
ThemedApplicationWindow {
    id: window
    objectName: "reviewWindow"
    title: qsTr("Review Write to Device")
    flags: Qt.Dialog
    modality: Qt.ApplicationModal
    width: 760
    height: 420
    minimumWidth: 420
    minimumHeight: 200

    readonly property alias changeCount: changes.count
    readonly property bool deviceKnown: stateMachine.hasDeviceConfiguration

    function write() {
        stateMachine.doWriteDeviceConfiguration()
        dismiss()
    }
    // Closes once the key or click that asked for it has been delivered.
    function dismiss() {
        Qt.callLater(window.close)
    }

    onClosing: destroy()
    Component.onCompleted: {
        var rows = stateMachine.compareWithDevice()
        for (var i = 0; i < rows.length; ++i)
            changes.append(rows[i])
        writeButton.forceActiveFocus()
    }

    ListModel { id: changes }

    // A review of a session that ended has nothing left to write to.
    Connections {
        target: stateMachine
        function onConnectedChanged(connected) {
            if (!connected)
                window.dismiss()
        }
    }

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: 10
        spacing: 10
        Accessible.role: Accessible.Dialog
        Accessible.name: window.title
        Accessible.description: summary.text

        // The keys reach here from the focused button, which takes only Space:
        // Esc cancels, Return acts on Cancel when the user moved there and
        // writes otherwise.
        Keys.onEscapePressed: window.dismiss()
        Keys.onReturnPressed: cancelButton.activeFocus ? window.dismiss() : window.write()
        Keys.onEnterPressed: cancelButton.activeFocus ? window.dismiss() : window.write()

        ThemedText {
            id: summary
            objectName: "reviewSummary"
            Layout.fillWidth: true
            // Alone in the window when there is no list under it.
            Layout.fillHeight: changes.count === 0
            horizontalAlignment: changes.count === 0 ? Text.AlignHCenter : Text.AlignLeft
            verticalAlignment: Text.AlignVCenter
            wrapMode: Text.WordWrap
            text: !window.deviceKnown ? qsTr("What the device holds is not known, so the changes cannot be listed.")
                : changes.count === 0 ? qsTr("The configuration to be written does not differ from what the device holds.")
                : changes.count === 1 ? qsTr("Writing changes 1 setting on the device:")
                : qsTr("Writing changes %1 settings on the device:").arg(changes.count)
        }

        DifferenceTable {
            objectName: "changeTable"
            Accessible.name: qsTr("Changes")
            Layout.fillWidth: true
            Layout.fillHeight: true
            visible: changes.count > 0
            model: changes
            deviceTitle: qsTr("On the device")
            editorTitle: qsTr("To be written")
        }

        RowLayout {
            Layout.alignment: Qt.AlignRight
            spacing: 10
            ThemedButton {
                id: writeButton
                objectName: "reviewWriteButton"
                text: changes.count === 0 ? qsTr("Write anyway") : qsTr("Write")
                onClicked: window.write()
            }
            ThemedButton {
                id: cancelButton
                objectName: "reviewCancelButton"
                text: qsTr("Cancel")
                onClicked: window.dismiss()
            }
        }
    }
}
