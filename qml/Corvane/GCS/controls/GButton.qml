import QtQuick
import QtQuick.Controls
import Corvane.GCS

// Push button of the shell. kind: "normal", "primary" (accent fill), "danger" (red text
// and border) or "ghost" (no frame until hovered). Space and Return press it; a screen
// reader reads its text, or the tool tip's when it shows only an icon.
Button {
    id: control

    property string kind: "normal"
    property string toolTipText: ""
    property string iconName: ""

    implicitHeight: Theme.controlHeight
    implicitWidth: Math.max(64, contentItem.implicitWidth + leftPadding + rightPadding)
    leftPadding: 14
    rightPadding: 14
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontLabel
    hoverEnabled: true

    ToolTip.visible: toolTipText.length > 0 && hovered
    ToolTip.delay: 500
    ToolTip.text: toolTipText

    Accessible.name: text.length > 0 ? text : toolTipText
    Accessible.description: text.length > 0 ? toolTipText : ""
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()

    FocusRing {}

    readonly property color inkColor: {
        if (!enabled)
            return Theme.faint
        if (kind === "primary")
            return Theme.accentText
        if (kind === "danger")
            return Theme.danger
        return Theme.text
    }

    contentItem: Row {
        spacing: 6
        Icon {
            visible: control.iconName.length > 0
            name: control.iconName
            width: 16
            height: 16
            anchors.verticalCenter: parent.verticalCenter
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: control.text
            font: control.font
            color: control.inkColor
            elide: Text.ElideRight
            Behavior on color { ColorAnimation { duration: Theme.fastDuration } }
        }
    }

    background: Rectangle {
        radius: Theme.radiusSmall
        color: {
            if (control.kind === "primary") {
                if (!control.enabled)
                    return Theme.accentDim
                return control.down ? Qt.darker(Theme.accent, 1.15)
                                    : control.hovered ? Theme.accentHi : Theme.accent
            }
            if (control.kind === "ghost" && !control.hovered)
                return "transparent"
            if (control.kind === "danger" && control.hovered && control.enabled)
                return Theme.alpha(Theme.danger, 0.14)
            return control.down ? Theme.panelHi
                                : control.hovered && control.enabled ? Theme.panelHi : Theme.card
        }
        border.width: control.kind === "primary" || (control.kind === "ghost" && !control.hovered)
                      ? 0 : 1
        border.color: control.kind === "danger" && control.enabled
                      ? Theme.alpha(Theme.danger, 0.7)
                      : control.hovered && control.enabled ? Theme.borderHi : Theme.border
        Behavior on color { ColorAnimation { duration: Theme.fastDuration } }
    }
}
