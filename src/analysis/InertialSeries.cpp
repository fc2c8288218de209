#include "analysis/InertialSeries.h"

#include <algorithm>

namespace gcs {

InertialSeries::InertialSeries(qint64 capacity)
    : m_capacity(std::max<qint64>(2, capacity & ~qint64(1)))
{ }

void InertialSeries::append(const std::array<float, kChannels>& sample)
{
    ++m_taken;
    if (m_stride == 1) {
        for (int c = 0; c < kChannels; ++c)
            m_channels[size_t(c)].push_back(sample[size_t(c)]);
    } else {
        for (int c = 0; c < kChannels; ++c)
            m_pending[size_t(c)] += sample[size_t(c)];
        if (++m_pendingCount < m_stride)
            return;
        for (int c = 0; c < kChannels; ++c)
            m_channels[size_t(c)].push_back(float(m_pending[size_t(c)] / double(m_stride)));
        m_pending.fill(0);
        m_pendingCount = 0;
    }
    if (size() >= m_capacity)
        halve();
}

void InertialSeries::halve()
{
    for (std::vector<float>& v : m_channels) {
        const size_t half = v.size() / 2;
        for (size_t i = 0; i < half; ++i)
            v[i] = float((double(v[2 * i]) + double(v[2 * i + 1])) / 2.0);
        v.resize(half);
    }
    m_stride *= 2;
}

void InertialSeries::release(int c)
{
    std::vector<float>().swap(m_channels[size_t(c)]);
}

} // namespace gcs
