import QtQuick
import QtTest
import Corvane.GCS
import "../shell"

// The record page before a recording can start: what it says without a device and with
// one that is not connected yet, and that no folder is asked for then.
ShellTestCase {
    id: tc
    // A test case is hidden by default; the page here is clicked as shown.
    visible: true
    width: 1200
    height: 800
    name: "RecordPage"

    Component {
        id: pageComponent
        RecordPage {
            width: 1100
            height: 700
        }
    }

    function createPage() {
        var page = createTemporaryObject(pageComponent, tc)
        verify(page !== null, "page created")
        return page
    }

    function test_withoutADeviceThePageSaysWhereToStart() {
        freshStart()
        fixture.answerFileDialogs([fixture.scratchPath("never")])
        var page = createPage()
        compare(find(page, "recordStateText").text, "离线")
        compare(find(page, "recordLinkText").text, "未连接")
        verify(!find(page, "recordConnectButton").visible)
        compare(find(page, "recordHint").text, "请先在右上角添加并连接设备")
        var button = find(page, "recordButton")
        compare(button.text, "▶  选择目录并开始")
        verify(!button.enabled)
        // Clicking the disabled button asks for no folder and starts nothing.
        mouseClick(button)
        compare(fixture.fileDialogRequests().length, 0)
        verify(!app.recorder.recording)

        // The name the files will get once the format is known.
        compare(find(page, "recordFormat").text, "等待首帧…")
        compare(find(page, "recordNamePreview").text, "格式_yyyyMMdd_HHmmss.txt  +  .bin")
        verify(!find(page, "recordCsvButton").visible)
        verify(!find(page, "recordRx").visible)
        compare(find(page, "clockPart_0").text, "00")
    }

    function test_aManagedDeviceOffersToConnect() {
        fixture.resetWithDevices([{ "port": "/dev/telvo-nowhere", "baud": 115200,
                                    "model": "kt45" }])
        var page = createPage()
        compare(find(page, "recordStateText").text, "离线")
        compare(find(page, "recordHint").text, "连接设备后即可开始记录")
        var connect = find(page, "recordConnectButton")
        verify(connect.visible)
        compare(connect.text, "连接")
        verify(!find(page, "recordButton").enabled)
    }
}
