import QtQuick
import QtQuick.Layouts
import Corvane.GCS

// Factory scope, "厂家维护": initialising the stored information, the IMU calibration
// and the Z-axis drift.
CalibPane {
    id: tab

    property alias driftField: driftField

    CardColumn {
        CalibCard {
            objectName: "cardFactoryFlash"
            title: qsTr("厂家存储")
            ButtonRow {
                GButton {
                    objectName: "resetFlashInfoButton"
                    text: qsTr("初始化存储信息")
                    kind: "danger"
                    onClicked: app.sendCommand("reset_flash_info")
                }
            }
        }
    }

    CardColumn {
        CalibCard {
            objectName: "cardImuCalib"
            title: qsTr("IMU 标定与漂移")
            ButtonRow {
                GButton {
                    objectName: "readCalibImuButton"
                    text: qsTr("读 IMU 标定")
                    onClicked: app.sendCommand("get_calib_imu")
                }
                GButton {
                    objectName: "staticCalibButton"
                    text: qsTr("静态标定")
                    onClicked: app.sendCommand("static_calib_imu")
                }
                GButton {
                    objectName: "resetCalibButton"
                    text: qsTr("复位标定")
                    onClicked: app.sendCommand("reset_calib_imu")
                }
                GButton {
                    objectName: "triggerDriftButton"
                    text: qsTr("漂移触发")
                    onClicked: app.sendCommand("manual_trig_driftz")
                }
            }
            RowLayout {
                spacing: 8
                LabeledField {
                    label: qsTr("Z 轴漂移量")
                    NumberField { id: driftField; objectName: "driftField" }
                }
                GButton {
                    objectName: "setDriftButton"
                    Layout.alignment: Qt.AlignBottom
                    text: qsTr("设漂移")
                    kind: "primary"
                    enabled: driftField.value.length > 0 && driftField.acceptableInput
                    onClicked: app.sendCommandArgs("set_driftz", [driftField.value])
                }
            }
        }
    }
}
