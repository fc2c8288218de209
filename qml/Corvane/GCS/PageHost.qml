import QtQuick
import Corvane.GCS

// Loads the page of the current navigation entry through the page map and fades it in.
// The calibration page behind both configuration entries learns its scope here.
Item {
    id: host

    property string productId: app.products.currentProductId
    property string navId: app.currentNav
    readonly property url pageUrl: ShellCatalog.pageUrl(productId, navId)
    readonly property alias page: loader.item
    readonly property alias status: loader.status

    clip: true

    Loader {
        id: loader
        objectName: "pageLoader"
        anchors.fill: parent
        source: host.pageUrl
        asynchronous: false

        onLoaded: {
            var scope = ShellCatalog.configScopeFor(host.navId)
            if (scope.length > 0 && item && item.configScope !== undefined)
                item.configScope = scope
            fadeIn.restart()
        }
    }

    NumberAnimation {
        id: fadeIn
        target: loader.item
        property: "opacity"
        from: Theme.reduceMotion ? 1 : 0
        to: 1
        duration: Theme.reduceMotion ? 0 : 180
        easing.type: Easing.OutCubic
    }
}
