import QtQuick
import QtQuick.Controls
import Corvane.GCS

// Single-line text input of the shell; the border turns red while the text is not
// acceptable to the validator. Without a name of its own a screen reader reads the
// placeholder.
TextField {
    id: control

    implicitHeight: Theme.controlHeight
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontLabel
    color: Theme.text
    placeholderTextColor: Theme.faint
    selectionColor: Theme.accent
    selectedTextColor: Theme.accentText
    leftPadding: 10
    rightPadding: 10
    verticalAlignment: TextInput.AlignVCenter
    Accessible.name: placeholderText

    FocusRing {}

    background: Rectangle {
        radius: Theme.radiusSmall
        color: Theme.input
        border.width: 1
        border.color: control.text.length > 0 && !control.acceptableInput
                      ? Theme.danger
                      : control.activeFocus ? Theme.accent : Theme.border
    }
}
