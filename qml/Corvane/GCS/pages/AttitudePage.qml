import QtQuick
import Gcs 1.0
import Corvane.GCS

// Placeholder of the "attitude" page, already with the attitude indicator on the live
// values of the telemetry hub.
PlaceholderPage {
    id: page
    objectName: "page_attitude"
    navId: "attitude"

    readonly property var fields: app.hub && app.hub.fields ? app.hub.fields : ({})
    function value(key) {
        var v = Number(page.fields[key])
        return isFinite(v) ? v : 0
    }

    SceneViewport {
        objectName: "attitudeViewport"
        width: 320
        height: 240
        online: app.currentManagedConnected && page.fields.roll !== undefined
        roll: page.value("roll")
        pitch: page.value("pitch")
        yaw: page.value("yaw")
    }
}
