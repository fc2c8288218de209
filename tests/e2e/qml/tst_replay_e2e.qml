import QtQuick
import QtTest
import "../../qml/shell"

// A recording of telvo-sim replayed in the real window: opened from the hub (the live
// link closes) and from the welcome panel, the attitude page at a known position, the
// keys, the speed, the device pages closed, and leaving.
ShellTestCase {
    name: "Replay"

    function cleanup() { fixture.stopSim() }

    function test_aRecordingPlaysThroughTheLivePages() {
        wait(0)
        // A simulator is the managed device, connected when the recording is opened.
        var ids = fixture.resetWithDevices([{ "port": fixture.startSim([]), "model": "kt45" }])
        var path = fixture.scratchPath("drive.bin")
        verify(fixture.captureSim(["--format", "sinsbin", "--rate", "200"], 3000, path) > 20000,
               fixture.simError())
        var expected = fixture.attitudeAt(path, 2000)
        var shell = openShell()
        verify(shell.enterDeviceWorkspace(ids[0]))
        tryVerify(function () { return app.currentManagedConnected }, 15000, app.lastError)
        shell.showDeviceHub()
        fixture.answerFileDialogs([path])
        click(findIn(shell, "hubReplayButton"))
        tryCompare(shell, "bodyState", "replay")
        compare(fixture.fileDialogRequests()[0].filter, "记录文件 (*.txt *.bin);;所有文件 (*)")
        verify(!app.managedDeviceOnline(ids[0]) && !findIn(shell, "deviceConnectBar").visible)
        compare(findIn(shell, "replayFileName").text, "drive.bin · 原始数据")
        tryVerify(function () { return app.replay.indexed && app.replay.playing })

        // Tab reaches every control of the replay and the entries it can open, no other; its
        // keys work wherever the focus is, here on a glyph button, which Return presses.
        var chain = tabChain(shell)
        var names = chain.map(function (item) { return item.objectName })
        compare(names.slice(6, 7).concat(names.slice(-11)).join(),
                "hubLink,closeReplayButton,forwardButton,replayPlayButton,replayStartButton,"
                + "replayBackButton,replayStepButton,replayEndButton,replaySpeedBox,replaySlider,"
                + "replayLoopBox,siteLink")
        compare(chain.filter(function (item) { return item.objectName === "navEntry" })
                .map(function (item) { return item.parent.navId }).join(),
                "attitude,charts,track,message,stats,noise")
        chain[names.indexOf("replayStepButton")].forceActiveFocus(Qt.TabFocusReason)

        // Paused at 2 s: the record there, whatever came before.
        keyClick(Qt.Key_Space)
        verify(!app.replay.playing)
        app.replay.seek(2000)
        var page = findIn(shell, "pageHost").page
        tryCompare(find(page, "tile_roll"), "value", expected[0], 2000)
        compare([find(page, "tile_pitch").value, find(page, "tile_yaw").value], expected.slice(1))
        compare(app.replay.positionText, "00:00:02")
        keyClick(Qt.Key_Right) // one record at 200 a second
        compare(app.replay.position, 2005)
        click(findIn(shell, "replayBackButton")) // and back to the record at 2 s
        verify(app.replay.position < 2005, app.replay.position)
        tryCompare(find(page, "tile_roll"), "value", expected[0], 2000)
        keyClick(Qt.Key_End)
        compare(app.replay.position, app.replay.duration)
        keyClick(Qt.Key_Return) // on the back button, clicked last
        verify(app.replay.position < app.replay.duration)
        keyClick(Qt.Key_Home)
        compare(app.replay.position, 0)

        // 4x: the recording's time runs four times the wall clock's.
        chooseEntry(findIn(shell, "replaySpeedBox"), 4)
        var started = Date.now()
        keyClick(Qt.Key_Space)
        wait(400)
        var ratio = app.replay.position / (Date.now() - started)
        verify(ratio > 3 && ratio <= 4.1, ratio)

        // The track is drawn again from a seek's place; the noise page, listed only while a
        // recording plays, analyses the one playing.
        app.currentNav = "track"
        var track = find(findIn(shell, "pageHost").page, "trackView")
        app.replay.seek(0)
        app.replay.play()
        tryVerify(function () { return app.replay.position > 2000 })
        app.replay.pause()
        var before = track.pointCount
        app.replay.seek(500)
        tryVerify(function () { return track.pointCount > 0 && track.pointCount < before })
        app.currentNav = "noise"
        compare(findIn(shell, "pageHost").page.filePath, path)

        // The pages that talk to the unit stay closed.
        for (var id of ["user_config", "raw", "record", "upgrade"])
            verify(!find(shell.contentItem, "navItem_" + id).available, id)
        mouseClick(find(shell.contentItem, "navItem_raw"))
        app.currentNav = "upgrade"
        compare(app.currentNav, "noise")

        // Leaving ends the replay; the device is current again, not connected.
        mouseClick(findIn(shell, "hubLink"))
        tryCompare(shell, "bodyState", "hub")
        verify(!app.replay.active && !app.currentManagedConnected && !app.products.replayMode)
        compare(findChild(shell.contentItem, "navItem_noise"), null)
    }

    function test_aReplayNeedsNoDevice() {
        wait(0)
        fixture.resetController()
        var path = fixture.scratchPath("short.bin")
        verify(fixture.captureSim(["--format", "imubin"], 500, path) > 2000, fixture.simError())
        var shell = openShell()
        fixture.answerFileDialogs([path])
        click(findIn(shell, "welcomeReplayButton"))
        tryCompare(shell, "bodyState", "replay")
        tryVerify(function () { return findIn(shell, "replayRateField").visible })
        compare(app.replay.recordRate, 200) // no rate measured on a link yet
        // The noise page analyses the capture at the replay's rate.
        app.currentNav = "noise"
        tryVerify(function () { return app.noise.hasResult }, 10000, app.noise.errorText)
        compare(app.noise.rateHz, 200)
        verify(findIn(shell, "noiseSummary").text.indexOf("（取自回放）") > 0)
        // Half the rate, twice the time; the loop box turns the loop on.
        var duration = app.replay.duration
        var rateField = findIn(shell, "replayRateField")
        rateField.text = "100"
        rateField.editingFinished()
        compare(app.replay.recordRate, 100)
        verify(Math.abs(app.replay.duration - 2 * duration) <= 10, app.replay.duration)
        click(findIn(shell, "replayLoopBox"))
        verify(app.replay.loop)
        click(findIn(shell, "closeReplayButton"))
        tryCompare(shell, "bodyState", "welcome")
        verify(!app.products.replayMode)
    }
}
