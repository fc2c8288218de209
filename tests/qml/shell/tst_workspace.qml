import QtQuick
import QtTest
import Corvane.GCS

// The workspace of the current device: navigation menu, page map and the artwork the
// shell asks for.
ShellTestCase {
    id: tc
    name: "Workspace"

    Component { id: hostComponent; PageHost { width: 800; height: 600 } }
    Component { id: imageComponent; Image {} }

    function test_menuEntriesOpenTheirPagesAndConfigurationPagesGetTheirScope() {
        wait(0)
        var ids = fixture.resetWithDevices([{ "port": "/dev/ttyUSB4", "model": "kt80" }])
        var shell = openShell()
        verify(shell.enterDeviceWorkspace(ids[0]))
        var menu = findIn(shell, "navMenu")
        waitForRendering(menu)
        var rows = function () {
            var out = []
            for (var i = 0; i < menu.count; ++i)
                out.push(menu.itemAtIndex(i).isSection ? "|" : menu.itemAtIndex(i).navId)
            return out
        }
        // The shipped ui.yaml hides the factory page; a profile that offers it shows it.
        compare(rows().join(),
                "|,attitude,charts,track,message,stats,|,user_config,|,raw,record,upgrade")
        mouseClick(findIn(shell, "navItem_upgrade"))
        verify(app.currentNav === "upgrade" && !findIn(shell, "navItem_attitude").current)
        verify(!ringOf(shell.activeFocusItem).visible, "no ring after a click")
        fixture.showFactoryPage()
        tryCompare(menu, "count", 13)
        var navs = rows().filter(function (n) { return n !== "|" })
        compare(findIn(shell, "navItem_" + navs[8]).toolTipText, "快捷键 Ctrl+9")
        // Ctrl+1 to Ctrl+9 open the first nine in menu order, and show which with the ring.
        for (var i = 0; i < navs.length; ++i) {
            if (i < 9)
                keySequence("Ctrl+" + (i + 1))
            else
                app.currentNav = navs[i]
            compare(app.currentNav, navs[i])
            verify(i === 9 || ringOf(shell.activeFocusItem).visible, navs[i])
            tryCompare(shell.body.pageHost, "status", Loader.Ready)
            compare(shell.body.pageHost.page.objectName, navs[i].indexOf("_config") > 0
                    ? "page_calibration_" + navs[i].split("_")[0] : "page_" + navs[i])
        }
        app.currentNav = "factory_config"
        compare(shell.body.pageHost.page.configScope, "factory")
        // A key outside the page map loads the attitude page.
        var host = createTemporaryObject(hostComponent, tc, { "productId": "x", "navId": "charts" })
        tryCompare(host, "status", Loader.Ready)
        compare(host.page.objectName, "page_attitude")
    }

    // Every icon the shell asks for exists in both inks of every theme, and every model
    // has its showcase.
    function test_allArtworkTheShellAsksForIsThere() {
        var sources = app.products.allDeviceModelIds().map(ShellCatalog.showcaseSource)
        var names = Object.keys(ShellCatalog.navIcons).map(ShellCatalog.navIcon)
        names.push("home", "cmd")
        for (var t of Theme.themeIds) {
            Theme.themeId = t
            for (var n of names)
                sources.push(ShellCatalog.iconSource(n, Theme.iconInk),
                             ShellCatalog.iconSource(n, Theme.iconAccentInk))
        }
        Theme.themeId = "defense"
        for (var source of sources) {
            var image = createTemporaryObject(imageComponent, tc, { "source": source })
            tryCompare(image, "status", Image.Ready, 1000, source)
        }
    }

    // "数据转发" at the end of the context bar switches each output with the address typed,
    // tells its state and failure, and the choice outlives the controller.
    function test_forwardPanelSwitchesOutputsAndIsRemembered() {
        wait(0)
        var ids = fixture.resetWithDevices([{ "port": "/dev/ttyUSB4" }])
        var shell = openShell()
        verify(shell.enterDeviceWorkspace(ids[0]))
        click(findIn(shell, "forwardButton"))
        var panel = shell.body.contextBar.forwardPanel
        tryCompare(panel, "opened", true)
        typeInto(dialogItem(panel, "forwardUdpPort"), "9871")
        click(dialogItem(panel, "forwardUdpSwitch"))
        tryCompare(app.forward, "udpState", 2)
        compare(dialogItem(panel, "forwardUdpState").text.indexOf("发送到 127.0.0.1:9871 · 已发送 0 条"), 0)
        typeInto(dialogItem(panel, "forwardNmeaHost"), "192.0.2.1")
        click(dialogItem(panel, "forwardNmeaSwitch"))
        tryCompare(app.forward, "nmeaState", 3)
        compare(dialogItem(panel, "forwardNmeaState").text, app.lastError)
        verify(app.lastError.indexOf("192.0.2.1 不是本机的地址") > 0, app.lastError)
        shell.destroy()
        wait(0)
        fixture.restartController()
        verify(app.forward.udpEnabled && app.forward.udpPort === 9871 && app.forward.nmeaEnabled
               && app.forward.nmeaHost === "192.0.2.1")
        app.forward.setUdp(false, "", 0)
        app.forward.setNmea(false, "", 0, 10)
    }
}
