import QtQuick
import QtQuick.Controls
import Corvane.GCS

// The parsed-data page: the last decoded message as "key<TAB>value" lines with the
// packet format above. The text is refreshed five times a second rather than for every
// record, and holds still while the user has part of it selected, so it can be read,
// selected and copied.
Item {
    id: page
    objectName: "page_message"

    readonly property string format: app.ins.packetFormat
    readonly property string tierLabel: app.ins.streamTierLabel
    readonly property bool holding: messageView.selectedText.length > 0
    property string shownText: app.ins.messageText
    readonly property int lineCount: shownText.length > 0 ? shownText.split("\n").length : 0

    function refresh() {
        if (!holding && shownText !== app.ins.messageText)
            shownText = app.ins.messageText
    }

    // A plain assignment ends the start-up binding: from now on the timer refreshes.
    Component.onCompleted: shownText = app.ins.messageText

    Timer {
        interval: 200
        repeat: true
        running: page.visible
        onTriggered: page.refresh()
    }

    Row {
        id: header
        width: parent.width
        height: Theme.controlHeight
        spacing: 10

        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("数据格式")
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontLabel
            color: Theme.muted
            Accessible.ignored: true
        }
        Chip {
            objectName: "formatChip"
            anchors.verticalCenter: parent.verticalCenter
            Accessible.role: Accessible.StaticText
            Accessible.name: qsTr("数据格式") + " " + text
            text: page.format.length > 0 ? page.format : qsTr("等待协议")
            ink: page.format.length > 0 ? Theme.accentHi : Theme.faint
        }
        Chip {
            objectName: "tierChip"
            anchors.verticalCenter: parent.verticalCenter
            visible: page.tierLabel.length > 0
            text: page.tierLabel
            ink: Theme.linkOk
            fill: Theme.alpha(Theme.linkOk, 0.12)
        }
        Text {
            objectName: "fieldCount"
            anchors.verticalCenter: parent.verticalCenter
            visible: page.lineCount > 0
            text: qsTr("%n 项", "", page.lineCount)
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontCaption
            color: Theme.faint
        }
        Text {
            objectName: "holdNote"
            anchors.verticalCenter: parent.verticalCenter
            visible: page.holding
            text: qsTr("已选中文本，暂停刷新")
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontCaption
            color: Theme.warn
        }
    }

    Rectangle {
        id: frame
        y: header.height + 12
        width: parent.width
        height: parent.height - y
        radius: Theme.radiusSmall
        color: Theme.alpha(Theme.input, 0.92)
        border.width: 1
        border.color: Theme.border

        ScrollView {
            id: scroll
            anchors.fill: parent
            anchors.margins: 1
            clip: true

            TextArea {
                id: messageView
                objectName: "messageView"
                Accessible.name: (app.language, app.products.navTitleById("message"))
                readOnly: true
                selectByMouse: true
                persistentSelection: true
                text: page.shownText
                wrapMode: TextEdit.NoWrap
                textFormat: TextEdit.PlainText
                tabStopDistance: 160
                leftPadding: 14
                topPadding: 10
                font.family: Theme.monoFamily
                font.pixelSize: Theme.fontCode
                color: Theme.text
                selectionColor: Theme.accent
                selectedTextColor: Theme.accentText
                background: null
                FocusRing { inset: 1 }
            }
        }

        Text {
            objectName: "messagePlaceholder"
            anchors.centerIn: parent
            width: parent.width - 40
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
            visible: page.shownText.length === 0
            text: app.ins.parseHint.length > 0 ? app.ins.parseHint : qsTr("等待导航数据…")
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontBody
            color: Theme.faint
        }
    }
}
