pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Gcs 1.0
import Corvane.GCS

// The track page: the GNSS track in local east/north metres around the first fix, drawn
// by a C++ item (no map tiles), and the current position as tiles. While the page is
// shown and navigation data are live, every decoded record feeds the view one position
// from the bridge's navigation panel; the view thins and bounds what it keeps itself.
Item {
    id: page
    objectName: "page_track"

    readonly property var fields: app.hub.fields
    readonly property var hubTier: fields ? fields["stream_tier"] : undefined
    readonly property int tier: Telemetry.liveTier(app.hub.hasFix, app.ins.streamTier, hubTier)
    readonly property bool navLive: tier >= Telemetry.tierNavigation
    readonly property bool shown: visible && Window.window !== null && Window.window.visible
    readonly property bool feeding: shown && navLive
    property int lastEpoch: -1
    readonly property int gap: 12

    function num(key, decimals) {
        return Telemetry.valueText(fields ? fields[key] : undefined, decimals, tier,
                                   Telemetry.tierNavigation)
    }
    // The record's yaw, else the GNSS heading; NaN without either.
    function headingOf(values) {
        var yaw = Telemetry.numberOf(values ? values["yaw"] : undefined)
        return isFinite(yaw) ? yaw : Telemetry.numberOf(values ? values["gnss_heading"]
                                                              : undefined)
    }
    function speedText() {
        var ve = Telemetry.numberOf(fields ? fields["ve"] : undefined)
        var vn = Telemetry.numberOf(fields ? fields["vn"] : undefined)
        return Telemetry.valueText(Math.sqrt(ve * ve + vn * vn), 2, tier,
                                   Telemetry.tierNavigation)
    }
    function headingText() {
        var h = headingOf(navLive ? fields : null)
        return isFinite(h) ? ((h % 360 + 360) % 360).toFixed(1) : Telemetry.dash
    }
    // The straight way from the start point and the extent east-west by north-south, in
    // whole metres.
    function fromStartText() {
        if (!trackView.hasFix)
            return Telemetry.dash
        var p = trackView.currentPosition
        return Math.sqrt(p.x * p.x + p.y * p.y).toFixed(1)
    }
    function extentText() {
        if (!trackView.hasFix)
            return Telemetry.dash
        var b = trackView.trackBounds
        return Math.round(b.width) + " × " + Math.round(b.height)
    }
    // Metres below a kilometre, kilometres above.
    function distanceValue() {
        if (!trackView.hasFix)
            return Telemetry.dash
        var d = trackView.distance
        return d < 1000 ? d.toFixed(1) : (d / 1000).toFixed(3)
    }

    // One decoded record, one position; the hub's copy is refreshed only every 50 ms and
    // would repeat positions.
    function feed(epoch) {
        if (epoch === lastEpoch)
            return
        lastEpoch = epoch
        if (!feeding || app.ins.streamTier < Telemetry.tierNavigation)
            return
        var panel = app.ins.sinsPanel
        trackView.addFix(Telemetry.numberOf(panel.lat), Telemetry.numberOf(panel.lon),
                         headingOf(panel), String(panel.gnss_status || ""))
    }

    Connections {
        target: app.ins
        function onPanelChanged() { page.feed(app.ins.panelEpoch) }
    }

    // The data's time starts afresh (a replay's seek or loop, its start and end): the
    // track drawn so far belongs to another time, as the charts' lines do.
    Connections {
        target: app.chartClock
        function onSourceChanged() { trackView.clear() }
    }

    // A square button over the map, for zooming without a wheel. A one-character glyph
    // is a symbol: the button is named by its tip then.
    component MapButton: AbstractButton {
        id: mapButton
        property string glyph: ""
        property string tip: ""
        // Drawn with the accent border (the view follows the whole track).
        property bool lit: false
        width: 30
        height: 30
        hoverEnabled: true
        Accessible.name: glyph.length > 1 ? glyph : tip
        Accessible.description: tip
        Keys.onReturnPressed: clicked()
        Keys.onEnterPressed: clicked()
        background: Rectangle {
            radius: Theme.radiusSmall
            color: mapButton.down ? Theme.panelHi
                                  : Theme.alpha(Theme.card, mapButton.hovered ? 1 : 0.88)
            border.width: 1
            border.color: mapButton.lit ? Theme.accent
                                        : mapButton.hovered ? Theme.borderHi : Theme.border
        }
        contentItem: Text {
            text: mapButton.glyph
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            font.family: Theme.fontFamily
            font.pixelSize: mapButton.glyph.length > 1 ? Theme.fontCaption : 18
            color: Theme.text
            Accessible.ignored: true
        }
        FocusRing {}
        ToolTip.visible: hovered && tip.length > 0
        ToolTip.delay: 500
        ToolTip.text: tip
    }

    DataCard {
        id: trackCard
        objectName: "trackCard"
        width: page.width - sideColumn.width - page.gap
        height: page.height
        title: qsTr("GNSS 轨迹")
        subtitle: page.navLive ? qsTr("东 / 北向米制坐标 · 起点为首个定位点")
                                : qsTr("需 sins 导航层定位字段")
        subtitleColor: page.navLive ? Theme.muted : Theme.faint
        headerRight: GButton {
            objectName: "clearTrackButton"
            kind: "ghost"
            height: trackCard.headerHeight
            text: qsTr("清空轨迹")
            toolTipText: qsTr("清除已绘制的轨迹，以下一个定位点为新起点")
            enabled: trackView.hasFix
            onClicked: trackView.clear()
        }

        Rectangle {
            anchors.fill: parent
            radius: Theme.radiusSmall
            color: Theme.alpha(Theme.input, 0.9)
            border.width: 1
            border.color: Theme.border
            clip: true

            // The map takes the keyboard once there is a track: the arrows move it, + and −
            // zoom, Home shows the whole track.
            Control {
                id: mapControl
                objectName: "trackMap"
                anchors.fill: parent
                anchors.margins: 1
                focusPolicy: trackView.hasFix ? Qt.StrongFocus : Qt.NoFocus
                Accessible.name: trackCard.title
                Accessible.description: qsTr("方向键平移 · +/− 缩放 · Home 全览")
                Keys.onPressed: (event) => {
                    var step = 40
                    switch (event.key) {
                    case Qt.Key_Left: trackView.panBy(step, 0); break
                    case Qt.Key_Right: trackView.panBy(-step, 0); break
                    case Qt.Key_Up: trackView.panBy(0, step); break
                    case Qt.Key_Down: trackView.panBy(0, -step); break
                    case Qt.Key_Plus:
                    case Qt.Key_Equal: trackView.zoomIn(); break
                    case Qt.Key_Minus: trackView.zoomOut(); break
                    case Qt.Key_Home: trackView.fit(); break
                    default: return
                    }
                    event.accepted = true
                }
                FocusRing { inset: 2 }

                TrackView {
                    id: trackView
                    objectName: "trackView"
                    anchors.fill: parent
                    // Its words are painted: paint them again in the new language.
                    Connections {
                        target: app
                        function onLanguageChanged() { trackView.update() }
                    }
                    trackColor: Theme.value
                    markerColor: Theme.danger
                    startColor: Theme.linkOk
                    gridColor: Theme.border
                    textColor: Theme.muted
                    outlineColor: Theme.card
                    fontFamily: Theme.fontFamily
                }
            }

            Column {
                x: 10
                y: 10
                spacing: 6
                visible: trackView.hasFix
                MapButton {
                    objectName: "zoomInButton"
                    glyph: "+"
                    tip: qsTr("放大（也可滚动鼠标滚轮）")
                    onClicked: trackView.zoomIn()
                }
                MapButton {
                    objectName: "zoomOutButton"
                    glyph: "−"
                    tip: qsTr("缩小")
                    onClicked: trackView.zoomOut()
                }
                MapButton {
                    objectName: "fitButton"
                    glyph: qsTr("全览")
                    tip: qsTr("显示整条轨迹并随轨迹自动缩放（双击地图同效）")
                    lit: trackView.autoFit
                    onClicked: trackView.fit()
                }
            }
        }
    }

    // A tile sized for the side column: the two cards share its height, tiles no taller
    // than 84 pixels.
    component SideTile: ValueTile {
        required property var entry
        objectName: "tile_" + entry.key
        width: (sideColumn.width - 2 * 12 - 6) / 2
        height: sideColumn.tileHeight
        dense: Telemetry.isDense(height)
        label: entry.label
        unit: entry.unit !== undefined ? entry.unit : ""
        value: entry.value
    }

    Item {
        id: sideColumn
        x: page.width - width
        width: Math.round(Math.min(380, Math.max(280, page.width * 0.32)))
        height: page.height

        readonly property int hintHeight: 22
        // Five rows of tiles in two cards, with their headers, gaps and the hint line.
        readonly property real tileHeight: Math.max(Telemetry.minTileHeight, Math.min(84,
            (height - page.gap - 2 * Telemetry.cardChrome - 3 * Telemetry.rowGap - hintHeight) / 5))

        readonly property var positionTiles: [
            { key: "lat", label: qsTr("纬度"), unit: "°", value: page.num("lat", 7) },
            { key: "lon", label: qsTr("经度"), unit: "°", value: page.num("lon", 7) },
            { key: "alt", label: qsTr("高度"), unit: "m", value: page.num("alt", 1) },
            { key: "speed", label: qsTr("地速"), unit: "m/s", value: page.speedText() },
            { key: "heading", label: qsTr("航向"), unit: "°", value: page.headingText() },
            { key: "gnss_status", label: qsTr("GNSS 状态"),
              value: Telemetry.textValue(page.fields ? page.fields["gnss_status"] : undefined,
                                         page.tier, Telemetry.tierNavigation) }
        ]
        readonly property var trackTiles: [
            { key: "distance", label: qsTr("行驶里程"),
              unit: trackView.distance < 1000 ? "m" : "km", value: page.distanceValue() },
            { key: "from_start", label: qsTr("距起点"), unit: "m", value: page.fromStartText() },
            { key: "extent", label: qsTr("东西 × 南北"), unit: "m", value: page.extentText() },
            { key: "points", label: qsTr("轨迹点"), unit: qsTr("个"),
              value: trackView.hasFix ? String(trackView.pointCount) : Telemetry.dash }
        ]

        DataCard {
            id: positionCard
            objectName: "positionCard"
            width: parent.width
            height: Telemetry.cardChrome + 3 * sideColumn.tileHeight + 2 * Telemetry.rowGap
            title: qsTr("当前位置")
            Grid {
                columns: 2
                rowSpacing: Telemetry.rowGap
                columnSpacing: 6
                Repeater {
                    model: sideColumn.positionTiles.length
                    delegate: SideTile {
                        required property int index
                        entry: sideColumn.positionTiles[index]
                    }
                }
            }
        }

        DataCard {
            objectName: "trackStatsCard"
            y: positionCard.height + page.gap
            width: parent.width
            height: parent.height - y
            title: qsTr("航迹")
            subtitle: trackView.hasFix ? qsTr("起点 %1°, %2°").arg(trackView.originLat.toFixed(6))
                                                           .arg(trackView.originLon.toFixed(6))
                                      : ""
            Grid {
                id: trackGrid
                columns: 2
                rowSpacing: Telemetry.rowGap
                columnSpacing: 6
                Repeater {
                    model: sideColumn.trackTiles.length
                    delegate: SideTile {
                        required property int index
                        entry: sideColumn.trackTiles[index]
                    }
                }
            }
            Text {
                anchors.bottom: parent.bottom
                width: parent.width
                height: sideColumn.hintHeight
                verticalAlignment: Text.AlignBottom
                text: qsTr("拖动平移 · 滚轮缩放 · 双击地图显示全程")
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontCaption
                color: Theme.faint
                elide: Text.ElideRight
            }
        }
    }
}
