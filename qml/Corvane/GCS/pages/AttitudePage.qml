import QtQuick
import Gcs 1.0
import Corvane.GCS

// The attitude page: the attitude indicator and the compass at the left, the number
// tiles of the attitude, the IMU and the navigation solution at the right. Each value
// shows only while its layer of the stream is live, "—" otherwise.
Item {
    id: page
    objectName: "page_attitude"

    // The hub's fields change at most every 50 ms; so do the tiles.
    readonly property var fields: app.hub.fields
    readonly property var hubTier: fields ? fields["stream_tier"] : undefined
    readonly property int tier: Telemetry.liveTier(app.hub.hasFix, app.ins.streamTier, hubTier)
    readonly property bool attitudeLive: tier >= Telemetry.tierAttitude
    readonly property int gap: 12

    function num(key, decimals, needTier) {
        return Telemetry.valueText(fields ? fields[key] : undefined, decimals, tier, needTier)
    }
    // What a screen reader says of an angle: the tile's label, value and unit.
    function spokenAngle(label, key) {
        var value = num(key, 2, Telemetry.tierAttitude)
        return label + " " + value + (value !== Telemetry.dash ? " °" : "")
    }
    function angle(key) {
        var n = Telemetry.numberOf(fields ? fields[key] : undefined)
        return attitudeLive && isFinite(n) ? n : 0
    }

    Item {
        id: leftColumn
        width: Math.round((page.width - page.gap) * 0.42)
        height: page.height

        DataCard {
            id: sceneCard
            objectName: "sceneCard"
            width: parent.width
            height: (parent.height - page.gap) / 2
            title: qsTr("姿态仪表")
            SceneViewport {
                id: viewport
                objectName: "attitudeViewport"
                anchors.fill: parent
                // Its words are painted: paint them again in the new language.
                Connections {
                    target: app
                    function onLanguageChanged() { viewport.update() }
                }
                Accessible.role: Accessible.Indicator
                Accessible.name: sceneCard.title + " " + page.spokenAngle(qsTr("横滚 Roll"), "roll")
                                 + " " + page.spokenAngle(qsTr("俯仰 Pitch"), "pitch") + " "
                                 + page.spokenAngle(qsTr("航向 Yaw"), "yaw")
                online: page.attitudeLive
                roll: page.angle("roll")
                pitch: page.angle("pitch")
                yaw: page.angle("yaw")
            }
        }

        DataCard {
            id: compassCard
            objectName: "compassCard"
            y: sceneCard.height + page.gap
            width: parent.width
            height: parent.height - y
            title: qsTr("电子罗盘航向")
            CompassDial {
                id: compass
                objectName: "compassDial"
                readonly property real side: Math.min(parent.width, parent.height)
                anchors.centerIn: parent
                width: side
                height: side
                online: page.attitudeLive
                heading: page.angle("yaw")
                // The heading as the dial writes it.
                Accessible.role: Accessible.Indicator
                Accessible.name: compassCard.title + " " + compass.readoutText
                faceColor: Theme.alpha(Theme.input, 0.9)
                ringColor: Theme.borderHi
                tickColor: Theme.muted
                accentColor: Theme.danger
                textColor: Theme.text
                fontFamily: Theme.fontFamily
            }
        }
    }

    Item {
        id: rightColumn
        x: leftColumn.width + page.gap
        width: page.width - x
        height: page.height
        readonly property real share: (height - 2 * page.gap) / 100

        TileCard {
            id: attitudeCard
            objectName: "attitudeTiles"
            width: parent.width
            height: Math.round(parent.share * 18)
            title: qsTr("姿态角")
            tiles: [
                { key: "roll", label: qsTr("横滚 Roll"), unit: "°", value: page.num("roll", 2, 2) },
                { key: "pitch", label: qsTr("俯仰 Pitch"), unit: "°",
                  value: page.num("pitch", 2, 2) },
                { key: "yaw", label: qsTr("航向 Yaw"), unit: "°", value: page.num("yaw", 2, 2) }
            ]
        }

        TileCard {
            id: imuCard
            objectName: "imuTiles"
            y: attitudeCard.height + page.gap
            width: parent.width
            height: Math.round(parent.share * 41)
            title: qsTr("IMU 传感器")
            tiles: [
                { key: "gx", label: qsTr("陀螺 X"), unit: "°/s", value: page.num("gx", 3, 1) },
                { key: "gy", label: qsTr("陀螺 Y"), unit: "°/s", value: page.num("gy", 3, 1) },
                { key: "gz", label: qsTr("陀螺 Z"), unit: "°/s", value: page.num("gz", 3, 1) },
                { key: "ax", label: qsTr("加计 X"), unit: "g", value: page.num("ax", 3, 1) },
                { key: "ay", label: qsTr("加计 Y"), unit: "g", value: page.num("ay", 3, 1) },
                { key: "az", label: qsTr("加计 Z"), unit: "g", value: page.num("az", 3, 1) },
                { key: "temp", label: qsTr("温度 Temp"), unit: "℃", value: page.num("temp", 2, 1) }
            ]
        }

        TileCard {
            objectName: "gnssTiles"
            y: imuCard.y + imuCard.height + page.gap
            width: parent.width
            height: parent.height - y
            title: qsTr("GNSS 定位与状态")
            tiles: [
                { key: "lat", label: qsTr("GNSS 纬度"), unit: "°", value: page.num("lat", 7, 3) },
                { key: "lon", label: qsTr("GNSS 经度"), unit: "°", value: page.num("lon", 7, 3) },
                { key: "alt", label: qsTr("GNSS 高度"), unit: "m", value: page.num("alt", 1, 3) },
                { key: "ve", label: qsTr("东向 Ve"), unit: "m/s", value: page.num("ve", 3, 3) },
                { key: "vn", label: qsTr("北向 Vn"), unit: "m/s", value: page.num("vn", 3, 3) },
                { key: "vu", label: qsTr("天向 Vu"), unit: "m/s", value: page.num("vu", 3, 3) },
                { key: "gnss_heading", label: qsTr("GNSS 航向"), unit: "°",
                  value: page.num("gnss_heading", 2, 3) },
                { key: "gnss_status", label: qsTr("GNSS 状态"),
                  value: Telemetry.textValue(page.fields ? page.fields["gnss_status"] : undefined,
                                             page.tier, 3) },
                { key: "device_status", label: qsTr("导航状态"),
                  value: Telemetry.textValue(page.fields ? page.fields["device_status"]
                                                         : undefined, page.tier, 3) }
            ]
        }
    }
}
