import QtQuick 2.15

// The Expert page in the real engine over a new configuration of the real driver.
Item {
    id: root
    width: 1024
    height: 768

    PageTestCase {
        name: "ExpertPage"
        source: "qrc:///ferrowWlan7701/qml/config/expert.qml"
        when: windowShown

        property QtObject co: null

        function prepare() {
            co = device.canConfig.canOpenConfig
        }

        function test_loadDefaultsAndSharedTimeout() {
            var page = createPage()
            var servers = [co.sdoConfigList[0], co.sdoConfigList[1]]
            for (var i = 0; i < 2; ++i) {
                servers[i].timeoutMs = 100 + i
                servers[i].rxChannel = 0x601 + i
                servers[i].txChannel = 0x581 + i
            }
            compare(child(child(page, "rx2Box"), "input").text, "0x602")
            // One box shows both timeouts: while they differ, it says so.
            verify(child(page, "serverTimeoutBox").problem.indexOf("0x65 ms") >= 0)
            mouseClick(child(page, "loadDefaultsButton"))
            compare(child(page, "serverTimeoutBox").problem, "")
            for (i = 0; i < 2; ++i) {
                compare(servers[i].timeoutMs, 2000)
                compare(servers[i].rxChannel, 0x600)
                compare(servers[i].txChannel, 0x580)
            }
            var packedDefaults = pagesTest.packedConfiguration()
            var timeout = child(page, "serverTimeoutBoxSpin")
            timeout.forceActiveFocus()
            keyClick(Qt.Key_A, Qt.ControlModifier)
            keyClick("b")
            keyClick("b")
            keyClick("8")
            keyClick(Qt.Key_Return)
            compare(servers[0].timeoutMs, 3000)
            compare(servers[1].timeoutMs, 3000)
            verify(pagesTest.packedConfiguration() !== packedDefaults)
        }

        function test_activeSleepBitKeepsOthers_data() {
            return [
                { tag: "set beside ACC and RTC", bits: 3, after: 131, sleepEnabled: true },
                { tag: "cleared, bit 31 kept", bits: 2147483776, after: 2147483648, sleepEnabled: false }
            ]
        }

        function test_activeSleepBitKeepsOthers(data) {
            var pm = device.kelConfig.powerManagementConfig
            pm.wakeupEnableBits = data.bits
            var page = createPage()
            mouseClick(child(page, "activeSleepBox"))
            compare(pm.wakeupEnableBits, data.after)
            compare(child(page, "timeToSleepBox").enabled, data.sleepEnabled)
            compare(child(child(page, "timeToSleepBox"), "input").text, "60 s")
        }

        function test_operationalFollowsStartupState() {
            var page = createPage()
            var box = child(page, "operationalBox")
            verify(box.checked)
            verify(!box.enabled)
            co.nmtStartupState = 4
            verify(!box.checked)
        }

        // Missing parts leave their controls disabled; nothing is written.
        function test_missingPartsWriteNothing_data() {
            return [
                { tag: "one SDO server", cut: function() { co.sdoConfigList = [co.sdoConfigList[0]] },
                  disabled: ["serverTimeoutBox", "rx1Box", "tx2Box", "loadDefaultsButton"] },
                { tag: "no SDO server", cut: function() { co.sdoConfigList = [] },
                  disabled: ["serverTimeoutBox", "rx1Box", "loadDefaultsButton"] },
                { tag: "no CANopen", cut: function() { device.canConfig.canOpenConfig = null },
                  disabled: ["nmtStartAllBox", "serverTimeoutBox", "rx2Box", "loadDefaultsButton"] },
                { tag: "no function settings", cut: function() { device.kelConfig.powerManagementConfig = null },
                  disabled: ["activeSleepBox", "timeToSleepBox"] }
            ]
        }

        function test_missingPartsWriteNothing(data) {
            data.cut()
            var before = pagesTest.packedConfiguration()
            var page = createPage()
            for (var i = 0; i < data.disabled.length; ++i) {
                var control = child(page, data.disabled[i])
                verify(!control.enabled, data.disabled[i])
                mouseClick(control)
            }
            mouseClick(child(page, "decimalButton"))
            compare(pagesTest.packedConfiguration(), before)
        }

        function test_viewingWritesNothing() {
            var before = pagesTest.packedConfiguration()
            var page = createPage()
            mouseClick(child(page, "decimalButton"))
            mouseClick(child(page, "hexadecimalButton"))
            compare(pagesTest.packedConfiguration(), before)
        }
    }
}
