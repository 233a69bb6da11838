import QtQuick 2.15
import kelbus.qkel.pb 1.0
import kelbus.kit 1.0

// The CAN Receive page's table of every filter, in the page's display and
// identifier formats.
ToolTipGroupBox {
    id: group
    property var page
    readonly property alias table: table

    title: qsTr("Objects")

    // Each column is as wide as its widest text, its title included, for the
    // data as it is now: every change of the model's data counts.
    property int revision: 0
    ThemedTableCell { id: probe; visible: false }
    FontMetrics { id: metrics; font: probe.font }

    function fit(title, texts) {
        var widest = metrics.advanceWidth(title)
        for (var i = 0; i < texts.length; ++i)
            widest = Math.max(widest, metrics.advanceWidth(texts[i]))
        return Math.ceil(widest) + probe.leftPadding + probe.rightPadding
    }

    function columnTexts(role, show) {
        var texts = []
        for (var i = 0; revision >= 0 && page.model && i < table.rowCount; ++i)
            texts.push(show(page.model.data(page.model.index(i, 0), role)))
        return texts
    }

    function numberTexts(role) {
        return columnTexts(role, function(v) { return NumberText.text(v, page.hexadecimal) })
    }

    ThemedTableView {
        id: table
        objectName: "filterTable"
        Accessible.name: qsTr("Objects")
        width: 700
        height: 200
        model: page.model

        ThemedTableViewColumn {
            title: qsTr("#")
            width: group.fit(title, [String(table.rowCount - 1)])
            delegate: ThemedTableCell { text: styleData.row }
        }
        ThemedTableViewColumn {
            role: "enabled"; title: qsTr("Active")
            width: group.fit(title, [qsTr("active"), qsTr("inactive")])
            delegate: ThemedTableCell { text: styleData.value ? qsTr("active") : qsTr("inactive") }
        }
        ThemedTableViewColumn {
            role: "extended"; title: qsTr("ID Length"); visible: page.layer2
            width: group.fit(title, [qsTr("29-bit"), qsTr("11-bit")])
            delegate: ThemedTableCell { text: styleData.value ? qsTr("29-bit") : qsTr("11-bit") }
        }
        ThemedTableViewColumn {
            role: "mask"; title: qsTr("Mask"); visible: page.layer2
            width: group.fit(title, group.numberTexts(CanFilterModel.CAN_FILTER_ROLE__MASK))
            delegate: ThemedTableCell { text: NumberText.text(styleData.value, page.hexadecimal) }
        }
        ThemedTableViewColumn {
            role: "id"; title: qsTr("CAN Identifier"); visible: page.layer2
            width: group.fit(title, group.numberTexts(CanFilterModel.CAN_FILTER_ROLE__ID))
            delegate: ThemedTableCell { text: NumberText.text(styleData.value, page.hexadecimal) }
        }
        ThemedTableViewColumn {
            role: "pgn"; title: qsTr("PGN"); visible: !page.layer2
            width: group.fit(title, group.numberTexts(CanFilterModel.CAN_FILTER_ROLE__PGN))
            delegate: ThemedTableCell { text: NumberText.text(styleData.value, page.hexadecimal) }
        }
        ThemedTableViewColumn {
            role: "inhibitTimeMs"; title: qsTr("Downsampling")
            width: group.fit(title, group.columnTexts(CanFilterModel.CAN_FILTER_ROLE__INHIBIT_TIME_MS,
                                                    function(v) { return v + " " + qsTr("ms") }))
            delegate: ThemedTableCell { text: styleData.value + " " + qsTr("ms") }
        }
    }
}
