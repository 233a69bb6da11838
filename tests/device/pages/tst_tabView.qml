import QtQuick 2.15
import QtQuick.Controls 1.4

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

        // Only when the screenshot script asks: one picture of each tab.
        function test_screenshots() {
            if (pagesTest.shotDirectory === "")
                skip("no picture directory given")
            var tabs = createPage()
            for (var i = 0; i < pages.length; ++i) {
                tabs.currentIndex = i
                tryCompare(tabs.getTab(i), "status", Loader.Ready)
                waitForRendering(tabs)
                verify(pagesTest.saveWindow(tabs, (i + 1) + "-" + pages[i]), pages[i])
            }
        }

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
            var shown = showEveryTab()
            for (var i = 0; i < shown.length; ++i)
                checkAccessibleNames(shown[i], pages[i])
        }
    }
}
