import QtQuick 2.15
import QtTest 1.2
import kelbus.types 1.0

// The pictures of the program, taken by scripts/screenshots.sh: the real main
// window and its secondary windows in the test runner's engine, against the
// runner's gateway simulator. Each row of `shots` is one picture, taken in
// order: `prepare` brings the session where the picture needs it, `ready`
// says when it is there, `tab` picks a tab of the device's pages, `window`
// names the secondary window to open (none: the main window), `edit` changes
// the configuration before it opens and `show` may arrange that window before
// the picture.
Item {
    id: root
    width: 100
    height: 100

    property var mainWindow: null

    function createWindow(file, parent) {
        var component = Qt.createComponent("qrc:///qml/" + file)
        if (component.status !== Component.Ready)
            console.warn("Cannot load a window:", component.errorString())
        return component.createObject(parent)
    }

    function idle() {
        return !stateMachine.busy
    }
    function connected() {
        return stateMachine.connected && !stateMachine.busy
    }
    function disconnected() {
        return !stateMachine.connected && !stateMachine.busy
    }
    function connect() {
        if (!stateMachine.connected)
            stateMachine.doConnect()
    }
    function disconnect() {
        if (stateMachine.connected)
            stateMachine.doEnterNormalOperation()
    }
    function newConfiguration() {
        disconnect()
        stateMachine.doNewConfiguration(deviceFactory.supportedDeviceProductIds[0])
    }
    function newConfigurationShown() {
        return disconnected() && saveStatusTracker.configurationType === KelTypes.CONFIGURATION_TYPE_NEW
    }

    function configurationRead() {
        return connected() && saveStatusTracker.configurationType === KelTypes.CONFIGURATION_TYPE_READ_FROM_DEVICE
            && mainWindow.deviceConfigurationLoader.status === Loader.Ready
    }
    // The driver's tab view shows the tab of that number once its page is built.
    function showTab(number) {
        var tabs = mainWindow.deviceConfigurationLoader.item
        tabs.currentIndex = number
        return tabs.getTab(number)
    }

    // The SSID the gateway holds, while a picture shows an edited one.
    property string heldSsid
    function wlan() {
        return stateMachine.currentDevice.wlanInterface.object.object
    }

    readonly property var shots: [
        { tag: "main-disconnected", ready: disconnected },
        { tag: "main-connected", prepare: connect, ready: connected },
        { tag: "tab-1-device", prepare: connect, ready: configurationRead, tab: 0 },
        { tag: "tab-2-canReceive", prepare: connect, ready: configurationRead, tab: 1 },
        { tag: "tab-3-wlan", prepare: connect, ready: configurationRead, tab: 2 },
        { tag: "tab-4-bluetooth", prepare: connect, ready: configurationRead, tab: 3 },
        { tag: "tab-5-expert", prepare: connect, ready: configurationRead, tab: 4 },
        { tag: "tab-6-safety", prepare: connect, ready: configurationRead, tab: 5 },
        { tag: "deviceInfo", prepare: connect, ready: connected, window: "deviceInfo.qml" },
        { tag: "connectionSettings", ready: idle, window: "connectionSettings.qml" },
        { tag: "about", ready: idle, window: "aboutWindow.qml" },
        { tag: "reviewWrite", prepare: connect, ready: configurationRead, window: "reviewWindow.qml",
          edit: function() { heldSsid = wlan().ssid; wlan().ssid = "Commissioning line 4" } },
        { tag: "reviewWrite-nothing-differs", prepare: connect, ready: configurationRead, window: "reviewWindow.qml",
          edit: function() { wlan().ssid = heldSsid } },
        { tag: "newConfig", prepare: disconnect, ready: disconnected, window: "newConfig.qml",
          show: function(window) { window.selectedIndex = 0 } },
        { tag: "supportArchive", prepare: connect, ready: connected, window: "supportArchiveWindow.qml" },
        { tag: "supportArchive-included", prepare: connect, ready: connected, window: "supportArchiveWindow.qml",
          show: function(window) { shooter.findChild(window.contentItem, "includeSecretsCheckBox").checked = true } },
        { tag: "main-new-configuration", prepare: newConfiguration, ready: newConfigurationShown }
    ]

    TestCase {
        id: shooter
        name: "Screenshots"
        when: windowShown

        function initTestCase() {
            mainWindow = createWindow("main.qml", null)
            verify(mainWindow, "the main window")
            mainWindow.show()
        }

        function test_shot_data() {
            return shots
        }
        function test_shot(shot) {
            if (shot.prepare)
                shot.prepare()
            tryVerify(shot.ready, 20000, "the session for " + shot.tag)
            var window = mainWindow
            if (shot.tab !== undefined)
                tryCompare(showTab(shot.tab), "status", Loader.Ready)
            if (shot.edit)
                shot.edit()
            if (shot.window) {
                window = createWindow(shot.window, mainWindow)
                verify(window, shot.window)
                window.show()
                if (shot.show)
                    shot.show(window)
            }
            tryCompare(window, "visible", true)
            waitForRendering(window.contentItem, 5000)
            // Images and the driver's page load after the first frame.
            wait(500)
            verify(windowGrabber.save(window, shot.tag), shot.tag)
            if (window !== mainWindow)
                window.close()
        }

        function cleanupTestCase() {
            disconnect()
            tryVerify(disconnected, 20000)
        }
    }
}
