import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Controls.Private 1.0
import kelbus.kit 1.0

// A spin box around a text input whose CustomSpinBoxValidator holds the value,
// so that numbers can be shown and typed in decimal or in another radix.
// A style's panel may provide margins, upRect, downRect, font, colours and
// alignments; without a style the step areas take the right-hand quarter of
// the control.
// `valueModified()` reports every change the user makes (typing, the arrow
// keys, PageUp/PageDown, the wheel, the step buttons), and only those: bind
// the stored value to `value` and write it back on `valueModified`.
Control {
    id: spinbox

    property alias value: validator.value
    property alias minimumValue: validator.minimumValue
    property alias maximumValue: validator.maximumValue
    property alias stepSize: validator.stepSize
    property alias suffix: validator.suffix
    property alias prefix: validator.prefix
    property alias decimals: validator.decimals
    property alias radix: validator.radix
    property alias bitWidth: validator.bitWidth
    // The value's own text, whatever is being typed.
    readonly property alias valueText: validator.text
    // False while the typed text is not the value the box holds (a number
    // past the range, an empty text): the edit's end replaces it.
    readonly property alias acceptableInput: input.acceptableInput
    property alias font: input.font
    property bool activeFocusOnPress: true
    property int horizontalAlignment: __panel ? __panel.horizontalAlignment : Qt.AlignLeft
    readonly property bool hovered: wheelArea.containsMouse || input.containsMouse
                                    || upArea.containsMouse || downArea.containsMouse

    signal editingFinished()
    signal valueModified()

    activeFocusOnTab: true
    Accessible.name: input.text
    Accessible.role: Accessible.SpinBox

    function selectValue() {
        input.select(prefix.length, input.text.length - suffix.length)
    }

    // A step starts from the value the box holds, so a typed text past the
    // range is replaced by the stepped value.
    function step(up, steps) {
        validator.value = validator.value + (up ? 1 : -1) * (steps || 1) * validator.stepSize
        input.text = validator.text
        if (activeFocus)
            selectValue()
        valueModified()
    }

    // The wheel steps only a box that has the focus, so that scrolling a
    // page past it changes nothing; the text and the buttons lie above the
    // wheel area and pass their wheel events here too.
    function wheelStep(wheel) {
        if (!activeFocus) {
            wheel.accepted = false
            return
        }
        step(wheel.angleDelta.y > 0)
    }

    function finishEdit() {
        input.text = validator.text
    }

    function panelRect(name, fallback) {
        return __panel && __panel[name] !== undefined ? __panel[name] : fallback
    }

    readonly property bool __stepControlsShown: spinbox.showControls !== false

    __styleData: QtObject {
        readonly property bool upEnabled: spinbox.value != spinbox.maximumValue
        readonly property bool downEnabled: spinbox.value != spinbox.minimumValue
        readonly property bool upPressed: upArea.pressed
        readonly property bool downPressed: downArea.pressed
        readonly property bool upHovered: upArea.containsMouse
        readonly property bool downHovered: downArea.containsMouse
        readonly property int contentHeight: Math.max(input.implicitHeight, 16)
        readonly property real contentWidth: Math.max(maximumMetrics.width, minimumMetrics.width)
    }

    TextMetrics {
        id: maximumMetrics
        font: input.font
        text: spinbox.prefix + spinbox.maximumValue.toFixed(spinbox.decimals) + spinbox.suffix
    }

    TextMetrics {
        id: minimumMetrics
        font: input.font
        text: spinbox.prefix + spinbox.minimumValue.toFixed(spinbox.decimals) + spinbox.suffix
    }

    onActiveFocusChanged: if (activeFocus) selectValue()

    Keys.onUpPressed: step(true)
    Keys.onDownPressed: step(false)
    Keys.onPressed: {
        if (event.key === Qt.Key_PageUp || event.key === Qt.Key_PageDown) {
            step(event.key === Qt.Key_PageUp, 10)
            event.accepted = true
        }
    }

    MouseArea {
        id: wheelArea
        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.NoButton
        onWheel: spinbox.wheelStep(wheel)
    }

    TextInput {
        id: input
        objectName: "input"

        readonly property bool containsMouse: inputHover.containsMouse
        property var margins: spinbox.__panel ? spinbox.__panel.margins : null

        anchors.fill: parent
        anchors.leftMargin: margins ? margins.left : 0
        anchors.rightMargin: margins ? margins.right : parent.width / 4
        anchors.topMargin: margins ? margins.top : 0
        anchors.bottomMargin: margins ? margins.bottom : 0
        clip: contentWidth > width
        focus: true
        activeFocusOnPress: spinbox.activeFocusOnPress
        selectByMouse: true
        inputMethodHints: Qt.ImhFormattedNumbersOnly
        horizontalAlignment: spinbox.horizontalAlignment
        verticalAlignment: spinbox.__panel ? spinbox.__panel.verticalAlignment : Qt.AlignVCenter
        color: spinbox.__panel ? spinbox.__panel.foregroundColor : "black"
        selectionColor: spinbox.__panel ? spinbox.__panel.selectionColor : "darkgray"
        selectedTextColor: spinbox.__panel ? spinbox.__panel.selectedTextColor : "white"
        renderType: spinbox.__panel && spinbox.__panel.renderType !== undefined
                    ? spinbox.__panel.renderType : Text.NativeRendering

        validator: CustomSpinBoxValidator {
            id: validator
            property bool ready: false
            onTextChanged: if (ready) input.text = validator.text
            Component.onCompleted: {
                input.text = validator.text
                ready = true
            }
        }

        onTextEdited: spinbox.valueModified()
        onAccepted: {
            spinbox.finishEdit()
            spinbox.selectValue()
        }
        // An emptied text becomes 0 only as the edit ends (in fixup).
        onEditingFinished: {
            spinbox.finishEdit()
            spinbox.valueModified()
            spinbox.editingFinished()
        }

        MouseArea {
            id: inputHover
            anchors.fill: parent
            hoverEnabled: true
            acceptedButtons: Qt.NoButton
            cursorShape: Qt.IBeamCursor
            onWheel: spinbox.wheelStep(wheel)
        }
    }

    // Pressing steps once; holding on steps again every 60 ms after 350 ms.
    component StepArea: MouseArea {
        id: stepArea
        property bool up
        property rect bounds
        x: bounds.x
        y: bounds.y
        width: bounds.width
        height: bounds.height
        hoverEnabled: true
        enabled: spinbox.__stepControlsShown
        onPressed: {
            if (spinbox.activeFocusOnPress)
                spinbox.forceActiveFocus(Qt.MouseFocusReason)
            spinbox.step(up)
            repeatTimer.interval = 350
            repeatTimer.start()
        }
        onWheel: spinbox.wheelStep(wheel)
        onReleased: repeatTimer.stop()
        onCanceled: repeatTimer.stop()
        onExited: if (!pressed) repeatTimer.stop()

        Timer {
            id: repeatTimer
            repeat: true
            onTriggered: {
                interval = 60
                spinbox.step(stepArea.up)
            }
        }
    }

    StepArea {
        id: upArea
        objectName: "upArea"
        up: true
        bounds: spinbox.panelRect("upRect", Qt.rect(spinbox.width * 3 / 4, 0, spinbox.width / 4, spinbox.height / 2))
    }

    StepArea {
        id: downArea
        objectName: "downArea"
        up: false
        bounds: spinbox.panelRect("downRect", Qt.rect(spinbox.width * 3 / 4, spinbox.height / 2,
                                                    spinbox.width / 4, spinbox.height / 2))
    }
}
