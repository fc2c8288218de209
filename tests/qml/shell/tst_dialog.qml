import QtQuick
import QtTest
import Corvane.GCS

// The connection dialog driven with mouse and keyboard: a typed port, model and baud
// choices, the user's own baud rates, and the rules for saving.
ShellTestCase {
    name: "ConnectionDialog"

    function init() { freshStart() }

    function openAdd(shell) {
        click(findIn(shell, "welcomeAddButton"))
        var dialog = shell.connectionDialog
        tryVerify(function () { return dialog.opened })
        return dialog
    }

    function test_typedPortIsUsedExactlyLikeAListedOne() {
        var shell = openShell()
        var dialog = openAdd(shell)
        typeInto(dialog.portBox, "/tmp/typed dev/ttyX0")
        compare(dialog.portText(), "/tmp/typed dev/ttyX0")
        compare(dialog.portName(), "/tmp/typed", "only the first word names the port")
        typeInto(dialog.portBox, "/tmp/typed/ttyX0")
        compare(dialog.portName(), "/tmp/typed/ttyX0")

        click(dialogItem(dialog, "dialogSave"))
        skipIfUnavailable()
        tryVerify(function () { return !dialog.visible })
        compare(shell.bodyState, "hub")
        var cards = cardsOf(shell.body)
        compare(cards.length, 1)
        compare(findChild(cards[0], "cardSummary").text, "/tmp/typed/ttyX0 @ 115200")
        compare(app.managedDevices.entryPort(app.managedDevices.ids[0]), "/tmp/typed/ttyX0")
    }

    function test_modelAndBaudChosenInTheListsAreSaved() {
        var shell = openShell()
        var dialog = openAdd(shell)
        var models = dialogItem(dialog, "modelBox")
        compare(models.count, 6)
        compare(models.displayText, "KT45", "the default model")
        chooseEntry(models, 5)
        compare(dialog.modelId, "kt80")
        compare(models.displayText, "KT80")
        chooseEntry(dialog.baudBox, 5)
        compare(dialog.baud, 460800)
        compare(dialog.baudBox.displayText, "460800")

        typeInto(dialog.portBox, "/dev/ttyUSB3")
        click(dialogItem(dialog, "dialogSave"))
        skipIfUnavailable()
        tryVerify(function () { return !dialog.visible })
        var id = app.managedDevices.ids[0]
        compare(app.managedDevices.entryDeviceModelId(id), "kt80")
        compare(app.managedDevices.entryBaud(id), 460800)
        compare(findChild(cardsOf(shell.body)[0], "cardModel").text, "KT80")
    }

    function test_aRefusedSaveKeepsTheDialogOpen() {
        var shell = openShell()
        var dialog = openAdd(shell)
        typeInto(dialog.portBox, "")
        compare(dialog.portText(), "")
        click(dialogItem(dialog, "dialogSave"))
        // Refused (no port), whatever the reason the controller gives.
        verify(app.lastError.length > 0)
        verify(dialog.opened)
        compare(app.managedDevices.count, 0)
        compare(shell.toasts.kindAt(0), "error")
        compare(shell.bodyState, "welcome")
    }

    function test_customBaudIsAddedSelectedAndRemovedAgain() {
        var shell = openShell()
        var dialog = openAdd(shell)
        var field = dialog.customBaudField
        var add = dialogItem(dialog, "addBaudButton")
        verify(!add.enabled, "nothing typed")

        mouseClick(field)
        typeText("57600")
        click(add)
        compare(dialog.baud, 57600)
        compare(dialog.baudBox.displayText, "57600（自定义）")
        compare(field.text, "")
        verify(app.serialBaudRates.indexOf(57600) >= 0)
        compare(shell.toasts.messageAt(0), "已添加波特率 57600")

        // The same rate again is refused by the controller and changes nothing.
        mouseClick(field)
        typeText("57600")
        click(add)
        compare(shell.toasts.messageAt(0),
                "无法添加波特率 57600（需在 300～3000000 内，且不能与已有项重复）")
        compare(field.text, "57600")
        mouseClick(field)
        keySequence("Ctrl+A")
        keyClick(Qt.Key_Backspace)

        // Out of range: the field does not accept it, nothing reaches the controller.
        typeText("100")
        verify(!field.acceptableInput)
        var toastsBefore = shell.toasts.count
        click(add)
        compare(shell.toasts.count, toastsBefore)
        compare(dialog.baud, 57600)

        // Removing the selected custom rate from the list goes back to 115200.
        mouseClick(dialog.baudBox)
        tryVerify(function () { return dialog.baudBox.popup.opened })
        var list = dialog.baudBox.popup.contentItem
        var index = app.serialBaudRates.indexOf(57600)
        var entry = list.itemAtIndex(index)
        verify(entry !== null)
        var remove = findChild(entry, "removeEntry")
        verify(remove !== null && remove.visible, "custom rates can be removed")
        verify(!findChild(list.itemAtIndex(2), "removeEntry").visible, "built-in ones cannot")
        mouseClick(remove)
        compare(app.serialBaudRates.indexOf(57600), -1)
        compare(dialog.baud, 115200)
        compare(shell.toasts.messageAt(0), "已删除自定义波特率 57600")
    }

    function test_choiceSurvivesBaudListChangesMadeElsewhere() {
        var shell = openShell()
        var dialog = openAdd(shell)
        chooseEntry(dialog.baudBox, 3)
        compare(dialog.baud, 230400)
        // Another page adds and removes a rate of the user's own while the dialog is open.
        verify(app.addCustomSerialBaud(57600))
        compare(dialog.baudBox.count, 7)
        compare(dialog.baud, 230400)
        compare(dialog.baudBox.displayText, "230400")
        verify(app.removeCustomSerialBaud(57600))
        compare(dialog.baudBox.count, 6)
        compare(dialog.baud, 230400)
    }

    function test_detectedPortPrefersTheEntryNamedExactly() {
        var shell = openShell()
        var dialog = openAdd(shell)
        // A platform list in which a longer name comes first.
        dialog.portList = ["COM10  USB Serial", "COM1  Communications Port", "COM3"]
        dialog.applyDetected("COM1", 230400)
        compare(dialog.portName(), "COM1")
        compare(dialog.portBox.currentIndex, 1)
        compare(dialog.baud, 230400)
        dialog.applyDetected("COM3", 999)
        compare(dialog.portName(), "COM3")
        compare(dialog.baud, 115200, "a rate that is not listed falls back to 115200")
        // Not listed at all (a typed pseudo-terminal): written into the box as found.
        dialog.applyDetected("/tmp/sim/ttyINS0", 460800)
        compare(dialog.portBox.currentIndex, -1)
        compare(dialog.portName(), "/tmp/sim/ttyINS0")
        compare(dialog.baud, 460800)
    }

    function test_detectionHintShowsOnlyDetectionMessages() {
        var shell = openShell()
        var dialog = openAdd(shell)
        var hint = dialogItem(dialog, "detectHintText")
        verify(!hint.visible, "no detection yet")
        typeInto(dialog.portBox, "/dev/ttyNOPE0")
        click(dialogItem(dialog, "detectButton"))
        skipIfUnavailable()
        tryVerify(function () { return !app.detectingPort }, 20000)
        verify(hint.visible)
        compare(hint.text, "未匹配到设备响应，请检查接线与电源")
        verify(Qt.colorEqual(hint.color, Theme.warn), "a miss is drawn as a warning")
    }

    function test_editingADeviceWhosePortIsGoneLeavesThePortUnselected() {
        var ids = fixture.resetWithDevices([{ "port": "/dev/telvo-gone", "baud": 9600,
                                              "model": "kt45" }])
        fixture.usePorts(["/dev/ttyUSB0"])
        var shell = openShell()
        click(findChild(cardsOf(shell.body)[0], "cardEdit"))
        var dialog = shell.connectionDialog
        tryVerify(function () { return dialog.opened })
        compare(dialog.portBox.currentIndex, -1)
        compare(dialog.portText(), "")
        verify(dialogItem(dialog, "missingPortText").visible)
        // Saving as it stands must not store the absent port again, unnoticed.
        click(dialogItem(dialog, "dialogSave"))
        verify(dialog.opened)
        verify(app.lastError.length > 0)
        compare(app.managedDevices.entryPort(ids[0]), "/dev/telvo-gone")
        // Typed on purpose (a pseudo-terminal), the port is saved.
        typeInto(dialog.portBox, "/dev/telvo-gone")
        verify(!dialogItem(dialog, "missingPortText").visible)
        click(dialogItem(dialog, "dialogSave"))
        tryVerify(function () { return !dialog.visible })
        compare(app.managedDevices.entryPort(ids[0]), "/dev/telvo-gone")
    }

    function test_refreshKeepsAPortOnlyWhileItIsListed() {
        fixture.usePorts(["/dev/ttyUSB0", "/dev/ttyUSB1"])
        var shell = openShell()
        var dialog = openAdd(shell)
        var refresh = dialogItem(dialog, "refreshPortsButton")
        typeInto(dialog.portBox, "/dev/ttyUSB1")
        click(refresh)
        compare(dialog.portName(), "/dev/ttyUSB1")
        compare(dialog.portBox.currentIndex, 1)
        typeInto(dialog.portBox, "/tmp/pty/ttyX0")
        click(refresh)
        compare(dialog.portName(), "/dev/ttyUSB0", "a port that is not listed gives way")
        compare(dialog.portBox.currentIndex, 0)
        fixture.usePorts([])
        click(refresh)
        compare(dialog.portText(), "")
        compare(dialog.portBox.currentIndex, -1)
        typeInto(dialog.portBox, "/tmp/pty/ttyX0")
        compare(dialog.portName(), "/tmp/pty/ttyX0", "typing a port stays possible")
    }

    Component { id: recordPage; RecordPage { width: 1100; height: 700 } }
    Component { id: upgradePage; UpgradePage { width: 1100; height: 700 } }
    Component { id: deviceCard; DeviceCard { width: 360 } }
    Component { id: connectBar; DeviceConnectBar {} }

    function test_connectButtonsAreDisabledWhileConnecting_data() {
        return [{ tag: "record page", component: recordPage, button: "recordConnectButton" },
                { tag: "upgrade page", component: upgradePage, button: "connectButton" },
                { tag: "device card", component: deviceCard, button: "cardEnter", card: true },
                { tag: "connect bar", component: connectBar, button: "connectButton" }]
    }
    function test_connectButtonsAreDisabledWhileConnecting(data) {
        var ids = fixture.resetWithDevices([{ "port": "/dev/telvo-nowhere", "baud": 115200,
                                              "model": "kt45" }])
        // Shown on no window: the test case itself is hidden.
        var item = createTemporaryObject(data.component, null,
                                         data.card ? { "deviceId": ids[0] } : {})
        var button = find(item, data.button)
        verify(button.visible && button.enabled)
        verify(app.connectCurrentManaged())
        verify(app.connecting)
        verify(!button.enabled || !button.visible, "no second connect while one runs")
        tryVerify(function () { return !app.connecting }, 10000)
        verify(button.visible && button.enabled)
    }
}
