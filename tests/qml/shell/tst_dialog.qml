import QtQuick
import QtTest
import Corvane.GCS

// The connection dialog driven with mouse and keyboard: a typed port, model and baud
// choices, the user's own baud rates, a detected port, and the rules for saving.
ShellTestCase {
    name: "ConnectionDialog"

    function init() { freshStart() }

    function openAdd(shell) {
        click(findIn(shell, "welcomeAddButton"))
        tryVerify(function () { return shell.connectionDialog.opened })
        return shell.connectionDialog
    }

    // A typed port (how a pseudo-terminal is reached) counts by its first word, like a
    // listed one; it is saved with the model and baud chosen in the lists. A save the
    // controller refuses keeps the dialog open.
    function test_typedPortModelAndBaudAreSaved() {
        var shell = openShell()
        var dialog = openAdd(shell)
        typeInto(dialog.portBox, "")
        click(dialogItem(dialog, "dialogSave"))
        verify(dialog.opened && shell.toasts.kindAt(0) === "error")
        chooseEntry(dialogItem(dialog, "modelBox"), 5)
        chooseEntry(dialog.baudBox, 5)
        typeInto(dialog.portBox, "/tmp/typed/ttyX0  simulator")
        click(dialogItem(dialog, "dialogSave"))
        tryVerify(function () { return !dialog.visible })
        var id = app.managedDevices.ids[0]
        compare([app.managedDevices.entryPort(id), app.managedDevices.entryDeviceModelId(id),
                 app.managedDevices.entryBaud(id)].join(), "/tmp/typed/ttyX0,kt80,460800")
    }

    function test_customBaudIsAddedSelectedAndRemovedAgain() {
        var dialog = openAdd(openShell())
        var field = dialog.customBaudField
        typeInto(field, "57600")
        click(dialogItem(dialog, "addBaudButton"))
        compare([dialog.baudBox.displayText, field.text].join(), "57600（自定义）,")
        // Out of range: the field does not take it and nothing reaches the controller.
        typeInto(field, "100")
        click(dialogItem(dialog, "addBaudButton"))
        verify(app.serialBaudRates.indexOf(100) < 0 && dialog.baud === 57600)
        // Another page changes the list: the choice stays.
        verify(app.addCustomSerialBaud(38400) && app.removeCustomSerialBaud(38400))
        compare(dialog.baud, 57600)
        // Removing the chosen rate goes back to 115200; built-in rates cannot be removed.
        mouseClick(dialog.baudBox)
        tryVerify(function () { return dialog.baudBox.popup.opened })
        var list = dialog.baudBox.popup.contentItem
        verify(!findChild(list.itemAtIndex(2), "removeEntry").visible)
        mouseClick(findChild(list.itemAtIndex(app.serialBaudRates.indexOf(57600)), "removeEntry"))
        verify(app.serialBaudRates.indexOf(57600) < 0 && dialog.baud === 115200)
        // From the keyboard Delete removes the highlighted custom rate of the open list.
        verify(app.addCustomSerialBaud(1200))
        for (var i = dialog.baudBox.highlightedIndex; i < app.serialBaudRates.indexOf(1200); ++i)
            keyClick(Qt.Key_Down)
        keyClick(Qt.Key_Delete)
        verify(app.serialBaudRates.indexOf(1200) < 0, app.serialBaudRates)
    }

    // A detected port selects the entry named exactly, else is written in as found; an
    // unlisted rate falls back to 115200.
    function test_detectedPortPrefersTheEntryNamedExactly() {
        var dialog = openAdd(openShell())
        dialog.portList = ["COM10  USB Serial", "COM1  Communications Port", "COM3"]
        var found = []
        for (var hit of [["COM1", 230400], ["COM3", 999], ["/tmp/sim/ttyINS0", 460800]]) {
            dialog.applyDetected(hit[0], hit[1])
            found.push([dialog.portBox.currentIndex, dialog.portName(), dialog.baud].join(" "))
        }
        compare(found.join(), "1 COM1 230400,2 COM3 115200,-1 /tmp/sim/ttyINS0 460800")
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

    // Opened from the keyboard, a dialog closes on Escape and confirms on Return (in the
    // custom baud field Return adds the rate instead); the focus goes back to its opener.
    function test_escapeCancelsReturnConfirms_data() {
        return [{ tag: "removal, Escape", opener: "cardRemove", key: Qt.Key_Escape, count: 1 },
                { tag: "removal, Return", opener: "cardRemove", key: Qt.Key_Return, count: 0 },
                { tag: "adding, Escape", opener: "hubAddButton", key: Qt.Key_Escape, count: 1 },
                { tag: "adding, Return", opener: "hubAddButton", key: Qt.Key_Return, count: 2 }]
    }
    function test_escapeCancelsReturnConfirms(data) {
        fixture.resetWithDevices([{ "port": "/dev/ttyUSB0" }])
        var shell = openShell()
        var opener = find(shell.body, data.opener)
        opener.forceActiveFocus(Qt.TabFocusReason)
        keyClick(Qt.Key_Return)
        var adding = data.opener === "hubAddButton"
        var dialog = adding ? shell.connectionDialog : shell.removeConfirm
        tryVerify(function () { return dialog.opened })
        if (adding) {
            typeInto(dialog.customBaudField, "57600")
            keyClick(Qt.Key_Return)
            verify(dialog.opened && dialog.baud === 57600)
            typeInto(dialog.portBox, "/dev/ttyUSB7")
        }
        keyClick(data.key)
        tryVerify(function () { return !dialog.visible })
        compare(app.managedDevices.count, data.count)
        if (data.count > 0)
            verify(opener.activeFocus && ringOf(opener).visible, "focus back on the opener")
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
