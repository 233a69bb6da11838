import QtQuick 2.15
import QtQuick.Controls.Private 1.0
import "theme.js" as Theme

// The spin box of the device pages: white field with a themed border and two
// step buttons at the right edge.
CustomSpinBox {
    id: control

    property int borderWidth: 1
    property bool showControls: true
    // Paints the field red with white text, like the themed text field.
    property bool errorHighlight: false

    horizontalAlignment: Qt.AlignLeft
    font.family: Theme.themeFontFamily
    font.pixelSize: Theme.themeFontPixelSizeNormal

    style: Style {
        id: spinStyle

        readonly property int buttonWidth: 24
        readonly property color disabledBorder: Qt.lighter(Theme.themeDark, 1.2)

        padding {
            top: 1
            left: Math.round(styleData.contentHeight / 2)
            right: Math.max(39, Math.round(styleData.contentHeight))
            bottom: 0
        }

        property Component panel: Item {
            id: panel

            property var margins: spinStyle.padding
            property int horizontalAlignment: Qt.AlignLeft
            property int verticalAlignment: Qt.AlignVCenter
            readonly property bool highlighted: control.errorHighlight && control.enabled
            property color foregroundColor: highlighted ? Theme.themeWhite
                                            : control.enabled ? Theme.themeBlack : Theme.themeDisabledText
            property color selectionColor: Theme.themeDark
            property color selectedTextColor: Theme.themeWhite
            property int renderType: Text.NativeRendering
            property rect upRect: Qt.rect(width - spinStyle.buttonWidth, 0, spinStyle.buttonWidth,
                                          Math.floor(height / 2) + 1)
            property rect downRect: Qt.rect(width - spinStyle.buttonWidth, Math.floor(height / 2),
                                            spinStyle.buttonWidth, height - Math.floor(height / 2))

            implicitWidth: 175
            implicitHeight: 25

            Rectangle {
                anchors.fill: parent
                color: panel.highlighted ? Theme.themeDark : control.enabled ? Theme.themeWhite : Theme.themeLight
                border.width: control.activeFocus ? control.borderWidth + 1 : control.borderWidth
                border.color: control.enabled ? Theme.themeDark : spinStyle.disabledBorder
            }

            component StepButton: Rectangle {
                property rect bounds
                property bool up
                x: bounds.x
                y: bounds.y
                width: bounds.width
                height: bounds.height
                visible: control.showControls
                color: control.enabled ? Theme.themeMedium : Theme.themeLight
                border.width: 1
                border.color: control.enabled ? Theme.themeDark : spinStyle.disabledBorder

                Image {
                    anchors.centerIn: parent
                    source: Theme.themeIconArrowDown
                    rotation: parent.up ? 180 : 0
                    opacity: control.enabled ? 1 : 0.5
                }
            }

            StepButton {
                bounds: panel.upRect
                up: true
            }

            StepButton {
                bounds: panel.downRect
                up: false
            }
        }
    }
}
