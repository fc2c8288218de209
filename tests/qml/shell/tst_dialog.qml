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

}
