import QtQuick
import QtQuick.Layouts
import Corvane.GCS

// The configuration page behind both configuration entries. In "user" scope it holds
// what an operator may change in the field, in "factory" scope the maker's calibration
// and maintenance. Every read and write is a command through the controller; every
// value read back comes from app.ins.
Item {
    id: page
    objectName: "page_calibration_" + configScope

    property string configScope: "user"
    readonly property bool factory: configScope === "factory"
    readonly property var userTabs: [qsTr("通信与轴向"), qsTr("现场维护")]
    readonly property var factoryTabs: [qsTr("出厂陀螺"), qsTr("补偿文件"), qsTr("安装误差"),
                                         qsTr("厂家维护")]
    readonly property int compensationTab: 1

    property alias userTabBar: userTabBar
    property alias factoryTabBar: factoryTabBar
    property alias userComm: userComm
    property alias userMaint: userMaint
    property alias factoryGyro: factoryGyro
    property alias factoryComp: factoryComp
    property alias factoryInstall: factoryInstall
    property alias factoryMaint: factoryMaint

    onConfigScopeChanged: {
        userTabBar.currentIndex = 0
        factoryTabBar.currentIndex = 0
        app.stopFactoryReadback()
    }

    // A read-back runs only while its panel is shown.
    Component.onDestruction: app.stopFactoryReadback()

    Rectangle {
        id: banner
        objectName: "scopeBanner"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        implicitHeight: bannerText.implicitHeight + 16
        height: implicitHeight
        radius: Theme.radiusSmall
        color: page.factory ? Theme.alpha(Theme.warn, Theme.light ? 0.12 : 0.10)
                            : Theme.alpha(Theme.accent, Theme.light ? 0.08 : 0.10)
        border.width: 1
        border.color: page.factory ? Theme.alpha(Theme.warn, 0.55) : Theme.alpha(Theme.accent, 0.4)
        Text {
            id: bannerText
            objectName: "scopeHeader"
            x: 12
            y: 8
            width: parent.width - 24
            text: page.factory
                  ? qsTr("厂家标定与维护专用，误操作可能影响设备精度。请在当前 Tab 完成读/设后，点击本 Tab 的「保存出厂」写入设备。")
                  : qsTr("进入本页将自动关闭导航输出并读固件版本；串口1 在下方卡片读/设。任意 Tab 改参后，仅在页底「读回与保存」保存一次。")
            wrapMode: Text.Wrap
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontCaption
            color: page.factory ? Theme.warn : Theme.muted
        }
    }

    TabStrip {
        id: userTabBar
        objectName: "userTabBar"
        namePrefix: "userTab"
        anchors.left: parent.left
        anchors.top: banner.bottom
        anchors.topMargin: 10
        visible: !page.factory
        titles: page.userTabs
    }

    TabStrip {
        id: factoryTabBar
        objectName: "factoryTabBar"
        namePrefix: "factoryTab"
        anchors.left: parent.left
        anchors.top: banner.bottom
        anchors.topMargin: 10
        visible: page.factory
        titles: page.factoryTabs
        // Leaving the compensation panel ends a read-back into its text.
        onCurrentIndexChanged: if (currentIndex !== page.compensationTab) app.stopFactoryReadback()
    }

    Rectangle {
        id: rule
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: userTabBar.bottom
        height: 1
        color: Theme.border
    }

    StackLayout {
        id: userStack
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: rule.bottom
        anchors.topMargin: 12
        anchors.bottom: parent.bottom
        visible: !page.factory
        currentIndex: userTabBar.currentIndex
        UserCommTab { id: userComm; objectName: "userCommTab" }
        UserMaintTab { id: userMaint; objectName: "userMaintTab" }
    }

    StackLayout {
        id: factoryStack
        anchors.fill: userStack
        visible: page.factory
        currentIndex: factoryTabBar.currentIndex
        FactoryGyroTab { id: factoryGyro; objectName: "factoryGyroTab" }
        FactoryCompTab { id: factoryComp; objectName: "factoryCompTab" }
        FactoryInstallTab { id: factoryInstall; objectName: "factoryInstallTab" }
        FactoryMaintTab { id: factoryMaint; objectName: "factoryMaintTab" }
    }
}
