import QtQuick
import QtQuick.Layouts
import Corvane.GCS

// A wrapped explanatory line inside a card.
Text {
    Layout.fillWidth: true
    wrapMode: Text.Wrap
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontCaption
    lineHeight: 1.15
    color: Theme.muted
}
