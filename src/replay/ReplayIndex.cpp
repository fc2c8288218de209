#include "replay/ReplayIndex.h"

#include <algorithm>

namespace gcs {

void ReplayIndex::append(const std::vector<ReplayCheckpoint>& points)
{
    m_points.insert(m_points.end(), points.begin(), points.end());
}

const ReplayCheckpoint* ReplayIndex::before(double ms, double rate) const
{
    if (m_points.empty())
        return nullptr;
    // Stamps only grow along the file, so their times are sorted at any rate.
    const auto atOrAfter = std::lower_bound(
        m_points.begin(), m_points.end(), ms,
        [rate](const ReplayCheckpoint& c, double t) { return c.first.ms(rate) < t; });
    return atOrAfter == m_points.begin() ? &m_points.front() : &*(atOrAfter - 1);
}

} // namespace gcs
