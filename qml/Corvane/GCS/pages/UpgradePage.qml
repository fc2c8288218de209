import QtQuick
import QtQuick.Controls
import Corvane.GCS
import "Keyboard.js" as Keyboard

// The firmware upgrade page: four steps (connection, reset mode, firmware file, start)
// on one card. The phase follows the engine: idle, prep (file open, reset under way),
// waitC (handshake window with its countdown), transfer and done.
Item {
    id: page
    objectName: "page_upgrade"

    readonly property var engine: app.ymodem
    readonly property bool busy: engine.busy
    readonly property bool connected: app.currentManagedConnected
    readonly property int baud: app.serialBaud
    // "software" (recommended) or "hardware"; the upgrade flow keeps it, so that the page
    // shows the mode of a transfer under way also after it was loaded again.
    readonly property string resetMode: app.upgradeHardwareReset ? "hardware" : "software"
    readonly property string resetLabel: resetMode === "software" ? qsTr("软件复位") : qsTr("硬件复位")
    readonly property string phase: {
        if (!busy)
            return engine.progress >= 100 ? "done" : "idle"
        if (engine.waitingForC)
            return "waitC"
        return engine.progress > 0 ? "transfer" : "prep"
    }
    readonly property bool canStart: connected && baud > 0 && app.upgradeFileReady && !busy

    function start() {
        if (resetMode === "software")
            app.startPickedUpgrade()
        else
            app.startUpgradeAfterHardwareReset()
    }

    readonly property string subtitleText: {
        if (!busy)
            return qsTr("115200 · 复位后 20 秒内进入升级模式")
        var tail = engine.waitingForC
                ? qsTr("等待升级模式 %1s").arg(engine.handshakeRemainSec)
                : (engine.statusText.length > 0 ? engine.statusText : qsTr("传输中"))
        return resetLabel + " · " + tail
    }

    Flickable {
        id: scroller
        anchors.fill: parent
        contentWidth: width
        contentHeight: card.height
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }

        // A control that takes the keyboard focus comes into view.
        Connections {
            target: scroller.visible ? scroller.Window.window : null
            function onActiveFocusItemChanged() {
                Keyboard.reveal(scroller, scroller.Window.window.activeFocusItem)
            }
        }

        DataCard {
            id: card
            objectName: "upgradeCard"
            width: parent.width
            height: steps.implicitHeight + 56
            title: qsTr("固件升级")
            subtitle: page.subtitleText

            Column {
                id: steps
                width: parent.width
                spacing: 10

                UpgradeStep {
                    number: 1
                    title: qsTr("设备连接")
                    width: steps.width
                    Row {
                        spacing: 10
                        width: parent.width
                        Column {
                            width: parent.width - (connectButton.visible ? connectButton.width + 10 : 0)
                            spacing: 2
                            Text {
                                objectName: "linkState"
                                width: parent.width
                                text: page.connected ? qsTr("串口已连接")
                                      : (app.contextLinkText.length > 0 ? app.contextLinkText
                                                                        : qsTr("尚未连接"))
                                elide: Text.ElideRight
                                font.family: Theme.fontFamily
                                font.pixelSize: Theme.fontLabel
                                color: page.connected ? Theme.linkOk : Theme.muted
                            }
                            Text {
                                objectName: "baudNote"
                                visible: page.connected
                                width: parent.width
                                wrapMode: Text.Wrap
                                text: page.baud === 115200 ? qsTr("当前 115200，与升级模式一致")
                                      : qsTr("当前 %1，烧写前会重开为 115200").arg(page.baud)
                                font.family: Theme.fontFamily
                                font.pixelSize: Theme.fontCaption
                                color: page.baud === 115200 ? Theme.faint : Theme.warn
                            }
                        }
                        GButton {
                            id: connectButton
                            objectName: "connectButton"
                            visible: app.canConnectCurrent && !page.connected
                            enabled: !app.connecting
                            anchors.verticalCenter: parent.verticalCenter
                            text: qsTr("连接")
                            onClicked: app.connectCurrentManaged()
                        }
                    }
                }

                UpgradeStep {
                    number: 2
                    title: qsTr("复位方式")
                    width: steps.width
                    Flow {
                        width: parent.width
                        spacing: 8
                        GButton {
                            objectName: "softwareResetButton"
                            kind: page.resetMode === "software" ? "primary" : "normal"
                            // Checked is the mode chosen (read by a screen reader); a click
                            // toggles it, and the binding returns.
                            checkable: true
                            checked: page.resetMode === "software"
                            enabled: !page.busy
                            text: qsTr("软件复位")
                            onClicked: {
                                app.upgradeHardwareReset = false
                                checked = Qt.binding(() => page.resetMode === "software")
                            }
                        }
                        Chip {
                            objectName: "recommendBadge"
                            anchors.verticalCenter: undefined
                            y: (Theme.controlHeight - height) / 2
                            text: qsTr("推荐")
                        }
                        GButton {
                            objectName: "hardwareResetButton"
                            kind: page.resetMode === "hardware" ? "primary" : "normal"
                            checkable: true
                            checked: page.resetMode === "hardware"
                            enabled: !page.busy
                            text: qsTr("硬件复位")
                            onClicked: {
                                app.upgradeHardwareReset = true
                                checked = Qt.binding(() => page.resetMode === "hardware")
                            }
                        }
                    }
                }

                UpgradeStep {
                    number: 3
                    title: qsTr("固件文件")
                    width: steps.width
                    Row {
                        width: parent.width
                        spacing: 10
                        Text {
                            objectName: "fileName"
                            width: parent.width - browseButton.width - 10
                            anchors.verticalCenter: parent.verticalCenter
                            text: app.upgradeFileReady ? app.upgradeFileName : qsTr("选择 .bin 固件")
                            elide: Text.ElideMiddle
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontLabel
                            color: app.upgradeFileReady ? Theme.text : Theme.faint
                        }
                        GButton {
                            id: browseButton
                            objectName: "browseButton"
                            enabled: !page.busy
                            text: app.upgradeFileReady ? qsTr("更换") : qsTr("浏览")
                            onClicked: app.chooseUpgradeFile()
                        }
                    }
                }

                UpgradeStep {
                    number: 4
                    title: qsTr("开始烧写")
                    width: steps.width
                    Column {
                        width: parent.width
                        spacing: 8
                        Row {
                            spacing: 8
                            GButton {
                                objectName: "startButton"
                                kind: "primary"
                                text: qsTr("开始烧写")
                                enabled: page.canStart
                                onClicked: page.start()
                            }
                            GButton {
                                objectName: "cancelButton"
                                kind: "danger"
                                text: qsTr("取消")
                                enabled: page.busy
                                onClicked: app.cancelUpgrade()
                            }
                        }
                        Row {
                            objectName: "countdown"
                            visible: page.phase === "waitC"
                            spacing: 4
                            Accessible.role: Accessible.StaticText
                            Accessible.name: qsTr("等待升级模式 %1s").arg(page.engine.handshakeRemainSec)
                            Text {
                                objectName: "countdownValue"
                                text: page.engine.handshakeRemainSec
                                font.family: Theme.monoFamily
                                font.pixelSize: Theme.fontData
                                font.bold: true
                                color: Theme.value
                            }
                            Text {
                                anchors.baseline: parent.children[0].baseline
                                text: qsTr("秒")
                                font.family: Theme.fontFamily
                                font.pixelSize: Theme.fontLabel
                                color: Theme.muted
                            }
                        }
                        Text {
                            objectName: "hardwareHint"
                            visible: page.phase === "waitC" && page.resetMode === "hardware"
                            width: parent.width
                            wrapMode: Text.Wrap
                            text: qsTr("请立即手动断电再上电，或按设备复位键重启；倒计时内进入升级模式后将自动开始烧写。")
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontLabel
                            color: Theme.warn
                        }
                        Column {
                            objectName: "progressArea"
                            visible: page.phase === "transfer" || page.phase === "done"
                            width: parent.width
                            spacing: 6
                            Row {
                                width: parent.width
                                spacing: 10
                                Text {
                                    objectName: "statusText"
                                    width: parent.width - percent.width - 10
                                    text: page.engine.statusText
                                    elide: Text.ElideRight
                                    font.family: Theme.fontFamily
                                    font.pixelSize: Theme.fontLabel
                                    color: page.phase === "done" ? Theme.linkOk : Theme.muted
                                }
                                Text {
                                    id: percent
                                    objectName: "progressText"
                                    text: page.engine.progress + "%"
                                    font.family: Theme.monoFamily
                                    font.pixelSize: Theme.fontLabel
                                    color: Theme.value
                                }
                            }
                            Rectangle {
                                objectName: "progressBar"
                                Accessible.role: Accessible.ProgressBar
                                Accessible.name: qsTr("开始烧写") + " " + percent.text
                                width: parent.width
                                height: 6
                                radius: 3
                                color: Theme.input
                                border.width: 1
                                border.color: Theme.border
                                Rectangle {
                                    width: parent.width * Math.max(0, Math.min(100, page.engine.progress)) / 100
                                    height: parent.height
                                    radius: 3
                                    color: Theme.accent
                                }
                            }
                        }
                        Text {
                            objectName: "engineStatus"
                            visible: page.phase === "prep" || page.phase === "waitC"
                                     || (page.phase === "idle" && page.engine.statusText.length > 0)
                            width: parent.width
                            wrapMode: Text.Wrap
                            text: page.engine.statusText
                            font.family: Theme.fontFamily
                            font.pixelSize: Theme.fontCaption
                            color: Theme.faint
                        }
                    }
                }
            }
        }
    }
}
