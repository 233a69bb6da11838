import QtQuick 2.15
import QtQuick.Controls 1.4
import "qrc:///themes/morvane/qml/."

// The TARN210's configuration: one tab per page; each page is created when its
// tab is first shown and follows stateMachine.currentDevice from then on.
ThemedTabView {
    id: tabs
    objectName: "ferrowWlan7701Tabs"

    component PageTab: Tab {
        property string page
        objectName: page + "Tab"
        Accessible.name: title
        source: "qrc:///ferrowWlan7701/qml/config/" + page + ".qml"
    }

    PageTab { title: qsTr("Device"); page: "device" }
    PageTab { title: qsTr("CAN Receive"); page: "canReceive" }
    PageTab { title: qsTr("WLAN"); page: "wlan" }
    PageTab { title: qsTr("Bluetooth"); page: "bluetooth" }
    PageTab { title: qsTr("Expert"); page: "expert" }
    PageTab { title: qsTr("Safety"); page: "safety" }
}
