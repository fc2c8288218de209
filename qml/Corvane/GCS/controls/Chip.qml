import QtQuick
import Corvane.GCS

// A small rounded label, used for categories and tags.
Rectangle {
    id: chip

    property alias text: label.text
    property color ink: Theme.accentHi
    property color fill: Theme.accentDim

    implicitWidth: label.implicitWidth + 16
    implicitHeight: 20
    radius: 10
    color: fill
    border.width: 1
    border.color: Theme.alpha(ink, 0.45)

    Text {
        id: label
        anchors.centerIn: parent
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontCaption
        color: chip.ink
    }
}
