import QtQuick 2.15

// The Device page in the real engine over a new configuration of the real driver.
Item {
    id: root
    width: 1024
    height: 768

    PageTestCase {
        name: "DevicePage"
        source: "qrc:///ferrowWlan7701/qml/config/device.qml"
        when: windowShown


        function test_canOpenIds_data() {
            return [
                { tag: "node 0", node: 0, receive: "Receive: 0x000, 0x600", transmit: "Transmit: 0x580, 0x700" },
                { tag: "node 33", node: 33, receive: "Receive: 0x000, 0x621", transmit: "Transmit: 0x5a1, 0x721" }
            ]
        }

        function test_canOpenIds(data) {
            var page = createPage()
            var text = child(page, "canOpenIdsText")
            verify(!text.visible)
            device.kelConfig.canOpenObjectsEnabled = true
            device.canConfig.canOpenConfig.nodeId = data.node
            verify(text.visible)
            compare(text.text, "The following IDs will be used by the device:\n\n" + data.receive + "\n" + data.transmit)
        }

        // A stored value outside a field's range (from a gateway or a file) is
        // shown as it is and marked, and nothing is written back until the user
        // edits it; an edit then clamps it into the range.
        function test_storedOutOfRangeShownAsStored_data() {
            var config = "qrc:///ferrowWlan7701/qml/config/"
            return [
                { tag: "node ID 70000", page: config + "device.qml", box: "nodeIdBox", text: "70000", edited: 65535,
                  store: function(d) { d.canConfig.canOpenConfig.nodeId = 70000 },
                  stored: function(d) { return d.canConfig.canOpenConfig.nodeId } },
                { tag: "32-bit identifier in a filter", page: config + "canReceive.qml", row: 1, box: "idBox",
                  text: "0xffffffff", edited: 0x1FFFFFFF,
                  store: function(d) { d.canConfig.filterList[1].id = 0xFFFFFFFF },
                  stored: function(d) { return d.canConfig.filterList[1].id } },
                { tag: "comparison value past unsigned8", page: config + "safety.qml", box: "comparisonValueBox",
                  text: "300", edited: 255,
                  store: function(d) { var sf = d.productConfig.object.safetyFunction; sf.active = true; sf.testValue = 300 },
                  stored: function(d) { return d.productConfig.object.safetyFunction.testValue } }
            ]
        }

        function test_storedOutOfRangeShownAsStored(data) {
            data.store(device)
            var before = pagesTest.packedConfiguration()
            var page = createPage(data.page)
            if (data.row !== undefined)
                child(page, "filterTable").currentRow = data.row
            var box = child(page, data.box)
            compare(child(box, "input").text, data.text)
            verify(box.outOfRange && box.spinBox.errorHighlight && box.problem !== "", "marked")
            compare(pagesTest.packedConfiguration(), before, "nothing written back")
            mouseClick(child(box.spinBox, "downArea"))
            compare(data.stored(device), data.edited)
            verify(!box.outOfRange)
        }

        function test_feedbackOffClearsTimestampOutput() {
            var fn = device.kelConfig
            fn.feedbackMode = 1
            fn.timestampMode = 1
            var page = createPage()
            var box = child(page, "errorTimestampBox")
            verify(box.enabled)
            mouseClick(box)
            verify(fn.includeErrorAndTimestampInFeedback)
            mouseClick(child(page, "feedbackBox"))
            compare(fn.feedbackMode, 0)
            verify(!box.enabled)
            verify(!fn.includeErrorAndTimestampInFeedback)
        }

        function test_btrField_data() {
            return [
                { tag: "full 32 bits", typed: "FFFFFFFF", stored: 4294967295, shown: "ffffffff" },
                { tag: "empty is 0", typed: "", stored: 0, shown: "0" },
                { tag: "a ninth digit is refused, not cut", typed: "123456789", stored: 0x12345678, shown: "123456789" }
            ]
        }

        function test_btrField(data) {
            var can = device.canConfig
            can.baudRateSfr = 0xAB
            var page = createPage()
            var field = child(page, "btrField")
            verify(!field.visible)
            can.baudRateCanOpen = 10
            verify(field.visible)
            compare(field.text, "ab")
            field.forceActiveFocus()
            field.selectAll()
            keyClick(Qt.Key_Delete)
            for (var i = 0; i < data.typed.length; ++i)
                keyClick(data.typed.charAt(i))
            compare(can.baudRateSfr, data.stored)
            child(page, "nodeIdBox").forceActiveFocus()
            compare(field.text, data.shown)
        }

        function test_viewingWritesNothing() {
            device.canConfig.baudRateCanOpen = 10
            device.kelConfig.canOpenObjectsEnabled = true
            var before = pagesTest.packedConfiguration()
            createPage()
            compare(pagesTest.packedConfiguration(), before)
        }
    }
}
