import QtQuick
import QtTest
import "../../qml/shell"

// End to end with telvo-sim on a pseudo-terminal: add its port through the dialog,
// "进入并连接", watch the window go live, edit while linked, disconnect; detection.
ShellTestCase {
    name: "EndToEnd"

    property string simPort: ""

    function init() {
        freshStart()
        simPort = fixture.startSim(["--format", "sinsbin", "--rate", "50"])
        verify(simPort.length > 0, fixture.simError())
    }

    function cleanup() { fixture.stopSim() }

    // Adds the simulator through the dialog, enters its card and waits for the link.
    function addAndConnect() {
        var shell = openShell()
        click(findIn(shell, "welcomeAddButton"))
        var dialog = shell.connectionDialog
        tryVerify(function () { return dialog.opened })
        typeInto(dialog.portBox, simPort)
        click(dialogItem(dialog, "dialogSave"))
        tryVerify(function () { return !dialog.visible && shell.bodyState === "hub" })
        click(findChild(cardsOf(shell.body)[0], "cardEnter"))
        tryCompare(shell, "bodyState", "workspace")
        tryVerify(function () { return app.currentManagedConnected }, 15000, app.lastError)
        return shell
    }

    function test_enterAndConnectGoesLiveAndDisconnectEndsIt() {
        var shell = addAndConnect()
        tryVerify(function () { return findIn(shell, "linkTagText").text === "监控中" }, 3000)
        // The session's description, then the packet format once decoded.
        var link = findIn(shell, "contextLinkText")
        tryCompare(link, "text", app.contextLinkText + " · sinsbin", 5000)
        verify(app.contextLinkText.indexOf(simPort + " @ 115200") >= 0, app.contextLinkText)
        compare(findIn(shell, "deviceLinkStatus").text, "已连接")
        mouseClick(findIn(shell, "hubLink"))
        verify(findChild(shell.body, "onlineSection").visible)
        compare(findChild(cardsOf(shell.body)[0], "cardStatus").text, "已连接")
        click(findChild(cardsOf(shell.body)[0], "cardEnter"))
        click(findIn(shell, "disconnectButton"))
        tryVerify(function () { return !app.currentManagedConnected }, 5000)
        verify(!findIn(shell, "linkTag").visible && findIn(shell, "connectButton").enabled)
        compare(findIn(shell, "deviceLinkStatus").text, "未连接")
    }

    // Tab goes header, sidebar (the way back, every entry), context bar, page, footer; on an
    // entry Return opens its page and ↑/↓ move along the menu.
    function test_theKeyboardReachesEveryControlOfTheLiveWorkspace() {
        var shell = addAndConnect()
        var chain = tabChain(shell)
        var names = chain.map(function (item) { return item.objectName })
        compare(names.slice(3, 7).concat(names.slice(-1)).join(),
                "minimizeButton,maximizeButton,closeButton,hubLink,siteLink")
        var entries = chain.filter(function (item) { return item.objectName === "navEntry" })
        var menu = findIn(shell, "navMenu")
        compare(entries.map(function (item) { return item.parent.navId }), menu.entryIds)
        verify(names.indexOf("navEntry") === 7 && names[7 + entries.length] === "disconnectButton", names)
        var stats = chain.indexOf(entries[menu.entryIds.indexOf("stats")])
        for (var i = 0; i < stats; ++i) // from the first again
            keyClick(Qt.Key_Tab)
        keyClick(Qt.Key_Return)
        compare(app.currentNav, "stats")
        keyClick(Qt.Key_Down)
        verify(shell.activeFocusItem.parent.navId === "user_config" && ringOf(shell.activeFocusItem).visible)
    }

    function test_savingAnEditWhileLinkedAsksFirst() {
        var shell = addAndConnect()
        click(findIn(shell, "editLinkButton"))
        var dialog = shell.connectionDialog
        tryVerify(function () { return dialog.opened && dialog.editMode })
        chooseEntry(dialog.baudBox, 3)
        var confirm = shell.editSaveConfirm
        app.language = "en" // the question is asked whatever the language
        click(dialogItem(dialog, "dialogSave"))
        tryVerify(function () { return confirm.opened }, 2000, "asked in English too")
        click(dialogItem(confirm, "confirmCancel"))
        tryVerify(function () { return !confirm.visible })
        app.language = "zh_CN"
        for (var accept = 0; accept < 2; ++accept) {
            click(dialogItem(dialog, "dialogSave"))
            tryVerify(function () { return confirm.opened })
            compare(dialogItem(confirm, "confirmMessage").text,
                    "「KT45」当前已联机。\n保存将先断开连接，再应用新的连接信息。")
            click(dialogItem(confirm, accept ? "confirmAccept" : "confirmCancel"))
            tryVerify(function () { return !confirm.visible })
            compare(app.currentManagedConnected, !accept, "still linked until confirmed")
        }
        tryVerify(function () { return !dialog.visible })
        compare(findIn(shell, "contextLinkText").text, simPort + " @ 230400")
    }

    function test_detectionFindsTheSimulatorBaud() {
        fixture.stopSim()
        simPort = fixture.startSim(["--format", "sinsbin", "--rate", "50", "--baud", "230400"])
        var shell = openShell()
        click(findIn(shell, "welcomeAddButton"))
        var dialog = shell.connectionDialog
        tryVerify(function () { return dialog.opened })
        typeInto(dialog.portBox, simPort)
        click(dialogItem(dialog, "detectButton"))
        tryVerify(function () { return !app.detectingPort }, 30000)
        compare(dialogItem(dialog, "detectHintText").text, "已匹配 " + simPort + " @ 230400")
        compare(dialog.baud, 230400)
        app.language = "en"
        var hint = dialogItem(dialog, "detectHintText")
        verify(hint.visible && !/[\u4e00-\u9fff]/.test(hint.text), hint.text)
        app.language = "zh_CN"
    }
}
