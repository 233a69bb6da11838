import QtQuick 2.15

// The Safety page in the real engine over a new configuration of the real driver.
Item {
    id: root
    width: 1024
    height: 768

    PageTestCase {
        name: "SafetyPage"
        source: "qrc:///ferrowWlan7701/qml/config/safety.qml"
        when: windowShown

        property QtObject sf: null

        function prepare() {
            sf = device.productConfig.object.safetyFunction
            verify(sf !== null)
        }

        function test_comparisonValueAtFullWidth_data() {
            return [
                { tag: "unsigned32 maximum", dataType: 2, value: 4294967295, text: "4294967295" },
                { tag: "signed32 minimum", dataType: 5, value: -2147483648, text: "-2147483648" },
                { tag: "signed32 maximum", dataType: 5, value: 2147483647, text: "2147483647" },
                { tag: "unsigned8 maximum", dataType: 0, value: 255, text: "255" }
            ]
        }

        function test_comparisonValueAtFullWidth(data) {
            var page = createPage()
            var box = child(page, "comparisonValueBox")
            sf.dataType = data.dataType
            sf.testValue = data.value
            compare(box.value, data.value)
            compare(child(box, "input").text, data.text)
            compare(sf.testValue, data.value)

            // Typed and written back without rounding.
            sf.testValue = 0
            sf.active = true
            var spin = child(page, "comparisonValueBoxSpin")
            spin.forceActiveFocus()
            keyClick(Qt.Key_A, Qt.ControlModifier)
            for (var i = 0; i < data.text.length; ++i)
                keyClick(data.text.charAt(i))
            compare(sf.testValue, data.value)
        }

        function test_dataTypeNarrowsAndClamps_data() {
            return [
                { tag: "unsigned16 to signed8", from: 1, value: 200, to: 3, minimum: -128, maximum: 127, clamped: 127 },
                { tag: "signed16 to unsigned8", from: 4, value: -300, to: 0, minimum: 0, maximum: 255, clamped: 0 },
                { tag: "unsigned32 to signed32", from: 2, value: 4294967295, to: 5, minimum: -2147483648,
                  maximum: 2147483647, clamped: 2147483647 },
                { tag: "widening keeps the value", from: 3, value: -5, to: 5, minimum: -2147483648,
                  maximum: 2147483647, clamped: -5 }
            ]
        }

        function test_dataTypeNarrowsAndClamps(data) {
            var page = createPage()
            var box = child(page, "comparisonValueBox")
            sf.dataType = data.from
            sf.testValue = data.value
            compare(sf.testValue, data.value)
            child(page, "dataTypeBoxBox").activated(data.to)
            compare(box.minimumValue, data.minimum)
            compare(box.maximumValue, data.maximum)
            compare(box.value, data.clamped)
            compare(sf.testValue, data.clamped)
        }

        // Hexadecimal shows a signed value's bit pattern at the type's width,
        // both ways and across format switches.
        function test_signedHexadecimal_data() {
            return [
                { tag: "signed8 -128", dataType: 3, value: -128, hex: "0x80" },
                { tag: "signed8 -1", dataType: 3, value: -1, hex: "0xff" },
                { tag: "signed16 -32768", dataType: 4, value: -32768, hex: "0x8000" },
                { tag: "signed32 -1", dataType: 5, value: -1, hex: "0xffffffff" },
                { tag: "signed8 127", dataType: 3, value: 127, hex: "0x7f" },
                { tag: "unsigned8 255", dataType: 0, value: 255, hex: "0xff" }
            ]
        }

        function test_signedHexadecimal(data) {
            sf.active = true
            sf.dataType = data.dataType
            var page = createPage()
            var input = child(child(page, "comparisonValueBox"), "input")
            mouseClick(child(page, "hexadecimalButton"))
            var spin = child(page, "comparisonValueBoxSpin")
            spin.forceActiveFocus()
            keyClick(Qt.Key_A, Qt.ControlModifier)
            for (var i = 2; i < data.hex.length; ++i)
                keyClick(data.hex.charAt(i))
            keyClick(Qt.Key_Return)
            compare(sf.testValue, data.value)
            compare(input.text, data.hex)
            mouseClick(child(page, "decimalButton"))
            compare(input.text, String(data.value))
            mouseClick(child(page, "hexadecimalButton"))
            compare(input.text, data.hex)
            compare(sf.testValue, data.value)
        }

        function test_fieldsFollowEnable() {
            var page = createPage()
            var names = ["canIdBox", "timeoutBox", "dataTypeBox", "startPositionBox", "byteOrderBox",
                         "triggerConditionBox", "comparisonValueBox", "logicModeBox"]
            for (var i = 0; i < names.length; ++i)
                verify(!child(page, names[i]).enabled, names[i])
            sf.active = true
            for (i = 0; i < names.length; ++i)
                verify(child(page, names[i]).enabled, names[i])
        }

        function test_displayFormatSwitchesEverySpinBox() {
            var page = createPage()
            sf.active = true
            sf.canId = 0x7FFFFFFF
            var canId = child(page, "canIdBox")
            compare(child(canId, "input").text, "2147483647")
            mouseClick(child(page, "hexadecimalButton"))
            compare(child(canId, "input").text, "0x7fffffff")
            compare(child(child(page, "timeoutBox"), "input").text, "0x0")
            compare(sf.canId, 0x7FFFFFFF)
        }

        function test_viewingWritesNothing() {
            var before = pagesTest.packedConfiguration()
            var page = createPage()
            mouseClick(child(page, "hexadecimalButton"))
            mouseClick(child(page, "decimalButton"))
            compare(pagesTest.packedConfiguration(), before)
        }
    }
}
