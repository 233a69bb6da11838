import QtQuick 2.15
import QtQuick.Controls 1.4

ApplicationWindow {
    width: 1024
    height: 768
    visible: true
    title: "Minimal"
}
