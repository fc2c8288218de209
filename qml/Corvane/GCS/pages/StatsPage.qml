import QtQuick
import Corvane.GCS
import "../charts"
import "../charts/Telemetry.js" as Telemetry

// The statistics page: what the decoder received and the link carried, three tiles to
// a row. A tile is live only while the current device is connected (the program's run
// time always is); "清零统计" clears the decoder's counters without touching the link.
Item {
    id: page
    objectName: "page_stats"

    readonly property bool connected: app.currentManagedConnected
    readonly property int errors: app.ins.packetErrs
    readonly property int packets: app.ins.recPackets
    readonly property int gap: 12
    readonly property int columns: 3
    readonly property real tileHeight: Math.max(64, Math.min(96, (height - 150) / 3))

    readonly property var tiles: [
        { key: "recBytes", label: "接收字节", value: String(app.ins.recBytes), unit: "B",
          online: connected },
        { key: "sendBytes", label: "发送字节", value: String(app.ins.sendBytes), unit: "B",
          online: connected },
        { key: "recTime", label: "接收时长",
          value: app.ins.recTimeText.length > 0 ? app.ins.recTimeText : "00:00:00",
          online: connected },
        { key: "recPackets", label: "接收包", value: String(packets), unit: "pkt",
          online: connected },
        { key: "errors", label: "错包 · 丢包率",
          value: Telemetry.errorRateText(connected, errors, packets),
          tone: errors > 0 ? "warn" : "normal", online: connected },
        { key: "packetFre", label: "频率", value: String(app.ins.packetFre), unit: "Hz",
          online: connected },
        { key: "sessionRx", label: "会话接收", value: app.rxText, online: connected },
        { key: "sessionTx", label: "会话发送", value: app.txText, online: connected },
        { key: "runTime", label: "软件运行", value: app.runTimeText, online: true }
    ]

    Grid {
        id: tileGrid
        objectName: "statsGrid"
        width: parent.width
        columns: page.columns
        rowSpacing: page.gap
        columnSpacing: page.gap
        Repeater {
            model: page.tiles.length
            delegate: ValueTile {
                required property int index
                readonly property var entry: page.tiles[index]
                objectName: "stat_" + entry.key
                width: (tileGrid.width - page.gap * (page.columns - 1)) / page.columns
                height: page.tileHeight
                label: entry.label
                value: entry.value
                unit: entry.unit !== undefined ? entry.unit : ""
                tone: entry.tone !== undefined ? entry.tone : "normal"
                online: entry.online
            }
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
            text: "清零统计"
            enabled: page.connected
            onClicked: app.ins.resetStats()
        }
        Text {
            objectName: "resetStatsNote"
            anchors.verticalCenter: parent.verticalCenter
            width: parent.width - resetButton.width - parent.spacing
            text: "清零仅重置解析统计（字节/包/时长/错包），不断开连接。"
            wrapMode: Text.Wrap
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontCaption
            color: Theme.muted
        }
    }
}
