import QtQuick
import QtQuick.Layouts
import Corvane.GCS

// A caption over one input; the input is the child given to it. A screen reader names the
// input after the caption (or after accessibleName where the caption alone says too
// little); a drop-down list adds the entry it shows.
ColumnLayout {
    id: box

    property string label: ""
    property string accessibleName: label

    spacing: 4
    Layout.fillWidth: true

    Component.onCompleted: {
        var name = function () { return box.accessibleName }
        for (var i = 0; i < children.length; ++i) {
            var input = children[i]
            if (input === caption)
                continue
            if (input.accessibleLabel !== undefined)
                input.accessibleLabel = Qt.binding(name)
            else
                input.Accessible.name = Qt.binding(name)
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
