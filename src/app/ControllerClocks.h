#pragma once

#include "app/TimeSource.h"

#include <QString>

#include <memory>

namespace gcs {

/// The controller's run-time clock, stopwatch and countdown trigger, and the texts the
/// status bar shows for them ("hh:mm:ss" with hours not wrapped at 24).
class ControllerClocks
{
public:
    explicit ControllerClocks(std::unique_ptr<TimeSource> time);
    ~ControllerClocks();

    /// "%1:%2:%3" with at least two digits each.
    static QString hmsText(qint64 totalSeconds);

    void startUptime();
    QString runTimeText() const;
    QString computerTime() const;
    /// The local wall-clock time of the time source.
    QDateTime localNow() const { return m_time->localNow(); }

    bool stopwatchRunning() const { return m_stopwatchRunning; }
    /// Restarts the stopwatch unless it runs already; false when it did.
    bool startStopwatch();
    void resetStopwatch();
    QString stopwatchText() const;

    int triggerRemaining() const { return m_triggerRemaining; }
    void setTriggerRemaining(int seconds);
    /// One second of countdown; the count stays at 0 once it got there.
    void countDownTrigger();
    QString triggerText() const;

private:
    std::unique_ptr<TimeSource> m_time;
    qint64 m_uptimeStart = 0;
    qint64 m_stopwatchStart = 0;
    bool m_stopwatchRunning = false;
    int m_triggerRemaining = 0;
};

} // namespace gcs
