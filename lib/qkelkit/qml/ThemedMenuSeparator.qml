import QtQuick 2.15
import QtQuick.Controls 1.4

// A line between groups of entries of a ThemedMenu.
MenuSeparator {}
