import QtQuick 2.15
import QtQuick.Controls 1.4
import "qrc:///themes/morvane/qml/."
import "qrc:///themes/morvane/theme.js" as Theme

// The program's window: so far only its frame, titled with the program's name.
ThemedApplicationWindow {
    id: mainWindow
    title: applicationName
    width: 1024
    height: 768
    minimumWidth: 800
    minimumHeight: 600
    visible: true

    Rectangle {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        height: 4
        color: Theme.themeDark
    }
}
