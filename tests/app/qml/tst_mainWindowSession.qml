import QtQuick 2.15
import QtQuick.Dialogs 1.3
import QtTest 1.2

// The main window against a gateway with faults of its own: whatever fails,
// the user's configuration stays, every failure is told, and nothing happens
// that the user did not ask for. The tests run in name order on one window.
TestCase {
    id: testCase
    name: "MainWindowSession"
    when: windowShown

    property var win: null

    // Answers a question as the user does: a click on Yes or No, or a key
    // once the question has the keyboard.
    function answerQuestion(dialog, answer) {
        tryVerify(function() { return gatewaySimulator.hasKeyboard(dialog) }, 5000, "the question has the keyboard")
        if (answer === "Yes" || answer === "No")
            mouseClick(findChild(dialog.contentItem, "question" + answer + "Button"))
        else
            keyClick(answer)
    }
    function item(name) {
        var found = findChild(win, name)
        verify(found, name + " not found")
        return found
    }
    function urlOf(path) {
        return "file://" + path.split("/").map(encodeURIComponent).join("/")
    }
    function logCount(line) {
        return gatewaySimulator.log().split(line).length - 1
    }
    function idle() {
        tryCompare(stateMachine, "busy", false, 15000)
    }
    function connectGateway() {
        idle()
        if (!stateMachine.connected)
            item("connectAction").trigger()
        var dialog = item("errorDialog")
        tryVerify(function() { return stateMachine.connected || dialog.visible }, 15000, "neither connected nor told why")
        verify(!dialog.visible, dialog.title + ": " + dialog.text + "\nSimulator: " + gatewaySimulator.log())
        idle()
    }
    function restartSimulator(options) {
        idle()
        if (stateMachine.connected)
            stateMachine.doEnterNormalOperation()
        verify(gatewaySimulator.restart(options))
    }
    // Waits for the error box titled `title` and closes it; gives its text.
    function acknowledge(title) {
        var dialog = item("errorDialog")
        tryCompare(dialog, "visible", true, 15000)
        compare(dialog.title, title)
        var text = dialog.text
        dialog.click(StandardButton.Ok)
        return text
    }
    // Keys go to the window that has the focus, and within it to the pages.
    function activate() {
        win.requestActivate()
        tryCompare(win, "active", true)
        win.deviceConfigurationLoader.forceActiveFocus()
    }
    function unsavedMarkShown() {
        return win.fileLabel.text.slice(-1) === "*"
    }

    // A saved file of the TARN210 is open.
    function initTestCase() {
        var component = Qt.createComponent("qrc:///qml/main.qml")
        compare(component.status, Component.Ready, component.errorString())
        win = component.createObject(null)
        verify(win)
        tryCompare(win, "serialPort", gatewaySimulator.portPath)
        stateMachine.doNewConfiguration(deviceFactory.supportedDeviceProductIds[0])
        win.dialogs.saveConfigurationTo(urlOf(gatewaySimulator.scratchPath("edited.frc")))
        tryCompare(saveStatusTracker, "saveNeeded", false)
    }

    function test_a_unsupportedProductKeepsEditedConfiguration() {
        restartSimulator(["--product-id", "0120010177ff"])
        saveStatusTracker.saveNeeded = true
        var device = stateMachine.currentDevice
        var bytes = gatewaySimulator.packedConfiguration()
        item("connectAction").trigger()
        acknowledge("Device Unsupported")
        compare(stateMachine.currentDevice, device)
        compare(gatewaySimulator.packedConfiguration(), bytes)
        compare(win.deviceConfigurationLoader.status, Loader.Ready)
        verify(unsavedMarkShown(), win.fileLabel.text)
        item("saveConfigurationAction").trigger()
        tryCompare(saveStatusTracker, "saveNeeded", false)
    }

    // The gateway's own information coming and going is no edit.
    function test_b_sessionLeavesNoUnsavedMark_data() {
        return [
            { tag: "connect", action: "connectAction", connected: true },
            { tag: "disconnect", action: "disconnectAction", connected: false }
        ]
    }
    function test_b_sessionLeavesNoUnsavedMark(data) {
        if (data.connected)
            restartSimulator([])
        idle()
        item(data.action).trigger()
        tryCompare(stateMachine, "connected", data.connected, 15000)
        idle()
        verify(!unsavedMarkShown(), win.fileLabel.text)
    }

    function test_c_factoryResetAsksFirst_data() {
        return [ { tag: "No", answer: "No", sent: false },
                 { tag: "Return right away", answer: Qt.Key_Return, sent: false },
                 { tag: "Esc", answer: Qt.Key_Escape, sent: false },
                 { tag: "Yes", answer: "Yes", sent: true } ]
    }
    function test_c_factoryResetAsksFirst(data) {
        connectGateway()
        var before = logCount("received Z")
        item("factoryResetAction").trigger()
        var dialog = item("factoryResetCheckDialog")
        verify(dialog.visible)
        verify(dialog.text.indexOf("\"" + stateMachine.deviceIdString + "\"") > 0, dialog.text)
        answerQuestion(dialog, data.answer)
        if (data.sent)
            tryVerify(function() { return logCount("received Z") > before }, 15000)
        else
            compare(logCount("received Z"), before)
        compare(stateMachine.connected, !data.sent)
        verify(!unsavedMarkShown(), win.fileLabel.text)
    }

    // Failures that come while a box is open wait their turn; a repeat of one
    // waiting is told once.
    function test_d_everyFailureReachesTheUser() {
        idle()
        stateMachine.configurationRejectedWhileBusy()
        stateMachine.timeout()
        stateMachine.timeout()
        stateMachine.configurationVersionMismatch()
        acknowledge("Configuration Not Taken Over")
        acknowledge("Communication Timeout")
        var text = acknowledge("Configuration Data Version Mismatch")
        verify(text.indexOf("could not be loaded") > 0, text)
        compare(win.dialogs.pendingMessages.length, 0)
    }

    // Esc or the busy overlay's Cancel ends the wait as a failure would, without
    // one. First of all: with the offscreen platform of the tests, keys no
    // longer reach the window's shortcuts once a message box was shown.
    function test_a0_cancel_data() {
        return [
            { tag: "connection attempt, Esc", options: ["--silent"], waitFor: "received boot sequence", key: true },
            { tag: "read after connecting, Cancel", options: ["--odd-answers"], waitFor: "received L", key: false }
        ]
    }
    function test_a0_cancel(data) {
        restartSimulator(data.options)
        var before = logCount(data.waitFor)
        item("connectAction").trigger()
        verify(stateMachine.busy)
        tryVerify(function() { return logCount(data.waitFor) > before }, 15000, data.waitFor)
        verify(!item("newConfigurationAction").enabled)
        verify(!item("loadConfigurationAction").enabled)
        var cancel = item("cancelButton")
        verify(cancel.visible)
        if (data.key) {
            activate()
            keyClick(Qt.Key_Escape)
        }
        else
            mouseClick(cancel)
        compare(stateMachine.busy, false)
        compare(stateMachine.connected, false)
        tryCompare(win.successToast, "text", "Cancelled")
        verify(!item("errorDialog").visible)
    }

    // Nothing goes to another port while the chosen adapter is away.
    function test_f_unpluggedAdapterStaysChosen() {
        idle()
        var port = gatewaySimulator.portPath
        gatewaySimulator.stop()
        item("connectAction").trigger()
        var text = acknowledge("Communication Error")
        verify(text.indexOf("The adapter of " + port + " was unplugged") > 0, text)
        compare(win.serialPort, port)
        var status = item("linkStatus").text
        verify(status.indexOf(port) > 0 && status.indexOf("not plugged in") > 0, status)
        verify(gatewaySimulator.restart([]))
        connectGateway()
    }

    function test_g_longPathShortenedInTheMiddle() {
        idle()
        var folder = gatewaySimulator.makeScratchDirectory(new Array(12).join("a rather long folder name/"))
        var path = folder + "/line 7 station.frc"
        win.dialogs.saveConfigurationTo(urlOf(path))
        tryCompare(saveStatusTracker, "currentFilePath", path)
        saveStatusTracker.saveNeeded = true
        var label = win.fileLabel
        verify(label.truncated)
        verify(label.width < win.width)
        compare(findChild(label, "elidedToolTip").text, label.text)
        verify(win.successToast.width < win.width)
    }

    function test_h_saveAsShortcut() {
        idle()
        activate()
        keyClick(Qt.Key_S, Qt.ControlModifier | Qt.ShiftModifier)
        var dialog = item("saveDialog")
        tryCompare(dialog, "visible", true)
        dialog.close()
        tryCompare(dialog, "visible", false)
    }

    function test_h_windowOpensCentred() {
        item("aboutAction").trigger()
        var about = item("aboutWindow")
        tryCompare(about, "visible", true)
        verify(Math.abs(about.x + about.width / 2 - (win.x + win.width / 2)) <= 1, about.x)
        verify(Math.abs(about.y + about.height / 2 - (win.y + win.height / 2)) <= 1, about.y)
        about.close()
        tryVerify(function() { return findChild(win, "aboutWindow") === null })
    }

    function test_h_copyTellsItCopied() {
        connectGateway()
        item("deviceInformationAction").trigger()
        var info = item("deviceInfoWindow")
        tryCompare(info, "visible", true)
        var copy = findChild(info.contentItem, "deviceIdCopy")
        compare(copy.text, "Copy")
        mouseClick(copy)
        compare(copy.text, "Copied")
        tryCompare(copy, "text", "Copy", 5000)
        info.close()
        tryVerify(function() { return findChild(win, "deviceInfoWindow") === null })
    }

    function cleanupTestCase() {
        if (stateMachine.connected)
            stateMachine.doEnterNormalOperation()
        saveStatusTracker.saveNeeded = false
    }
}
