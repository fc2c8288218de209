#include "ui/ChartSeries.h"

#include <algorithm>
#include <cmath>

namespace gcs {

ChartSeries::ChartSeries(int capacity)
{
    setCapacity(capacity);
}

void ChartSeries::setCapacity(int capacity)
{
    capacity = std::clamp(capacity, 1, kMaxSamples);
    if (capacity == m_capacity && !m_ring.empty())
        return;
    // Re-pack the newest samples that fit, oldest first, at the start of a new ring.
    const int keep = std::min(m_size, capacity);
    std::vector<Sample> ring(static_cast<size_t>(capacity));
    for (int i = 0; i < keep; ++i)
        ring[size_t(i)] = at(m_size - keep + i);
    m_ring.swap(ring);
    m_capacity = capacity;
    m_head = 0;
    m_size = keep;
}

bool ChartSeries::append(double t, double v)
{
    if (!std::isfinite(v) || !std::isfinite(t))
        return false;
    if (m_size > 0)
        t = std::max(t, newest().t);
    if (m_size == m_capacity) {
        m_ring[size_t(m_head)] = { t, v };
        m_head = (m_head + 1) % m_capacity;
    } else {
        m_ring[size_t(index(m_size))] = { t, v };
        ++m_size;
    }
    return true;
}

bool ChartSeries::appendThinned(double t, double v, double minSpacing)
{
    if (!std::isfinite(v) || !std::isfinite(t))
        return false;
    if (m_size == 0 || !(minSpacing > 0)) {
        m_credit = kThinningBurst - 1;
        m_creditTime = t;
        return append(t, v);
    }
    // A budget rather than fixed slots on the time axis: records of a 200 Hz stream that
    // arrive unevenly (a pair 3 ms apart, then a gap of 7 ms) would often share a 4 ms
    // slot and be lost, though the stream is well below the rate the window can hold.
    t = std::max(t, newest().t);
    m_credit = std::min(kThinningBurst, m_credit + (t - m_creditTime) / minSpacing);
    m_creditTime = t;
    if (m_credit >= 1) {
        m_credit -= 1;
        return append(t, v);
    }
    Sample& last = m_ring[size_t(index(m_size - 1))];
    if (m_size >= 2) {
        const double before = at(m_size - 2).v;
        if (std::abs(v - before) > std::abs(last.v - before))
            last.v = v;
    }
    return true;
}

void ChartSeries::trim(double windowStart)
{
    // Keep one sample before the edge: drop the oldest while the next one is old too.
    while (m_size >= 2 && at(1).t < windowStart) {
        m_head = (m_head + 1) % m_capacity;
        --m_size;
    }
}

void ChartSeries::clear()
{
    m_head = 0;
    m_size = 0;
}

bool ChartSeries::extent(double windowStart, double& lo, double& hi) const
{
    if (m_size == 0)
        return false;
    lo = hi = newest().v;
    // Samples are in time order: walk back from the newest until the window edge.
    for (int i = m_size - 2; i >= 0; --i) {
        const Sample& s = at(i);
        if (s.t < windowStart)
            break;
        lo = std::min(lo, s.v);
        hi = std::max(hi, s.v);
    }
    return true;
}

} // namespace gcs
