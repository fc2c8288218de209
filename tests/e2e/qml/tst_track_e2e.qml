import QtQuick
import QtTest
import "../../qml/shell"

// The track page in the real window on telvo-sim, whose unit drives a circle of about 38 m
// radius at 8 m/s: "—" until a fix, then a track of points and numbers; after a
// configuration page stopped the navigation output, the page asks for it again.
ShellTestCase {
    name: "TrackPageLive"

    function cleanup() { fixture.stopSim() }

    function tile(page, key) { return find(page, "tile_" + key).value }

    function test_theTrackGrowsFromTheFirstFixAndTheTilesFollow() {
        wait(0)
        var port = fixture.startSim(["--format", "sinsbin", "--rate", "200"])
        verify(port.length > 0, fixture.simError())
        var ids = fixture.resetWithDevices([{ "port": port, "baud": 115200, "model": "kt45" }])
        var shell = openShell()
        // Entering connects in the background: nothing arrives before this test yields.
        verify(shell.enterDeviceWorkspace(ids[0]) !== false)
        app.currentNav = "track"
        var host = findIn(shell, "pageHost")
        var page = host.page
        var view = find(page, "trackView")
        for (var key of ["lat", "lon", "alt", "speed", "distance", "points"])
            compare(tile(page, key), "—", key + " before a fix")
        verify(!view.hasFix && view.pointCount === 0)
        tryVerify(function () { return app.currentManagedConnected }, 15000, app.lastError)
        var connectedAt = Date.now()
        tryVerify(function () { return view.pointCount > 20 }, 5000, "points arrive")
        wait(2000)
        verify(/^31\.2\d{6}$/.test(tile(page, "lat")), tile(page, "lat"))
        verify(/^121\.47\d{5}$/.test(tile(page, "lon")), tile(page, "lon"))
        verify(Math.abs(Number(tile(page, "speed")) - 8) < 0.05, tile(page, "speed"))
        verify(Number(tile(page, "points")) > 20 && Number(tile(page, "distance")) > 0)
        // 8 m/s: the way of the 2 s waited at least, of the time since the link opened at most,
        // in metres that span at most the circle's 77 m.
        var seconds = (Date.now() - connectedAt) / 1000
        verify(view.distance > 14 && view.distance < 8.5 * seconds, "distance " + view.distance)
        var span = Math.max(view.trackBounds.width, view.trackBounds.height)
        verify(span > 10 && span < 80, "extent " + span)

        // The keyboard reaches the map and its buttons: an arrow moves the map, + zooms, Home
        // fits the whole track again; Return presses a button.
        compare(walkTab(page).join(), "清空轨迹,GNSS 轨迹,放大（也可滚动鼠标滚轮）,缩小,全览")
        find(page, "trackMap").forceActiveFocus(Qt.TabFocusReason)
        var scale = view.pixelsPerMetre, seen = []
        for (var key of [Qt.Key_Left, Qt.Key_Plus, Qt.Key_Home]) {
            keyClick(key)
            seen.push(view.autoFit, Math.round(view.pixelsPerMetre / scale * 100))
        }
        compare(seen.slice(0, 5).join(), "false,100,false,150,true")
        find(page, "zoomOutButton").forceActiveFocus(Qt.TabFocusReason)
        keyClick(Qt.Key_Return)
        verify(!view.autoFit && view.pixelsPerMetre < scale, view.pixelsPerMetre)

        // The user page stops the output and the hub goes offline; the track page starts it
        // again and begins a new track.
        app.currentNav = "user_config"
        tryVerify(function () { return host.page !== page && app.hub.quality === "offline" })
        app.currentNav = "track"
        page = host.page
        view = find(page, "trackView")
        compare(tile(page, "lat") + tile(page, "points"), "——")
        tryVerify(function () { return view.pointCount > 20 }, 5000, "output on again")
    }
}
