import QtQuick
import Corvane.GCS

// What the body shows while no device is managed: a short guide and the way to add one.
Item {
    id: welcome

    signal addDeviceRequested()
    signal replayRequested()

    Rectangle {
        id: card
        anchors.centerIn: parent
        width: Math.min(parent.width - 48, 560)
        height: content.implicitHeight + 64
        radius: Theme.radius
        color: Theme.alpha(Theme.panel, 0.92)
        border.width: 1
        border.color: Theme.border

        Column {
            id: content
            anchors.centerIn: parent
            width: parent.width - 64
            spacing: 16

            Image {
                anchors.horizontalCenter: parent.horizontalCenter
                width: 64
                height: 64
                source: "qrc:/Corvane/GCS/assets/brand-mark.png"
                sourceSize { width: 72; height: 72 }
                smooth: true
                mipmap: true
            }
            Text {
                objectName: "welcomeTitle"
                width: parent.width
                horizontalAlignment: Text.AlignHCenter
                text: qsTr("尚未纳管任何设备")
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontTitle + 4
                font.bold: true
                color: Theme.text
            }
            Row {
                anchors.horizontalCenter: parent.horizontalCenter
                spacing: 12
                GButton {
                    objectName: "welcomeSearchButton"
                    visible: app.products.supportsSerialDiscover()
                    text: qsTr("自动搜索")
                    enabled: false
                }
                GButton {
                    objectName: "welcomeAddButton"
                    kind: "primary"
                    text: qsTr("添加设备")
                    enabled: !app.connecting
                    onClicked: welcome.addDeviceRequested()
                }
                GButton {
                    objectName: "welcomeReplayButton"
                    text: qsTr("打开记录")
                    toolTipText: qsTr("回放已保存的记录文件（.txt / .bin），无需连接设备")
                    onClicked: welcome.replayRequested()
                }
            }
            Text {
                width: parent.width
                visible: app.products.supportsSerialDiscover()
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
                text: qsTr("自动搜索功能开发中，请使用「添加设备」手动纳管")
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontCaption
                color: Theme.faint
            }
            Rectangle {
                width: parent.width
                height: 1
                color: Theme.border
            }
            Column {
                width: parent.width
                spacing: 6
                Repeater {
                    model: [qsTr("上电并接好线缆后，点击「添加设备」完成纳管。"),
                            qsTr("纳管后在功能页点击「连接」联机。"),
                            qsTr("点击「打开记录」可回放已保存的记录，无需连接设备。")]
                    Text {
                        required property string modelData
                        width: parent.width
                        horizontalAlignment: Text.AlignHCenter
                        wrapMode: Text.Wrap
                        text: modelData
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontBody
                        color: Theme.muted
                    }
                }
            }
        }
    }
}
