import QtQuick
import QtQuick.Controls
import Corvane.GCS

// Title bar above the page: which page is open and the link of the current device, or
// in a replay the recording instead of the link; at its right end "数据转发", which hands
// either on to other programs.
Rectangle {
    id: bar

    property alias connectBar: connectBar
    property alias forwardPanel: forwardPanel
    property bool replayMode: false

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
            text: (app.language, app.products.navTitleById(bar.navId))
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontTitle
            font.bold: true
            color: Theme.text
        }
        Text {
            objectName: "pageSubtitle"
            readonly property string subtitle: (app.language, app.products.navSubtitleById(bar.navId))
            visible: subtitle.length > 0
            anchors.verticalCenter: parent.verticalCenter
            text: subtitle
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontCaption
            color: Theme.muted
        }
    }

    Row {
        id: replayLink
        objectName: "replayLink"
        visible: bar.replayMode
        anchors.right: forwardButton.left
        anchors.rightMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        spacing: 10
        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            height: 22
            width: replayTag.implicitWidth + 16
            radius: 11
            color: Theme.alpha(Theme.accent, 0.16)
            border.width: 1
            border.color: Theme.alpha(Theme.accentHi, 0.6)
            Text {
                id: replayTag
                objectName: "replayTagText"
                anchors.centerIn: parent
                text: app.replay.playing ? qsTr("回放中") : qsTr("已暂停")
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontCaption
                font.bold: true
                color: Theme.accentHi
            }
        }
        Text {
            id: replayFile
            objectName: "replayFileName"
            anchors.verticalCenter: parent.verticalCenter
            width: Math.min(implicitWidth, Math.max(80, bar.width - title.width - 300))
            text: app.replay.fileName + " · " + app.replay.kindText
            font.family: Theme.monoFamily
            font.pixelSize: Theme.fontCaption
            color: Theme.text
            elide: Text.ElideMiddle
            MouseArea {
                id: fileHover
                anchors.fill: parent
                hoverEnabled: true
                acceptedButtons: Qt.NoButton
            }
            ToolTip.visible: fileHover.containsMouse
            ToolTip.delay: 500
            ToolTip.text: app.replay.filePath
        }
        GButton {
            objectName: "closeReplayButton"
            anchors.verticalCenter: parent.verticalCenter
            kind: "danger"
            text: qsTr("结束回放")
            onClicked: app.closeReplay()
        }
    }

    DeviceConnectBar {
        id: connectBar
        objectName: "deviceConnectBar"
        visible: !bar.replayMode && connectBar.shown
        anchors.right: forwardButton.left
        anchors.rightMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        onConnectDialogRequested: bar.connectDialogRequested()
        onEditRequested: bar.editRequested()
        // What the title, the tag and the buttons leave over.
        maxLinkWidth: Math.max(80, Math.min(480, bar.width - title.width - 320
                                                 - forwardButton.width))
    }

    GButton {
        id: forwardButton
        objectName: "forwardButton"
        anchors.right: parent.right
        anchors.rightMargin: 6
        anchors.verticalCenter: parent.verticalCenter
        kind: app.forward.active ? "normal" : "ghost"
        text: app.forward.nmeaClients > 0 ? qsTr("数据转发 · %1").arg(app.forward.nmeaClients)
                                          : qsTr("数据转发")
        toolTipText: qsTr("把数据转发给其他程序（UDP JSON、NMEA 0183）")
        onClicked: forwardPanel.opened ? forwardPanel.close() : forwardPanel.open()

        // Lit while an output runs, red while one failed.
        readonly property bool failed: app.forward.udpState === 3 || app.forward.nmeaState === 3
        Rectangle {
            visible: app.forward.active || forwardButton.failed
            anchors.right: parent.right
            anchors.top: parent.top
            anchors.margins: 4
            width: 7
            height: 7
            radius: 3.5
            color: forwardButton.failed ? Theme.danger : Theme.linkOk
        }

        ForwardPanel {
            id: forwardPanel
            x: forwardButton.width - width
            y: forwardButton.height + 8
        }
    }
}
