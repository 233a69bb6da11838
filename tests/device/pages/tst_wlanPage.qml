import QtQuick 2.15
import kelbus.qkel.pb 1.0

// The WLAN and Bluetooth pages over a new configuration of the real driver:
// the corrections and refusals a user meets while editing.
Item {
    id: root
    width: 1024
    height: 768

    PageTestCase {
        id: testCase
        name: "WlanPage"
        source: "qrc:///ferrowWlan7701/qml/config/wlan.qml"
        when: windowShown

        property QtObject wlan: null
        property QtObject ap: null
        property QtObject auth: null
        property QtObject ip: null

        function prepare() {
            wlan = device.wlanInterface.object.object
            ap = wlan.accessPointConfig
            auth = wlan.authentication
            ip = wlan.ipConfig
            device.wlanInterface.enabled = true
        }

        function hexOf(text) {
            var hex = ""
            for (var i = 0; i < text.length; ++i)
                hex += text.charCodeAt(i).toString(16)
            return hex
        }

        function type(page, name, text) {
            var field = child(page, name + "Field")
            field.forceActiveFocus()
            field.selectAll()
            keyClick(Qt.Key_Delete)
            for (var i = 0; i < text.length; ++i)
                keyClick(text.charAt(i))
            return field
        }

        function choose(page, name, index) {
            child(page, name + "Box").activated(index)
        }

        function untick(page, names) {
            for (var i = 0; i < names.length; ++i) {
                var box = child(page, names[i])
                if (box.checked)
                    mouseClick(box)
            }
        }

        // Each row edits the page and then names the stored value it must end with.
        function test_corrections_data() {
            return [
                { tag: "Mini AP refuses WEP128", mode: 1, authMode: WlanAuthentication.AUTHENTICATION_MODE__SHARED_WEP128,
                  edit: function(page) { choose(page, "operatingMode", 1) },
                  object: "auth", property: "authenticationMode", stored: 0 },
                { tag: "channel 36 needs 802.11ag", mode: 2, standards: 1,
                  edit: function(page) { choose(page, "channel", 11) },
                  object: "ap", property: "channel", stored: 6, error: true },
                { tag: "no standard gives 802.11b", mode: 2, standards: 3,
                  edit: function(page) { untick(page, ["standard1", "standard2"]) },
                  object: "ap", property: "standardMask", stored: 1 },
                { tag: "no data rate gives 11 Mbit/s", mode: 2, standards: 3,
                  edit: function(page) { untick(page, ["rate1", "rate2", "rate4", "rate8", "rate16", "rate32", "rate64",
                                                        "rate128", "rate256", "rate512", "rate1024", "rate2048"]) },
                  object: "ap", property: "dataRateMask", stored: 32 },
                { tag: "no data rate with 802.11ag only", mode: 2, standards: 2, rates: 72,
                  edit: function(page) { untick(page, ["rate8", "rate16", "rate64", "rate128", "rate256", "rate512",
                                                        "rate1024", "rate2048"]) },
                  object: "ap", property: "dataRateMask", stored: 32 },
                { tag: "WEP128 to WEP64 clears the key", mode: 1, authMode: WlanAuthentication.AUTHENTICATION_MODE__SHARED_WEP128, key: "0123456789abcdef0123456789",
                  edit: function(page) { choose(page, "authenticationType", 1) },
                  object: "auth", property: "passphrase", stored: "" },
                { tag: "WEP64 to WEP128 keeps the key", mode: 1, authMode: WlanAuthentication.AUTHENTICATION_MODE__SHARED_WEP64, key: "0123456789",
                  edit: function(page) { choose(page, "authenticationType", 2) },
                  object: "auth", property: "passphrase", stored: "0123456789" },
                { tag: "a refused key gives way to the stored one on another type", mode: 1,
                  authMode: WlanAuthentication.AUTHENTICATION_MODE__SHARED_WEP64, key: "0123456789",
                  edit: function(page) {
                      type(page, "authenticationKey", "0123")
                      choose(page, "authenticationType", 3)
                      compare(child(page, "authenticationKeyField").text, "0123456789")
                  },
                  object: "auth", property: "passphrase", stored: "0123456789" },
                { tag: "nine WEP64 digits are refused", mode: 1, authMode: WlanAuthentication.AUTHENTICATION_MODE__SHARED_WEP64, key: "0123456789",
                  edit: function(page) { verify(type(page, "authenticationKey", "012345678").errorHighlight) },
                  object: "auth", property: "passphrase", stored: "0123456789" },
                { tag: "an unfinished address is refused", mode: 1, address: "192.168.0.1",
                  edit: function(page) {
                      var field = child(page, "ipAddressField")
                      field.forceActiveFocus()
                      field.cursorPosition = field.length
                      keyClick(Qt.Key_Backspace)
                      compare(field.text, "192.168.0.")
                      verify(field.errorHighlight)
                  },
                  object: "ip", property: "ipAddress", stored: "192.168.0.1" },
                { tag: "an empty address is stored empty", mode: 1, address: "10.0.0.1",
                  edit: function(page) { type(page, "ipAddress", "") },
                  object: "ip", property: "ipAddress", stored: "" }
            ]
        }

        function test_corrections(data) {
            wlan.mode = data.mode
            if (data.standards !== undefined)
                ap.standardMask = data.standards
            if (data.rates !== undefined)
                ap.dataRateMask = data.rates
            if (data.authMode !== undefined)
                auth.authenticationMode = data.authMode
            if (data.key !== undefined)
                auth.passphrase = data.key
            if (data.address !== undefined) {
                ip.dhcpMode = 0
                ip.ipAddress = data.address
            }
            var page = createPage()
            data.edit(page)
            var target = testCase[data.object]
            tryCompare(target, data.property, data.stored)
            if (data.error)
                tryVerify(function() { return page.errorShown })
            if (typeof data.stored === "string" && data.stored !== "")
                verify(pagesTest.packedConfiguration().indexOf(hexOf(data.stored)) >= 0)
        }

        // Each entry stores the schema's code and a stored code shows its entry;
        // Mini AP keeps WPA/WPA2 Mixed.
        function test_authenticationCodes_data() {
            var A = WlanAuthentication
            return [
                { tag: "None", index: 0, code: A.AUTHENTICATION_MODE__NONE },
                { tag: "WEP64", index: 1, code: A.AUTHENTICATION_MODE__SHARED_WEP64 },
                { tag: "WEP128", index: 2, code: A.AUTHENTICATION_MODE__SHARED_WEP128 },
                { tag: "WPA/WPA2 Mixed", index: 3, code: A.AUTHENTICATION_MODE__WPA_WPA2_MIXED },
                { tag: "WPA/WPA2 Mixed in Mini AP", index: 3, code: A.AUTHENTICATION_MODE__WPA_WPA2_MIXED, miniAp: true },
                { tag: "PEAP", index: 4, code: A.AUTHENTICATION_MODE__PEAP }
            ]
        }

        function test_authenticationCodes(data) {
            wlan.mode = data.miniAp ? WlanConfig.OPERATING_MODE__MINI_AP : WlanConfig.OPERATING_MODE__INFRASTRUCTURE
            var page = createPage()
            choose(page, "authenticationType", data.index)
            compare(auth.authenticationMode, data.code)
            verify(!page.authInvalid, "no correction pending")
            auth.authenticationMode = WlanAuthentication.AUTHENTICATION_MODE__NONE
            auth.authenticationMode = data.code
            compare(child(page, "authenticationTypeBox").currentIndex, data.index)
        }

        function test_minimumKeyLengthMessage() {
            wlan.mode = 1
            auth.authenticationMode = WlanAuthentication.AUTHENTICATION_MODE__SHARED_WEP64
            var page = createPage()
            type(page, "authenticationKey", "012345678")
            child(page, "ssidField").forceActiveFocus()
            tryVerify(function() { return page.errorShown })
            compare(page.errorText, "Minimum required authentication key length: 10")
        }

        // Showing a refused key, to correct it, leaves the focus in the field.
        function test_showKeyWhileRefused() {
            wlan.mode = 1
            auth.authenticationMode = WlanAuthentication.AUTHENTICATION_MODE__SHARED_WEP64
            var page = createPage()
            type(page, "authenticationKey", "012345678")
            var key = child(page, "authenticationKeyField")
            mouseClick(child(page, "showKey"))
            compare(key.echoMode, TextInput.Normal)
            verify(key.activeFocus, "the key field keeps the focus")
            wait(0)
            verify(!page.errorShown, "no box for a field that was not left")
        }

        function test_dnsListWrittenWhole_data() {
            return [
                { tag: "secondary into an empty list", list: [], index: 1, text: "8.8.4.4", after: ["", "8.8.4.4"] },
                { tag: "secondary beside a primary", list: ["1.1.1.1"], index: 1, text: "8.8.4.4",
                  after: ["1.1.1.1", "8.8.4.4"] },
                { tag: "cleared primary", list: ["1.1.1.1", "8.8.4.4"], index: 0, text: "", after: ["", "8.8.4.4"] }
            ]
        }

        function test_dnsListWrittenWhole(data) {
            wlan.mode = 1
            ip.dhcpMode = 0
            ip.dnsList = data.list
            var page = createPage()
            type(page, "dns" + data.index, data.text)
            compare(ip.dnsList, data.after)
            var packed = pagesTest.packedConfiguration()
            verify(packed.indexOf(hexOf("undefined")) < 0 && packed.indexOf(hexOf("null")) < 0)
        }

        function test_bluetoothMacAddress_data() {
            return [
                { tag: "colons are stored", typed: "00:1A:2b:3C:4d:5E", stored: "00:1A:2b:3C:4d:5E", refused: false },
                { tag: "hyphens are refused", typed: "00-1A-2B-3C-4D-5E", stored: "11:22:33:44:55:66", refused: true }
            ]
        }

        function test_bluetoothMacAddress(data) {
            device.sppRemote.enabled = true
            device.sppRemote.object.mac = "11:22:33:44:55:66"
            var page = createPage("qrc:///ferrowWlan7701/qml/config/bluetooth.qml")
            var field = type(page, "sppRemoteMac", data.typed)
            compare(field.text, data.typed)
            compare(device.sppRemote.object.mac, data.stored)
            compare(field.errorHighlight, data.refused)
            verify(pagesTest.packedConfiguration().indexOf(hexOf(data.stored)) >= 0)
        }

        function test_bothInterfacesWarnOnBothPages() {
            device.bluetoothInterface.enabled = true
            var pages = [createPage(), createPage("qrc:///ferrowWlan7701/qml/config/bluetooth.qml")]
            for (var i = 0; i < pages.length; ++i) {
                var warnings = findChildren(pages[i], function(item) { return item.text === "WARNING!" && item.visible })
                compare(warnings, 1, pages[i].objectName)
            }
        }

        function findChildren(item, match) {
            var count = match(item) ? 1 : 0
            for (var i = 0; i < item.children.length; ++i)
                count += findChildren(item.children[i], match)
            return count
        }
    }
}
