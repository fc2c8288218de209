import QtQuick
import QtTest

// Helpers shared by the window tests: opening the real main window, finding its parts
// by object name and driving them with the mouse and keyboard.
TestCase {
    id: tc

    when: windowShown

    readonly property string mainUrl: "qrc:/Corvane/GCS/Main.qml"
    readonly property string unavailablePrefix: "此功能尚未提供"

    // Opens the main window on the current controller and waits until it is placed.
    function openShell() {
        var component = Qt.createComponent(mainUrl)
        verify(component.status === Component.Ready, component.errorString())
        var shell = createTemporaryObject(component, null)
        verify(shell !== null, "main window created")
        tryVerify(function () { return shell.visible && shell.body !== null && shell.centredOnce },
                  3000, "main window shown and placed")
        shell.requestActivate()
        tryVerify(function () { return shell.active }, 3000, "main window active")
        return shell
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

    function findIn(shell, name) {
        return find(shell.contentItem, name)
    }

    function dialogItem(popup, name) {
        return find(popup.contentItem, name)
    }

    function click(item) {
        verify(item.visible, "clicked item is visible")
        verify(item.enabled, "clicked item is enabled")
        mouseClick(item)
    }

    function typeText(text) {
        for (var i = 0; i < text.length; ++i)
            keyClick(text.charAt(i))
    }

    // Clicks into a text box, selects what it holds and types over it.
    function typeInto(item, text) {
        mouseClick(item)
        keySequence("Ctrl+A")
        if (text.length === 0)
            keyClick(Qt.Key_Delete)
        else
            typeText(text)
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

    // The connection operations of the controller may not be part of this build; a
    // test that needs them says so instead of failing on the missing feature.
    function skipIfUnavailable() {
        if (app.lastError.indexOf(unavailablePrefix) === 0)
            skip("controller connection operations not in this build yet: " + app.lastError)
    }

    function cardsOf(hub) {
        var cards = []
        var sections = [findChild(hub, "onlineSection"), findChild(hub, "offlineSection")]
        for (var s = 0; s < sections.length; ++s) {
            var grid = findChild(sections[s], "cardGrid")
            if (!grid || !sections[s].visible)
                continue
            for (var i = 0; i < grid.children.length; ++i) {
                if (grid.children[i].deviceId !== undefined)
                    cards.push(grid.children[i])
            }
        }
        return cards
    }
}
