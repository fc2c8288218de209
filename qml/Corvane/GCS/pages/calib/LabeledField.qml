import QtQuick
import QtQuick.Layouts
import Corvane.GCS

// A caption over one input; the input is the child given to it. The input is named after
// the caption for a screen reader (or after accessibleName where the caption alone says
// too little).
ColumnLayout {
    id: box

    property string label: ""
    property string accessibleName: label

    spacing: 4
    Layout.fillWidth: true

    Component.onCompleted: {
        for (var i = 0; i < children.length; ++i) {
            if (children[i] !== caption)
                children[i].Accessible.name = Qt.binding(function () { return box.accessibleName })
        }
    }

    Text {
        id: caption
        Layout.fillWidth: true
        text: box.label
        elide: Text.ElideRight
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontCaption
        color: Theme.muted
        // The input carries it.
        Accessible.ignored: true
    }
}
