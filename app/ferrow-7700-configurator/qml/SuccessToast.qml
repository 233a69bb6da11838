import QtQuick 2.15
import kelbus.kit 1.0

// A short notice: a new text shows it for two seconds, then it fades out and
// forgets the text.
Rectangle {
    id: toast
    property alias text: label.text

    // A long path is shortened in the middle rather than run off the window.
    width: Math.min(label.implicitWidth, parent.width - 60) + 20
    height: label.implicitHeight + 12
    radius: 5
    color: Theme.themeBlack
    opacity: 0
    visible: opacity > 0
    z: 100
    Accessible.role: Accessible.AlertMessage
    Accessible.name: text

    // Showing the same text again restarts its two seconds.
    function show(message) {
        if (message === text)
            appear()
        text = message
    }
    function appear() {
        fade.stop()
        opacity = 0.9
        hold.restart()
    }

    onTextChanged: if (text !== "") appear()

    Timer {
        id: hold
        interval: 2000
        onTriggered: fade.start()
    }
    NumberAnimation {
        id: fade
        target: toast
        property: "opacity"
        to: 0
        duration: 1000
        onFinished: label.text = ""
    }
    ThemedElidedText {
        id: label
        anchors.centerIn: parent
        width: toast.width - 20
        toolTipAbove: toast.parent
        color: Theme.themeWhite
        Accessible.ignored: true
    }
}
