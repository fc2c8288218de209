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
        fixture.showFactoryPage()
        tryCompare(menu, "count", 13)
        var navs = rows().filter(function (n) { return n !== "|" })
        for (var i = 0; i < navs.length; ++i) {
            app.currentNav = navs[i]
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
}
