import QtQuick
import Corvane.GCS

// A value read back from the unit, "—" until one arrives; selectable for copying.
Rectangle {
    id: chip

    property string label: qsTr("回读")
    property string value: "—"

    implicitWidth: Math.max(96, row.implicitWidth + 20)
    implicitHeight: Theme.controlHeight
    radius: Theme.radiusSmall
    color: Theme.alpha(Theme.accent, Theme.light ? 0.08 : 0.12)
    border.width: 1
    border.color: Theme.alpha(Theme.accent, 0.35)
    clip: true
    Accessible.role: Accessible.StaticText
    Accessible.name: label + " " + value

    Row {
        id: row
        anchors.verticalCenter: parent.verticalCenter
        x: 10
        spacing: 6
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: chip.label
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontCaption
            color: Theme.muted
            Accessible.ignored: true
        }
        TextEdit {
            objectName: "readbackValue"
            anchors.verticalCenter: parent.verticalCenter
            width: Math.min(implicitWidth, chip.width - x - 10)
            text: chip.value
            readOnly: true
            selectByMouse: true
            font.family: Theme.monoFamily
            font.pixelSize: Theme.fontLabel
            color: chip.value === "—" ? Theme.faint : Theme.value
            selectionColor: Theme.accent
            selectedTextColor: Theme.accentText
            Accessible.ignored: true
        }
    }
}
