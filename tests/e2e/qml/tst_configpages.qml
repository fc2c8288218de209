import QtQuick
import QtTest
import Corvane.GCS
import "../../qml/shell"

// The configuration, raw console and record pages used as an operator would, in the
// real window on the real controller, against telvo-sim on its pseudo-terminal.
ShellTestCase {
    id: tc
    name: "ConfigPagesLive"

    property string simPort: ""
    property var shell: null

    function init() {
        wait(0)
        simPort = fixture.startSim(["--format", "sinsbin", "--rate", "50"])
        verify(simPort.length > 0, fixture.simError())
        fixture.resetWithDevices([{ "port": simPort, "baud": 115200, "model": "kt45" }])
        fixture.showFactoryPage()
        fixture.answerFileDialogs([])
        Theme.reduceMotion = true
    }

    function cleanup() {
        shell = null
        fixture.stopSim()
        Theme.reduceMotion = false
    }

    // The window on the seeded device, entered and connected from its card, with the
    // stream running.
    function goLive() {
        shell = openShell()
        compare(shell.bodyState, "hub")
        click(findChild(cardsOf(shell.body)[0], "cardEnter"))
        tryCompare(shell, "bodyState", "workspace")
        tryVerify(function () { return app.currentManagedConnected }, 15000,
                  "linked to the simulator: " + app.lastError)
        tryVerify(function () { return app.ins.recPackets > 0 }, 5000, "navigation data arrive")
    }

    // Notices stack up under the header and would take the clicks meant for the page.
    function clearToasts() {
        shell.toasts.clear()
        wait(0)
    }

    function openPage(navId) {
        clearToasts()
        click(findIn(shell, "navItem_" + navId))
        compare(app.currentNav, navId)
        var host = shell.body.pageHost
        tryCompare(host, "status", Loader.Ready)
        return host.page
    }

    // Clicks a control of a tab, scrolled into view first.
    function press(tab, name) {
        var item = find(tab, name)
        if (tab.reveal)
            tab.reveal(item)
        clearToasts()
        click(item)
        return item
    }

    function typeIn(tab, name, text) {
        var item = find(tab, name)
        if (tab.reveal)
            tab.reveal(item)
        clearToasts()
        typeInto(item, text)
        return item
    }

    function chipValue(tab, name) {
        return find(find(tab, name), "readbackValue").text
    }

    function logCount(text) {
        return app.logText.split(text).length - 1
    }

    // Bytes that keep arriving over a while once the line has settled.
    function streaming() {
        wait(300)
        var before = app.ins.recBytes
        wait(600)
        return app.ins.recBytes > before
    }

    // ---- user configuration ---------------------------------------------------------

    function test_userPageStopsTheStreamAndReadsSerialPort1() {
        goLive()
        var page = openPage("user_config")
        compare(page.configScope, "user")
        compare(find(page, "scopeHeader").text,
                "进入本页将自动关闭导航输出并读固件版本；串口1 在下方卡片读/设。任意 Tab 改参后，仅在页底「读回与保存」保存一次。")
        var tab = page.userComm
        tryCompare(find(find(tab, "com1Readback"), "readbackValue"), "text",
                   "422 · 115200 · 50 Hz · sinsbin", 3000)
        compare(tab.interfaceBox.currentText, "422")
        compare(tab.baudBox.displayText, "115200")
        compare(tab.rateBox.currentText, "50")
        compare(tab.formatBox.currentText, "sinsbin")
        compare(logCount("#vorn,stop com1*ff"), 1)
        compare(logCount("#vorn,get com1*ff"), 1)
        verify(!streaming(), "the stream stopped")

        // Back on a live page the stream comes back.
        openPage("attitude")
        verify(streaming(), "the stream runs again")
    }

    function test_readingTheUserConfigurationFillsEveryReadBack() {
        goLive()
        var page = openPage("user_config")
        var tab = page.userComm
        tryVerify(function () { return chipValue(tab, "com1Readback") !== "—" }, 3000)
        // Values of the unit's own, set through the page.
        typeIn(tab, "gnssField", "2.5")
        press(tab, "setGnssButton")
        typeIn(tab, "extrapField", "30")
        press(tab, "setExtrapButton")
        chooseEntry(tab.axisXBox, 2)                    // X = y
        compare(tab.yChoices.join(","), "x,-x,z,-z")
        chooseEntry(tab.axisYBox, 0)                    // Y = x, so Z = -z
        compare(tab.axisZBox.currentText, "-z")
        press(tab, "setAxisButton")
        tryVerify(function () { return app.ins.axis === "y x -z" }, 3000)

        // A fresh program on the same unit knows none of it until it reads.
        shell.destroy()
        shell = null
        wait(0)
        fixture.restartController()
        fixture.showFactoryPage()
        goLive()
        page = openPage("user_config")
        tab = page.userComm
        compare(chipValue(tab, "softverReadback"), "—")
        compare(chipValue(tab, "axisReadback"), "—")
        press(tab, "readUserConfigButton")
        tryCompare(find(find(tab, "softverReadback"), "readbackValue"), "text", "V2.1.0", 3000)
        tryCompare(find(find(tab, "extrapReadback"), "readbackValue"), "text", "30 ms", 3000)
        compare(chipValue(tab, "axisReadback"), "y x -z")
        compare(chipValue(tab, "gnssReadback"), "2.5°")
        // The axis boxes follow what the unit reports.
        compare(tab.axisXBox.currentText, "y")
        compare(tab.axisYBox.currentText, "x")
        compare(tab.axisZBox.currentText, "-z")
    }

    function test_setAndReadSerialPort1ChangesWhatTheUnitReports() {
        goLive()
        var tab = openPage("user_config").userComm
        tryVerify(function () { return chipValue(tab, "com1Readback") !== "—" }, 3000)
        chooseEntry(tab.interfaceBox, 0)   // 232
        chooseEntry(tab.rateBox, 3)        // 10 Hz
        chooseEntry(tab.formatBox, 1)      // imubin
        press(tab, "setCom1Button")
        tryVerify(function () { return logCount("#vorn,set com1,232,115200,10,imubin*ff") === 1 })
        tryCompare(find(find(tab, "com1Readback"), "readbackValue"), "text",
                   "232 · 115200 · 10 Hz · imubin", 3000)

        // Another box changed by hand stays as chosen when some other reply arrives.
        chooseEntry(tab.rateBox, 6)        // 200 Hz, not sent
        press(tab, "readSoftverButton")
        tryVerify(function () { return chipValue(tab, "softverReadback") === "V2.1.0" }, 3000)
        compare(tab.rateBox.currentText, "200")
        // Reading serial port 1 shows the unit's values again.
        press(tab, "readCom1Button")
        tryCompare(tab.rateBox, "currentText", "10", 3000)
        compare(tab.interfaceBox.currentText, "232")
        compare(tab.formatBox.currentText, "imubin")
    }

    // ---- factory configuration ------------------------------------------------------

    function factoryGyro() {
        var page = openPage("factory_config")
        compare(page.configScope, "factory")
        var tab = page.factoryGyro
        press(tab, "readFactoryButton")
        tryCompare(find(tab, "field_sn"), "text", "240601", 3000)
        compare(find(tab, "field_kggx").text, "1")
        compare(find(tab, "field_kg1xy").text, "0")
        return tab
    }

    function sentFactoryValues() {
        var lines = app.logText.split("\n").filter(function (l) {
            return l.indexOf("#vorn,set factory,") === 0
        })
        verify(lines.length > 0, "a factory record went out")
        var last = lines[lines.length - 1]
        verify(last.slice(-3) === "*ff", last)
        return last.slice("#vorn,set factory,".length, -3).split(",")
    }

    function test_factoryWriteSendsTheTwentyTwoValues() {
        goLive()
        var tab = factoryGyro()
        typeIn(tab, "field_sn", "777")
        typeIn(tab, "field_t2x", "0.000123")
        typeIn(tab, "field_biasz", "0.5")
        typeIn(tab, "field_kg1xy", "-0.002")
        typeIn(tab, "field_kg1zy", "1.5e-05")
        press(tab, "writeFactoryButton")
        var values = sentFactoryValues()
        compare(values.length, 22)
        compare(values.join(","),
                "777,0.000123,0,1,0,0,1,0,0,1,0,0,0.5,1.0,-0.002,0,0,1.0,0,0,1.5e-05,1.0")
        // The unit took them: its reply is read back into the page.
        tryCompare(find(find(tab, "snReadback"), "readbackValue"), "text", "777", 3000)
        compare(app.ins.gyroConfig.kg1xy, -0.002)
        compare(app.ins.gyroConfig.kg1zy, 0.000015)
        compare(find(tab, "field_kg1zy").text, "0.000015")

        // An empty field is named before anything goes out; confirmed, all 22 positions
        // still go, the empty one as nothing between its commas.
        typeIn(tab, "field_kggy", "")
        press(tab, "writeFactoryButton")
        var confirm = tab.writeConfirm
        tryVerify(function () { return confirm.opened })
        verify(dialogItem(confirm, "confirmMessage").text.indexOf("Y 轴刻度系数") >= 0)
        compare(sentFactoryValues()[6], "1")
        click(dialogItem(confirm, "confirmAccept"))
        tryVerify(function () { return !confirm.visible })
        values = sentFactoryValues()
        compare(values.length, 22)
        compare(values[6], "")
        compare(values[5], "0")
        // The unit refuses a record with a gap and keeps its own.
        wait(500)
        compare(app.ins.gyroConfig.sn, 777)
        compare(app.ins.gyroConfig.kggy, 1)
    }

    function test_calibrationImportChangesOnlyTheValuesTheFileHolds() {
        goLive()
        var tab = factoryGyro()
        var path = fixture.scratchPath("bench_1234.dat")
        verify(fixture.writeScratchFile(path, "1234.dat\n静态漂移X：-0.0123\n刻度温度X：1.25\n"
                                        + "交叉耦合YZ：2.5e-06\n静态漂移Y: 9\n标定温度：25\n"))
        fixture.answerFileDialogs([path])
        press(tab, "importCalibButton")
        var asked = fixture.fileDialogRequests()
        compare(asked.length, 1)
        compare(asked[0].kind, "open")
        compare(asked[0].title, "标定数据")
        compare(asked[0].filter, "数据文件 (*.dat *.txt);;All (*.*)")
        compare(find(tab, "field_sn").text, "1234")
        compare(find(tab, "field_biasx").text, "-0.0123")
        compare(find(tab, "field_kggx").text, "1.25")
        compare(find(tab, "field_kg1yz").text, "0.0000025")
        // What the file lacks stays as read from the unit.
        compare(find(tab, "field_biasy").text, "0")
        compare(find(tab, "field_kggy").text, "1")
        compare(find(tab, "field_t1x").text, "0")
        // A reply to another query leaves the imported values in place.
        press(tab, "saveFactoryButton")
        wait(400)
        compare(find(tab, "field_sn").text, "1234")

        // Written to the unit and read back from it.
        press(tab, "writeFactoryButton")
        tryCompare(find(find(tab, "snReadback"), "readbackValue"), "text", "1234", 3000)
        compare(app.ins.gyroConfig.biasx, -0.0123)
        compare(app.ins.gyroConfig.kggx, 1.25)
        compare(app.ins.gyroConfig.kg1yz, 0.0000025)

        // A file without calibration values changes nothing and says so.
        var notes = fixture.scratchPath("notes.txt")
        verify(fixture.writeScratchFile(notes, "nothing here\n"))
        fixture.answerFileDialogs([notes])
        press(tab, "importCalibButton")
        compare(app.lastError, "文件中没有可识别的标定数据：notes.txt")
        compare(find(tab, "field_sn").text, "1234")
    }

    function test_compensationFileGoesOutLineByLineAndTheReadBackIsSaved() {
        goLive()
        var page = openPage("factory_config")
        click(find(page, "factoryTab_1"))
        var tab = page.factoryComp
        var path = fixture.scratchPath("imu07.txt")
        var lines = ["#vorn,set imu,1,IMU-07*ff", "#vorn,set imu sn,1,A1B2C3*ff",
                     "#vorn,set comp,gx,0.00012*ff"]
        verify(fixture.writeScratchFile(path, lines.join("\r\n") + "\r\n"))
        fixture.answerFileDialogs([path])
        press(tab, "openCompButton")
        compare(fixture.fileDialogRequests()[0].title, "补偿文件")
        compare(fixture.fileDialogRequests()[0].filter, "TXT (*.txt);;All (*.*)")
        compare(tab.imuIdField.text, "IMU-07")
        compare(tab.imuSnField.text, "A1B2C3")
        compare(tab.compText.text, lines.join("\n") + "\n")

        press(tab, "sendLinesButton")
        for (var i = 0; i < lines.length; ++i)
            compare(logCount(lines[i]), 1, lines[i])

        // The factory record read back as text, then saved.
        press(tab, "readBackTextButton")
        verify(app.factoryReadbackActive)
        tryVerify(function () {
            return tab.compText.text.indexOf("#vorn,factory,GyroSN:240601,") === 0
        }, 3000)
        // The text area shows the reply lines as the bridge collected them.
        compare(tab.compText.text.trim(), app.ins.factoryRaw.trim())
        var saved = fixture.scratchPath("readback.txt")
        fixture.answerFileDialogs([saved])
        press(tab, "saveTextButton")
        compare(fixture.fileDialogRequests()[0].kind, "save")
        compare(fixture.fileDialogRequests()[0].title, "保存设备读回")
        compare(fixture.fileDialogRequests()[0].filter, "文本 (*.txt);;All (*.*)")
        compare(app.readTextFile(saved), tab.compText.text)

        // Leaving the panel ends the read-back.
        clearToasts()
        click(find(page, "factoryTab_2"))
        verify(!app.factoryReadbackActive)
    }

    function test_installationErrorRoundTrip() {
        goLive()
        var page = openPage("factory_config")
        click(find(page, "factoryTab_2"))
        var tab = page.factoryInstall
        typeIn(tab, "gnmXField", "0.12")
        typeIn(tab, "gnmYField", "-0.3")
        typeIn(tab, "gnmZField", "1")
        press(tab, "setGnmButton")
        tryCompare(find(find(tab, "gnmYReadback"), "readbackValue"), "text", "-0.3°", 3000)
        compare(chipValue(tab, "gnmXReadback"), "0.12°")
        compare(chipValue(tab, "gnmZReadback"), "1°")
    }

    // ---- raw console --------------------------------------------------------------------

    function test_rawConsoleShowsTrafficAndSendsAPreset() {
        goLive()
        var page = openPage("raw")
        app.clearLog()
        var view = page.logView
        // The stream keeps running on this page; its bytes arrive under a "接收" banner.
        tryVerify(function () { return view.text.indexOf(" 接收 ──") > 0 }, 3000)

        click(find(page, "hexSend"))
        verify(page.hexSend.checked)
        click(find(page, "preset_2"))
        compare(page.sendField.text, "#vorn,get com1*ff")
        verify(!page.hexSend.checked, "a preset is a text command")
        click(find(page, "sendButton"))
        compare(app.userNotice, "已发送：#vorn,get com1*ff")
        tryVerify(function () { return view.text.indexOf("#vorn,com1,mode:422,baud:115200") >= 0 },
                  3000, "the reply shows")
        var sentAt = view.text.indexOf(" 发送 ──\n#vorn,get com1*ff\n")
        verify(sentAt > 0, "the command under its banner")
        verify(view.text.indexOf(" 接收 ──", sentAt) > sentAt, "a new receive banner after it")

        // Hex form of the same log.
        click(find(page, "formHex"))
        verify(app.logHexMode)
        compare(view.placeholderText, "Hex 等待…")
        tryVerify(function () { return view.text.indexOf("aa 55") >= 0 }, 3000)

        // Paused, nothing more comes in.
        click(find(page, "pauseButton"))
        compare(find(page, "rawSubtitle").text,
                "已暂停 · 文本按串口字节显示（不可打印为 .）；二进制请切 Hex")
        wait(400)
        var frozen = view.text
        var rx = app.logRxCount
        wait(600)
        compare(app.logRxCount, rx)
        compare(view.text, frozen)
        click(find(page, "pauseButton"))
        verify(!app.logPaused)

        // Bytes typed as hex: an odd digit is refused with its reason and nothing goes
        // out; whole bytes go out as they are.
        click(find(page, "hexSend"))
        typeInto(page.sendField, "aa 5")
        var tx = app.logTxCount
        click(find(page, "sendButton"))
        compare(app.lastError, "Hex 字节须成对书写（每两个字符为一字节），当前长度不完整。")
        compare(app.logTxCount, tx)
        typeInto(page.sendField, "aa 55 01")
        keyClick(Qt.Key_Return)
        compare(app.logTxCount, tx + 3)
        compare(app.userNotice, "已发送 Hex（3 字节）")
        tryVerify(function () { return view.text.indexOf(" 发送 ──\naa 55 01\n") > 0 }, 3000)

        click(find(page, "clearButton"))
        compare(view.text, "")
        compare(app.logTxCount, 0)
    }

    // ---- record page ----------------------------------------------------------------------

    function test_recordingFromThePageWritesBothFiles() {
        goLive()
        var page = openPage("record")
        compare(find(page, "recordStateText").text, "待命")
        compare(find(page, "recordHint").text, "点击开始后选择文件夹，无需提前手动建文件")
        tryCompare(find(page, "recordFormat"), "text", "sinsbin", 3000)
        compare(find(page, "recordNamePreview").text, "sinsbin_yyyyMMdd_HHmmss.txt  +  .bin")

        var dir = fixture.scratchPath("rec")
        verify(fixture.writeScratchFile(dir + "/.keep", ""))
        fixture.answerFileDialogs([dir])
        var button = find(page, "recordButton")
        compare(button.text, "▶  选择目录并开始")
        click(button)
        compare(fixture.fileDialogRequests()[0].kind, "directory")
        compare(fixture.fileDialogRequests()[0].title, "记录目录")
        verify(app.recorder.recording)
        compare(find(page, "recordStateText").text, "REC")
        compare(find(page, "recordSubtitle").text, "磁盘写入中")
        compare(button.text, "■  停止并保存")
        verify(find(page, "recordRx").visible)
        tryCompare(find(page, "clockPart_2"), "text", "02", 4000)
        click(button)
        verify(!app.recorder.recording)
        compare(find(page, "recordStateText").text, "待命")

        var files = fixture.filesIn(dir)
        compare(files.length, 2, files.join(" "))
        verify(/^sinsbin_\d{8}_\d{6}\.bin$/.test(files[0]), files[0])
        compare(files[1], files[0].replace(".bin", ".txt"))
        verify(fixture.fileSize(dir + "/" + files[0]) > 59 * 20)
        var lines = app.readTextFile(dir + "/" + files[1]).split("\n")
        verify(lines.length > 20)
        verify(/^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} aa 55 /.test(lines[0]), lines[0])
    }
}
