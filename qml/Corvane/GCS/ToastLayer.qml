pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Corvane.GCS

// Short notices under the header: newest on top, at most five, each for 4.2 seconds.
// kind "success" or "error". A click dismisses a notice early. A screen reader is told of
// each as an alert; none takes the focus, as each goes by itself.
Item {
    id: toastLayer

    readonly property int maxToasts: 5
    readonly property int lifetimeMs: 4200
    readonly property int count: toasts.count
    property int serial: 0

    width: 460
    height: column.height

    // The send confirmations start with this prefix; the notice says enough without it.
    readonly property string sentPrefix: qsTr("已发送：")

    function push(kind, message) {
        var text = String(message)
        if (text.indexOf(sentPrefix) === 0)
            text = text.substring(sentPrefix.length)
        serial += 1
        toasts.insert(0, { "kind": kind, "message": text, "uid": serial })
        while (toasts.count > maxToasts)
            toasts.remove(toasts.count - 1)
    }

    function dismiss(uid) {
        for (var i = 0; i < toasts.count; ++i) {
            if (toasts.get(i).uid === uid) {
                toasts.remove(i)
                return
            }
        }
    }

    function messageAt(i) { return toasts.get(i).message }
    function kindAt(i) { return toasts.get(i).kind }
    function clear() { toasts.clear() }

    ListModel { id: toasts }

    Column {
        id: column
        width: parent.width
        spacing: 8

        Repeater {
            model: toasts
            delegate: Rectangle {
                id: toast
                required property string kind
                required property string message
                required property int uid
                readonly property color ink: kind === "error" ? Theme.danger : Theme.linkOkStrong

                objectName: "toast_" + uid
                Accessible.role: Accessible.AlertMessage
                Accessible.name: message
                width: column.width
                height: Math.max(40, label.implicitHeight + 20)
                radius: Theme.radius
                color: Theme.panelHi
                border.width: 1
                border.color: Theme.alpha(ink, 0.7)
                opacity: 0

                Component.onCompleted: opacity = 1
                Behavior on opacity { NumberAnimation { duration: Theme.uiDuration } }

                Rectangle {
                    x: 1
                    y: 1
                    width: 4
                    height: parent.height - 2
                    radius: 2
                    color: toast.ink
                }
                Rectangle {
                    id: mark
                    x: 16
                    anchors.verticalCenter: parent.verticalCenter
                    width: 18
                    height: 18
                    radius: 9
                    color: Theme.alpha(toast.ink, 0.2)
                    Text {
                        anchors.centerIn: parent
                        text: toast.kind === "error" ? "!" : "✓"
                        font.family: Theme.fontFamily
                        font.pixelSize: 12
                        font.bold: true
                        color: toast.ink
                    }
                }
                Text {
                    id: label
                    objectName: "toastText"
                    anchors.left: mark.right
                    anchors.leftMargin: 10
                    anchors.right: parent.right
                    anchors.rightMargin: 14
                    anchors.verticalCenter: parent.verticalCenter
                    text: toast.message
                    wrapMode: Text.Wrap
                    maximumLineCount: 4
                    elide: Text.ElideRight
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontLabel
                    color: Theme.text
                }
                AbstractButton {
                    anchors.fill: parent
                    focusPolicy: Qt.NoFocus
                    Accessible.name: qsTr("关闭通知")
                    onClicked: toastLayer.dismiss(toast.uid)
                }
                Timer {
                    interval: toastLayer.lifetimeMs
                    running: true
                    onTriggered: toastLayer.dismiss(toast.uid)
                }
            }
        }
    }
}
