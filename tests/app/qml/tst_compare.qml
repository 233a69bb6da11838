import QtQuick 2.15
import QtTest 1.2
import "qrc:///qml/."

// The compare window against the simulator: the editor's changes and nothing else.
Item {
    id: root
    width: 400
    height: 300

    BackupActions { id: backups }

    TestCase {
        name: "Compare"
        when: windowShown

        function rows(window) {
            var found = []
            var table = findChild(window.contentItem, "differenceTable")
            for (var i = 0; i < table.model.count; ++i) {
                var row = table.model.get(i)
                found.push([row.path, row.deviceValue, row.editorValue])
            }
            return found
        }

        function test_editsAndReverts() {
            verify(!backups.compareWithDevice.enabled)
            stateMachine.doConnect()
            tryVerify(function() { return backups.compareWithDevice.enabled }, 15000)
            var device = stateMachine.currentDevice
            var wlan = device.wlanInterface.object.object
            var filter = device.canConfig.filterList[2]
            var ssid = wlan.ssid
            var id = filter.id
            wlan.ssid = "Workshop 7"
            filter.id = 0x123

            backups.compareWithDevice.trigger()
            var window = backups.compareWindow
            tryVerify(function() { return window.visible })
            compare(rows(window), [
                ["interface/network/can.data.data.filterList[2].id", String(id), "291"],
                ["interface/network/wlan.data.data.ssid", JSON.stringify(ssid), "\"Workshop 7\""]])
            verify(!findChild(window.contentItem, "noDifferences").visible)

            wlan.ssid = ssid
            filter.id = id
            window.refresh()
            compare(window.differenceCount, 0)
            verify(findChild(window.contentItem, "noDifferences").visible)
            mouseClick(findChild(window.contentItem, "compareCloseButton"))
            tryVerify(function() { return !window.visible })
            stateMachine.doDisconnect()
            tryVerify(function() { return !backups.compareWithDevice.enabled })
        }
    }
}
