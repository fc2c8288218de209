import QtQuick
import Corvane.GCS

// A quiet field of stars behind the navigation. The positions come from a fixed seed so
// the picture is the same on every start; with motion on, a few stars twinkle.
Item {
    id: field

    property int count: 36
    property bool running: !Theme.reduceMotion
    clip: true

    function rand(i, k) {
        var x = Math.sin(i * 12.9898 + k * 78.233) * 43758.5453
        return x - Math.floor(x)
    }

    Repeater {
        model: field.count
        Rectangle {
            required property int index
            readonly property real base: 0.18 + 0.5 * field.rand(index, 3)
            x: field.rand(index, 1) * field.width
            y: field.rand(index, 2) * field.height
            width: index % 7 === 0 ? 2 : 1.4
            height: width
            radius: width / 2
            color: Theme.light ? Theme.accent : Theme.text
            opacity: base * (Theme.light ? 0.5 : 0.8)

            SequentialAnimation on opacity {
                running: field.running && index % 5 === 0
                loops: Animation.Infinite
                PauseAnimation { duration: 900 + field.rand(index, 4) * 2600 }
                NumberAnimation { to: 0.05; duration: 1400; easing.type: Easing.InOutSine }
                NumberAnimation { to: 0.6; duration: 1400; easing.type: Easing.InOutSine }
            }
        }
    }
}
