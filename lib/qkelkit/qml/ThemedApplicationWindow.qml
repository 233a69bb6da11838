import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Controls.Styles 1.4
import "theme.js" as Theme

ApplicationWindow {
    // Centred over `other`, the window it belongs to, not at the screen's corner.
    function centreOver(other) {
        x = other.x + Math.round((other.width - width) / 2)
        y = other.y + Math.round((other.height - height) / 2)
    }

    style: ApplicationWindowStyle {
        background: Rectangle {
            color: Theme.themeWhite
        }
    }
}
