import QtQuick 2.15
import QtQuick.Layouts 1.15
import "theme.js" as Theme

// An application-modal question answered Yes or No, centred over the window
// that asked. No has the keyboard when the question opens, and Return answers
// with the button that has it: a reflexive Return never confirms a step that
// loses the user's work or the gateway's configuration. Esc and the title
// bar's close leave the question unanswered (`rejected`).
ThemedApplicationWindow {
    id: dialog

    property string text
    // The window the question is about; it takes the keys again afterwards,
    // which without a window manager nothing else would give back.
    property var returnFocusTo: null
    property bool answered: false

    signal yes()
    signal no()
    signal rejected()

    function open() {
        answered = false
        if (returnFocusTo)
            centreOver(returnFocusTo)
        show()
        requestActivate()
        noButton.forceActiveFocus()
    }
    // Closed before the answer is told: what the answer starts may open
    // another window, which must not end up behind this one.
    function answer(told) {
        answered = true
        close()
        told()
    }
    function reject() {
        answer(rejected)
    }

    flags: Qt.Dialog
    modality: Qt.ApplicationModal
    visible: false
    width: 460
    height: content.implicitHeight + 2 * content.anchors.margins
    minimumWidth: width
    maximumWidth: width
    minimumHeight: height
    maximumHeight: height

    onClosing: if (!answered) { answered = true; rejected() }
    onVisibleChanged: if (!visible && returnFocusTo) returnFocusTo.requestActivate()

    // A frame of its own: without a window manager nothing else sets the
    // question apart from the window it covers.
    Rectangle {
        anchors.fill: parent
        color: "transparent"
        border.color: Theme.themeDark
    }

    ColumnLayout {
        id: content
        anchors.fill: parent
        anchors.margins: 16
        spacing: 16
        Accessible.role: Accessible.Dialog
        Accessible.name: dialog.title
        Accessible.description: dialog.text

        // Keys reach here from the focused button, which takes only Space.
        Keys.onEscapePressed: dialog.reject()
        Keys.onReturnPressed: dialog.answer(yesButton.activeFocus ? dialog.yes : dialog.no)
        Keys.onEnterPressed: dialog.answer(yesButton.activeFocus ? dialog.yes : dialog.no)

        ThemedText {
            objectName: "questionText"
            Layout.fillWidth: true
            wrapMode: Text.WordWrap
            text: dialog.text
        }
        RowLayout {
            Layout.alignment: Qt.AlignRight
            spacing: 10
            ThemedButton {
                id: yesButton
                objectName: "questionYesButton"
                text: qsTr("Yes")
                onClicked: dialog.answer(dialog.yes)
            }
            ThemedButton {
                id: noButton
                objectName: "questionNoButton"
                text: qsTr("No")
                onClicked: dialog.answer(dialog.no)
            }
        }
    }
}
