import QtQuick
import QtQuick.Controls
import Corvane.GCS

// The communication log as a read-only, selectable text. It follows its source (the
// controller): the whole log when it attaches, every logAppended chunk added at the end,
// the whole text again on logSynced, empty on logViewCleared. It keeps at most
// maxChars characters itself and stays at the end while scrolled to the bottom.
ScrollView {
    id: view

    property var source: null
    property string placeholderText: ""
    /// What a screen reader calls the log.
    property string accessibleName: ""
    readonly property int maxChars: 49152
    readonly property alias text: area.text
    readonly property alias textArea: area
    // Within this share of the content height from the end counts as "at the end".
    readonly property real followSlack: 0.03

    property bool _follow: true

    function atEnd() {
        var f = flick()
        if (!f)
            return true
        var bottom = f.contentHeight - f.height
        return bottom <= 0 || f.contentY >= bottom - followSlack * f.contentHeight
    }

    function flick() {
        return view.contentItem as Flickable
    }

    function remember() {
        _follow = atEnd()
    }

    function scrollToEnd() {
        var f = flick()
        if (f)
            f.contentY = Math.max(0, f.contentHeight - f.height)
    }

    function trim() {
        var extra = area.length - maxChars
        if (extra > 0)
            area.remove(0, extra)
    }

    function appendChunk(chunk) {
        if (!chunk || chunk.length === 0)
            return
        remember()
        var f = flick()
        var keepY = f ? f.contentY : 0
        area.insert(area.length, chunk)
        trim()
        // The text area scrolls to its cursor, which sits at the end; someone reading
        // further up keeps the place they scrolled to.
        if (!_follow && f)
            f.contentY = Math.max(0, Math.min(keepY, f.contentHeight - f.height))
        followTimer.restart()
    }

    function replaceAll(full) {
        remember()
        area.text = full.length > maxChars ? full.slice(full.length - maxChars) : full
        // A new text puts the cursor at its start, and the view would scroll there to
        // show it.
        area.cursorPosition = _follow ? area.length : 0
        followTimer.restart()
    }

    function clearAll() {
        area.text = ""
        _follow = true
    }

    clip: true
    ScrollBar.horizontal.policy: ScrollBar.AlwaysOff

    TextArea {
        id: area
        objectName: "logText"
        Accessible.name: view.accessibleName
        FocusRing { inset: 1 }
        readOnly: true
        selectByMouse: true
        persistentSelection: true
        wrapMode: TextEdit.WrapAnywhere
        textFormat: TextEdit.PlainText
        font.family: Theme.monoFamily
        font.pixelSize: Theme.fontCode
        color: Theme.text
        selectionColor: Theme.accent
        selectedTextColor: Theme.accentText
        placeholderText: view.placeholderText
        placeholderTextColor: Theme.faint
        leftPadding: 10
        rightPadding: 14
        topPadding: 8
        bottomPadding: 8
        background: Rectangle {
            radius: Theme.radiusSmall
            color: Theme.input
            border.width: 1
            border.color: Theme.border
        }
    }

    Timer {
        id: followTimer
        interval: 32
        onTriggered: if (view._follow) view.scrollToEnd()
    }

    // The text is laid out after it changed; the end moves once more then.
    Connections {
        target: view.flick()
        function onContentHeightChanged() {
            if (view._follow)
                followTimer.restart()
        }
    }

    Connections {
        target: view.source
        ignoreUnknownSignals: true
        function onLogAppended(chunk) { view.appendChunk(chunk) }
        function onLogSynced(full) { view.replaceAll(full) }
        function onLogViewCleared() { view.clearAll() }
    }

    Component.onCompleted: {
        if (source)
            replaceAll(source.logText)
    }
}
