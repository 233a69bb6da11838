import QtQuick 2.15
import QtQuick.Controls 1.4

// A tab of a ThemedTabView: a loader of its page, created when first shown.
Tab {}
