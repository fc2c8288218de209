import QtQuick
import Corvane.GCS

// A status dot that breathes (opacity 0 to 0.7 and back, 900 ms each way) while active,
// in steps of 100 ms on the window's refresh pace (app.hub's tick), so that it costs no
// frames beyond those. With reduced motion it stays lit instead.
Item {
    id: dot

    property bool active: false
    property color activeColor: Theme.linkOk
    property color idleColor: Theme.faint
    readonly property bool pulsing: active && !Theme.reduceMotion
    // Steps of one breath, and the step now.
    readonly property int breathSteps: 18
    property int step: 0
    property int ticks: 0

    implicitWidth: 10
    implicitHeight: 10

    Connections {
        target: app.hub
        enabled: dot.pulsing
        function onUiTick() {
            dot.ticks += 1
            if (dot.ticks % 2 === 0)
                dot.step = (dot.step + 1) % dot.breathSteps
        }
    }

    Rectangle {
        id: halo
        objectName: "halo"
        anchors.centerIn: parent
        width: parent.width
        height: parent.height
        radius: width / 2
        color: dot.active ? dot.activeColor : dot.idleColor
        opacity: !dot.active ? 1.0
                 : dot.pulsing ? 0.35 * (1 + Math.cos(2 * Math.PI * dot.step / dot.breathSteps))
                 : 0.7
    }
    // A steady core keeps the dot visible at the bottom of each breath.
    Rectangle {
        anchors.centerIn: parent
        width: parent.width * 0.5
        height: width
        radius: width / 2
        visible: dot.active
        color: dot.activeColor
    }
}
