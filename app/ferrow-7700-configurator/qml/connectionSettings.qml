import QtQuick 2.15
import QtQuick.Layouts 1.15
import QtQuick.Window 2.15
import kelbus.kit 1.0

// The interface and the current provider's own settings, each row edited by
// the control its setting type asks for; every edit goes straight to the setting.
ThemedDialogWindow {
    id: window
    objectName: "connectionSettingsWindow"
    title: qsTr("Connection Settings")
    width: content.implicitWidth + 20
    height: content.implicitHeight + 20

    readonly property var provider: commsHandler.currentProvider
    readonly property var settings: provider ? provider.settings : []
    // A session keeps the port it was opened on until it ends.
    readonly property bool sessionOpen: stateMachine.connected || stateMachine.busy

    // Adapters plugged in or pulled while the window is open show up here.
    Timer {
        interval: 2000
        repeat: true
        running: true
        triggeredOnStart: true
        onTriggered: commsHandler.refreshPorts()
    }

    ColumnLayout {
        id: content
        x: 10
        y: 10
        spacing: 10

        GridLayout {
            columns: 2
            columnSpacing: 10
            rowSpacing: 10

            ThemedText {
                objectName: "interfaceLabel"
                visible: commsHandler.providerTypes.length > 1
                text: qsTr("Interface") + ":"
                Layout.alignment: Qt.AlignRight | Qt.AlignVCenter
            }
            ThemedComboBox {
                objectName: "interfaceField"
                visible: commsHandler.providerTypes.length > 1
                Accessible.name: qsTr("Interface")
                enabled: !window.sessionOpen
                model: commsHandler.providerTypes
                currentIndex: commsHandler.providerTypes.indexOf(commsHandler.currentProviderType)
                onActivated: commsHandler.currentProviderType = commsHandler.providerTypes[index]
            }

            ThemedText {
                objectName: "settingsLabel"
                visible: window.settings.length > 0
                text: qsTr("Settings") + ":"
                font.bold: true
                Layout.columnSpan: 2
            }

            Repeater {
                model: window.settings
                delegate: ThemedText {
                    objectName: "settingLabel_" + modelData.name
                    text: modelData.name
                    horizontalAlignment: Text.AlignRight
                    Layout.row: 2 + index
                    Layout.column: 0
                    Layout.fillWidth: true
                    Layout.alignment: Qt.AlignRight | Qt.AlignVCenter
                }
            }
            Repeater {
                model: window.settings
                // The editor's components live in the delegate, so they see its setting.
                delegate: Item {
                    readonly property var setting: modelData
                    implicitWidth: editor.implicitWidth
                    implicitHeight: editor.implicitHeight
                    Layout.row: 2 + index
                    Layout.column: 1

                    Loader {
                        id: editor
                        sourceComponent: [boolEditor, textEditor, comboEditor][setting.type] || null
                    }
                    Component {
                        id: boolEditor
                        ThemedCheckBox {
                            objectName: "settingField_" + setting.name
                            Accessible.name: setting.name
                            checked: setting.value === true
                            onClicked: setting.value = checked
                        }
                    }
                    Component {
                        id: textEditor
                        ThemedTextField {
                            objectName: "settingField_" + setting.name
                            width: 300
                            Accessible.name: setting.name
                            text: setting.value === undefined ? "" : String(setting.value)
                            onTextChanged: setting.value = text
                        }
                    }
                    Component {
                        id: comboEditor
                        // The choice's description beside it tells two adapters apart.
                        RowLayout {
                            spacing: 10
                            // A choice no longer offered (an unplugged adapter) stays
                            // chosen: it is shown first, marked, and every offered one
                            // can still be picked instead.
                            readonly property bool choiceAbsent: setting.value !== undefined && setting.value !== ""
                                                                 && setting.comboValues.indexOf(setting.value) < 0
                            ThemedComboBox {
                                id: combo
                                objectName: "settingField_" + setting.name
                                // Port paths can be long; the user has to tell them apart.
                                Layout.preferredWidth: 300
                                Accessible.name: setting.name
                                enabled: !window.sessionOpen
                                model: parent.choiceAbsent ? [setting.value].concat(setting.comboValues) : setting.comboValues
                                onModelChanged: currentIndex = model.indexOf(setting.value)
                                onActivated: setting.value = model[index]
                                Connections {
                                    target: setting
                                    function onValueChanged() { combo.currentIndex = combo.model.indexOf(setting.value) }
                                }
                            }
                            ThemedText {
                                objectName: "settingDescription_" + setting.name
                                text: parent.choiceAbsent && combo.currentIndex === 0 ? qsTr("not plugged in")
                                      : setting.comboDescriptions[combo.currentIndex - (parent.choiceAbsent ? 1 : 0)] || ""
                                visible: text !== ""
                                Accessible.name: text
                                Accessible.role: Accessible.StaticText
                            }
                        }
                    }
                }
            }
        }

        ThemedText {
            objectName: "sessionOpenNote"
            visible: window.sessionOpen
            text: qsTr("Disconnect to choose another port.")
            Accessible.name: text
            Accessible.role: Accessible.StaticText
        }
        ThemedButton {
            objectName: "closeButton"
            text: qsTr("Close")
            Layout.alignment: Qt.AlignRight
            onClicked: window.dismiss()
        }
    }
}
