import QtQuick 2.15
import QtQuick.Layouts 1.15
import QtQuick.Window 2.15
import kelbus.kit 1.0

// Picks the product a new configuration is made for, one line per product
// the drivers support.
ThemedDialogWindow {
    id: window
    objectName: "newConfigWindow"
    title: qsTr("New Configuration")
    width: Math.max(content.implicitWidth + 40, 300)
    height: content.implicitHeight + 40

    dismissKeys: ["Esc"]
    property int selectedIndex: -1

    function create() {
        if (selectedIndex < 0)
            return
        stateMachine.doNewConfiguration(deviceFactory.supportedDeviceProductIds[selectedIndex])
        dismiss()
    }

    Shortcut {
        sequences: ["Return", "Enter"]
        onActivated: window.create()
    }
    Shortcut {
        sequence: "Down"
        onActivated: window.selectedIndex = Math.min(window.selectedIndex + 1, deviceList.count - 1)
    }
    Shortcut {
        sequence: "Up"
        onActivated: window.selectedIndex = Math.max(window.selectedIndex - 1, 0)
    }

    ColumnLayout {
        id: content
        anchors.fill: parent
        anchors.margins: 20
        spacing: 10

        ThemedText {
            objectName: "selectDeviceLabel"
            text: qsTr("Select a Device")
            font.bold: true
        }

        Repeater {
            id: deviceList
            objectName: "deviceList"
            model: deviceFactory.supportedDeviceNames
            delegate: ThemedText {
                objectName: "device_" + index
                text: modelData
                color: index === window.selectedIndex ? Theme.themeBlack : Theme.themeGray
                Accessible.role: Accessible.ListItem
                Accessible.selected: index === window.selectedIndex
                Layout.fillWidth: true

                MouseArea {
                    anchors.fill: parent
                    onClicked: window.selectedIndex = index
                }
            }
        }

        Item {
            Layout.fillHeight: true
        }

        RowLayout {
            spacing: 10
            Layout.alignment: Qt.AlignRight

            ThemedButton {
                objectName: "createButton"
                text: qsTr("Create")
                enabled: window.selectedIndex >= 0
                onClicked: window.create()
            }
            ThemedButton {
                objectName: "cancelButton"
                text: qsTr("Cancel")
                onClicked: window.dismiss()
            }
        }
    }
}
