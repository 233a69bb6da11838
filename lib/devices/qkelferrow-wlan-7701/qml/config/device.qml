import QtQuick 2.15
import "../fields"

// Filled by the page of its own; until then an empty configuration page.
ConfigPage {
    objectName: "devicePage"
}
