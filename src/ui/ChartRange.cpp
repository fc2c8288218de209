#include "ui/ChartRange.h"

#include <algorithm>
#include <cmath>

namespace gcs {

ChartRange::ChartRange(double minSpan)
{
    setMinSpan(minSpan);
    reset();
}

void ChartRange::setMinSpan(double span)
{
    m_minSpan = std::isfinite(span) && span > 0 ? span : 1.0;
}

void ChartRange::setFixed(double lo, double hi)
{
    if (!std::isfinite(lo) || !std::isfinite(hi) || !(hi > lo))
        return;
    m_fixed = true;
    m_shown = { lo, hi };
}

void ChartRange::clearFixed()
{
    if (!m_fixed)
        return;
    m_fixed = false;
    reset();
}

ChartRange::Span ChartRange::target(double minSpan, bool hasData, double lo, double hi)
{
    if (!hasData)
        return { -minSpan / 2, minSpan / 2 };
    const double mid = (lo + hi) / 2;
    const double span = std::max(minSpan, kHeadroom * (hi - lo));
    return { mid - span / 2, mid + span / 2 };
}

void ChartRange::step(bool hasData, double lo, double hi)
{
    if (m_fixed)
        return;
    const Span goal = target(m_minSpan, hasData, lo, hi);
    if (hasData && (lo < m_shown.lo || hi > m_shown.hi)) {
        m_shown = goal;
        return;
    }
    m_shown.lo += kEasing * (goal.lo - m_shown.lo);
    m_shown.hi += kEasing * (goal.hi - m_shown.hi);
    // Close enough is there: stop creeping by ever smaller amounts.
    const double epsilon = 1e-6 * std::max(m_minSpan, goal.hi - goal.lo);
    if (std::abs(goal.lo - m_shown.lo) < epsilon && std::abs(goal.hi - m_shown.hi) < epsilon)
        m_shown = goal;
}

void ChartRange::reset()
{
    if (m_fixed)
        return;
    m_shown = target(m_minSpan, false, 0, 0);
}

} // namespace gcs
