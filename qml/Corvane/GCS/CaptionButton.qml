pragma ComponentBehavior: Bound
import QtQuick
import Corvane.GCS

// One of the window's own caption buttons. glyph: "minimize", "maximize", "restore" or
// "close"; the glyphs are drawn with rectangles so they follow the theme's ink.
Rectangle {
    id: button

    property string glyph: "minimize"
    signal clicked()

    width: 44
    height: Theme.headerHeight
    color: area.pressed ? (glyph === "close" ? Qt.darker(Theme.danger, 1.2) : Theme.border)
                        : area.containsMouse ? (glyph === "close" ? Theme.danger : Theme.panelHi)
                                             : "transparent"
    readonly property color ink: area.containsMouse && glyph === "close" ? "#ffffff" : Theme.muted

    Behavior on color { ColorAnimation { duration: Theme.fastDuration } }

    Item {
        anchors.centerIn: parent
        width: 12
        height: 12

        Rectangle {
            visible: button.glyph === "minimize"
            anchors.verticalCenter: parent.verticalCenter
            width: 12
            height: 1.4
            color: button.ink
        }
        Rectangle {
            visible: button.glyph === "maximize"
            anchors.fill: parent
            color: "transparent"
            border.width: 1.4
            border.color: button.ink
            radius: 1.5
        }
        Item {
            visible: button.glyph === "restore"
            anchors.fill: parent
            Rectangle {
                x: 3; y: 0; width: 9; height: 9
                color: "transparent"
                border.width: 1.4
                border.color: button.ink
                radius: 1.5
            }
            Rectangle {
                x: 0; y: 3; width: 9; height: 9
                color: button.color.a > 0 ? button.color : Theme.panel
                border.width: 1.4
                border.color: button.ink
                radius: 1.5
            }
        }
        Repeater {
            model: button.glyph === "close" ? [45, -45] : []
            Rectangle {
                required property int modelData
                anchors.centerIn: parent
                width: 15
                height: 1.5
                rotation: modelData
                color: button.ink
                antialiasing: true
            }
        }
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: button.clicked()
    }
}
