import QtQuick 2.15
import QtQuick.Controls 1.4

// An entry of a ThemedMenu.
MenuItem {}
