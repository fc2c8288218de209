import QtQuick
import QtTest

// Notices of the controller become toasts under the header: errors and successes, the
// newest on top, at most five, each for 4.2 seconds.
ShellTestCase {
    name: "Toasts"

    function init() { freshStart() }

    function test_controllerErrorsAndNoticesBecomeToasts() {
        var shell = openShell()
        var toasts = shell.toasts
        compare(toasts.count, 0)

        // A refused custom baud is an error; an accepted one a notice (and clears the
        // error, which must not show as an empty toast).
        verify(!app.addCustomSerialBaud(100))
        compare(toasts.count, 1)
        compare(toasts.kindAt(0), "error")
        compare(toasts.messageAt(0),
                "无法添加波特率 100（需在 300～3000000 内，且不能与已有项重复）")

        verify(app.addCustomSerialBaud(57600))
        compare(toasts.count, 2)
        compare(toasts.kindAt(0), "success")
        compare(toasts.messageAt(0), "已添加波特率 57600")

        // The same message again is shown again.
        verify(!app.addCustomSerialBaud(57600))
        verify(!app.addCustomSerialBaud(57600))
        compare(toasts.count, 4)
        compare(toasts.messageAt(0), toasts.messageAt(1))

        // The layer sits 8 pixels under the header, centred, 460 wide.
        compare(toasts.width, 460)
        compare(toasts.y, shell.header.y + shell.header.height + 8)
        compare(toasts.x, Math.round((shell.width - 460) / 2))
        var text = findChild(toasts, "toastText")
        verify(text !== null && text.text.length > 0)
    }

    function test_atMostFiveNewestFirst() {
        var shell = openShell()
        var toasts = shell.toasts
        for (var i = 1; i <= 7; ++i)
            toasts.push(i % 2 ? "success" : "error", "通知 " + i)
        compare(toasts.count, 5)
        compare(toasts.messageAt(0), "通知 7")
        compare(toasts.messageAt(4), "通知 3")
    }

    function test_sendConfirmationPrefixIsStripped() {
        var shell = openShell()
        shell.toasts.push("success", "已发送：读取软件版本")
        compare(shell.toasts.messageAt(0), "读取软件版本")
        // Only a leading prefix goes.
        shell.toasts.push("success", "命令 已发送：x")
        compare(shell.toasts.messageAt(0), "命令 已发送：x")
    }

    function test_toastsLeaveAfterTheirTimeAndOnAClick() {
        var shell = openShell()
        var toasts = shell.toasts
        toasts.push("error", "第一条")
        wait(3000)
        toasts.push("success", "第二条")
        compare(toasts.count, 2)
        // The first goes 4.2 s after it came; the second stays for its own 4.2 s.
        tryCompare(toasts, "count", 1, 3000)
        compare(toasts.messageAt(0), "第二条")

        var item = findChild(toasts, "toast_" + toasts.serial)
        verify(item !== null)
        mouseClick(item)
        compare(toasts.count, 0)
    }
}
