pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Corvane.GCS

// One of the window's own caption buttons. glyph: "minimize", "maximize", "restore" or
// "close"; the glyphs are drawn with rectangles so they follow the theme's ink. Its tool
// tip names it, for a screen reader too.
AbstractButton {
    id: button

    property string glyph: "minimize"
    readonly property string toolTipText: glyph === "minimize" ? qsTr("最小化")
                                        : glyph === "maximize" ? qsTr("最大化")
                                        : glyph === "restore" ? qsTr("还原") : qsTr("关闭")

    width: 44
    height: Theme.headerHeight
    hoverEnabled: true
    readonly property bool closing: glyph === "close"
    readonly property color fill: down ? (closing ? Qt.darker(Theme.danger, 1.2) : Theme.border)
                                       : hovered ? (closing ? Theme.danger : Theme.panelHi)
                                                 : "transparent"
    readonly property color ink: hovered && glyph === "close" ? "#ffffff" : Theme.muted

    ToolTip.visible: hovered
    ToolTip.delay: 500
    ToolTip.text: toolTipText
    Accessible.name: toolTipText
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()

    background: Rectangle {
        color: button.fill
        Behavior on color { ColorAnimation { duration: Theme.fastDuration } }
    }

    FocusRing { inset: 2 }

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
                color: button.fill.a > 0 ? button.fill : Theme.panel
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
}
