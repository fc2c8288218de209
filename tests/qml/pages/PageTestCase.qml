import QtQuick
import QtQuick.Window
import QtTest
import Corvane.GCS
import "../shell"

// Helpers of the telemetry page tests: a page of the module on its own in a window of a
// chosen size, on the current controller, and the texts of its tiles.
ShellTestCase {
    id: tc

    readonly property string pagesUrl: "qrc:/Corvane/GCS/pages/"

    Component {
        id: pageWindow
        Window {
            property alias host: host
            property Item page: null
            visible: true
            color: Theme.bg
            Item {
                id: host
                anchors.fill: parent
                anchors.margins: 16
            }
        }
    }

    // The page file (for example "ChartsPage.qml") in a window of width x height.
    function makePage(file, width, height) {
        var window = createTemporaryObject(pageWindow, null, { "width": width, "height": height })
        verify(window !== null)
        var component = Qt.createComponent(pagesUrl + file)
        verify(component.status === Component.Ready, component.errorString())
        var page = component.createObject(window.host, { "width": width - 32,
                                                           "height": height - 32 })
        verify(page !== null, "page " + file + " created")
        window.page = page
        tryVerify(function () { return window.visible && window.width === width })
        waitForRendering(page)
        return page
    }

    function tile(root, key) {
        return find(root, "tile_" + key)
    }

    function tileText(root, key) {
        return tile(root, key).value
    }

    function tileTexts(root, keys) {
        return keys.map(function (k) { return tileText(root, k) })
    }

    readonly property var attitudeKeys: ["roll", "pitch", "yaw"]
    readonly property var imuKeys: ["gx", "gy", "gz", "ax", "ay", "az", "temp"]
    readonly property var navKeys: ["lat", "lon", "alt", "ve", "vn", "vu", "gnss_heading",
                                    "gnss_status", "device_status"]
}
