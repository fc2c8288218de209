import QtQuick
import QtQuick.Layouts
import Corvane.GCS
import "CalibLogic.js" as Logic

// Factory scope, "安装误差": the installation error angles of the unit.
CalibPane {
    id: tab

    wideColumns: 1

    property alias xField: xField
    property alias yField: yField
    property alias zField: zField
    readonly property bool complete: xField.value.length > 0 && yField.value.length > 0
                                     && zField.value.length > 0 && xField.acceptableInput
                                     && yField.acceptableInput && zField.acceptableInput

    function readback(key) {
        var c = app.ins.installConfig
        return Logic.readback(c ? c[key] : undefined, "°")
    }

    CalibCard {
        objectName: "cardInstall"
        title: qsTr("安装误差")
        GridLayout {
            Layout.fillWidth: true
            Layout.maximumWidth: 720
            columns: 3
            columnSpacing: 8
            rowSpacing: 8
            LabeledField {
                label: "X"
                accessibleName: qsTr("安装误差") + " X"
                NumberField { id: xField; objectName: "gnmXField"; placeholderText: qsTr("度") }
            }
            LabeledField {
                label: "Y"
                accessibleName: qsTr("安装误差") + " Y"
                NumberField { id: yField; objectName: "gnmYField"; placeholderText: qsTr("度") }
            }
            LabeledField {
                label: "Z"
                accessibleName: qsTr("安装误差") + " Z"
                NumberField { id: zField; objectName: "gnmZField"; placeholderText: qsTr("度") }
            }
            ReadbackChip {
                objectName: "gnmXReadback"
                Layout.fillWidth: true
                label: qsTr("回读")
                value: tab.readback("x")
            }
            ReadbackChip {
                objectName: "gnmYReadback"
                Layout.fillWidth: true
                label: qsTr("回读")
                value: tab.readback("y")
            }
            ReadbackChip {
                objectName: "gnmZReadback"
                Layout.fillWidth: true
                label: qsTr("回读")
                value: tab.readback("z")
            }
        }
        ButtonRow {
            GButton {
                objectName: "readGnmButton"
                text: qsTr("读安装误差")
                onClicked: app.sendCommand("get_gnm")
            }
            GButton {
                objectName: "setGnmButton"
                text: qsTr("设安装误差")
                kind: "primary"
                enabled: tab.complete
                onClicked: app.sendCommandArgs("set_gnm", [xField.value, yField.value,
                                                           zField.value])
            }
            GButton {
                objectName: "saveGnmButton"
                text: qsTr("保存出厂")
                onClicked: app.sendCommand("save_config")
            }
        }
    }
}
