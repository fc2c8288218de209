import QtQuick
import QtTest

// The device hub over a settings folder that already manages devices: cards, their
// grid, selection, entering, editing and removal.
ShellTestCase {
    name: "Hub"

    property var ids: []

    function seed(n) {
        wait(0)
        var ports = ["/dev/ttyUSB0", "/dev/ttyUSB1", "COM7", "/dev/ttyS3", "COM12", "/dev/ttyACM0"]
        var models = ["kt45", "kt80", "kt10", "kt60", "kt15", "kt40"]
        var devices = []
        for (var i = 0; i < n; ++i)
            devices.push({ "port": ports[i], "baud": i === 1 ? 460800 : 115200,
                           "model": models[i] })
        ids = fixture.resetWithDevices(devices)
        compare(ids.length, n)
    }

    function hubOf(shell) {
        compare(shell.bodyState, "hub")
        return shell.body
    }

    function cardFor(shell, id) {
        var cards = cardsOf(hubOf(shell))
        for (var i = 0; i < cards.length; ++i) {
            if (cards[i].deviceId === id)
                return cards[i]
        }
        fail("no card for " + id)
    }

    function test_startWithManagedDevicesShowsTheirCards() {
        seed(3)
        var shell = openShell()
        var hub = hubOf(shell)
        compare(findChild(hub, "hubTitle").text, "纳管设备")
        compare(findChild(hub, "hubSubtitle").text, "共 3 台 · 选择设备进入对应产品工作区")
        verify(!findChild(hub, "onlineSection").visible, "nothing is online")
        verify(findChild(hub, "offlineSection").visible)
        verify(!findChild(hub, "hubSearchButton").enabled)

        var cards = cardsOf(hub)
        compare(cards.length, 3)
        var first = cardFor(shell, ids[0])
        compare(findChild(first, "cardModel").text, "KT45")
        compare(findChild(first, "cardStatus").text, "未连接")
        compare(findChild(first, "cardSummary").text, "/dev/ttyUSB0 @ 115200")
        compare(findChild(cardFor(shell, ids[1]), "cardSummary").text, "/dev/ttyUSB1 @ 460800")
        compare(findChild(cardFor(shell, ids[1]), "cardModel").text, "KT80")
        verify(findChild(first, "showcaseImage").visible)
        compare(findChild(first, "showcaseImage").status, Image.Ready)
        // The current device carries the selection border.
        compare(first.border.width, 2)
        compare(cardFor(shell, ids[1]).border.width, 1)
        compare(findIn(shell, "footerStatus").text.indexOf("纳管 3 台 · "), 0)
        verify(findIn(shell, "footerRunTime").visible)
        verify(!findIn(shell, "footerIdleHint").visible)
    }

    function test_gridColumnsFollowTheWidthNotTheDeviceCount() {
        var widths = [1100, 1434, 1920, 2560]
        var expected = [3, 4, 5, 7]
        var counts = [1, 6]
        for (var c = 0; c < counts.length; ++c) {
            seed(counts[c])
            var shell = openShell()
            for (var i = 0; i < widths.length; ++i) {
                shell.width = widths[i]
                tryCompare(shell, "width", widths[i])
                var hub = hubOf(shell)
                tryCompare(hub, "columns", expected[i], 1000, "width " + widths[i])
                waitForRendering(shell.contentItem)
                var cards = cardsOf(hub)
                compare(cards.length, counts[c])
                for (var k = 0; k < cards.length; ++k) {
                    verify(cards[k].width >= 320 && cards[k].width <= 460, "card " + cards[k].width)
                    // Row k / columns, column k % columns.
                    var row = Math.floor(k / hub.columns)
                    compare(cards[k].y, cards[0].y + row * (cards[0].height + 16))
                    compare(cards[k].x, (k % hub.columns) * (cards[0].width + 16))
                }
                // The cards of a full row fit the hub.
                verify(hub.columns * cards[0].width + (hub.columns - 1) * 16 <= hub.gridWidth + 0.5)
            }
            shell.destroy()
        }
    }

    function test_clickSelectsAndDoubleClickEnters() {
        seed(2)
        var shell = openShell()
        var second = cardFor(shell, ids[1])
        mouseClick(findChild(second, "cardArea"), second.width - 20, 40)
        skipIfUnavailable()
        compare(app.managedDevices.currentId, ids[1])
        compare(cardFor(shell, ids[1]).border.width, 2)
        compare(cardFor(shell, ids[0]).border.width, 1)
        compare(shell.bodyState, "hub", "a single click does not enter")

        mouseDoubleClickSequence(findChild(cardFor(shell, ids[0]), "cardArea"), 200, 40)
        skipIfUnavailable()
        tryCompare(shell, "bodyState", "workspace")
        compare(app.managedDevices.currentId, ids[0])
        compare(findIn(shell, "deviceModelLabel").text, "KT45")
    }

    function test_enterThatFailsLeavesTheShellOnTheHub() {
        seed(1)
        var shell = openShell()
        verify(!shell.enterDeviceWorkspace(""))
        verify(!shell.enterDeviceWorkspace("not-a-managed-id"))
        compare(shell.bodyState, "hub")
    }

    function test_removeAsksFirstAndKeepsTheDeviceOnCancel() {
        seed(2)
        var shell = openShell()
        click(findChild(cardFor(shell, ids[1]), "cardRemove"))
        var confirm = shell.removeConfirm
        tryVerify(function () { return confirm.opened })
        compare(shell.pendingRemoveDeviceId, ids[1])
        compare(dialogItem(confirm, "confirmTitle").text, "取消纳管")
        compare(dialogItem(confirm, "confirmMessage").text,
                "确定将「KT80」从纳管列表中移除吗？\n"
                + "未完成的连接准备将被清除；若该设备已联机，将先断开。")
        compare(dialogItem(confirm, "confirmAccept").text, "移除")
        click(dialogItem(confirm, "confirmCancel"))
        compare(dialogItem(confirm, "confirmCancel").text, "保留")
        tryVerify(function () { return !confirm.visible })
        compare(shell.pendingRemoveDeviceId, "")
        compare(app.managedDevices.count, 2)

        click(findChild(cardFor(shell, ids[1]), "cardRemove"))
        tryVerify(function () { return confirm.opened })
        click(dialogItem(confirm, "confirmAccept"))
        compare(shell.pendingRemoveDeviceId, "")
        skipIfUnavailable()
        compare(app.managedDevices.count, 1)
        compare(cardsOf(hubOf(shell)).length, 1)
        compare(app.managedDevices.ids[0], ids[0])
    }

    function test_removingTheLastDeviceReturnsToWelcomeAndAddingAgainShowsTheHub() {
        seed(1)
        var shell = openShell()
        click(findChild(cardFor(shell, ids[0]), "cardEnter"))
        skipIfUnavailable()
        tryCompare(shell, "bodyState", "workspace")

        // Back to the overview through the link in the product band, then remove.
        mouseClick(findIn(shell, "hubLinkArea"))
        compare(shell.bodyState, "hub")
        click(findChild(cardFor(shell, ids[0]), "cardRemove"))
        tryVerify(function () { return shell.removeConfirm.opened })
        click(dialogItem(shell.removeConfirm, "confirmAccept"))
        skipIfUnavailable()
        tryCompare(shell, "bodyState", "welcome")

        click(findIn(shell, "welcomeAddButton"))
        var dialog = shell.connectionDialog
        tryVerify(function () { return dialog.opened })
        typeInto(dialog.portBox, "/dev/ttyUSB9")
        click(dialogItem(dialog, "dialogSave"))
        skipIfUnavailable()
        tryVerify(function () { return !dialog.visible })
        compare(shell.bodyState, "hub")
        compare(app.managedDevices.count, 1)
    }

    function test_emptyingTheListFromTheWorkspaceShowsTheHubOnTheNextAdd() {
        seed(1)
        var shell = openShell()
        click(findChild(cardFor(shell, ids[0]), "cardEnter"))
        skipIfUnavailable()
        tryCompare(shell, "bodyState", "workspace")
        // The list empties while the workspace is shown (here through the list itself).
        app.managedDevices.remove(ids[0])
        compare(shell.bodyState, "welcome")
        verify(app.stageManualSerialConnect("ins", "", "/dev/ttyUSB5", 115200, "kt45"))
        compare(shell.bodyState, "hub")
    }

    function test_editOnACardOpensTheDialogWithItsLink() {
        seed(2)
        var shell = openShell()
        click(findChild(cardFor(shell, ids[1]), "cardEdit"))
        var dialog = shell.connectionDialog
        tryVerify(function () { return dialog.opened })
        verify(dialog.editMode)
        compare(dialog.editDeviceId, ids[1])
        compare(dialogItem(dialog, "dialogTitle").text, "编辑设备连接")
        compare(dialogItem(dialog, "dialogSave").text, "保存")
        verify(!dialogItem(dialog, "categoryBox").enabled)
        verify(!dialogItem(dialog, "modelBox").enabled)
        compare(dialog.modelId, "kt80")
        compare(dialog.baud, 460800)
        // The stored port is not in the platform's list here: it is left unselected.
        compare(dialog.portName(), "")
        click(dialogItem(dialog, "dialogCancel"))
        tryVerify(function () { return !dialog.visible })
        compare(dialog.editDeviceId, "", "closing leaves edit mode")
    }
}
