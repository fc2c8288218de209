import QtQuick

// Measures how many samples per second a page feeds its charts. Once a second the count
// since the last measurement is divided by the seconds that really passed (the timer
// may run late); the first measurement after a reset is the raw count of that first
// second. A measurement less than 0.4 s after the previous one is skipped.
Item {
    id: meter

    property bool running: false
    // Samples per second; -1 before the first measurement.
    property real rate: -1
    property int count: 0
    property double markMs: 0

    function note() { ++count }

    function reset() {
        count = 0
        rate = -1
        markMs = 0
        if (running)
            timer.restart()
    }

    function measure(nowMs) {
        if (markMs <= 0) {
            rate = count
        } else {
            var seconds = (nowMs - markMs) / 1000
            if (seconds <= 0.4)
                return
            rate = count / seconds
        }
        count = 0
        markMs = nowMs
    }

    onRunningChanged: reset()

    Timer {
        id: timer
        interval: 1000
        repeat: true
        running: meter.running
        onTriggered: meter.measure(Date.now())
    }
}
