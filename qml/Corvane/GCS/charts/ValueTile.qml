import QtQuick
import Corvane.GCS

// One number of a telemetry page: its name above, the value with its unit below. The
// dense style (for low tiles) uses smaller fonts; an offline tile is drawn subdued;
// tone "warn" writes the value in the warning colour. Values that do not fit shrink.
// A screen reader reads the label, the value and its unit as one text.
Rectangle {
    id: tile

    property string label: ""
    property string value: "—"
    property string unit: ""
    property bool dense: false
    property bool online: true
    property string tone: "normal"

    readonly property bool hasValue: value !== "—" && value.length > 0
    readonly property bool showsUnit: unit.length > 0 && hasValue
    readonly property string spokenText: label + " " + value + (showsUnit ? " " + unit : "")
    readonly property color valueColor: !online ? Theme.faint
                                       : tone === "warn" ? Theme.warn
                                       : hasValue ? Theme.value : Theme.muted

    radius: Theme.radiusSmall
    color: Theme.alpha(Theme.input, online ? 0.9 : 0.55)
    border.width: 1
    border.color: tone === "warn" && online ? Theme.alpha(Theme.warn, 0.6)
                                            : online ? Theme.border : Theme.alpha(Theme.border, 0.6)
    Accessible.role: Accessible.StaticText
    Accessible.name: spokenText

    readonly property int sidePadding: dense ? 8 : 10
    readonly property int labelPixels: dense ? 11 : Theme.fontCaption
    readonly property int valuePixels: dense ? 15 : (height >= 72 ? Theme.fontData
                                                                  : Theme.fontDataSmall)
    // Fixed line heights: the CJK faces carry tall line spacing that a 34 pixel tile
    // cannot afford.
    readonly property int labelLine: labelPixels + (dense ? 2 : 5)
    readonly property int valueLine: valuePixels + (dense ? 3 : 6)
    readonly property int labelGap: dense ? 0 : 3
    readonly property real contentTop: Math.max(1, (height - labelLine - labelGap - valueLine) / 2)
    readonly property real innerWidth: width - 2 * sidePadding

    Text {
        id: labelText
        objectName: "tileLabel"
        x: tile.sidePadding
        y: tile.contentTop
        width: tile.innerWidth
        height: tile.labelLine
        verticalAlignment: Text.AlignVCenter
        lineHeightMode: Text.FixedHeight
        lineHeight: tile.labelLine
        text: tile.label
        font.family: Theme.fontFamily
        font.pixelSize: tile.labelPixels
        color: tile.online ? Theme.muted : Theme.faint
        elide: Text.ElideRight
        Accessible.ignored: true
    }

    // The value with its unit right behind it; a value too long for the tile shrinks.
    Text {
        id: valueText
        objectName: "tileValue"
        x: tile.sidePadding
        y: tile.contentTop + tile.labelLine + tile.labelGap
        width: Math.min(implicitWidth, tile.innerWidth - (unitText.visible ? unitText.width + 4 : 0))
        height: tile.valueLine
        verticalAlignment: Text.AlignVCenter
        text: tile.value
        font.family: Theme.monoFamily
        font.pixelSize: tile.valuePixels
        font.bold: !tile.dense
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 9
        color: tile.valueColor
        Accessible.ignored: true
    }
    Text {
        id: unitText
        objectName: "tileUnit"
        x: valueText.x + valueText.width + 4
        anchors.baseline: valueText.baseline
        visible: tile.showsUnit
        text: tile.unit
        font.family: Theme.fontFamily
        font.pixelSize: tile.labelPixels
        color: tile.online ? Theme.muted : Theme.faint
        Accessible.ignored: true
    }
}
