pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Corvane.GCS

// Drop-down list of the shell. labelFor(value) gives an entry's text when the model holds
// plain values; removableFor(value) marks entries that carry a remove button in the list,
// which (or Delete on the highlighted entry) emits removeRequested(value). Editable boxes
// take typed text as well. A screen reader reads accessibleLabel (the field's label) and
// then the text shown.
ComboBox {
    id: control

    property var labelFor: null
    property var removableFor: null
    property string toolTipText: ""
    property string placeholderText: ""
    property string accessibleLabel: ""
    readonly property string accessibleText: {
        var shown = editable ? editText : displayText
        return accessibleLabel.length === 0 ? shown
             : shown.length === 0 ? accessibleLabel : accessibleLabel + " " + shown
    }

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
    // Read again when the language changes, as labelFor may translate.
    displayText: (app.language, currentIndex < 0 ? "" : entryText(currentValue, currentText))

    ToolTip.visible: toolTipText.length > 0 && hovered
    ToolTip.delay: 500
    ToolTip.text: toolTipText

    Accessible.name: accessibleText
    Accessible.description: toolTipText
    Keys.onDeletePressed: (event) => {
        var value = popup.visible && highlightedIndex >= 0 ? valueAt(highlightedIndex) : undefined
        if (value !== undefined && removableFor && removableFor(value))
            removeRequested(value)
        else
            event.accepted = false
    }

    FocusRing {}

    delegate: ItemDelegate {
        id: row
        required property var modelData
        required property int index
        width: ListView.view ? ListView.view.width : control.width
        height: 30
        highlighted: control.highlightedIndex === index
        hoverEnabled: true
        Accessible.name: (app.language, control.entryText(row.modelData))
        contentItem: Item {
            Text {
                anchors.left: parent.left
                anchors.right: removeButton.visible ? removeButton.left : parent.right
                anchors.verticalCenter: parent.verticalCenter
                text: (app.language, control.entryText(row.modelData))
                font: control.font
                color: control.currentIndex === row.index ? Theme.accentHi : Theme.text
                elide: Text.ElideRight
            }
            // Clicked in the open list; from the keyboard Delete does the same.
            AbstractButton {
                id: removeButton
                objectName: "removeEntry"
                visible: control.removableFor ? control.removableFor(row.modelData) : false
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                width: 20
                height: 20
                focusPolicy: Qt.NoFocus
                hoverEnabled: true
                Accessible.name: qsTr("移除 %1").arg(control.entryText(row.modelData))
                onClicked: control.removeRequested(row.modelData)
                background: Rectangle {
                    radius: 4
                    color: removeButton.hovered ? Theme.alpha(Theme.danger, 0.2) : "transparent"
                }
                contentItem: Text {
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                    text: "×"
                    font.pixelSize: 15
                    font.family: Theme.fontFamily
                    color: Theme.danger
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
        // Typed into, it is the box for a screen reader; shown only, it is no control.
        Accessible.name: control.accessibleText
        Accessible.ignored: !control.editable
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
