import QtQuick
import Corvane.GCS

// A card of the charts page: the title and what the chart needs (or "实时曲线" while it
// draws) in the header, the current value with its unit at the right, the chart below.
// A screen reader reads the title, the value and its unit as the chart's name.
DataCard {
    id: card

    property bool live: false
    property string waitingText: ""
    property string valueText: "—"
    property string unit: ""
    readonly property bool showsUnit: live && valueText !== "—"

    subtitle: live ? qsTr("实时曲线") : waitingText
    subtitleColor: live ? Theme.linkOk : Theme.faint
    Accessible.role: Accessible.Chart
    Accessible.name: title + " " + valueText + (showsUnit ? " " + unit : "")

    headerRight: Row {
        spacing: 4
        height: card.headerHeight
        Text {
            objectName: "chartValue"
            anchors.baseline: unitLabel.baseline
            text: card.valueText
            font.family: Theme.monoFamily
            font.pixelSize: Theme.fontDataSmall
            font.bold: true
            color: card.live ? Theme.value : Theme.faint
            Accessible.ignored: true
        }
        Text {
            id: unitLabel
            objectName: "chartUnit"
            anchors.verticalCenter: parent.verticalCenter
            anchors.verticalCenterOffset: 2
            visible: card.showsUnit
            text: card.unit
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontCaption
            color: Theme.muted
            Accessible.ignored: true
        }
    }
}
