import QtQuick 2.15
import QtTest 1.2
import Qt.labs.settings 1.0
import kelbus.types 1.0

Item {
    id: root
    width: 200
    height: 100

    Component {
        id: storedPort
        Settings { category: "comms/serial"; property string port }
    }

    TestCase {
        name: "SecondaryWindows"
        when: windowShown

        property var window: null

        function open(file) {
            var component = Qt.createComponent("qrc:///qml/" + file)
            compare(component.status, Component.Ready, component.errorString())
            window = component.createObject(root)
            verify(window)
            window.show()
            window.requestActivate()
            tryCompare(window, "active", true)
            return window
        }
        function field(name) {
            var item = findChild(window.contentItem, name)
            verify(item, name)
            return item
        }
        function closed() {
            return window === null || !window.visible
        }
        function storedPortIs(port) {
            var settings = storedPort.createObject(root)
            var stored = settings.port
            settings.destroy()
            return stored === port
        }
        function cleanup() {
            if (window)
                window.destroy()
            window = null
        }

        function cleanupTestCase() {
            if (stateMachine.connected)
                stateMachine.doEnterNormalOperation()
            tryCompare(stateMachine, "connected", false, 20000)
        }

        function test_closing_data() {
            return [
                { tag: "about, button", file: "aboutWindow.qml", button: "closeButton" },
                { tag: "about, Esc", file: "aboutWindow.qml", key: Qt.Key_Escape },
                { tag: "about, Return", file: "aboutWindow.qml", key: Qt.Key_Return },
                { tag: "about, Enter", file: "aboutWindow.qml", key: Qt.Key_Enter },
                { tag: "connection, button", file: "connectionSettings.qml", button: "closeButton" },
                { tag: "connection, Esc", file: "connectionSettings.qml", key: Qt.Key_Escape },
                { tag: "connection, Return", file: "connectionSettings.qml", key: Qt.Key_Return },
                { tag: "connection, Enter", file: "connectionSettings.qml", key: Qt.Key_Enter },
                { tag: "device info, button", file: "deviceInfo.qml", button: "closeButton" },
                { tag: "device info, Esc", file: "deviceInfo.qml", key: Qt.Key_Escape },
                { tag: "device info, Return", file: "deviceInfo.qml", key: Qt.Key_Return },
                { tag: "new, Cancel", file: "newConfig.qml", button: "cancelButton" },
                { tag: "new, Esc", file: "newConfig.qml", key: Qt.Key_Escape },
                { tag: "new, Return without a selection", file: "newConfig.qml", key: Qt.Key_Return, staysOpen: true },
                { tag: "support archive, Cancel", file: "supportArchiveWindow.qml", button: "cancelButton" },
                { tag: "support archive, Esc", file: "supportArchiveWindow.qml", key: Qt.Key_Escape }
            ]
        }
        function test_closing(data) {
            open(data.file)
            if (data.button)
                mouseClick(field(data.button))
            else
                keyClick(data.key)
            if (data.staysOpen) {
                wait(50)
                verify(window.visible)
            } else {
                tryVerify(closed)
            }
        }

        // The port the provider offers is shown; choosing another is stored
        // for the next start, and choosing back restores the simulator's.
        function test_connectionSettingsStorePort() {
            open("connectionSettings.qml")
            var port = field("settingField_Port")
            compare(port.currentText, gatewaySimulator.portPath)
            verify(port.model.indexOf(gatewaySimulator.sparePortPath) >= 0)
            port.forceActiveFocus()
            var step = port.model.indexOf(gatewaySimulator.sparePortPath) > port.currentIndex ? Qt.Key_Down : Qt.Key_Up
            keyClick(step)
            compare(port.currentText, gatewaySimulator.sparePortPath)
            tryVerify(function() { return storedPortIs(gatewaySimulator.sparePortPath) })
            keyClick(step === Qt.Key_Down ? Qt.Key_Up : Qt.Key_Down)
            tryVerify(function() { return storedPortIs(gatewaySimulator.portPath) })
        }

        // An unplugged adapter's port stays the one shown while it is chosen,
        // and the first port present can still be picked in its place.
        function test_connectionSettingsShowAbsentChoice() {
            var gone = gatewaySimulator.portPath + "-unplugged"
            commsHandler.currentProvider.settings[0].value = gone
            open("connectionSettings.qml")
            var port = field("settingField_Port")
            compare(port.currentText, gone)
            compare(field("settingDescription_Port").text, "not plugged in")
            var first = port.model[1]
            port.forceActiveFocus()
            keyClick(Qt.Key_Down)
            tryVerify(function() { return storedPortIs(first) })
            compare(port.currentText, first)
            verify(port.model.indexOf(gone) < 0)
            commsHandler.currentProvider.settings[0].value = gatewaySimulator.portPath
            tryVerify(function() { return storedPortIs(gatewaySimulator.portPath) })
        }

        // The support archive's box has the keyboard when the window opens,
        // Space ticks it and Tab goes on to the buttons.
        function test_supportArchiveBoxByKeyboard() {
            open("supportArchiveWindow.qml")
            var box = field("includeSecretsCheckBox")
            verify(!box.checked)
            tryCompare(box, "activeFocus", true)
            keyClick(Qt.Key_Space)
            verify(box.checked)
            compare(field("includeSecretsNote").text.indexOf("Whoever receives the archive"), 0)
            keyClick(Qt.Key_Tab)
            verify(field("chooseArchiveFileButton").activeFocus)
        }

        function test_newConfigCreatesChosenProduct() {
            open("newConfig.qml")
            var names = deviceFactory.supportedDeviceNames
            verify(names.length > 0)
            for (var i = 0; i < names.length; ++i)
                compare(field("device_" + i).text, names[i])
            var create = field("createButton")
            verify(!create.enabled)
            mouseClick(field("device_0"))
            verify(create.enabled)
            keyClick(Qt.Key_Return)
            tryVerify(closed)
            tryVerify(function() { return stateMachine.currentDevice !== null })
            verify(stateMachine.currentDevice.productIds.indexOf(deviceFactory.supportedDeviceProductIds[0]) >= 0)
            compare(saveStatusTracker.configurationType, KelTypes.CONFIGURATION_TYPE_NEW)
        }

        // What the simulated gateway reports about itself reaches the window.
        function test_deviceInfoShowsConnectedGateway_data() {
            return [
                { tag: "device ID", row: "deviceId", expected: function() { return stateMachine.deviceIdString } },
                { tag: "vendor ID", row: "vendorId", expected: function() { return "120" } },
                { tag: "product code", row: "productCode", expected: function() { return "7701" } },
                { tag: "product group", row: "productGroup", expected: function() { return "101" } },
                { tag: "revision", row: "revisionNumber", expected: function() { return "10002" } },
                { tag: "serial", row: "serialNumber", expected: function() { return "210042" } },
                { tag: "manufactured", row: "dateOfManufacture", expected: function() { return "2016/03/07 09:05:01 UTC" } },
                { tag: "WLAN firmware", row: "wirelessFwVersion", expected: function() { return "3.1.2" } },
                { tag: "WLAN MAC", row: "wlanMac", expected: function() { return "02:54:41:52:4e:01" } },
                { tag: "Bluetooth MAC", row: "bluetoothMac", expected: function() { return "02:54:41:52:4e:02" } }
            ]
        }
        function test_deviceInfoShowsConnectedGateway(data) {
            if (!stateMachine.connected) {
                stateMachine.doConnect()
                tryCompare(stateMachine, "connected", true, 20000)
            }
            tryVerify(function() { return !stateMachine.busy }, 20000)
            open("deviceInfo.qml")
            var value = field(data.row + "Field")
            verify(data.expected() !== "")
            tryCompare(value, "text", data.expected())
            verify(value.visible)
        }

        function test_deviceInfoCopy() {
            open("deviceInfo.qml")
            var value = field("deviceIdField")
            mouseClick(field("deviceIdCopy"))
            compare(value.selectedText, "")
            var paste = findChild(root, "pasteTarget")
            paste.text = ""
            paste.paste()
            compare(paste.text, value.text)
        }
    }

    TextInput { objectName: "pasteTarget" }
}
