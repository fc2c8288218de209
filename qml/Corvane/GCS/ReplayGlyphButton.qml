import QtQuick
import QtQuick.Controls
import Corvane.GCS

// A square button of the replay bar with a drawn transport glyph: "play", "pause",
// "start" (to the first record), "end" (to the last), "back" and "forward" (one record).
// Its tool tip names it. Return presses it; Space stays the replay's play and pause
// wherever the focus is.
AbstractButton {
    id: control

    property string glyph: "play"
    property bool primary: false
    property string toolTipText: ""

    implicitWidth: Theme.controlHeight
    implicitHeight: Theme.controlHeight
    hoverEnabled: true

    ToolTip.visible: toolTipText.length > 0 && hovered
    ToolTip.delay: 500
    ToolTip.text: toolTipText
    Accessible.name: toolTipText
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()

    FocusRing {}

    readonly property color ink: !enabled ? Theme.faint : primary ? Theme.accentText : Theme.text

    background: Rectangle {
        radius: Theme.radiusSmall
        color: control.primary ? (control.down ? Theme.accent : control.hovered ? Theme.accentHi
                                                                                : Theme.accent)
                               : control.down ? Theme.accentDim
                                              : control.hovered ? Theme.panelHi : Theme.input
        border.width: control.primary ? 0 : 1
        border.color: control.hovered ? Theme.borderHi : Theme.border
    }

    contentItem: Canvas {
        // Drawn again when the ink or the glyph changes.
        readonly property var look: [control.ink, control.glyph]
        onLookChanged: requestPaint()
        onPaint: {
            var g = getContext("2d")
            g.reset()
            g.fillStyle = control.ink
            var w = width, h = height, cx = w / 2, cy = h / 2, s = Math.min(w, h) * 0.26
            function triangle(x0, dir) { // dir 1: pointing right
                g.beginPath()
                g.moveTo(x0, cy - s)
                g.lineTo(x0 + dir * s * 1.5, cy)
                g.lineTo(x0, cy + s)
                g.closePath()
                g.fill()
            }
            function bar(x0) { g.fillRect(x0, cy - s, s * 0.45, 2 * s) }
            switch (control.glyph) {
            case "pause": bar(cx - s * 0.75); bar(cx + s * 0.3); break
            case "start": bar(cx - s * 1.1); triangle(cx + s * 0.9, -1); break
            case "end": triangle(cx - s * 0.9, 1); bar(cx + s * 0.65); break
            case "back": triangle(cx + s * 0.45, -1); bar(cx + s * 0.55); break
            case "forward": bar(cx - s * 1.0); triangle(cx - s * 0.45, 1); break
            default: triangle(cx - s * 0.6, 1)
            }
        }
    }
}
