import QtQuick 2.15
import kelbus.types 1.0
import kelbus.qkel.pb 1.0
import kelbus.kit 1.0
import "../fields/numberFormat.js" as NumberFormat

// The CAN receive filters: a table of every filter and, above it, the
// selected filter's settings. The selected row's values are read into the
// page; a control writes one role of that row through the model, never while
// the row is being read.
ConfigPage {
    id: page
    objectName: "canReceivePage"

    property bool hexadecimal: true
    property int canFormat: KelTypes.CAN_FORMAT_LAYER2
    readonly property bool layer2: canFormat === KelTypes.CAN_FORMAT_LAYER2
    readonly property QtObject model: device && device.canFilterModel ? device.canFilterModel : null
    readonly property var table: objects.table
    readonly property int row: model && table.currentRow >= 0 && table.currentRow < table.rowCount ? table.currentRow : -1

    // The selected row as last read.
    property bool ready: false
    property bool rowEnabled: false
    property bool rowExtended: false
    property real rowId: 0
    property real rowMask: 0
    property real rowInhibitTimeMs: 0
    property real rowPgn: 0
    readonly property real idMaximum: rowExtended ? 0x1FFFFFFF : 0x7FF

    function readRow() {
        ready = false
        if (row >= 0) {
            var at = model.index(row, 0)
            rowEnabled = !!model.data(at, CanFilterModel.CAN_FILTER_ROLE__ENABLED)
            rowExtended = !!model.data(at, CanFilterModel.CAN_FILTER_ROLE__EXTENDED)
            rowMask = Number(model.data(at, CanFilterModel.CAN_FILTER_ROLE__MASK))
            rowId = Number(model.data(at, CanFilterModel.CAN_FILTER_ROLE__ID))
            rowInhibitTimeMs = Number(model.data(at, CanFilterModel.CAN_FILTER_ROLE__INHIBIT_TIME_MS))
            rowPgn = Number(model.data(at, CanFilterModel.CAN_FILTER_ROLE__PGN))
        }
        ready = row >= 0
    }

    function write(role, value) {
        if (ready && row >= 0)
            model.setData(model.index(row, 0), value, role)
    }

    // The length a row is given is the length it checks, as in the rows of
    // a new configuration.
    function setLength(at, extended) {
        model.setData(at, extended, CanFilterModel.CAN_FILTER_ROLE__EXTENDED)
        model.setData(at, extended, CanFilterModel.CAN_FILTER_ROLE__EXTENDED_MATTERS)
    }

    // A standard frame carries 11 identifier bits: a row made 11-bit keeps no
    // identifier or mask bits its frames cannot match, and the user is told.
    function chooseLength(extended) {
        if (!ready || row < 0)
            return
        var id = rowId
        var mask = rowMask
        setLength(model.index(row, 0), extended)
        if (extended || (id <= 0x7FF && mask <= 0x7FF))
            return
        var limited = []
        if (id > 0x7FF) {
            write(CanFilterModel.CAN_FILTER_ROLE__ID, 0x7FF)
            limited.push(qsTr("identifier %1 to %2").arg(NumberText.text(id, hexadecimal)).arg(NumberText.text(0x7FF, hexadecimal)))
        }
        if (mask > 0x7FF) {
            write(CanFilterModel.CAN_FILTER_ROLE__MASK, 0x7FF)
            limited.push(qsTr("mask %1 to %2").arg(NumberText.text(mask, hexadecimal)).arg(NumberText.text(0x7FF, hexadecimal)))
        }
        showError(qsTr("Identifier Limited to 11 Bits"),
                  qsTr("An 11-bit row matches identifiers up to %1. Changed the %2.")
                  .arg(NumberText.text(0x7FF, hexadecimal)).arg(limited.join(qsTr(" and the "))))
    }

    // J1939 identifiers are 29-bit with the PGN in bits 8 to 23.
    function chooseFormat(j1939) {
        canFormat = j1939 ? KelTypes.CAN_FORMAT_J1939 : KelTypes.CAN_FORMAT_LAYER2
        if (!j1939 || !model)
            return
        for (var i = 0; i < table.rowCount; ++i) {
            model.setData(model.index(i, 0), 0x00FFFF00, CanFilterModel.CAN_FILTER_ROLE__MASK)
            setLength(model.index(i, 0), true)
        }
    }

    onRowChanged: {
        if (row >= 0) {
            table.selection.clear()
            table.selection.select(row)
        }
        readRow()
    }
    onModelChanged: readRow()

    Connections {
        target: page.model
        function onDataChanged() {
            page.readRow()
            ++objects.revision
        }
    }

    Column {
        x: 20; y: 20
        spacing: 20

        Row {
            spacing: 20

            ToolTipGroupBox {
                objectName: "onlineGroup"
                title: qsTr("Online CAN Object")
                contentsEnabled: page.row >= 0

                BoundCheckBox {
                    objectName: "activeBox"; text: qsTr("Active")
                    bound: page.row >= 0; value: page.rowEnabled
                    onToggledByUser: page.write(CanFilterModel.CAN_FILTER_ROLE__ENABLED, checked)
                }
                BoundComboBox {
                    objectName: "idLengthBox"; label: qsTr("ID length"); visible: page.layer2
                    bound: page.row >= 0; value: page.rowExtended ? 1 : 0
                    model: [qsTr("11-bit"), qsTr("29-bit")]
                    onChosen: page.chooseLength(value === 1)
                }
                LabelledSpinBox {
                    objectName: "idBox"; label: qsTr("CAN identifier"); visible: page.layer2
                    bound: page.row >= 0; value: page.rowId
                    hexadecimal: page.hexadecimal; maximumValue: page.idMaximum
                    onEdited: page.write(CanFilterModel.CAN_FILTER_ROLE__ID, value)
                }
                LabelledSpinBox {
                    objectName: "pgnBox"; label: qsTr("PGN"); visible: !page.layer2
                    bound: page.row >= 0; value: page.rowPgn
                    hexadecimal: page.hexadecimal; maximumValue: 0xFFFF
                    onEdited: {
                        page.write(CanFilterModel.CAN_FILTER_ROLE__PGN, value)
                        page.write(CanFilterModel.CAN_FILTER_ROLE__ID, NumberFormat.identifierOfPgn(value))
                    }
                }
                LabelledSpinBox {
                    objectName: "maskBox"; label: qsTr("Mask"); visible: page.layer2
                    bound: page.row >= 0; value: page.rowMask
                    hexadecimal: page.hexadecimal; maximumValue: page.idMaximum
                    onEdited: page.write(CanFilterModel.CAN_FILTER_ROLE__MASK, value)
                }
                // In milliseconds, as the table shows it: any stored time is
                // shown exactly; the steps go by 10 ms.
                LabelledSpinBox {
                    objectName: "downsamplingBox"; label: qsTr("Downsampling")
                    bound: page.row >= 0; value: page.rowInhibitTimeMs
                    maximumValue: 65535; stepSize: 10; suffix: " " + qsTr("ms")
                    onEdited: page.write(CanFilterModel.CAN_FILTER_ROLE__INHIBIT_TIME_MS, value)
                }
                ThemedText {
                    objectName: "filterPatternText"
                    visible: page.layer2
                    height: 25
                    verticalAlignment: Text.AlignVCenter
                    text: qsTr("Filter") + ": " + (page.row >= 0
                          ? NumberFormat.filterPattern(page.rowId, page.rowMask, page.rowExtended ? 29 : 11) : "")
                    Accessible.name: text
                }
            }

            Column {
                spacing: 20

                ToolTipGroupBox {
                    title: qsTr("Display Format")
                    ChoiceSwitch {
                        objectName: "displayFormat"
                        first: page.hexadecimal
                        onChosen: page.hexadecimal = first
                    }
                }

                ToolTipGroupBox {
                    title: qsTr("CAN ID Format")
                    toolTip: qsTr("Input format for CAN receive objects  Note that the device doesn't support J1939 transport protocols. This option only provides a more convenient way to configure CAN receive objects using PGN values.")
                    ChoiceSwitch {
                        objectName: "canIdFormat"
                        firstText: qsTr("Layer 2"); firstName: "layer2Button"
                        secondText: qsTr("J1939"); secondName: "j1939Button"
                        first: page.layer2
                        onChosen: page.chooseFormat(!first)
                    }
                }
            }
        }

        FilterTable {
            id: objects
            page: page
        }
    }
}
