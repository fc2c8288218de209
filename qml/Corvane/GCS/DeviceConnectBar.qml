import QtQuick
import QtQuick.Controls
import Corvane.GCS

// Link state and link actions of the current device, at the right of the context bar.
// While a link that went away by itself is awaited, "断开" ends the wait.
Row {
    id: bar

    signal connectDialogRequested()
    signal editRequested()

    readonly property bool online: app.currentManagedConnected
    readonly property bool linking: app.connecting
    readonly property bool awaiting: app.reconnecting && !online
    readonly property bool hasDevices: app.managedDevices.count > 0
    readonly property string packetFormat: app.ins && app.ins.packetFormat ? app.ins.packetFormat
                                                                           : ""
    readonly property string linkText: {
        var text = app.contextLinkText
        if (online && text.length > 0)
            text += " · " + (packetFormat.length > 0 ? packetFormat : qsTr("等待协议"))
        return text
    }
    property real maxLinkWidth: 360
    // What the tag, the buttons and the spacing take beside the link's text.
    readonly property real fixedWidth: {
        var taken = 0
        for (var i = 0; i < children.length; ++i) {
            var child = children[i]
            if (child !== link && child.visible)
                taken += child.width + spacing
        }
        return taken
    }

    readonly property bool shown: hasDevices || online || linking || awaiting || app.searching
                                  || app.hasPendingConnect
    visible: shown
    spacing: 10

    Rectangle {
        id: tag
        objectName: "linkTag"
        visible: bar.online || bar.linking || bar.awaiting
        anchors.verticalCenter: parent.verticalCenter
        height: 22
        width: tagRow.implicitWidth + 16
        radius: 11
        color: bar.online ? Theme.alpha(Theme.linkOkStrong, 0.16) : Theme.alpha(Theme.warn, 0.16)
        border.width: 1
        border.color: bar.online ? Theme.alpha(Theme.linkOkStrong, 0.6)
                                 : Theme.alpha(Theme.warn, 0.6)
        Row {
            id: tagRow
            anchors.centerIn: parent
            spacing: 6
            PulseDot {
                visible: bar.online
                anchors.verticalCenter: parent.verticalCenter
                width: 8
                height: 8
                active: bar.online
                activeColor: Theme.linkOk
            }
            Text {
                objectName: "linkTagText"
                anchors.verticalCenter: parent.verticalCenter
                text: bar.online ? qsTr("监控中") : bar.linking ? qsTr("连接中") : qsTr("等待重连")
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontCaption
                font.bold: true
                color: bar.online ? Theme.linkOk : Theme.warn
            }
        }
    }

    Text {
        id: link
        objectName: "contextLinkText"
        anchors.verticalCenter: parent.verticalCenter
        width: Math.min(implicitWidth, bar.maxLinkWidth)
        text: bar.linkText
        font.family: Theme.monoFamily
        font.pixelSize: Theme.fontCaption
        color: bar.online ? Theme.text : Theme.muted
        elide: Text.ElideRight
        MouseArea {
            id: linkHover
            anchors.fill: parent
            hoverEnabled: true
            acceptedButtons: Qt.NoButton
        }
        ToolTip.visible: link.truncated && linkHover.containsMouse
        ToolTip.delay: 500
        ToolTip.text: bar.linkText
    }

    GButton {
        objectName: "connectButton"
        anchors.verticalCenter: parent.verticalCenter
        visible: !bar.online && !bar.linking && !bar.awaiting && !app.searching && bar.hasDevices
        enabled: !app.connecting
        kind: "primary"
        text: qsTr("连接")
        onClicked: {
            if (app.canConnectCurrent)
                app.connectCurrentManaged()
            else
                bar.connectDialogRequested()
        }
    }
    GButton {
        objectName: "disconnectButton"
        anchors.verticalCenter: parent.verticalCenter
        visible: bar.online || bar.awaiting
        kind: "danger"
        text: qsTr("断开")
        onClicked: app.disconnectPrimary()
    }
    GButton {
        objectName: "editLinkButton"
        anchors.verticalCenter: parent.verticalCenter
        visible: bar.hasDevices
        enabled: !app.searching && !app.connecting
        text: qsTr("编辑")
        toolTipText: qsTr("编辑当前设备连接信息")
        onClicked: bar.editRequested()
    }
}
