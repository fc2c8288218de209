import QtQuick
import Corvane.GCS

// Title bar above the page: which page is open and the link of the current device.
Rectangle {
    id: bar

    property alias connectBar: connectBar

    signal connectDialogRequested()
    signal editRequested()
    readonly property string navId: app.currentNav

    height: Theme.titleBarHeight
    radius: Theme.radius
    color: Theme.alpha(Theme.panel, 0.94)
    border.width: 1
    border.color: Theme.border

    Row {
        id: title
        anchors.left: parent.left
        anchors.leftMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        spacing: 8
        Icon {
            anchors.verticalCenter: parent.verticalCenter
            name: ShellCatalog.navIcon(bar.navId)
            ink: Theme.iconAccentInk
        }
        Text {
            objectName: "pageTitle"
            anchors.verticalCenter: parent.verticalCenter
            text: app.products.navTitleById(bar.navId)
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontTitle
            font.bold: true
            color: Theme.text
        }
        Text {
            objectName: "pageSubtitle"
            readonly property string subtitle: app.products.navSubtitleById(bar.navId)
            visible: subtitle.length > 0
            anchors.verticalCenter: parent.verticalCenter
            text: subtitle
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontCaption
            color: Theme.muted
        }
    }

    DeviceConnectBar {
        id: connectBar
        objectName: "deviceConnectBar"
        anchors.right: parent.right
        anchors.rightMargin: 6
        anchors.verticalCenter: parent.verticalCenter
        onConnectDialogRequested: bar.connectDialogRequested()
        onEditRequested: bar.editRequested()
        // What the title, the tag and the buttons leave over.
        maxLinkWidth: Math.max(80, Math.min(480, bar.width - title.width - 320))
    }
}
