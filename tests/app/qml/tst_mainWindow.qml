import QtQuick 2.15
import QtQuick.Dialogs 1.3
import QtTest 1.2

// The program's main window with the real session and the gateway simulator.
// The tests build on each other's session state and run in name order.
TestCase {
    id: testCase
    name: "MainWindow"
    when: windowShown

    property var win: null
    readonly property string mainQml: "qrc:///qml/main.qml"

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
    // What a file dialog hands back: every path segment percent-encoded.
    function urlOf(path) {
        return "file://" + path.split("/").map(encodeURIComponent).join("/")
    }
    // Keys go to the window that has the keyboard. Without a window manager a
    // closing file dialog may hand it back to the main window after the new
    // window took it, so it is asked for until it stays.
    function activated(window) {
        tryVerify(function() {
            window.requestActivate()
            return gatewaySimulator.hasKeyboard(window)
        })
        return window
    }
    function logCount(line) {
        return gatewaySimulator.log().split(line).length - 1
    }

    function initTestCase() {
        var component = Qt.createComponent(mainQml)
        compare(component.status, Component.Ready, component.errorString())
        win = component.createObject(null)
        verify(win)
        tryCompare(win, "serialPort", gatewaySimulator.portPath)
    }

    // Each row moves the session on and lists the actions' enabled states.
    function test_a_enablingRules_data() {
        var none = { newConfigurationAction: true, loadConfigurationAction: true, saveConfigurationAction: false,
            saveConfigurationAsAction: false, exitAction: true, deviceInformationAction: false,
            factoryResetAction: false, connectionSettingsAction: true, supportArchiveAction: true,
            aboutAction: true, connectAction: true, disconnectAction: false, readAction: false, writeAction: false }
        function changed(base, changes) {
            var row = Object.assign({}, base)
            return Object.assign(row, changes)
        }
        var created = changed(none, { saveConfigurationAction: true, saveConfigurationAsAction: true })
        var saved = changed(created, { saveConfigurationAction: false })
        var connected = changed(saved, { saveConfigurationAction: undefined, deviceInformationAction: undefined,
            factoryResetAction: true, connectAction: false, disconnectAction: true, readAction: true, writeAction: true })
        // Nothing that the busy session would refuse.
        var busy = changed(connected, { factoryResetAction: false, disconnectAction: false, readAction: false,
            writeAction: false, newConfigurationAction: false, loadConfigurationAction: false })
        return [
            { tag: "no device", enter: function() {}, enabled: none },
            { tag: "new, never saved", enabled: created, enter: function() {
                stateMachine.doNewConfiguration(deviceFactory.supportedDeviceProductIds[0])
                tryCompare(saveStatusTracker, "currentFilePath", "") } },
            { tag: "saved, unchanged", enabled: saved, enter: function() {
                win.dialogs.saveConfigurationTo(urlOf(gatewaySimulator.scratchPath("first")))
                tryCompare(saveStatusTracker, "saveNeeded", false) } },
            { tag: "connected", enabled: connected, enter: function() {
                item("connectAction").trigger()
                tryCompare(stateMachine, "connected", true, 10000)
                tryCompare(stateMachine, "busy", false, 10000) } },
            { tag: "busy", enabled: busy, enter: function() {
                stateMachine.doReadDeviceConfiguration()
                verify(stateMachine.busy) } }
        ]
    }
    function test_a_enablingRules(data) {
        data.enter()
        for (var name in data.enabled) {
            if (data.enabled[name] !== undefined)
                compare(item(name).enabled, data.enabled[name], name)
        }
        tryCompare(stateMachine, "busy", false, 10000)
    }

    // Connected from the previous test: every command reaches the gateway.
    function test_b_deviceCommands_data() {
        return [
            { tag: "read", action: "readAction", line: "received L (read configuration)", connected: true },
            { tag: "write", action: "writeAction", line: "received S (write configuration", connected: true,
              review: true },
            { tag: "disconnect", action: "disconnectAction", line: "received Q (enter normal operation)", connected: false },
            { tag: "connect", action: "connectAction", line: "received P (read product ID)", connected: true }
        ]
    }
    function test_b_deviceCommands(data) {
        saveStatusTracker.saveNeeded = false
        var before = logCount(data.line)
        item(data.action).trigger()
        if (data.review)
            item("reviewWindow").write()
        tryVerify(function() { return logCount(data.line) > before }, 10000, data.line)
        tryCompare(stateMachine, "connected", data.connected, 10000)
        tryCompare(stateMachine, "busy", false, 10000)
    }

    // Unsaved changes ask first; only Yes goes on.
    function test_c_unsavedChanges_data() {
        return [
            { tag: "read, No", action: "readAction", dialog: "unsavedDeviceReadCheckDialog", answer: "No" },
            { tag: "read, Esc", action: "readAction", dialog: "unsavedDeviceReadCheckDialog", answer: Qt.Key_Escape },
            { tag: "read, Return", action: "readAction", dialog: "unsavedDeviceReadCheckDialog", answer: Qt.Key_Return },
            { tag: "read, Yes", action: "readAction", dialog: "unsavedDeviceReadCheckDialog", answer: "Yes",
              line: "received L (read configuration)" },
            { tag: "new, No", action: "newConfigurationAction", dialog: "unsavedNewConfigCheckDialog", answer: "No" },
            { tag: "new, Yes", action: "newConfigurationAction", dialog: "unsavedNewConfigCheckDialog",
              answer: "Yes", newDevice: true },
            { tag: "load, Esc", action: "loadConfigurationAction", dialog: "unsavedLoadConfigCheckDialog", answer: Qt.Key_Escape },
            { tag: "load, Enter", action: "loadConfigurationAction", dialog: "unsavedLoadConfigCheckDialog", answer: Qt.Key_Enter },
            { tag: "quit, No", action: "exitAction", dialog: "unsavedQuitCheckDialog", answer: "No" },
            { tag: "quit, Return", action: "exitAction", dialog: "unsavedQuitCheckDialog", answer: Qt.Key_Return },
            { tag: "title-bar close, Esc", action: "", dialog: "unsavedQuitCheckDialog", answer: Qt.Key_Escape }
        ]
    }
    function test_c_unsavedChanges(data) {
        tryCompare(stateMachine, "busy", false, 10000)
        saveStatusTracker.saveNeeded = true
        var device = stateMachine.currentDevice
        var reads = logCount("received L")
        var dialog = item(data.dialog)
        if (data.action)
            item(data.action).trigger()
        else
            win.close()
        verify(dialog.visible)
        answerQuestion(dialog, data.answer)
        verify(!dialog.visible)
        // The load dialog is made at its first opening, so it may not exist yet.
        var load = findChild(win, "loadDialog")
        verify(!load || !load.visible)
        if (data.line) {
            tryVerify(function() { return logCount("received L") > reads }, 10000)
        } else {
            // A read would have begun at once, before its bytes reach the gateway.
            verify(!stateMachine.busy, "nothing was started")
            compare(logCount("received L"), reads)
        }
        compare(stateMachine.currentDevice !== device, data.newDevice === true)
        compare(stateMachine.connected, true)
        verify(win.visible)
    }

    // The name chosen in the dialog is where the file lands, shown as a local path.
    function test_d_savePath_data() {
        return [
            { tag: "folder and name with spaces, umlaut and #", folder: "Prüfstand 3", name: "Linie #2", saved: "Linie #2.frc" },
            { tag: "extension in capitals", folder: "caps", name: "LINE.FRC", saved: "LINE.FRC" },
            { tag: "extension inside the name", folder: "inside", name: "a.frc.old", saved: "a.frc.old" },
            { tag: "percent sign", folder: "100% sure", name: "x", saved: "x.frc" },
            { tag: "as a url value", folder: "Prüfstand 3", name: "Linie #3", saved: "Linie #3.frc", urlValue: true }
        ]
    }
    function test_d_savePath(data) {
        tryCompare(stateMachine, "busy", false, 10000)
        var path = gatewaySimulator.makeScratchDirectory(data.folder) + "/" + data.saved
        var url = urlOf(gatewaySimulator.makeScratchDirectory(data.folder) + "/" + data.name)
        win.dialogs.saveConfigurationTo(data.urlValue ? Qt.resolvedUrl(url) : url)
        tryCompare(win.successToast, "text", "Saved file " + path)
        compare(saveStatusTracker.currentFilePath, path)
        verify(win.fileLabel.text.indexOf(": " + path) > 0, win.fileLabel.text)
        win.successToast.text = ""
        stateMachine.doLoadConfiguration(urlOf(path))
        tryCompare(win.successToast, "text", "Loaded file " + path)
    }

    function test_e_sessionMessages_data() {
        return [
            { tag: "timeout", emit: function() { stateMachine.timeout() }, dialog: "errorDialog",
              title: "Communication Timeout", text: "A communication timeout has occurred." },
            { tag: "device unsupported", emit: function() { stateMachine.deviceUnsupported("TARN999", "0000000000ff") },
              dialog: "errorDialog", title: "Device Unsupported",
              text: "The connected device is not supported by this application:\n\nDevice ID: TARN999\nProduct ID: 0000000000ff" },
            { tag: "configuration unsupported", emit: function() { stateMachine.configurationUnsupported("0000000000ff") },
              dialog: "errorDialog", title: "Configuration Unsupported",
              text: "The configuration data cannot be loaded, as its product ID is unsupported.\n\nProduct ID: 0000000000ff" },
            // Nothing of such data is loaded, and the box says so.
            { tag: "version mismatch", emit: function() { stateMachine.configurationVersionMismatch() },
              dialog: "errorDialog", title: "Configuration Data Version Mismatch",
              text: "The configuration data was created with another version of this software and could not be loaded. The configuration being edited is unchanged." },
            { tag: "obsolete", emit: function() { stateMachine.configurationVersionObsolete() }, dialog: "errorDialog",
              title: "Configuration Data Obsolete", text: "The configuration data is obsolete and could not be loaded." },
            { tag: "checksum", emit: function() { stateMachine.configurationChecksumError() }, dialog: "errorDialog",
              title: "Configuration Data Checksum Error", text: "The configuration data could not be loaded due to a checksum error." },
            { tag: "parse", emit: function() { stateMachine.configurationParseError() }, dialog: "errorDialog",
              title: "Configuration Data Parse Error", text: "The configuration data could not be parsed and may be corrupt." },
            { tag: "device error", emit: function() { stateMachine.deviceError() }, dialog: "errorDialog",
              title: "Device Error", text: "The connected device has reported an error." },
            { tag: "comms error", emit: function() { stateMachine.commsError(7, "Failed to write to the device.") },
              dialog: "errorDialog", title: "Communication Error",
              text: "A communication error has occurred. Failed to write to the device. (Error code: 7)" },
            { tag: "write not held: ten leaves, then a count", dialog: "errorDialog", title: "Write Verification Failed",
              emit: function() {
                  var leaves = []
                  for (var i = 0; i < 12; ++i)
                      leaves.push({ path: "can.filterList[" + i + "].id", deviceValue: "0", editorValue: String(i + 1) })
                  stateMachine.writeVerificationFailed(leaves) },
              text: "The device acknowledged the write, but reading its configuration back shows that it does not hold what was sent:\n\n"
                    + "can.filterList[0].id: sent 1, read back 0\n" + "can.filterList[1].id: sent 2, read back 0\n"
                    + "can.filterList[2].id: sent 3, read back 0\n" + "can.filterList[3].id: sent 4, read back 0\n"
                    + "can.filterList[4].id: sent 5, read back 0\n" + "can.filterList[5].id: sent 6, read back 0\n"
                    + "can.filterList[6].id: sent 7, read back 0\n" + "can.filterList[7].id: sent 8, read back 0\n"
                    + "can.filterList[8].id: sent 9, read back 0\n" + "can.filterList[9].id: sent 10, read back 0\n"
                    + "... and 2 more\n\nYour configuration is unchanged." },
            { tag: "write unverified", dialog: "errorDialog", title: "Write Not Verified",
              emit: function() { stateMachine.writeUnverified("The device did not answer the read-back in time.") },
              text: "The device acknowledged the write, but its configuration could not be read back to check it. The device did not answer the read-back in time.\n\nWhether the device holds the configuration is not known." },
            { tag: "save into a missing folder", dialog: "errorDialog", title: "Save Failed",
              emit: function() { win.dialogs.saveConfigurationTo(urlOf(gatewaySimulator.scratchPath("gone/Linie #3.frc"))) },
              text: "The configuration could not be saved to the file " + gatewaySimulator.scratchPath("gone/Linie #3.frc") + "." },
            { tag: "support archive into a missing folder", dialog: "errorDialog", title: "Support Archive Failed",
              emit: function() { win.dialogs.packSupportArchiveTo(urlOf(gatewaySimulator.scratchPath("gone/support"))) },
              text: "The support archive could not be created at " + gatewaySimulator.scratchPath("gone/support.zip") + "." },
            { tag: "secrets removed", dialog: "warningDialog", title: "Passwords and PINs Removed",
              emit: function() { stateMachine.configurationSecretsRemoved(["interface/network/bluetooth.data.data.pinCode2p0"]) },
              text: "This configuration comes from a support archive that left out its passwords and PINs:\n\n\u2022 Bluetooth pin code\n\n" },
            { tag: "write refused", dialog: "errorDialog", title: "Write Refused",
              emit: function() { stateMachine.writeRefusedSecretsRemoved(["interface/network/wlan.data.data.authentication.passphrase", "x.other"]) },
              text: "The configuration was not written: it still lacks passwords and PINs that a support archive left out:\n\n\u2022 WLAN authentication key\n\u2022 x.other\n\n" },
            { tag: "rejected while busy", emit: function() { stateMachine.configurationRejectedWhileBusy() },
              dialog: "errorDialog", title: "Configuration Not Taken Over", text: "The configuration was not loaded or created" },
            { tag: "new file", emit: function() { stateMachine.newFileSuccessful("TARN210") },
              notice: "Created new configuration for TARN210" },
            { tag: "support archive", notice: "Created support archive " + gatewaySimulator.scratchPath("Prüfstand 3/a #1.zip"),
              emit: function() { win.dialogs.packSupportArchiveTo(urlOf(gatewaySimulator.scratchPath("Prüfstand 3/a #1"))) } },
            { tag: "connect", emit: function() { stateMachine.connectSuccessful() }, notice: "Connection successful" },
            { tag: "disconnect", emit: function() { stateMachine.disconnectSuccessful() }, notice: "Disconnection successful" },
            { tag: "read", emit: function() { stateMachine.readFromDeviceSuccessful() }, notice: "Read data from device" },
            { tag: "write", emit: function() { stateMachine.writeToDeviceSuccessful() }, notice: "Wrote data to device" },
            { tag: "factory reset", emit: function() { stateMachine.factoryResetSuccessful() }, notice: "Factory reset command sent" },
            { tag: "pairing", emit: function() { stateMachine.pairingModeSuccessful() }, notice: "Pairing mode command sent" }
        ]
    }
    function test_e_sessionMessages(data) {
        data.emit()
        if (data.notice) {
            tryCompare(win.successToast, "text", data.notice)
            return
        }
        var dialog = item(data.dialog)
        tryCompare(dialog, "visible", true)
        compare(dialog.title, data.title)
        verify(dialog.text.indexOf(data.text) === 0, dialog.text)
        dialog.click(StandardButton.Ok)
        compare(dialog.title, "")
        compare(dialog.text, "")
    }

    function test_f_toastAppearsFadesAndClears() {
        var toast = win.successToast
        toast.show("Wrote data to device")
        compare(toast.opacity, 0.9)
        verify(toast.visible)
        tryVerify(function() { return toast.opacity > 0 && toast.opacity < 0.9 }, 10000, "fading")
        tryCompare(toast, "text", "", 10000)
        compare(toast.opacity, 0)
        verify(!toast.visible)
    }

    // Connected and read: each backup command sits in its menu and opens what it offers.
    function test_g_backupMenuItems_data() {
        return [
            { tag: "open backup folder", menu: "&File", action: "openBackupFolder" },
            { tag: "load backup", menu: "&File", action: "loadBackup", opened: function() { return item("loadBackupDialog") } },
            { tag: "compare with device", menu: "&Device", action: "compareWithDevice",
              opened: function() { return win.actions.backups.compareWindow } }
        ]
    }
    function test_g_backupMenuItems(data) {
        tryCompare(stateMachine, "busy", false, 10000)
        var action = win.actions.backups[data.action]
        var menus = [], menuItem = null
        for (var i = 0; i < win.menuBar.menus.length; ++i) {
            var menu = win.menuBar.menus[i]
            for (var j = 0; j < menu.items.length; ++j) {
                if (menu.items[j].action === action) {
                    menus.push(menu.title)
                    menuItem = menu.items[j]
                }
            }
        }
        compare(menus, [data.menu])
        if (!data.opened)
            return
        verify(action.enabled)
        menuItem.trigger()
        var opened = data.opened()
        tryCompare(opened, "visible", true)
        opened.close()
        tryCompare(opened, "visible", false)
    }

    // The file dialogs are made at their first opening, with their own filters.
    function test_g_fileDialogs_data() {
        return [
            { tag: "save as", action: "saveConfigurationAsAction", dialog: "saveDialog", filter: "(*.frc)" },
            { tag: "load", action: "loadConfigurationAction", dialog: "loadDialog", filter: "(*.frc)" },
            { tag: "support archive", action: "supportArchiveAction", dialog: "supportArchiveDialog", filter: "(*.zip)",
              via: "supportArchiveWindow" }
        ]
    }
    function test_g_fileDialogs(data) {
        tryCompare(stateMachine, "busy", false, 10000)
        saveStatusTracker.saveNeeded = false
        item(data.action).trigger()
        if (data.via) {
            activated(item(data.via))
            keyClick(Qt.Key_Return)
        }
        var dialog = item(data.dialog)
        tryCompare(dialog, "visible", true)
        verify(dialog.nameFilters[0].indexOf(data.filter) > 0, dialog.nameFilters[0])
        dialog.close()
        tryCompare(dialog, "visible", false)
        // The main window's shortcuts work again without a window manager.
        tryVerify(function() { return gatewaySimulator.hasKeyboard(win) })
    }

    // Passwords and PINs stay out of a support archive unless the user ticks
    // the archive window's one box, which has the keyboard when it opens.
    function test_g_supportArchiveSecrets_data() {
        return [
            { tag: "box left as it opens", tick: false, details: "Passwords and PINs removed from config.frc:" },
            { tag: "box ticked", tick: true, details: "Passwords and PINs: included in config.frc" }
        ]
    }
    function test_g_supportArchiveSecrets(data) {
        tryCompare(stateMachine, "busy", false, 10000)
        item("supportArchiveAction").trigger()
        var options = activated(item("supportArchiveWindow"))
        var box = findChild(options.contentItem, "includeSecretsCheckBox")
        verify(box && !box.checked)
        tryCompare(box, "activeFocus", true)
        if (data.tick)
            mouseClick(box)
        compare(box.checked, data.tick)
        keyClick(Qt.Key_Return)
        var dialog = item("supportArchiveDialog")
        tryCompare(dialog, "visible", true)
        // What the dialog hands on when a file is chosen.
        var path = gatewaySimulator.scratchPath("secrets " + data.tick)
        win.dialogs.packSupportArchiveTo(urlOf(path))
        dialog.close()
        tryCompare(dialog, "visible", false)
        // The question was answered: its window does not stay over the main window.
        tryVerify(function() { var left = findChild(win, "supportArchiveWindow"); return !left || !left.visible })
        var details = gatewaySimulator.archiveEntry(path + ".zip", "details.txt")
        verify(details.indexOf(data.details) > 0, details)
    }

    // A chosen backup is loaded like a configuration file, asking first about unsaved changes.
    function test_g_backupChosen_data() {
        return [ { tag: "saved", unsaved: false }, { tag: "unsaved, Yes", unsaved: true } ]
    }
    function test_g_backupChosen(data) {
        tryCompare(stateMachine, "busy", false, 10000)
        var path = saveStatusTracker.currentFilePath
        verify(path !== "")
        saveStatusTracker.saveNeeded = data.unsaved
        win.successToast.text = ""
        win.actions.backups.backupChosen(urlOf(path))
        var dialog = item("unsavedLoadFileCheckDialog")
        compare(dialog.visible, data.unsaved)
        if (data.unsaved) {
            compare(win.successToast.text, "")
            answerQuestion(dialog, "Yes")
        }
        tryCompare(win.successToast, "text", "Loaded file " + path)
    }

    // With one product on offer New creates at once, without the selection window.
    function test_g_singleProductNew() {
        compare(deviceFactory.supportedDeviceProductIds.length, 1)
        var action = item("newConfigurationAction")
        compare(action.text, "&New configuration")
        saveStatusTracker.saveNeeded = false
        var device = stateMachine.currentDevice
        var windows = win.data.length
        action.trigger()
        tryVerify(function() { return stateMachine.currentDevice !== device })
        compare(win.fileLabel.text, stateMachine.currentDevice.name() + ": (unsaved configuration)")
        compare(win.data.length, windows)
    }

    // The secondary windows open from their actions and from the status bar.
    function test_g_secondaryWindows_data() {
        return [
            { tag: "connection settings", open: function() { item("connectionSettingsAction").trigger() },
              window: "connectionSettingsWindow" },
            { tag: "status bar link", open: function() { mouseClick(item("linkStatus")) }, window: "connectionSettingsWindow" },
            { tag: "about", open: function() { item("aboutAction").trigger() }, window: "aboutWindow" },
            { tag: "status bar session, connected", open: function() { mouseClick(item("sessionStatus")) },
              window: "deviceInfoWindow" }
        ]
    }
    function test_g_secondaryWindows(data) {
        data.open()
        var opened = item(data.window)
        tryCompare(opened, "visible", true)
        opened.close()
        tryVerify(function() { return findChild(win, data.window) === null })
    }

    // Quitting while connected sends the gateway back to normal operation.
    function test_h_quitWhileConnected() {
        if (!stateMachine.connected)
            item("connectAction").trigger()
        tryCompare(stateMachine, "connected", true, 10000)
        tryCompare(stateMachine, "busy", false, 10000)
        saveStatusTracker.saveNeeded = false
        var before = logCount("received Q (enter normal operation)")
        item("exitAction").trigger()
        tryVerify(function() { return logCount("received Q (enter normal operation)") > before }, 10000)
    }
}
