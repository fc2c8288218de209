import QtQuick
import QtQuick.Controls
import QtQuick.Window
import Corvane.GCS

// The overview of all managed devices: online ones first, then the rest, as cards in a
// grid whose column count follows the width alone.
Item {
    id: hub

    signal addDeviceRequested()
    signal replayRequested()
    signal enterRequested(string id)
    signal editRequested(string id)
    signal removeRequested(string id)

    readonly property int gap: 16
    readonly property int minCell: 320
    readonly property int maxCell: 460
    // Room for the scroll bar at the right edge.
    readonly property real gridWidth: Math.max(0, scroller.availableWidth - 12)
    // As many 320-pixel slots as fit, whatever the number of devices.
    readonly property int columns: Math.max(1, Math.floor((gridWidth + gap) / (minCell + gap)))
    readonly property real cellWidth: Math.min(maxCell, Math.max(minCell,
                                               (gridWidth - gap * (columns - 1)) / columns))

    property int linkRevision: 0
    Connections {
        target: app
        function onManagedDeviceLinkChanged() { hub.linkRevision++ }
    }

    readonly property var onlineIds: {
        linkRevision
        app.managedDevices.revision
        return app.managedDevices.ids.filter(function (id) { return app.managedDeviceOnline(id) })
    }
    readonly property var offlineIds: {
        linkRevision
        app.managedDevices.revision
        return app.managedDevices.ids.filter(function (id) { return !app.managedDeviceOnline(id) })
    }

    // A card reached from the keyboard is scrolled into view.
    function showFocused() {
        Keyboard.reveal(scroller.contentItem as Flickable, Window.activeFocusItem)
    }
    Connections {
        target: hub.Window.window
        function onActiveFocusItemChanged() { hub.showFocused() }
    }

    Item {
        id: top
        anchors.left: parent.left
        anchors.right: parent.right
        height: 64

        Column {
            anchors.left: parent.left
            anchors.verticalCenter: parent.verticalCenter
            spacing: 4
            Text {
                objectName: "hubTitle"
                text: qsTr("纳管设备")
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontTitle + 4
                font.bold: true
                color: Theme.text
            }
            Text {
                objectName: "hubSubtitle"
                visible: app.managedDevices.count > 0
                text: qsTr("共 %n 台 · 选择设备进入对应产品工作区", "", app.managedDevices.count)
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontLabel
                color: Theme.muted
            }
        }

        Column {
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            spacing: 4
            Row {
                anchors.right: parent.right
                spacing: 10
                GCheckBox {
                    objectName: "autoReconnectBox"
                    anchors.verticalCenter: parent.verticalCenter
                    text: qsTr("断线自动重连")
                    toolTipText: qsTr("设备意外断开（拔出 USB、断电）后，串口恢复时自动重新连接；对所有设备生效")
                    checked: app.settings.autoReconnect
                    onToggled: app.settings.autoReconnect = checked
                }
                GButton {
                    objectName: "hubSearchButton"
                    visible: app.products.supportsSerialDiscover()
                    text: qsTr("自动搜索")
                    enabled: false
                }
                GButton {
                    objectName: "hubReplayButton"
                    text: qsTr("打开记录")
                    toolTipText: qsTr("回放已保存的记录文件（.txt / .bin）；当前设备的连接将断开")
                    enabled: !app.searching && !app.connecting
                    onClicked: hub.replayRequested()
                }
                GButton {
                    objectName: "hubAddButton"
                    kind: "primary"
                    text: qsTr("添加设备")
                    enabled: !app.searching && !app.connecting
                    onClicked: hub.addDeviceRequested()
                }
            }
            Text {
                anchors.right: parent.right
                visible: app.products.supportsSerialDiscover()
                text: qsTr("自动搜索功能开发中，请使用「添加设备」手动纳管")
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontCaption
                color: Theme.faint
            }
        }
    }

    ScrollView {
        id: scroller
        anchors.top: top.bottom
        anchors.topMargin: 12
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        contentWidth: availableWidth
        clip: true

        Column {
            width: hub.gridWidth
            // Room for the focus ring around the cards at the edges.
            padding: 4
            spacing: 22
            DeviceSection {
                objectName: "onlineSection"
                title: qsTr("联机设备")
                deviceIds: hub.onlineIds
                columns: hub.columns
                cellWidth: hub.cellWidth
                gap: hub.gap
                linkRevision: hub.linkRevision
                onEnterRequested: (id) => hub.enterRequested(id)
                onEditRequested: (id) => hub.editRequested(id)
                onRemoveRequested: (id) => hub.removeRequested(id)
            }
            DeviceSection {
                objectName: "offlineSection"
                title: qsTr("未连接")
                deviceIds: hub.offlineIds
                columns: hub.columns
                cellWidth: hub.cellWidth
                gap: hub.gap
                linkRevision: hub.linkRevision
                onEnterRequested: (id) => hub.enterRequested(id)
                onEditRequested: (id) => hub.editRequested(id)
                onRemoveRequested: (id) => hub.removeRequested(id)
            }
        }
    }
}
