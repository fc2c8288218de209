import QtQuick
import QtTest
import Corvane.GCS
import "../shell"

// The log view's contract with its source, and the raw console page on a controller
// without a device: presets, their filter, the send line.
ShellTestCase {
    id: tc
    // A test case is hidden by default; the pages here are clicked as shown.
    visible: true
    width: 1200
    height: 800
    name: "RawConsole"

    // Stands in for the controller's log signals so the view can be driven exactly.
    QtObject {
        id: fakeLog
        property string logText: ""
        signal logAppended(string chunk)
        signal logSynced(string full)
        signal logViewCleared()
    }

    Component {
        id: viewComponent
        GcsLogView {
            width: 400
            height: 200
        }
    }

    Component {
        id: pageComponent
        RawPage {
            width: 1100
            height: 600
        }
    }

    function init() {
        freshStart()
        fakeLog.logText = ""
    }

    function lines(n, tag) {
        var out = ""
        for (var i = 0; i < n; ++i)
            out += tag + " line " + i + "\n"
        return out
    }

    function repeated(ch, n) {
        return new Array(n + 1).join(ch)
    }

    // ---- log view --------------------------------------------------------------------------

    function test_viewFollowsItsSource() {
        fakeLog.logText = "── 10:00:00 发送 ──\n#vorn,get com1*ff\n"
        var view = createTemporaryObject(viewComponent, tc, { "source": fakeLog })
        compare(view.text, fakeLog.logText)
        fakeLog.logAppended("── 10:00:01 接收 ──\nabc")
        fakeLog.logAppended("def\n")
        compare(view.text, "── 10:00:00 发送 ──\n#vorn,get com1*ff\n── 10:00:01 接收 ──\nabcdef\n")
        fakeLog.logSynced("aa 55 01\n")
        compare(view.text, "aa 55 01\n")
        fakeLog.logViewCleared()
        compare(view.text, "")
        fakeLog.logAppended("")
        compare(view.text, "")
    }

    function test_viewKeepsOnlyTheNewestCharacters() {
        var view = createTemporaryObject(viewComponent, tc, { "source": fakeLog })
        fakeLog.logAppended(repeated("a", 40000))
        fakeLog.logAppended(repeated("b", 20000) + "END")
        compare(view.text.length, 49152)
        compare(view.text.slice(-3), "END")
        compare(view.text.charAt(0), "a")
        compare(view.text.indexOf("b"), 49152 - 20003)
        // A whole text longer than the cap keeps its end as well.
        fakeLog.logSynced(repeated("c", 50000) + "TAIL")
        compare(view.text.length, 49152)
        compare(view.text.slice(-4), "TAIL")
    }

    function test_viewStaysAtTheEndOnlyWhileScrolledThere() {
        var view = createTemporaryObject(viewComponent, tc, { "source": fakeLog })
        var flick = view.contentItem
        fakeLog.logAppended(lines(200, "first"))
        tryVerify(function () {
            return flick.contentHeight > flick.height
                   && Math.abs(flick.contentY - (flick.contentHeight - flick.height)) < 2
        }, 2000, "follows the end")

        // Scrolled up to read, new data do not pull the view away.
        flick.contentY = 0
        fakeLog.logAppended(lines(50, "second"))
        wait(120)
        compare(flick.contentY, 0)

        // Back near the end (within 3 % of the content), it follows again.
        flick.contentY = flick.contentHeight - flick.height - 0.02 * flick.contentHeight
        fakeLog.logAppended(lines(50, "third"))
        tryVerify(function () {
            return Math.abs(flick.contentY - (flick.contentHeight - flick.height)) < 2
        }, 2000, "follows the end again")
    }

    // ---- raw console page ----------------------------------------------------------------------

    function presetCount(page) {
        return find(page, "presetList").count
    }

    function test_presetsFillTheSendLineAndCanBeFiltered() {
        var page = createTemporaryObject(pageComponent, tc)
        compare(presetCount(page), 10)
        var filter = find(page, "presetFilter")
        typeInto(filter, "align")
        compare(presetCount(page), 2)
        verify(!find(page, "noPresetText").visible)
        // The filter looks into the command text as well, without regard to case.
        typeInto(filter, "FLASH")
        compare(presetCount(page), 2)
        typeInto(filter, "nothing like it")
        compare(presetCount(page), 0)
        verify(find(page, "noPresetText").visible)
        compare(find(page, "noPresetText").text, "无匹配预设")
        typeInto(filter, "")
        compare(presetCount(page), 10)

        click(find(page, "hexSend"))
        compare(page.sendField.placeholderText, "AA 55 …")
        click(find(page, "preset_5"))
        compare(page.sendField.text, "#vorn,correct heading,1,0*ff")
        verify(!page.hexSend.checked, "a preset is a text command")
        compare(page.sendField.placeholderText, "原始字符串")
    }

    function test_withoutALinkNothingCanBeSent() {
        var page = createTemporaryObject(pageComponent, tc)
        click(find(page, "preset_0"))
        verify(!find(page, "sendButton").enabled)
        compare(page.send(), false)
        compare(app.logTxCount, 0)
        compare(page.logView.placeholderText, "文本等待…")
        app.logHexMode = true
        compare(page.logView.placeholderText, "Hex 等待…")
        app.logHexMode = false
    }

    function test_pauseAndHexSwitchFollowTheController() {
        var page = createTemporaryObject(pageComponent, tc)
        var subtitle = find(page, "rawSubtitle")
        compare(subtitle.text,
                "实时 · 文本按串口字节显示（不可打印为 .）；二进制请切 Hex。高频下分段刷新以免卡住界面")
        click(find(page, "pauseButton"))
        verify(app.logPaused)
        compare(find(page, "pauseButton").text, "继续")
        compare(subtitle.text, "已暂停 · 文本按串口字节显示（不可打印为 .）；二进制请切 Hex")
        // Clearing leaves the pause in place.
        click(find(page, "clearButton"))
        verify(app.logPaused)
        click(find(page, "pauseButton"))
        verify(!app.logPaused)
        compare(find(page, "pauseButton").text, "暂停")

        click(find(page, "formHex"))
        verify(app.logHexMode)
        click(find(page, "formText"))
        verify(!app.logHexMode)
    }
}
