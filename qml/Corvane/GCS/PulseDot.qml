import QtQuick
import Corvane.GCS

// A status dot that breathes (opacity 0 to 0.7 and back, 900 ms each way) while active.
// With reduced motion it stays lit instead.
Item {
    id: dot

    property bool active: false
    property color activeColor: Theme.linkOk
    property color idleColor: Theme.faint
    readonly property bool pulsing: pulse.running

    implicitWidth: 10
    implicitHeight: 10

    Rectangle {
        id: halo
        anchors.centerIn: parent
        width: parent.width
        height: parent.height
        radius: width / 2
        color: dot.active ? dot.activeColor : dot.idleColor
        opacity: dot.active ? 0.7 : 1.0

        SequentialAnimation on opacity {
            id: pulse
            running: dot.active && !Theme.reduceMotion
            loops: Animation.Infinite
            NumberAnimation { from: 0.7; to: 0.0; duration: 900; easing.type: Easing.InOutSine }
            NumberAnimation { from: 0.0; to: 0.7; duration: 900; easing.type: Easing.InOutSine }
            onRunningChanged: if (!running) halo.opacity = dot.active ? 0.7 : 1.0
        }
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
