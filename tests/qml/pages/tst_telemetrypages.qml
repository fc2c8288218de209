import QtQuick
import QtTest
import Corvane.GCS
import "../shell"
import "qrc:/Corvane/GCS/charts/Telemetry.js" as Telemetry

// The telemetry pages on the real controller with a managed device that is not
// connected: the chart window, the rate meter and when values are shown.
ShellTestCase {
    id: tc
    name: "TelemetryPages"
    visible: true // a test case is hidden by default, and with it the page

    readonly property var minPage: [812, 522] // the page area of the smallest window

    function test_chartsWaitForTheirLayerAndFollowTheStoredWindow() {
        wait(0)
        fixture.resetWithDevices([{ "port": "/dev/ttyUSB7", "model": "kt45" }])
        var page = makePage("ChartsPage.qml", minPage[0], minPage[1])
        compare(find(find(page, "rollCard"), "cardSubtitle").text, "需 ahrs / sins 姿态字段")
        compare(find(page, "rateText").text, "— · 等待数据流")
        verify(!find(page, "rollChart").active && !find(page, "tempChart").active)
        chooseEntry(find(page, "windowBox"), 3)
        compare(app.settings.chartWindowSec, 60)
        compare(find(page, "headingChart").capacity(), 60 * 250)
        app.settings.chartWindowSec = 45 // not offered: shown and used as 16 s
        compare(find(page, "windowBox").displayText + find(page, "rollChart").windowSec, "16 s16")
    }

    // Offline, at the smallest size: Tab stops at each control that can be used, in the order
    // read, each named; nothing else takes the focus. Configuration tabs: first, last, count.
    // (The English walk of tst_pages_e2e goes through every page live.)
    function test_tabReachesEveryControlOfAPageNamed_data() {
        return [{ tag: "upgrade", file: "UpgradePage.qml", names: ["连接", "软件复位", "硬件复位",
                                                                   "浏览"] },
                { tag: "noise", file: "NoisePage.qml", names: ["采样率 Hz", "选择记录"] },
                { tag: "raw", file: "RawPage.qml", names: ["文本", "暂停", "清空", "通信日志",
                  "筛选预设指令", "关闭导航输出 (stop com1)", "Hex 发送", "发送内容"] },
                { tag: "user 0", scope: "user", tab: 0, names: ["通信与轴向", "保存用户配置", 19] },
                { tag: "factory 0", scope: "factory", tab: 0, names: ["出厂陀螺", "保存出厂", 24] },
                { tag: "factory 1", scope: "factory", tab: 1, names: ["补偿文件", "保存出厂", 7] },
                { tag: "factory 3", scope: "factory", tab: 3, names: ["厂家维护", "Z 轴漂移量", 7] }]
    }

    function test_tabReachesEveryControlOfAPageNamed(data) {
        wait(0)
        var page = makePage(data.file || "CalibPage.qml", minPage[0], minPage[1])
        if (data.scope) {
            page.configScope = data.scope
            page[data.scope + "TabBar"].currentIndex = data.tab
        }
        var names = walkTab(page)
        compare(data.scope ? [names[0], names[names.length - 1], names.length] : names, data.names)
    }

    Component {
        id: meterComponent
        RateMeter { clock: QtObject { property real t: 0; function now() { return t } } }
    }

    // Samples counted on their own time base: the first one opens the interval, one
    // shorter than 0.4 s is left to grow, a stream that stopped 2 s ago measures 0.
    function test_rateIsMeasuredOnTheSamplesOwnTimes() {
        var meter = createTemporaryObject(meterComponent, tc)
        var measured = function () { meter.measure(); return meter.rate }
        compare(measured(), -1)
        for (var i = 0; i <= 200; ++i)
            meter.note(10 + i * 0.005)
        compare(measured(), 200)
        meter.note(11.2)
        compare(measured(), 200)
        meter.clock.t = 11.2 + 2.5
        compare(measured(), 0)
        meter.reset()
        compare(meter.rate, -1)
    }

    // A value below its layer, missing or not a number is "—"; the rate falls back on the
    // device's, then on "随帧".
    function test_valuesShownOnlyWhenLiveAndValid() {
        var broken = [undefined, null, NaN, Infinity, "", "abc", {}]
        var texts = broken.map(function (v) { return Telemetry.valueText(v, 2, 3, 1) })
        compare(texts.join(""), "—".repeat(7))
        compare([Telemetry.valueText(1.5, 2, 1, 2), Telemetry.valueText("12.5", 1, 3, 3),
                 Telemetry.valueText(-0.0004, 3, 1, 1)].join(), "—,12.5,-0.000")
        compare(Telemetry.rateText(-1, 0, true), "随帧 · 随帧实时采样")
        compare(Telemetry.rateText(199.6, 100, false), "200 Hz · 等待数据流")
    }
}
