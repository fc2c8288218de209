pragma Singleton
import QtQuick

// Colours, fonts, sizes and motion of the shell. One object for the whole window: the
// shell sets themeId and reduceMotion, everything else reads the roles.
QtObject {
    id: theme

    property string themeId: "defense"
    property bool reduceMotion: false

    // Theme box order.
    readonly property var themeIds: ["defense", "polar", "chart", "ephemeris"]
    // The names are the keys stored in the settings; themeLabel() gives the text shown.
    readonly property var themeNames: [QT_TR_NOOP("航天国防蓝"), QT_TR_NOOP("深空星尘银"),
                                       QT_TR_NOOP("极简高亮白"), QT_TR_NOOP("极光深空紫")]

    // Names used by earlier releases, still found in old settings files.
    readonly property var legacyNames: ({
        "国防航天蓝": "defense", "苍蓝深空夜": "defense", "测控标准蓝": "defense",
        "极光深空紫": "ephemeris", "星历墨空": "ephemeris", "星云紫夜": "ephemeris",
        "星云紫月夜": "ephemeris", "测控调试紫": "ephemeris",
        "深空星尘银": "polar", "深空战术银": "polar", "深空银战术": "polar",
        "深空暗黑战术": "polar", "极昼银辉": "polar", "北欧霜夜": "polar",
        "北欧霜青夜": "polar", "测控寒区青": "polar",
        "极简高亮白": "chart", "白昼海图": "chart", "白昼海图色": "chart",
        "测控日间版": "chart"
    })

    readonly property var palettes: ({
        "defense": {
            light: false,
            bg: "#060b14", panel: "#0d1522", panelHi: "#151f30", card: "#101b28",
            input: "#080f1a", border: "#243850", borderHi: "#3a6890",
            accent: "#2a7fd4", accentHi: "#4898e8", accentDim: "#132842",
            text: "#e8f2fa", muted: "#8aa3bc", faint: "#5c758a", value: "#6ec4f0",
            warn: "#d4a843", danger: "#dc5648", accentText: "#f2f8fc",
            linkOk: "#5dffb8", linkOkStrong: "#2ee59a"
        },
        // Graphite and brushed silver with a cold steel-cyan accent.
        "polar": {
            light: false,
            bg: "#0a0d11", panel: "#13171d", panelHi: "#1c2129", card: "#171b22",
            input: "#0d1015", border: "#2d343e", borderHi: "#56626f",
            accent: "#3f8fb8", accentHi: "#66acd0", accentDim: "#17303e",
            text: "#eceff3", muted: "#a0aab5", faint: "#6c7782", value: "#9fd3ee",
            warn: "#d9ab4a", danger: "#e05a4f", accentText: "#f4f8fb",
            linkOk: "#62f2c0", linkOkStrong: "#33d99e"
        },
        // The one light theme: paper white panels on a cool grey desk, ink-blue accent.
        "chart": {
            light: true,
            bg: "#e9eef3", panel: "#ffffff", panelHi: "#f2f5f8", card: "#ffffff",
            input: "#f6f8fa", border: "#cfd8e2", borderHi: "#8fa4ba",
            accent: "#1f6fc2", accentHi: "#2d83d9", accentDim: "#dbe8f6",
            text: "#152130", muted: "#4f5e6e", faint: "#7a8896", value: "#0b5ea6",
            warn: "#9a6400", danger: "#c4362a", accentText: "#ffffff",
            linkOk: "#0f9d63", linkOkStrong: "#0a8052"
        },
        // Deep violet night with an aurora-green value ink.
        "ephemeris": {
            light: false,
            bg: "#0a0814", panel: "#131026", panelHi: "#1c1734", card: "#17122c",
            input: "#0c0a19", border: "#2f2852", borderHi: "#5b4b98",
            accent: "#7459d8", accentHi: "#9680ee", accentDim: "#251c4a",
            text: "#efebfa", muted: "#a79ec6", faint: "#6f6792", value: "#7fe3d6",
            warn: "#e0b04a", danger: "#e35d6a", accentText: "#f8f6ff",
            linkOk: "#6dffc4", linkOkStrong: "#3ae6a4"
        }
    })

    readonly property var current: palettes[themeId] !== undefined ? palettes[themeId]
                                                                    : palettes["defense"]

    readonly property bool light: current.light
    readonly property color bg: current.bg
    readonly property color panel: current.panel
    readonly property color panelHi: current.panelHi
    readonly property color card: current.card
    readonly property color input: current.input
    readonly property color border: current.border
    readonly property color borderHi: current.borderHi
    readonly property color accent: current.accent
    readonly property color accentHi: current.accentHi
    readonly property color accentDim: current.accentDim
    readonly property color text: current.text
    readonly property color muted: current.muted
    readonly property color faint: current.faint
    readonly property color value: current.value
    readonly property color warn: current.warn
    readonly property color danger: current.danger
    readonly property color accentText: current.accentText
    readonly property color linkOk: current.linkOk
    readonly property color linkOkStrong: current.linkOkStrong
    // The keyboard focus ring: the bright accent on dark themes, the deep one on the light.
    readonly property color focusRing: light ? current.accent : current.accentHi
    // Inks of the line icons: the plain one that suits this theme's background, and its
    // highlight for the selected entry.
    readonly property string iconInk: light ? "dark" : "light"
    readonly property string iconAccentInk: "accent-" + (palettes[themeId] !== undefined
                                                         ? themeId : "defense")

    // Layout.
    readonly property int headerHeight: 48
    readonly property int navWidth: 232
    readonly property int shellMargin: 12
    readonly property int footerHeight: 32
    readonly property int controlHeight: 32
    readonly property int pageInset: 16
    readonly property int radius: 8
    readonly property int radiusSmall: 6
    readonly property int titleBarHeight: 40

    // Motion; everything stands still when the user asks for less of it.
    readonly property int colorDuration: reduceMotion ? 0 : 260
    readonly property int fastDuration: reduceMotion ? 0 : 140
    readonly property int uiDuration: reduceMotion ? 0 : 120
    // The drift of the backdrop and the star field moves one step a second, with the
    // header clock, so that it draws no frame of its own; it stands still with reduced
    // motion and while the window is minimised or hidden.
    property int ambientStep: 0
    property bool windowShown: true
    readonly property bool ambientRunning: !reduceMotion && windowShown

    // Fonts: the first family of each list that this computer has. On Linux the Noto CJK
    // faces carry the Chinese texts.
    readonly property var uiFamilies: ["Microsoft YaHei UI", "Microsoft YaHei",
                                       "Noto Sans CJK SC", "Source Han Sans SC"]
    readonly property var monoFamilies: ["Consolas", "Sarasa Mono SC", "Noto Sans Mono CJK SC",
                                         "monospace"]
    readonly property string fontFamily: firstInstalled(uiFamilies)
    readonly property string monoFamily: firstInstalled(monoFamilies)
    readonly property int fontTitle: 16
    readonly property int fontBody: 14
    readonly property int fontLabel: 13
    readonly property int fontCaption: 12
    readonly property int fontData: 22
    readonly property int fontDataSmall: 18
    readonly property int fontCode: 13

    function firstInstalled(families) {
        var installed = Qt.fontFamilies()
        for (var i = 0; i < families.length; ++i) {
            if (installed.indexOf(families[i]) >= 0)
                return families[i]
        }
        // Nothing listed is installed: the last entry is a generic name the platform maps.
        return families[families.length - 1]
    }

    // Theme id for a stored key: an id, a current display name or an older display name.
    function normalize(key) {
        var k = key === undefined || key === null ? "" : String(key)
        if (k.length === 0)
            return "defense"
        if (themeIds.indexOf(k) >= 0)
            return k
        var byName = themeNames.indexOf(k)
        if (byName >= 0)
            return themeIds[byName]
        if (legacyNames[k] !== undefined)
            return legacyNames[k]
        return "defense"
    }

    function apply(key) {
        themeId = normalize(key)
    }

    function indexOfTheme(id) {
        return themeIds.indexOf(id)
    }

    // The shown name of a theme, in the language of the window.
    function displayName(id) {
        var i = themeIds.indexOf(id)
        return i >= 0 ? themeLabel(themeNames[i]) : ""
    }

    // The shown text of an entry of themeNames (a theme box's labelFor).
    function themeLabel(name) {
        return qsTr(name)
    }

    // A colour with the given opacity, for tints over the panels.
    function alpha(c, a) {
        return Qt.rgba(c.r, c.g, c.b, a)
    }
}
