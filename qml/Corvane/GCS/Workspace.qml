import QtQuick
import Corvane.GCS

// The workspace of the current device: navigation at the left, the page at the right
// under its context bar.
Item {
    id: workspace

    signal showHubRequested()
    signal connectDialogRequested()
    signal editRequested()

    property alias pageHost: pageHost
    property alias contextBar: contextBar

    WorkspaceSidebar {
        id: sidebar
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
        onConnectDialogRequested: workspace.connectDialogRequested()
        onEditRequested: workspace.editRequested()
    }

    Rectangle {
        anchors.left: contextBar.left
        anchors.right: parent.right
        anchors.top: contextBar.bottom
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
