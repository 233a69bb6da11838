import QtQuick 2.15
import QtQuick.Layouts 1.15
import QtQuick.Window 2.15
import kelbus.kit 1.0

// Who made the program and which build is running.
ThemedDialogWindow {
    id: window
    objectName: "aboutWindow"
    title: qsTr("About") + " " + applicationName
    width: Math.max(content.implicitWidth + 40, 400)
    height: content.implicitHeight + 40

    ColumnLayout {
        id: content
        anchors.fill: parent
        anchors.margins: 20
        spacing: 10

        Image {
            objectName: "logo"
            source: Theme.themeIconLogoBig
            Accessible.name: organizationAboutName
            Accessible.role: Accessible.Graphic
            Layout.alignment: Qt.AlignHCenter
            Layout.bottomMargin: 10
        }
        ThemedText {
            objectName: "applicationNameLabel"
            text: applicationName
            font.bold: true
            font.pixelSize: Theme.themeFontPixelSizeLarge
            Layout.alignment: Qt.AlignHCenter
        }
        ThemedText {
            objectName: "versionLabel"
            text: qsTr("Version") + " " + applicationVersion
            Layout.alignment: Qt.AlignHCenter
        }
        ThemedText {
            objectName: "buildDateLabel"
            text: qsTr("Built on") + " " + applicationBuildDate
            Layout.alignment: Qt.AlignHCenter
        }
        ThemedText {
            objectName: "organizationLabel"
            text: "\u00a9 " + organizationAboutName
            Layout.alignment: Qt.AlignHCenter
        }
        ThemedButton {
            objectName: "closeButton"
            text: qsTr("Close")
            Layout.alignment: Qt.AlignHCenter
            Layout.topMargin: 10
            onClicked: window.dismiss()
        }
    }
}
