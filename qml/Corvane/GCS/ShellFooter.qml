import QtQuick
import QtQuick.Controls
import Corvane.GCS

// The status bar: link dot and overall status, the run time and byte counters while
// devices are managed, and the maker, version and web-site link at the right.
Rectangle {
    id: footer

    readonly property bool hasDevices: app.managedDevices.count > 0
    // Third line of the about text is the maker's name.
    readonly property string companyName: {
        var lines = app.aboutText.split("\n")
        return lines.length > 2 ? lines[2] : ""
    }
    property string siteUrl: "https://www.corvane.example/"

    height: Theme.footerHeight
    color: Theme.panel
    Behavior on color { ColorAnimation { duration: Theme.colorDuration } }

    Rectangle {
        anchors.top: parent.top
        width: parent.width
        height: 1
        color: Theme.border
    }

    component FooterText: Text {
        anchors.verticalCenter: parent ? parent.verticalCenter : undefined
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontCaption
        color: Theme.muted
    }
    component Separator: Rectangle {
        anchors.verticalCenter: parent ? parent.verticalCenter : undefined
        width: 1
        height: 12
        color: Theme.border
    }

    Row {
        id: left
        anchors.left: parent.left
        anchors.leftMargin: Theme.shellMargin
        anchors.right: right.left
        anchors.rightMargin: 16
        anchors.verticalCenter: parent.verticalCenter
        spacing: 12
        clip: true

        PulseDot {
            id: linkDot
            objectName: "footerDot"
            anchors.verticalCenter: parent.verticalCenter
            active: app.footerLinkActive
        }
        FooterText {
            objectName: "footerStatus"
            text: app.globalStatusText
            color: Theme.text
        }
        Separator {}
        Row {
            visible: footer.hasDevices
            anchors.verticalCenter: parent.verticalCenter
            spacing: 12
            FooterText { objectName: "footerRunTime"; text: qsTr("运行  %1").arg(app.runTimeText) }
            FooterText { objectName: "footerRx"; text: "RX  " + app.rxText }
            FooterText { objectName: "footerTx"; text: "TX  " + app.txText }
            FooterText {
                text: app.protocolTagText
                font.family: Theme.monoFamily
                color: Theme.value
            }
        }
        FooterText {
            objectName: "footerIdleHint"
            visible: !footer.hasDevices
            text: qsTr("联机后将显示 RX / TX 与运行时间")
            color: Theme.faint
        }
    }

    Row {
        id: right
        anchors.right: parent.right
        anchors.rightMargin: Theme.shellMargin
        anchors.verticalCenter: parent.verticalCenter
        spacing: 12
        FooterText { text: footer.companyName }
        Separator {}
        FooterText { objectName: "footerVersion"; text: qsTr("版本 %1").arg(app.appVersion) }
        Separator {}
        AbstractButton {
            id: siteLink
            objectName: "siteLink"
            anchors.verticalCenter: parent.verticalCenter
            padding: 4
            hoverEnabled: true
            Accessible.role: Accessible.Link
            Accessible.name: siteText.text
            Accessible.description: footer.siteUrl
            Keys.onReturnPressed: clicked()
            Keys.onEnterPressed: clicked()
            onClicked: Qt.openUrlExternally(footer.siteUrl)
            HoverHandler { cursorShape: Qt.PointingHandCursor }
            FocusRing { inset: 0 }
            contentItem: Text {
                id: siteText
                text: qsTr("官网")
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontCaption
                color: siteLink.hovered ? Theme.accentHi : Theme.accent
                font.underline: siteLink.hovered
            }
        }
    }
}
