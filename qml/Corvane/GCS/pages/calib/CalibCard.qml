import QtQuick
import QtQuick.Layouts
import Corvane.GCS

// One titled card of the configuration page; children go below the title, one per row.
Rectangle {
    id: card

    property string title: ""
    property string subtitle: ""
    default property alias content: body.data

    Layout.fillWidth: true
    Layout.alignment: Qt.AlignTop
    implicitHeight: body.y + body.implicitHeight + 16
    radius: Theme.radius
    color: Theme.card
    border.width: 1
    border.color: Theme.border

    Row {
        id: heading
        x: 16
        y: 12
        width: parent.width - 32
        spacing: 8
        Text {
            id: titleText
            objectName: "cardTitle"
            text: card.title
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontBody
            font.bold: true
            color: Theme.text
        }
        Text {
            anchors.baseline: titleText.baseline
            width: Math.max(0, heading.width - titleText.width - heading.spacing)
            visible: card.subtitle.length > 0
            text: card.subtitle
            elide: Text.ElideRight
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontCaption
            color: Theme.muted
        }
    }

    ColumnLayout {
        id: body
        x: 16
        y: heading.y + heading.height + 10
        width: parent.width - 32
        spacing: 10
    }
}
