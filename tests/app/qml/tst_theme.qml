import QtQuick 2.15
import QtTest 1.2
import kelbus.kit 1.0

Item {
    id: root
    width: 400
    height: 300

    Component { id: comboComponent; ThemedComboBox { model: ["a", "b"] } }
    Component { id: fieldComponent; ThemedTextField { text: "x" } }
    Component { id: checkComponent; ThemedCheckBox { text: "x" } }
    Component { id: radioComponent; ThemedRadioButton { text: "x" } }
    Component {
        id: tipComponent
        Rectangle {
            width: 100
            height: 50
            property alias tip: tip
            ThemedToolTip { id: tip; text: "Hint"; showAboveItem: root }
        }
    }

    TestCase {
        name: "Theme"
        when: windowShown

        // The error look is red only while enabled.
        function test_errorHighlight_data() {
            return [
                { tag: "combo enabled", component: comboComponent, enabled: true, red: true },
                { tag: "combo disabled", component: comboComponent, enabled: false, red: false },
                { tag: "field enabled", component: fieldComponent, enabled: true, red: true },
                { tag: "field disabled", component: fieldComponent, enabled: false, red: false }
            ]
        }
        function test_errorHighlight(data) {
            var control = createTemporaryObject(data.component, root, { errorHighlight: true, enabled: data.enabled })
            verify(control)
            compare(control.__error, data.red)
        }

        // The keys act on what was clicked last.
        function test_clickTakesFocus_data() {
            return [
                { tag: "combo", component: comboComponent },
                { tag: "check", component: checkComponent },
                { tag: "radio", component: radioComponent }
            ]
        }
        function test_clickTakesFocus(data) {
            var other = createTemporaryObject(fieldComponent, root, { y: 100 })
            var control = createTemporaryObject(data.component, root)
            other.forceActiveFocus()
            mousePress(control, 5, 5)
            tryCompare(control, "activeFocus", true)
            mouseRelease(control, 5, 5)
            keyClick(Qt.Key_Escape)
        }

        function test_toolTipTiming() {
            var holder = createTemporaryObject(tipComponent, root)
            var hovered = Date.now()
            mouseMove(holder, 10, 10)
            verify(!holder.tip.shown, "shown at once")
            tryVerify(function() { return holder.tip.shown }, 5000)
            // A loaded machine can only make the wait longer, never shorter.
            verify(Date.now() - hovered >= 990, "shown before a second of hovering")
            mouseMove(root, 300, 250)
            tryVerify(function() { return !holder.tip.shown }, 1000)
        }
    }
}
