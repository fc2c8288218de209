import QtQuick
import QtQuick.Window
import QtTest
import Corvane.GCS

// The workspace of the current device on its own: navigation menu, page map, context bar
// and the device connect bar while nothing is connected.
ShellTestCase {
    id: tc
    name: "Workspace"

    property var ids: []

    // A window of its own, so the mouse reaches every part of the workspace.
    Component {
        id: workspaceComponent
        Window {
            property alias workspace: ws
            width: 1400
            height: 820
            visible: true
            color: Theme.bg
            Workspace {
                id: ws
                anchors.fill: parent
            }
        }
    }

    Component {
        id: hostComponent
        PageHost {
            width: 800
            height: 600
        }
    }

    function init() {
        wait(0)
        ids = fixture.resetWithDevices([{ "port": "/dev/ttyUSB4", "baud": 230400,
                                          "model": "kt80" }])
        Theme.reduceMotion = true
    }

    function cleanup() { Theme.reduceMotion = false }

    function makeWorkspace() {
        var window = createTemporaryObject(workspaceComponent, null)
        verify(window !== null)
        tryVerify(function () { return window.visible && window.width === 1400 })
        waitForRendering(window.workspace)
        return window.workspace
    }

    function menuRows(ws) {
        var menu = find(ws, "navMenu")
        var rows = []
        for (var i = 0; i < menu.count; ++i)
            rows.push(menu.itemAtIndex(i))
        return rows
    }

    function test_menuHasTheSectionsAndEntriesOfTheProduct() {
        var ws = makeWorkspace()
        var rows = menuRows(ws)
        var sections = rows.filter(function (r) { return r.isSection })
        var items = rows.filter(function (r) { return !r.isSection })
        compare(sections.length, 3)
        compare(sections[0].height, 22)
        compare(items[0].height, 36)
        // The shipped ui.yaml hides the factory page.
        compare(items.map(function (r) { return r.navId }).join(","),
                "attitude,charts,message,stats,user_config,raw,record,upgrade")
        verify(find(ws, "navItem_attitude").current)

        fixture.showFactoryPage()
        tryCompare(find(ws, "navMenu"), "count", 12)
        verify(find(ws, "navItem_factory_config") !== null)
    }

    function test_clickingAnEntryOpensItsPage() {
        var ws = makeWorkspace()
        mouseClick(find(ws, "navItem_charts"))
        compare(app.currentNav, "charts")
        verify(find(ws, "navItem_charts").current)
        verify(!find(ws, "navItem_attitude").current)
        compare(find(ws, "pageTitle").text, "图表显示")
        verify(!find(ws, "pageSubtitle").visible)
        tryCompare(ws.pageHost, "status", Loader.Ready)
        compare(ws.pageHost.page.objectName, "page_charts")
        compare(find(ws.pageHost.page, "rollCard").title, "横滚 Roll")

        mouseClick(find(ws, "navItem_upgrade"))
        compare(find(ws, "pageTitle").text, "固件升级")
        verify(find(ws, "pageSubtitle").visible)
        compare(find(ws, "pageSubtitle").text, "115200 升级模式烧写")
        compare(ws.pageHost.page.objectName, "page_upgrade")
    }

    function test_everyEntryLoadsThePageOfTheMapAndConfigurationPagesGetTheirScope() {
        fixture.showFactoryPage()
        var ws = makeWorkspace()
        var expected = {
            "attitude": "page_attitude", "charts": "page_charts", "message": "page_message",
            "stats": "page_stats", "raw": "page_raw", "record": "page_record",
            "upgrade": "page_upgrade", "user_config": "page_calibration_user",
            "factory_config": "page_calibration_factory"
        }
        for (var nav in expected) {
            app.currentNav = nav
            compare(app.currentNav, nav)
            tryCompare(ws.pageHost, "status", Loader.Ready)
            compare(ws.pageHost.page.objectName, expected[nav], nav)
        }
        compare(ws.pageHost.page.configScope, "factory")
        app.currentNav = "user_config"
        compare(ws.pageHost.page.configScope, "user")
    }

    function test_keysOutsideThePageMapLoadTheAttitudePage() {
        var host = createTemporaryObject(hostComponent, tc, { "productId": "ins", "navId": "nope" })
        tryCompare(host, "status", Loader.Ready)
        compare(host.page.objectName, "page_attitude")
        host.productId = "other"
        host.navId = "charts"
        tryCompare(host, "status", Loader.Ready)
        compare(host.page.objectName, "page_attitude")
        host.productId = "ins"
        tryCompare(host, "status", Loader.Ready)
        compare(host.page.objectName, "page_charts")
    }

    function test_pagesFadeInUnlessMotionIsReduced() {
        Theme.reduceMotion = false
        var host = createTemporaryObject(hostComponent, tc, { "productId": "ins", "navId": "raw" })
        tryCompare(host, "status", Loader.Ready)
        host.navId = "record"
        verify(host.page.opacity < 1, "starts transparent")
        tryCompare(host.page, "opacity", 1, 1000)
        Theme.reduceMotion = true
        host.navId = "stats"
        compare(host.page.opacity, 1)
    }

    function test_deviceHeaderAndBandShowTheCurrentDevice() {
        var ws = makeWorkspace()
        compare(find(ws, "deviceModelLabel").text, "KT80")
        compare(find(ws, "deviceLinkStatus").text, "未连接")
        compare(find(ws, "productBand").text, "导航测姿")
        var image = find(ws, "deviceShowcase")
        compare(String(image.source), "qrc:/Corvane/GCS/assets/products/kt80-showcase.png")
        compare(image.status, Image.Ready)
        var spy = createTemporaryQmlObject(
                    "import QtTest; SignalSpy { signalName: 'showHubRequested' }", tc)
        spy.target = ws
        mouseClick(find(ws, "hubLinkArea"))
        compare(spy.count, 1)
    }

    Component {
        id: imageComponent
        Image {}
    }

    // Every icon the shell can ask for exists in the plain and the highlight ink of every
    // theme, and every model has its showcase.
    function test_allArtworkTheShellAsksForIsThere() {
        var names = ["home", "cmd"]
        for (var nav in ShellCatalog.navIcons)
            names.push(ShellCatalog.navIcon(nav))
        var sources = []
        for (var t = 0; t < Theme.themeIds.length; ++t) {
            Theme.themeId = Theme.themeIds[t]
            for (var i = 0; i < names.length; ++i) {
                sources.push(ShellCatalog.iconSource(names[i], Theme.iconInk))
                sources.push(ShellCatalog.iconSource(names[i], Theme.iconAccentInk))
            }
        }
        Theme.themeId = "defense"
        var models = app.products.allDeviceModelIds()
        compare(models.length, 6)
        for (var m = 0; m < models.length; ++m)
            sources.push(ShellCatalog.showcaseSource(models[m]))
        compare(ShellCatalog.showcaseSource("kt99"), "", "no image for other models")
        sources.push("qrc:/Corvane/GCS/assets/brand-mark.png")
        sources.push("qrc:/Corvane/GCS/assets/app-icon.png")
        for (var k = 0; k < sources.length; ++k) {
            var image = createTemporaryObject(imageComponent, tc, { "source": sources[k] })
            tryCompare(image, "status", Image.Ready, 1000, sources[k])
        }
    }

    function test_connectBarOffersConnectAndEditWhileOffline() {
        var ws = makeWorkspace()
        var bar = find(ws, "deviceConnectBar")
        verify(bar.visible)
        verify(!find(ws, "linkTag").visible)
        compare(find(ws, "contextLinkText").text, "/dev/ttyUSB4 @ 230400")
        var connect = find(ws, "connectButton")
        verify(connect.visible && connect.enabled)
        verify(!find(ws, "disconnectButton").visible)
        var edit = find(ws, "editLinkButton")
        verify(edit.visible && edit.enabled)
        compare(edit.toolTipText, "编辑当前设备连接信息")

        var spy = createTemporaryQmlObject(
                    "import QtTest; SignalSpy { signalName: 'editRequested' }", tc)
        spy.target = ws
        mouseClick(edit)
        compare(spy.count, 1)
    }
}
