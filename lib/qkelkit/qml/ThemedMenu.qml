import QtQuick 2.15
import QtQuick.Controls 1.4

// A menu in the theme's light look.
Menu {
    style: ThemedMenuStyle {}
}
