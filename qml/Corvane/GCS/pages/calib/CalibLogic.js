.pragma library

// Rules of the configuration page that do not depend on its items: how read-back values
// are shown, the installation-axis rules and the factory record.

var axisTokens = ["x", "-x", "y", "-y", "z", "-z"]
var missingText = "—"

function isMissing(v) {
    if (v === undefined || v === null)
        return true
    var s = String(v).trim()
    return s.length === 0 || s === "undefined" || s === "NaN"
}

// A number (or a text that is one) with up to `decimals` decimals, trailing zeros and a
// trailing point removed, never in exponent form. Other texts stay as they are.
function formatNumber(v, decimals) {
    if (isMissing(v))
        return ""
    var d = decimals === undefined ? 12 : decimals
    var s = String(v).trim()
    var n = Number(s)
    if (typeof v !== "number" && (s.length === 0 || isNaN(n)))
        return s
    if (!isFinite(n))
        return s
    var out = n.toFixed(d)
    // toFixed only falls back to an exponent from 1e21 on; write those digits out.
    if (out.indexOf("e") >= 0)
        out = n.toLocaleString(Qt.locale("C"), "f", 0)
    if (out.indexOf(".") >= 0)
        out = out.replace(/0+$/, "").replace(/\.$/, "")
    if (out === "-0")
        out = "0"
    return out
}

// Read-back label text: "—" for a missing value, else the number with its unit.
function readback(v, unit, decimals) {
    if (isMissing(v))
        return missingText
    return formatNumber(v, decimals) + (unit === undefined ? "" : unit)
}

// Input field text of a read-back value: empty for a missing value.
function fieldText(v, decimals) {
    return isMissing(v) ? "" : formatNumber(v, decimals)
}

// ---- installation axes --------------------------------------------------------------

function unitVector(token) {
    var i = axisTokens.indexOf(String(token))
    if (i < 0)
        return null
    var v = [0, 0, 0]
    v[Math.floor(i / 2)] = i % 2 === 0 ? 1 : -1
    return v
}

// Three different body axes, right-handed: X × Y = Z.
function isValidTriple(x, y, z) {
    var a = unitVector(x), b = unitVector(y), c = unitVector(z)
    if (!a || !b || !c)
        return false
    var cross = [a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]]
    return cross[0] === c[0] && cross[1] === c[1] && cross[2] === c[2]
}

function allowedZ(x, y) {
    return axisTokens.filter(function (z) { return isValidTriple(x, y, z) })
}

// Y tokens for which some Z makes the triple valid.
function allowedY(x) {
    return axisTokens.filter(function (y) { return allowedZ(x, y).length > 0 })
}

function pick(allowed, current) {
    return allowed.indexOf(current) >= 0 ? current : allowed[0]
}

// The triple with Y and Z forced to allowed tokens, keeping each where it is allowed.
function enforceAxes(x, y, z) {
    var xx = axisTokens.indexOf(x) >= 0 ? x : "x"
    var yy = pick(allowedY(xx), y)
    var zz = pick(allowedZ(xx, yy), z)
    return [xx, yy, zz]
}

// The three tokens of an axis read-back text, or null with fewer than three.
function axisFromText(text) {
    if (isMissing(text))
        return null
    var parts = String(text).trim().split(/\s+/)
    return parts.length >= 3 ? [parts[0], parts[1], parts[2]] : null
}

// ---- factory record -----------------------------------------------------------------

// Field keys in the order of "set factory"; null entries are the fixed diagonal of the
// cross-coupling matrix.
var factoryOrder = ["sn", "t2x", "t1x", "kggx", "t2y", "t1y", "kggy", "t2z", "t1z", "kggz",
                    "biasx", "biasy", "biasz",
                    null, "kg1xy", "kg1xz", "kg1yx", null, "kg1yz", "kg1zx", "kg1zy", null]

// The 22 values of "set factory" from a map of field texts, trimmed; empty fields stay
// empty between their commas.
function factoryValues(fields) {
    return factoryOrder.map(function (key) {
        if (key === null)
            return "1.0"
        var v = fields[key]
        return v === undefined || v === null ? "" : String(v).trim()
    })
}

function factorySentence(fields) {
    return "#vorn,set factory," + factoryValues(fields).join(",") + "*ff"
}

// Keys of the factory fields that are empty or not a finite number ("Infinity" and
// "1e400" are numbers to JavaScript, not to the unit).
function factoryProblems(fields) {
    var out = []
    for (var i = 0; i < factoryOrder.length; ++i) {
        var key = factoryOrder[i]
        if (key === null)
            continue
        var v = fields[key] === undefined || fields[key] === null ? "" : String(fields[key]).trim()
        if (v.length === 0 || !isFinite(Number(v)))
            out.push(key)
    }
    return out
}
