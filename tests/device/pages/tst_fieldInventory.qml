import QtQuick 2.15
import kelbus.qkel.pb 1.0

// Every editable field of the six pages, found by walking the pages (so a new
// field cannot be left out), driven through each of its input paths with edge
// values. After each edit ends, the field's text, the wrapper's value and the
// value a new device reads back from the packed bytes must be one value; text
// a field refuses stays as typed, marked red, and nothing is stored.
Item {
    id: root
    width: 1024
    height: 768

    // Somewhere to put the focus that is no field.
    TextInput { id: elsewhere; x: 1000; y: 740; width: 20; height: 20 }

    PageTestCase {
        id: testCase
        name: "FieldInventory"
        when: windowShown

        readonly property string config: "qrc:///ferrowWlan7701/qml/config/"
        // Controls that edit nothing stored, and why.
        readonly property var notStored: ({
            operationalBox: "shows the NMT start-up state, which no page edits",
            sppRemoteMode: "offers its single choice only",
            showKey: "switches the echo of the key fields"
        })
        property var seen: ({})
        property var covered: ({})

        // Every group switched on, and valid text where a field needs a form.
        function prepare() {
            var d = device
            d.wlanInterface.enabled = true
            d.socketRemote.enabled = true
            d.socketServer.enabled = true
            d.bluetoothInterface.enabled = true
            d.sppRemote.enabled = true
            d.sppRemote.object.mac = "00:11:22:33:44:55"
            d.sppServer.enabled = true
            d.bluetoothInterface.object.object.allowPairing2p0 = true
            d.wlanInterface.object.name = "tarn"
            var ip = d.wlanInterface.object.object.ipConfig
            ip.ipAddress = "192.168.1.2"; ip.netmask = "255.255.255.0"; ip.gateway = "192.168.1.1"
            ip.dnsList = ["192.168.1.1", "8.8.8.8"]
            d.canConfig.baudRateCanOpen = CanOpenConfig.BAUD_RATE__CUSTOM
            d.kelConfig.feedbackMode = KelFunctionConfig.FEEDBACK_MODE__ON
            d.kelConfig.timestampMode = KelFunctionConfig.TIMESTAMP_MODE__ABSOLUTE
            d.kelConfig.powerManagementConfig.wakeupEnableBits = PowerManagementConfig.WAKEUP_ENABLE_BITS__ACTIVE_SLEEP_CLAMP_15
            d.productConfig.object.safetyFunction.active = true
        }

        // The wrapper property behind a field: its own target, or for fields
        // that write through the page, where the page stores them.
        function storeOf(page, piece) {
            if (piece.target)
                return { object: piece.target, name: piece.propertyName }
            var d = device
            var wlan = d.wlanInterface.object.object
            var filter = page.row >= 0 ? d.canConfig.filterList[page.row] : null
            var special = {
                dns0: { object: wlan.ipConfig, name: "dnsList", index: 0 },
                dns1: { object: wlan.ipConfig, name: "dnsList", index: 1 },
                btr: { object: d.canConfig, name: "baudRateSfr", hex: true },
                feedbackBox: { object: d.kelConfig, name: "feedbackMode", bit: KelFunctionConfig.FEEDBACK_MODE__ON },
                activeSleepBox: { object: d.kelConfig.powerManagementConfig, name: "wakeupEnableBits", bit: 128 },
                serverTimeoutBox: { object: d.canConfig.canOpenConfig.sdoConfigList[0], name: "timeoutMs" },
                activeBox: { object: filter, name: "enabled" },
                idLengthBox: { object: filter, name: "extended" },
                idBox: { object: filter, name: "id" },
                maskBox: { object: filter, name: "mask" },
                pgnBox: { object: filter, name: "pgn" },
                downsamplingBox: { object: filter, name: "inhibitTimeMs" }
            }
            var store = special[piece.objectName]
            if (!store && piece.objectName.indexOf("standard") === 0)
                store = { object: wlan.accessPointConfig, name: "standardMask", bit: Number(piece.objectName.substring(8)) }
            if (!store && piece.objectName.indexOf("rate") === 0)
                store = { object: wlan.accessPointConfig, name: "dataRateMask", bit: Number(piece.objectName.substring(4)) }
            verify(store !== undefined, "no store known for " + piece.objectName)
            return store
        }

        // A stored value as the field would show it.
        function asShown(store, v) {
            if (store.index !== undefined)
                return v && v.length > store.index ? v[store.index] : ""
            if (store.bit !== undefined)
                return store.name === "feedbackMode" ? v === store.bit : Math.floor(Number(v) / store.bit) % 2 === 1
            if (store.hex)
                return Number(v).toString(16)
            return typeof v === "boolean" ? v : typeof v === "string" ? v : Number(v)
        }

        function kindOf(item) {
            return item.spinBox ? "spin" : item.field && item.focusInput ? "text"
                 : item.shownIndex !== undefined ? "combo" : item.toggledByUser ? "check" : ""
        }

        function piecesOf(item, found) {
            if (kindOf(item) !== "")
                found.push(item)
            for (var i = 0; i < item.children.length; ++i)
                piecesOf(item.children[i], found)
            return found
        }

        // What a spin box's text stands for: a bit pattern is negative only in
        // a field whose own range is signed.
        function numberShown(piece) {
            var spin = piece.spinBox
            var input = child(spin, "input")
            var digits = input.text.substring(spin.prefix.length, input.text.length - spin.suffix.length)
            var n = spin.radix === 10 ? Number(digits) : parseInt(digits, spin.radix)
            if (spin.radix !== 10 && piece.bitWidth > 0 && piece.minimumValue < 0 && n >= Math.pow(2, piece.bitWidth - 1))
                n -= Math.pow(2, piece.bitWidth)
            return n
        }

        function shownOf(piece, store) {
            switch (kindOf(piece)) {
            case "spin": return numberShown(piece)
            case "text": return piece.field.text
            case "check": return piece.checked
            }
            var v = piece.values ? piece.values[piece.box.currentIndex] : piece.box.currentIndex
            return typeof store.object[store.name] === "boolean" ? v === 1 : v
        }

        function closeErrorBox(page) {
            if (page.errorShown)
                page.errorDialog.close()
            tryVerify(function() { return !page.errorShown && !page.needsCorrection })
        }

        // The one rule: what the field shows, the wrapper and the packed bytes agree.
        function checkAgrees(page, piece, store, what) {
            closeErrorBox(page)
            var held = asShown(store, store.object[store.name])
            var packed = asShown(store, pagesTest.packedValue(store.object, store.name))
            var shown = shownOf(piece, store)
            compare(shown, held, piece.objectName + " " + what + ": shown and stored")
            compare(packed, held, piece.objectName + " " + what + ": stored and packed")
            if (kindOf(piece) === "spin" && !piece.outOfRange)
                verify(held >= piece.minimumValue && held <= piece.maximumValue, piece.objectName + " " + what + ": in range")
        }

        function typeText(text) {
            keyClick(Qt.Key_A, Qt.ControlModifier)
            keyClick(Qt.Key_Delete)
            for (var i = 0; i < text.length; ++i) {
                if (text.charCodeAt(i) < 128)
                    keyClick(text.charAt(i))
                else
                    pagesTest.typeText(root, text.charAt(i))
            }
        }

        // The digits a user types for a number in the box's format.
        function digitsOf(spin, n) {
            if (spin.radix === 10)
                return String(n)
            if (n < 0 && spin.bitWidth > 0)
                n += Math.pow(2, spin.bitWidth)
            return n < 0 ? "-" + (-n).toString(16) : n.toString(16)
        }

        function driveSpin(page, piece, store) {
            var spin = piece.spinBox
            var lo = piece.minimumValue, hi = piece.maximumValue
            var typed = [lo, hi, hi + 1, lo - 1, -1, Math.floor((lo + hi) / 2)]
            for (var i = 0; i < typed.length; ++i) {
                spin.forceActiveFocus()
                typeText(digitsOf(spin, typed[i]))
                keyClick(Qt.Key_Return)
                checkAgrees(page, piece, store, "typed " + typed[i])
                var twosComplement = spin.radix !== 10 && spin.bitWidth > 0 && lo < 0
                if (typed[i] > hi && !twosComplement)
                    compare(spin.value, hi, piece.objectName + ": past the maximum is the maximum, not a prefix")
            }
            spin.forceActiveFocus()
            typeText("")
            elsewhere.forceActiveFocus()
            checkAgrees(page, piece, store, "emptied")
            var keys = [[Qt.Key_Up, "Up"], [Qt.Key_Down, "Down"], [Qt.Key_PageUp, "PageUp"], [Qt.Key_PageDown, "PageDown"]]
            for (i = 0; i < keys.length; ++i) {
                spin.forceActiveFocus()
                keyClick(keys[i][0])
                checkAgrees(page, piece, store, keys[i][1])
            }
            var before = spin.value
            mouseWheel(spin, 10, 10, 0, 120)
            checkAgrees(page, piece, store, "wheel")
            verify(spin.value !== before || before === hi, piece.objectName + ": the wheel steps")
            var arrows = ["upArea", "downArea", "downArea"]
            for (i = 0; i < arrows.length; ++i) {
                elsewhere.forceActiveFocus()
                before = spin.value
                mouseClick(child(spin, arrows[i]))
                checkAgrees(page, piece, store, arrows[i] + " without focus")
                verify(spin.value !== before || before === lo || before === hi, piece.objectName + ": the arrow steps")
            }
        }

        function driveText(page, piece, store) {
            var field = piece.field
            var fill = !piece.allowed || piece.allowed.test("a") ? "a" : "0"
            var max = piece.maximumLength >= 0 ? piece.maximumLength : 20
            var stored = field.text
            var typed = ["", new Array(max + 1).join(fill), new Array(max + 2).join(fill), "Prüfstand ü", stored]
            for (var i = 0; i < typed.length; ++i) {
                field.forceActiveFocus()
                typeText(typed[i])
                compare(field.text, typed[i], piece.objectName + ": nothing typed is dropped or cut")
                if (piece.refused) {
                    verify(field.errorHighlight && piece.refusal !== "", piece.objectName + ": refused visibly")
                    verify(store.object[store.name] !== typed[i], piece.objectName + ": refused text is not stored")
                    typeText(stored)
                }
                elsewhere.forceActiveFocus()
                checkAgrees(page, piece, store, "typed " + typed[i])
            }
        }

        // Ends on the entry it started with, so that the fields a choice
        // hides are still there for the ones that follow.
        function driveCombo(page, piece, store) {
            var original = piece.box.currentIndex
            for (var i = piece.box.count - 1; i >= 0; --i) {
                piece.box.activated(i)
                checkAgrees(page, piece, store, "chose " + i)
            }
            var keys = [Qt.Key_Down, Qt.Key_Up]
            for (i = 0; i < keys.length; ++i) {
                piece.box.forceActiveFocus()
                keyClick(keys[i])
                checkAgrees(page, piece, store, "key " + keys[i])
            }
            piece.box.activated(original)
            checkAgrees(page, piece, store, "chose " + original + " again")
        }

        function driveCheck(page, piece, store) {
            mouseClick(piece)
            checkAgrees(page, piece, store, "clicked")
            piece.forceActiveFocus()
            keyClick(Qt.Key_Space)
            checkAgrees(page, piece, store, "space")
        }

        function test_everyField_data() {
            return [
                { tag: "Device", page: "device" },
                { tag: "CAN Receive, Layer 2 hexadecimal", page: "canReceive", row: 1 },
                { tag: "CAN Receive, Layer 2 decimal", page: "canReceive", row: 0, format: "decimalButton" },
                { tag: "CAN Receive, J1939", page: "canReceive", row: 2, format: "j1939Button" },
                { tag: "WLAN, WEP64", page: "wlan", auth: WlanAuthentication.AUTHENTICATION_MODE__SHARED_WEP64, key: "0123456789" },
                { tag: "WLAN, PEAP", page: "wlan", auth: WlanAuthentication.AUTHENTICATION_MODE__PEAP },
                { tag: "WLAN, Mini AP", page: "wlan", miniAp: true, auth: WlanAuthentication.AUTHENTICATION_MODE__WPA_WPA2_MIXED, key: "secret-key" },
                { tag: "Bluetooth", page: "bluetooth" },
                { tag: "Expert, hexadecimal", page: "expert" },
                { tag: "Expert, decimal", page: "expert", format: "decimalButton" },
                { tag: "Safety, signed8 decimal", page: "safety", dataType: 3 },
                { tag: "Safety, signed16 hexadecimal", page: "safety", dataType: 4, format: "hexadecimalButton" },
                { tag: "Safety, unsigned32 hexadecimal", page: "safety", dataType: 2, format: "hexadecimalButton" },
                { tag: "Safety, unsigned8 hexadecimal, stored -1", page: "safety", dataType: 0, testValue: -1, format: "hexadecimalButton" }
            ]
        }

        function test_everyField(data) {
            var wlan = device.wlanInterface.object.object
            if (data.miniAp) {
                wlan.mode = WlanConfig.OPERATING_MODE__MINI_AP
                wlan.accessPointConfig.standardMask = 3
            }
            if (data.auth !== undefined)
                wlan.authentication.authenticationMode = data.auth
            if (data.key)
                wlan.authentication.passphrase = data.key
            if (data.dataType !== undefined)
                device.productConfig.object.safetyFunction.dataType = data.dataType
            if (data.testValue !== undefined)
                device.productConfig.object.safetyFunction.testValue = data.testValue
            var page = createPage(config + data.page + ".qml")
            if (data.format)
                mouseClick(child(page, data.format))
            if (data.row !== undefined)
                child(page, "filterTable").currentRow = data.row
            // Mode switches (combo boxes) come last, so that the fields of this
            // setup's mode are driven before a choice may hide them.
            var order = ["text", "spin", "check", "combo"]
            var pieces = piecesOf(page, []).sort(function(a, b) { return order.indexOf(kindOf(a)) - order.indexOf(kindOf(b)) })
            for (var i = 0; i < pieces.length; ++i) {
                verify(pieces[i].objectName !== "", "every field has a name")
                seen[data.page + "/" + pieces[i].objectName] = true
            }
            for (i = 0; i < pieces.length; ++i) {
                var piece = pieces[i]
                if (notStored[piece.objectName] !== undefined || !piece.visible || !piece.enabled)
                    continue
                covered[data.page + "/" + piece.objectName] = true
                var store = storeOf(page, piece)
                checkAgrees(page, piece, store, "as loaded")
                var kind = kindOf(piece)
                if (kind === "spin") driveSpin(page, piece, store)
                else if (kind === "text") driveText(page, piece, store)
                else if (kind === "combo") driveCombo(page, piece, store)
                else driveCheck(page, piece, store)
            }
        }

        // Runs last (by name): each field was driven in at least one setup.
        function test_zz_noFieldLeftOut() {
            var missed = Object.keys(seen).filter(function(name) {
                return !covered[name] && notStored[name.split("/")[1]] === undefined
            })
            compare(missed, [], "fields no setup reached")
            verify(Object.keys(seen).length > 50, "the inventory found the pages' fields")
        }
    }
}
