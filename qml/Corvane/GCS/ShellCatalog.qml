pragma Singleton
import QtQuick

// Lookup tables of the shell: the page file of each navigation entry, its icon, the line
// icon files and the showcase images of the device models.
QtObject {
    readonly property string moduleRoot: "qrc:/Corvane/GCS/"

    // Key: product id, a point, navigation id.
    readonly property var pageFiles: ({
        "ins.attitude": "pages/AttitudePage.qml",
        "ins.charts": "pages/ChartsPage.qml",
        "ins.track": "pages/TrackPage.qml",
        "ins.message": "pages/MessagePage.qml",
        "ins.raw": "pages/RawPage.qml",
        "ins.stats": "pages/StatsPage.qml",
        "ins.user_config": "pages/UserConfigPage.qml",
        "ins.factory_config": "pages/FactoryConfigPage.qml",
        "ins.upgrade": "pages/UpgradePage.qml",
        "ins.record": "pages/RecordPage.qml",
        "ins.noise": "pages/NoisePage.qml"
    })
    readonly property string fallbackPage: "pages/AttitudePage.qml"

    readonly property var navIcons: ({
        "attitude": "horizon", "charts": "chart", "message": "list", "raw": "terminal",
        "stats": "chart", "user_config": "settings", "factory_config": "target",
        "upgrade": "upload", "record": "record", "track": "track", "noise": "chart"
    })

    readonly property var showcaseModels: ["kt10", "kt15", "kt40", "kt45", "kt60", "kt80"]

    function pageFile(productId, navId) {
        var file = pageFiles[String(productId) + "." + String(navId)]
        return file !== undefined ? file : fallbackPage
    }

    function pageUrl(productId, navId) {
        return moduleRoot + pageFile(productId, navId)
    }

    // The calibration pages serve both configuration scopes; the entry decides which.
    function configScopeFor(navId) {
        if (navId === "user_config")
            return "user"
        if (navId === "factory_config")
            return "factory"
        return ""
    }

    function navIcon(navId) {
        var icon = navIcons[String(navId)]
        return icon !== undefined ? icon : "cmd"
    }

    function iconSource(name, ink) {
        return moduleRoot + "assets/icons/" + name + "-" + ink + ".png"
    }

    // Empty for a model without an image; the card draws a placeholder then.
    function showcaseSource(modelId) {
        var id = String(modelId)
        return showcaseModels.indexOf(id) >= 0
                ? moduleRoot + "assets/products/" + id + "-showcase.png" : ""
    }
}
