import QtQuick 2.15
import kelbus.qkel.pb 1.0

// The CAN Receive page over a new configuration of the real driver.
Item {
    id: root
    width: 1024
    height: 768

    PageTestCase {
        name: "CanReceivePage"
        source: "qrc:///ferrowWlan7701/qml/config/canReceive.qml"
        when: windowShown

        property QtObject model: null

        function prepare() {
            model = device.canFilterModel
            verify(model !== null)
        }

        // The bytes of a varint field value, as they appear in the packed configuration.
        function varintHex(value) {
            var hex = ""
            do {
                var low = value % 128
                value = Math.floor(value / 128)
                hex += ("0" + (value > 0 ? low + 128 : low).toString(16)).slice(-2)
            } while (value > 0)
            return hex
        }

        // How often a value is packed as a varint, counted on byte boundaries.
        function packedCount(value) {
            var packed = pagesTest.packedConfiguration()
            var hex = varintHex(value)
            var count = 0
            for (var at = packed.indexOf(hex); at >= 0; at = packed.indexOf(hex, at + 1))
                count += at % 2 === 0 ? 1 : 0
            return count
        }

        function selectRow(page, row) {
            child(page, "filterTable").currentRow = row
            compare(page.row, row)
            verify(child(page, "filterTable").selection.contains(row))
        }

        function typeInto(page, name, value) {
            var spin = child(page, name + "Spin")
            spin.forceActiveFocus()
            keyClick(Qt.Key_A, Qt.ControlModifier)
            var digits = value.toString(spin.radix)
            for (var i = 0; i < digits.length; ++i)
                keyClick(digits.charAt(i))
            keyClick(Qt.Key_Return)
        }

        function test_selectingRowsAndFormatsWritesNothing() {
            var page = createPage()
            var before = pagesTest.packedConfiguration()
            for (var row = 0; row < 8; ++row) {
                selectRow(page, row)
                compare(child(page, "activeBox").checked, row < 2, "active " + row)
                compare(child(page, "idLengthBox").shownIndex, row === 1 ? 1 : 0, "length " + row)
                compare(child(page, "idBox").value, 0)
                compare(child(page, "maskBox").value, 0)
                mouseClick(child(page, "decimalButton"))
                mouseClick(child(page, "hexadecimalButton"))
            }
            compare(pagesTest.packedConfiguration(), before)
        }

        function test_j1939TurnsRowsAndPgnSetsIdentifier() {
            var page = createPage()
            selectRow(page, 2)
            var identifiers = packedCount(0xFEF100)
            var masks = packedCount(0x00FFFF00)
            mouseClick(child(page, "j1939Button"))
            for (var row = 0; row < 8; ++row) {
                compare(model.data(model.index(row, 0), CanFilterModel.CAN_FILTER_ROLE__EXTENDED), true)
                compare(model.data(model.index(row, 0), CanFilterModel.CAN_FILTER_ROLE__MASK), 0x00FFFF00)
            }
            verify(!child(page, "idBox").visible)
            typeInto(page, "pgnBox", 0xFEF1)
            compare(model.data(model.index(2, 0), CanFilterModel.CAN_FILTER_ROLE__ID), 0xFEF100)
            compare(packedCount(0xFEF100), identifiers + 1)
            compare(packedCount(0x00FFFF00), masks + 8)
            var packed = pagesTest.packedConfiguration()
            mouseClick(child(page, "layer2Button"))
            compare(pagesTest.packedConfiguration(), packed)
            // Back in Layer 2 the row's boxes show what the table shows.
            compare(child(child(page, "maskBox"), "input").text, "0xffff00")
            compare(child(child(page, "idBox"), "input").text, "0xfef100")
        }

        function test_rowEdits_data() {
            return [
                { tag: "11-bit pattern", extended: false, id: 0x123, mask: 0x7F0, pattern: "0010010xxxx" },
                { tag: "29-bit identifier at full width", extended: true, id: 0x1FFFFFFF, mask: 0x1FFFFFFF,
                  pattern: "11111111111111111111111111111" },
                { tag: "11-bit limit", extended: false, id: 0x7FF, mask: 0, pattern: "xxxxxxxxxxx" }
            ]
        }

        function test_rowEdits(data) {
            var page = createPage()
            selectRow(page, 3)
            var identifiers = packedCount(data.id)
            if (data.extended)
                model.setData(model.index(3, 0), true, CanFilterModel.CAN_FILTER_ROLE__EXTENDED)
            typeInto(page, "idBox", data.id)
            typeInto(page, "maskBox", data.mask)
            var at = model.index(3, 0)
            compare(model.data(at, CanFilterModel.CAN_FILTER_ROLE__ID), data.id)
            compare(model.data(at, CanFilterModel.CAN_FILTER_ROLE__MASK), data.mask)
            compare(child(page, "filterPatternText").text, "Filter: " + data.pattern)
            verify(packedCount(data.id) > identifiers)
            typeInto(page, "downsamplingBox", 120)
            compare(model.data(at, CanFilterModel.CAN_FILTER_ROLE__INHIBIT_TIME_MS), 120)
            compare(model.data(model.index(2, 0), CanFilterModel.CAN_FILTER_ROLE__ID), 0)
        }

        // Row 1 is 29-bit in a new configuration; choosing 11-bit clamps what it holds.
        function test_elevenBitsClampIdentifierAndMask_data() {
            return [
                { tag: "both beyond 11 bits", id: 0x1ABCDEF0, mask: 0x1FFFFFFF, shortId: 0x7FF, shortMask: 0x7FF },
                { tag: "mask beyond 11 bits", id: 0x123, mask: 0x00FFFF00, shortId: 0x123, shortMask: 0x7FF },
                { tag: "within 11 bits", id: 0x7FE, mask: 0x7F0, shortId: 0x7FE, shortMask: 0x7F0 }
            ]
        }

        function test_elevenBitsClampIdentifierAndMask(data) {
            var page = createPage()
            selectRow(page, 1)
            var at = model.index(1, 0)
            model.setData(at, data.id, CanFilterModel.CAN_FILTER_ROLE__ID)
            model.setData(at, data.mask, CanFilterModel.CAN_FILTER_ROLE__MASK)
            var wide = [packedCount(data.id), packedCount(data.mask)]
            child(page, "idLengthBox").box.activated(0)
            compare(page.errorShown, data.id !== data.shortId || data.mask !== data.shortMask, "the user is told")
            compare(model.data(at, CanFilterModel.CAN_FILTER_ROLE__EXTENDED), false)
            compare(model.data(at, CanFilterModel.CAN_FILTER_ROLE__EXTENDED_MATTERS), false)
            compare(model.data(at, CanFilterModel.CAN_FILTER_ROLE__ID), data.shortId)
            compare(model.data(at, CanFilterModel.CAN_FILTER_ROLE__MASK), data.shortMask)
            compare(child(page, "idBoxSpin").value, data.shortId)
            compare(packedCount(data.id), wide[0] - (data.id !== data.shortId ? 1 : 0))
            compare(packedCount(data.mask), wide[1] - (data.mask !== data.shortMask ? 1 : 0))
        }
    }
}
