import QtQuick
import Corvane.GCS

// One numbered step of the upgrade page: a badge with the number, the title, and the
// step's content below the title.
Item {
    id: step

    property int number: 1
    property string title: ""
    default property alias content: body.data

    implicitHeight: Math.max(badge.height, titleText.height + 6 + body.childrenRect.height) + 12

    Rectangle {
        anchors.fill: parent
        radius: Theme.radiusSmall
        color: Theme.alpha(Theme.panelHi, 0.5)
        border.width: 1
        border.color: Theme.border
    }
    Rectangle {
        id: badge
        x: 10
        y: 8
        width: 22
        height: 22
        radius: 11
        color: Theme.accentDim
        border.width: 1
        border.color: Theme.accent
        Text {
            anchors.centerIn: parent
            text: step.number
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontCaption
            font.bold: true
            color: Theme.accentHi
        }
    }
    Text {
        id: titleText
        x: badge.x + badge.width + 10
        y: 8
        text: step.title
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontBody
        font.bold: true
        color: Theme.text
    }
    Item {
        id: body
        x: titleText.x
        y: titleText.y + titleText.height + 6
        width: Math.max(0, step.width - x - 12)
        height: childrenRect.height
    }
}
