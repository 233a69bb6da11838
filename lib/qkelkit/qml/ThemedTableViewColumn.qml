import QtQuick 2.15
import QtQuick.Controls 1.4

// A column of a ThemedTableView.
TableViewColumn {}
