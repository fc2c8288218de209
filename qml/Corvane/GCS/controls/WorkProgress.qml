import QtQuick
import QtQuick.Layouts
import Corvane.GCS

// What long work on a file shows while it runs: what it does, the share done, a cancel
// button and a bar.
ColumnLayout {
    id: panel

    property string text: ""
    // 0 to 1.
    property real progress: 0

    signal cancelRequested()

    spacing: 6

    RowLayout {
        Layout.fillWidth: true
        spacing: 10
        Text {
            Layout.fillWidth: true
            text: panel.text
            elide: Text.ElideMiddle
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontLabel
            color: Theme.muted
        }
        Text {
            text: Math.floor(panel.progress * 100) + "%"
            font.family: Theme.monoFamily
            font.pixelSize: Theme.fontLabel
            color: Theme.value
        }
        GButton {
            kind: "danger"
            text: qsTr("取消")
            onClicked: panel.cancelRequested()
        }
    }
    Rectangle {
        Layout.fillWidth: true
        implicitHeight: 6
        radius: 3
        color: Theme.input
        border.width: 1
        border.color: Theme.border
        Rectangle {
            width: parent.width * Math.max(0, Math.min(1, panel.progress))
            height: parent.height
            radius: 3
            color: Theme.accent
        }
    }
}
