import QtQuick
import Corvane.GCS

// The statistics page: what the decoder received and the link carried, three tiles to
// a row, then the decoder's integrity counters (what became of every byte: frames,
// sentences, checksum failures, rejected lines, skipped bytes, lost frames). A tile is
// live only while the current device is connected (the program's run time always is);
// "清零统计" clears the decoder's counters without touching the link.
Item {
    id: page
    objectName: "page_stats"

    readonly property bool connected: app.currentManagedConnected
    readonly property int errors: app.ins.packetErrs
    readonly property int packets: app.ins.recPackets
    readonly property int gap: 12
    readonly property int columns: 3
    readonly property int rows: Math.ceil(tileGrid.children.length / columns)
    readonly property real tileHeight: Math.max(56, Math.min(96, (height - 150 - (rows - 3) * gap)
                                                             / rows))
    // One map per statistics change, read by the integrity tiles.
    readonly property var integrity: app.ins.integrity

    readonly property real tileWidth: (width - gap * (columns - 1)) / columns

    // One binding per tile: the bridge's counters change with every chunk and record, and
    // only the tiles whose text really changed lay it out again.
    Grid {
        id: tileGrid
        objectName: "statsGrid"
        width: parent.width
        columns: page.columns
        rowSpacing: page.gap
        columnSpacing: page.gap

        ValueTile {
            objectName: "stat_recBytes"
            width: page.tileWidth
            height: page.tileHeight
            label: qsTr("接收字节")
            value: String(app.ins.recBytes)
            unit: "B"
            online: page.connected
        }
        ValueTile {
            objectName: "stat_sendBytes"
            width: page.tileWidth
            height: page.tileHeight
            label: qsTr("发送字节")
            value: String(app.ins.sendBytes)
            unit: "B"
            online: page.connected
        }
        ValueTile {
            objectName: "stat_recTime"
            width: page.tileWidth
            height: page.tileHeight
            label: qsTr("接收时长")
            value: app.ins.recTimeText.length > 0 ? app.ins.recTimeText : "00:00:00"
            online: page.connected
        }
        ValueTile {
            objectName: "stat_recPackets"
            width: page.tileWidth
            height: page.tileHeight
            label: qsTr("接收包")
            value: String(page.packets)
            unit: "pkt"
            online: page.connected
        }
        ValueTile {
            objectName: "stat_errors"
            width: page.tileWidth
            height: page.tileHeight
            label: qsTr("错包 · 丢包率")
            value: Telemetry.errorRateText(page.connected, page.errors, page.packets)
            tone: page.errors > 0 ? "warn" : "normal"
            online: page.connected
        }
        ValueTile {
            objectName: "stat_packetFre"
            width: page.tileWidth
            height: page.tileHeight
            label: qsTr("频率")
            value: String(app.ins.packetFre)
            unit: "Hz"
            online: page.connected
        }
        ValueTile {
            objectName: "stat_sessionRx"
            width: page.tileWidth
            height: page.tileHeight
            label: qsTr("会话接收")
            value: app.rxText
            online: page.connected
        }
        ValueTile {
            objectName: "stat_sessionTx"
            width: page.tileWidth
            height: page.tileHeight
            label: qsTr("会话发送")
            value: app.txText
            online: page.connected
        }
        ValueTile {
            objectName: "stat_runTime"
            width: page.tileWidth
            height: page.tileHeight
            label: qsTr("软件运行")
            value: app.runTimeText
            online: true
        }
        ValueTile {
            objectName: "stat_frames"
            width: page.tileWidth
            height: page.tileHeight
            label: qsTr("二进制帧")
            value: String(page.integrity.frames)
            unit: qsTr("帧")
            online: page.connected
        }
        ValueTile {
            objectName: "stat_sentences"
            width: page.tileWidth
            height: page.tileHeight
            label: qsTr("文本语句")
            value: String(page.integrity.sentences)
            unit: qsTr("条")
            online: page.connected
        }
        ValueTile {
            objectName: "stat_checksumErrors"
            width: page.tileWidth
            height: page.tileHeight
            label: qsTr("校验失败")
            value: String(page.integrity.checksum_errors)
            unit: qsTr("帧")
            tone: page.integrity.checksum_errors > 0 ? "warn" : "normal"
            online: page.connected
        }
        ValueTile {
            objectName: "stat_textErrors"
            width: page.tileWidth
            height: page.tileHeight
            label: qsTr("拒收文本行")
            value: String(page.integrity.text_errors)
            unit: qsTr("行")
            tone: page.integrity.text_errors > 0 ? "warn" : "normal"
            online: page.connected
        }
        ValueTile {
            objectName: "stat_skippedBytes"
            width: page.tileWidth
            height: page.tileHeight
            label: qsTr("跳过字节")
            value: String(page.integrity.skipped_bytes)
            unit: "B"
            online: page.connected
        }
        ValueTile {
            objectName: "stat_lostFrames"
            width: page.tileWidth
            height: page.tileHeight
            label: qsTr("丢帧")
            value: String(page.integrity.lost_frames)
            unit: qsTr("帧")
            tone: page.integrity.lost_frames > 0 ? "warn" : "normal"
            online: page.connected
        }
    }

    Rectangle {
        id: hintBox
        objectName: "parseHintBox"
        visible: app.ins.parseHint.length > 0
        y: tileGrid.height + page.gap
        width: parent.width
        height: visible ? hintText.implicitHeight + 16 : 0
        radius: Theme.radiusSmall
        color: Theme.alpha(Theme.warn, Theme.light ? 0.10 : 0.08)
        border.width: 1
        border.color: Theme.alpha(Theme.warn, 0.45)
        Text {
            id: hintText
            objectName: "parseHint"
            x: 12
            width: parent.width - 24
            anchors.verticalCenter: parent.verticalCenter
            text: app.ins.parseHint
            wrapMode: Text.Wrap
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontLabel
            color: Theme.warn
        }
    }

    Row {
        y: tileGrid.height + page.gap + (hintBox.visible ? hintBox.height + page.gap : 0)
        width: parent.width
        spacing: 12
        GButton {
            id: resetButton
            objectName: "resetStatsButton"
            text: qsTr("清零统计")
            enabled: page.connected
            onClicked: app.ins.resetStats()
        }
        Text {
            objectName: "resetStatsNote"
            anchors.verticalCenter: parent.verticalCenter
            width: parent.width - resetButton.width - parent.spacing
            text: qsTr("清零仅重置解析统计（字节/包/时长/错包），不断开连接。")
            wrapMode: Text.Wrap
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontCaption
            color: Theme.muted
        }
    }
}
