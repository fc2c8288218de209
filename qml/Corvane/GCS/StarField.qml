pragma ComponentBehavior: Bound
import QtQuick
import Corvane.GCS

// A quiet field of stars behind the navigation. The positions come from a fixed seed so
// the picture is the same on every start; with motion on, every fifth star dims for a
// moment now and then, on the drift's one step a second (Theme.ambientStep).
Item {
    id: field

    property int count: 36
    readonly property bool running: Theme.ambientRunning
    clip: true

    function rand(i, k) {
        var x = Math.sin(i * 12.9898 + k * 78.233) * 43758.5453
        return x - Math.floor(x)
    }

    // How bright a twinkling star is at a step: dim for one step and half lit for the
    // next, once in a period of 4 to 7 steps of its own.
    function twinkle(i, step) {
        var period = 4 + Math.floor(field.rand(i, 4) * 4)
        var at = (step + Math.floor(field.rand(i, 5) * period)) % period
        return at === 0 ? 0.1 : at === 1 ? 0.55 : 1
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
                     * (field.running && index % 5 === 0
                        ? field.twinkle(index, Theme.ambientStep) : 1)
        }
    }
}
