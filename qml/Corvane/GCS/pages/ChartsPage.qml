import QtQuick
import Gcs 1.0
import Corvane.GCS

// The charts page: scrolling curves of roll, pitch, heading and temperature over the
// chosen window. Every newly decoded record feeds one sample per live chart while the
// page is shown, at the record's own time on the data clock (app.chartClock), so the
// records of one read keep their spacing; the charts draw themselves in C++, so nothing
// here walks the samples.
Item {
    id: page
    objectName: "page_charts"

    readonly property var fields: app.hub.fields
    readonly property var hubTier: fields ? fields["stream_tier"] : undefined
    readonly property int tier: Telemetry.liveTier(app.hub.hasFix, app.ins.streamTier, hubTier)
    readonly property bool attitudeLive: tier >= Telemetry.tierAttitude
    readonly property bool imuLive: tier >= Telemetry.tierImu
    readonly property bool shown: visible && Window.window !== null && Window.window.visible
    readonly property bool sampling: shown && (attitudeLive || imuLive)

    readonly property int windowIndex: Telemetry.windowIndex(app.settings.chartWindowSec)
    readonly property int windowSec: Telemetry.windowSeconds[windowIndex]
    readonly property alias meter: meter
    readonly property string rateText: Telemetry.rateText(meter.rate, app.ins.packetFre, sampling)
    property int lastEpoch: -1
    readonly property int gap: 12

    function valueOf(key, decimals, needTier) {
        return Telemetry.valueText(fields ? fields[key] : undefined, decimals, tier, needTier)
    }

    // One decoded record: one sample per live chart, from the bridge's panel of the
    // current layer (the hub's copy is refreshed only every 50 ms and would repeat
    // values).
    function feed(epoch) {
        if (epoch === lastEpoch)
            return
        lastEpoch = epoch
        if (!sampling)
            return
        var layer = app.ins.streamTier
        var panel = layer >= 3 ? app.ins.sinsPanel : layer >= 2 ? app.ins.ahrsPanel
                                                                : app.ins.imuPanel
        var t = app.ins.recordTime
        var fed = false
        if (attitudeLive) {
            fed = rollChart.addSampleAt(t, Telemetry.numberOf(panel.roll)) || fed
            fed = pitchChart.addSampleAt(t, Telemetry.numberOf(panel.pitch)) || fed
            fed = headingChart.addSampleAt(t, Telemetry.numberOf(panel.yaw)) || fed
        }
        if (imuLive)
            fed = tempChart.addSampleAt(t, Telemetry.numberOf(panel.temp)) || fed
        if (fed)
            meter.note(t)
    }

    onSamplingChanged: meter.reset()
    onShownChanged: meter.reset()

    Connections {
        target: app.ins
        function onPanelChanged() { page.feed(app.ins.panelEpoch) }
    }

    RateMeter {
        id: meter
        running: page.sampling
        clock: app.chartClock
    }

    Row {
        id: toolbar
        width: parent.width
        height: Theme.controlHeight
        spacing: 10

        Text {
            id: windowLabel
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("滚动窗口")
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontLabel
            color: Theme.muted
            Accessible.ignored: true
        }
        GComboBox {
            id: windowBox
            objectName: "windowBox"
            width: 96
            accessibleLabel: windowLabel.text
            model: Telemetry.windowSeconds
            labelFor: function (seconds) { return Telemetry.windowLabel(seconds) }
            currentIndex: page.windowIndex
            onActivated: function (index) {
                app.settings.chartWindowSec = Telemetry.windowSeconds[index]
                // The stored value may already have been this one: keep showing it.
                currentIndex = Qt.binding(function () { return page.windowIndex })
            }
        }
        Item { width: 12; height: 1 }
        Text {
            id: rateLabel
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("采样频率")
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontLabel
            color: Theme.muted
            Accessible.ignored: true
        }
        Text {
            objectName: "rateText"
            Accessible.name: rateLabel.text + " " + text
            anchors.verticalCenter: parent.verticalCenter
            text: page.rateText
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontLabel
            color: page.sampling ? Theme.text : Theme.faint
        }
    }

    Item {
        id: grid
        y: toolbar.height + page.gap
        width: parent.width
        height: parent.height - y
        readonly property real cellWidth: (width - page.gap) / 2
        readonly property real cellHeight: (height - page.gap) / 2

        ChartCard {
            objectName: "rollCard"
            width: grid.cellWidth
            height: grid.cellHeight
            title: qsTr("横滚 Roll")
            live: page.attitudeLive
            waitingText: qsTr("需 ahrs / sins 姿态字段")
            valueText: page.valueOf("roll", 2, 2)
            unit: "°"
            StripChart {
                id: rollChart
                objectName: "rollChart"
                anchors.fill: parent
                windowSec: page.windowSec
                minSpan: 1.5
                active: page.shown && page.attitudeLive
                clock: app.chartClock
                reduceMotion: Theme.reduceMotion
                lineColor: Theme.value
                gridColor: Theme.border
                labelColor: Theme.muted
                fontFamily: Theme.monoFamily
            }
        }

        ChartCard {
            objectName: "pitchCard"
            x: grid.cellWidth + page.gap
            width: grid.cellWidth
            height: grid.cellHeight
            title: qsTr("俯仰 Pitch")
            live: page.attitudeLive
            waitingText: qsTr("需 ahrs / sins 姿态字段")
            valueText: page.valueOf("pitch", 2, 2)
            unit: "°"
            StripChart {
                id: pitchChart
                objectName: "pitchChart"
                anchors.fill: parent
                windowSec: page.windowSec
                minSpan: 1.5
                active: page.shown && page.attitudeLive
                clock: app.chartClock
                reduceMotion: Theme.reduceMotion
                lineColor: Theme.accentHi
                gridColor: Theme.border
                labelColor: Theme.muted
                fontFamily: Theme.monoFamily
            }
        }

        ChartCard {
            id: headingCard
            objectName: "headingCard"
            y: grid.cellHeight + page.gap
            width: grid.cellWidth
            height: grid.cellHeight
            title: qsTr("航向 Yaw")
            live: page.attitudeLive
            waitingText: qsTr("需 ahrs / sins 姿态字段")
            valueText: page.valueOf("yaw", 2, 2)
            unit: "°"
            CompassDial {
                id: headingDial
                objectName: "headingDial"
                readonly property real side: Math.min(parent.height, 120, parent.width * 0.3)
                width: side
                height: side
                anchors.verticalCenter: parent.verticalCenter
                online: page.attitudeLive
                heading: Telemetry.numberOf(page.fields ? page.fields["yaw"] : undefined)
                showReadout: false
                Accessible.role: Accessible.Indicator
                Accessible.name: headingCard.title + " " + headingDial.readoutText
                faceColor: Theme.alpha(Theme.input, 0.9)
                ringColor: Theme.borderHi
                tickColor: Theme.muted
                accentColor: Theme.danger
                textColor: Theme.text
                fontFamily: Theme.fontFamily
            }
            HeadingChart {
                id: headingChart
                objectName: "headingChart"
                x: headingDial.width + 8
                width: parent.width - x
                height: parent.height
                windowSec: page.windowSec
                active: page.shown && page.attitudeLive
                clock: app.chartClock
                reduceMotion: Theme.reduceMotion
                lineColor: Theme.linkOk
                gridColor: Theme.border
                labelColor: Theme.muted
                fontFamily: Theme.monoFamily
            }
        }

        ChartCard {
            id: tempCard
            objectName: "tempCard"
            x: grid.cellWidth + page.gap
            y: grid.cellHeight + page.gap
            width: grid.cellWidth
            height: grid.cellHeight
            title: qsTr("温度 Temp")
            live: page.imuLive
            waitingText: qsTr("需 imu 层温度字段")
            valueText: page.valueOf("temp", 2, 1)
            unit: "℃"
            ThermometerGauge {
                id: thermometer
                objectName: "thermometer"
                width: 56
                height: parent.height
                minimum: 0
                maximum: 85
                online: page.imuLive
                value: Telemetry.numberOf(page.fields ? page.fields["temp"] : undefined)
                Accessible.role: Accessible.Indicator
                Accessible.name: tempCard.Accessible.name
                fillColor: Theme.warn
                tubeColor: Theme.borderHi
                scaleColor: Theme.muted
                fontFamily: Theme.monoFamily
            }
            StripChart {
                id: tempChart
                objectName: "tempChart"
                x: thermometer.width + 8
                width: parent.width - x
                height: parent.height
                windowSec: page.windowSec
                minSpan: 2
                active: page.shown && page.imuLive
                clock: app.chartClock
                reduceMotion: Theme.reduceMotion
                lineColor: Theme.warn
                gridColor: Theme.border
                labelColor: Theme.muted
                fontFamily: Theme.monoFamily
            }
        }
    }
}
