import QtQuick
import QtQuick.Controls
import Corvane.GCS

// One managed device on the hub: model, category, link status and summary, with the
// edit, remove and enter buttons. A click (or Space) selects it, a double click (or
// Return) enters it.
Rectangle {
    id: card

    required property string deviceId
    // Bumped by the hub whenever links or the list change, so the lookups re-run.
    property int linkRevision: 0

    signal enterRequested(string id)
    signal editRequested(string id)
    signal removeRequested(string id)

    readonly property int listRevision: app.managedDevices.revision
    readonly property string modelId: {
        listRevision
        return app.managedDevices.entryDeviceModelId(deviceId)
    }
    readonly property string modelName: {
        app.language
        var name = app.products.deviceModelDisplayName(modelId)
        return name.length > 0 ? name : "KT45"
    }
    readonly property string categoryText: {
        app.language
        var category = app.products.categoryDisplayName(app.products.deviceModelCategoryId(modelId))
        if (category.length > 0)
            return category
        listRevision
        return app.products.displayName(app.managedDevices.productId(deviceId))
    }
    readonly property string linkStatus: {
        app.language
        linkRevision
        listRevision
        var status = app.managedDeviceLinkStatus(deviceId)
        return status.length > 0 ? status : qsTr("未连接")
    }
    readonly property string summaryText: {
        listRevision
        return app.managedDevices.summary(deviceId)
    }
    readonly property bool selected: app.managedDevices.currentId === deviceId
    readonly property color statusColor: {
        linkRevision
        listRevision
        return app.managedDeviceOnline(deviceId) ? Theme.linkOk
             : app.managedDeviceLinking(deviceId) ? Theme.warn : Theme.muted
    }
    readonly property string showcase: ShellCatalog.showcaseSource(modelId)

    implicitHeight: 176
    radius: Theme.radius
    color: cardArea.hovered ? Theme.panelHi : Theme.card
    border.width: selected ? 2 : 1
    border.color: selected ? Theme.accent : cardArea.hovered ? Theme.borderHi : Theme.border
    Behavior on color { ColorAnimation { duration: Theme.fastDuration } }

    // The card as one button: read as what it shows, selected or not.
    AbstractButton {
        id: cardArea
        objectName: "cardArea"
        anchors.fill: parent
        hoverEnabled: true
        Accessible.name: card.modelName + " " + card.categoryText + " " + card.linkStatus + " "
                         + card.summaryText
        Accessible.description: qsTr("空格选中，回车进入并连接")
        Accessible.selectable: true
        Accessible.selected: card.selected
        onClicked: app.selectManagedDevice(card.deviceId)
        onDoubleClicked: card.enterRequested(card.deviceId)
        Keys.onReturnPressed: card.enterRequested(card.deviceId)
        Keys.onEnterPressed: card.enterRequested(card.deviceId)
        FocusRing { radius: Theme.radius + 3 }
    }

    Rectangle {
        id: picture
        x: 14
        y: 14
        width: 128
        height: 80
        radius: Theme.radiusSmall
        color: Theme.alpha(Theme.accentDim, Theme.light ? 0.7 : 0.5)
        border.width: 1
        border.color: Theme.border

        Image {
            objectName: "showcaseImage"
            anchors.fill: parent
            anchors.margins: 2
            visible: card.showcase.length > 0
            source: card.showcase
            sourceSize { width: 256; height: 160 }
            fillMode: Image.PreserveAspectFit
            smooth: true
            mipmap: true
        }
        // Models without an image get a plain outline of a unit.
        Rectangle {
            objectName: "showcasePlaceholder"
            visible: card.showcase.length === 0
            anchors.centerIn: parent
            width: 64
            height: 36
            radius: 4
            color: "transparent"
            border.width: 1.5
            border.color: Theme.faint
            Text {
                anchors.centerIn: parent
                text: card.modelName
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontCaption
                color: Theme.faint
            }
        }
    }

    Column {
        anchors.left: picture.right
        anchors.leftMargin: 14
        anchors.right: parent.right
        anchors.rightMargin: 14
        anchors.top: picture.top
        spacing: 7

        Text {
            objectName: "cardModel"
            width: parent.width
            text: card.modelName
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontTitle + 2
            font.bold: true
            color: Theme.text
            elide: Text.ElideRight
        }
        Chip {
            text: card.categoryText
        }
        Row {
            spacing: 6
            Rectangle {
                anchors.verticalCenter: parent.verticalCenter
                width: 8
                height: 8
                radius: 4
                color: card.statusColor
            }
            Text {
                objectName: "cardStatus"
                text: card.linkStatus
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontLabel
                color: card.statusColor
            }
        }
    }

    Text {
        objectName: "cardSummary"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.leftMargin: 14
        anchors.rightMargin: 14
        y: picture.y + picture.height + 8
        text: card.summaryText
        font.family: Theme.monoFamily
        font.pixelSize: Theme.fontCaption
        color: Theme.muted
        elide: Text.ElideMiddle
    }

    Row {
        anchors.left: parent.left
        anchors.leftMargin: 14
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 12
        spacing: 8
        GButton {
            objectName: "cardEdit"
            text: qsTr("编辑")
            implicitWidth: 60
            onClicked: card.editRequested(card.deviceId)
        }
        GButton {
            objectName: "cardRemove"
            kind: "danger"
            text: qsTr("移除")
            implicitWidth: 60
            onClicked: card.removeRequested(card.deviceId)
        }
    }
    GButton {
        objectName: "cardEnter"
        anchors.right: parent.right
        anchors.rightMargin: 14
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 12
        kind: "primary"
        text: qsTr("进入并连接")
        enabled: !app.connecting
        onClicked: card.enterRequested(card.deviceId)
    }
}
