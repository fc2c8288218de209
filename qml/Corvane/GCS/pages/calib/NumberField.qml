import QtQuick
import QtQuick.Layouts
import Corvane.GCS

// A text field that takes a decimal number (sign, point, exponent), nothing else.
GTextField {
    id: field

    // The trimmed text, as it goes out as a command argument.
    readonly property string value: text.trim()
    property bool wholeNumber: false

    Layout.fillWidth: true
    Layout.minimumWidth: 72
    font.family: Theme.monoFamily
    selectByMouse: true
    validator: RegularExpressionValidator {
        regularExpression: field.wholeNumber ? /^\s*-?\d*\s*$/
                                             : /^\s*[-+]?\d*\.?\d*(?:[eE][-+]?\d*)?\s*$/
    }
}
