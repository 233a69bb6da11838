import QtQuick 2.15
import kelbus.kit 1.0
import kelbus.qkel.pb 1.0

// The driver's tab view with all six pages, over configurations of the real driver.
Item {
    id: root
    width: 1024
    height: 768

    PageTestCase {
        name: "TabView"
        source: "qrc:///ferrowWlan7701/qml/device/ferrowWlan7701.qml"
        when: windowShown

        readonly property var pages: ["device", "canReceive", "wlan", "bluetooth", "expert", "safety"]

        // Shows every tab in turn, each leaving the packed configuration untouched; returns the loaded pages.
        function showEveryTab() {
            var before = pagesTest.packedConfiguration()
            var tabs = createPage()
            var shown = []
            for (var i = 0; i < pages.length; ++i) {
                tabs.currentIndex = i
                var tab = tabs.getTab(i)
                tryCompare(tab, "status", Loader.Ready)
                shown.push(tab.item)
                compare(pagesTest.packedConfiguration(), before, pages[i])
            }
            return shown
        }

        // Every control and group a user or a screen reader reaches is named
        // after its visible label (its title or text where it shows one).
        function checkAccessibleNames(item, path) {
            var accessible = item.Accessible
            var named = [Accessible.Grouping, Accessible.CheckBox, Accessible.RadioButton, Accessible.Button,
                         Accessible.ComboBox, Accessible.SpinBox, Accessible.EditableText]
            if (accessible && item.visible && named.indexOf(accessible.role) >= 0) {
                var shown = item.title !== undefined ? item.title : item.text
                if (shown !== undefined && accessible.role !== Accessible.EditableText)
                    compare(accessible.name, shown, path)
                else
                    verify(accessible.name !== "", path + " has no accessible name")
            }
            for (var i = 0; i < item.children.length; ++i)
                checkAccessibleNames(item.children[i], path + "/" + (item.children[i].objectName || i))
        }

        // Showing the tabs neither changes a byte nor marks the configuration
        // unsaved, also where parts are missing.
        function test_viewingChangesNothing_data() {
            return [
                { tag: "driver default", cut: function() {} },
                { tag: "missing parts", cut: function() {
                    device.canConfig.canOpenConfig = null
                    device.kelConfig.powerManagementConfig = null
                    device.productConfig.object.safetyFunction = null
                    device.bluetoothInterface.object = null
                    device.wlanInterface.object.object = null
                } }
            ]
        }

        function test_viewingChangesNothing(data) {
            data.cut()
            saveStatusTracker.saveNeeded = false
            var shown = showEveryTab()
            verify(!saveStatusTracker.saveNeeded, "viewing marked the configuration unsaved")
            for (var i = 0; i < shown.length; ++i)
                checkAccessibleNames(shown[i], pages[i])
        }

        // Every combo box shows the entry of its stored value, whether the
        // value was there before the pages were built or came while they show.
        function test_comboBoxesShowStoredValues_data() {
            return [{ tag: "stored before the pages", before: true }, { tag: "stored while they show", before: false }]
        }

        function test_comboBoxesShowStoredValues(data) {
            function store() {
                device.canConfig.baudRateCanOpen = 3
                device.kelConfig.timestampMode = 2
                device.bluetoothInterface.object.object.securityMode = BluetoothConfig.SECURITY_MODE__JUST_WORKS
                device.wlanInterface.object.object.authentication.authenticationMode =
                        WlanAuthentication.AUTHENTICATION_MODE__WPA_WPA2_MIXED
                device.productConfig.object.safetyFunction.dataType = 4
            }
            if (data.before)
                store()
            var shown = showEveryTab()
            if (!data.before)
                store()
            var chosen = 0
            function check(item, path) {
                if (item.shownIndex !== undefined && item.box !== undefined) {
                    compare(item.box.currentIndex, item.shownIndex, path)
                    chosen += item.shownIndex > 0 ? 1 : 0
                }
                for (var i = 0; i < item.children.length; ++i)
                    check(item.children[i], path + "/" + (item.children[i].objectName || i))
            }
            for (var i = 0; i < shown.length; ++i)
                check(shown[i], pages[i])
            verify(chosen >= 5, chosen + " combo boxes show a value past their first")
        }
    }
}
