import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Corvane.GCS

// Factory scope, "补偿文件": a compensation text file opened and sent to the unit line by
// line, or the unit's factory record read back into the same text and saved.
CalibPane {
    id: tab

    wideColumns: 1

    property alias imuIdField: imuIdField
    property alias imuSnField: imuSnField
    property alias compText: compText

    function openFile() {
        app.stopFactoryReadback()
        var path = app.pickOpenFile(qsTr("补偿文件"), "TXT (*.txt);;All (*.*)")
        if (!path || path.length === 0)
            return false
        var bundle = app.readCompensateFileBundle(path)
        if (bundle.content === undefined)
            return false
        // A new file replaces what the previous one showed, also where it names nothing.
        compText.text = bundle.content
        imuIdField.text = bundle.imuId !== undefined ? bundle.imuId : ""
        imuSnField.text = bundle.imuSn !== undefined ? bundle.imuSn : ""
        return true
    }

    function sendLines() {
        app.stopFactoryReadback()
        app.sendFileLines(compText.text)
    }

    function readBackIntoText() {
        app.startFactoryReadback()
        compText.text = ""
        app.sendCommand("get_factory")
    }

    function saveText() {
        var path = app.pickSaveFile(qsTr("保存设备读回"), qsTr("文本 (*.txt);;All (*.*)"))
        if (!path || path.length === 0)
            return false
        return app.writeTextFile(path, compText.text)
    }

    Connections {
        target: app.ins
        function onConfigChanged() {
            if (app.factoryReadbackActive)
                compText.text = app.ins.factoryRaw
        }
    }

    CalibCard {
        objectName: "cardCompensation"
        title: qsTr("补偿文件")
        subtitle: app.factoryReadbackActive ? qsTr("读回中…") : ""
        RowLayout {
            spacing: 8
            LabeledField {
                label: qsTr("IMU 编号")
                GTextField {
                    id: imuIdField
                    objectName: "imuIdField"
                    Layout.fillWidth: true
                    readOnly: true
                    font.family: Theme.monoFamily
                }
            }
            LabeledField {
                label: qsTr("IMU 序列号")
                GTextField {
                    id: imuSnField
                    objectName: "imuSnField"
                    Layout.fillWidth: true
                    readOnly: true
                    font.family: Theme.monoFamily
                }
            }
        }
        ScrollView {
            id: textScroll
            Layout.fillWidth: true
            Layout.preferredHeight: Math.max(160, tab.height - 230)
            clip: true
            TextArea {
                id: compText
                objectName: "compText"
                Accessible.name: qsTr("补偿文件内容")
                // Tab goes on to the next control; the lines of the file hold no tabs.
                Keys.onTabPressed: nextItemInFocusChain(true).forceActiveFocus(Qt.TabFocusReason)
                Keys.onBacktabPressed: {
                    nextItemInFocusChain(false).forceActiveFocus(Qt.BacktabFocusReason)
                }
                wrapMode: TextEdit.NoWrap
                textFormat: TextEdit.PlainText
                selectByMouse: true
                font.family: Theme.monoFamily
                font.pixelSize: Theme.fontCode
                color: Theme.text
                selectionColor: Theme.accent
                selectedTextColor: Theme.accentText
                placeholderText: qsTr("打开补偿文件，或读出厂到文本")
                placeholderTextColor: Theme.faint
                background: Rectangle {
                    radius: Theme.radiusSmall
                    color: Theme.input
                    border.width: 1
                    border.color: compText.activeFocus ? Theme.accent : Theme.border
                }
                FocusRing { inset: 1 }
            }
        }
        ButtonRow {
            GButton {
                objectName: "openCompButton"
                text: qsTr("打开补偿文件")
                onClicked: tab.openFile()
            }
            GButton {
                objectName: "sendLinesButton"
                text: qsTr("下发文件行")
                kind: "primary"
                enabled: compText.text.trim().length > 0
                onClicked: tab.sendLines()
            }
            GButton {
                objectName: "readBackTextButton"
                text: qsTr("读出厂到文本")
                onClicked: tab.readBackIntoText()
            }
            GButton {
                objectName: "saveTextButton"
                text: qsTr("保存读回文本")
                enabled: compText.text.length > 0
                onClicked: tab.saveText()
            }
            GButton {
                objectName: "saveFactoryButton"
                text: qsTr("保存出厂")
                onClicked: app.sendCommand("save_factory_config")
            }
        }
    }
}
