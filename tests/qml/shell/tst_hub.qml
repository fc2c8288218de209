import QtQuick
import QtTest

// The device hub over a settings folder that already manages devices: cards, their
// grid, selection, entering, removal, and where the shell goes when the list empties.
ShellTestCase {
    name: "Hub"

    property var ids: []

    function seed(n) {
        wait(0)
        var devices = []
        for (var i = 0; i < n; ++i)
            devices.push({ "port": "/dev/ttyUSB" + i, "baud": i === 1 ? 460800 : 115200,
                           "model": ["kt45", "kt80", "kt10", "kt60", "kt15", "kt40"][i] })
        ids = fixture.resetWithDevices(devices)
        return openShell()
    }

    function cardFor(shell, id) {
        return cardsOf(shell.body).filter(function (c) { return c.deviceId === id })[0]
    }

    function test_aClickSelectsADoubleClickEnters() {
        var shell = seed(2)
        var second = cardFor(shell, ids[1])
        compare(findChild(second, "cardSummary").text, "/dev/ttyUSB1 @ 460800")
        compare(cardFor(shell, ids[0]).border.width, 2, "the current device is marked")
        mouseClick(findChild(second, "cardArea"), second.width - 20, 40)
        compare(app.managedDevices.currentId, ids[1])
        compare([cardFor(shell, ids[0]).border.width, shell.bodyState].join(), "1,hub")
        verify(!shell.enterDeviceWorkspace("not-a-managed-id"))
        compare(shell.bodyState, "hub", "an entry that fails stays on the hub")
        mouseDoubleClickSequence(findChild(cardFor(shell, ids[0]), "cardArea"), 200, 40)
        tryCompare(shell, "bodyState", "workspace")
    }

    // Tab reaches the header, the hub's switches, each card and its buttons, and the footer;
    // Space selects a card, Return enters it. The ring shows after Tab, never after a click.
    function test_theKeyboardReachesEveryCardAndEntersOne() {
        var shell = seed(2)
        var chain = tabChain(shell)
        var card = ["cardArea", "cardEdit", "cardRemove", "cardEnter"]
        compare(chain.map(function (item) { return item.objectName }),
                ["reduceMotionBox", "themeBox", "languageBox", "minimizeButton", "maximizeButton",
                 "closeButton", "autoReconnectBox", "hubReplayButton", "hubAddButton"]
                .concat(card, card, ["siteLink"]))
        mouseClick(chain[13], 200, 40)
        verify(chain[13].activeFocus && !ringOf(chain[13]).visible, "no ring after a click")
        compare(app.managedDevices.currentId, ids[1])
        for (var i = 0; i < 4; ++i)
            keyClick(Qt.Key_Backtab)
        keyClick(Qt.Key_Space)
        compare(app.managedDevices.currentId, ids[0])
        app.language = "en"
        for (var item of tabChain(shell)) // the language box reads both
            verify(item === chain[2] || !/[\u4e00-\u9fff]/.test(item.Accessible.name), item.Accessible.name)
        app.language = "zh_CN"
        chain[9].forceActiveFocus(Qt.TabFocusReason)
        keyClick(Qt.Key_Return)
        tryCompare(shell, "bodyState", "workspace")
    }

    // As many columns of 320 to 460 pixels as fit, whatever the number of cards: a single
    // card on a wide window is not stretched.
    function test_gridColumnsFollowTheWidthNotTheDeviceCount() {
        var shell = seed(1)
        shell.width = 2560
        tryCompare(shell.body, "columns", 7)
        waitForRendering(shell.contentItem)
        verify(cardsOf(shell.body)[0].width <= 460)
    }

    function test_removeAsksFirstAndAnEmptiedListShowsWelcomeThenTheHub() {
        var shell = seed(2)
        var confirm = shell.removeConfirm
        for (var accept = 0; accept < 2; ++accept) {
            click(findChild(cardFor(shell, ids[1]), "cardRemove"))
            tryVerify(function () { return confirm.opened })
            compare(dialogItem(confirm, "confirmMessage").text, "确定将「KT80」从纳管列表中移除吗？\n"
                    + "未完成的连接准备将被清除；若该设备已联机，将先断开。")
            click(dialogItem(confirm, accept ? "confirmAccept" : "confirmCancel"))
            tryVerify(function () { return !confirm.visible })
            compare(app.managedDevices.count, 2 - accept)
        }
        // The list empties while a workspace is shown; the first device added again
        // shows the hub, not a workspace.
        verify(shell.enterDeviceWorkspace(ids[0]))
        app.managedDevices.remove(ids[0])
        compare(shell.bodyState, "welcome")
        click(findIn(shell, "welcomeAddButton"))
        tryVerify(function () { return shell.connectionDialog.opened })
        typeInto(shell.connectionDialog.portBox, "/dev/ttyUSB9")
        click(dialogItem(shell.connectionDialog, "dialogSave"))
        tryVerify(function () { return !shell.connectionDialog.visible })
        compare(shell.bodyState, "hub")
    }
}
