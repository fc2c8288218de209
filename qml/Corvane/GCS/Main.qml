import QtQuick
import QtQuick.Window
import Corvane.GCS

// The main window. It draws its own frame and title bar, keeps one of three size tiers,
// and shows the welcome panel (nothing managed yet), the device hub, or the workspace of
// the current device. It holds no device logic: every action goes to the controller.
Window {
    id: root

    readonly property int minTierWidth: 1100
    readonly property int minTierHeight: 700

    // Shell state.
    property bool shellAtDeviceHub: true
    property string pendingRemoveDeviceId: ""
    property string headerClockDate: ""
    property string headerClockWeek: ""
    property string headerClockTime: ""
    property int _prevManagedDeviceCount: 0
    property bool themeBoxReady: false
    property bool centredOnce: false

    readonly property int deviceCount: app.managedDevices.count
    // A replay needs no device; leaving its workspace ends it.
    readonly property string bodyState: app.replay.active ? "replay"
                                      : deviceCount === 0 ? "welcome"
                                      : shellAtDeviceHub ? "hub" : "workspace"
    readonly property bool maximized: visibility === Window.Maximized
                                      || visibility === Window.FullScreen

    property alias header: header
    property alias footer: footer
    property alias toasts: toasts
    property alias connectionDialog: connectionDialog
    property alias removeConfirm: removeConfirm
    property alias editSaveConfirm: editSaveConfirm
    readonly property Item body: bodyLoader.item as Item

    width: minTierWidth
    height: minTierHeight
    minimumWidth: minTierWidth
    minimumHeight: minTierHeight
    flags: Qt.Window | Qt.FramelessWindowHint
    color: Theme.bg
    visible: true

    // ---- window tiers ----------------------------------------------------------------

    // The work area of the screen the window is on. Not the whole desktop: on two
    // screens side by side a window centred on that straddles them, or on the second
    // screen lands with its caption buttons beyond the right edge.
    function availableGeometry() {
        return app.screenAvailableGeometry(root)
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
        if (root.maximized)
            root.showNormal()
        var avail = availableGeometry()
        var size = tier === "min"
                ? Qt.size(Math.min(minTierWidth, avail.width),
                          Math.min(minTierHeight, avail.height))
                : mediumSize(avail)
        root.width = size.width
        root.height = size.height
        root.x = avail.x + Math.max(0, Math.floor((avail.width - size.width) / 2))
        root.y = avail.y + Math.max(0, Math.floor((avail.height - size.height) / 2))
    }

    function toggleMaximized() {
        applyWindowTier(root.maximized ? "medium" : "full")
    }

    function placeOnce() {
        if (!root.maximized)
            applyWindowTier("medium")
        centredOnce = true
    }

    // The window system may still be settling its screen when the root completes; the
    // tier is applied once more shortly after, and on a screen change before that.
    Timer {
        id: placementTimer
        interval: 50
        onTriggered: root.placeOnce()
    }
    onScreenChanged: if (!centredOnce) placeOnce()

    // Nothing narrower or lower than the minimum tier unless maximised.
    onWidthChanged: if (!maximized && width < minTierWidth) width = minTierWidth
    onHeightChanged: if (!maximized && height < minTierHeight) height = minTierHeight

    // ---- themes and motion -----------------------------------------------------------

    function themeBoxChosen(index) {
        if (!themeBoxReady || index < 0)
            return
        Theme.themeId = Theme.themeIds[index]
        app.settings.theme = Theme.themeNames[index]
    }

    function setReduceMotion(on) {
        app.settings.reduceMotion = on
        Theme.reduceMotion = on
    }

    // ---- body ------------------------------------------------------------------------

    function enterDeviceWorkspace(id) {
        if (!id)
            return false
        if (!app.enterManagedDevice(id))
            return false
        shellAtDeviceHub = false
        return true
    }

    function showDeviceHub() {
        if (deviceCount > 0)
            shellAtDeviceHub = true
    }

    function openAddDevice() {
        connectionDialog.openForAdd()
    }

    // "打开记录": a recording in the replay workspace.
    function openReplay() {
        return app.openReplayFile()
    }

    function openEditDevice(id) {
        if (id)
            connectionDialog.openForEdit(id)
    }

    // "连接" with a link that cannot be used as stored: fix the current device's link, or
    // add one when nothing is current.
    function openConnectionForCurrent() {
        var id = app.managedDevices.currentId
        if (id.length > 0)
            openEditDevice(id)
        else
            openAddDevice()
    }

    function requestRemoveDevice(id) {
        pendingRemoveDeviceId = id
        removeConfirm.message = qsTr("确定将「%1」从纳管列表中移除吗？\n"
                                      + "未完成的连接准备将被清除；若该设备已联机，将先断开。")
                .arg(app.managedDeviceLabel(id))
        removeConfirm.open()
    }

    function refreshClock() {
        var now = new Date()
        headerClockTime = Qt.formatDateTime(now, "HH:mm:ss")
        headerClockDate = Qt.formatDateTime(now, "yyyy-MM-dd")
        // The weekday in the language chosen ("周一", "Mon"): the controller sets the
        // default locale with it and ticks at once when it changes.
        headerClockWeek = now.toLocaleDateString(Qt.locale(), "ddd")
    }

    // The clock turns with the controller's one-second statistics tick, on which the
    // footer's run time changes too, so that both (and the backdrop's drift) cost one
    // frame a second. The tick also comes at the window's refresh pace while bytes flow;
    // the drift takes a step only when the second changes.
    function clockTick() {
        var before = headerClockTime
        refreshClock()
        if (headerClockTime !== before && Theme.ambientRunning)
            Theme.ambientStep += 1
    }

    Connections {
        target: app
        function onStatsTick() { root.clockTick() }
    }
    onVisibilityChanged: Theme.windowShown = visibility !== Window.Minimized
                                             && visibility !== Window.Hidden

    Connections {
        target: app.managedDevices
        function onListChanged() {
            var count = app.managedDevices.count
            if (count === 0 || (root._prevManagedDeviceCount === 0 && count > 0))
                root.shellAtDeviceHub = true
            root._prevManagedDeviceCount = count
        }
    }

    Connections {
        target: app
        function onUserNoticeChanged() {
            if (app.userNotice.length > 0)
                toasts.push("success", app.userNotice)
        }
        function onLastErrorChanged() {
            if (app.lastError.length > 0)
                toasts.push("error", app.lastError)
        }
    }

    Connections {
        target: app.settings
        function onReduceMotionChanged() { Theme.reduceMotion = app.settings.reduceMotion }
    }

    Component.onCompleted: {
        Theme.apply(app.settings.theme)
        Theme.reduceMotion = app.settings.reduceMotion
        var index = Theme.indexOfTheme(Theme.themeId)
        header.themeBox.currentIndex = index >= 0 ? index : 0
        themeBoxReady = true
        _prevManagedDeviceCount = app.managedDevices.count
        refreshClock()
        placementTimer.start()
    }

    // ---- layout ----------------------------------------------------------------------

    Backdrop {
        objectName: "backdrop"
        anchors.fill: parent
        lightMode: (root.bodyState === "workspace" || root.bodyState === "replay")
                   && (app.currentNav === "charts" || app.currentNav === "stats")
    }

    ShellHeader {
        id: header
        shell: root
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: root.maximized ? 0 : 1
    }

    Item {
        id: bodyArea
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: header.bottom
        anchors.bottom: footer.top
        anchors.margins: Theme.shellMargin

        Loader {
            id: bodyLoader
            objectName: "bodyLoader"
            anchors.fill: parent
            sourceComponent: root.bodyState === "welcome" ? welcomeComponent
                           : root.bodyState === "hub" ? hubComponent
                           : root.bodyState === "replay" ? replayComponent : workspaceComponent
        }
    }

    Component {
        id: welcomeComponent
        WelcomePanel {
            objectName: "welcomePanel"
            onAddDeviceRequested: root.openAddDevice()
            onReplayRequested: root.openReplay()
        }
    }

    Component {
        id: hubComponent
        DeviceHub {
            objectName: "deviceHub"
            onAddDeviceRequested: root.openAddDevice()
            onReplayRequested: root.openReplay()
            onEnterRequested: (id) => root.enterDeviceWorkspace(id)
            onEditRequested: (id) => root.openEditDevice(id)
            onRemoveRequested: (id) => root.requestRemoveDevice(id)
        }
    }

    Component {
        id: workspaceComponent
        Workspace {
            objectName: "workspace"
            onShowHubRequested: root.showDeviceHub()
            onConnectDialogRequested: root.openConnectionForCurrent()
            onEditRequested: root.openEditDevice(app.managedDevices.currentId)
        }
    }

    // The same workspace on a recording; leaving it ends the replay, back to where it was
    // opened (the hub, or the welcome panel without devices).
    Component {
        id: replayComponent
        Workspace {
            objectName: "replayWorkspace"
            replayMode: true
            onShowHubRequested: app.closeReplay()
        }
    }

    ShellFooter {
        id: footer
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: root.maximized ? 0 : 1
    }

    ToastLayer {
        id: toasts
        objectName: "toastLayer"
        anchors.horizontalCenter: parent.horizontalCenter
        y: header.y + header.height + 8
        z: 10
    }

    ConnectionDialog {
        id: connectionDialog
        objectName: "connectionDialog"
        onDeviceAdded: root.showDeviceHub()
        onEditSaveLinkConfirmRequested: (message) => {
            editSaveConfirm.message = message
            editSaveConfirm.open()
        }
    }

    ConfirmDialog {
        id: removeConfirm
        objectName: "removeConfirm"
        title: qsTr("取消纳管")
        confirmText: qsTr("移除")
        cancelText: qsTr("保留")
        dangerous: true
        onConfirmed: {
            var id = root.pendingRemoveDeviceId
            root.pendingRemoveDeviceId = ""
            app.removeManagedDevice(id)
        }
        onCancelled: root.pendingRemoveDeviceId = ""
    }

    ConfirmDialog {
        id: editSaveConfirm
        objectName: "editSaveConfirm"
        title: qsTr("保存连接信息")
        confirmText: qsTr("保存并断开")
        cancelText: qsTr("继续编辑")
        onConfirmed: connectionDialog.commitEditSave()
    }

    ResizeFrame {
        anchors.fill: parent
        window: root
        visible: !root.maximized
        z: 20
    }
}
