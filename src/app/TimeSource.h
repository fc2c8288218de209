#pragma once

#include <QDateTime>
#include <QtGlobal>

#include <memory>

namespace gcs {

/// Where the controller's clocks take the time from: a monotonic millisecond count for
/// run time and stopwatch, and the local wall-clock time for the clock text. Tests
/// substitute their own source to move time forward without waiting.
class TimeSource
{
public:
    virtual ~TimeSource();
    /// Milliseconds on a clock that never goes backwards; only differences matter.
    virtual qint64 monotonicMs() const = 0;
    virtual QDateTime localNow() const = 0;

    /// The system clocks.
    static std::unique_ptr<TimeSource> system();
};

} // namespace gcs
