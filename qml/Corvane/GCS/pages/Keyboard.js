.pragma library

// Keyboard help shared by the hub and the pages.

// Scrolls flickable so that item, a control inside it that took the keyboard focus, is in
// view with a small margin; an item outside the flickable is left alone.
function reveal(flickable, item) {
    var content = flickable.contentItem
    for (var up = item; up !== content; up = up.parent) {
        if (!up)
            return
    }
    var y = item.mapToItem(content, 0, 0).y
    if (y < flickable.contentY)
        flickable.contentY = Math.max(0, y - 8)
    else if (y + item.height > flickable.contentY + flickable.height)
        flickable.contentY = Math.max(0, Math.min(flickable.contentHeight - flickable.height,
                                                  y + item.height - flickable.height + 8))
}
