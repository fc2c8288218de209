pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane.GCS
import "Keyboard.js" as Keyboard

// Recording: the decoded messages (or telemetry table) and the raw serial bytes of the
// current device written side by side into a folder the user picks.
Item {
    id: page
    objectName: "page_record"

    readonly property bool connected: app.currentManagedConnected
    readonly property bool recording: app.recorder.recording
    readonly property bool insProduct: app.products.currentProductId === "ins"
    // Why the last recording ended by itself (a full disk); shown until the next start.
    readonly property string failureText: recording ? "" : app.recorder.failureText
    readonly property string formatText: {
        var f = app.ins.packetFormat
        if (f && f.length > 0)
            return f
        var hubFormat = app.hub.fields ? app.hub.fields["format"] : undefined
        return hubFormat !== undefined && hubFormat !== null ? String(hubFormat) : ""
    }
    readonly property var elapsedParts: {
        var parts = String(app.recorder.elapsedText).split(":")
        return parts.length === 3 ? parts : ["00", "00", "00"]
    }
    property string lastDirectory: ""
    // The file an export reads: one the user picked, else the recording just made.
    property string pickedSource: ""
    readonly property string exportSource: pickedSource.length > 0 ? pickedSource
                                                                   : app.lastRecordingPath
    readonly property bool exporting: app.captureExport.busy

    function pickExportSource() {
        var path = app.pickOpenFile(qsTr("选择记录文件"),
                                    qsTr("记录文件 (*.txt *.bin);;所有文件 (*)"))
        if (path && path.length > 0)
            pickedSource = path
    }

    function exportAs(format) {
        return exportSource.length > 0 && app.exportCaptureFile(exportSource, format)
    }

    // A recording that starts or stops makes itself the file to export.
    Connections {
        target: app.recorder
        function onRecordingChanged() { page.pickedSource = "" }
    }

    function startInPickedDirectory() {
        var dir = app.pickDirectory(qsTr("记录目录"))
        if (!dir || dir.length === 0)
            return false
        if (!app.startRecordInDir(dir))
            return false
        lastDirectory = dir
        return true
    }

    function toggleRecording() {
        if (recording)
            app.stopRecord()
        else
            startInPickedDirectory()
    }

    function startCsv() {
        var csv = app.pickSaveFile(qsTr("遥测 CSV"), "CSV (*.csv)")
        if (!csv || csv.length === 0)
            return false
        var raw = csv.replace(/\.csv$/i, "") + ".bin"
        return app.startRecord(csv, raw)
    }

    Flickable {
        id: scroller
        anchors.fill: parent
        contentWidth: width
        contentHeight: card.height + 8
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {
            policy: ScrollBar.AlwaysOn
            visible: scroller.contentHeight > scroller.height + 1
        }

        // A control that takes the keyboard focus comes into view.
        Connections {
            target: scroller.visible ? scroller.Window.window : null
            function onActiveFocusItemChanged() {
                Keyboard.reveal(scroller, scroller.Window.window.activeFocusItem)
            }
        }

        Rectangle {
            id: card
            objectName: "recordCard"
            width: Math.min(scroller.width - 14, 980)
            x: Math.max(0, (scroller.width - 14 - width) / 2)
            height: cardColumn.implicitHeight + 40
            radius: Theme.radius
            color: Theme.card
            border.width: 1
            border.color: page.recording ? Theme.alpha(Theme.danger, 0.7) : Theme.border

            ColumnLayout {
                id: cardColumn
                x: 20
                y: 20
                width: parent.width - 40
                spacing: 16

                // ---- title and state -------------------------------------------------
                RowLayout {
                    Layout.fillWidth: true
                    spacing: 12
                    ColumnLayout {
                        Layout.fillWidth: true
                        spacing: 2
                        Text {
                            text: qsTr("数据记录")
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontTitle
                            font.bold: true
                            color: Theme.text
                        }
                        Text {
                            objectName: "recordSubtitle"
                            Layout.fillWidth: true
                            text: page.recording ? qsTr("磁盘写入中")
                                                 : page.failureText.length > 0
                                                   ? qsTr("写入失败，记录已停止")
                                                   : qsTr("解析帧 + 串口原码双路落盘")
                            elide: Text.ElideRight
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontCaption
                            color: page.recording || page.failureText.length > 0 ? Theme.danger
                                                                                 : Theme.muted
                        }
                    }
                    Rectangle {
                        id: stateChip
                        objectName: "recordState"
                        property string label: page.recording ? "REC"
                                               : page.connected ? qsTr("待命") : qsTr("离线")
                        Accessible.role: Accessible.StaticText
                        Accessible.name: label
                        implicitWidth: stateText.implicitWidth + 28
                        implicitHeight: 26
                        radius: 13
                        color: page.recording ? Theme.alpha(Theme.danger, 0.16)
                                              : page.connected ? Theme.alpha(Theme.linkOk, 0.14)
                                                               : Theme.panelHi
                        border.width: 1
                        border.color: page.recording ? Theme.danger
                                                     : page.connected ? Theme.linkOkStrong
                                                                      : Theme.border
                        Row {
                            anchors.centerIn: parent
                            spacing: 6
                            Rectangle {
                                id: stateDot
                                objectName: "recordStateDot"
                                anchors.verticalCenter: parent.verticalCenter
                                width: 8
                                height: 8
                                radius: 4
                                color: page.recording ? Theme.danger
                                                      : page.connected ? Theme.linkOkStrong
                                                                       : Theme.faint
                                SequentialAnimation on opacity {
                                    running: page.recording && !Theme.reduceMotion
                                    loops: Animation.Infinite
                                    NumberAnimation { from: 1; to: 0.25; duration: 600 }
                                    NumberAnimation { from: 0.25; to: 1; duration: 600 }
                                    onStopped: stateDot.opacity = 1
                                }
                            }
                            Text {
                                id: stateText
                                objectName: "recordStateText"
                                text: stateChip.label
                                font.family: Theme.fontFamily
                                font.pixelSize: Theme.fontCaption
                                font.bold: true
                                color: page.recording ? Theme.danger
                                                      : page.connected ? Theme.linkOk : Theme.muted
                            }
                        }
                    }
                }

                Rectangle {
                    Layout.fillWidth: true
                    implicitHeight: 1
                    color: Theme.border
                }

                Rectangle {
                    objectName: "recordFailure"
                    Layout.fillWidth: true
                    visible: page.failureText.length > 0
                    implicitHeight: failureColumn.implicitHeight + 20
                    radius: Theme.radiusSmall
                    color: Theme.alpha(Theme.danger, 0.12)
                    border.width: 1
                    border.color: Theme.danger
                    ColumnLayout {
                        id: failureColumn
                        x: 12
                        y: 10
                        width: parent.width - 24
                        spacing: 4
                        Text {
                            objectName: "recordFailureText"
                            Layout.fillWidth: true
                            text: page.failureText
                            wrapMode: Text.Wrap
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontLabel
                            font.bold: true
                            color: Theme.danger
                        }
                        Text {
                            Layout.fillWidth: true
                            text: qsTr("已写入的数据保留在文件中；请清理磁盘空间或换一个目录后重新开始。")
                            wrapMode: Text.Wrap
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontCaption
                            color: Theme.muted
                        }
                    }
                }

                GridLayout {
                    Layout.fillWidth: true
                    columns: cardColumn.width >= 700 ? 2 : 1
                    columnSpacing: 24
                    rowSpacing: 16

                    // ---- left: link, clock, start / stop -------------------------------
                    ColumnLayout {
                        Layout.fillWidth: true
                        Layout.preferredWidth: 1
                        Layout.alignment: Qt.AlignTop
                        spacing: 12

                        RowLayout {
                            Layout.fillWidth: true
                            spacing: 10
                            Text {
                                objectName: "recordLinkText"
                                Layout.fillWidth: true
                                text: page.connected
                                      ? (app.contextLinkText.length > 0 ? app.contextLinkText
                                                                        : qsTr("已连接"))
                                      : qsTr("未连接")
                                elide: Text.ElideRight
                                font.family: Theme.fontFamily
                                font.pixelSize: Theme.fontLabel
                                color: page.connected ? Theme.linkOk : Theme.muted
                            }
                            GButton {
                                objectName: "recordConnectButton"
                                visible: !page.connected && app.canConnectCurrent
                                enabled: !app.connecting
                                text: qsTr("连接")
                                onClicked: app.connectCurrentManaged()
                            }
                        }

                        Row {
                            objectName: "recordClock"
                            spacing: 14
                            Accessible.role: Accessible.StaticText
                            Accessible.name: qsTr("记录时长 %1").arg(page.elapsedParts.join(":"))
                            Repeater {
                                model: [{ unit: qsTr("时") }, { unit: qsTr("分") },
                                        { unit: qsTr("秒") }]
                                delegate: Row {
                                    id: clockPart
                                    required property var modelData
                                    required property int index
                                    spacing: 4
                                    Rectangle {
                                        width: 64
                                        height: 56
                                        radius: Theme.radiusSmall
                                        color: Theme.input
                                        border.width: 1
                                        border.color: Theme.border
                                        Text {
                                            objectName: "clockPart_" + clockPart.index
                                            anchors.centerIn: parent
                                            text: page.elapsedParts[clockPart.index]
                                            font.family: Theme.monoFamily
                                            font.pixelSize: 28
                                            font.bold: true
                                            color: page.recording ? Theme.text : Theme.faint
                                        }
                                    }
                                    Text {
                                        anchors.bottom: parent.bottom
                                        anchors.bottomMargin: 6
                                        text: clockPart.modelData.unit
                                        font.family: Theme.fontFamily
                                        font.pixelSize: Theme.fontLabel
                                        color: Theme.muted
                                    }
                                }
                            }
                        }

                        ColumnLayout {
                            visible: page.recording
                            spacing: 2
                            Text {
                                objectName: "recordRx"
                                text: "RX " + app.rxText
                                font.family: Theme.monoFamily
                                font.pixelSize: Theme.fontLabel
                                color: Theme.value
                            }
                            Text {
                                text: qsTr("缓冲约 200 ms 落盘，停录后可查看文件")
                                font.family: Theme.fontFamily
                                font.pixelSize: Theme.fontCaption
                                color: Theme.muted
                            }
                        }

                        GButton {
                            objectName: "recordButton"
                            Layout.fillWidth: true
                            Layout.preferredHeight: 40
                            kind: page.recording ? "danger" : "primary"
                            text: page.recording ? qsTr("■  停止并保存") : qsTr("▶  选择目录并开始")
                            enabled: page.recording || page.connected
                            font.pixelSize: Theme.fontBody
                            onClicked: page.toggleRecording()
                        }

                        Text {
                            objectName: "recordHint"
                            Layout.fillWidth: true
                            visible: !page.recording
                            text: page.connected ? qsTr("点击开始后选择文件夹，无需提前手动建文件")
                                  : app.canConnectCurrent ? qsTr("连接设备后即可开始记录")
                                                          : qsTr("请先在右上角添加并连接设备")
                            wrapMode: Text.Wrap
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontCaption
                            color: Theme.muted
                        }

                        Text {
                            objectName: "recordLastDir"
                            Layout.fillWidth: true
                            visible: page.lastDirectory.length > 0
                            text: (page.recording ? qsTr("写入目录：%1") : qsTr("上次记录目录：%1"))
                                  .arg(page.lastDirectory)
                            elide: Text.ElideMiddle
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontCaption
                            color: Theme.faint
                        }

                        GButton {
                            objectName: "recordCsvButton"
                            visible: !page.insProduct
                            enabled: page.connected && !page.recording
                            text: qsTr("指定 CSV 路径…")
                            onClicked: page.startCsv()
                        }
                    }

                    // ---- right: outputs and naming --------------------------------------
                    ColumnLayout {
                        Layout.fillWidth: true
                        Layout.preferredWidth: 1
                        Layout.alignment: Qt.AlignTop
                        spacing: 10

                        Text {
                            text: qsTr("输出文件")
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontLabel
                            font.bold: true
                            color: Theme.text
                        }

                        Repeater {
                            model: [
                                page.insProduct
                                    ? { name: qsTr("解析文本"), ext: ".txt",
                                        note: qsTr("每行前加主机时间，后为 #vorn,imu/ahrs/sins,…*校验") }
                                    : { name: qsTr("遥测表"), ext: ".csv",
                                        note: qsTr("Hub 快照字段，逗号分隔") },
                                { name: qsTr("串口原码"), ext: ".bin",
                                  note: qsTr("与文本同主文件名，便于对照与离线解析") }
                            ]
                            delegate: Rectangle {
                                id: output
                                required property var modelData
                                required property int index
                                objectName: "recordOutput_" + index
                                Layout.fillWidth: true
                                implicitHeight: outputColumn.implicitHeight + 16
                                radius: Theme.radiusSmall
                                color: Theme.panelHi
                                border.width: 1
                                border.color: Theme.border
                                ColumnLayout {
                                    id: outputColumn
                                    x: 12
                                    y: 8
                                    width: parent.width - 24
                                    spacing: 4
                                    RowLayout {
                                        spacing: 8
                                        Text {
                                            text: output.modelData.name
                                            font.family: Theme.fontFamily
                                            font.pixelSize: Theme.fontLabel
                                            color: Theme.text
                                        }
                                        Chip {
                                            text: output.modelData.ext
                                        }
                                    }
                                    Text {
                                        Layout.fillWidth: true
                                        text: output.modelData.note
                                        wrapMode: Text.Wrap
                                        font.family: Theme.fontFamily
                                        font.pixelSize: Theme.fontCaption
                                        color: Theme.muted
                                    }
                                }
                            }
                        }

                        Rectangle {
                            Layout.fillWidth: true
                            implicitHeight: formatColumn.implicitHeight + 16
                            radius: Theme.radiusSmall
                            color: Theme.input
                            border.width: 1
                            border.color: Theme.border
                            ColumnLayout {
                                id: formatColumn
                                x: 12
                                y: 8
                                width: parent.width - 24
                                spacing: 4
                                RowLayout {
                                    spacing: 8
                                    Text {
                                        text: page.insProduct ? qsTr("解析格式") : qsTr("记录模式")
                                        font.family: Theme.fontFamily
                                        font.pixelSize: Theme.fontCaption
                                        color: Theme.muted
                                    }
                                    Text {
                                        objectName: "recordFormat"
                                        text: page.formatText.length > 0 ? page.formatText
                                                                         : qsTr("等待首帧…")
                                        font.family: Theme.monoFamily
                                        font.pixelSize: Theme.fontLabel
                                        font.bold: page.formatText.length > 0
                                        color: page.formatText.length > 0 ? Theme.value
                                                                          : Theme.faint
                                    }
                                }
                                Text {
                                    Layout.fillWidth: true
                                    text: page.insProduct ? qsTr("文件名前缀随格式变化")
                                                          : qsTr("收到导航数据后自动识别 imu / ahrs / sins 等")
                                    wrapMode: Text.Wrap
                                    font.family: Theme.fontFamily
                                    font.pixelSize: Theme.fontCaption
                                    color: Theme.muted
                                }
                                Text {
                                    objectName: "recordNamePreview"
                                    Layout.fillWidth: true
                                    text: (page.formatText.length > 0
                                           ? page.formatText
                                           : (page.insProduct ? qsTr("格式") : "record"))
                                          + "_yyyyMMdd_HHmmss" + ".txt  +  .bin"
                                    elide: Text.ElideRight
                                    font.family: Theme.monoFamily
                                    font.pixelSize: Theme.fontCaption
                                    color: Theme.text
                                }
                            }
                        }
                    }
                }

                // ---- export of a finished recording ------------------------------------
                Rectangle {
                    objectName: "recordExport"
                    Layout.fillWidth: true
                    visible: !page.recording
                    implicitHeight: exportColumn.implicitHeight + 24
                    radius: Theme.radiusSmall
                    color: Theme.panelHi
                    border.width: 1
                    border.color: page.exporting ? Theme.alpha(Theme.accent, 0.6) : Theme.border

                    ColumnLayout {
                        id: exportColumn
                        x: 12
                        y: 12
                        width: parent.width - 24
                        spacing: 10

                        RowLayout {
                            Layout.fillWidth: true
                            spacing: 10
                            Text {
                                text: qsTr("导出记录")
                                font.family: Theme.fontFamily
                                font.pixelSize: Theme.fontLabel
                                font.bold: true
                                color: Theme.text
                            }
                            Text {
                                objectName: "exportSource"
                                Layout.fillWidth: true
                                text: page.exportSource.length > 0
                                      ? page.exportSource.replace(/^.*[\\/]/, "")
                                      : qsTr("尚无记录：停止一次记录后可导出，或选择已有的记录文件")
                                elide: Text.ElideMiddle
                                font.family: page.exportSource.length > 0 ? Theme.monoFamily
                                                                          : Theme.fontFamily
                                font.pixelSize: Theme.fontCaption
                                color: page.exportSource.length > 0 ? Theme.value : Theme.muted
                            }
                            GButton {
                                objectName: "exportPickButton"
                                text: qsTr("选择记录文件…")
                                enabled: !page.exporting
                                onClicked: page.pickExportSource()
                            }
                        }

                        RowLayout {
                            Layout.fillWidth: true
                            visible: !page.exporting
                            spacing: 10
                            GButton {
                                objectName: "exportCsvButton"
                                kind: "primary"
                                text: qsTr("导出 CSV")
                                enabled: page.exportSource.length > 0
                                onClicked: page.exportAs("csv")
                            }
                            GButton {
                                objectName: "exportKmlButton"
                                text: qsTr("导出 KML")
                                enabled: page.exportSource.length > 0
                                onClicked: page.exportAs("kml")
                            }
                            Text {
                                Layout.fillWidth: true
                                text: qsTr("CSV 可在 Excel、MATLAB 中打开；"
                                           + "KML 为 GNSS 轨迹，可在 Google Earth 中查看")
                                wrapMode: Text.Wrap
                                font.family: Theme.fontFamily
                                font.pixelSize: Theme.fontCaption
                                color: Theme.muted
                            }
                        }

                        WorkProgress {
                            objectName: "exportProgressArea"
                            Layout.fillWidth: true
                            visible: page.exporting
                            // The file name goes in last, so that a "%1" in it stays as it is.
                            //: %1 is the format (CSV or KML), %2 the name of the recording
                            text: qsTr("正在导出 %2 为 %1…").arg(app.captureExport.formatName)
                                                              .arg(app.captureExport.sourceName)
                            progress: app.captureExport.progress
                            onCancelRequested: app.cancelExport()
                        }
                    }
                }

                Text {
                    Layout.fillWidth: true
                    text: qsTr("记录期间请保持连接；停止后文件立即可在目录中打开。")
                    wrapMode: Text.Wrap
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontCaption
                    color: Theme.faint
                }
            }
        }
    }
}
