pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Layouts
import Corvane.GCS
import "CalibLogic.js" as Logic

// Factory scope, "出厂陀螺": the gyro record (serial number, temperature terms, scale
// factors, drift, cross-coupling) read from the unit, imported from a bench calibration
// file, and written back as one "set factory" record.
CalibPane {
    id: tab

    readonly property var axes: ["x", "y", "z"]
    readonly property var axisNames: ({ "x": qsTr("X 轴"), "y": qsTr("Y 轴"), "z": qsTr("Z 轴") })
    // Field labels, for naming the fields a write would leave empty.
    readonly property var fieldLabels: ({
        "sn": qsTr("设备编号"),
        "t2x": qsTr("X 轴二阶温标"), "t1x": qsTr("X 轴一阶温标"), "kggx": qsTr("X 轴刻度系数"),
        "t2y": qsTr("Y 轴二阶温标"), "t1y": qsTr("Y 轴一阶温标"), "kggy": qsTr("Y 轴刻度系数"),
        "t2z": qsTr("Z 轴二阶温标"), "t1z": qsTr("Z 轴一阶温标"), "kggz": qsTr("Z 轴刻度系数"),
        "biasx": qsTr("静态漂移 X"), "biasy": qsTr("静态漂移 Y"), "biasz": qsTr("静态漂移 Z"),
        "kg1xy": qsTr("交叉耦合 XY"), "kg1xz": qsTr("交叉耦合 XZ"), "kg1yx": qsTr("交叉耦合 YX"),
        "kg1yz": qsTr("交叉耦合 YZ"), "kg1zx": qsTr("交叉耦合 ZX"), "kg1zy": qsTr("交叉耦合 ZY")
    })
    property var fields: ({})
    // The fields hold values the unit has not reported (typed or imported); a reply to
    // another query then leaves them alone.
    property bool edited: false
    property string appliedGyro: ""
    property var pendingWrite: null

    property alias writeConfirm: writeConfirm

    function registerField(key, item) {
        var f = fields
        f[key] = item
        fields = f
    }

    // Types into one field as the user would.
    function setField(key, text) {
        if (fields[key] === undefined)
            return false
        fields[key].text = text
        edited = true
        return true
    }

    function fieldValues() {
        var out = {}
        for (var key in fields)
            out[key] = fields[key].text
        return out
    }

    function fill(map) {
        for (var key in map) {
            if (fields[key] !== undefined)
                fields[key].text = Logic.fieldText(map[key], key === "sn" ? 0 : 12)
        }
    }

    function syncFromReadback() {
        var g = app.ins.gyroConfig || ({})
        var key = JSON.stringify(g)
        if (!edited || key !== appliedGyro) {
            fill(g)
            appliedGyro = key
            edited = false
        }
    }

    function readFactory() {
        edited = false
        return app.sendCommand("get_factory")
    }

    // Copies every value the file holds; fields it lacks keep what they show.
    function importCalibration() {
        var path = app.pickOpenFile(qsTr("标定数据"), qsTr("数据文件 (*.dat *.txt);;All (*.*)"))
        if (!path || path.length === 0)
            return 0
        var map = app.parseCompensateDatFile(path)
        var n = 0
        for (var key in map) {
            if (fields[key] !== undefined) {
                fields[key].text = Logic.fieldText(map[key], key === "sn" ? 0 : 12)
                ++n
            }
        }
        if (n > 0)
            edited = true
        return n
    }

    function sendWrite(values) {
        return app.sendRaw(Logic.factorySentence(values), false)
    }

    // A record with empty fields still goes out with all 22 positions, after the user
    // confirmed it: the unit may refuse it or take the gaps as zeros.
    function writeFactory() {
        var values = fieldValues()
        var problems = Logic.factoryProblems(values)
        if (problems.length === 0)
            return sendWrite(values)
        pendingWrite = values
        var names = problems.map(function (k) { return tab.fieldLabels[k] })
        writeConfirm.message = qsTr("有 %n 项参数为空或不是有效数字（%1）。"
                                    + "这些位置将按当前内容下发，设备可能拒收或写入错误参数。是否继续？",
                                    "", problems.length)
                .arg(names.join(qsTr("、")))
        writeConfirm.open()
        return false
    }

    Connections {
        target: app.ins
        function onConfigChanged() { tab.syncFromReadback() }
    }

    Component.onCompleted: Qt.callLater(syncFromReadback)

    CardColumn {
        CalibCard {
            objectName: "cardScale"
            title: qsTr("温标与刻度")
            RowLayout {
                spacing: 8
                Item { implicitWidth: 40; implicitHeight: 1 }
                Repeater {
                    model: [qsTr("二阶温标"), qsTr("一阶温标"), qsTr("刻度系数")]
                    Text {
                        required property string modelData
                        Layout.fillWidth: true
                        Layout.preferredWidth: 1
                        text: modelData
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontCaption
                        color: Theme.muted
                    }
                }
            }
            Repeater {
                model: tab.axes
                delegate: RowLayout {
                    id: axisRow
                    required property string modelData
                    spacing: 8
                    Text {
                        Layout.preferredWidth: 40
                        text: tab.axisNames[axisRow.modelData]
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontLabel
                        color: Theme.text
                    }
                    Repeater {
                        model: ["t2", "t1", "kgg"]
                        delegate: NumberField {
                            id: scaleField
                            required property string modelData
                            readonly property string key: modelData + axisRow.modelData
                            objectName: "field_" + key
                            Layout.preferredWidth: 1
                            Accessible.name: tab.fieldLabels[key]
                            Component.onCompleted: tab.registerField(key, scaleField)
                            onTextEdited: tab.edited = true
                        }
                    }
                }
            }
        }

        CalibCard {
            objectName: "cardCoupling"
            title: qsTr("交叉耦合")
            GridLayout {
                Layout.fillWidth: true
                columns: 3
                columnSpacing: 8
                rowSpacing: 8
                Repeater {
                    model: ["xy", "yz", "xz", "zx", "yx", "zy"]
                    delegate: LabeledField {
                        id: coupling
                        required property string modelData
                        label: modelData.toUpperCase()
                        accessibleName: tab.fieldLabels["kg1" + modelData]
                        NumberField {
                            id: couplingField
                            readonly property string key: "kg1" + coupling.modelData
                            objectName: "field_" + key
                            Component.onCompleted: tab.registerField(key, couplingField)
                            onTextEdited: tab.edited = true
                        }
                    }
                }
            }
        }
    }

    CardColumn {
        CalibCard {
            objectName: "cardSerial"
            title: qsTr("设备编号")
            RowLayout {
                spacing: 8
                ReadbackChip {
                    objectName: "snReadback"
                    Layout.alignment: Qt.AlignBottom
                    Layout.preferredWidth: 150
                    label: qsTr("回读")
                    value: Logic.readback(app.ins.gyroConfig ? app.ins.gyroConfig.sn : undefined,
                                          "", 0)
                }
                LabeledField {
                    label: qsTr("写入出厂")
                    accessibleName: tab.fieldLabels["sn"] + " " + label
                    NumberField {
                        id: snField
                        objectName: "field_sn"
                        wholeNumber: true
                        Component.onCompleted: tab.registerField("sn", snField)
                        onTextEdited: tab.edited = true
                    }
                }
            }
        }

        CalibCard {
            objectName: "cardDrift"
            title: qsTr("静态漂移")
            GridLayout {
                Layout.fillWidth: true
                columns: 3
                columnSpacing: 8
                Repeater {
                    model: ["x", "y", "z"]
                    delegate: LabeledField {
                        id: drift
                        required property string modelData
                        label: modelData.toUpperCase()
                        accessibleName: tab.fieldLabels["bias" + modelData]
                        NumberField {
                            id: driftField
                            readonly property string key: "bias" + drift.modelData
                            objectName: "field_" + key
                            Component.onCompleted: tab.registerField(key, driftField)
                            onTextEdited: tab.edited = true
                        }
                    }
                }
            }
        }

        CalibCard {
            objectName: "cardFactoryRw"
            title: qsTr("出厂读写")
            ButtonRow {
                GButton {
                    objectName: "readFactoryButton"
                    text: qsTr("读出厂")
                    onClicked: tab.readFactory()
                }
                GButton {
                    objectName: "writeFactoryButton"
                    text: qsTr("设出厂")
                    kind: "primary"
                    onClicked: tab.writeFactory()
                }
                GButton {
                    objectName: "importCalibButton"
                    text: qsTr("导入标定")
                    onClicked: tab.importCalibration()
                }
                GButton {
                    objectName: "saveFactoryButton"
                    text: qsTr("保存出厂")
                    onClicked: app.sendCommand("save_factory_config")
                }
            }
        }
    }

    ConfirmDialog {
        id: writeConfirm
        objectName: "factoryWriteConfirm"
        title: qsTr("设出厂")
        confirmText: qsTr("仍然下发")
        cancelText: qsTr("返回填写")
        dangerous: true
        onConfirmed: {
            var values = tab.pendingWrite
            tab.pendingWrite = null
            if (values)
                tab.sendWrite(values)
        }
        onCancelled: tab.pendingWrite = null
    }
}
