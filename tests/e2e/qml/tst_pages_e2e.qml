import QtQuick
import QtTest
import "../../qml/shell"

// The telemetry pages in the real window, live on telvo-sim: values within a second of
// connecting, one chart sample per record at its own time, statistics that move and
// reset, and the parsed message.
ShellTestCase {
    id: tc
    name: "TelemetryPagesLive"

    property var shell: null
    readonly property var attitudeKeys: ["roll", "pitch", "yaw"]
    readonly property var navKeys: ["lat", "lon", "alt", "ve", "vn", "vu", "gnss_heading",
                                    "gnss_status", "device_status"]

    function cleanup() {
        fixture.stopSim()
        shell = null
        watchedTile = null
    }

    // Changes of a watched tile's text, and the frames the window drew.
    property var watchedTile: null
    property int tileChanges: 0
    property int framesDrawn: 0
    Connections {
        target: tc.watchedTile
        function onValueChanged() { tc.tileChanges += 1 }
    }
    Connections {
        target: tc.shell
        function onFrameSwapped() { tc.framesDrawn += 1 }
    }

    // The simulator streaming format at rate as the current device; the window enters its
    // workspace, which connects, on page nav. Returns the page.
    function goLive(format, rate, nav) {
        wait(0)
        var port = fixture.startSim(["--format", format, "--rate", String(rate)])
        verify(port.length > 0, fixture.simError())
        var ids = fixture.resetWithDevices([{ "port": port, "baud": 115200, "model": "kt45" }])
        shell = openShell()
        verify(shell.enterDeviceWorkspace(ids[0]) !== false)
        app.currentNav = nav
        tryVerify(function () { return app.currentManagedConnected }, 15000, app.lastError)
        var host = findIn(shell, "pageHost")
        tryVerify(function () { return host.page !== null && host.status === Loader.Ready })
        return host.page
    }

    function tile(page, key) { return find(page, "tile_" + key).value }
    function tiles(page, keys) { return keys.map(function (k) { return tile(page, k) }) }

    function test_attitudeValuesAppearWithinASecondAndOnlyForTheLiveLayer() {
        var page = goLive("sinsbin", 200, "attitude")
        tryVerify(function () { return tile(page, "device_status") !== "—" }, 1000, "in a second")
        compare(tiles(page, ["gz", "gnss_status", "device_status"]).join(), "12.000,定位定向,组合导航")
        verify(/^-?\d+\.\d{2}$/.test(tile(page, "roll")), tile(page, "roll"))
        verify(/^31\.23\d{5}$/.test(tile(page, "lat")), tile(page, "lat"))
        var viewport = find(page, "attitudeViewport")
        verify(viewport.online && find(page, "compassDial").online)
        // A screen reader reads the live values with their labels and units.
        var spoken = ["tile_roll", "tile_gz", "compassDial"].map((n) => find(page, n).Accessible.name)
        verify(/^横滚 Roll -?\d+\.\d\d °,陀螺 Z 12\.000 °\/s,电子罗盘航向 \d+\.\d°$/.test(spoken), spoken)
        fuzzyCompare(viewport.roll, Number(app.hub.fields.roll), 1e-4)
        // The bridge starts over (as on a page change) while the hub still holds the last
        // fields with their tier: nothing is shown until a frame of the stream decodes.
        app.ins.resetParseBuffer()
        compare(app.hub.fields["stream_tier"], 3)
        verify(tiles(page, attitudeKeys.concat(navKeys)).every(function (t) { return t === "—" }))
        verify(!viewport.online && viewport.roll === 0)
        tryVerify(function () { return tile(page, "roll") !== "—" }, 1000, "values again")
    }

    // However fast the unit streams, the values change at least ten times a second, and
    // the window draws at its refresh pace, not once per record.
    function test_aThousandFramesASecondStillRefreshTheValuesAtABoundedPace() {
        var page = goLive("sinsbin", 1000, "attitude")
        tryVerify(function () { return tile(page, "gx") !== "—" }, 3000, "values")
        watchedTile = find(page, "tile_gx")
        wait(500)
        var records = app.ins.recPackets
        tileChanges = 0
        framesDrawn = 0
        var start = Date.now()
        wait(3000)
        var seconds = (Date.now() - start) / 1000
        verify(app.ins.recPackets - records > 1500, "the stream is fast")
        verify(tileChanges >= 10 * seconds, tileChanges + " changes in " + seconds + " s")
        verify(framesDrawn <= 35 * seconds, framesDrawn + " frames in " + seconds + " s")
    }

    function test_anImuStreamShowsOnlyTheImuLayer() {
        var page = goLive("imubin", 200, "charts")
        var temp = find(page, "tempChart")
        tryVerify(function () { return temp.sampleCount() > 20 }, 3000, "temperature samples")
        compare(find(page, "rollChart").sampleCount() + find(page, "headingChart").sampleCount(), 0)
        compare(find(find(page, "tempCard"), "cardSubtitle").text, "实时曲线")
        compare(find(find(page, "rollCard"), "cardSubtitle").text, "需 ahrs / sins 姿态字段")
    }

    // Every record is one sample of each chart at a time of its own: at 200 Hz none shares
    // a sample with another, however the reads cut the stream, and "采样频率" reads the
    // packet rate.
    function test_chartsTakeEveryRecordAsASampleOfItsOwn() {
        var page = goLive("sinsbin", 200, "charts")
        var roll = find(page, "rollChart")
        tryVerify(function () { return roll.sampleCount() > 50 }, 2000, "samples arrive")
        var packets = app.ins.recPackets
        var taken = roll.takenCount()
        var samples = roll.sampleCount()
        wait(1500)
        var fed = app.ins.recPackets - packets
        verify(fed > 200, "records meanwhile: " + fed)
        compare(roll.takenCount() - taken, fed)
        compare(roll.sampleCount() - samples, fed, "stored samples")
        for (var name of ["pitchChart", "headingChart", "tempChart"])
            compare(find(page, name).takenCount(), roll.takenCount(), name)
        fuzzyCompare(roll.newestValue(), app.ins.sinsPanel.roll, 1e-9)
        tryVerify(function () { return page.meter.rate >= 0 }, 2500, "a measurement")
        verify(Math.abs(page.meter.rate - 200) < 4, find(page, "rateText").text)
        app.settings.chartWindowSec = 8 // a shorter window trims at once
        verify(roll.windowSec === 8 && roll.sampleCount() <= 8 * 250 + 1)
    }

    function test_statisticsMoveAndClearingKeepsTheLink() {
        var page = goLive("sinsbin", 200, "stats")
        var packets = find(page, "stat_recPackets")
        tryVerify(function () { return Number(packets.value) > 100 }, 3000)
        var errors = find(page, "stat_errors")
        compare(errors.value, app.ins.packetErrs + " pkt · "
                + (100 * app.ins.packetErrs / app.ins.recPackets).toFixed(2) + " %")
        click(find(page, "resetStatsButton"))
        compare(errors.value, "0 pkt · —", "no division by zero right after clearing")
        verify(app.currentManagedConnected, "the link stays")
        tryVerify(function () { return Number(packets.value) > 0 }, 2000, "counting again")
    }

    function test_messagePageShowsTheRecordAndHoldsStillWhileSelected() {
        var page = goLive("sinsbin", 200, "message")
        var view = find(page, "messageView")
        tryVerify(function () { return view.text.length > 0 }, 1500)
        compare([find(page, "formatChip").text, find(page, "tierChip").text].join(), "sinsbin,SINS")
        var keys = view.text.split("\n").map(function (l) { return l.split("\t")[0] })
        compare(keys.slice().sort().join(), keys.join(), "ascending keys")
        verify(keys.indexOf("format") >= 0 && keys.indexOf("lat") >= 0)
        // A selection holds the text still although new records keep arriving.
        view.select(0, 12)
        var held = view.text
        var messages = app.ins.messageText
        tryVerify(function () { return app.ins.messageText !== messages }, 1000)
        wait(300)
        compare(view.text, held)
        view.deselect()
        tryVerify(function () { return view.text !== held }, 1500, "refreshed again")
    }

    // The texts a person sees under root: visible items' texts, and the open popups'.
    function shownTexts(root, into) {
        if (!root || !root.visible || root.opacity === 0)
            return into
        for (var key of ["text", "placeholderText"]) {
            var t = root[key]
            if (typeof t === "string" && t.length > 0 && (key === "text" || !root.text))
                into.push(t)
        }
        for (var i = 0; i < root.children.length; ++i)
            shownTexts(root.children[i], into)
        return into
    }
    function chineseIn(shell) {
        var texts = shownTexts(shell.contentItem, [])
        for (var popup of [shell.connectionDialog, findIn(shell, "removeConfirm")])
            if (popup && popup.visible)
                shownTexts(popup.contentItem, texts)
        // The language box names each language in its own script, so that it is found.
        return texts.filter(function (t) {
            return /[\u3400-\u9fff\uff01-\uff5e\u3000-\u303f]/.test(t) && t !== "中文"
                    && t !== "语言 / Language"
        })
    }

    // In English no page, the hub or a dialog shows a Chinese character; back in Chinese
    // the same pages read as before.
    function test_everyPageReadsInEnglishAndBackInChinese() {
        var port = fixture.startSim(["--format", "sinsbin", "--rate", "50"])
        verify(port.length > 0, fixture.simError())
        var ids = fixture.resetWithDevices([{ "port": port, "baud": 115200, "model": "kt45" }])
        shell = openShell()
        tryVerify(function () { return shell.bodyState === "hub" })
        var hubChinese = chineseIn(shell)
        verify(hubChinese.length > 3, hubChinese)
        app.language = "en"
        compare(chineseIn(shell), [], "the hub")
        shell.requestRemoveDevice(ids[0])
        var confirm = findIn(shell, "removeConfirm")
        tryVerify(function () { return confirm.opened })
        compare(chineseIn(shell), [], "the remove question")
        confirm.close()
        shell.openAddDevice()
        tryVerify(function () { return shell.connectionDialog.opened })
        compare(chineseIn(shell), [], "the connection dialog")
        shell.connectionDialog.close()
        tryVerify(function () { return !shell.connectionDialog.visible && !confirm.visible })

        verify(shell.enterDeviceWorkspace(ids[0]) !== false)
        tryVerify(function () { return app.currentManagedConnected }, 15000, app.lastError)
        var host = findIn(shell, "pageHost")
        var pages = app.products.navIds
        verify(pages.length >= 9, pages)
        for (var nav of pages) {
            app.currentNav = nav
            tryVerify(function () { return host.page !== null && host.status === Loader.Ready })
            wait(300) // values and the page's own status texts
            compare(chineseIn(shell), [], nav)
            compare(walkTab(host.page).filter((t) => /[\u3400-\u9fff]/.test(t)), [], nav + " names")
        }
        app.language = "zh_CN"
        for (nav of pages) {
            app.currentNav = nav
            tryVerify(function () { return host.page !== null && host.status === Loader.Ready })
            verify(chineseIn(shell).length > 0, nav + " in Chinese again")
        }
        click(findIn(shell, "disconnectButton"))
        tryVerify(function () { return !app.currentManagedConnected }, 5000)
        shell.showDeviceHub()
        tryVerify(function () { return shell.bodyState === "hub" })
        var again = chineseIn(shell)
        var missing = hubChinese.filter(function (t) { return again.indexOf(t) < 0 && !/\d/.test(t) })
        compare(escape(missing.join()), "", "the hub as before")
    }
}
