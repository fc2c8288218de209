pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Corvane.GCS

// The sectioned navigation of the workspace, built from the product's menu rows: a section
// row shows its title, an item row is an entry with icon and title that opens its page. In
// a replay the pages that talk to the unit stay in the menu but cannot be opened. From the
// keyboard: Tab reaches each entry, ↑/↓ move between them, Space or Return opens one, and
// Ctrl+1 to Ctrl+9 open the first nine in menu order (openEntry).
ListView {
    id: menu

    // The navigation ids of the entries, in menu order.
    readonly property var entryIds: {
        var ids = []
        for (var i = 0; i < model.length; ++i) {
            if (model[i].kind === "item")
                ids.push(model[i].navId)
        }
        return ids
    }

    // Ctrl+number of an entry, 0 for none.
    function shortcutNumberOf(navId) {
        var i = entryIds.indexOf(navId)
        return i >= 0 && i < 9 ? i + 1 : 0
    }

    function rowOf(navId) {
        for (var i = 0; i < count; ++i) {
            if (model[i].kind === "item" && model[i].navId === navId)
                return i
        }
        return -1
    }

    function focusRow(index, reason) {
        positionViewAtIndex(index, ListView.Contain)
        var row = itemAtIndex(index)
        if (row)
            row.takeFocus(reason)
    }

    // The next entry that can be opened, from row from in direction step.
    function focusNext(from, step) {
        for (var i = from + step; i >= 0 && i < count; i += step) {
            if (model[i].kind === "item" && app.products.isNavAvailable(model[i].navId)) {
                focusRow(i, Qt.TabFocusReason)
                return
            }
        }
    }

    // Opens the entry at position n (from 0) and puts the focus on it, so that the ring
    // shows what was opened; an entry that cannot be opened now is left alone.
    function openEntry(n) {
        var navId = n < entryIds.length ? entryIds[n] : ""
        if (navId.length === 0 || !app.products.isNavAvailable(navId))
            return false
        app.currentNav = navId
        focusRow(rowOf(navId), Qt.ShortcutFocusReason)
        return true
    }

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
        readonly property int shortcutNumber: isSection ? 0 : menu.shortcutNumberOf(navId)
        readonly property string toolTipText: !available ? qsTr("回放模式下不可用")
                                            : shortcutNumber > 0
                                              ? qsTr("快捷键 Ctrl+%1").arg(shortcutNumber) : ""

        function takeFocus(reason) { entry.forceActiveFocus(reason) }

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

        ItemDelegate {
            id: entry
            objectName: "navEntry"
            visible: !row.isSection
            enabled: row.available
            anchors.fill: parent
            padding: 0
            focusPolicy: Qt.StrongFocus
            hoverEnabled: true
            text: (app.language, app.products.navTitleById(row.navId))
            Accessible.name: text
            Accessible.description: row.toolTipText
            Accessible.selectable: true
            Accessible.selected: row.current
            onClicked: app.currentNav = row.navId
            Keys.onReturnPressed: clicked()
            Keys.onEnterPressed: clicked()
            Keys.onUpPressed: menu.focusNext(row.index, -1)
            Keys.onDownPressed: menu.focusNext(row.index, 1)
            onActiveFocusChanged: {
                if (activeFocus)
                    menu.positionViewAtIndex(row.index, ListView.Contain)
            }

            background: Rectangle {
                radius: Theme.radiusSmall
                color: row.current ? Theme.accentDim
                                   : entry.hovered ? Theme.alpha(Theme.panelHi, 0.9) : "transparent"
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
            }
            contentItem: Item {
                Icon {
                    x: 14
                    anchors.verticalCenter: parent.verticalCenter
                    name: ShellCatalog.navIcon(row.navId)
                    ink: row.current ? Theme.iconAccentInk : Theme.iconInk
                    opacity: row.available ? 1 : 0.4
                }
                Text {
                    x: 42 // after the icon
                    width: parent.width - x - 8
                    anchors.verticalCenter: parent.verticalCenter
                    text: entry.text
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontBody
                    font.bold: row.current
                    color: row.current ? Theme.text : row.available ? Theme.muted : Theme.faint
                    elide: Text.ElideRight
                }
            }
            FocusRing { inset: 1 }
        }
        // Over a disabled entry too, which takes no hover of its own.
        HoverHandler {
            id: hover
            enabled: !row.isSection
            cursorShape: row.available ? Qt.PointingHandCursor : Qt.ForbiddenCursor
        }
        ToolTip.visible: toolTipText.length > 0 && hover.hovered
        ToolTip.delay: 300
        ToolTip.text: toolTipText
    }
}
