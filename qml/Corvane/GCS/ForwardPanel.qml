import QtQuick
import QtQuick.Controls
import Corvane.GCS

// "数据转发": the decoded records handed on to other programs, from a live unit and from a
// replay alike. Each output has its switch and address; switching on applies the address
// as typed, and an address edited while the output is on applies when the field is left
// or Enter is pressed. The choice is remembered by the controller. Opened, it takes the
// focus (Tab goes round its fields, Escape closes it) and gives it back when it closes.
Popup {
    id: panel
    objectName: "forwardPanel"

    readonly property var fw: app.forward

    width: 468
    padding: 16
    focus: true
    closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutsideParent
    readonly property FocusReturn focusReturn: FocusReturn { popup: panel }

    function applyUdp(on) {
        return fw.setUdp(on, udpHost.text, parseInt(udpPort.text, 10))
    }
    function applyNmea(on) {
        return fw.setNmea(on, nmeaHost.text, parseInt(nmeaPort.text, 10), Number(nmeaRate.text))
    }
    function stateColor(state) {
        return state === 2 ? Theme.linkOk : state === 1 ? Theme.warn
                                          : state === 3 ? Theme.danger : Theme.faint
    }

    background: Rectangle {
        radius: Theme.radius
        color: Theme.panel
        border.width: 1
        border.color: Theme.borderHi
    }

    contentItem: Column {
        spacing: 10
        Accessible.role: Accessible.Dialog
        Accessible.name: panelTitle.text

        Text {
            id: panelTitle
            text: qsTr("数据转发")
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontTitle
            font.bold: true
            color: Theme.text
        }
        Text {
            width: parent.width
            text: qsTr("把解码后的每条记录交给其他程序，实时设备与记录回放均可。")
            wrapMode: Text.WordWrap
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontCaption
            color: Theme.muted
        }

        // UDP JSON, one datagram per record.
        Rectangle {
            width: parent.width
            height: udpColumn.implicitHeight + 20
            radius: Theme.radiusSmall
            color: Theme.card
            border.width: 1
            border.color: Theme.border
            Column {
                id: udpColumn
                x: 10
                y: 10
                width: parent.width - 20
                spacing: 8
                Row {
                    spacing: 8
                    GCheckBox {
                        id: udpSwitch
                        objectName: "forwardUdpSwitch"
                        anchors.verticalCenter: parent.verticalCenter
                        text: qsTr("UDP JSON")
                        font.bold: true
                        checked: panel.fw.udpEnabled
                        onToggled: {
                            panel.applyUdp(checked)
                            checked = Qt.binding(function () { return panel.fw.udpEnabled })
                        }
                    }
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        text: qsTr("每条记录一个数据报，供绘图工具使用（如 PlotJuggler）")
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontCaption
                        color: Theme.muted
                    }
                }
                Row {
                    spacing: 8
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        width: 56
                        text: qsTr("目标")
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontLabel
                        color: Theme.text
                    }
                    GTextField {
                        id: udpHost
                        objectName: "forwardUdpHost"
                        Accessible.name: qsTr("UDP JSON 目标地址")
                        width: 200
                        text: panel.fw.udpHost
                        placeholderText: "127.0.0.1"
                        onEditingFinished: if (panel.fw.udpEnabled) panel.applyUdp(true)
                    }
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        text: ":"
                        color: Theme.muted
                    }
                    GTextField {
                        id: udpPort
                        objectName: "forwardUdpPort"
                        Accessible.name: qsTr("UDP JSON 目标端口")
                        width: 84
                        text: String(panel.fw.udpPort)
                        validator: IntValidator { bottom: 1; top: 65535 }
                        onEditingFinished: if (panel.fw.udpEnabled) panel.applyUdp(true)
                    }
                }
                Row {
                    spacing: 6
                    Rectangle {
                        anchors.verticalCenter: parent.verticalCenter
                        width: 8
                        height: 8
                        radius: 4
                        color: panel.stateColor(panel.fw.udpState)
                    }
                    Text {
                        objectName: "forwardUdpState"
                        width: udpColumn.width - 14
                        text: panel.fw.udpState === 2
                              ? qsTr("%1 · 已发送 %2 条").arg(panel.fw.udpStateText)
                                                         .arg(panel.fw.udpDatagrams)
                              : panel.fw.udpStateText
                        wrapMode: Text.WordWrap
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontCaption
                        color: panel.fw.udpState === 3 ? Theme.danger : Theme.muted
                    }
                }
            }
        }

        // NMEA 0183 over TCP.
        Rectangle {
            width: parent.width
            height: nmeaColumn.implicitHeight + 20
            radius: Theme.radiusSmall
            color: Theme.card
            border.width: 1
            border.color: Theme.border
            Column {
                id: nmeaColumn
                x: 10
                y: 10
                width: parent.width - 20
                spacing: 8
                Row {
                    spacing: 8
                    GCheckBox {
                        id: nmeaSwitch
                        objectName: "forwardNmeaSwitch"
                        anchors.verticalCenter: parent.verticalCenter
                        text: qsTr("NMEA 0183 TCP")
                        font.bold: true
                        checked: panel.fw.nmeaEnabled
                        onToggled: {
                            panel.applyNmea(checked)
                            checked = Qt.binding(function () { return panel.fw.nmeaEnabled })
                        }
                    }
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        text: qsTr("GGA、RMC、VTG、HDT，供地图与 GNSS 软件使用")
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontCaption
                        color: Theme.muted
                    }
                }
                Row {
                    spacing: 8
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        width: 56
                        text: qsTr("监听")
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontLabel
                        color: Theme.text
                    }
                    GTextField {
                        id: nmeaHost
                        objectName: "forwardNmeaHost"
                        Accessible.name: qsTr("NMEA 0183 监听地址")
                        width: 200
                        text: panel.fw.nmeaHost
                        placeholderText: "127.0.0.1"
                        onEditingFinished: if (panel.fw.nmeaEnabled) panel.applyNmea(true)
                    }
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        text: ":"
                        color: Theme.muted
                    }
                    GTextField {
                        id: nmeaPort
                        objectName: "forwardNmeaPort"
                        Accessible.name: qsTr("NMEA 0183 监听端口")
                        width: 84
                        text: String(panel.fw.nmeaPort)
                        validator: IntValidator { bottom: 1; top: 65535 }
                        onEditingFinished: if (panel.fw.nmeaEnabled) panel.applyNmea(true)
                    }
                }
                Row {
                    spacing: 8
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        width: 56
                        text: qsTr("频率")
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontLabel
                        color: Theme.text
                    }
                    GTextField {
                        id: nmeaRate
                        objectName: "forwardNmeaRate"
                        Accessible.name: qsTr("NMEA 0183 频率（Hz）")
                        width: 84
                        text: String(panel.fw.nmeaRate)
                        validator: DoubleValidator { bottom: 0.1; top: 100; decimals: 1 }
                        onEditingFinished: if (panel.fw.nmeaEnabled) panel.applyNmea(true)
                    }
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        text: qsTr("Hz（不超过设备的输出频率）")
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontCaption
                        color: Theme.muted
                    }
                }
                Row {
                    spacing: 6
                    Rectangle {
                        anchors.verticalCenter: parent.verticalCenter
                        width: 8
                        height: 8
                        radius: 4
                        color: panel.stateColor(panel.fw.nmeaState)
                    }
                    Text {
                        objectName: "forwardNmeaState"
                        width: nmeaColumn.width - 14
                        text: panel.fw.nmeaState === 2 && panel.fw.nmeaDroppedBytes > 0
                              ? qsTr("%1 · 慢客户端丢弃 %2 字节").arg(panel.fw.nmeaStateText)
                                                              .arg(panel.fw.nmeaDroppedBytes)
                              : panel.fw.nmeaStateText
                        wrapMode: Text.WordWrap
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontCaption
                        color: panel.fw.nmeaState === 3 ? Theme.danger : Theme.muted
                    }
                }
            }
        }
    }
}
