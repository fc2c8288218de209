import QtQuick
import QtTest
import Corvane.GCS
import "../shell"

// The log view's contract with its source, and the raw console page on a controller
// without a device: presets, their filter, the send line.
ShellTestCase {
    id: tc
    name: "RawConsole"
    visible: true // a test case is hidden by default, and with it the page

    // Stands in for the controller's log signals so the view can be driven exactly.
    QtObject {
        id: fakeLog
        property string logText: ""
        signal logAppended(string chunk)
        signal logSynced(string full)
        signal logViewCleared()
    }

    Component { id: viewComponent; GcsLogView { width: 400; height: 200 } }
    Component { id: pageComponent; RawPage { width: 1100; height: 600 } }

    function init() {
        freshStart()
        fakeLog.logText = "── 10:00:00 发送 ──\n"
    }

    function test_viewFollowsItsSourceAndKeepsTheNewestCharacters() {
        var view = createTemporaryObject(viewComponent, tc, { "source": fakeLog })
        fakeLog.logAppended("abc")
        fakeLog.logAppended("def\n")
        compare(view.text, "── 10:00:00 发送 ──\nabcdef\n")
        fakeLog.logViewCleared()
        compare(view.text, "")
        fakeLog.logAppended(new Array(40001).join("a"))
        fakeLog.logAppended(new Array(20001).join("b") + "END")
        compare(view.text.length, 49152)
        fakeLog.logSynced(new Array(50001).join("c") + "TAIL")
        compare(view.text.length, 49152)
        compare(view.text.slice(-4), "TAIL")
    }

    function test_viewStaysAtTheEndOnlyWhileScrolledThere() {
        var flick = createTemporaryObject(viewComponent, tc, { "source": fakeLog }).contentItem
        var atEnd = function () { return flick.contentHeight - flick.height - flick.contentY < 2 }
        fakeLog.logAppended(new Array(201).join("first line\n"))
        tryVerify(function () { return flick.contentHeight > flick.height && atEnd() }, 2000)
        flick.contentY = 0 // scrolled up to read: new data do not pull the view away
        fakeLog.logAppended(new Array(51).join("second line\n"))
        wait(120)
        compare(flick.contentY, 0)
        // Back near the end (within 3 % of the content), it follows again.
        flick.contentY = flick.contentHeight - flick.height - 0.02 * flick.contentHeight
        fakeLog.logAppended(new Array(51).join("third line\n"))
        tryVerify(atEnd, 2000)
    }

    // The presets are one stop of the Tab chain: the arrows walk them, the focus shown,
    // Return takes one into the send line; the form switch follows the arrows.
    function test_presetsAndFormAreChosenWithTheKeyboard() {
        var page = createTemporaryObject(pageComponent, tc)
        var focused = () => tc.Window.window.activeFocusItem
        find(page, "presetFilter").forceActiveFocus()
        for (var key of [Qt.Key_Tab, Qt.Key_Down, Qt.Key_Down, Qt.Key_Down, Qt.Key_Up])
            keyClick(key)
        compare([focused().objectName, ringOf(focused()).visible].join(), "preset_2,true")
        keyClick(Qt.Key_Return)
        verify(focused() === page.sendField && page.sendField.text === "#vorn,get com1*ff")
        find(page, "formText").forceActiveFocus(Qt.TabFocusReason)
        keyClick(Qt.Key_Left)
        compare([app.logHexMode, focused().objectName, focused().checked,
                 tabStopsIn(find(page, "formSwitch")).length].join(), "true,formHex,true,1")
    }

    // The filter looks into the command text as well, without regard to case; without a
    // link a chosen preset cannot go out.
    function test_presetsAreFilteredButNothingGoesOutWithoutALink() {
        var page = createTemporaryObject(pageComponent, tc)
        var presets = find(page, "presetList")
        compare(presets.count, 10)
        typeInto(find(page, "presetFilter"), "FLASH")
        compare(presets.count, 2)
        click(find(page, "preset_0"))
        verify(page.sendField.text.length > 0 && !find(page, "sendButton").enabled)
        compare(page.send(), false)
        compare(app.logTxCount, 0)
    }
}
