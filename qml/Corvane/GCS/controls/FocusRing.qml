import QtQuick
import Corvane.GCS

// The ring around a control that has the focus from the keyboard: a control's visualFocus
// (Tab, Backtab, a shortcut), never after a click. Put it inside the control, or give it
// the control as target; it draws outside the control's bounds, over its neighbours' gap
// (a positive inset draws inside, where the neighbours or a clip leave no gap).
Rectangle {
    property Item target: parent
    property real inset: -3
    // Text fields have no visualFocus; their focus reason tells the same.
    readonly property bool keyboardFocus: target !== null
                                          && (target.visualFocus === true
                                              || (target.visualFocus === undefined
                                                  && target.activeFocus
                                                  && (target.focusReason === Qt.TabFocusReason
                                                      || target.focusReason === Qt.BacktabFocusReason
                                                      || target.focusReason === Qt.ShortcutFocusReason)))

    // Drawn in the target; not a binding of parent, which would read the parent before the
    // ring is put into the control it is declared in and take it out again.
    function follow() {
        if (target && parent !== target)
            parent = target
    }
    onTargetChanged: follow()
    Component.onCompleted: follow()

    objectName: "focusRing"
    x: inset
    y: inset
    width: target ? target.width - 2 * inset : 0
    height: target ? target.height - 2 * inset : 0
    z: 1000
    radius: Math.max(0, Theme.radiusSmall - inset)
    color: "transparent"
    border.width: 2
    border.color: Theme.focusRing
    visible: keyboardFocus && target.visible
}
