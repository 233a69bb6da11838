import QtQuick 2.15
import QtTest 1.2

// Write to device goes through the review window: what the write changes on the
// connected gateway is listed, and nothing is sent before the user says Write.
// The rows run in order on one session.
TestCase {
    name: "ReviewWindow"
    when: windowShown

    property var win: null

    SignalSpy {
        id: written
        target: stateMachine
        signalName: "writeToDeviceSuccessful"
    }
    readonly property string ssidPath: "interface/network/wlan.data.data.ssid"

    function logCount(line) {
        return gatewaySimulator.log().split(line).length - 1
    }
    function wlan() {
        return stateMachine.currentDevice.wlanInterface.object.object
    }
    function rows(window) {
        var table = findChild(window.contentItem, "changeTable")
        var found = []
        for (var i = 0; i < table.model.count; ++i) {
            var row = table.model.get(i)
            found.push([row.path, row.deviceValue, row.editorValue])
        }
        return found
    }

    function initTestCase() {
        var component = Qt.createComponent("qrc:///qml/main.qml")
        compare(component.status, Component.Ready, component.errorString())
        win = component.createObject(null)
        verify(win)
        tryCompare(win, "serialPort", gatewaySimulator.portPath)
        findChild(win, "connectAction").trigger()
        tryCompare(stateMachine, "connected", true, 15000)
        tryCompare(stateMachine, "busy", false, 15000)
    }
    function cleanupTestCase() {
        stateMachine.doEnterNormalOperation()
        tryCompare(stateMachine, "connected", false, 15000)
        win.destroy()
    }

    function test_review_data() {
        return [
            { tag: "changes listed, Cancel sends nothing", ssid: "Review 1", answer: "cancel", writes: false,
              summary: "Writing changes 1 setting on the device:" },
            { tag: "Esc sends nothing", ssid: "Review 1", answer: [Qt.Key_Escape], writes: false,
              summary: "Writing changes 1 setting on the device:" },
            { tag: "Return on Cancel sends nothing", ssid: "Review 1", answer: [Qt.Key_Tab, Qt.Key_Return], writes: false,
              summary: "Writing changes 1 setting on the device:" },
            { tag: "Return writes", ssid: "Review 1", answer: [Qt.Key_Return], writes: true,
              summary: "Writing changes 1 setting on the device:" },
            { tag: "nothing differs, written anyway", ssid: "Review 1", answer: [Qt.Key_Enter], writes: true,
              summary: "The configuration to be written does not differ from what the device holds." }
        ]
    }
    function test_review(data) {
        var held = wlan().ssid
        wlan().ssid = data.ssid
        var writes = logCount("received S")

        findChild(win, "writeAction").trigger()
        var window = findChild(win, "reviewWindow")
        verify(window, "review window")
        tryVerify(function() { return window.visible })
        // A transient window reports its parent's activation as its own: only
        // its content's focus tells that the keys go to it.
        window.requestActivate()
        tryVerify(function() { return findChild(window.contentItem, "reviewWriteButton").activeFocus })
        compare(findChild(window.contentItem, "reviewSummary").text, data.summary)
        var expected = held === data.ssid ? [] : [[ssidPath, JSON.stringify(held), JSON.stringify(data.ssid)]]
        compare(rows(window), expected)
        compare(findChild(window.contentItem, "reviewWriteButton").text, expected.length ? "Write" : "Write anyway")
        compare(logCount("received S"), writes, "nothing is sent while the review is open")

        var verified = written.count
        if (data.answer === "cancel")
            mouseClick(findChild(window.contentItem, "reviewCancelButton"))
        else
            data.answer.forEach(function(key) { keyClick(key) })
        tryVerify(function() { return !findChild(win, "reviewWindow") })
        if (data.writes) {
            tryCompare(written, "count", verified + 1, 15000)
        } else {
            // Whatever was sent before this read has reached the gateway when it answers.
            var reads = logCount("received L")
            stateMachine.doReadDeviceConfiguration()
            tryVerify(function() { return logCount("received L") > reads }, 15000)
        }
        compare(logCount("received S"), writes + (data.writes ? 1 : 0))
        tryCompare(stateMachine, "busy", false, 15000)
        verify(stateMachine.connected)
    }
}
