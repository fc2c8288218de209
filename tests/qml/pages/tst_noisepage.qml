import QtQuick
import QtTest
import Corvane.GCS
import "../shell"

// The noise page on the real controller: a recording picked through the chooser is analysed
// off the GUI thread, the curves, figures and warnings show, and the result exports as CSV.
ShellTestCase {
    id: tc
    name: "NoisePage"
    visible: true // a test case is hidden by default, and with it the page

    // 30 s of ahrsasc at 100 Hz, five messages to a host time: white noise of 0.1 °/s (an
    // angle random walk of 0.6 °/√h) and 2 mg; the gyro Z turning at 12 °/s when moving;
    // 300 frames lost halfway with a gap.
    function recording(moving, gap) {
        var seed = 12345
        function noise(sigma) { // four uniforms: near enough Gaussian, and repeatable
            var v = 0
            for (var k = 0; k < 4; ++k)
                v += (seed = (seed * 16807) % 2147483647) / 2147483647 - 0.5
            return sigma * v * Math.sqrt(3)
        }
        var t0 = new Date(2024, 2, 9, 7, 5, 3).getTime()
        var lines = []
        for (var i = 0; i < 3000; ++i) {
            var stamp = Qt.formatDateTime(new Date(t0 + 50 * Math.floor(i / 5)),
                                          "yyyy-MM-dd HH:mm:ss.zzz")
            var values = [noise(0.1), noise(0.1), moving ? 12 : noise(0.1), noise(0.002),
                          noise(0.002), 1 + noise(0.002)]
            lines.push(stamp + " #vorn,ahrsasc," + (gap && i >= 1500 ? i + 300 : i) + ","
                       + values.map(v => v.toFixed(6)).join(",")
                       + ",0,0,0,30.00,0.00,0.00,0,0*ff")
        }
        return lines.join("\n") + "\n"
    }

    // Qt 6.4's engine finds no "" in "" ("".indexOf("") is -1): an empty part always holds.
    function holds(text, part) { return part.length === 0 || text.indexOf(part) >= 0 }

    function test_recordingIsAnalysed_data() {
        return [{ tag: "at rest", content: recording(false), curves: 6, warning: "", gap: "",
                  error: "" },
                { tag: "moving", content: recording(true), curves: 5,
                  warning: "陀螺 Z 轴持续转动 12.00 °/s", gap: "", error: "" },
                { tag: "with a gap", content: recording(false, true), curves: 6, warning: "",
                  gap: "丢失 300 帧", error: "" },
                { tag: "not a recording", content: "hello\n", curves: 0, warning: "", gap: "",
                  error: "没有时间戳" }]
    }

    function test_recordingIsAnalysed(data) {
        freshStart()
        var path = fixture.scratchPath("noise.txt")
        verify(fixture.writeScratchFile(path, data.content))
        var page = makePage("NoisePage.qml", 1100, 700)
        fixture.answerFileDialogs([path])
        click(find(page, "noisePickButton"))
        compare(page.filePath, path)
        tryVerify(function () { return !app.noise.busy }, 10000, "analysis ends")
        // The result (and its warnings) make way for a new analysis of the file.
        wait(50)
        click(find(page, "noiseRerunButton"))
        verify(app.noise.busy)
        tryVerify(function () { return !app.noise.busy }, 10000, "second analysis ends")

        compare(find(page, "noiseChart").curveCount, data.curves)
        var restWarning = find(page, "noiseRestWarning")
        compare(restWarning.visible, data.warning.length > 0)
        verify(holds(find(restWarning, "bannerText").text, data.warning), "rest warning")
        var gapWarning = find(page, "noiseGapWarning")
        compare(gapWarning.visible, data.gap.length > 0)
        verify(holds(find(gapWarning, "bannerText").text, data.gap), "gap warning")
        var error = find(page, "noiseError")
        compare(error.visible, data.error.length > 0)
        verify(holds(find(error, "bannerText").text, data.error), "error")
        compare(find(page, "noiseExportButton").enabled, data.curves > 0)
        if (data.curves === 0)
            return

        var arw = parseFloat(find(find(page, "figure_gx"), "walk").text)
        verify(Math.abs(arw / 0.6 - 1) < 0.1, "angle random walk " + arw)
        verify(find(page, "noiseSummary").text.indexOf("采样率 100 Hz（由时间戳得出）") === 0,
               find(page, "noiseSummary").text)
        var csv = fixture.scratchPath("noise-figures")
        fixture.answerFileDialogs([csv])
        click(find(page, "noiseExportButton"))
        compare(fixture.fileDialogRequests()[0].kind, "save")
        verify(fixture.fileSize(csv + ".csv") > 1000, "csv written")
        compare(app.userNotice.indexOf("已导出噪声分析到"), 0)
    }
}
