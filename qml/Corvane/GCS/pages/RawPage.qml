pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane.GCS

// The raw console: what went to the unit and what came back, as text or hex, with pause
// and clear; a send line for text commands or hex bytes, and the presets that fill it.
Item {
    id: page
    objectName: "page_raw"

    // The titles are translated where they are shown and filtered.
    readonly property var presets: [
        { title: QT_TR_NOOP("关闭导航输出 (stop com1)"), command: "#vorn,stop com1*ff" },
        { title: QT_TR_NOOP("打开导航输出 (start com1)"), command: "#vorn,start com1*ff" },
        { title: QT_TR_NOOP("读串口1 (get com1)"), command: "#vorn,get com1*ff" },
        { title: QT_TR_NOOP("保存用户配置 (save config)"), command: "#vorn,save config*ff" },
        { title: QT_TR_NOOP("复位用户存储 (reset user flash)"), command: "#vorn,reset user flash*ff" },
        { title: QT_TR_NOOP("航向校正 (correct heading)"), command: "#vorn,correct heading,1,0*ff" },
        { title: QT_TR_NOOP("读对准时间 (get align time)"), command: "#vorn,get align time*ff" },
        { title: QT_TR_NOOP("设对准时间 300s (set align time)"),
          command: "#vorn,set align time,300*ff" },
        { title: QT_TR_NOOP("读导航位置 (get position)"), command: "#vorn,get position*ff" },
        { title: QT_TR_NOOP("复位 Flash 信息 (reset flash info)"),
          command: "#vorn,reset flash info*ff" }
    ]
    readonly property var visiblePresets: presets.filter(function (p) {
        var f = presetFilter.text.trim().toLowerCase()
        return f.length === 0 || qsTr(p.title).toLowerCase().indexOf(f) >= 0
               || p.command.toLowerCase().indexOf(f) >= 0
    })
    readonly property bool connected: app.currentManagedConnected
    // Position in app.sendHistory while walking it with the arrow keys; -1 = own text.
    property int historyIndex: -1

    property alias logView: logView
    property alias sendField: sendField
    property alias hexSend: hexSend

    function usePreset(preset) {
        // Presets are text commands; sending them with hex ticked would only be refused.
        hexSend.checked = false
        sendField.text = preset.command
        historyIndex = -1
        sendField.forceActiveFocus()
    }

    function send() {
        if (!connected)
            return false
        historyIndex = -1
        return app.sendRaw(sendField.text, hexSend.checked)
    }

    function walkHistory(step) {
        var list = app.sendHistory
        if (list.length === 0)
            return
        var next = Math.max(-1, Math.min(list.length - 1, historyIndex + step))
        historyIndex = next
        sendField.text = next < 0 ? "" : list[next]
    }

    // ---- header: subtitle and log controls ------------------------------------------

    RowLayout {
        id: header
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        spacing: 10

        Text {
            objectName: "rawSubtitle"
            Layout.fillWidth: true
            text: app.logPaused
                  ? qsTr("已暂停 · 文本按串口字节显示（不可打印为 .）；二进制请切 Hex")
                  : qsTr("实时 · 文本按串口字节显示（不可打印为 .）；二进制请切 Hex。"
                         + "高频下分段刷新以免卡住界面")
            wrapMode: Text.Wrap
            maximumLineCount: 2
            elide: Text.ElideRight
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontCaption
            color: app.logPaused ? Theme.warn : Theme.muted
        }

        Text {
            objectName: "rawCounters"
            text: "RX " + app.logRxCount + " · TX " + app.logTxCount
            font.family: Theme.monoFamily
            font.pixelSize: Theme.fontCaption
            color: Theme.faint
        }

        // Hex / text form of the log: two choices, one stop of the Tab chain (the chosen
        // one); the arrow keys choose the other.
        Row {
            objectName: "formSwitch"
            spacing: 0
            Accessible.role: Accessible.Grouping
            Accessible.name: qsTr("日志显示格式")
            Repeater {
                id: forms
                model: [{ label: "Hex", hex: true }, { label: qsTr("文本"), hex: false }]
                delegate: RadioButton {
                    id: formButton
                    required property var modelData
                    required property int index
                    readonly property bool current: app.logHexMode === modelData.hex
                    // The focus first: the button that loses it leaves the Tab chain.
                    function choose(hex) {
                        forms.itemAt(hex ? 0 : 1).forceActiveFocus(Qt.TabFocusReason)
                        app.logHexMode = hex
                    }
                    objectName: modelData.hex ? "formHex" : "formText"
                    width: 56
                    height: Theme.controlHeight
                    padding: 0
                    indicator: null
                    text: modelData.label
                    hoverEnabled: true
                    // Checked follows the log; a click or Space toggles it, and the binding
                    // returns.
                    autoExclusive: false
                    checked: current
                    focusPolicy: current ? Qt.StrongFocus : Qt.ClickFocus
                    Accessible.name: text
                    onClicked: {
                        app.logHexMode = modelData.hex
                        checked = Qt.binding(() => formButton.current)
                    }
                    Keys.onReturnPressed: clicked()
                    Keys.onEnterPressed: clicked()
                    Keys.onLeftPressed: choose(true)
                    Keys.onRightPressed: choose(false)
                    background: Rectangle {
                        radius: Theme.radiusSmall
                        color: formButton.current ? Theme.accent
                                                  : formButton.hovered ? Theme.panelHi : Theme.card
                        border.width: 1
                        border.color: formButton.current ? Theme.accent : Theme.border
                    }
                    contentItem: Text {
                        text: formButton.text
                        horizontalAlignment: Text.AlignHCenter
                        verticalAlignment: Text.AlignVCenter
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontLabel
                        color: formButton.current ? Theme.accentText : Theme.text
                        Accessible.ignored: true
                    }
                    FocusRing {}
                    HoverHandler { cursorShape: Qt.PointingHandCursor }
                }
            }
        }

        GButton {
            objectName: "pauseButton"
            text: app.logPaused ? qsTr("继续") : qsTr("暂停")
            kind: app.logPaused ? "primary" : "normal"
            onClicked: app.logPaused = !app.logPaused
        }
        GButton {
            objectName: "clearButton"
            text: qsTr("清空")
            onClicked: app.clearLog()
        }
    }

    // ---- log and presets ----------------------------------------------------------------

    GcsLogView {
        id: logView
        objectName: "logView"
        anchors.left: parent.left
        anchors.right: presetPanel.left
        anchors.rightMargin: 12
        anchors.top: header.bottom
        anchors.topMargin: 10
        anchors.bottom: sendRow.top
        anchors.bottomMargin: 10
        source: app
        placeholderText: app.logHexMode ? qsTr("Hex 等待…") : qsTr("文本等待…")
        accessibleName: qsTr("通信日志")
    }

    Rectangle {
        id: presetPanel
        objectName: "presetPanel"
        anchors.right: parent.right
        anchors.top: logView.top
        anchors.bottom: logView.bottom
        width: Math.min(280, Math.max(220, page.width * 0.27))
        radius: Theme.radiusSmall
        color: Theme.card
        border.width: 1
        border.color: Theme.border

        Text {
            id: presetTitle
            x: 12
            y: 10
            text: qsTr("预设指令")
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontLabel
            font.bold: true
            color: Theme.text
        }
        GTextField {
            id: presetFilter
            objectName: "presetFilter"
            x: 10
            anchors.top: presetTitle.bottom
            anchors.topMargin: 8
            width: parent.width - 20
            placeholderText: qsTr("筛选")
            Accessible.name: qsTr("筛选预设指令")
        }
        // One stop of the Tab chain: the arrow keys walk the presets, Return or Space
        // takes one.
        ListView {
            id: presetList
            objectName: "presetList"
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.top: presetFilter.bottom
            anchors.topMargin: 6
            anchors.bottom: parent.bottom
            anchors.margins: 4
            clip: true
            spacing: 2
            model: page.visiblePresets
            boundsBehavior: Flickable.StopAtBounds
            activeFocusOnTab: count > 0
            keyNavigationWraps: true
            highlightMoveDuration: 0
            Accessible.role: Accessible.List
            Accessible.name: presetTitle.text
            ScrollBar.vertical: ScrollBar {}
            delegate: ItemDelegate {
                id: presetRow
                required property var modelData
                required property int index
                objectName: "preset_" + index
                width: ListView.view.width
                height: 46
                leftPadding: 8
                rightPadding: 8
                topPadding: 0
                bottomPadding: 0
                hoverEnabled: true
                // Reached through the list, not one by one.
                focusPolicy: Qt.NoFocus
                text: qsTr(modelData.title)
                Accessible.name: text
                Accessible.description: modelData.command
                onClicked: page.usePreset(presetRow.modelData)
                Keys.onReturnPressed: clicked()
                Keys.onEnterPressed: clicked()
                background: Rectangle {
                    radius: 4
                    color: presetRow.hovered || presetRow.activeFocus ? Theme.accentDim
                                                                     : "transparent"
                }
                // A row takes the focus from the keyboard only (through the list).
                FocusRing {
                    inset: 1
                    visible: presetRow.activeFocus
                }
                contentItem: Item {
                    Column {
                        anchors.verticalCenter: parent.verticalCenter
                        width: parent.width
                        spacing: 2
                        Text {
                            width: parent.width
                            text: presetRow.text
                            elide: Text.ElideRight
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontLabel
                            color: Theme.text
                            Accessible.ignored: true
                        }
                        Text {
                            width: parent.width
                            text: presetRow.modelData.command
                            elide: Text.ElideRight
                            font.family: Theme.monoFamily
                            font.pixelSize: Theme.fontCaption
                            color: Theme.value
                            Accessible.ignored: true
                        }
                    }
                }
                HoverHandler { cursorShape: Qt.PointingHandCursor }
            }
        }
        Text {
            objectName: "noPresetText"
            anchors.centerIn: presetList
            visible: page.visiblePresets.length === 0
            text: qsTr("无匹配预设")
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontLabel
            color: Theme.faint
        }
    }

    // ---- send line --------------------------------------------------------------------

    RowLayout {
        id: sendRow
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        spacing: 10

        GCheckBox {
            id: hexSend
            objectName: "hexSend"
            text: qsTr("Hex 发送")
            toolTipText: qsTr("勾选：按十六进制发字节（如 AA 55）。#vorn 文本指令请勿勾选。")
        }
        GTextField {
            id: sendField
            objectName: "sendField"
            Layout.fillWidth: true
            font.family: Theme.monoFamily
            placeholderText: hexSend.checked ? "AA 55 …" : qsTr("原始字符串")
            Accessible.name: qsTr("发送内容")
            onAccepted: page.send()
            onTextEdited: page.historyIndex = -1
            Keys.onUpPressed: page.walkHistory(1)
            Keys.onDownPressed: page.walkHistory(-1)
        }
        GButton {
            objectName: "sendButton"
            text: qsTr("发送")
            kind: "primary"
            enabled: page.connected
            onClicked: page.send()
        }
    }
}
