import QtQuick
import QtQuick.Controls
import Corvane.GCS

// A modal question with a confirm and a cancel button. Return confirms (unless the focus is
// on a button, which Return presses), Escape cancels.
Popup {
    id: dialog

    property string title: qsTr("确认")
    property string message: ""
    property string confirmText: qsTr("确定")
    property string cancelText: qsTr("取消")
    property bool dangerous: false

    signal confirmed()
    signal cancelled()

    parent: Overlay.overlay
    anchors.centerIn: parent
    width: 440
    modal: true
    focus: true
    padding: 0
    closePolicy: Popup.CloseOnEscape

    // Closing by Escape counts as cancelling.
    property bool answered: false
    onAboutToShow: answered = false
    onClosed: if (!answered) cancelled()
    readonly property FocusReturn focusReturn: FocusReturn { popup: dialog }

    function confirm() {
        answered = true
        close()
        confirmed()
    }
    function cancel() {
        answered = true
        close()
        cancelled()
    }

    Overlay.modal: Rectangle { color: Theme.alpha("#000000", Theme.light ? 0.25 : 0.5) }

    background: Rectangle {
        radius: Theme.radius
        color: Theme.panel
        border.width: 1
        border.color: Theme.borderHi
    }

    contentItem: Column {
        spacing: 0
        focus: true
        Accessible.role: Accessible.Dialog
        Accessible.name: dialog.title
        Accessible.description: dialog.message
        Keys.onReturnPressed: dialog.confirm()
        Keys.onEnterPressed: dialog.confirm()
        Item {
            width: dialog.width
            height: 48
            Text {
                objectName: "confirmTitle"
                anchors.left: parent.left
                anchors.leftMargin: 20
                anchors.verticalCenter: parent.verticalCenter
                text: dialog.title
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontTitle
                font.bold: true
                color: Theme.text
            }
        }
        Text {
            objectName: "confirmMessage"
            x: 20
            width: dialog.width - 40
            text: dialog.message
            wrapMode: Text.Wrap
            lineHeight: 1.25
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontBody
            color: Theme.muted
        }
        Item {
            width: dialog.width
            height: 68
            Row {
                anchors.right: parent.right
                anchors.rightMargin: 20
                anchors.verticalCenter: parent.verticalCenter
                spacing: 10
                GButton {
                    objectName: "confirmCancel"
                    text: dialog.cancelText
                    onClicked: dialog.cancel()
                }
                GButton {
                    objectName: "confirmAccept"
                    kind: dialog.dangerous ? "danger" : "primary"
                    text: dialog.confirmText
                    onClicked: dialog.confirm()
                }
            }
        }
    }
}
