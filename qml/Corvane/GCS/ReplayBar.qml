import QtQuick
import QtQuick.Controls
import Corvane.GCS

// The controls of a replay, below the context bar of the replay workspace: play and pause,
// the record steps and jumps, the speed, a seek slider with position and duration, the
// loop, the indexing progress and, for a capture without time tags, its record rate.
// Keys: Space plays or pauses, ←/→ step one record, Home/End jump to the ends.
Rectangle {
    id: bar

    readonly property var replay: app.replay
    // While the slider is dragged it shows where it would go; the seek happens on release.
    readonly property real shownPosition: track.pressed ? track.valueAt(track.position)
                                                        : replay.position

    height: Theme.titleBarHeight + 4
    radius: Theme.radius
    color: Theme.alpha(Theme.panel, 0.94)
    border.width: 1
    border.color: Theme.border

    // Only while the bar is shown: elsewhere these keys belong to the page.
    Shortcut { sequence: "Space"; enabled: bar.visible; onActivated: bar.replay.toggle() }
    Shortcut { sequence: "Right"; enabled: bar.visible; onActivated: bar.replay.step() }
    Shortcut { sequence: "Left"; enabled: bar.visible; onActivated: bar.replay.stepBack() }
    Shortcut { sequence: "Home"; enabled: bar.visible; onActivated: bar.replay.jumpToStart() }
    Shortcut { sequence: "End"; enabled: bar.visible; onActivated: bar.replay.jumpToEnd() }

    Row {
        id: transport
        anchors.left: parent.left
        anchors.leftMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        spacing: 4
        ReplayGlyphButton {
            objectName: "replayPlayButton"
            glyph: bar.replay.playing ? "pause" : "play"
            primary: true
            toolTipText: bar.replay.playing ? qsTr("暂停（空格）") : qsTr("播放（空格）")
            onClicked: bar.replay.toggle()
        }
        ReplayGlyphButton {
            objectName: "replayStartButton"
            glyph: "start"
            toolTipText: qsTr("回到起点（Home）")
            onClicked: bar.replay.jumpToStart()
        }
        ReplayGlyphButton {
            objectName: "replayBackButton"
            glyph: "back"
            toolTipText: qsTr("上一条记录（←）")
            onClicked: bar.replay.stepBack()
        }
        ReplayGlyphButton {
            objectName: "replayStepButton"
            glyph: "forward"
            toolTipText: qsTr("下一条记录（→）")
            onClicked: bar.replay.step()
        }
        ReplayGlyphButton {
            objectName: "replayEndButton"
            glyph: "end"
            toolTipText: qsTr("跳到末尾（End）")
            onClicked: bar.replay.jumpToEnd()
        }
        GComboBox {
            id: speedBox
            objectName: "replaySpeedBox"
            width: 76
            model: bar.replay.speeds
            labelFor: function (speed) { return bar.replay.speedLabel(speed) }
            currentIndex: bar.replay.speeds.indexOf(bar.replay.speed)
            toolTipText: qsTr("回放速度")
            accessibleLabel: toolTipText
            // Space is the replay's; ↑/↓ choose the speed from the keyboard.
            Keys.onReleased: (event) => { event.accepted = event.key === Qt.Key_Space }
            onActivated: function (index) {
                bar.replay.speed = bar.replay.speeds[index]
                currentIndex = Qt.binding(function () {
                    return bar.replay.speeds.indexOf(bar.replay.speed)
                })
            }
        }
    }

    // Seek slider: dragging shows where it would go, the seek happens on release. From the
    // keyboard ↑/↓ step like →/←.
    Slider {
        id: track
        objectName: "replaySlider"
        anchors.left: transport.right
        anchors.leftMargin: 14
        anchors.right: timeLabel.left
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        height: 24
        padding: 0
        from: 0
        to: Math.max(1, bar.replay.duration)
        value: bar.replay.position
        live: false
        enabled: bar.replay.duration > 0
        Accessible.name: qsTr("回放位置")
        onPressedChanged: if (!pressed) bar.replay.seek(valueAt(position))
        Keys.onUpPressed: bar.replay.step()
        Keys.onDownPressed: bar.replay.stepBack()
        HoverHandler { cursorShape: Qt.PointingHandCursor }
        FocusRing {}

        background: Rectangle {
            id: groove
            x: track.leftPadding
            y: track.topPadding + (track.availableHeight - height) / 2
            width: track.availableWidth
            height: 4
            radius: 2
            color: Theme.input
            border.width: 1
            border.color: Theme.border
            // What is indexed so far.
            Rectangle {
                objectName: "replayIndexedPart"
                visible: !bar.replay.indexed
                width: parent.width * bar.replay.indexProgress
                height: parent.height
                radius: 2
                color: Theme.alpha(Theme.muted, 0.35)
            }
            Rectangle {
                width: handle.x - track.leftPadding + handle.width / 2
                height: parent.height
                radius: 2
                color: Theme.accent
            }
        }
        handle: Rectangle {
            id: handle
            objectName: "replayHandle"
            x: track.leftPadding + track.visualPosition * (track.availableWidth - width)
            y: track.topPadding + (track.availableHeight - height) / 2
            width: 14
            height: 14
            radius: 7
            color: track.pressed ? Theme.accentHi : Theme.text
            border.width: 2
            border.color: Theme.accent
        }
    }

    Text {
        id: timeLabel
        objectName: "replayTimeText"
        anchors.right: options.left
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        text: bar.replay.timeText(Math.floor(bar.shownPosition)) + " / " + bar.replay.durationText
        font.family: Theme.monoFamily
        font.pixelSize: Theme.fontLabel
        color: Theme.text
    }

    Row {
        id: options
        anchors.right: parent.right
        anchors.rightMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        spacing: 8
        Text {
            objectName: "replayIndexText"
            visible: !bar.replay.indexed
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("建立索引 %1%").arg(Math.floor(bar.replay.indexProgress * 100))
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontCaption
            color: Theme.muted
        }
        Text {
            objectName: "replayErrorText"
            visible: bar.replay.errorText.length > 0
            anchors.verticalCenter: parent.verticalCenter
            width: Math.min(implicitWidth, 180)
            text: qsTr("记录有误")
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontCaption
            color: Theme.danger
            elide: Text.ElideRight
            Accessible.role: Accessible.StaticText
            Accessible.name: text
            Accessible.description: bar.replay.errorText
            HoverHandler { id: errorHover }
            ToolTip.visible: errorHover.hovered
            ToolTip.text: bar.replay.errorText
        }
        Row {
            visible: bar.replay.usesRecordRate
            anchors.verticalCenter: parent.verticalCenter
            spacing: 4
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("记录频率")
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontCaption
                color: Theme.muted
            }
            GTextField {
                objectName: "replayRateField"
                width: 64
                text: String(Math.round(bar.replay.recordRate))
                validator: IntValidator { bottom: 1; top: 10000 }
                Accessible.name: qsTr("记录频率")
                ToolTip.visible: hovered
                ToolTip.delay: 500
                ToolTip.text: qsTr("无时间标记的记录按此频率回放")
                onEditingFinished: if (acceptableInput) bar.replay.recordRate = Number(text)
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: "Hz"
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontCaption
                color: Theme.muted
            }
        }
        GCheckBox {
            objectName: "replayLoopBox"
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("循环")
            toolTipText: qsTr("播放到末尾后从头再来")
            checked: bar.replay.loop
            onToggled: bar.replay.loop = checked
        }
    }
}
