.pragma library

// Rules shared by the telemetry pages: which layers of the data are live, how a value
// is written, the tile heights of the number cards and the texts of the charts page.

// Layers of the data stream: IMU values are live from tier 1, attitude from 2,
// navigation (GNSS position and velocity) from 3.
var tierImu = 1
var tierAttitude = 2
var tierNavigation = 3

var dash = "—"

// The tier whose values may be shown. Nothing is live without a fix or while the bridge
// has not decoded a frame of the current stream (its tier is 0): the hub may still hold
// the fields of an earlier stream then. Otherwise the tier the hub's data carries, or
// the bridge's when the hub names none.
function liveTier(hasFix, bridgeTier, hubTier) {
    var bridge = Number(bridgeTier)
    if (!hasFix || !(bridge > 0))
        return 0
    if (typeof hubTier === "number" && isFinite(hubTier) && hubTier > 0)
        return hubTier
    return bridge
}

// A number from a field, or NaN for a missing, empty or non-numeric one.
function numberOf(v) {
    if (typeof v === "number")
        return v
    if (typeof v === "string" && v.trim().length > 0)
        return Number(v)
    return NaN
}

// A value with the given decimals, or "—" when its layer is not live or it is missing,
// null or not a number.
function valueText(v, decimals, tier, needTier) {
    if (tier < needTier)
        return dash
    var n = numberOf(v)
    if (!isFinite(n))
        return dash
    return n.toFixed(decimals)
}

// A text field (a status), or "—" when its layer is not live or it is empty.
function textValue(v, tier, needTier) {
    if (tier < needTier || v === undefined || v === null)
        return dash
    var s = String(v)
    return s.length > 0 ? s : dash
}

// Height of the tiles of a card: rows of tiles share what the card's header and padding
// (56 pixels) leave, with 6 pixels between rows, but never below 34.
var cardChrome = 56
var rowGap = 6
var minTileHeight = 34

function tileHeight(cardHeight, rows) {
    if (cardHeight <= cardChrome || rows < 1)
        return minTileHeight
    return Math.max(minTileHeight, (cardHeight - cardChrome - rowGap * (rows - 1)) / rows)
}

// A tile lower than the chrome uses its dense style (a smaller value font).
function isDense(height) {
    return height < cardChrome
}

// The packet error tile: "—" while not connected; the error count and, once packets have
// arrived, the error rate of all packets (never a division by zero).
function errorRateText(connected, errors, packets) {
    if (!connected)
        return dash
    var e = Math.max(0, Math.floor(Number(errors) || 0))
    var p = Number(packets) || 0
    if (p <= 0)
        return e + " pkt · " + dash
    return e + " pkt · " + (100 * e / p).toFixed(2) + " %"
}

// Chart windows offered, in seconds; a stored window that is not offered shows as 16 s.
var windowSeconds = [8, 16, 30, 60, 120]
var defaultWindowIndex = 1

function windowIndex(storedSeconds) {
    var i = windowSeconds.indexOf(Number(storedSeconds))
    return i >= 0 ? i : defaultWindowIndex
}

function windowLabel(seconds) {
    return seconds + " s"
}

// The sampling rate after "采样频率": the measured rate once there is one, else the
// device's packet rate, else "随帧" while sampling or "—"; then what the charts do.
function rateText(measured, packetFre, sampling) {
    var rate
    if (measured >= 0)
        rate = Math.round(measured) + " Hz"
    else if (Number(packetFre) > 0)
        rate = Number(packetFre) + " Hz"
    else
        rate = sampling ? qsTranslate("Telemetry", "随帧") : dash
    return (sampling ? qsTranslate("Telemetry", "%1 · 随帧实时采样")
                     : qsTranslate("Telemetry", "%1 · 等待数据流")).arg(rate)
}
