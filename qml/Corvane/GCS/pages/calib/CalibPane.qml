import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane.GCS

// The scrolling body of one tab: its cards in two columns where the page is wide enough,
// one column otherwise.
Flickable {
    id: pane

    default property alias cards: grid.data
    property int wideColumns: 2
    property int wideFrom: 760
    readonly property alias grid: grid

    contentWidth: width
    contentHeight: grid.implicitHeight + 8
    clip: true
    boundsBehavior: Flickable.StopAtBounds
    ScrollBar.vertical: ScrollBar {
        objectName: "paneScrollBar"
        policy: ScrollBar.AlwaysOn
        visible: pane.contentHeight > pane.height + 1
    }

    // Keeps a control of the pane in view, as when it takes the keyboard focus (an item
    // elsewhere is left alone).
    function reveal(item) {
        Keyboard.reveal(pane, item)
    }

    Connections {
        target: pane.visible ? pane.Window.window : null
        function onActiveFocusItemChanged() { pane.reveal(pane.Window.window.activeFocusItem) }
    }

    GridLayout {
        id: grid
        width: pane.width - 14
        columns: pane.width >= pane.wideFrom ? pane.wideColumns : 1
        columnSpacing: 12
        rowSpacing: 12
    }
}
