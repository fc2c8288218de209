import QtQuick
import QtTest
import "../../qml/shell"

// End to end with telvo-sim on a pseudo-terminal: add its port through the dialog,
// "进入并连接", watch the connect bar go live, edit while linked, disconnect.
ShellTestCase {
    name: "EndToEnd"

    property string simPort: ""

    function init() {
        freshStart()
        simPort = fixture.startSim(["--format", "sinsbin", "--rate", "50"])
        verify(simPort.length > 0, fixture.simError())
    }

    function cleanup() { fixture.stopSim() }

    // Adds the simulator through the dialog; the shell then shows the hub.
    function addSimulator(shell) {
        click(findIn(shell, "welcomeAddButton"))
        var dialog = shell.connectionDialog
        tryVerify(function () { return dialog.opened })
        typeInto(dialog.portBox, simPort)
        click(dialogItem(dialog, "dialogSave"))
        skipIfUnavailable()
        tryVerify(function () { return !dialog.visible })
        compare(shell.bodyState, "hub")
        var cards = cardsOf(shell.body)
        compare(cards.length, 1)
        return cards[0]
    }

    function enterAndConnect(shell, card) {
        click(findChild(card, "cardEnter"))
        skipIfUnavailable()
        tryCompare(shell, "bodyState", "workspace")
        tryVerify(function () { return app.currentManagedConnected }, 15000,
                  "linked to the simulator: " + app.lastError)
        var tag = findIn(shell, "linkTagText")
        tryVerify(function () { return tag.visible && tag.text === "监控中" }, 3000)
    }

    function test_enterAndConnectGoesLiveAndDisconnectEndsIt() {
        var shell = openShell()
        var card = addSimulator(shell)
        compare(findChild(card, "cardSummary").text, simPort + " @ 115200")
        enterAndConnect(shell, card)

        // Link text: the session's description, then the packet format once decoded.
        var link = findIn(shell, "contextLinkText")
        verify(app.contextLinkText.length > 0)
        compare(link.text.indexOf(app.contextLinkText), 0)
        var format = function () { return app.ins.packetFormat ? app.ins.packetFormat : "" }
        tryVerify(function () { return format().length > 0 }, 5000, "the bridge names the format")
        compare(link.text, app.contextLinkText + " · " + format())
        verify(!findIn(shell, "connectButton").visible)
        verify(findIn(shell, "disconnectButton").visible)
        compare(findIn(shell, "deviceLinkStatus").text, "已连接")
        tryVerify(function () { return findIn(shell, "footerDot").pulsing }, 3000)

        click(findIn(shell, "disconnectButton"))
        tryVerify(function () { return !app.currentManagedConnected }, 5000)
        verify(!findIn(shell, "linkTag").visible)
        compare(findIn(shell, "deviceLinkStatus").text, "未连接")
        verify(findIn(shell, "connectButton").visible)
        verify(findIn(shell, "connectButton").enabled)
        verify(!findIn(shell, "footerDot").pulsing)

        // The hub lists the device as not connected again.
        mouseClick(findIn(shell, "hubLinkArea"))
        compare(findChild(cardsOf(shell.body)[0], "cardStatus").text, "未连接")
    }

    function test_hubShowsTheLinkedDeviceInItsOwnSection() {
        var shell = openShell()
        var card = addSimulator(shell)
        enterAndConnect(shell, card)
        mouseClick(findIn(shell, "hubLinkArea"))
        compare(shell.bodyState, "hub")
        var online = findChild(shell.body, "onlineSection")
        tryVerify(function () { return online.visible })
        verify(!findChild(shell.body, "offlineSection").visible)
        compare(findChild(cardsOf(shell.body)[0], "cardStatus").text, "已连接")
    }

    function test_savingAnEditWhileLinkedAsksFirst() {
        var shell = openShell()
        var card = addSimulator(shell)
        enterAndConnect(shell, card)
        click(findIn(shell, "editLinkButton"))
        var dialog = shell.connectionDialog
        tryVerify(function () { return dialog.opened })
        verify(dialog.editMode)
        compare(dialog.portName(), simPort)
        chooseEntry(dialog.baudBox, 3)
        compare(dialog.baud, 230400)

        click(dialogItem(dialog, "dialogSave"))
        var confirm = shell.editSaveConfirm
        tryVerify(function () { return confirm.opened })
        compare(dialogItem(confirm, "confirmTitle").text, "保存连接信息")
        compare(dialogItem(confirm, "confirmMessage").text,
                "「KT45」当前已联机。\n保存将先断开连接，再应用新的连接信息。")
        compare(dialogItem(confirm, "confirmCancel").text, "继续编辑")
        click(dialogItem(confirm, "confirmCancel"))
        tryVerify(function () { return !confirm.visible })
        verify(dialog.opened, "still editing")
        verify(app.currentManagedConnected, "nothing changed yet")

        click(dialogItem(dialog, "dialogSave"))
        tryVerify(function () { return confirm.opened })
        compare(dialogItem(confirm, "confirmAccept").text, "保存并断开")
        click(dialogItem(confirm, "confirmAccept"))
        tryVerify(function () { return !dialog.visible })
        tryVerify(function () { return !app.currentManagedConnected }, 5000)
        compare(app.managedDevices.entryBaud(app.managedDevices.currentId), 230400)
        compare(findIn(shell, "contextLinkText").text, simPort + " @ 230400")
    }

    function test_detectionFindsTheSimulatorBaud() {
        fixture.stopSim()
        simPort = fixture.startSim(["--format", "sinsbin", "--rate", "50", "--baud", "230400"])
        verify(simPort.length > 0, fixture.simError())
        var shell = openShell()
        click(findIn(shell, "welcomeAddButton"))
        var dialog = shell.connectionDialog
        tryVerify(function () { return dialog.opened })
        typeInto(dialog.portBox, simPort)
        click(dialogItem(dialog, "detectButton"))
        skipIfUnavailable()
        tryVerify(function () { return !app.detectingPort }, 30000)
        compare(app.detectHint, "已匹配 " + simPort + " @ 230400")
        compare(dialog.baud, 230400)
        compare(dialog.portName(), simPort)
        var hint = dialogItem(dialog, "detectHintText")
        verify(hint.visible)
        compare(hint.text, app.detectHint)
    }
}
