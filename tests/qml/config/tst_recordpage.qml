import QtQuick
import QtTest
import Corvane.GCS
import "../shell"

// The record page before a recording can start: what it says without a device and with
// one that is not connected yet; nothing can start then.
ShellTestCase {
    id: tc
    name: "RecordPage"
    visible: true // a test case is hidden by default, and with it the page

    Component { id: pageComponent; RecordPage { width: 1100; height: 700 } }
    function createPage() { return createTemporaryObject(pageComponent, tc) }

    function test_nothingRecordsWithoutALink_data() {
        return [{ tag: "no device", devices: [], hint: "请先在右上角添加并连接设备", connect: false },
                { tag: "not connected", devices: [{ "port": "/dev/telvo-none", "model": "kt45" }],
                  hint: "连接设备后即可开始记录", connect: true }]
    }

    function test_nothingRecordsWithoutALink(data) {
        wait(0)
        fixture.resetWithDevices(data.devices)
        var page = createPage()
        compare(find(page, "recordHint").text, data.hint)
        compare(find(page, "recordConnectButton").visible, data.connect)
        verify(!find(page, "recordButton").enabled)
    }
}
