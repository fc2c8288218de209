import QtQuick
import QtQuick.Window

// Frameless main window. The shell with its header, hub and workspace grows here; for now
// it carries the window tiers that start-up and the placement timer rely on.
Window {
    id: root

    readonly property int minTierWidth: 1100
    readonly property int minTierHeight: 700

    width: minTierWidth
    height: minTierHeight
    minimumWidth: minTierWidth
    minimumHeight: minTierHeight
    flags: Qt.Window | Qt.FramelessWindowHint
    color: "#060b14"
    visible: true

    function availableGeometry() {
        var s = root.screen
        if (s && s.desktopAvailableWidth > 0 && s.desktopAvailableHeight > 0)
            return Qt.rect(s.virtualX, s.virtualY, s.desktopAvailableWidth, s.desktopAvailableHeight)
        return Qt.rect(0, 0, 1920, 1080)
    }

    function mediumSize(avail) {
        var boxW = avail.width * 0.83
        var boxH = avail.height * 0.83
        var w = boxW
        var h = w / 1.6
        if (h > boxH) {
            h = boxH
            w = h * 1.6
        }
        w = Math.min(Math.max(Math.round(w), minTierWidth), avail.width)
        h = Math.min(Math.max(Math.round(h), minTierHeight), avail.height)
        return Qt.size(w, h)
    }

    function applyWindowTier(tier) {
        if (tier === "full") {
            root.showMaximized()
            return
        }
        if (root.visibility === Window.Maximized || root.visibility === Window.FullScreen)
            root.showNormal()
        var avail = availableGeometry()
        var size = tier === "min"
                ? Qt.size(Math.min(minTierWidth, avail.width), Math.min(minTierHeight, avail.height))
                : mediumSize(avail)
        root.width = size.width
        root.height = size.height
        root.x = avail.x + Math.max(0, Math.floor((avail.width - size.width) / 2))
        root.y = avail.y + Math.max(0, Math.floor((avail.height - size.height) / 2))
    }

    Timer {
        id: placementTimer
        interval: 50
        onTriggered: {
            if (root.visibility !== Window.Maximized)
                root.applyWindowTier("medium")
        }
    }

    Component.onCompleted: placementTimer.start()

    Text {
        anchors.centerIn: parent
        text: "TelvoMonitor " + (typeof app !== "undefined" && app ? app.appVersion : "")
        color: "#e8f2fa"
        font.pixelSize: 22
    }
}
