pragma ComponentBehavior: Bound
import QtQuick
import Corvane.GCS

// The 1-pixel frame of the window and the 6-pixel zones along its edges and corners that
// start a resize by the window system. Shown only while the window is not maximised.
Item {
    id: frame

    required property var window
    readonly property int zone: 6

    Rectangle {
        anchors.fill: parent
        color: "transparent"
        border.width: 1
        border.color: Theme.borderHi
    }

    component Zone: MouseArea {
        property int edges: 0
        hoverEnabled: true
        onPressed: frame.window.startSystemResize(edges)
    }

    Zone { edges: Qt.LeftEdge; cursorShape: Qt.SizeHorCursor
           x: 0; y: frame.zone; width: frame.zone; height: frame.height - 2 * frame.zone }
    Zone { edges: Qt.RightEdge; cursorShape: Qt.SizeHorCursor
           x: frame.width - frame.zone; y: frame.zone
           width: frame.zone; height: frame.height - 2 * frame.zone }
    Zone { edges: Qt.TopEdge; cursorShape: Qt.SizeVerCursor
           x: frame.zone; y: 0; width: frame.width - 2 * frame.zone; height: frame.zone }
    Zone { edges: Qt.BottomEdge; cursorShape: Qt.SizeVerCursor
           x: frame.zone; y: frame.height - frame.zone
           width: frame.width - 2 * frame.zone; height: frame.zone }
    Zone { edges: Qt.LeftEdge | Qt.TopEdge; cursorShape: Qt.SizeFDiagCursor
           x: 0; y: 0; width: frame.zone; height: frame.zone }
    Zone { edges: Qt.RightEdge | Qt.BottomEdge; cursorShape: Qt.SizeFDiagCursor
           x: frame.width - frame.zone; y: frame.height - frame.zone
           width: frame.zone; height: frame.zone }
    Zone { edges: Qt.RightEdge | Qt.TopEdge; cursorShape: Qt.SizeBDiagCursor
           x: frame.width - frame.zone; y: 0; width: frame.zone; height: frame.zone }
    Zone { edges: Qt.LeftEdge | Qt.BottomEdge; cursorShape: Qt.SizeBDiagCursor
           x: 0; y: frame.height - frame.zone; width: frame.zone; height: frame.zone }
}
