import QtQuick
import QtQuick.Layouts
import Corvane.GCS

// User scope, "现场维护": resetting the user settings, the navigation position, heading
// correction and the alignment time.
CalibPane {
    id: tab

    readonly property var headingModes: [
        { value: "1", label: QT_TR_NOOP("1 · 航向赋值 0~360°") },
        { value: "2", label: QT_TR_NOOP("2 · 航向修正 ±0.5°") }
    ]

    property alias lonField: lonField
    property alias latField: latField
    property alias altField: altField
    property alias headingModeBox: headingModeBox
    property alias headingField: headingField
    property alias alignField: alignField
    property alias resetConfirm: resetConfirm

    CardColumn {
        CalibCard {
            objectName: "cardUserFlash"
            title: qsTr("用户存储")
            ButtonRow {
                GButton {
                    objectName: "resetUserFlashButton"
                    text: qsTr("复位用户存储")
                    kind: "danger"
                    onClicked: resetConfirm.open()
                }
            }
        }

        CalibCard {
            objectName: "cardHeading"
            title: qsTr("航向修正")
            GridLayout {
                Layout.fillWidth: true
                columns: 2
                columnSpacing: 8
                LabeledField {
                    label: qsTr("模式")
                    accessibleName: qsTr("航向修正") + " " + label
                    GComboBox {
                        id: headingModeBox
                        objectName: "headingModeBox"
                        Layout.fillWidth: true
                        Layout.minimumWidth: 180
                        // The list holds the source texts, so a change of language
                        // leaves the choice where it is.
                        model: tab.headingModes.map(function (m) { return m.label })
                        labelFor: function (label) { return qsTr(label) }
                    }
                }
                LabeledField {
                    label: qsTr("角度")
                    accessibleName: qsTr("航向修正") + " " + label
                    NumberField {
                        id: headingField
                        objectName: "headingField"
                        placeholderText: qsTr("度")
                    }
                }
            }
            ButtonRow {
                GButton {
                    objectName: "correctHeadingButton"
                    text: qsTr("执行")
                    kind: "primary"
                    enabled: headingField.value.length > 0 && headingField.acceptableInput
                    onClicked: app.sendCommandArgs("correct_heading",
                                                   [tab.headingModes[headingModeBox.currentIndex].value,
                                                    headingField.value])
                }
            }
        }
    }

    CardColumn {
        CalibCard {
            objectName: "cardPosition"
            title: qsTr("位置")
            GridLayout {
                Layout.fillWidth: true
                columns: 3
                columnSpacing: 8
                NumberField {
                    id: lonField
                    objectName: "lonField"
                    Accessible.name: placeholderText
                    placeholderText: qsTr("经度")
                }
                NumberField {
                    id: latField
                    objectName: "latField"
                    Accessible.name: placeholderText
                    placeholderText: qsTr("纬度")
                }
                NumberField {
                    id: altField
                    objectName: "altField"
                    Accessible.name: placeholderText
                    placeholderText: qsTr("高度 m")
                }
            }
            ButtonRow {
                GButton {
                    objectName: "readPositionButton"
                    text: qsTr("读位置")
                    onClicked: app.sendCommand("get_position")
                }
                GButton {
                    objectName: "setPositionButton"
                    text: qsTr("设位置")
                    kind: "primary"
                    enabled: lonField.value.length > 0 && latField.value.length > 0
                             && altField.value.length > 0 && lonField.acceptableInput
                             && latField.acceptableInput && altField.acceptableInput
                    onClicked: app.sendCommandArgs("set_position",
                                                   [lonField.value, latField.value, altField.value])
                }
            }
        }

        CalibCard {
            objectName: "cardAlign"
            title: qsTr("对准时间")
            LabeledField {
                label: qsTr("秒")
                accessibleName: qsTr("对准时间") + " " + label
                NumberField {
                    id: alignField
                    objectName: "alignField"
                    text: "300"
                    placeholderText: qsTr("秒")
                }
            }
            ButtonRow {
                GButton {
                    objectName: "readAlignButton"
                    text: qsTr("读对准时间")
                    onClicked: app.sendCommand("get_align_time")
                }
                GButton {
                    objectName: "setAlignButton"
                    text: qsTr("设对准时间")
                    kind: "primary"
                    enabled: alignField.value.length > 0 && alignField.acceptableInput
                    onClicked: app.sendCommandArgs("set_align_time", [alignField.value])
                }
            }
        }
    }

    ConfirmDialog {
        id: resetConfirm
        objectName: "resetUserFlashConfirm"
        title: qsTr("复位用户存储")
        message: qsTr("用户配置区将恢复为出厂默认，此操作不可撤销。是否继续？")
        confirmText: qsTr("复位")
        dangerous: true
        onConfirmed: app.sendCommand("reset_user_flash")
    }
}
