import QtQuick
import Corvane.GCS

// A titled card of the telemetry pages. The header (title, optional subtitle and a slot
// at the right) and the padding take 56 pixels; the rest is the body. A screen reader
// meets it as a group named by its title.
Rectangle {
    id: card

    property string title: ""
    property string subtitle: ""
    property color subtitleColor: Theme.muted
    // Items placed at the right of the header.
    property alias headerRight: headerRightArea.data
    default property alias body: bodyArea.data
    readonly property alias bodyArea: bodyArea

    readonly property int padding: 12
    readonly property int headerHeight: 24
    readonly property int headerGap: 8

    radius: Theme.radius
    color: Theme.alpha(Theme.card, 0.92)
    border.width: 1
    border.color: Theme.border
    Accessible.role: Accessible.Grouping
    Accessible.name: title
    Accessible.description: subtitle
    Behavior on color { ColorAnimation { duration: Theme.colorDuration } }

    // A thin accent line marks the card's title.
    Rectangle {
        x: card.padding
        y: card.padding + 4
        width: 3
        height: card.headerHeight - 8
        radius: 1.5
        color: Theme.accent
    }

    Row {
        id: titleRow
        x: card.padding + 10
        y: card.padding
        height: card.headerHeight
        spacing: 8
        width: Math.max(0, headerRightArea.x - x - 8)
        clip: true
        Text {
            objectName: "cardTitle"
            anchors.verticalCenter: parent.verticalCenter
            text: card.title
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontBody
            font.bold: true
            color: Theme.text
            Accessible.ignored: true
        }
        Text {
            objectName: "cardSubtitle"
            anchors.verticalCenter: parent.verticalCenter
            visible: text.length > 0
            text: card.subtitle
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontCaption
            color: card.subtitleColor
            Accessible.ignored: true
        }
    }

    Item {
        id: headerRightArea
        anchors.right: parent.right
        anchors.rightMargin: card.padding
        y: card.padding
        height: card.headerHeight
        width: childrenRect.width
    }

    Item {
        id: bodyArea
        x: card.padding
        y: card.padding + card.headerHeight + card.headerGap
        width: Math.max(0, card.width - 2 * card.padding)
        height: Math.max(0, card.height - y - card.padding)
    }
}
