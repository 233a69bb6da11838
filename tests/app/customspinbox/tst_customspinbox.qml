import QtQuick 2.15
import QtTest 1.15
import kelbus.kit 1.0

// The test case itself is invisible, so the boxes live under this visible
// item; otherwise mouse events would never reach them.
Item {
    id: root
    width: 400
    height: 200

    Component {
        id: spinBoxComponent
        ThemedSpinBox {}
    }

    TextInput {
        id: elsewhere
        y: 100
        width: 100
        height: 25
    }

    TestCase {
        name: "CustomSpinBox"
        when: windowShown

        function createBox(properties) {
            var box = createTemporaryObject(spinBoxComponent, root, properties)
            verify(box !== null)
            return box
        }

        function inputOf(box) {
            var input = findChild(box, "input")
            verify(input !== null)
            return input
        }

        function typeText(text) {
            for (var i = 0; i < text.length; ++i)
                keyClick(text.charAt(i))
        }

        function test_typing_data() {
            return [
                { tag: "decimal", props: { value: 5 }, typed: "42", value: 42, text: "42", shown: "42" },
                { tag: "decimal past the range is the maximum, not a prefix", props: { value: 5, maximumValue: 100 },
                  typed: "150", value: 100, text: "100", shown: "150" },
                { tag: "emptied is 0 once the edit ends", props: { value: 5, minimumValue: 0 }, typed: "", value: 5, text: "0", shown: "" },
                { tag: "two decimals", props: { value: 1, maximumValue: 10, decimals: 2 }, typed: "2.5",
                  value: 2.5, text: "2.50", shown: "2.5" },
                { tag: "suffix", props: { value: 10, maximumValue: 1000, suffix: " ms" }, typed: "250",
                  value: 250, text: "250 ms", shown: "250 ms" },
                { tag: "hex upper case", props: { value: 1, maximumValue: 4095, radix: 16, prefix: "0x" },
                  typed: "FF", value: 255, text: "0xff", shown: "0xFF" },
                { tag: "hex lower case", props: { value: 1, maximumValue: 4095, radix: 16, prefix: "0x" },
                  typed: "1a", value: 26, text: "0x1a", shown: "0x1a" },
                { tag: "hex clamped", props: { value: 1, maximumValue: 4095, radix: 16, prefix: "0x" },
                  typed: "ffff", value: 4095, text: "0xfff", shown: "0xffff" },
                { tag: "hex rejects other letters", props: { value: 1, maximumValue: 4095, radix: 16, prefix: "0x" },
                  typed: "1g2", value: 18, text: "0x12", shown: "0x12" }
            ]
        }

        function test_typing(data) {
            var box = createBox(data.props)
            box.forceActiveFocus()
            var input = inputOf(box)
            compare(input.selectedText, input.text.substring(box.prefix.length,
                                                             input.text.length - box.suffix.length))
            if (data.typed === "") {
                keyClick(Qt.Key_A, Qt.ControlModifier)
                keyClick(Qt.Key_Delete)
            }
            typeText(data.typed)
            compare(box.value, data.value)
            compare(input.text, data.shown)

            // Leaving the box settles the text to the value's own form.
            elsewhere.forceActiveFocus()
            compare(input.text, data.text)
        }

        function test_returnAcceptsAndSelects() {
            var box = createBox({ value: 3, maximumValue: 500, suffix: " s" })
            var finished = createTemporaryObject(signalSpyComponent, root, { target: box,
                                                                            signalName: "editingFinished" })
            box.forceActiveFocus()
            typeText("120")
            keyClick(Qt.Key_Return)
            compare(finished.count, 1)
            compare(inputOf(box).text, "120 s")
            compare(inputOf(box).selectedText, "120")
        }

        function test_stepping_data() {
            return [
                { tag: "up button", how: "up", start: 10, props: {}, expected: 11, text: "11" },
                { tag: "down button", how: "down", start: 10, props: {}, expected: 9, text: "9" },
                { tag: "up key", how: "key up", start: 10, props: { stepSize: 5 }, expected: 15, text: "15" },
                { tag: "down key", how: "key down", start: 10, props: { stepSize: 5 }, expected: 5, text: "5" },
                { tag: "wheel up", how: "wheel up", start: 10, props: {}, expected: 11, text: "11" },
                { tag: "wheel down", how: "wheel down", start: 10, props: {}, expected: 9, text: "9" },
                { tag: "up stops at maximum", how: "up", start: 99, props: {}, expected: 99, text: "99" },
                { tag: "down stops at minimum", how: "down", start: 0, props: {}, expected: 0, text: "0" },
                { tag: "hex up", how: "up", start: 15, props: { radix: 16, prefix: "0x", maximumValue: 255 },
                  expected: 16, text: "0x10" },
                { tag: "page up", how: "page up", start: 10, props: {}, expected: 20, text: "20" },
                { tag: "page down", how: "page down", start: 10, props: {}, expected: 0, text: "0" },
                { tag: "up button without focus", how: "up", start: 10, props: {}, unfocused: true, expected: 11, text: "11" }
            ]
        }

        function test_stepping(data) {
            var props = data.props
            props.value = data.start
            var box = createBox(props)
            var modified = createTemporaryObject(signalSpyComponent, root, { target: box, signalName: "valueModified" })
            if (data.unfocused)
                elsewhere.forceActiveFocus()
            else
                box.forceActiveFocus()
            var upY = 3
            var downY = box.height - 3
            var buttonX = box.width - 5
            switch (data.how) {
            case "up": mouseClick(box, buttonX, upY); break
            case "down": mouseClick(box, buttonX, downY); break
            case "key up": keyClick(Qt.Key_Up); break
            case "key down": keyClick(Qt.Key_Down); break
            case "page up": keyClick(Qt.Key_PageUp); break
            case "page down": keyClick(Qt.Key_PageDown); break
            case "wheel up": mouseWheel(box, 20, 10, 0, 120); break
            case "wheel down": mouseWheel(box, 20, 10, 0, -120); break
            }
            compare(box.value, data.expected)
            compare(modified.count, 1, "the change is reported as the user's")
            compare(inputOf(box).text, data.text)
            compare(inputOf(box).selectedText, data.text.substring(box.prefix.length))
        }

        function test_wheelNeedsFocus() {
            var box = createBox({ value: 10 })
            elsewhere.forceActiveFocus()
            mouseWheel(box, 20, 10, 0, 120)
            compare(box.value, 10)
        }

        function test_holdingRepeats() {
            var box = createBox({ value: 10, maximumValue: 1000 })
            var buttonX = box.width - 5
            mousePress(box, buttonX, 3)
            compare(box.value, 11)
            // The first repeat waits 350 ms; a timer never fires early.
            wait(200)
            compare(box.value, 11)
            tryVerify(function() { return box.value >= 14 }, 3000)
            mouseRelease(box, buttonX, 3)
            var released = box.value
            wait(300)
            compare(box.value, released)
        }

        function test_rangeChangeClamps_data() {
            return [
                { tag: "maximum below value", property: "maximumValue", to: 20, value: 20, text: "20" },
                { tag: "minimum above value", property: "minimumValue", to: 60, value: 60, text: "60" },
                { tag: "hex maximum", property: "maximumValue", to: 16, value: 16, text: "0x10", radix: 16,
                  prefix: "0x" }
            ]
        }

        function test_rangeChangeClamps(data) {
            var box = createBox({ value: 50, radix: data.radix || 10, prefix: data.prefix || "" })
            box[data.property] = data.to
            compare(box.value, data.value)
            compare(inputOf(box).text, data.text)
        }

        function test_hoveredAndStyleData() {
            var box = createBox({ value: 99 })
            compare(box.__styleData.upEnabled, false)
            compare(box.__styleData.downEnabled, true)
            verify(box.__styleData.contentHeight >= 16)
            mouseMove(box, 20, 10)
            tryCompare(box, "hovered", true)
            mouseMove(root, 300, 190)
            tryCompare(box, "hovered", false)
        }

        function test_hiddenControlsDoNotStep() {
            var box = createBox({ value: 10, showControls: false })
            mouseClick(box, box.width - 5, 3)
            compare(box.value, 10)
        }
    }

    Component {
        id: signalSpyComponent
        SignalSpy {}
    }
}
