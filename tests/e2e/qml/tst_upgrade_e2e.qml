import QtQuick
import QtTest
import "../../qml/shell"

// The upgrade page in the real window against telvo-sim's boot loader: the file is picked
// through the page's button, "开始烧写" resets the unit and the transfer runs to its end
// with the progress shown.
ShellTestCase {
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
        app.currentNav = "upgrade"
        tryVerify(function () { return app.currentManagedConnected }, 15000, app.lastError)
        var page = findIn(shell, "pageHost").page
        var subtitle = find(find(page, "upgradeCard"), "cardSubtitle")
        compare(find(page, "baudNote").text, "当前 9600，烧写前会重开为 115200")
        verify(!find(page, "startButton").enabled && !find(page, "cancelButton").enabled)

        verify(fixture.offerFirmware("kt45_page.bin", 40000).length > 0)
        mouseClick(find(page, "browseButton"))
        compare(find(page, "fileName").text + find(page, "browseButton").text, "kt45_page.bin更换")
        var progressText = find(page, "progressText")
        var sawProgress = false
        var timer = Qt.createQmlObject("import QtQuick; Timer { interval: 10; repeat: true }", tc)
        timer.triggered.connect(function () {
            sawProgress = sawProgress || (page.phase === "transfer" && app.ymodem.progress > 0
                                          && progressText.text === app.ymodem.progress + "%")
        })
        timer.start()
        mouseClick(find(page, "startButton"))
        verify(find(page, "cancelButton").enabled && !find(page, "startButton").enabled)
        verify(subtitle.text.indexOf("软件复位 · ") === 0, subtitle.text)
        tryVerify(function () { return !app.ymodem.busy }, 30000, app.ymodem.statusText)
        timer.destroy()
        compare([app.userNotice, page.phase, progressText.text].join(), "文件发送成功,done,100%")
        verify(sawProgress, "progress shown during the transfer")
        // The rate comes back once the unit has had the end of the batch.
        tryCompare(find(page, "baudNote"), "text", "当前 9600，烧写前会重开为 115200", 20000)
        compare(subtitle.text, "115200 · 复位后 20 秒内进入升级模式")
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
