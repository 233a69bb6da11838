import QtQuick 2.15
import kelbus.types 1.0
import kelbus.qkel.pb 1.0
import kelbus.kit 1.0

// The program's window: commands in menus and tool bar, the session state in
// the status bar, the current device's configuration pages in the middle.
ThemedApplicationWindow {
    id: mainApplication
    objectName: "mainApplication"

    property string serialPort: portSetting ? String(portSetting.value) : ""
    property var portSetting: null
    readonly property bool hasDeviceInfo: stateMachine.currentDevice !== null
        && stateMachine.currentDevice.deviceInfo !== null && stateMachine.currentDevice.deviceInfo.productCode > 0
    readonly property alias actions: mainActions
    readonly property alias dialogs: mainDialogs
    readonly property alias successToast: successToast
    readonly property alias deviceConfigurationLoader: deviceConfigurationLoader
    readonly property alias fileLabel: fileLabel

    title: applicationName
    width: 1024
    height: 768
    minimumWidth: 1024
    maximumWidth: 1024
    minimumHeight: 768
    maximumHeight: 768
    visible: true

    // The serial port shown in the status bar and needed to connect follows the
    // provider's "Port" setting.
    function updateSerialPort() {
        portSetting = null
        var provider = commsHandler.currentProvider
        if (!provider)
            return
        for (var i = 0; i < provider.settings.length; ++i) {
            if (provider.settings[i].name === "Port") {
                portSetting = provider.settings[i]
                return
            }
        }
    }

    function showWindow(file) {
        var component = Qt.createComponent(Qt.resolvedUrl(file))
        if (component.status !== Component.Ready) {
            mainDialogs.showError(qsTr("Window Unavailable"), qsTr("The window could not be opened:") + " " + component.errorString())
            return null
        }
        var window = component.createObject(mainApplication)
        window.centreOver(mainApplication)
        // Keyboard shortcuts act on the main window again once this one is gone.
        window.visibleChanged.connect(function() {
            if (!window.visible)
                mainApplication.requestActivate()
        })
        window.show()
        return window
    }

    // Sends a connected gateway back to normal operation before the program
    // ends; the comms worker puts that frame on the wire before it stops.
    function performQuit(force) {
        if (saveStatusTracker.saveNeeded && !force) {
            mainDialogs.unsavedQuitCheckDialog.open()
            return
        }
        if (stateMachine.connected)
            stateMachine.doEnterNormalOperation()
        Qt.quit()
    }

    // The title-bar close runs the quit procedure; the window itself never closes.
    onClosing: function(close) {
        close.accepted = false
        performQuit(false)
    }

    Component.onCompleted: {
        updateSerialPort()
        requestActivate()
    }

    Connections {
        target: commsHandler
        function onCurrentProviderChanged() { mainApplication.updateSerialPort() }
    }
    // A port refresh may choose another port on its own.
    Connections {
        target: mainApplication.portSetting
        function onValueChanged() { mainApplication.updateSerialPort() }
    }
    // Every new device gets its pages built afresh, even from the same driver.
    Connections {
        target: stateMachine
        function onCurrentDeviceChanged() {
            deviceConfigurationLoader.source = ""
            if (stateMachine.currentDevice)
                deviceConfigurationLoader.setSource(stateMachine.currentDevice.qmlPath,
                                                    { device: stateMachine.currentDevice, session: stateMachine })
        }
    }

    MainActions {
        id: mainActions
        window: mainApplication
        dialogs: mainDialogs
    }
    MainDialogs {
        id: mainDialogs
        window: mainApplication
        actions: mainActions
    }
    SessionMessages {
        dialogs: mainDialogs
        toast: successToast
    }

    menuBar: MainMenuBar {
        actions: mainActions
        deviceInfoShown: mainApplication.hasDeviceInfo
    }
    toolBar: MainToolBar {
        actions: mainActions
    }
    statusBar: MainStatusBar {
        actions: mainActions
        serialPort: mainApplication.serialPort
        windowWidth: mainApplication.width
    }

    Item {
        id: pageArea
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.bottom: fileLabel.visible ? fileLabel.top : parent.bottom

        ThemedPage {
            visible: deviceConfigurationLoader.status !== Loader.Ready
        }
        Loader {
            id: deviceConfigurationLoader
            objectName: "deviceConfigurationLoader"
            anchors.fill: parent
        }
        SuccessToast {
            id: successToast
            objectName: "successToast"
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 25
        }
    }

    ThemedElidedText {
        id: fileLabel
        objectName: "fileLabel"
        readonly property var device: stateMachine.currentDevice
        readonly property int type: saveStatusTracker.configurationType
        readonly property string source: type === KelTypes.CONFIGURATION_TYPE_NEW ? "(" + qsTr("unsaved configuration") + ")"
            : type === KelTypes.CONFIGURATION_TYPE_FILE ? saveStatusTracker.currentFilePath
            : "(" + qsTr("read from device") + ")"
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        width: Math.min(implicitWidth, parent.width - 20)
        toolTipAbove: pageArea
        bottomPadding: 4
        topPadding: 4
        text: device ? device.name() + ": " + source + (saveStatusTracker.saveNeeded ? "*" : "") : ""
        visible: text !== ""
    }

    // Swallows every click while the session is busy.
    MouseArea {
        objectName: "busyOverlay"
        anchors.fill: parent
        visible: stateMachine.busy
        hoverEnabled: true
        onWheel: wheel.accepted = true
        Rectangle {
            anchors.fill: parent
            color: "lightgray"
            opacity: 0.3
        }
        ThemedBusyIndicator {
            id: busyIndicator
            anchors.centerIn: parent
            running: stateMachine.busy
        }
        ThemedButton {
            objectName: "cancelButton"
            anchors.top: busyIndicator.bottom
            anchors.topMargin: 10
            anchors.horizontalCenter: parent.horizontalCenter
            action: mainActions.cancelAction
        }
    }
}
