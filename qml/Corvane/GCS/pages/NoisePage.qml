pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Layouts
import Gcs
import Corvane.GCS

// Noise analysis of a recording made at rest: the Allan deviation of the three gyros and
// the three accelerometers on a log-log plot, the figures read from the curves (angle and
// velocity random walk, bias instability), and a warning when the unit moved or the
// recording has gaps. The work
// runs in app.noise off the GUI thread; the page only shows it. The file comes from
// filePath (the recording being replayed, or one picked with "选择记录").
Item {
    id: page
    objectName: "page_noise"

    // The recording to analyse; setting it starts the analysis.
    property string filePath: app.replay.active ? app.replay.filePath : ""

    readonly property var noise: app.noise
    readonly property bool busy: noise.busy
    readonly property bool hasResult: noise.hasResult && !busy
    // Six colours of the theme; a blue and a red mixed give the one it lacks, a purple
    // (its value ink is too close to its accent in the light theme).
    readonly property var colors: [Theme.danger, Theme.linkOkStrong, Theme.accentHi, Theme.warn,
                                   Qt.tint(Theme.accentHi, Theme.alpha(Theme.danger, 0.55)),
                                   Theme.muted]
    // The raw capture being replayed: its pace as the replay measured it (a message log
    // gives its host times instead). -1 while it is still being indexed.
    readonly property bool replayingFile: app.replay.active && filePath === app.replay.filePath
    readonly property real replayRate: !replayingFile ? 0
                                       : app.replay.indexed ? app.replay.recordsPerSecond : -1
    // A rate typed in (an empty field is acceptable input too).
    readonly property bool rateTyped: rateField.text.length > 0 && rateField.acceptableInput

    // What went wrong, or why the figures mean nothing: one banner each.
    readonly property var banners: [
        { name: "noiseError", tone: Theme.danger,
          shown: !busy && noise.errorText.length > 0, text: noise.errorText },
        { name: "noiseRestWarning", tone: Theme.warn, shown: hasResult && !noise.atRest,
          text: qsTr("记录期间设备不是静止的，以下噪声指标没有意义：%1").arg(noise.restReason) },
        { name: "noiseGapWarning", tone: Theme.warn,
          shown: hasResult && noise.gapReason.length > 0,
          text: qsTr("记录中有中断，以下噪声指标按连续数据算出，并不可靠：%1").arg(noise.gapReason) },
        { name: "noiseFileWarning", tone: Theme.warn,
          shown: hasResult && noise.warningText.length > 0, text: noise.warningText }
    ]
    // The figures of the result, one map per channel in this order.
    readonly property var channelKeys: ["gx", "gy", "gz", "ax", "ay", "az"]
    readonly property var figures: hasResult ? noise.figures : []
    // One curve per channel, named and ordered as the figures are: gyros, then accelerometers.
    readonly property var chartSeries: {
        var taus = noise.taus, curves = noise.curves
        return noise.figures.map((f, i) => ({ name: f.name + (i < 3 ? "  °/h" : "  mg"),
                                              color: colors[i], dashed: i >= 3, x: taus,
                                              y: curves[f.key] || [] }))
    }

    // At the typed rate, else the replay's, else (0) at the one the log's times give.
    function analyse() {
        if (filePath.length > 0 && (replayRate >= 0 || rateTyped))
            noise.analyse(filePath, rateTyped ? Number(rateField.text) : Math.max(replayRate, 0))
    }

    function pickFile() {
        var path = app.pickOpenFile(qsTr("选择记录"), qsTr("记录文件 (*.txt *.bin);;所有文件 (*)"))
        if (!path || path.length === 0)
            return
        if (path === filePath)
            analyse()
        else
            filePath = path
    }

    function exportCsv() {
        var out = app.pickSaveFile(qsTr("导出噪声分析 CSV"), "CSV (*.csv)")
        if (!out || out.length === 0)
            return false
        if (!/\.csv$/i.test(out))
            out += ".csv"
        return noise.exportCsv(out)
    }

    // Three significant digits, whole numbers from 100 up; "—" for a figure not read.
    function figureText(v) {
        if (v === undefined || v === null || !isFinite(v))
            return "—"
        return Math.abs(v) >= 100 ? Number(v).toFixed(0) : Number(v).toPrecision(3)
    }

    onFilePathChanged: analyse()
    onReplayRateChanged: if (replayingFile && !rateTyped && replayRate >= 0) analyse()
    Component.onCompleted: {
        if (filePath.length > 0 && noise.filePath !== filePath)
            analyse()
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 12

        // ---- file, rate and actions ------------------------------------------------
        Rectangle {
            Layout.fillWidth: true
            implicitHeight: headColumn.implicitHeight + 24
            radius: Theme.radius
            color: Theme.alpha(Theme.card, 0.92)
            border.width: 1
            border.color: page.busy ? Theme.alpha(Theme.accent, 0.6) : Theme.border

            ColumnLayout {
                id: headColumn
                x: 14
                y: 12
                width: parent.width - 28
                spacing: 10

                RowLayout {
                    Layout.fillWidth: true
                    spacing: 10
                    ColumnLayout {
                        Layout.fillWidth: true
                        spacing: 2
                        Text {
                            text: qsTr("噪声分析")
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontTitle
                            font.bold: true
                            color: Theme.text
                        }
                        Text {
                            objectName: "noiseSource"
                            Layout.fillWidth: true
                            text: page.noise.fileName.length > 0
                                  ? page.noise.fileName
                                  : qsTr("选择一段设备静止时的记录（.txt 消息记录或 .bin 原始数据）")
                            elide: Text.ElideMiddle
                            font.family: page.noise.fileName.length > 0 ? Theme.monoFamily
                                                                   : Theme.fontFamily
                            font.pixelSize: Theme.fontCaption
                            color: page.noise.fileName.length > 0 ? Theme.value : Theme.muted
                        }
                    }
                    Text {
                        id: rateLabel
                        text: qsTr("采样率")
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontLabel
                        color: Theme.muted
                        Accessible.ignored: true
                    }
                    GTextField {
                        id: rateField
                        objectName: "noiseRateField"
                        Layout.preferredWidth: 92
                        placeholderText: qsTr("自动")
                        Accessible.name: rateLabel.text + " Hz"
                        validator: DoubleValidator { bottom: 0.001; top: 100000; decimals: 3 }
                        onAccepted: page.analyse()
                    }
                    Text {
                        text: "Hz"
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontLabel
                        color: Theme.muted
                    }
                    GButton {
                        objectName: "noisePickButton"
                        kind: "primary"
                        text: qsTr("选择记录")
                        onClicked: page.pickFile()
                    }
                    GButton {
                        objectName: "noiseRerunButton"
                        text: qsTr("重新分析")
                        enabled: page.filePath.length > 0 && !page.busy
                        onClicked: page.analyse()
                    }
                    GButton {
                        objectName: "noiseExportButton"
                        text: qsTr("导出 CSV")
                        enabled: page.hasResult
                        onClicked: page.exportCsv()
                    }
                }

                // Progress and cancel while the analysis runs.
                WorkProgress {
                    objectName: "noiseProgressArea"
                    Layout.fillWidth: true
                    visible: page.busy
                    text: qsTr("正在分析 %1…").arg(page.noise.fileName)
                    progress: page.noise.progress
                    onCancelRequested: page.noise.cancel()
                }

                Text {
                    objectName: "noiseSummary"
                    Layout.fillWidth: true
                    visible: page.hasResult
                    text: qsTr("采样率 %1 Hz").arg(page.figureText(page.noise.rateHz))
                          + (!page.noise.rateGiven ? qsTr("（由时间戳得出）")
                             : page.rateTyped || page.replayRate <= 0 ? qsTr("（指定）")
                             : qsTr("（取自回放）"))
                          + " · " + qsTr("%n 个采样", "", noise.samples) + " · "
                          + Number(noise.durationSeconds).toFixed(1) + " s"
                          + (noise.taus.length > 0
                             ? " · τ " + page.figureText(noise.taus[0]) + " – "
                               + page.figureText(noise.taus[noise.taus.length - 1]) + " s" : "")
                    elide: Text.ElideRight
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontCaption
                    color: Theme.muted
                }
            }
        }

        // ---- what went wrong, or why the figures mean nothing -------------------------
        // The banners (and the figure rows below) stay while results come and go; only
        // what they show changes. Rows made afresh from each result were deleted in the
        // pass that resized their layout (a warning that went away), and the layout then
        // read the rows it no longer had.
        Repeater {
            model: page.banners.length
            delegate: Rectangle {
                id: banner
                required property int index
                readonly property var modelData: page.banners[index]
                objectName: modelData.name
                Layout.fillWidth: true
                visible: modelData.shown
                implicitHeight: bannerText.implicitHeight + 16
                radius: Theme.radiusSmall
                color: Theme.alpha(modelData.tone, 0.12)
                border.width: 1
                border.color: Theme.alpha(modelData.tone, 0.7)
                Text {
                    id: bannerText
                    objectName: "bannerText"
                    x: 12
                    y: 8
                    width: parent.width - 24
                    text: banner.modelData.text
                    wrapMode: Text.Wrap
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontLabel
                    color: banner.modelData.tone
                }
            }
        }

        // ---- the curves and the figures ----------------------------------------------
        RowLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true
            spacing: 12

            DataCard {
                Layout.fillWidth: true
                Layout.fillHeight: true
                title: qsTr("Allan 方差")
                subtitle: qsTr("重叠 Allan 标准差 · 陀螺实线 °/h · 加计虚线 mg")

                LogLogChart {
                    id: chart
                    objectName: "noiseChart"
                    anchors.fill: parent
                    series: page.hasResult ? page.chartSeries : []
                    xTitle: "τ (s)"
                    yTitle: "σ(τ)   °/h · mg"
                    emptyText: page.busy ? qsTr("正在分析…")
                                         : qsTr("选择一段设备静止时的记录，计算陀螺与加计的 Allan 方差")
                    gridColor: Theme.border
                    labelColor: Theme.muted
                    legendColor: Theme.card
                    fontFamily: Theme.fontFamily
                }
            }

            DataCard {
                id: figuresCard
                Layout.preferredWidth: 372
                Layout.fillHeight: true
                title: qsTr("噪声指标")
                subtitle: "IEEE Std 952"

                ColumnLayout {
                    anchors.fill: parent
                    spacing: 0

                    Repeater {
                        objectName: "noiseFigureRows"
                        // A header, then one row per channel, shown while there is a result.
                        model: 1 + page.channelKeys.length
                        delegate: Rectangle {
                            id: row
                            required property int index
                            readonly property bool header: index === 0
                            readonly property var modelData:
                                header ? ({ header: true }) : page.figures[index - 1] || ({})
                            objectName: header ? "figureHeader"
                                               : "figure_" + page.channelKeys[index - 1]
                            visible: header || modelData.key !== undefined
                            Layout.fillWidth: true
                            implicitHeight: 34
                            // A screen reader reads a channel's row as one text, each figure
                            // after its column's title.
                            Accessible.ignored: header
                            Accessible.role: Accessible.StaticText
                            Accessible.name: header ? "" : [modelData.name || "", qsTr("随机游走"),
                                                            walkText.text, qsTr("零偏不稳定性"),
                                                            biasText.text, qsTr("最小处 τ"),
                                                            tauText.text].join(" ")
                            color: header ? Theme.panelHi
                                          : index % 2 === 0 ? Theme.alpha(Theme.panelHi, 0.4)
                                                            : "transparent"
                            radius: header ? Theme.radiusSmall : 0

                            RowLayout {
                                anchors.fill: parent
                                anchors.leftMargin: 10
                                anchors.rightMargin: 10
                                spacing: 8
                                Rectangle {
                                    visible: !row.header
                                    width: 10
                                    height: 3
                                    color: row.header ? "transparent" : page.colors[row.index - 1]
                                }
                                Text {
                                    Layout.preferredWidth: row.header ? 62 : 44
                                    text: row.header ? qsTr("通道") : row.modelData.name || ""
                                    font.family: Theme.fontFamily
                                    font.pixelSize: Theme.fontLabel
                                    font.bold: row.header
                                    color: row.header ? Theme.muted : Theme.text
                                    Accessible.ignored: !row.header
                                }
                                Text {
                                    id: walkText
                                    objectName: "walk"
                                    Layout.fillWidth: true
                                    Layout.preferredWidth: 1
                                    text: row.header ? qsTr("随机游走")
                                                     : page.figureText(row.modelData.walk) + " "
                                                       + row.modelData.walkUnit
                                    horizontalAlignment: Text.AlignRight
                                    wrapMode: Text.WordWrap // a header of two words may take two lines
                                    font.family: row.header ? Theme.fontFamily : Theme.monoFamily
                                    font.pixelSize: Theme.fontLabel
                                    font.bold: row.header
                                    color: row.header ? Theme.muted : Theme.value
                                    Accessible.ignored: !row.header
                                }
                                Text {
                                    id: biasText
                                    objectName: "bias"
                                    Layout.fillWidth: true
                                    Layout.preferredWidth: 1
                                    text: row.header ? qsTr("零偏不稳定性")
                                                     : (row.modelData.biasAtEnd ? "≤ " : "")
                                                       + page.figureText(row.modelData.bias) + " "
                                                       + row.modelData.biasUnit
                                    horizontalAlignment: Text.AlignRight
                                    wrapMode: Text.WordWrap // a header of two words may take two lines
                                    font.family: row.header ? Theme.fontFamily : Theme.monoFamily
                                    font.pixelSize: Theme.fontLabel
                                    font.bold: row.header
                                    color: row.header ? Theme.muted : Theme.value
                                    Accessible.ignored: !row.header
                                }
                                Text {
                                    id: tauText
                                    Layout.preferredWidth: 58
                                    text: row.header ? qsTr("最小处 τ")
                                                     : page.figureText(row.modelData.biasTau) + " s"
                                    horizontalAlignment: Text.AlignRight
                                    font.family: row.header ? Theme.fontFamily : Theme.monoFamily
                                    font.pixelSize: Theme.fontCaption
                                    font.bold: row.header
                                    color: Theme.muted
                                    Accessible.ignored: !row.header
                                }
                            }
                        }
                    }

                    Item { Layout.fillHeight: true }

                    Text {
                        Layout.fillWidth: true
                        Layout.topMargin: 8
                        text: qsTr("随机游走：白噪声区（斜率 −½）拟合直线在 τ = 1 s 处的读数；"
                                   + "陀螺为角度随机游走 ARW，加计为速度随机游走 VRW。")
                              + "\n" + qsTr("零偏不稳定性：曲线最小值 ÷ 0.664；“≤”表示曲线到最长 τ 仍在下降，"
                                          + "需要更长的记录才能读准。")
                        wrapMode: Text.Wrap
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontCaption
                        color: Theme.faint
                    }
                }
            }
        }
    }
}
