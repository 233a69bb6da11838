import QtQuick 2.15
import kelbus.kit 1.0
import QtTest 1.2
import kelbus.types 1.0
import kelbus.qkel.pb 1.0

// The driver's pages in the program's main window, with the gateway simulator.
// The tests build on each other's session state and run in name order.
TestCase {
    name: "MainWindowPages"
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
    function tabs() {
        tryCompare(win.deviceConfigurationLoader, "status", Loader.Ready)
        return win.deviceConfigurationLoader.item
    }
    function showTab(number) {
        var view = tabs()
        view.currentIndex = number
        tryCompare(view.getTab(number), "status", Loader.Ready)
        return view.getTab(number).item
    }
    function logCount(line) {
        return gatewaySimulator.log().split(line).length - 1
    }
    function settled() {
        return !stateMachine.busy
    }

    function initTestCase() {
        var component = Qt.createComponent("qrc:///qml/main.qml")
        compare(component.status, Component.Ready, component.errorString())
        win = component.createObject(null)
        verify(win)
        tryCompare(win, "serialPort", gatewaySimulator.portPath)
    }

    // Each row replaces the configuration while pages are open, then every tab
    // is shown: none of them marks it unsaved or changes a byte of it.
    function test_a_viewingChangesNothing_data() {
        var file = gatewaySimulator.scratchPath("viewed.frc")
        return [
            { tag: "read after connecting", type: KelTypes.CONFIGURATION_TYPE_READ_FROM_DEVICE,
              replace: function() { stateMachine.doConnect() } },
            { tag: "new", type: KelTypes.CONFIGURATION_TYPE_NEW, newDevice: true,
              replace: function() { stateMachine.doNewConfiguration(deviceFactory.supportedDeviceProductIds[0]) } },
            { tag: "loaded file", type: KelTypes.CONFIGURATION_TYPE_FILE, newDevice: true, replace: function() {
                win.dialogs.saveConfigurationTo("file://" + file)
                tryCompare(saveStatusTracker, "currentFilePath", file)
                stateMachine.doLoadConfiguration("file://" + file) } },
            { tag: "read on request", type: KelTypes.CONFIGURATION_TYPE_READ_FROM_DEVICE,
              replace: function() { stateMachine.doReadDeviceConfiguration() } }
        ]
    }
    function test_a_viewingChangesNothing(data) {
        var reads = logCount("received L")
        var device = stateMachine.currentDevice
        data.replace()
        if (data.newDevice)
            tryVerify(function() { return stateMachine.currentDevice !== device }, 20000, "device replaced")
        tryCompare(saveStatusTracker, "configurationType", data.type, 20000)
        tryVerify(settled, 20000)
        if (data.type === KelTypes.CONFIGURATION_TYPE_READ_FROM_DEVICE)
            verify(logCount("received L") > reads, "read from the gateway")
        verify(stateMachine.connected)
        saveStatusTracker.saveNeeded = false
        var before = gatewaySimulator.packedConfiguration()
        verify(before !== "")
        for (var i = 0; i < tabs().count; ++i) {
            showTab(i)
            waitForRendering(win.contentItem)
            compare(gatewaySimulator.packedConfiguration(), before, tabs().getTab(i).title)
            verify(!saveStatusTracker.saveNeeded, tabs().getTab(i).title + " marked the configuration unsaved")
        }
    }

    // While fields hold input that is not stored, Write names each (page and
    // label, in page order), sends nothing and on Yes goes to the first one;
    // once they show stored values again, Write sends. Text stays refused on a
    // tab in the background; a number's edit is still open in its box.
    // (Keys typed after a message box has closed reach no window on the
    // offscreen platform, so all typing comes first.)
    function test_aa_writeWaitsForRefusedInput() {
        tryVerify(settled, 20000)
        verify(stateMachine.connected)
        var device = stateMachine.currentDevice
        device.wlanInterface.enabled = true
        var typed = [[2, "ssidField", "workshop-line-4-commissioning-bay-2"], [0, "nodeIdBoxSpin", "70000"]]
        for (var t = 0; t < typed.length; ++t) {
            findChild(showTab(typed[t][0]), typed[t][1]).forceActiveFocus()
            keyClick(Qt.Key_A, Qt.ControlModifier)
            for (var i = 0; i < typed[t][2].length; ++i)
                keyClick(typed[t][2].charAt(i))
        }
        // Leaving the refused SSID by a tab switch shows no box over the other page.
        verify(!tabs().getTab(2).item.errorShown, "the WLAN page's box stays with its page")
        var writes = logCount("received S")
        win.actions.writeAction.trigger()
        var dialog = findChild(win, "invalidInputDialog")
        tryCompare(dialog, "visible", true)
        var device0 = dialog.text.indexOf("Device – CANopen node ID")
        verify(device0 >= 0 && dialog.text.indexOf("WLAN – SSID") > device0, dialog.text)
        showTab(3)
        answerQuestion(dialog, "Yes")
        tryCompare(tabs(), "currentIndex", 0)
        tryCompare(findChild(tabs(), "nodeIdBoxSpin"), "activeFocus", true)
        compare(logCount("received S"), writes, "nothing written")
        device.canConfig.canOpenConfig.nodeId = 5
        device.wlanInterface.object.object.ssid = "line 4"
        win.actions.writeAction.trigger()
        tryVerify(function() { return findChild(win, "reviewWindow") !== null }, 5000, "the write is reviewed first")
        findChild(win, "reviewWindow").write()
        tryVerify(function() { return logCount("received S") > writes }, 20000, "written once they show stored values")
        tryVerify(settled, 20000)
    }

    // Write's box takes the focus from a refused field on the current page:
    // the page's own box must not open too, over it and blocking it.
    function test_ab_writeBoxAlone() {
        var page = showTab(2)
        var ssid = findChild(page, "ssidField")
        ssid.forceActiveFocus()
        keyClick(Qt.Key_A, Qt.ControlModifier)
        for (var i = 0; i < 33; ++i)
            keyClick("x")
        tryCompare(ssid, "errorHighlight", true)
        win.actions.writeAction.trigger()
        var dialog = findChild(win, "invalidInputDialog")
        tryCompare(dialog, "visible", true)
        tryCompare(ssid, "activeFocus", false)
        wait(0) // the field's check, deferred until the focus settles, has run
        verify(!page.errorShown, "only Write's box is open")
        // Yes gives the keys back to the field pointed out.
        answerQuestion(dialog, "Yes")
        tryCompare(ssid, "activeFocus", true)
        keyClick(Qt.Key_A, Qt.ControlModifier)
        keyClick("z")
        compare(ssid.text, "z")
        compare(stateMachine.currentDevice.wlanInterface.object.object.ssid, "z")
    }

    // The button shows for Just Works while connected; only Yes to the main
    // window's question sends the gateway into pairing mode, and an earlier
    // No leaves nothing behind that a later Yes on the shared box would trigger.
    function test_b_pairingMode_data() {
        return [
            { tag: "security disabled", mode: BluetoothConfig.SECURITY_MODE__DISABLED, shown: false },
            { tag: "Just Works, No", mode: BluetoothConfig.SECURITY_MODE__JUST_WORKS, shown: true, answer: "No" },
            { tag: "Just Works, Esc", mode: BluetoothConfig.SECURITY_MODE__JUST_WORKS, shown: true, answer: Qt.Key_Escape },
            { tag: "Just Works, Yes", mode: BluetoothConfig.SECURITY_MODE__JUST_WORKS, shown: true,
              answer: "Yes", sent: true }
        ]
    }
    function test_b_pairingMode(data) {
        tryVerify(settled, 20000)
        verify(stateMachine.connected)
        var device = stateMachine.currentDevice
        device.bluetoothInterface.enabled = true
        device.bluetoothInterface.object.object.securityMode = data.mode
        var button = findChild(showTab(3), "enterPairingMode")
        compare(button.visible, data.shown)
        if (!data.shown)
            return
        var pairings = logCount("received Y")
        var dialog = findChild(win, "genericAreYouSureDialog")
        mouseClick(button)
        tryCompare(dialog, "visible", true)
        compare(dialog.title, "Enter Pairing Mode?")
        compare(dialog.text, "In order to enter pairing mode, the configurator must terminate the connection to the device. Are you sure you wish to proceed?")
        answerQuestion(dialog, data.answer)
        if (data.sent) {
            tryVerify(function() { return logCount("received Y") > pairings }, 10000, "pairing mode sent")
            tryCompare(stateMachine, "connected", false, 10000)
            return
        }
        dialog.open()
        answerQuestion(dialog, "Yes")
        // Commands reach the gateway in order: once the read is there, a
        // pairing command would have been too.
        var reads = logCount("received L")
        stateMachine.doReadDeviceConfiguration()
        tryVerify(function() { return logCount("received L") > reads }, 10000)
        compare(logCount("received Y"), pairings)
        verify(stateMachine.connected)
    }
}
