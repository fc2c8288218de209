#pragma once

#include <algorithm>
#include <vector>

namespace gcs {

/// The samples of one scrolling chart: (time, value) pairs in time order, kept in a ring
/// of fixed capacity so that appending never allocates once the chart is full.
///
/// The chart shows a window ending at "now"; trimming drops what fell out of it except
/// the newest sample left of the window edge, so the line still enters at the left
/// border instead of starting in mid-air. Non-finite values are never stored: a NaN or
/// an infinity would poison the range and the line.
class ChartSeries
{
public:
    struct Sample
    {
        double t = 0; ///< seconds on the chart's clock
        double v = 0;
    };

    /// No chart ever holds more samples than this, whatever its window asks for.
    static constexpr int kMaxSamples = 32000;

    explicit ChartSeries(int capacity = kMaxSamples);

    /// Clamped to 1 .. kMaxSamples; shrinking drops the oldest samples.
    void setCapacity(int capacity);
    int capacity() const { return m_capacity; }

    /// Appends a sample; false (nothing stored) for a non-finite value or time. A time
    /// before the newest sample is taken as the newest sample's time, so the series stays
    /// ordered. When full, the oldest sample goes.
    bool append(double t, double v);

    /// Appends like append(), but stores on average at most one sample per minSpacing
    /// seconds of the time axis, with a burst of kThinningBurst allowed: a stream slower
    /// than that keeps every sample however unevenly they are spaced, a faster one is
    /// thinned to that rate. A sample over the budget is merged into the newest one: it
    /// takes the newest one's value (not its time) when it lies farther from the sample
    /// before, so a short spike survives.
    /// Returns whether the value was taken (stored or merged).
    bool appendThinned(double t, double v, double minSpacing);

    /// Samples that may follow each other closer than the thinning spacing. Records reach
    /// the chart in bursts on a loaded machine (a read that splits a burst leaves its tail
    /// a few microseconds apart); a stream below the budget keeps them all, and only one
    /// that stays above it is thinned.
    static constexpr double kThinningBurst = 16.0;

    /// Drops the samples older than windowStart, keeping the newest of them.
    void trim(double windowStart);

    void clear();

    int size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    /// Sample i counted from the oldest.
    const Sample& at(int i) const { return m_ring[index(i)]; }
    const Sample& newest() const { return at(m_size - 1); }

    /// Calls f(sample) for every sample from the oldest, without the ring's index
    /// arithmetic per sample (for the drawing loop).
    template<class F> void forEach(F&& f) const
    {
        const int firstRun = std::min(m_size, m_capacity - m_head);
        for (int i = 0; i < firstRun; ++i)
            f(m_ring[size_t(m_head + i)]);
        for (int i = 0; i < m_size - firstRun; ++i)
            f(m_ring[size_t(i)]);
    }

    /// Smallest and largest value of the samples at or after windowStart and of the
    /// newest sample; false for an empty series.
    bool extent(double windowStart, double& lo, double& hi) const;

private:
    int index(int i) const { return (m_head + i) % m_capacity; }

    std::vector<Sample> m_ring;
    int m_capacity = kMaxSamples;
    int m_head = 0;
    int m_size = 0;
    /// Samples the thinning may still store now, and the time it was last topped up.
    double m_credit = 0;
    double m_creditTime = 0;
};

} // namespace gcs
