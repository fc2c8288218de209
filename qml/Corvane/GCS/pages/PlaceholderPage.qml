import QtQuick
import Corvane.GCS

// Stands in for a page that is not built yet: it names the navigation entry it serves.
Item {
    id: page

    property string navId: ""
    default property alias extra: extraArea.data

    Column {
        anchors.centerIn: parent
        width: Math.min(parent.width - 32, 520)
        spacing: 10

        Item {
            id: extraArea
            anchors.horizontalCenter: parent.horizontalCenter
            width: childrenRect.width
            height: childrenRect.height
        }
        Text {
            objectName: "placeholderTitle"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: (app.language, app.products.navTitleById(page.navId))
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontTitle + 6
            font.bold: true
            color: Theme.text
        }
        Text {
            objectName: "placeholderNavId"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: page.navId
            font.family: Theme.monoFamily
            font.pixelSize: Theme.fontCode
            color: Theme.faint
        }
    }
}
