import QtQuick
import QtQuick.Controls
import Corvane.GCS

// Left column of the workspace: the product band with the way back to the overview, the
// header of the current device (in a replay: of the recording) and the navigation.
Rectangle {
    id: sidebar

    signal showHubRequested()
    property bool replayMode: false
    property alias menu: menu

    readonly property string currentId: app.managedDevices.currentId
    readonly property string modelId: {
        app.managedDevices.revision
        return currentId.length > 0 ? app.managedDevices.entryDeviceModelId(currentId)
                                    : app.products.defaultDeviceModelId()
    }
    readonly property string modelName: (app.language, app.products.deviceModelDisplayName(modelId))
    readonly property string categoryName: (app.language,
        app.products.categoryDisplayName(app.products.deviceModelCategoryId(modelId)))
    property int linkRevision: 0
    Connections {
        target: app
        function onManagedDeviceLinkChanged() { sidebar.linkRevision++ }
    }
    readonly property string linkStatus: {
        app.language
        linkRevision
        return app.managedDeviceLinkStatus(currentId)
    }

    width: Theme.navWidth
    radius: Theme.radius
    color: Theme.alpha(Theme.panel, 0.94)
    border.width: 1
    border.color: Theme.border

    StarField {
        anchors.fill: menu
    }

    // Product band.
    Rectangle {
        id: band
        x: 1
        y: 1
        width: parent.width - 2
        height: 36
        radius: Theme.radius
        color: Theme.alpha(Theme.accentDim, 0.8)
        Text {
            id: productBand
            objectName: "productBand"
            anchors.left: parent.left
            anchors.leftMargin: 12
            anchors.right: hubLink.left
            anchors.verticalCenter: parent.verticalCenter
            // The category where it fits whole, otherwise the product's short name.
            text: sidebar.replayMode ? qsTr("记录回放")
                  : sidebar.categoryName.length > 0
                    && bandMetrics.advanceWidth(sidebar.categoryName) <= width
                  ? sidebar.categoryName : app.products.productShortName
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontLabel
            font.bold: true
            FontMetrics {
                id: bandMetrics
                font: productBand.font
            }
            color: Theme.accentHi
            elide: Text.ElideRight
        }
        AbstractButton {
            id: hubLink
            objectName: "hubLink"
            anchors.right: parent.right
            anchors.rightMargin: 6
            anchors.verticalCenter: parent.verticalCenter
            padding: 4
            hoverEnabled: true
            text: qsTr("设备总览")
            Accessible.name: text
            Keys.onReturnPressed: clicked()
            Keys.onEnterPressed: clicked()
            onClicked: sidebar.showHubRequested()
            FocusRing { inset: 0 }
            contentItem: Row {
                spacing: 4
                Icon {
                    anchors.verticalCenter: parent.verticalCenter
                    name: "home"
                    width: 15
                    height: 15
                }
                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    text: hubLink.text
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontCaption
                    color: hubLink.hovered ? Theme.text : Theme.muted
                    font.underline: hubLink.hovered
                }
            }
            HoverHandler { cursorShape: Qt.PointingHandCursor }
        }
    }

    // Device header.
    Item {
        id: device
        anchors.top: band.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.margins: 12
        height: 112

        Column {
            visible: !sidebar.replayMode
            anchors.left: parent.left
            anchors.top: parent.top
            spacing: 2
            Text {
                text: sidebar.categoryName
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontCaption
                color: Theme.muted
            }
            Text {
                objectName: "deviceModelLabel"
                text: sidebar.modelName
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontData
                font.bold: true
                color: Theme.text
            }
            Row {
                id: linkStatusRow
                spacing: 6
                Rectangle {
                    anchors.verticalCenter: parent.verticalCenter
                    width: 8
                    height: 8
                    radius: 4
                    color: {
                        sidebar.linkRevision
                        return app.managedDeviceOnline(sidebar.currentId) ? Theme.linkOk
                             : app.managedDeviceLinking(sidebar.currentId) ? Theme.warn
                             : Theme.faint
                    }
                }
                Text {
                    objectName: "deviceLinkStatus"
                    text: sidebar.linkStatus
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontCaption
                    color: Theme.muted
                }
            }
        }
        // The recording in a replay.
        Column {
            visible: sidebar.replayMode
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.top: parent.top
            spacing: 4
            Text {
                text: app.replay.kindText
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontCaption
                color: Theme.muted
            }
            Text {
                objectName: "replayFileLabel"
                width: parent.width
                text: app.replay.fileName
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontDataSmall
                font.bold: true
                color: Theme.text
                elide: Text.ElideMiddle
            }
            Row {
                spacing: 6
                Rectangle {
                    anchors.verticalCenter: parent.verticalCenter
                    width: 8
                    height: 8
                    radius: 4
                    color: app.replay.playing ? Theme.linkOk : Theme.warn
                }
                Text {
                    text: (app.replay.playing ? qsTr("回放中 · %1") : qsTr("已暂停 · %1"))
                          .arg(app.replay.speedText)
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontCaption
                    color: Theme.muted
                }
            }
            Text {
                text: app.replay.positionText + " / " + app.replay.durationText
                font.family: Theme.monoFamily
                font.pixelSize: Theme.fontCaption
                color: Theme.faint
            }
        }
        Image {
            objectName: "deviceShowcase"
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            // Narrower where the link state's words need the room beside it.
            width: Math.min(136, parent.width - linkStatusRow.implicitWidth - 8)
            height: 85
            source: ShellCatalog.showcaseSource(sidebar.modelId)
            visible: !sidebar.replayMode && String(source).length > 0
            sourceSize { width: 320; height: 200 }
            fillMode: Image.PreserveAspectFit
            smooth: true
            mipmap: true
        }
    }

    Rectangle {
        id: divider
        anchors.top: device.bottom
        anchors.topMargin: 8
        x: 12
        width: parent.width - 24
        height: 1
        color: Theme.border
    }

    NavMenu {
        id: menu
        anchors.top: divider.bottom
        anchors.topMargin: 6
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 8
    }
}
