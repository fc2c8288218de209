import QtQuick
import Corvane.GCS

// The window's background: the theme colour with a soft glow and a slow sweep of light
// that drifts one step a second (Theme.ambientStep). In light mode (pages full of curves
// and numbers) the sweep is fainter and slower; with reduced motion it stands still.
Rectangle {
    id: backdrop

    property bool lightMode: false
    readonly property bool animating: Theme.ambientRunning
    // Steps (seconds) of one pass across the window.
    readonly property int passSteps: lightMode ? 72 : 48

    color: Theme.bg
    clip: true
    Behavior on color { ColorAnimation { duration: Theme.colorDuration } }

    Rectangle {
        id: glow
        width: parent.width * 1.2
        height: parent.height * 0.9
        x: -parent.width * 0.25
        y: -parent.height * 0.35
        radius: width / 2
        opacity: Theme.light ? 0.35 : 0.22
        gradient: Gradient {
            GradientStop { position: 0.0; color: Theme.accentDim }
            GradientStop { position: 1.0; color: "transparent" }
        }
    }

    Rectangle {
        id: sweep
        objectName: "sweep"
        width: parent.width * 0.35
        height: parent.height * 2
        y: -parent.height * 0.5
        x: -width + (Theme.ambientStep % backdrop.passSteps) / backdrop.passSteps
                    * (backdrop.width + 2 * width)
        rotation: 18
        opacity: backdrop.lightMode ? 0.05 : (Theme.light ? 0.12 : 0.08)
        gradient: Gradient {
            orientation: Gradient.Horizontal
            GradientStop { position: 0.0; color: "transparent" }
            GradientStop { position: 0.5; color: Theme.accentHi }
            GradientStop { position: 1.0; color: "transparent" }
        }
    }
}
