import QtQuick

// Measures how many samples per second a page feeds its charts, on the time base of the
// samples themselves: once a second, the samples noted since the last measurement divided
// by the time from the newest sample then to the newest sample now. Records of one read
// carry times spread over the interval they came in, so this is the stream's own rate,
// free of the timer's lateness and of how the reads happened to cut the stream. The first
// sample after a reset (or a stop) only opens the first interval. An interval shorter
// than 0.4 s is left to grow; meanwhile the rate stands (a slow stream, a paused replay)
// until the newest sample is more than 2 s old on the data clock: the stream has
// stopped, 0.
Item {
    id: meter

    property bool running: false
    // The data clock (an object with now() in seconds), for telling a stop.
    property var clock: null
    // Samples per second; -1 before the first measurement.
    property real rate: -1
    property int count: 0
    // Time of the newest sample at the last measurement, and of the newest sample; NaN
    // before the first sample.
    property double markTime: NaN
    property double lastTime: NaN

    function note(t) {
        lastTime = t
        if (isNaN(markTime))
            markTime = t
        else
            ++count
    }

    function reset() {
        count = 0
        rate = -1
        markTime = NaN
        lastTime = NaN
        if (running)
            timer.restart()
    }

    function measure() {
        if (isNaN(markTime))
            return
        var seconds = lastTime - markTime
        if (count > 0 && seconds > 0.4) {
            rate = count / seconds
            count = 0
            markTime = lastTime
        } else if (clock && clock.now() - lastTime > 2) {
            // Stopped: the next sample opens a new interval.
            rate = 0
            count = 0
            markTime = NaN
        }
    }

    onRunningChanged: reset()

    Timer {
        id: timer
        interval: 1000
        repeat: true
        running: meter.running
        onTriggered: meter.measure()
    }
}
