#include "analysis/SampleRate.h"

#include <algorithm>
#include <cmath>

namespace gcs {

void SampleRate::add(qint64 hostMs)
{
    if (m_count == 0) {
        m_firstMs = m_windowMs = hostMs;
        m_windowCount = 0;
    } else if (hostMs < m_windowMs) {
        // The host clock was set back: a new window from here.
        m_windowMs = hostMs;
        m_windowCount = m_count;
    } else if (hostMs - m_windowMs >= kWindowMs) {
        m_intervals.push_back(double(hostMs - m_windowMs) / double(m_count - m_windowCount));
        m_windowMs = hostMs;
        m_windowCount = m_count;
    }
    m_lastMs = hostMs;
    ++m_count;
}

double SampleRate::rate() const
{
    double intervalMs = 0;
    if (m_intervals.size() >= size_t(kMinWindows)) {
        std::vector<double> sorted = m_intervals;
        const size_t mid = sorted.size() / 2;
        std::nth_element(sorted.begin(), sorted.begin() + qptrdiff(mid), sorted.end());
        intervalMs = sorted[mid];
        if (sorted.size() % 2 == 0) {
            const double below = *std::max_element(sorted.begin(), sorted.begin() + qptrdiff(mid));
            intervalMs = (intervalMs + below) / 2;
        }
    } else if (m_count > 1 && m_lastMs > m_firstMs) {
        intervalMs = double(m_lastMs - m_firstMs) / double(m_count - 1);
    }
    if (intervalMs <= 0)
        return 0;
    const double rate = 1000.0 / intervalMs;
    const double whole = std::round(rate);
    return whole >= 1 && std::fabs(rate - whole) <= kSnap * rate ? whole : rate;
}

} // namespace gcs
