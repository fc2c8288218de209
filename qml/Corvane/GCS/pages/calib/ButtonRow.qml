import QtQuick
import QtQuick.Layouts
import Corvane.GCS

// The buttons of a card, wrapping onto a second line when the card is narrow.
Flow {
    Layout.fillWidth: true
    spacing: 8
}
