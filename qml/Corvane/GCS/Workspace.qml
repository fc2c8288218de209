pragma ComponentBehavior: Bound
import QtQuick
import Corvane.GCS

// The workspace of the current device: navigation at the left, the page at the right
// under its context bar. In a replay the same pages show the recording, with the replay
// bar under the context bar.
Item {
    id: workspace

    property bool replayMode: false

    signal showHubRequested()
    signal connectDialogRequested()
    signal editRequested()

    property alias pageHost: pageHost
    property alias contextBar: contextBar

    // Ctrl+1 to Ctrl+9 open the menu's entries in order.
    Instantiator {
        model: 9
        delegate: Shortcut {
            required property int index
            sequence: "Ctrl+" + (index + 1)
            onActivated: sidebar.menu.openEntry(index)
        }
    }

    WorkspaceSidebar {
        id: sidebar
        replayMode: workspace.replayMode
        anchors.left: parent.left
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        onShowHubRequested: workspace.showHubRequested()
    }

    ContextBar {
        id: contextBar
        anchors.left: sidebar.right
        anchors.leftMargin: Theme.shellMargin
        anchors.right: parent.right
        anchors.top: parent.top
        replayMode: workspace.replayMode
        onConnectDialogRequested: workspace.connectDialogRequested()
        onEditRequested: workspace.editRequested()
    }

    ReplayBar {
        id: replayBar
        objectName: "replayBar"
        visible: workspace.replayMode
        enabled: visible
        anchors.left: contextBar.left
        anchors.right: parent.right
        anchors.top: contextBar.bottom
        anchors.topMargin: visible ? Theme.shellMargin : 0
        height: visible ? Theme.titleBarHeight + 4 : 0
    }

    Rectangle {
        anchors.left: contextBar.left
        anchors.right: parent.right
        anchors.top: replayBar.bottom
        anchors.topMargin: Theme.shellMargin
        anchors.bottom: parent.bottom
        radius: Theme.radius
        color: Theme.alpha(Theme.panel, 0.86)
        border.width: 1
        border.color: Theme.border

        PageHost {
            id: pageHost
            objectName: "pageHost"
            anchors.fill: parent
            anchors.margins: Theme.pageInset
        }
    }
}
