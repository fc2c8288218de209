import QtQuick
import QtTest
import Corvane.GCS
import "qrc:/Corvane/GCS/pages/calib/CalibLogic.js" as Logic
import "../shell"

// The configuration page on a controller without a device: the installation-axis boxes,
// the scope switch, how read-back values are shown and the factory record.
ShellTestCase {
    id: tc
    // A test case is hidden by default; the pages here are clicked as shown.
    visible: true
    width: 1200
    height: 800
    name: "CalibPage"

    Component {
        id: pageComponent
        CalibPage {
            width: 1100
            height: 700
        }
    }

    function init() {
        freshStart()
    }

    function createPage(scope) {
        var page = createTemporaryObject(pageComponent, tc, { "configScope": scope })
        verify(page !== null, "page created")
        return page
    }

    // Handedness worked out on its own: the rows of the axis matrix must be three
    // different body axes with determinant +1.
    function rowOf(token) {
        var sign = token.charAt(0) === "-" ? -1 : 1
        var axis = "xyz".indexOf(token.charAt(token.length - 1))
        var row = [0, 0, 0]
        row[axis] = sign
        return row
    }

    function determinant(a, b, c) {
        return a[0] * (b[1] * c[2] - b[2] * c[1]) - a[1] * (b[0] * c[2] - b[2] * c[0])
               + a[2] * (b[0] * c[1] - b[1] * c[0])
    }

    function boxTexts(box) {
        var out = []
        for (var i = 0; i < box.count; ++i)
            out.push(box.textAt(i))
        return out
    }

    // ---- installation axes ---------------------------------------------------------------

    function test_axisBoxesOfferOnlyRightHandedTriplesOfDifferentAxes() {
        var tab = createPage("user").userComm
        var reached = {}
        for (var xi = 0; xi < tab.axisXBox.count; ++xi) {
            tab.axisXBox.activated(xi)
            var x = tab.axisXBox.currentText
            compare(x, Logic.axisTokens[xi])
            // The boxes always show an offered entry after a change.
            verify(tab.axisYBox.currentIndex >= 0, "Y shows an entry for X " + x)
            verify(tab.axisZBox.currentIndex >= 0, "Z shows an entry for X " + x)
            var ys = boxTexts(tab.axisYBox)
            compare(ys.length, 4, "Y entries for X " + x)
            for (var yi = 0; yi < ys.length; ++yi) {
                tab.axisYBox.activated(yi)
                compare(tab.axisYBox.currentText, ys[yi])
                // Exactly one Z completes a right-handed frame.
                compare(tab.axisZBox.count, 1, "Z entries for " + x + " " + ys[yi])
                tab.axisZBox.activated(0)
                var triple = [tab.axisXBox.currentText, tab.axisYBox.currentText,
                              tab.axisZBox.currentText]
                compare(determinant(rowOf(triple[0]), rowOf(triple[1]), rowOf(triple[2])), 1,
                        triple.join(" "))
                verify(tab.axesValid, triple.join(" "))
                verify(tab.setAxisButton.enabled, triple.join(" "))
                reached[triple.join(" ")] = true
            }
        }
        // Every right-handed frame of the body axes can be chosen: 6 X by 4 Y.
        compare(Object.keys(reached).length, 24)
    }

    function test_aMirroredOrRepeatedReadBackIsBroughtBackUnderTheRules() {
        var tab = createPage("user").userComm
        // What a unit reporting a mirrored frame would put into the boxes.
        tab.applyAxes("x", "y", "-z")
        compare([tab.axisXBox.currentText, tab.axisYBox.currentText,
                 tab.axisZBox.currentText].join(" "), "x y z")
        // A repeated body axis: Y moves to the first axis that fits, Z follows.
        tab.applyAxes("-y", "y", "x")
        compare(tab.axisXBox.currentText, "-y")
        compare(tab.axisYBox.currentText, "x")
        compare(tab.axisZBox.currentText, "z")
        verify(tab.setAxisButton.enabled)
        // A token the unit cannot mean falls back to the default frame.
        tab.applyAxes("w", "q", "")
        compare([tab.axisXBox.currentText, tab.axisYBox.currentText,
                 tab.axisZBox.currentText].join(" "), "x y z")
    }

    function test_anInvalidTripleDisablesSettingTheAxesAndSendsNothing() {
        var tab = createPage("user").userComm
        // Forced past the boxes, as a broken binding would.
        tab.axisZ = "-z"
        verify(!tab.axesValid)
        verify(!tab.setAxisButton.enabled)
        compare(tab.setAxisButton.toolTipText, "当前组合不符合右手系或存在重复机体轴")
        compare(tab.setAxes(), false)
        compare(app.logTxCount, 0)
        tab.axisZ = "z"
        verify(tab.setAxisButton.enabled)
        compare(tab.setAxisButton.toolTipText, "")
    }

    // ---- scopes ----------------------------------------------------------------------------

    function test_changingTheScopeReturnsBothTabBarsToTheirFirstTab() {
        var page = createPage("factory")
        compare(find(page, "scopeHeader").text,
                "厂家标定与维护专用，误操作可能影响设备精度。请在当前 Tab 完成读/设后，点击本 Tab 的「保存出厂」写入设备。")
        compare(boxTextsOfTabs(page.factoryTabBar), "出厂陀螺,补偿文件,安装误差,厂家维护")
        verify(page.factoryTabBar.visible && !page.userTabBar.visible)
        click(find(page, "factoryTab_2"))
        compare(page.factoryTabBar.currentIndex, 2)
        verify(page.factoryInstall.visible)
        page.userTabBar.currentIndex = 1

        page.configScope = "user"
        compare(page.userTabBar.currentIndex, 0)
        compare(page.factoryTabBar.currentIndex, 0)
        verify(page.userTabBar.visible && !page.factoryTabBar.visible)
        verify(page.userComm.visible)
        compare(boxTextsOfTabs(page.userTabBar), "通信与轴向,现场维护")
        compare(find(page, "scopeHeader").text,
                "进入本页将自动关闭导航输出并读固件版本；串口1 在下方卡片读/设。任意 Tab 改参后，仅在页底「读回与保存」保存一次。")
    }

    function boxTextsOfTabs(bar) {
        var out = []
        for (var i = 0; i < bar.titles.length; ++i)
            out.push(find(bar, bar.namePrefix + "_" + i).children[0].text)
        return out.join(",")
    }

    function test_leavingTheCompensationPanelEndsAReadBack() {
        var page = createPage("factory")
        click(find(page, "factoryTab_1"))
        app.startFactoryReadback()
        verify(app.factoryReadbackActive)
        click(find(page, "factoryTab_3"))
        verify(!app.factoryReadbackActive)
        // And so does leaving the page.
        click(find(page, "factoryTab_1"))
        app.startFactoryReadback()
        page.destroy()
        wait(0)
        verify(!app.factoryReadbackActive)
    }

    function test_readBacksShowDashesUntilTheUnitAnswers() {
        var page = createPage("user")
        var tab = page.userComm
        var names = ["softverReadback", "axisReadback", "com1Readback", "gnssReadback",
                     "extrapReadback"]
        for (var i = 0; i < names.length; ++i)
            compare(find(find(tab, names[i]), "readbackValue").text, "—", names[i])
        // The serial boxes start on the unit's usual settings.
        compare(tab.interfaceBox.currentText, "422")
        compare(tab.baudBox.displayText, "115200")
        compare(tab.rateBox.currentText, "200")
        compare(tab.formatBox.currentText, "sinsbin")
        compare(tab.com1Args().join(","), "422,115200,200,sinsbin")
    }

    // ---- display rules and the factory record ------------------------------------------------

    function test_numbersAreShownWithoutExponentAndTrailingZeros_data() {
        return [
            { tag: "small", value: 1.5e-05, decimals: 12, shown: "0.000015" },
            { tag: "text", value: "2.50", decimals: 12, shown: "2.5" },
            { tag: "whole", value: 240601.0, decimals: 0, shown: "240601" },
            { tag: "rounded serial", value: "240601.6", decimals: 0, shown: "240602" },
            { tag: "below the last decimal", value: 4e-13, decimals: 12, shown: "0" },
            { tag: "negative zero", value: -1e-14, decimals: 12, shown: "0" },
            { tag: "large", value: 1e22, decimals: 12, shown: "10000000000000000000000" },
            { tag: "exponent text", value: "-2.5e-6", decimals: 12, shown: "-0.0000025" },
            { tag: "not a number", value: "abc", decimals: 12, shown: "abc" }
        ]
    }

    function test_numbersAreShownWithoutExponentAndTrailingZeros(data) {
        compare(Logic.formatNumber(data.value, data.decimals), data.shown)
    }

    function test_missingValuesAreADashInLabelsAndEmptyInFields() {
        var missing = [undefined, null, "", "  ", "undefined", "NaN", NaN]
        for (var i = 0; i < missing.length; ++i) {
            compare(Logic.readback(missing[i], "°"), "—", String(missing[i]))
            compare(Logic.fieldText(missing[i]), "", String(missing[i]))
        }
        compare(Logic.readback(0, "°"), "0°")
        compare(Logic.readback("30", " ms"), "30 ms")
    }

    function test_factoryRecordAlwaysHasTwentyTwoValues() {
        var empty = Logic.factoryValues({})
        compare(empty.length, 22)
        compare(empty.join(","), ",,,,,,,,,,,,,1.0,,,,1.0,,,,1.0")
        compare(Logic.factorySentence({ "sn": " 12 ", "kg1zy": "0.5" }),
                "#vorn,set factory,12,,,,,,,,,,,,,1.0,,,,1.0,,,0.5,1.0*ff")
        // Every field but the fixed diagonal is named when empty or not a number.
        compare(Logic.factoryProblems({}).length, 19)
        compare(Logic.factoryProblems({ "sn": "1", "t2x": "x" }).indexOf("t2x") >= 0, true)
        compare(Logic.factoryProblems({ "sn": "1", "t2x": "x" }).indexOf("sn"), -1)
    }
}
