import QtQuick
import QtTest
import "../../qml/pages"

// The upgrade page in the real window against telvo-sim's boot loader: the file is picked
// through the page's button, "开始烧写" resets the unit and the transfer runs to its end
// with the progress shown.
PageTestCase {
    id: tc
    name: "UpgradePageLive"

    property var shell: null

    function cleanup() {
        fixture.stopSim()
        shell = null
    }

    function test_anUpgradeFromThePageReachesSuccess() {
        wait(0)
        var port = fixture.startSim(["--baud", "9600"])
        verify(port.length > 0, fixture.simError())
        var ids = fixture.resetWithDevices([{ "port": port, "baud": 9600, "model": "kt45" }])
        shell = openShell()
        verify(shell.enterDeviceWorkspace(ids[0]) !== false)
        skipIfUnavailable()
        tryCompare(shell, "bodyState", "workspace")
        app.currentNav = "upgrade"
        tryVerify(function () { return app.currentManagedConnected }, 15000,
                  "linked to the simulator: " + app.lastError)
        var host = findIn(shell, "pageHost")
        tryVerify(function () { return host.page !== null && host.status === Loader.Ready })
        var page = host.page
        compare(page.objectName, "page_upgrade")

        var card = find(page, "upgradeCard")
        compare(find(card, "cardSubtitle").text, "115200 · 复位后 20 秒内进入升级模式")
        compare(find(page, "linkState").text, "串口已连接")
        compare(find(page, "baudNote").text, "当前 9600，烧写前会重开为 115200")
        compare(find(page, "fileName").text, "选择 .bin 固件")
        compare(find(page, "browseButton").text, "浏览")
        verify(!find(page, "startButton").enabled)
        verify(!find(page, "cancelButton").enabled)

        verify(fixture.offerFirmware("kt45_page.bin", 40000).length > 0)
        mouseClick(find(page, "browseButton"))
        compare(find(page, "fileName").text, "kt45_page.bin")
        compare(find(page, "browseButton").text, "更换")
        compare(app.userNotice, "已选择 kt45_page.bin，选好后再点复位并烧写")
        verify(find(page, "startButton").enabled)

        var sawProgress = false
        var progressText = find(page, "progressText")
        var timer = Qt.createQmlObject("import QtQuick; Timer { interval: 10; repeat: true }", tc)
        timer.triggered.connect(function () {
            if (page.phase === "transfer" && find(page, "progressArea").visible
                    && progressText.text === app.ymodem.progress + "%" && app.ymodem.progress > 0)
                sawProgress = true
        })
        timer.start()
        mouseClick(find(page, "startButton"))
        compare(app.userNotice, "已复位并在 115200 重开串口，20 秒内等待进入升级模式")
        verify(find(page, "cancelButton").enabled)
        verify(!find(page, "startButton").enabled)
        verify(find(card, "cardSubtitle").text.indexOf("软件复位 · ") === 0,
               find(card, "cardSubtitle").text)
        tryVerify(function () { return !app.ymodem.busy }, 30000, app.ymodem.statusText)
        timer.stop()
        timer.destroy()

        compare(app.userNotice, "文件发送成功")
        compare(page.phase, "done")
        compare(find(page, "statusText").text, "文件发送成功")
        compare(progressText.text, "100%")
        verify(sawProgress, "progress shown during the transfer")
        // The rate comes back once the unit has had the end of the batch.
        tryCompare(find(page, "baudNote"), "text", "当前 9600，烧写前会重开为 115200", 20000)
        compare(find(card, "cardSubtitle").text, "115200 · 复位后 20 秒内进入升级模式")
    }

    // The reset mode belongs to the running upgrade, not to one instance of the page.
    function test_hardwareResetModeSurvivesLeavingThePage() {
        wait(0)
        var port = fixture.startSim(["--baud", "115200", "--stream", "off"])
        verify(port.length > 0, fixture.simError())
        var ids = fixture.resetWithDevices([{ "port": port, "baud": 115200, "model": "kt45" }])
        shell = openShell()
        verify(shell.enterDeviceWorkspace(ids[0]) !== false)
        skipIfUnavailable()
        app.currentNav = "upgrade"
        tryVerify(function () { return app.currentManagedConnected }, 15000, app.lastError)
        var host = findIn(shell, "pageHost")
        tryVerify(function () { return host.page !== null && host.status === Loader.Ready })
        var page = host.page
        mouseClick(find(page, "hardwareResetButton"))
        compare(find(page, "hardwareResetButton").kind, "primary")
        verify(fixture.offerFirmware("kt45_hw.bin", 4000).length > 0)
        mouseClick(find(page, "browseButton"))
        mouseClick(find(page, "startButton"))
        compare(app.userNotice, "已在 115200 重开串口，请立即硬件复位，20 秒内等待进入升级模式")
        tryVerify(function () { return find(page, "hardwareHint").visible })

        app.currentNav = "attitude"
        tryVerify(function () { return host.page !== null && host.page.objectName !== "page_upgrade" })
        app.currentNav = "upgrade"
        tryVerify(function () { return host.page !== null && host.page.objectName === "page_upgrade" })
        page = host.page
        compare(find(page, "hardwareResetButton").kind, "primary")
        compare(find(page, "softwareResetButton").kind, "normal")
        verify(find(page, "hardwareHint").visible, "the hardware hint is back")
        var subtitle = find(find(page, "upgradeCard"), "cardSubtitle").text
        verify(subtitle.indexOf("硬件复位 · ") === 0, subtitle)
        mouseClick(find(page, "cancelButton"))
        compare(app.lastError, "已取消")
    }
}
