import QtQuick
import QtTest
import Corvane.GCS
import "qrc:/Corvane/GCS/pages/calib/CalibLogic.js" as Logic
import "../shell"

// The configuration page on a controller without a device: the installation-axis boxes,
// how read-back values are shown and the factory record.
ShellTestCase {
    id: tc
    name: "CalibPage"
    visible: true // the page takes the keyboard focus

    Component { id: pageComponent; CalibPage { width: 1100; height: 700 } }

    function init() { freshStart() }

    function createPage(scope) {
        return createTemporaryObject(pageComponent, tc, { "configScope": scope })
    }

    function axes(tab) {
        return [tab.axisXBox.currentText, tab.axisYBox.currentText,
                tab.axisZBox.currentText].join(" ")
    }

    // Every right-handed frame of different body axes can be chosen (6 X by 4 Y, one Z
    // each), and no other. Handedness is worked out here on its own: the rows of the
    // axis matrix must have determinant +1.
    function test_axisBoxesOfferExactlyTheRightHandedFrames() {
        var tab = createPage("user").userComm
        var row = function (token) {
            var r = [0, 0, 0]
            r["xyz".indexOf(token.slice(-1))] = token.charAt(0) === "-" ? -1 : 1
            return r
        }
        var reached = {}
        for (var xi = 0; xi < tab.axisXBox.count; ++xi) {
            tab.axisXBox.activated(xi)
            compare(tab.axisYBox.count, 4)
            for (var yi = 0; yi < 4; ++yi) {
                tab.axisYBox.activated(yi)
                compare(tab.axisZBox.count, 1)
                tab.axisZBox.activated(0)
                var a = row(tab.axisXBox.currentText), b = row(tab.axisYBox.currentText)
                var c = row(tab.axisZBox.currentText)
                compare(a[0] * (b[1] * c[2] - b[2] * c[1]) - a[1] * (b[0] * c[2] - b[2] * c[0])
                        + a[2] * (b[0] * c[1] - b[1] * c[0]), 1, axes(tab))
                verify(tab.setAxisButton.enabled)
                reached[axes(tab)] = true
            }
        }
        compare(Object.keys(reached).length, 24)
    }

    // What a unit reports is brought under the same rules; a frame forced past the boxes
    // cannot be sent.
    function test_readBackAxesAreBroughtUnderTheRules() {
        var tab = createPage("user").userComm
        for (var c of [["x y -z", "x y z"], ["-y y x", "-y x z"], ["w q ", "x y z"]]) {
            tab.applyAxes.apply(tab, c[0].split(" "))
            compare(axes(tab), c[1], c[0])
        }
        tab.axisZ = "-z"
        verify(!tab.setAxisButton.enabled)
        compare(tab.setAxes(), false)
        compare(app.logTxCount, 0)
    }

    // A tab strip is one stop of the Tab chain: the arrows (round the ends), Home and End
    // choose a tab and its panel, the focus shown on it, read as the chosen tab.
    function test_tabStripsMoveWithTheArrowKeys_data() {
        return [{ tag: "user", panels: ["userComm", "userMaint"], steps: [[Qt.Key_Right, 1],
                  [Qt.Key_Right, 0], [Qt.Key_End, 1], [Qt.Key_Space, 1]] },
                { tag: "factory", panels: ["factoryGyro", "factoryComp", "factoryInstall",
                                           "factoryMaint"],
                  steps: [[Qt.Key_Right, 1], [Qt.Key_Left, 0], [Qt.Key_Left, 3], [Qt.Key_Home, 0],
                          [Qt.Key_End, 3], [Qt.Key_Right, 0], [Qt.Key_Return, 0]] }]
    }

    function test_tabStripsMoveWithTheArrowKeys(data) {
        var page = createPage(data.tag), strip = page[data.tag + "TabBar"]
        var focused = () => tc.Window.window.activeFocusItem
        for (var step of [[Qt.Key_Tab, 0]].concat(data.steps)) {
            keyClick(step[0])
            compare([strip.currentIndex, page[data.panels[step[1]]].visible, focused().objectName,
                     focused().visualFocus, focused().checked, tabStopsIn(strip).length].join(),
                    [step[1], true, data.tag + "Tab_" + step[1], true, true, 1].join())
        }
    }

    function test_valuesAreShownWithoutExponentAndTrailingZeros_data() {
        // Each row also has a form of a missing value: a dash in labels, empty in fields.
        return [{ tag: "small", value: 1.5e-05, places: 12, shown: "0.000015", none: undefined },
                { tag: "text", value: "2.50", places: 12, shown: "2.5", none: null },
                { tag: "serial", value: "240601.6", places: 0, shown: "240602", none: "  " },
                { tag: "-0", value: -1e-14, places: 12, shown: "0", none: "undefined" },
                { tag: "large", value: 1e22, places: 12, shown: "1" + "0".repeat(22), none: NaN },
                { tag: "exponent", value: "-2.5e-6", places: 12, shown: "-0.0000025", none: "" },
                { tag: "not a number", value: "abc", places: 12, shown: "abc", none: "NaN" }]
    }

    function test_valuesAreShownWithoutExponentAndTrailingZeros(data) {
        compare(Logic.formatNumber(data.value, data.places), data.shown)
        compare([Logic.readback(data.none, "°"), Logic.fieldText(data.none)].join(), "—,")
    }

    function test_factoryRecordAlwaysHasTwentyTwoValues() {
        compare(Logic.factoryValues({}).join(), ",,,,,,,,,,,,,1.0,,,,1.0,,,,1.0")
        compare(Logic.factorySentence({ "sn": " 12 ", "kg1zy": "0.5" }),
                "#vorn,set factory,12,,,,,,,,,,,,,1.0,,,,1.0,,,0.5,1.0*ff")
        // Every field but the fixed diagonal is named when empty or not a number.
        compare(Logic.factoryProblems({}).length, 19)
        var problems = Logic.factoryProblems({ "sn": "1", "t2x": "x", "t1x": "Infinity",
                                               "kggx": "-1e400", "t2y": "1e300" })
        compare([problems.indexOf("t2x") >= 0, problems.indexOf("t1x") >= 0,
                 problems.indexOf("kggx") >= 0, problems.indexOf("sn") < 0,
                 problems.indexOf("t2y") < 0].join(), "true,true,true,true,true")
    }
}
