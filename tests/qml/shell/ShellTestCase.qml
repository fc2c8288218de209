import QtQuick
import QtTest

// Helpers shared by the window tests: the real main window on the current controller,
// its parts found by object name, driven with the mouse and keyboard.
TestCase {
    when: windowShown

    readonly property string mainUrl: "qrc:/Corvane/GCS/Main.qml"

    // Opens the main window (with initial properties, for example a screen) and waits
    // until it is placed and active.
    function openShell(properties) {
        var component = Qt.createComponent(mainUrl)
        verify(component.status === Component.Ready, component.errorString())
        var shell = createTemporaryObject(component, null, properties || {})
        tryVerify(function () { return shell.visible && shell.body !== null && shell.centredOnce },
                  3000, "main window shown and placed")
        shell.requestActivate()
        tryVerify(function () { return shell.active }, 3000, "main window active")
        return shell
    }

    // A page of the module (for example "StatsPage.qml"), width x height, on this test case.
    function makePage(file, width, height) {
        var component = Qt.createComponent("qrc:/Corvane/GCS/pages/" + file)
        verify(component.status === Component.Ready, component.errorString())
        return createTemporaryObject(component, this, { "width": width, "height": height })
    }

    // Fresh controller before every test; the previous test's windows go first.
    function freshStart() {
        wait(0)
        fixture.resetController()
    }

    function find(root, name) {
        var item = findChild(root, name)
        verify(item !== null, "item '" + name + "' exists")
        return item
    }

    function findIn(shell, name) { return find(shell.contentItem, name) }
    function dialogItem(popup, name) { return find(popup.contentItem, name) }

    function click(item) {
        verify(item.visible && item.enabled, "clicked item is visible and enabled")
        mouseClick(item)
    }

    // Clicks into a text box, selects what it holds and types over it.
    function typeInto(item, text) {
        mouseClick(item)
        keySequence("Ctrl+A")
        keyClick(Qt.Key_Delete)
        for (var i = 0; i < text.length; ++i)
            keyClick(text.charAt(i))
    }

    // Picks entry index of a combo box the way a user does: open it, click the entry.
    function chooseEntry(box, index) {
        mouseClick(box)
        tryVerify(function () { return box.popup.opened }, 2000, "combo box list open")
        var list = box.popup.contentItem
        list.positionViewAtIndex(index, ListView.Contain)
        var entry = null
        tryVerify(function () { entry = list.itemAtIndex(index); return entry !== null }, 2000)
        mouseClick(entry)
        tryVerify(function () { return !box.popup.visible }, 2000, "combo box list closed")
    }

    // The focus ring shown on an item: its own, or its box's (the text of a typed combo box).
    function ringOf(item) {
        return findChild(item, "focusRing") || findChild(item.parent, "focusRing")
    }

    // Presses Tab from the window's start until the focus comes round; the items focused, in
    // order, each named for a screen reader and showing its focus ring.
    function tabChain(shell) {
        for (var at = shell.activeFocusItem; at && at !== shell.contentItem; at = at.parent)
            at.focus = false
        var chain = []
        for (var i = 0; i < 150; ++i) {
            keyClick(Qt.Key_Tab)
            var item = shell.activeFocusItem
            if (item === chain[0])
                return chain
            verify(item && item.Accessible.name.length > 0, "named: " + item)
            var ring = ringOf(item)
            verify(ring && ring.visible, "ring on " + item.Accessible.name)
            chain.push(item)
        }
        fail("the Tab chain comes round")
    }

    // What a chain holds: object names, navigation entries by their ids.
    function namesOf(chain) {
        return chain.map(function (item) {
            return item.objectName === "navEntry" ? item.parent.navId : item.objectName
        })
    }

    function within(item, root) {
        while (item && item !== root)
            item = item.parent
        return item === root
    }

    // The controls under root that Tab may stop at: shown, enabled, in the Tab chain.
    function tabStopsIn(root) {
        var stops = []
        for (var i = 0; i < root.children.length; ++i) {
            var c = root.children[i]
            if (c.visible && c.enabled)
                stops = stops.concat(c.activeFocusOnTab ? [c] : [], tabStopsIn(c))
        }
        return stops
    }

    // Tabs from root's first control on until the focus leaves root or comes back: the names
    // a screen reader reads on the way. Each control on the way is usable, named, ringed and
    // (where it fits) in view in what scrolls it; every control under root is on the way.
    function walkTab(root) {
        var stops = tabStopsIn(root), walked = []
        root.forceActiveFocus() // a control focused by a click takes it anew, from Tab
        if (stops.length > 0)
            stops[0].forceActiveFocus(Qt.TabFocusReason)
        for (var item = root.Window.window.activeFocusItem; stops.length > 0 && item !== root
             && within(item, root) && walked.indexOf(item) < 0;
             item = root.Window.window.activeFocusItem) {
            walked.push(item)
            for (var view = item.parent; view && view.contentY === undefined; view = view.parent) {}
            var y = view ? item.mapToItem(view, 0, 0).y : 0
            verify(item.visible && item.enabled && item.Accessible.name.length > 0
                   && ringOf(item).visible && (!view || item.height > view.height
                                               || (y > -1 && y + item.height < view.height + 1)),
                   "usable, named, ringed, in view: " + item.objectName + " " + item)
            keyClick(Qt.Key_Tab)
        }
        for (var stop of stops)
            verify(walked.some((w) => within(w, stop)), "Tab reaches " + stop.objectName)
        return walked.map((w) => w.Accessible.name)
    }

    function skipIfUnavailable() {
        if (app.lastError.indexOf("此功能尚未提供") === 0)
            skip("controller connection operations not in this build: " + app.lastError)
    }

    // The device cards of the hub, the online section's first.
    function cardsOf(hub) {
        var cards = []
        for (var name of ["onlineSection", "offlineSection"]) {
            var section = findChild(hub, name)
            var grid = findChild(section, "cardGrid")
            for (var i = 0; grid && section.visible && i < grid.children.length; ++i) {
                if (grid.children[i].deviceId !== undefined)
                    cards.push(grid.children[i])
            }
        }
        return cards
    }
}
