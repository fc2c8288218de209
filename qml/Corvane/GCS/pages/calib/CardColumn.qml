import QtQuick
import QtQuick.Layouts

// One column of cards in a tab; two of them sit side by side on a wide page.
ColumnLayout {
    Layout.fillWidth: true
    Layout.alignment: Qt.AlignTop
    Layout.preferredWidth: 1
    spacing: 12
}
