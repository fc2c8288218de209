import QtQuick
import QtTest
import Corvane.GCS
import "qrc:/Corvane/GCS/charts/Telemetry.js" as Telemetry

// The telemetry pages on the real controller with a managed device that is not
// connected: what they show without data, the tile layout at the window's smallest and
// medium page sizes, the chart window setting, and the rules the pages share.
PageTestCase {
    id: tc
    name: "TelemetryPages"

    // Page areas of the smallest (1100 x 700) and the medium (1594 x 996) window.
    readonly property var minPage: [812, 522]
    readonly property var mediumPage: [1302, 818]

    function init() {
        wait(0)
        fixture.resetWithDevices([{ "port": "/dev/ttyUSB7", "baud": 115200, "model": "kt45" }])
        verify(!app.currentManagedConnected)
    }

    function test_attitudePageWithoutDataShowsOnlyDashes() {
        var page = makePage("AttitudePage.qml", minPage[0], minPage[1])
        var keys = attitudeKeys.concat(imuKeys, navKeys)
        compare(tileTexts(page, keys).join(""), keys.map(function () { return "—" }).join(""))
        verify(!find(tile(page, "roll"), "tileUnit").visible, "no unit behind a dash")
        verify(!find(page, "attitudeViewport").online)
        verify(!find(page, "compassDial").online)
        compare(find(page, "compassDial").readoutText(), "—")
        compare(find(page, "sceneCard").title, "姿态仪表")
        compare(find(page, "compassCard").title, "电子罗盘航向")
        compare(find(page, "attitudeTiles").title, "姿态角")
        compare(find(page, "imuTiles").title, "IMU 传感器")
        compare(find(page, "gnssTiles").title, "GNSS 定位与状态")
        compare(find(tile(page, "temp"), "tileLabel").text, "温度 Temp")
        compare(find(tile(page, "lat"), "tileLabel").text, "GNSS 纬度")
        compare(find(tile(page, "device_status"), "tileLabel").text, "导航状态")
    }

    function test_tilesShareTheirCardThreeToARow_data() {
        return [{ tag: "smallest window", size: minPage },
                { tag: "medium window", size: mediumPage }]
    }

    function test_tilesShareTheirCardThreeToARow(data) {
        var page = makePage("AttitudePage.qml", data.size[0], data.size[1])
        var cards = [["attitudeTiles", attitudeKeys, 1], ["imuTiles", imuKeys, 3],
                     ["gnssTiles", navKeys, 3]]
        var right = find(page, "attitudeTiles")
        var heights = 0
        for (var c = 0; c < cards.length; ++c) {
            var card = find(page, cards[c][0])
            heights += card.height
            var rows = cards[c][2]
            var expected = card.height <= 56 ? 34
                         : Math.max(34, (card.height - 56 - 6 * (rows - 1)) / rows)
            var keys = cards[c][1]
            for (var k = 0; k < keys.length; ++k) {
                var t = tile(page, keys[k])
                fuzzyCompare(t.height, expected, 0.01, keys[k] + " height")
                compare(t.dense, expected < 56, keys[k] + " dense style")
                // Three to a row, row after row.
                compare(Math.round(t.x / (t.width + 6)), k % 3, keys[k] + " column")
                if (k >= 3)
                    verify(t.y > tile(page, keys[k - 3]).y, keys[k] + " below its column")
                // Its label and value lie inside the tile, the tile inside the card.
                var label = find(t, "tileLabel")
                var value = find(t, "tileValue")
                verify(label.y >= 0 && value.y + value.height <= t.height + 0.5,
                       keys[k] + " texts inside")
                var bottom = t.mapToItem(card, 0, t.height).y
                verify(bottom <= card.height, keys[k] + " inside its card")
            }
        }
        // Right column cards in the ratio 18 : 41 : 41.
        var share = (heights) / 100
        fuzzyCompare(find(page, "attitudeTiles").height / share, 18, 0.2)
        fuzzyCompare(find(page, "imuTiles").height / share, 41, 0.2)
        // The two left cards are equally high.
        fuzzyCompare(find(page, "sceneCard").height, find(page, "compassCard").height, 1)
    }

    function test_chartsWaitForTheirLayer() {
        var page = makePage("ChartsPage.qml", minPage[0], minPage[1])
        var cards = { "rollCard": ["横滚 Roll", "需 ahrs / sins 姿态字段"],
                      "pitchCard": ["俯仰 Pitch", "需 ahrs / sins 姿态字段"],
                      "headingCard": ["航向 Yaw", "需 ahrs / sins 姿态字段"],
                      "tempCard": ["温度 Temp", "需 imu 层温度字段"] }
        for (var name in cards) {
            var card = find(page, name)
            compare(card.title, cards[name][0])
            compare(find(card, "cardSubtitle").text, cards[name][1])
            compare(find(card, "chartValue").text, "—")
        }
        compare(find(page, "rateText").text, "— · 等待数据流")
        verify(!page.sampling)
        var charts = ["rollChart", "pitchChart", "headingChart", "tempChart"]
        for (var i = 0; i < charts.length; ++i) {
            var chart = find(page, charts[i])
            verify(!chart.active, charts[i] + " inactive without data")
            compare(chart.sampleCount(), 0)
        }
        compare(find(page, "rollChart").minSpan, 1.5)
        compare(find(page, "thermometer").minimum, 0)
        compare(find(page, "thermometer").maximum, 85)
    }

    function test_windowSelectorFollowsTheStoredWindow() {
        var page = makePage("ChartsPage.qml", minPage[0], minPage[1])
        var box = find(page, "windowBox")
        var roll = find(page, "rollChart")
        compare(box.count, 5)
        compare([0, 1, 2, 3, 4].map(function (i) { return box.entryText(box.model[i]) }).join(","),
                "8 s,16 s,30 s,60 s,120 s")
        compare(box.displayText, "16 s")
        compare(roll.capacity(), 16 * 250)

        chooseEntry(box, 3)
        compare(app.settings.chartWindowSec, 60)
        compare(box.displayText, "60 s")
        compare(roll.windowSec, 60)
        compare(find(page, "tempChart").windowSec, 60)
        compare(find(page, "headingChart").capacity(), 60 * 250)

        // A window the selector does not offer, stored by hand: shown and used as 16 s.
        app.settings.chartWindowSec = 45
        compare(box.displayText, "16 s")
        compare(roll.windowSec, 16)
        app.settings.chartWindowSec = 120
        compare(box.displayText, "120 s")
        compare(roll.capacity(), 30000)

        // Choosing 16 s while 45 is stored writes 16.
        app.settings.chartWindowSec = 45
        chooseEntry(box, 1)
        compare(app.settings.chartWindowSec, 16)
    }

    function test_statsPageWithoutALink() {
        var page = makePage("StatsPage.qml", minPage[0], minPage[1])
        compare(find(page, "stat_errors").value, "—")
        compare(find(find(page, "stat_errors"), "tileLabel").text, "错包 · 丢包率")
        verify(!find(page, "resetStatsButton").enabled)
        compare(find(page, "resetStatsButton").text, "清零统计")
        compare(find(page, "resetStatsNote").text,
                "清零仅重置解析统计（字节/包/时长/错包），不断开连接。")
        // Only the program's run time is live without a link.
        var keys = ["recBytes", "sendBytes", "recTime", "recPackets", "errors", "packetFre",
                    "sessionRx", "sessionTx"]
        for (var i = 0; i < keys.length; ++i)
            verify(!find(page, "stat_" + keys[i]).online, keys[i] + " offline")
        verify(find(page, "stat_runTime").online)
        compare(find(page, "stat_runTime").value, app.runTimeText)
        compare(find(page, "stat_recTime").value,
                app.ins.recTimeText.length > 0 ? app.ins.recTimeText : "00:00:00")
        compare(find(page, "stat_recBytes").unit, "B")
        compare(find(page, "stat_recPackets").unit, "pkt")
        compare(find(page, "stat_packetFre").unit, "Hz")
        compare(find(page, "parseHintBox").visible, app.ins.parseHint.length > 0)
    }

    function test_messagePageWithoutData() {
        var page = makePage("MessagePage.qml", minPage[0], minPage[1])
        compare(find(page, "formatChip").text, "等待协议")
        verify(!find(page, "tierChip").visible)
        var placeholder = find(page, "messagePlaceholder")
        verify(placeholder.visible)
        compare(placeholder.text,
                app.ins.parseHint.length > 0 ? app.ins.parseHint : "等待导航数据…")
        compare(find(page, "messageView").text, "")
        verify(find(page, "messageView").readOnly)
        verify(find(page, "messageView").selectByMouse)
    }

    Component {
        id: meterComponent
        RateMeter {}
    }

    function test_rateIsMeasuredOverTheSecondsThatReallyPassed() {
        var meter = createTemporaryObject(meterComponent, tc)
        verify(meter !== null)
        compare(meter.rate, -1)
        for (var i = 0; i < 50; ++i)
            meter.note()
        meter.measure(10000) // the first measurement: the raw count of its second
        compare(meter.rate, 50)
        for (i = 0; i < 30; ++i)
            meter.note()
        meter.measure(10500)
        compare(meter.rate, 60)
        // Too soon after the last one: skipped, the count carries on.
        for (i = 0; i < 5; ++i)
            meter.note()
        meter.measure(10800)
        compare(meter.rate, 60)
        for (i = 0; i < 5; ++i)
            meter.note()
        meter.measure(11500)
        compare(meter.rate, 10)
        meter.reset()
        compare(meter.rate, -1)
        compare(meter.count, 0)
    }

    function test_sharedRules() {
        // Live tier: nothing without a fix or while the bridge has not decoded the current
        // stream, even if the hub still holds an older tier.
        compare(Telemetry.liveTier(false, 3, 3), 0)
        compare(Telemetry.liveTier(true, 0, 3), 0)
        compare(Telemetry.liveTier(true, 3, undefined), 3)
        compare(Telemetry.liveTier(true, 3, 0), 3)
        compare(Telemetry.liveTier(true, 2, 3), 3)
        compare(Telemetry.liveTier(true, 1, "3"), 1)

        // Values below their layer, missing or not numbers are "—".
        compare(Telemetry.valueText(1.23456, 2, 2, 2), "1.23")
        compare(Telemetry.valueText(-0.0004, 3, 1, 1), "-0.000")
        compare(Telemetry.valueText("12.5", 1, 3, 3), "12.5")
        compare(Telemetry.valueText(1.5, 2, 1, 2), "—")
        var broken = [undefined, null, NaN, Infinity, "", "abc", {}]
        for (var i = 0; i < broken.length; ++i)
            compare(Telemetry.valueText(broken[i], 2, 3, 1), "—", "value " + broken[i])
        compare(Telemetry.textValue("定位", 3, 3), "定位")
        compare(Telemetry.textValue("定位", 2, 3), "—")
        compare(Telemetry.textValue("", 3, 3), "—")

        // The error rate never divides by zero.
        compare(Telemetry.errorRateText(false, 5, 100), "—")
        compare(Telemetry.errorRateText(true, 0, 0), "0 pkt · —")
        compare(Telemetry.errorRateText(true, 3, 0), "3 pkt · —")
        compare(Telemetry.errorRateText(true, 1, 3), "1 pkt · 33.33 %")
        compare(Telemetry.errorRateText(true, 0, 250), "0 pkt · 0.00 %")

        compare(Telemetry.rateText(-1, 0, false), "— · 等待数据流")
        compare(Telemetry.rateText(-1, 0, true), "随帧 · 随帧实时采样")
        compare(Telemetry.rateText(-1, 200, true), "200 Hz · 随帧实时采样")
        compare(Telemetry.rateText(199.6, 100, true), "200 Hz · 随帧实时采样")
        compare(Telemetry.rateText(0, 100, false), "0 Hz · 等待数据流")

        compare(Telemetry.tileHeight(56, 1), 34)
        compare(Telemetry.tileHeight(90, 1), 34)
        compare(Telemetry.tileHeight(200, 3), 44)
        compare(Telemetry.tileHeight(140, 1), 84)
    }
}
