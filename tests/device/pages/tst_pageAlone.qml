import QtQuick 2.15
import QtTest 1.15

// A page needs nothing but the device it is handed: built by an engine that
// knows none of the program's context properties, for a device the factory
// made and no session knows, it shows the device's values and follows them.
TestCase {
    name: "PageAlone"

    function init() { pagesTest.watchWarnings() }
    function cleanup() { compare(pagesTest.takeWarnings(), [], "warnings") }

    function test_showsItsDevice_data() {
        return [
            { tag: "device", page: "device", box: "nodeIdBox", shown: "33",
              store: function(d, v) { d.canConfig.canOpenConfig.nodeId = v } },
            { tag: "safety", page: "safety", box: "comparisonValueBox", shown: "200",
              store: function(d, v) { var sf = d.productConfig.object.safetyFunction; sf.active = true; sf.testValue = v } },
            { tag: "expert", page: "expert", box: "canLoopsBox", shown: "7",
              store: function(d, v) { d.kelConfig.canMessagesPerLoop = v } }
        ]
    }

    function test_showsItsDevice(data) {
        var device = pagesTest.createDevice("012001017701")
        data.store(device, Number(data.shown))
        var page = pagesTest.pageAlone("qrc:///ferrowWlan7701/qml/config/" + data.page + ".qml", device)
        verify(page !== null)
        compare(page.device, device)
        var input = findChild(findChild(page, data.box), "input")
        compare(input.text, data.shown)
        data.store(device, Number(data.shown) + 1)
        compare(input.text, String(Number(data.shown) + 1))
    }
}
