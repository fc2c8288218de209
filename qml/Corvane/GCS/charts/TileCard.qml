pragma ComponentBehavior: Bound
import QtQuick
import Corvane.GCS
import "Telemetry.js" as Telemetry

// A card of value tiles, three to a row. The rows share the card's body equally (see
// Telemetry.tileHeight); tiles lower than 56 pixels switch to their dense style.
DataCard {
    id: card

    // Each entry: { key, label, unit, value, tone } (value already formatted).
    property var tiles: []
    property bool online: true
    readonly property int columns: 3
    readonly property int rows: Math.max(1, Math.ceil(tiles.length / columns))
    readonly property real tileHeight: Telemetry.tileHeight(height, rows)
    readonly property bool dense: Telemetry.isDense(tileHeight)
    readonly property int gap: 6

    Grid {
        objectName: "tileGrid"
        width: parent.width
        columns: card.columns
        rowSpacing: Telemetry.rowGap
        columnSpacing: card.gap
        Repeater {
            // A count, not the array: the tiles stay while their values change.
            model: card.tiles.length
            delegate: ValueTile {
                required property int index
                readonly property var modelData: card.tiles[index] || ({})
                objectName: "tile_" + modelData.key
                width: (card.bodyArea.width - card.gap * (card.columns - 1)) / card.columns
                height: card.tileHeight
                dense: card.dense
                online: card.online
                label: modelData.label
                unit: modelData.unit !== undefined ? modelData.unit : ""
                value: modelData.value
                tone: modelData.tone !== undefined ? modelData.tone : "normal"
            }
        }
    }
}
