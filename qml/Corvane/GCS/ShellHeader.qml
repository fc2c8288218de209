import QtQuick
import QtQuick.Controls
import Corvane.GCS

// The window's own title bar: brand, clock, the motion, theme and language switches and the
// caption buttons. Dragging the free area moves the window; a double click toggles maximised.
Rectangle {
    id: header

    // The main window; the header calls its tier and theme functions.
    required property var shell

    property alias themeBox: themeBox
    property alias reduceMotionBox: reduceMotionBox
    property alias languageBox: languageBox
    // The clock needs a window of at least 820 and room between brand and switches.
    readonly property bool clockShown: width >= 820
                                       && clock.freeRight - clock.freeLeft >= clock.width

    height: Theme.headerHeight
    color: Theme.panel
    Behavior on color { ColorAnimation { duration: Theme.colorDuration } }

    Rectangle {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        height: 1
        color: Theme.border
    }

    // Free area: moves the window, double click toggles between full and medium. The
    // move is handed to the window system once the pointer travels past the drag
    // threshold, so a double click still arrives here as one.
    MouseArea {
        id: dragArea
        objectName: "headerDragArea"
        anchors.fill: parent
        property point pressedAt: Qt.point(0, 0)
        onPressed: (mouse) => pressedAt = Qt.point(mouse.x, mouse.y)
        onPositionChanged: (mouse) => {
            var travel = Math.max(Math.abs(mouse.x - pressedAt.x), Math.abs(mouse.y - pressedAt.y))
            if (pressed && travel >= Qt.styleHints.startDragDistance)
                header.shell.startSystemMove()
        }
        onDoubleClicked: header.shell.toggleMaximized()
    }

    FontMetrics {
        id: headerMetrics
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontLabel
    }

    Row {
        id: brand
        x: Theme.shellMargin
        // Wider where the product's name needs it (longer words than the Chinese).
        width: Math.max(Theme.navWidth, 46 + productName.implicitWidth)
        anchors.verticalCenter: parent.verticalCenter
        spacing: 10
        Image {
            objectName: "brandMark"
            width: 36
            height: 36
            source: "qrc:/Corvane/GCS/assets/brand-mark.png"
            sourceSize { width: 72; height: 72 }
            smooth: true
            mipmap: true
        }
        Column {
            anchors.verticalCenter: parent.verticalCenter
            width: brand.width - 46
            Text {
                text: "TelvoMonitor"
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontTitle
                font.bold: true
                color: Theme.text
            }
            Text {
                id: productName
                text: (app.language, app.products.displayName(app.products.currentProductId))
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontCaption - 1
                color: Theme.muted
                elide: Text.ElideRight
            }
        }
    }

    HeaderClock {
        id: clock
        objectName: "headerClock"
        // Centred in the window, or between brand and switches when the middle is taken;
        // hidden on narrow windows and wherever it would touch its neighbours.
        readonly property real freeLeft: brand.x + brand.width + 12
        readonly property real freeRight: tools.x - 12
        x: Math.max(freeLeft, Math.min((header.width - width) / 2, freeRight - width))
        anchors.verticalCenter: parent.verticalCenter
        visible: header.clockShown
        timeText: header.shell.headerClockTime
        dateText: header.shell.headerClockDate
        weekText: header.shell.headerClockWeek
    }

    Row {
        id: tools
        anchors.right: captions.left
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        spacing: 12

        GCheckBox {
            id: reduceMotionBox
            objectName: "reduceMotionBox"
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("减少动效")
            toolTipText: qsTr("关闭背景动画与界面过渡动效")
            checked: Theme.reduceMotion
            onToggled: header.shell.setReduceMotion(checked)
        }

        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("主题")
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontLabel
            color: Theme.muted
        }

        GComboBox {
            id: themeBox
            objectName: "themeBox"
            anchors.verticalCenter: parent.verticalCenter
            model: Theme.themeNames
            labelFor: Theme.themeLabel
            // The longest name whole, in the language shown.
            width: Math.max(132, 44 + Math.max(...Theme.themeNames.map(function (name) {
                return app.language, headerMetrics.advanceWidth(Theme.themeLabel(name))
            })))
            accessibleLabel: qsTr("主题")
            onCurrentIndexChanged: header.shell.themeBoxChosen(currentIndex)
        }

        // Named in both languages, so that it is found whichever one is shown.
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: "语言 / Language"
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontLabel
            color: Theme.muted
        }

        GComboBox {
            id: languageBox
            objectName: "languageBox"

            function indexOfLanguage() { return app.language === "en" ? 1 : 0 }

            anchors.verticalCenter: parent.verticalCenter
            width: 104
            // Each language by its own name, whichever one is in force.
            model: ["zh_CN", "en"]
            labelFor: function (code) { return code === "en" ? "English" : "中文" }
            accessibleLabel: "语言 / Language"
            toolTipText: qsTr("界面语言，选择后立即生效")
            currentIndex: indexOfLanguage()
            onActivated: (index) => {
                app.language = model[index]
                // Choosing undid the binding; the box follows the stored language again.
                currentIndex = Qt.binding(indexOfLanguage)
            }
        }
    }

    Row {
        id: captions
        anchors.right: parent.right
        anchors.top: parent.top
        CaptionButton {
            objectName: "minimizeButton"
            glyph: "minimize"
            onClicked: header.shell.showMinimized()
        }
        CaptionButton {
            objectName: "maximizeButton"
            glyph: header.shell.maximized ? "restore" : "maximize"
            onClicked: header.shell.toggleMaximized()
        }
        CaptionButton {
            objectName: "closeButton"
            glyph: "close"
            onClicked: header.shell.close()
        }
    }
}
