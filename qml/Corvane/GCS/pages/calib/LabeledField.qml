import QtQuick
import QtQuick.Layouts
import Corvane.GCS

// A caption over one input; the input is the child given to it.
ColumnLayout {
    id: box

    property string label: ""

    spacing: 4
    Layout.fillWidth: true

    Text {
        Layout.fillWidth: true
        text: box.label
        elide: Text.ElideRight
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontCaption
        color: Theme.muted
    }
}
