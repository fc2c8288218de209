import QtQuick
import Corvane.GCS

// The clock strip in the middle of the header: time above, date and weekday below.
Column {
    property string timeText: ""
    property string dateText: ""
    property string weekText: ""

    spacing: 0

    Text {
        objectName: "clockTime"
        anchors.horizontalCenter: parent.horizontalCenter
        text: parent.timeText
        font.family: Theme.monoFamily
        font.pixelSize: Theme.fontDataSmall
        font.bold: true
        color: Theme.value
    }
    Text {
        objectName: "clockDate"
        anchors.horizontalCenter: parent.horizontalCenter
        text: parent.dateText + "  " + parent.weekText
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontCaption - 1
        color: Theme.muted
    }
}
