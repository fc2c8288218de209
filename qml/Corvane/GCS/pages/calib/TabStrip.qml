pragma ComponentBehavior: Bound
import QtQuick
import Corvane.GCS

// The tab row of the configuration page.
Row {
    id: strip

    property var titles: []
    property int currentIndex: 0
    property string namePrefix: "tab"

    spacing: 4

    Repeater {
        model: strip.titles
        delegate: Rectangle {
            id: tab
            required property string modelData
            required property int index
            readonly property bool current: strip.currentIndex === index
            objectName: strip.namePrefix + "_" + index
            width: label.implicitWidth + 32
            height: 34
            radius: Theme.radiusSmall
            color: current ? Theme.accentDim : area.containsMouse ? Theme.panelHi : "transparent"
            border.width: current ? 1 : 0
            border.color: Theme.alpha(Theme.accent, 0.6)
            Text {
                id: label
                anchors.centerIn: parent
                text: tab.modelData
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontLabel
                font.bold: tab.current
                color: tab.current ? Theme.accentHi : Theme.muted
            }
            Rectangle {
                anchors.bottom: parent.bottom
                anchors.horizontalCenter: parent.horizontalCenter
                width: parent.width - 16
                height: 2
                radius: 1
                visible: tab.current
                color: Theme.accent
            }
            MouseArea {
                id: area
                anchors.fill: parent
                hoverEnabled: true
                cursorShape: Qt.PointingHandCursor
                onClicked: strip.currentIndex = tab.index
            }
        }
    }
}
