import QtQuick
import QtTest
import Corvane.GCS
import "../../qml/shell"

// The configuration, raw console and record pages used as an operator would, in the
// real window on the real controller, against telvo-sim on its pseudo-terminal.
ShellTestCase {
    id: tc
    name: "ConfigPagesLive"

    property var shell: null

    function init() {
        wait(0)
        var port = fixture.startSim(["--format", "sinsbin", "--rate", "50"])
        verify(port.length > 0, fixture.simError())
        fixture.resetWithDevices([{ "port": port, "baud": 115200, "model": "kt45" }])
        fixture.showFactoryPage()
        fixture.answerFileDialogs([])
        Theme.reduceMotion = true
    }

    function cleanup() {
        shell = null
        fixture.stopSim()
        Theme.reduceMotion = false
    }

    // The window on the seeded device, entered and connected from its card, streaming.
    function goLive() {
        shell = openShell()
        click(findChild(cardsOf(shell.body)[0], "cardEnter"))
        tryVerify(function () { return app.currentManagedConnected }, 15000, app.lastError)
        tryVerify(function () { return app.ins.recPackets > 0 }, 5000, "navigation data arrive")
    }

    function openPage(navId) {
        shell.toasts.clear()
        click(findIn(shell, "navItem_" + navId))
        tryCompare(shell.body.pageHost, "status", Loader.Ready)
        return shell.body.pageHost.page
    }

    // A control of a tab, scrolled into view, without notices over it.
    function reach(tab, name) {
        var item = find(tab, name)
        if (tab.reveal)
            tab.reveal(item)
        shell.toasts.clear()
        wait(0)
        return item
    }

    function press(tab, name) { click(reach(tab, name)) }
    function typeIn(tab, name, text) { typeInto(reach(tab, name), text) }
    function chip(tab, name) { return find(find(tab, name), "readbackValue").text }
    function waitChip(tab, name, text) {
        tryVerify(function () { return chip(tab, name) === text }, 3000, name)
    }
    function fields(tab, keys) {
        return keys.map(function (k) { return find(tab, "field_" + k).text })
    }
    function logCount(text) { return app.logText.split(text).length - 1 }

    // Bytes that keep arriving over a while once the line has settled.
    function streaming() {
        wait(300)
        var before = app.ins.recBytes
        wait(600)
        return app.ins.recBytes > before
    }

    function test_userPageStopsTheStreamAndSetsSerialPort1() {
        goLive()
        var tab = openPage("user_config").userComm
        waitChip(tab, "com1Readback", "422 · 115200 · 50 Hz · sinsbin")
        compare([logCount("#vorn,stop com1*ff"), logCount("#vorn,get com1*ff")].join(), "1,1")
        verify(!streaming(), "the stream stopped")
        chooseEntry(tab.interfaceBox, 0)   // 232
        chooseEntry(tab.rateBox, 3)        // 10 Hz
        chooseEntry(tab.formatBox, 1)      // imubin
        press(tab, "setCom1Button")
        waitChip(tab, "com1Readback", "232 · 115200 · 10 Hz · imubin")
        compare(logCount("#vorn,set com1,232,115200,10,imubin*ff"), 1)
        // A box changed by hand stays when another reply arrives; reading port 1 resets it.
        chooseEntry(tab.rateBox, 6)        // 200 Hz, not sent
        press(tab, "readSoftverButton")
        waitChip(tab, "softverReadback", "V2.1.0")
        compare(tab.rateBox.currentText, "200")
        press(tab, "readCom1Button")
        tryCompare(tab.rateBox, "currentText", "10", 3000)
        openPage("attitude")
        verify(streaming(), "the stream runs again on a live page")
    }

    function test_aFreshProgramReadsWhatWasSetIntoEveryReadBack() {
        goLive()
        var tab = openPage("user_config").userComm
        typeIn(tab, "extrapField", "30")
        press(tab, "setExtrapButton")
        chooseEntry(tab.axisXBox, 2)                    // X = y
        chooseEntry(tab.axisYBox, 0)                    // Y = x, so Z = -z
        press(tab, "setAxisButton")
        tryVerify(function () { return app.ins.axis === "y x -z" }, 3000)
        shell.destroy()
        wait(0)
        fixture.restartController()
        fixture.showFactoryPage()
        goLive()
        tab = openPage("user_config").userComm
        compare(chip(tab, "axisReadback"), "—")
        press(tab, "readUserConfigButton")
        waitChip(tab, "extrapReadback", "30 ms")
        compare([chip(tab, "softverReadback"), chip(tab, "axisReadback")].join(), "V2.1.0,y x -z")
        compare(tab.axisZBox.currentText, "-z", "the boxes follow what the unit reports")
    }

    function sentFactoryValues() {
        var m = /.*#vorn,set factory,([^*\n]*)\*ff\n[^#]*$/.exec(app.logText)
        verify(m !== null, "a factory record went out")
        return m[1].split(",")
    }

    // The record read from the unit, changed by a calibration file (only the values it
    // holds) and by typing, goes out whole: all 22 values.
    function test_factoryRecordGoesOutWithTheTwentyTwoValues() {
        goLive()
        var tab = openPage("factory_config").factoryGyro
        press(tab, "readFactoryButton")
        tryCompare(find(tab, "field_sn"), "text", "240601", 3000)
        var path = fixture.scratchPath("bench_1234.dat")
        verify(fixture.writeScratchFile(path, "1234.dat\n静态漂移X：-0.0123\n交叉耦合YZ：2.5e-06\n"))
        fixture.answerFileDialogs([path])
        press(tab, "importCalibButton")
        compare(fields(tab, ["sn", "biasx", "kg1yz", "biasy"]).join(), "1234,-0.0123,0.0000025,0")
        typeIn(tab, "field_t2x", "0.000123")
        typeIn(tab, "field_kg1zy", "1.5e-05")
        press(tab, "writeFactoryButton")
        compare(sentFactoryValues().join(),
                "1234,0.000123,0,1,0,0,1,0,0,1,-0.0123,0,0,1.0,0,0,0,1.0,0.0000025,0,1.5e-05,1.0")
        waitChip(tab, "snReadback", "1234")
        compare(find(tab, "field_kg1zy").text, "0.000015")
        // An empty field is named before anything goes out; confirmed, all 22 positions
        // go, the empty one as nothing between its commas, and the unit keeps its value.
        typeIn(tab, "field_kggy", "")
        press(tab, "writeFactoryButton")
        tryVerify(function () { return tab.writeConfirm.opened })
        verify(dialogItem(tab.writeConfirm, "confirmMessage").text.indexOf("Y 轴刻度系数") >= 0)
        click(dialogItem(tab.writeConfirm, "confirmAccept"))
        var values = sentFactoryValues()
        compare([values.length, values[6]].join(), "22,")
        wait(500)
        compare(app.ins.gyroConfig.kggy, 1)
    }

    function test_compensationFileGoesOutLineByLineAndTheReadBackIsSaved() {
        goLive()
        var page = openPage("factory_config")
        click(find(page, "factoryTab_1"))
        var tab = page.factoryComp
        var lines = ["#vorn,set imu,1,IMU-07*ff", "#vorn,set imu sn,1,A1B2C3*ff",
                     "#vorn,set comp,gx,0.00012*ff"]
        var path = fixture.scratchPath("imu07.txt")
        verify(fixture.writeScratchFile(path, lines.join("\r\n") + "\r\n"))
        fixture.answerFileDialogs([path])
        press(tab, "openCompButton")
        compare([tab.imuIdField.text, tab.imuSnField.text].join(), "IMU-07,A1B2C3")
        press(tab, "sendLinesButton")
        compare(lines.map(logCount).join(), "1,1,1")
        press(tab, "readBackTextButton")
        tryVerify(function () { return tab.compText.text.indexOf("factory,GyroSN:240601,") > 0 })
        var saved = fixture.scratchPath("readback.txt")
        fixture.answerFileDialogs([saved])
        press(tab, "saveTextButton")
        compare(app.readTextFile(saved), tab.compText.text)
        click(find(page, "factoryTab_2")) // leaving the panel ends the read-back
        verify(!app.factoryReadbackActive)
        for (var axis of ["X", "Y", "Z"])
            typeIn(page.factoryInstall, "gnm" + axis + "Field", axis === "Y" ? "-0.3" : "1")
        press(page.factoryInstall, "setGnmButton")
        waitChip(page.factoryInstall, "gnmYReadback", "-0.3°")
    }

    function test_rawConsoleShowsTrafficAndSendsAPresetAndHex() {
        goLive()
        var page = openPage("raw")
        var view = page.logView
        // The stream keeps running on this page; its bytes arrive under a "接收" banner.
        tryVerify(function () { return view.text.indexOf(" 接收 ──") > 0 }, 3000)
        click(find(page, "preset_2"))
        click(find(page, "sendButton"))
        tryVerify(function () { return view.text.indexOf("#vorn,com1,mode:422,baud:115200") >= 0 })
        var sentAt = view.text.indexOf(" 发送 ──\n#vorn,get com1*ff\n")
        verify(sentAt > 0 && view.text.indexOf(" 接收 ──", sentAt) > sentAt, "received after")
        click(find(page, "formHex"))
        tryVerify(function () { return view.text.indexOf("aa 55") >= 0 }, 3000)
        // Bytes typed as hex go out as they are.
        click(find(page, "hexSend"))
        var tx = app.logTxCount
        typeInto(page.sendField, "aa 55 01")
        keyClick(Qt.Key_Return)
        compare([app.userNotice, app.logTxCount - tx].join(), "已发送 Hex（3 字节）,3")
        // ↑ and ↓ walk what was sent, newest first, back to an empty line.
        var walked = [Qt.Key_Up, Qt.Key_Up, Qt.Key_Down, Qt.Key_Down].map((key) => (keyClick(key),
                                                                             page.sendField.text))
        compare(walked.join(), "aa 55 01,#vorn,get com1*ff,aa 55 01,")
    }

    function test_recordingFromThePageWritesBothFiles() {
        goLive()
        var page = openPage("record")
        tryCompare(find(page, "recordFormat"), "text", "sinsbin", 3000)
        var dir = fixture.scratchPath("rec")
        verify(fixture.writeScratchFile(dir + "/.keep", ""))
        fixture.answerFileDialogs([dir])
        var button = find(page, "recordButton")
        click(button)
        verify(app.recorder.recording)
        compare(find(page, "recordStateText").text, "REC")
        tryCompare(find(page, "clockPart_2"), "text", "02", 4000)
        click(button)
        verify(!app.recorder.recording)
        // The blinking dot stops at full strength, wherever its blink was.
        tryCompare(find(page, "recordStateDot"), "opacity", 1, 1000)
        var files = fixture.filesIn(dir)
        verify(files.length === 2 && /^sinsbin_\d{8}_\d{6}\.bin$/.test(files[0]), files.join(" "))
        compare(files[1], files[0].replace(".bin", ".txt"))
        verify(fixture.fileSize(dir + "/" + files[0]) > 59 * 20)
        var lines = app.readTextFile(dir + "/" + files[1]).split("\n")
        verify(lines.length > 20 && /^[-\d]{10} [:\d]{8}\.\d{3} aa 55 /.test(lines[0]), lines[0])

        // A full disk ends the recording; the page says so, longer than a notice stays, until
        // the next start.
        verify(app.startRecord("/dev/full", fixture.scratchPath("full.bin")))
        wait(5000)
        verify(!app.recorder.recording && find(page, "recordFailure").visible)
        compare(find(page, "recordSubtitle").text, "写入失败，记录已停止")
        fixture.answerFileDialogs([dir])
        click(button)
        verify(app.recorder.recording && !find(page, "recordFailure").visible)
        click(button)
    }
}
