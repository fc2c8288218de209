#pragma once

#include <QtGlobal>

#include <vector>

namespace gcs {

/// The sampling rate of a message log, from the host times of its records. The host
/// stamps a whole chunk of the line with one time, so single intervals are mostly 0 and
/// now and then a chunk's worth; the log is therefore cut into windows of at least
/// kWindowMs, each giving its mean interval, and the median of those is the interval.
/// A window that holds a silence (a unit unplugged for a while) is outvoted. A rate
/// within kSnap of a whole number of hertz is that number: units send at whole rates,
/// and the host clock's jitter should not make 200 Hz read 199.7 Hz.
class SampleRate
{
public:
    static constexpr qint64 kWindowMs = 2000;
    /// Fewer windows than this: the mean interval over the whole log instead.
    static constexpr int kMinWindows = 3;
    static constexpr double kSnap = 0.01;

    void add(qint64 hostMs);
    /// Samples per second; 0 when the times give none (fewer than two records, or all
    /// of them in the same millisecond).
    double rate() const;

private:
    qint64 m_count = 0;
    qint64 m_firstMs = 0;
    qint64 m_lastMs = 0;
    qint64 m_windowMs = 0;
    qint64 m_windowCount = 0;
    std::vector<double> m_intervals;
};

} // namespace gcs
