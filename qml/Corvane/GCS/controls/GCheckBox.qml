import QtQuick
import QtQuick.Controls
import Corvane.GCS

// Check box of the shell, with an optional delayed tool tip. Space and Return toggle it.
CheckBox {
    id: control

    property string toolTipText: ""

    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontLabel
    hoverEnabled: true
    spacing: 6
    padding: 4

    ToolTip.visible: toolTipText.length > 0 && hovered
    ToolTip.delay: 500
    ToolTip.text: toolTipText

    Accessible.name: text
    Accessible.description: toolTipText
    Keys.onReturnPressed: { toggle(); toggled() }
    Keys.onEnterPressed: { toggle(); toggled() }

    FocusRing {}

    indicator: Rectangle {
        x: control.leftPadding
        anchors.verticalCenter: parent.verticalCenter
        width: 16
        height: 16
        radius: 4
        color: control.checked ? Theme.accent : Theme.input
        border.width: 1
        border.color: control.checked ? Theme.accent
                                      : control.hovered ? Theme.borderHi : Theme.border
        // A check mark made of two strokes.
        Item {
            anchors.fill: parent
            visible: control.checked
            Rectangle {
                x: 3; y: 8; width: 5; height: 2; radius: 1
                rotation: 45
                color: Theme.accentText
                antialiasing: true
            }
            Rectangle {
                x: 5.5; y: 6.8; width: 9; height: 2; radius: 1
                rotation: -50
                color: Theme.accentText
                antialiasing: true
            }
        }
    }

    contentItem: Text {
        leftPadding: control.indicator.width + control.spacing
        text: control.text
        font: control.font
        color: control.enabled ? Theme.text : Theme.faint
        verticalAlignment: Text.AlignVCenter
    }
}
