pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Corvane.GCS

// The sectioned navigation of the workspace, built from the product's menu rows: a section
// row shows its title, an item row is an entry with icon and title that opens its page. In
// a replay the pages that talk to the unit stay in the menu but cannot be opened.
ListView {
    id: menu

    objectName: "navMenu"
    model: app.products.productNavMenu
    interactive: contentHeight > height
    clip: true
    spacing: 2
    boundsBehavior: Flickable.StopAtBounds

    delegate: Item {
        id: row
        required property var modelData
        required property int index
        readonly property bool isSection: modelData.kind === "section"
        readonly property string navId: modelData.navId
        readonly property bool current: !isSection && app.currentNav === navId
        // The menu is rebuilt when the replay starts or ends, and the rows with it.
        readonly property bool available: isSection || app.products.isNavAvailable(navId)

        objectName: isSection ? "navSection_" + index : "navItem_" + navId
        width: menu.width
        height: isSection ? 22 : 36

        Text {
            visible: row.isSection
            anchors.left: parent.left
            anchors.leftMargin: 10
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 3
            text: row.modelData.title
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontCaption
            font.letterSpacing: 1
            color: Theme.faint
        }

        Rectangle {
            visible: !row.isSection
            anchors.fill: parent
            radius: Theme.radiusSmall
            color: row.current ? Theme.accentDim
                               : itemArea.containsMouse ? Theme.alpha(Theme.panelHi, 0.9)
                                                        : "transparent"
            Behavior on color { ColorAnimation { duration: Theme.fastDuration } }

            // Selection mark.
            Rectangle {
                objectName: "selectionMark"
                visible: row.current
                anchors.left: parent.left
                anchors.verticalCenter: parent.verticalCenter
                width: 3
                height: 18
                radius: 1.5
                color: Theme.accentHi
            }
            Icon {
                id: icon
                anchors.left: parent.left
                anchors.leftMargin: 14
                anchors.verticalCenter: parent.verticalCenter
                name: ShellCatalog.navIcon(row.navId)
                ink: row.current ? Theme.iconAccentInk : Theme.iconInk
                opacity: row.available ? 1 : 0.4
            }
            Text {
                anchors.left: icon.right
                anchors.leftMargin: 10
                anchors.right: parent.right
                anchors.rightMargin: 8
                anchors.verticalCenter: parent.verticalCenter
                text: app.products.navTitleById(row.navId)
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontBody
                font.bold: row.current
                color: row.current ? Theme.text : row.available ? Theme.muted : Theme.faint
                elide: Text.ElideRight
            }
            MouseArea {
                id: itemArea
                objectName: "navItemArea"
                anchors.fill: parent
                hoverEnabled: true
                cursorShape: row.available ? Qt.PointingHandCursor : Qt.ForbiddenCursor
                onClicked: if (row.available) app.currentNav = row.navId
            }
            ToolTip.visible: !row.available && itemArea.containsMouse
            ToolTip.delay: 300
            ToolTip.text: qsTr("回放模式下不可用")
        }
    }
}
