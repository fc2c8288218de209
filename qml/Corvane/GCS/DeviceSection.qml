pragma ComponentBehavior: Bound
import QtQuick
import Corvane.GCS

// One group of cards on the hub ("联机设备" or "未连接") with its count.
Column {
    id: section

    property string title: ""
    property var deviceIds: []
    property int columns: 1
    property real cellWidth: 320
    property int gap: 16
    property int linkRevision: 0

    signal enterRequested(string id)
    signal editRequested(string id)
    signal removeRequested(string id)

    visible: deviceIds.length > 0
    spacing: 10

    Row {
        spacing: 8
        Text {
            text: section.title
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontBody
            font.bold: true
            color: Theme.text
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("%n 台", "", section.deviceIds.length)
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontCaption
            color: Theme.muted
        }
    }

    Grid {
        objectName: "cardGrid"
        columns: section.columns
        spacing: section.gap
        Repeater {
            model: section.deviceIds
            DeviceCard {
                required property string modelData
                deviceId: modelData
                width: section.cellWidth
                linkRevision: section.linkRevision
                onEnterRequested: (id) => section.enterRequested(id)
                onEditRequested: (id) => section.editRequested(id)
                onRemoveRequested: (id) => section.removeRequested(id)
            }
        }
    }
}
