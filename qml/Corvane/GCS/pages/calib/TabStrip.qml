pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Corvane.GCS

// The tab row of the configuration page. One stop of the Tab chain (the current tab); the
// arrow keys, Home and End choose another tab and keep the focus on it.
Row {
    id: strip

    property var titles: []
    property int currentIndex: 0
    property string namePrefix: "tab"

    // Gives tab index the keyboard focus and makes it current (in this order: the tab that
    // loses the focus leaves the Tab chain).
    function select(index) {
        var n = tabs.count
        if (n === 0)
            return
        var next = (index % n + n) % n
        tabs.itemAt(next).forceActiveFocus(Qt.TabFocusReason)
        currentIndex = next
    }

    spacing: 4
    Accessible.role: Accessible.PageTabList

    Repeater {
        id: tabs
        model: strip.titles
        delegate: TabButton {
            id: tab
            required property string modelData
            required property int index
            readonly property bool current: strip.currentIndex === index
            objectName: strip.namePrefix + "_" + index
            width: implicitContentWidth + 32
            height: 34
            padding: 0
            text: modelData
            hoverEnabled: true
            // Checked follows the strip; a click or Space toggles it, and the binding returns.
            autoExclusive: false
            checked: current
            // Only the current tab is in the Tab chain; the others are reached with the
            // arrow keys.
            focusPolicy: current ? Qt.StrongFocus : Qt.ClickFocus
            Accessible.name: text
            onClicked: {
                strip.currentIndex = index
                checked = Qt.binding(() => tab.current)
            }
            Keys.onLeftPressed: strip.select(index - 1)
            Keys.onRightPressed: strip.select(index + 1)
            Keys.onPressed: (event) => {
                if (event.key === Qt.Key_Home || event.key === Qt.Key_End) {
                    strip.select(event.key === Qt.Key_Home ? 0 : tabs.count - 1)
                    event.accepted = true
                } else if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter) {
                    strip.currentIndex = index
                    event.accepted = true
                }
            }

            background: Rectangle {
                radius: Theme.radiusSmall
                color: tab.current ? Theme.accentDim : tab.hovered ? Theme.panelHi : "transparent"
                border.width: tab.current ? 1 : 0
                border.color: Theme.alpha(Theme.accent, 0.6)
                Rectangle {
                    anchors.bottom: parent.bottom
                    anchors.horizontalCenter: parent.horizontalCenter
                    width: parent.width - 16
                    height: 2
                    radius: 1
                    visible: tab.current
                    color: Theme.accent
                }
            }
            contentItem: Text {
                text: tab.text
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontLabel
                font.bold: tab.current
                color: tab.current ? Theme.accentHi : Theme.muted
                Accessible.ignored: true
            }
            FocusRing {}
            HoverHandler { cursorShape: Qt.PointingHandCursor }
        }
    }
}
