import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane.GCS

// Adds a device to the managed list or edits the serial link of one: category, model,
// port and baud, with the user's own baud rates and port detection. The port box also
// takes a typed port name or path (pseudo-terminals and some adapters are not listed by
// the platform); a typed port is used exactly like a listed one. The dialog never puts a
// port that is gone into the box by itself: editing a device whose port is gone, or
// refreshing the list (after which only listed ports stay), must not save a port that
// is not there without the user typing it. Return saves (unless the focus is on a button,
// which Return presses, or in the custom baud field, where it adds the rate); Escape
// cancels.
Popup {
    id: dialog

    // Empty when adding; the managed device's id when editing.
    property string editDeviceId: ""
    readonly property bool editMode: editDeviceId.length > 0
    readonly property string activeTransport: "serial"

    signal deviceAdded()
    signal deviceUpdated()
    signal editSaveLinkConfirmRequested(string message)

    readonly property var fallbackBauds: [9600, 19200, 115200, 230400, 380400, 460800]
    // The lists are taken over by hand when the controller changes them, so the choice
    // (or the typed port) survives: a combo box given a new model forgets its selection.
    property var baudRates: []
    property var portList: []
    Component.onCompleted: {
        baudRates = currentBaudRates()
        portList = typeof app !== "undefined" && app ? app.serialPorts.slice() : []
    }

    function currentBaudRates() {
        return typeof app !== "undefined" && app ? app.serialBaudRates : fallbackBauds
    }
    readonly property var categoryIds: app.products.productCategoryIds
    readonly property string categoryId: categoryBox.currentIndex >= 0
                                         && categoryBox.currentIndex < categoryIds.length
                                         ? categoryIds[categoryBox.currentIndex] : ""
    readonly property var modelIds: categoryId.length > 0 ? app.products.deviceModelIds(categoryId)
                                                          : []
    readonly property string modelId: modelBox.currentIndex >= 0
                                      && modelBox.currentIndex < modelIds.length
                                      ? modelIds[modelBox.currentIndex] : ""
    readonly property int baud: baudBox.currentIndex >= 0 && baudBox.currentIndex < baudRates.length
                                ? Number(baudRates[baudBox.currentIndex]) : 115200

    // The edited device's port when the platform no longer lists it.
    property string missingPort: ""

    property alias portBox: portBox
    property alias baudBox: baudBox
    property alias customBaudField: customBaudField

    parent: Overlay.overlay
    anchors.centerIn: parent
    width: 580
    modal: true
    focus: true
    padding: 0
    closePolicy: Popup.CloseOnEscape

    Overlay.modal: Rectangle { color: Theme.alpha("#000000", Theme.light ? 0.25 : 0.5) }

    // ---- opening ---------------------------------------------------------------------

    function openForAdd() {
        editDeviceId = ""
        customBaudField.text = ""
        categoryBox.currentIndex = categoryIds.length > 0 ? 0 : -1
        selectModel(app.products.defaultDeviceModelId())
        refreshPortList(false)
        selectBaud(115200)
        open()
    }

    function openForEdit(id) {
        editDeviceId = id
        customBaudField.text = ""
        var model = app.managedDevices.entryDeviceModelId(id)
        var category = app.products.deviceModelCategoryId(model)
        var categoryIndex = categoryIds.indexOf(category)
        categoryBox.currentIndex = categoryIndex >= 0 ? categoryIndex
                                                      : (categoryIds.length > 0 ? 0 : -1)
        selectModel(model)
        app.refreshPorts(false)
        // A port that is there but not listed (a pseudo-terminal) stays as typed.
        var port = firstWord(app.managedDevices.entryPort(id))
        var present = app.serialPortPresent(port)
        selectPortName(port, present)
        missingPort = present ? "" : port
        selectBaud(app.managedDevices.entryBaud(id))
        open()
    }

    onClosed: {
        editDeviceId = ""
        missingPort = ""
    }
    readonly property FocusReturn focusReturn: FocusReturn { popup: dialog }

    // ---- selections ------------------------------------------------------------------

    function firstWord(text) {
        var t = String(text).trim()
        var blank = t.search(/\s/)
        return blank < 0 ? t : t.substring(0, blank)
    }

    // The port text handed to the controller: the chosen entry or what was typed.
    function portText() {
        return String(portBox.editText).trim()
    }

    function portName() {
        return firstWord(portText())
    }

    function listedPortIndex(name) {
        var ports = portList
        for (var i = 0; i < ports.length; ++i) {
            if (firstWord(ports[i]) === name)
                return i
        }
        return -1
    }

    // Selects the listed port with that name. A port that is not listed leaves the list
    // unselected; keepTyped then keeps the name in the text so it is not lost.
    function selectPortName(name, keepTyped) {
        var index = name.length > 0 ? listedPortIndex(name) : -1
        portBox.currentIndex = index
        portBox.editText = index >= 0 ? portList[index] : (keepTyped ? name : "")
    }

    // The chosen or typed port stays when the new list has it; otherwise the first port
    // is chosen, so that a port that went away is not saved unnoticed.
    function refreshPortList(notify) {
        var previous = portName()
        app.refreshPorts(notify)
        if (previous.length > 0 && listedPortIndex(previous) >= 0) {
            selectPortName(previous, false)
        } else if (portList.length > 0) {
            portBox.currentIndex = 0
            portBox.editText = portList[0]
        } else {
            portBox.currentIndex = -1
            portBox.editText = ""
        }
    }

    function selectModel(id) {
        var index = modelIds.indexOf(id)
        modelBox.currentIndex = modelIds.length === 0 ? -1 : (index >= 0 ? index : 0)
    }

    function baudIndexFor(rate) {
        for (var i = 0; i < baudRates.length; ++i) {
            if (Number(baudRates[i]) === Number(rate))
                return i
        }
        return 2
    }

    function selectBaud(rate) {
        baudBox.currentIndex = baudIndexFor(rate)
    }

    function isCustomBaud(rate) {
        return app.isCustomSerialBaud(Number(rate))
    }

    function applyDetected(port, rate) {
        // The entry named exactly so wins; an entry that merely begins with the name is
        // taken only when none does, so COM1 never lands on a COM10 listed before it.
        var ports = portList
        var index = listedPortIndex(port)
        for (var i = 0; i < ports.length && index < 0 && port.length > 0; ++i) {
            if (String(ports[i]).indexOf(port) === 0)
                index = i
        }
        var found = index >= 0
        if (found) {
            portBox.currentIndex = index
            portBox.editText = ports[index]
        }
        // A port found by detection but not listed by the platform (a typed one) is
        // written into the box as it was found.
        if (!found && port.length > 0) {
            portBox.currentIndex = -1
            portBox.editText = port
        }
        selectBaud(rate)
    }

    function addCustomBaud() {
        if (!customBaudField.acceptableInput)
            return false
        var rate = parseInt(customBaudField.text, 10)
        if (!app.addCustomSerialBaud(rate))
            return false
        selectBaud(rate)
        customBaudField.text = ""
        return true
    }

    function removeCustomBaud(rate) {
        var selected = baud
        if (!app.removeCustomSerialBaud(Number(rate)))
            return false
        selectBaud(selected === Number(rate) ? 115200 : selected)
        return true
    }

    // ---- saving ----------------------------------------------------------------------

    function save() {
        if (editMode) {
            var label = app.managedDeviceLabel(editDeviceId)
            if (app.managedDeviceLinking(editDeviceId)) {
                editSaveLinkConfirmRequested(qsTr("「%1」正在连接中。\n"
                                                  + "保存将中断当前连接过程，并应用新的连接信息。")
                                             .arg(label))
                return false
            }
            if (app.managedDeviceOnline(editDeviceId)) {
                editSaveLinkConfirmRequested(qsTr("「%1」当前已联机。\n"
                                                  + "保存将先断开连接，再应用新的连接信息。")
                                             .arg(label))
                return false
            }
            return commitEditSave()
        }
        var model = modelId
        if (!app.stageManualSerialConnect(app.products.productIdForDeviceModel(model), "",
                                          portText(), baud, model))
            return false
        close()
        deviceAdded()
        return true
    }

    // Runs the edit once the shell has the user's go-ahead (or none was needed).
    function commitEditSave() {
        if (!editMode)
            return false
        if (!app.updateManagedSerial(editDeviceId, "", portText(), baud, modelId))
            return false
        close()
        deviceUpdated()
        return true
    }

    Connections {
        target: app
        function onSerialBaudRatesChanged() {
            var keep = dialog.baud
            dialog.baudRates = dialog.currentBaudRates()
            dialog.selectBaud(keep)
        }
        function onSerialPortsChanged() {
            var keep = dialog.portText()
            var index = portBox.currentIndex
            dialog.portList = app.serialPorts.slice()
            var name = dialog.firstWord(keep)
            if (index >= 0 && dialog.listedPortIndex(name) >= 0)
                dialog.selectPortName(name, false)
            else {
                portBox.currentIndex = -1
                portBox.editText = keep
            }
        }
        function onDetectPortFinished(ok, port, rate) {
            if (ok && dialog.opened && dialog.activeTransport === "serial")
                dialog.applyDetected(port, rate)
        }
    }

    // ---- layout ----------------------------------------------------------------------

    component FieldLabel: Text {
        Layout.preferredWidth: 72
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontLabel
        color: Theme.muted
    }

    // Disabled controls get no hover, so the explanation sits on a layer above them.
    component HoverTip: MouseArea {
        property string tip: ""
        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.NoButton
        ToolTip.visible: tip.length > 0 && containsMouse
        ToolTip.delay: 500
        ToolTip.text: tip
    }

    background: Rectangle {
        radius: Theme.radius
        color: Theme.panel
        border.width: 1
        border.color: Theme.borderHi
    }

    contentItem: ColumnLayout {
        spacing: 0
        focus: true
        Accessible.role: Accessible.Dialog
        Accessible.name: dialogTitle.text
        Keys.onReturnPressed: dialog.save()
        Keys.onEnterPressed: dialog.save()

        ColumnLayout {
            Layout.fillWidth: true
            Layout.margins: 22
            Layout.bottomMargin: 14
            spacing: 6
            Text {
                id: dialogTitle
                objectName: "dialogTitle"
                text: dialog.editMode ? qsTr("编辑设备连接") : qsTr("手动添加设备")
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontTitle + 2
                font.bold: true
                color: Theme.text
            }
            Text {
                Layout.fillWidth: true
                text: dialog.editMode
                      ? qsTr("修改链路参数；保存后若该设备已联机将先断开，请在总览或工作区重新连接。")
                      : qsTr("选择产品类型与设备型号并配置串口；添加后在「设备总览」查看与管理纳管列表。")
                wrapMode: Text.Wrap
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontCaption
                color: Theme.muted
            }
        }

        Rectangle { Layout.fillWidth: true; height: 1; color: Theme.border }

        GridLayout {
            Layout.fillWidth: true
            Layout.margins: 22
            columns: 2
            columnSpacing: 12
            rowSpacing: 12

            Item { Layout.preferredWidth: 72; implicitHeight: 1 }
            Chip {
                text: qsTr("连接方式：串口（RS232/422）")
                ink: Theme.accentHi
            }

            FieldLabel { text: qsTr("产品类型") }
            Item {
                Layout.fillWidth: true
                implicitHeight: Theme.controlHeight
                GComboBox {
                    id: categoryBox
                    objectName: "categoryBox"
                    accessibleLabel: qsTr("产品类型")
                    anchors.fill: parent
                    enabled: !dialog.editMode
                    model: dialog.categoryIds
                    labelFor: function (id) { return app.products.categoryDisplayName(id) }
                    onActivated: dialog.selectModel(app.products.defaultDeviceModelId())
                }
                HoverTip { tip: dialog.editMode ? qsTr("编辑模式下不可更改产品类型") : "" }
            }

            FieldLabel { text: qsTr("设备型号") }
            Item {
                Layout.fillWidth: true
                implicitHeight: Theme.controlHeight
                GComboBox {
                    id: modelBox
                    objectName: "modelBox"
                    accessibleLabel: qsTr("设备型号")
                    anchors.fill: parent
                    enabled: !dialog.editMode
                    model: dialog.modelIds
                    labelFor: function (id) { return app.products.deviceModelDisplayName(id) }
                }
                HoverTip { tip: dialog.editMode ? qsTr("编辑模式下不可更改设备型号") : "" }
            }

            FieldLabel { text: qsTr("串口") }
            RowLayout {
                Layout.fillWidth: true
                spacing: 8
                GComboBox {
                    id: portBox
                    objectName: "portBox"
                    accessibleLabel: qsTr("串口")
                    Layout.fillWidth: true
                    editable: true
                    model: dialog.portList
                    placeholderText: qsTr("COM3 或 /dev/ttyUSB0")
                    // The box keeps Return for itself; the typed port is taken, then saved.
                    onAccepted: dialog.save()
                }
                GButton {
                    objectName: "refreshPortsButton"
                    text: qsTr("刷新")
                    toolTipText: qsTr("重新扫描本机 COM 口列表")
                    enabled: !app.connecting
                    onClicked: dialog.refreshPortList(true)
                }
            }

            Item {
                Layout.preferredWidth: 72
                implicitHeight: 1
                visible: missingPortText.visible
            }
            Text {
                id: missingPortText
                objectName: "missingPortText"
                Layout.fillWidth: true
                visible: dialog.missingPort.length > 0 && dialog.portText().length === 0
                text: qsTr("原串口 %1 当前不在列表中，请重新选择或手动输入").arg(dialog.missingPort)
                wrapMode: Text.Wrap
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontCaption
                color: Theme.warn
            }

            FieldLabel { text: qsTr("波特率") }
            RowLayout {
                Layout.fillWidth: true
                spacing: 8
                GComboBox {
                    id: baudBox
                    objectName: "baudBox"
                    accessibleLabel: qsTr("波特率")
                    Layout.preferredWidth: 170
                    model: dialog.baudRates
                    labelFor: function (rate) {
                        return dialog.isCustomBaud(rate) ? qsTr("%1（自定义）").arg(rate) : String(rate)
                    }
                    removableFor: function (rate) { return dialog.isCustomBaud(rate) }
                    onRemoveRequested: (rate) => dialog.removeCustomBaud(rate)
                }
                GTextField {
                    id: customBaudField
                    objectName: "customBaudField"
                    Layout.fillWidth: true
                    placeholderText: qsTr("自定义波特率，如 57600")
                    validator: IntValidator { bottom: 300; top: 3000000 }
                    inputMethodHints: Qt.ImhDigitsOnly
                    // Return adds the rate typed; with nothing typed it saves the dialog.
                    function returnKey(event) {
                        event.accepted = text.length > 0
                        if (event.accepted)
                            dialog.addCustomBaud()
                    }
                    Keys.onReturnPressed: (event) => returnKey(event)
                    Keys.onEnterPressed: (event) => returnKey(event)
                }
                GButton {
                    objectName: "addBaudButton"
                    text: qsTr("添加")
                    toolTipText: qsTr("加入下拉列表并参与自动检测（300～3000000，不可与预设重复）")
                    enabled: customBaudField.text.length > 0 && !app.connecting
                    onClicked: dialog.addCustomBaud()
                }
            }

            Item { Layout.preferredWidth: 72; implicitHeight: 1 }
            RowLayout {
                Layout.fillWidth: true
                spacing: 10
                GButton {
                    objectName: "detectButton"
                    text: app.detectingPort ? qsTr("检测中…") : qsTr("自动检测")
                    toolTipText: qsTr("匹配 COM 口与波特率（优先当前所选口）")
                    enabled: !app.detectingPort && !app.connecting
                    onClicked: app.beginDetectPort(dialog.portName(), dialog.baud)
                }
                Text {
                    objectName: "detectHintText"
                    readonly property string hint: app.detectHint
                    Layout.fillWidth: true
                    visible: app.detectHintOfDetection && hint.length > 0
                    text: hint
                    wrapMode: Text.Wrap
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontCaption
                    color: app.detectNoMatch ? Theme.warn : Theme.muted
                }
            }
        }

        Rectangle { Layout.fillWidth: true; height: 1; color: Theme.border }

        RowLayout {
            Layout.fillWidth: true
            Layout.margins: 16
            Layout.leftMargin: 22
            Layout.rightMargin: 22
            spacing: 10
            Item { Layout.fillWidth: true }
            GButton {
                objectName: "dialogCancel"
                text: qsTr("取消")
                onClicked: dialog.close()
            }
            GButton {
                objectName: "dialogSave"
                kind: "primary"
                text: dialog.editMode ? qsTr("保存") : qsTr("确定")
                onClicked: dialog.save()
            }
        }
    }
}
