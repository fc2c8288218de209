pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Corvane.GCS

// Drop-down list of the shell. labelFor(value) gives an entry's text when the model holds
// plain values; removableFor(value) marks entries that carry a remove button in the list,
// which emits removeRequested(value). Editable boxes take typed text as well.
ComboBox {
    id: control

    property var labelFor: null
    property var removableFor: null
    property string toolTipText: ""
    property string placeholderText: ""

    signal removeRequested(var value)

    function entryText(value, fallback) {
        if (labelFor)
            return labelFor(value)
        return fallback !== undefined ? String(fallback) : String(value)
    }

    implicitHeight: Theme.controlHeight
    font.family: Theme.fontFamily
    font.pixelSize: Theme.fontLabel
    hoverEnabled: true
    displayText: currentIndex < 0 ? "" : entryText(currentValue, currentText)

    ToolTip.visible: toolTipText.length > 0 && hovered
    ToolTip.delay: 500
    ToolTip.text: toolTipText

    delegate: ItemDelegate {
        id: row
        required property var modelData
        required property int index
        width: ListView.view ? ListView.view.width : control.width
        height: 30
        highlighted: control.highlightedIndex === index
        hoverEnabled: true
        contentItem: Item {
            Text {
                anchors.left: parent.left
                anchors.right: removeButton.visible ? removeButton.left : parent.right
                anchors.verticalCenter: parent.verticalCenter
                text: control.entryText(row.modelData)
                font: control.font
                color: control.currentIndex === row.index ? Theme.accentHi : Theme.text
                elide: Text.ElideRight
            }
            Rectangle {
                id: removeButton
                visible: control.removableFor ? control.removableFor(row.modelData) : false
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                width: 20
                height: 20
                radius: 4
                color: removeArea.containsMouse ? Theme.alpha(Theme.danger, 0.2) : "transparent"
                Text {
                    anchors.centerIn: parent
                    text: "×"
                    font.pixelSize: 15
                    font.family: Theme.fontFamily
                    color: Theme.danger
                }
                MouseArea {
                    id: removeArea
                    objectName: "removeEntry"
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: control.removeRequested(row.modelData)
                }
            }
        }
        background: Rectangle {
            color: row.highlighted || row.hovered ? Theme.accentDim : "transparent"
        }
    }

    indicator: Canvas {
        x: control.width - width - 10
        y: (control.height - height) / 2
        width: 10
        height: 6
        contextType: "2d"
        property color ink: control.enabled ? Theme.muted : Theme.faint
        onInkChanged: requestPaint()
        onPaint: {
            var ctx = getContext("2d")
            ctx.reset()
            ctx.strokeStyle = ink
            ctx.lineWidth = 1.6
            ctx.beginPath()
            ctx.moveTo(1, 1)
            ctx.lineTo(width / 2, height - 1)
            ctx.lineTo(width - 1, 1)
            ctx.stroke()
        }
    }

    contentItem: TextField {
        leftPadding: 10
        rightPadding: control.indicator.width + 14
        text: control.editable ? control.editText : control.displayText
        enabled: control.editable
        autoScroll: control.editable
        readOnly: control.down
        inputMethodHints: control.inputMethodHints
        validator: control.validator
        selectByMouse: control.selectTextByMouse
        font: control.font
        color: control.enabled ? Theme.text : Theme.faint
        selectionColor: Theme.accent
        selectedTextColor: Theme.accentText
        verticalAlignment: Text.AlignVCenter
        placeholderText: control.editable ? control.placeholderText : ""
        placeholderTextColor: Theme.faint
        background: null
    }

    background: Rectangle {
        radius: Theme.radiusSmall
        color: Theme.input
        border.width: 1
        border.color: control.activeFocus ? Theme.accent
                                          : control.hovered && control.enabled ? Theme.borderHi
                                                                               : Theme.border
    }

    popup: Popup {
        y: control.height + 2
        width: control.width
        implicitHeight: Math.min(contentItem.implicitHeight + 2, 280)
        padding: 1
        contentItem: ListView {
            clip: true
            implicitHeight: contentHeight
            model: control.delegateModel
            currentIndex: control.highlightedIndex
            ScrollIndicator.vertical: ScrollIndicator {}
        }
        background: Rectangle {
            radius: Theme.radiusSmall
            color: Theme.panelHi
            border.width: 1
            border.color: Theme.borderHi
        }
    }
}
