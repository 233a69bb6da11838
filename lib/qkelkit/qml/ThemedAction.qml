import QtQuick 2.15
import QtQuick.Controls 1.4

// An action of menus, tool buttons and shortcuts: the stock one, kept here so that only the kit knows which controls module draws the program.
Action {}
