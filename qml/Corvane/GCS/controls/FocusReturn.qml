import QtQuick
import QtQuick.Controls

// Gives the focus back, when a popup closes, to the item that had it when the popup opened
// (with its ring when it came from the keyboard), instead of leaving it at the window's
// start. In a popup: `readonly property FocusReturn focusReturn: FocusReturn { popup: id }`.
QtObject {
    id: keeper

    property Popup popup: null
    property Item item: null
    property bool fromKeyboard: false

    readonly property Connections watcher: Connections {
        target: keeper.popup
        function onAboutToShow() {
            var parentItem = keeper.popup.parent
            keeper.item = parentItem && parentItem.Window.window
                    ? parentItem.Window.window.activeFocusItem : null
            keeper.fromKeyboard = keeper.item !== null && keeper.item.visualFocus === true
        }
        function onClosed() {
            var item = keeper.item
            keeper.item = null
            if (item && item.visible && item.enabled)
                item.forceActiveFocus(keeper.fromKeyboard ? Qt.TabFocusReason : Qt.OtherFocusReason)
        }
    }
}
