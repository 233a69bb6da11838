import QtQuick 2.15
import QtQuick.Layouts 1.15
import kelbus.kit 1.0

// What a write would change: every leaf in which the editor's configuration
// differs from what the device held at the last read of this connection.
ThemedApplicationWindow {
    id: window
    objectName: "compareWindow"
    title: qsTr("Compare with device")
    width: 760
    height: 420
    minimumWidth: 420
    minimumHeight: 200

    readonly property alias differenceCount: differences.count

    // Takes the differences anew; the window shows them as of this call.
    function refresh() {
        differences.clear()
        var rows = stateMachine.compareWithDevice()
        for (var i = 0; i < rows.length; ++i)
            differences.append(rows[i])
    }

    onVisibleChanged: if (visible) refresh()

    ListModel { id: differences }

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: 10
        spacing: 10

        DifferenceTable {
            objectName: "differenceTable"
            Accessible.name: qsTr("Differences")
            Layout.fillWidth: true
            Layout.fillHeight: true
            visible: differences.count > 0
            model: differences
        }

        ThemedText {
            objectName: "noDifferences"
            Layout.fillWidth: true
            Layout.fillHeight: true
            visible: differences.count === 0
            text: qsTr("No differences")
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }

        ThemedButton {
            objectName: "compareCloseButton"
            Layout.alignment: Qt.AlignRight
            text: qsTr("Close")
            onClicked: window.close()
        }
    }

    Shortcut {
        sequences: [StandardKey.Cancel]
        onActivated: window.close()
    }
}
