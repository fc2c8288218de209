import QtQuick
import QtTest
import Corvane.GCS

// The frame of the window on a first start: what the body shows, the header switches and
// what they store, the footer texts and the window's size rules.
ShellTestCase {
    name: "Shell"

    function init() { freshStart() }
    function cleanup() { Theme.apply("defense"); Theme.reduceMotion = false }

    function test_firstStartShowsTheWelcomePanel() {
        var shell = openShell()
        compare(shell.bodyState, "welcome")
        compare(shell.body.objectName, "welcomePanel")
        compare(findIn(shell, "welcomeTitle").text, "尚未纳管任何设备")
        var search = findIn(shell, "welcomeSearchButton")
        verify(search.visible)
        verify(!search.enabled, "automatic search is offered but not yet available")
        verify(findIn(shell, "welcomeAddButton").enabled)
        compare(findIn(shell, "footerStatus").text, "就绪 · 等待纳管设备")
        verify(findIn(shell, "footerIdleHint").visible)
        compare(findIn(shell, "footerVersion").text, "版本 1.0.5")
        verify(!findIn(shell, "footerDot").pulsing, "no link, no pulse")
    }

    function test_addDeviceOnTheWelcomePanelOpensTheDialogInAddMode() {
        var shell = openShell()
        click(findIn(shell, "welcomeAddButton"))
        var dialog = shell.connectionDialog
        tryVerify(function () { return dialog.opened })
        verify(!dialog.editMode)
        compare(dialogItem(dialog, "dialogTitle").text, "手动添加设备")
        compare(dialogItem(dialog, "dialogSave").text, "确定")
        compare(dialog.baud, 115200)
        compare(dialog.modelId, "kt45")
        click(dialogItem(dialog, "dialogCancel"))
        tryVerify(function () { return !dialog.visible })
        compare(shell.bodyState, "welcome")
    }

    function test_themeChosenInTheBoxIsAppliedStoredAndRestored() {
        var shell = openShell()
        var box = shell.header.themeBox
        compare(box.currentIndex, 0, "the default theme is the first")
        compare(shell.color, "#060b14")
        chooseEntry(box, 2)
        compare(box.currentText, "极简高亮白")
        compare(app.settings.theme, "极简高亮白")
        compare(shell.color, "#e9eef3", "the light theme paints the window")
        compare(Theme.themeId, "chart", "one theme object for the shell and its parts")
        verify(Theme.light)

        // A new start on the same settings folder opens in the stored theme.
        shell.destroy()
        wait(0)
        fixture.restartController()
        var again = openShell()
        compare(again.header.themeBox.currentIndex, 2)
        compare(again.color, "#e9eef3")
    }

    function test_storedThemeNamesOfEarlierReleasesStillSelectTheirTheme() {
        var cases = [["白昼海图", 2], ["星云紫夜", 3], ["北欧霜夜", 1], ["polar", 1],
                     ["no such theme", 0], ["", 0]]
        for (var i = 0; i < cases.length; ++i) {
            wait(0)
            fixture.resetController()
            app.settings.theme = cases[i][0]
            var shell = openShell()
            compare(shell.header.themeBox.currentIndex, cases[i][1], cases[i][0])
            // Start-up selects the index without rewriting what was stored.
            compare(app.settings.theme, cases[i][0])
            shell.destroy()
        }
    }

    function test_reduceMotionSwitchStopsAnimationsAndIsStored() {
        var shell = openShell()
        var box = shell.header.reduceMotionBox
        verify(!box.checked)
        click(box)
        verify(box.checked)
        compare(app.settings.reduceMotion, true)
        shell.destroy()
        wait(0)
        fixture.restartController()
        var again = openShell()
        verify(again.header.reduceMotionBox.checked, "restored from the settings")
        // Written from elsewhere, the setting reaches the switch as well.
        app.settings.reduceMotion = false
        verify(!again.header.reduceMotionBox.checked)
    }

    function test_reduceMotionStopsTheBackdrop() {
        var shell = openShell()
        var backdrop = findIn(shell, "backdrop")
        verify(backdrop.animating)
        click(shell.header.reduceMotionBox)
        verify(!backdrop.animating)
        compare(Theme.colorDuration, 0)
        click(shell.header.reduceMotionBox)
        verify(backdrop.animating)
        compare(Theme.colorDuration, 260)
    }

    function test_chineseTextsUseAnInstalledFace() {
        var installed = Qt.fontFamilies()
        verify(installed.indexOf(Theme.fontFamily) >= 0, Theme.fontFamily)
        verify(installed.indexOf(Theme.monoFamily) >= 0 || Theme.monoFamily === "monospace",
               Theme.monoFamily)
        // Where the Windows faces are missing the CJK faces of Noto carry the texts.
        if (installed.indexOf("Microsoft YaHei UI") < 0
                && installed.indexOf("Noto Sans CJK SC") >= 0)
            compare(Theme.fontFamily, "Noto Sans CJK SC")
        var shell = openShell()
        compare(findIn(shell, "welcomeTitle").font.family, Theme.fontFamily)
    }

    function test_captionButtonsMaximiseRestoreAndClose() {
        var shell = openShell()
        click(findIn(shell, "maximizeButton"))
        tryVerify(function () { return shell.maximized }, 2000)
        compare(findIn(shell, "maximizeButton").glyph, "restore")
        click(findIn(shell, "maximizeButton"))
        tryVerify(function () { return !shell.maximized }, 2000)
        tryCompare(shell, "width", 1434)
        tryCompare(shell, "height", 896)

        // A double click on the free header area does the same.
        mouseDoubleClickSequence(findIn(shell, "headerDragArea"), 400, 20)
        tryVerify(function () { return shell.maximized }, 2000)
        mouseDoubleClickSequence(findIn(shell, "headerDragArea"), 400, 20)
        tryVerify(function () { return !shell.maximized }, 2000)

        click(findIn(shell, "closeButton"))
        tryVerify(function () { return !shell.visible }, 2000)
    }

    Component {
        id: headerComponent
        Item {
            property alias header: header
            width: 800
            height: 48
            QtObject {
                id: shellStub
                property string headerClockTime: "12:00:00"
                property string headerClockDate: "2024-01-01"
                property string headerClockWeek: "周一"
                property bool maximized: false
                function themeBoxChosen(index) {}
            }
            ShellHeader {
                id: header
                width: parent.width
                shell: shellStub
            }
        }
    }

    function test_headerClockIsHiddenOnNarrowWindows() {
        var host = createTemporaryObject(headerComponent, this)
        waitForRendering(host)
        verify(!host.header.clockShown, "800 wide")
        host.width = 1100
        tryVerify(function () { return host.header.clockShown }, 1000, "1100 wide")
        host.width = 819
        tryVerify(function () { return !host.header.clockShown }, 1000, "819 wide")
    }

    function test_headerClockShowsTimeDateAndWeekday() {
        var shell = openShell()
        var time = findIn(shell, "clockTime")
        var date = findIn(shell, "clockDate")
        verify(/^\d\d:\d\d:\d\d$/.test(time.text), time.text)
        verify(/^\d{4}-\d\d-\d\d  周[日一二三四五六]$/.test(date.text), date.text)
        var first = time.text
        tryVerify(function () { return time.text !== first }, 2500, "the clock ticks")
    }

    function test_windowKeepsItsMinimumSizeUnlessMaximised() {
        var shell = openShell()
        shell.width = 900
        shell.height = 500
        tryCompare(shell, "width", 1100)
        tryCompare(shell, "height", 700)
        verify(findIn(shell, "headerClock").visible)
    }

    function test_minTierAndMediumTierSizes() {
        var shell = openShell()
        // The suite's screen is 1920 x 1080: the medium tier is 0.83 of its height tall
        // (896.4) at 16:10, centred.
        shell.applyWindowTier("min")
        tryCompare(shell, "width", 1100)
        tryCompare(shell, "height", 700)
        compare(shell.x, 410)
        compare(shell.y, 190)
        shell.applyWindowTier("medium")
        tryCompare(shell, "width", 1434)
        tryCompare(shell, "height", 896)
        compare(shell.x, 243)
        compare(shell.y, 92)
    }
}
