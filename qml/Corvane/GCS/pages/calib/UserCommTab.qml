import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane.GCS
import "CalibLogic.js" as Logic

// User scope, "通信与轴向": firmware version, installation axes, serial port 1, GNSS
// heading and extrapolation, and the one place where the user settings are read back
// together and saved to flash.
CalibPane {
    id: tab

    readonly property var interfaces: ["232", "422"]
    readonly property var rates: ["0", "1", "5", "10", "50", "100", "200"]
    readonly property var formats: ["imuasc", "imubin", "ahrsasc", "ahrsbin", "sinsasc",
                                    "sinsbin"]
    property var baudRates: app.serialBaudRates

    // The installation axes as the boxes show them; always an allowed combination.
    property string axisX: "x"
    property string axisY: "y"
    property string axisZ: "z"
    readonly property var yChoices: Logic.allowedY(axisX)
    readonly property var zChoices: Logic.allowedZ(axisX, axisY)
    readonly property bool axesValid: Logic.isValidTriple(axisX, axisY, axisZ)

    // The user changed these boxes since they last showed the unit's values; a reply to
    // some other query then leaves them alone.
    property bool serialEdited: false
    property bool axesEdited: false
    property string appliedSerial: ""
    property string appliedAxis: ""

    readonly property string serialReadback: {
        var c = app.ins.serialConfig
        if (!c || Logic.isMissing(c.serialType))
            return Logic.missingText
        return c.serialType + " · " + c.baudRate + " · " + c.packetFre + " Hz · "
               + (Logic.isMissing(c.packetFormat) ? Logic.missingText : c.packetFormat)
    }

    property alias axisXBox: axisXBox
    property alias axisYBox: axisYBox
    property alias axisZBox: axisZBox
    property alias interfaceBox: interfaceBox
    property alias baudBox: baudBox
    property alias rateBox: rateBox
    property alias formatBox: formatBox
    property alias gnssField: gnssField
    property alias extrapField: extrapField
    property alias setAxisButton: setAxisButton
    property alias saveConfirm: saveConfirm

    // The bridge starts these numbers at 0; until the unit answered they are no value.
    function reported(name) {
        return app.insConfigReported.indexOf(name) >= 0
    }

    // ---- installation axes -------------------------------------------------------------

    function applyAxes(x, y, z) {
        var t = Logic.enforceAxes(x, y, z)
        axisX = t[0]
        axisY = t[1]
        axisZ = t[2]
        axisXBox.currentIndex = Logic.axisTokens.indexOf(axisX)
        axisYBox.currentIndex = yChoices.indexOf(axisY)
        axisZBox.currentIndex = zChoices.indexOf(axisZ)
    }

    function setAxes() {
        if (!axesValid)
            return false
        axesEdited = false
        return app.sendCommandArgs("set_axis", [axisX, axisY, axisZ])
    }

    // ---- serial port 1 -------------------------------------------------------------------

    function isCustomBaud(rate) {
        return app.isCustomSerialBaud(Number(rate))
    }

    function baudIndexFor(rate) {
        for (var i = 0; i < baudRates.length; ++i) {
            if (Number(baudRates[i]) === Number(rate))
                return i
        }
        return -1
    }

    function selectBaud(rate) {
        var i = baudIndexFor(rate)
        if (i >= 0)
            baudBox.currentIndex = i
    }

    function selectedBaud() {
        return baudBox.currentIndex >= 0 ? String(baudRates[baudBox.currentIndex]) : ""
    }

    function removeCustomBaud(rate) {
        var selected = selectedBaud()
        if (!app.removeCustomSerialBaud(Number(rate)))
            return
        if (Number(selected) === Number(rate))
            selectBaud(115200)
        else
            selectBaud(selected)
    }

    function com1Args() {
        return [interfaces[interfaceBox.currentIndex], selectedBaud(), rates[rateBox.currentIndex],
                formats[formatBox.currentIndex]]
    }

    function setCom1() {
        serialEdited = false
        return app.sendCommandArgs("set_com1", com1Args())
    }

    function readCom1() {
        serialEdited = false
        return app.sendCommand("get_com1")
    }

    // ---- read-back ----------------------------------------------------------------------

    // Boxes follow what the unit reports: each serial box only when the value is listed,
    // the axis boxes when three tokens came back (else the defaults, under the rules).
    function syncFromReadback() {
        var c = app.ins.serialConfig || ({})
        var serialKey = JSON.stringify(c)
        if (!serialEdited || serialKey !== appliedSerial) {
            var i = interfaces.indexOf(String(c.serialType))
            if (i >= 0)
                interfaceBox.currentIndex = i
            if (c.baudRate !== undefined)
                selectBaud(c.baudRate)
            i = rates.indexOf(String(c.packetFre))
            if (i >= 0)
                rateBox.currentIndex = i
            i = formats.indexOf(String(c.packetFormat))
            if (i >= 0)
                formatBox.currentIndex = i
            appliedSerial = serialKey
            serialEdited = false
        }
        var axisText = app.ins.axis
        if (!axesEdited || axisText !== appliedAxis) {
            var t = Logic.axisFromText(axisText)
            if (t)
                applyAxes(t[0], t[1], t[2])
            else
                applyAxes(axisX, axisY, axisZ)
            appliedAxis = axisText
            axesEdited = false
        }
    }

    function readUserConfig() {
        serialEdited = false
        axesEdited = false
        app.readInsUserConfig()
    }

    Connections {
        target: app.ins
        function onConfigChanged() { tab.syncFromReadback() }
    }
    Connections {
        target: app
        function onSerialBaudRatesChanged() {
            var keep = tab.selectedBaud()
            tab.baudRates = app.serialBaudRates
            if (tab.baudIndexFor(keep) >= 0)
                tab.selectBaud(keep)
            else
                tab.selectBaud(115200)
        }
    }

    Component.onCompleted: {
        interfaceBox.currentIndex = interfaces.indexOf("422")
        selectBaud(115200)
        rateBox.currentIndex = rates.indexOf("200")
        formatBox.currentIndex = formats.indexOf("sinsbin")
        syncFromReadback()
    }

    // ---- cards ----------------------------------------------------------------------------

    CardColumn {
        CalibCard {
            objectName: "cardSoftver"
            title: qsTr("设备回读")
            subtitle: qsTr("固件版本")
            RowLayout {
                spacing: 10
                ReadbackChip {
                    objectName: "softverReadback"
                    Layout.fillWidth: true
                    label: qsTr("固件版本")
                    value: Logic.isMissing(app.ins.softver) ? Logic.missingText
                                                            : String(app.ins.softver).trim()
                }
                GButton {
                    objectName: "readSoftverButton"
                    text: qsTr("读版本")
                    onClicked: app.sendCommand("get_softver")
                }
            }
        }

        CalibCard {
            objectName: "cardCom1"
            title: qsTr("串口1 通信")
            subtitle: qsTr("唯一编辑区 · 设后页底保存 Flash")
            GridLayout {
                Layout.fillWidth: true
                columns: 2
                columnSpacing: 8
                rowSpacing: 8
                LabeledField {
                    label: qsTr("接口")
                    GComboBox {
                        id: interfaceBox
                        objectName: "interfaceBox"
                        Layout.fillWidth: true
                        model: tab.interfaces
                        onActivated: tab.serialEdited = true
                    }
                }
                LabeledField {
                    label: qsTr("波特率")
                    GComboBox {
                        id: baudBox
                        objectName: "com1BaudBox"
                        Layout.fillWidth: true
                        model: tab.baudRates
                        labelFor: function (rate) {
                            return tab.isCustomBaud(rate) ? qsTr("%1（自定义）").arg(rate) : String(rate)
                        }
                        removableFor: function (rate) { return tab.isCustomBaud(rate) }
                        onRemoveRequested: (rate) => tab.removeCustomBaud(rate)
                        onActivated: tab.serialEdited = true
                    }
                }
                LabeledField {
                    label: qsTr("频率 (Hz)")
                    GComboBox {
                        id: rateBox
                        objectName: "rateBox"
                        Layout.fillWidth: true
                        model: tab.rates
                        onActivated: tab.serialEdited = true
                    }
                }
                LabeledField {
                    label: qsTr("格式")
                    GComboBox {
                        id: formatBox
                        objectName: "formatBox"
                        Layout.fillWidth: true
                        model: tab.formats
                        onActivated: tab.serialEdited = true
                    }
                }
            }
            ReadbackChip {
                objectName: "com1Readback"
                Layout.fillWidth: true
                label: qsTr("回读")
                value: tab.serialReadback
            }
            ButtonRow {
                GButton {
                    objectName: "readCom1Button"
                    text: qsTr("读串口1")
                    onClicked: tab.readCom1()
                }
                GButton {
                    objectName: "setCom1Button"
                    text: qsTr("设串口1")
                    kind: "primary"
                    enabled: tab.selectedBaud().length > 0
                    onClicked: tab.setCom1()
                }
            }
        }

    }

    CardColumn {
        CalibCard {
            objectName: "cardAxis"
            title: qsTr("安装轴向")
            RowLayout {
                spacing: 8
                LabeledField {
                    label: "X"
                    accessibleName: qsTr("安装轴向") + " X"
                    GComboBox {
                        id: axisXBox
                        objectName: "axisXBox"
                        Layout.fillWidth: true
                        model: Logic.axisTokens
                        onActivated: (index) => {
                            tab.axesEdited = true
                            tab.applyAxes(Logic.axisTokens[index], tab.axisY, tab.axisZ)
                        }
                    }
                }
                LabeledField {
                    label: "Y"
                    accessibleName: qsTr("安装轴向") + " Y"
                    GComboBox {
                        id: axisYBox
                        objectName: "axisYBox"
                        Layout.fillWidth: true
                        model: tab.yChoices
                        onActivated: (index) => {
                            tab.axesEdited = true
                            tab.applyAxes(tab.axisX, tab.yChoices[index], tab.axisZ)
                        }
                    }
                }
                LabeledField {
                    label: "Z"
                    accessibleName: qsTr("安装轴向") + " Z"
                    GComboBox {
                        id: axisZBox
                        objectName: "axisZBox"
                        Layout.fillWidth: true
                        model: tab.zChoices
                        onActivated: (index) => {
                            tab.axesEdited = true
                            tab.applyAxes(tab.axisX, tab.axisY, tab.zChoices[index])
                        }
                    }
                }
            }
            NoteText {
                text: qsTr("X/Y/Z 须各对应不同机体轴（x、y、z），且满足右手定则；不符合时无法下发设轴向。")
            }
            ReadbackChip {
                objectName: "axisReadback"
                Layout.fillWidth: true
                label: qsTr("回读")
                value: Logic.isMissing(app.ins.axis) ? Logic.missingText : String(app.ins.axis).trim()
            }
            ButtonRow {
                GButton {
                    objectName: "readAxisButton"
                    text: qsTr("读轴向")
                    onClicked: {
                        tab.axesEdited = false
                        app.sendCommand("get_axis")
                    }
                }
                GButton {
                    id: setAxisButton
                    objectName: "setAxisButton"
                    text: qsTr("设轴向")
                    kind: "primary"
                    enabled: tab.axesValid
                    toolTipText: tab.axesValid ? "" : qsTr("当前组合不符合右手系或存在重复机体轴")
                    onClicked: tab.setAxes()
                }
            }
        }

        CalibCard {
            objectName: "cardGnss"
            title: qsTr("GNSS 与外插")
            GridLayout {
                Layout.fillWidth: true
                columns: 2
                columnSpacing: 8
                rowSpacing: 8
                LabeledField {
                    label: qsTr("GNSS 航向补偿")
                    NumberField {
                        id: gnssField
                        objectName: "gnssField"
                        placeholderText: qsTr("度")
                    }
                }
                ReadbackChip {
                    objectName: "gnssReadback"
                    Layout.alignment: Qt.AlignBottom
                    Layout.preferredWidth: 130
                    label: qsTr("回读")
                    value: tab.reported("gnssYaw") ? Logic.readback(app.ins.gnssYaw, "°")
                                                   : Logic.missingText
                }
                LabeledField {
                    label: qsTr("外插时间")
                    NumberField {
                        id: extrapField
                        objectName: "extrapField"
                        placeholderText: qsTr("毫秒")
                    }
                }
                ReadbackChip {
                    objectName: "extrapReadback"
                    Layout.alignment: Qt.AlignBottom
                    Layout.preferredWidth: 130
                    label: qsTr("回读")
                    value: tab.reported("extrapMs") ? Logic.readback(app.ins.extrapMs, " ms")
                                                    : Logic.missingText
                }
            }
            ButtonRow {
                GButton {
                    objectName: "readGnssButton"
                    text: qsTr("读 GNSS")
                    onClicked: app.sendCommand("get_gnss")
                }
                GButton {
                    objectName: "setGnssButton"
                    text: qsTr("设 GNSS")
                    enabled: gnssField.value.length > 0 && gnssField.acceptableInput
                    onClicked: app.sendCommandArgs("set_gnss", [gnssField.value])
                }
                GButton {
                    objectName: "readExtrapButton"
                    text: qsTr("读外插")
                    onClicked: app.sendCommand("get_extrap_time")
                }
                GButton {
                    objectName: "setExtrapButton"
                    text: qsTr("设外插")
                    enabled: extrapField.value.length > 0 && extrapField.acceptableInput
                    onClicked: app.sendCommandArgs("set_extrap_time", [extrapField.value])
                }
            }
        }

    }

    CalibCard {
        objectName: "cardReadSave"
        title: qsTr("读回与保存")
        Layout.columnSpan: tab.grid.columns
        NoteText {
            text: qsTr("读：串口1、轴向、GNSS、外插等一并回读。存：任意 Tab 改参后在此保存一次即可写入 Flash。")
        }
        ButtonRow {
            GButton {
                objectName: "readUserConfigButton"
                text: qsTr("读用户配置")
                onClicked: tab.readUserConfig()
            }
            GButton {
                objectName: "saveUserConfigButton"
                text: qsTr("保存用户配置")
                kind: "primary"
                onClicked: saveConfirm.open()
            }
        }
    }

    ConfirmDialog {
        id: saveConfirm
        objectName: "saveUserConfirm"
        title: qsTr("保存用户配置")
        message: qsTr("将当前用户参数写入设备 Flash，掉电后仍有效。是否继续？")
        confirmText: qsTr("保存")
        onConfirmed: app.sendCommand("save_config")
    }
}
