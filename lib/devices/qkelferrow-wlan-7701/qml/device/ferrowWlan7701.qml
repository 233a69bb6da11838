import QtQuick 2.15
import QtQuick.Window 2.15
import kelbus.kit 1.0

// The TARN210's configuration: one tab per page; each page is created when its
// tab is first shown and is bound to the device (and session) handed to the
// tab view by whoever loads it.
ThemedTabView {
    id: tabs
    objectName: "ferrowWlan7701Tabs"

    property QtObject device: null
    property QtObject session: null

    component PageTab: ThemedTab {
        property string page
        objectName: page + "Tab"
        Accessible.name: title
        // The page is created with its device (a page must never see a null
        // device first) and follows the tab view's from then on.
        Component.onCompleted: setSource("qrc:///ferrowWlan7701/qml/config/" + page + ".qml",
                                         { device: tabs.device, session: tabs.session })
        onLoaded: {
            item.device = Qt.binding(function() { return tabs.device })
            item.session = Qt.binding(function() { return tabs.session })
        }
    }

    // The fields that hold input which is not stored (`refused`), in page
    // order, for Write and Save to name: { page, label, problem, tab, item }.
    function invalidFields() {
        var found = []
        for (var i = 0; i < count; ++i) {
            var tab = getTab(i)
            if (tab.item)
                collectRefused(tab.item, tab.title, i, found)
        }
        return found
    }

    function collectRefused(item, page, tab, found) {
        if (item.refused === true && typeof item.focusInput === "function")
            found.push({ page: page, label: item.label, problem: item.refusal, tab: tab, item: item })
        for (var i = 0; i < item.children.length; ++i)
            collectRefused(item.children[i], page, tab, found)
    }

    // The focus goes to the field once the tab has settled, as the tab view
    // moves the focus itself when its current tab changes.
    function showField(field) {
        currentIndex = field.tab
        if (Window.window)
            Window.window.requestActivate()
        Qt.callLater(field.item.focusInput)
    }

    PageTab { title: qsTr("Device"); page: "device" }
    PageTab { title: qsTr("CAN Receive"); page: "canReceive" }
    PageTab { title: qsTr("WLAN"); page: "wlan" }
    PageTab { title: qsTr("Bluetooth"); page: "bluetooth" }
    PageTab { title: qsTr("Expert"); page: "expert" }
    PageTab { title: qsTr("Safety"); page: "safety" }
}
