import QtQuick
import QtTest
import "../../qml/shell"
import "qrc:/Corvane/GCS/charts/Telemetry.js" as Telemetry

// The telemetry pages in the real window, live on telvo-sim: values within a second of
// connecting, one chart sample per decoded record, statistics that move and reset, and
// the parsed message.
ShellTestCase {
    id: tc
    name: "TelemetryPagesLive"

    property var shell: null

    function cleanup() {
        fixture.stopSim()
        shell = null
    }

    // The simulator streaming format at rate, managed as the current device; the window
    // enters its workspace, which connects, and opens page nav. Returns the time the link
    // was seen up (ms since the epoch).
    function goLive(format, rate, nav) {
        wait(0)
        var port = fixture.startSim(["--format", format, "--rate", String(rate)])
        verify(port.length > 0, fixture.simError())
        var ids = fixture.resetWithDevices([{ "port": port, "baud": 115200, "model": "kt45" }])
        shell = openShell()
        verify(shell.enterDeviceWorkspace(ids[0]) !== false)
        skipIfUnavailable()
        tryCompare(shell, "bodyState", "workspace")
        app.currentNav = nav
        tryVerify(function () { return app.currentManagedConnected }, 15000,
                  "linked to the simulator: " + app.lastError)
        return Date.now()
    }

    function currentPage() {
        var host = findIn(shell, "pageHost")
        tryVerify(function () { return host.page !== null && host.status === Loader.Ready })
        return host.page
    }

    function test_attitudeValuesAppearWithinASecondOfConnecting() {
        goLive("sinsbin", 200, "attitude")
        var page = currentPage()
        compare(page.objectName, "page_attitude")
        tryVerify(function () { return tileText(page, "device_status") !== "—" }, 1000,
                  "navigation values within a second")

        verify(/^-?\d+\.\d{2}$/.test(tileText(page, "roll")), tileText(page, "roll"))
        verify(Math.abs(Number(tileText(page, "roll"))) <= 4.01)
        verify(Math.abs(Number(tileText(page, "pitch"))) <= 6.01)
        verify(/^-?\d+\.\d{3}$/.test(tileText(page, "gx")))
        compare(tileText(page, "gz"), "12.000")
        verify(/^-?\d+\.\d{3}$/.test(tileText(page, "az")))
        verify(/^\d+\.\d{2}$/.test(tileText(page, "temp")))
        verify(/^31\.23\d{5}$/.test(tileText(page, "lat")), tileText(page, "lat"))
        verify(/^121\.47\d{5}$/.test(tileText(page, "lon")), tileText(page, "lon"))
        verify(/^\d+\.\d$/.test(tileText(page, "alt")))
        verify(/^-?\d+\.\d{3}$/.test(tileText(page, "ve")))
        verify(/^\d+\.\d{2}$/.test(tileText(page, "gnss_heading")))
        compare(tileText(page, "gnss_status"), "定位定向")
        compare(tileText(page, "device_status"), "组合导航")
        verify(find(tile(page, "roll"), "tileUnit").visible)
        compare(find(tile(page, "roll"), "tileUnit").text, "°")
        compare(find(tile(page, "gx"), "tileUnit").text, "°/s")
        compare(find(tile(page, "temp"), "tileUnit").text, "℃")

        var viewport = find(page, "attitudeViewport")
        var dial = find(page, "compassDial")
        verify(viewport.online)
        verify(dial.online)
        verify(/^\d+\.\d°$/.test(dial.readoutText()), dial.readoutText())
        fuzzyCompare(viewport.roll, Number(app.hub.fields.roll), 1e-4)

        // The bridge starts over (as on a page change) while the hub still holds the last
        // fields with their tier: nothing is shown until a frame of the stream decodes.
        app.ins.resetParseBuffer()
        compare(app.hub.fields["stream_tier"], 3)
        compare(app.ins.streamTier, 0)
        var keys = attitudeKeys.concat(imuKeys, navKeys)
        compare(tileTexts(page, keys).join(""), keys.map(function () { return "—" }).join(""))
        verify(!viewport.online)
        compare(viewport.roll, 0)
        verify(!dial.online)
        tryVerify(function () { return tileText(page, "roll") !== "—" }, 1000, "values again")
    }

    function test_anImuStreamShowsOnlyTheImuLayer() {
        goLive("imubin", 200, "attitude")
        var page = currentPage()
        tryVerify(function () { return tileText(page, "gz") !== "—" }, 1000)
        compare(tileText(page, "gz"), "12.000")
        verify(tileText(page, "temp") !== "—")
        compare(tileTexts(page, attitudeKeys.concat(navKeys)).join(""),
                attitudeKeys.concat(navKeys).map(function () { return "—" }).join(""))
        verify(!find(page, "attitudeViewport").online)

        app.currentNav = "charts"
        page = currentPage()
        var temp = find(page, "tempChart")
        tryVerify(function () { return temp.sampleCount() > 20 }, 3000, "temperature samples")
        compare(find(page, "rollChart").sampleCount(), 0)
        compare(find(page, "headingChart").sampleCount(), 0)
        compare(find(find(page, "rollCard"), "cardSubtitle").text, "需 ahrs / sins 姿态字段")
        compare(find(find(page, "tempCard"), "cardSubtitle").text, "实时曲线")
        verify(find(page, "thermometer").level() > 0)
    }

    function test_chartsTakeOneSamplePerDecodedRecord() {
        goLive("sinsbin", 200, "charts")
        var page = currentPage()
        compare(page.objectName, "page_charts")
        var roll = find(page, "rollChart")
        var pitch = find(page, "pitchChart")
        var heading = find(page, "headingChart")
        var temp = find(page, "tempChart")
        tryVerify(function () { return roll.sampleCount() > 50 }, 2000, "samples arrive")
        verify(roll.active && heading.active && temp.active)
        compare(find(find(page, "headingCard"), "cardSubtitle").text, "实时曲线")
        verify(find(find(page, "rollCard"), "chartValue").text !== "—")

        // Every record between two instants is one sample of each chart, and the newest
        // sample is the bridge's latest record, not the hub's copy of up to 50 ms ago.
        var packets = app.ins.recPackets
        var taken = roll.takenCount()
        var samples = roll.sampleCount()
        wait(700)
        var fedPackets = app.ins.recPackets - packets
        verify(fedPackets > 50, "records decoded meanwhile: " + fedPackets)
        compare(roll.takenCount() - taken, fedPackets)
        verify(roll.sampleCount() > samples)
        compare(pitch.takenCount(), roll.takenCount())
        compare(heading.takenCount(), roll.takenCount())
        compare(temp.takenCount(), roll.takenCount())
        fuzzyCompare(roll.newestValue(), app.ins.sinsPanel.roll, 1e-9)
        fuzzyCompare(pitch.newestValue(), app.ins.sinsPanel.pitch, 1e-9)
        fuzzyCompare(temp.newestValue(), app.ins.sinsPanel.temp, 1e-9)

        // The measured rate replaces the device's once a second has passed.
        var rate = find(page, "rateText")
        tryVerify(function () { return page.meter.rate >= 0 }, 2500, "a measurement")
        var m = /^(\d+) Hz · 随帧实时采样$/.exec(rate.text)
        verify(m !== null, rate.text)
        verify(Number(m[1]) > 50, rate.text)

        // The heading is stored continuous: consecutive samples never jump by a turn.
        var s = heading.newestValue()
        verify(isFinite(s))
        verify(Math.abs(s - Number(app.hub.fields.yaw)) % 360 < 5
               || Math.abs(s - Number(app.hub.fields.yaw)) % 360 > 355)

        // A shorter window trims at once.
        app.settings.chartWindowSec = 8
        compare(roll.windowSec, 8)
        verify(roll.sampleCount() <= 8 * 250)
    }

    function test_statisticsMoveAndClearingKeepsTheLink() {
        goLive("sinsbin", 200, "stats")
        var page = currentPage()
        compare(page.objectName, "page_stats")
        var bytesTile = find(page, "stat_recBytes")
        tryVerify(function () { return Number(bytesTile.value) > 0 }, 1500)
        verify(bytesTile.online)
        var before = Number(bytesTile.value)
        tryVerify(function () { return Number(bytesTile.value) > before }, 1500, "bytes move")
        tryVerify(function () { return Number(find(page, "stat_recPackets").value) > 0 }, 1500)

        var errors = find(page, "stat_errors")
        var e = app.ins.packetErrs
        var p = app.ins.recPackets
        compare(errors.value, e + " pkt · " + (100 * e / p).toFixed(2) + " %")
        compare(errors.tone, e > 0 ? "warn" : "normal")
        verify(/^\d+ B$|^[\d.]+ [KM]?B$/.test(find(page, "stat_sessionRx").value)
               || find(page, "stat_sessionRx").value === app.rxText)

        // Right after clearing no packet is counted: the rate is not a division by zero.
        app.ins.resetStats()
        compare(app.ins.recPackets, 0)
        compare(errors.value, "0 pkt · —")

        var button = find(page, "resetStatsButton")
        verify(button.enabled)
        tryVerify(function () { return app.ins.recPackets > 100 }, 3000)
        var packetsBefore = app.ins.recPackets
        click(button)
        verify(app.ins.recPackets < packetsBefore, "the counters start again")
        verify(app.currentManagedConnected, "the link stays")
        tryVerify(function () { return Number(find(page, "stat_recPackets").value) > 0 }, 2000)
    }

    function test_messagePageShowsTheRecordAndHoldsStillWhileSelected() {
        goLive("sinsbin", 200, "message")
        var page = currentPage()
        compare(page.objectName, "page_message")
        var view = find(page, "messageView")
        tryVerify(function () { return view.text.length > 0 }, 1500)
        compare(find(page, "formatChip").text, "sinsbin")
        verify(find(page, "tierChip").visible)
        compare(find(page, "tierChip").text, "SINS")
        verify(!find(page, "messagePlaceholder").visible)
        var lines = view.text.split("\n")
        verify(lines.indexOf("format\tsinsbin") >= 0, view.text)
        var keys = lines.map(function (l) { return l.split("\t")[0] })
        compare(keys.slice().sort().join(","), keys.join(","), "ascending keys")
        verify(keys.indexOf("lat") >= 0 && keys.indexOf("roll") >= 0)

        // A selection holds the text still although new records keep arriving.
        view.select(0, 12)
        var held = view.text
        verify(find(page, "holdNote").visible)
        var messages = app.ins.messageText
        tryVerify(function () { return app.ins.messageText !== messages }, 1000)
        wait(500)
        compare(view.text, held)
        view.deselect()
        tryVerify(function () { return view.text !== held }, 1500, "refreshed again")
        verify(!find(page, "holdNote").visible)
    }
}
