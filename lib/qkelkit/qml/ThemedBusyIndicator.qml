import QtQuick 2.15
import "theme.js" as Theme

// The busy icon turning once every 800 ms, fading in and out.
Image {
    id: indicator
    property bool running: visible
    width: 64
    height: 64
    source: Theme.themeIconBusy
    sourceSize: Qt.size(64, 64)
    opacity: running ? 1 : 0
    Accessible.name: qsTr("Busy")
    Accessible.role: Accessible.Animation

    Behavior on opacity { NumberAnimation { duration: 250 } }

    RotationAnimator on rotation {
        from: 0
        to: 360
        duration: 800
        loops: Animation.Infinite
        running: indicator.opacity > 0
    }
}
