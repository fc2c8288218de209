#include "capture/TrackThinner.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace gcs {

namespace {

constexpr double kMetresPerLatDeg = 110574.0;
constexpr double kMetresPerLonDegAtEquator = 111320.0;
constexpr double kPi = 3.14159265358979323846;

} // namespace

void TrackThinner::add(const Point& p)
{
    ++m_added;
    if (m_points.empty()) {
        m_metresPerLonDeg = kMetresPerLonDegAtEquator * std::cos(p.lat * kPi / 180.0);
        m_points.push_back(p);
        return;
    }
    // A point near the last one kept adds nothing to the shape; it is kept aside only
    // in case it is the last point of all.
    if (distanceM(p, m_points.back()) <= m_toleranceM) {
        m_last = p;
        m_lastPending = true;
        return;
    }
    m_lastPending = false;
    m_points.push_back(p);
    if (m_points.size() >= size_t(2 * kMaxPoints))
        simplify();
}

std::vector<TrackThinner::Point> TrackThinner::finish()
{
    if (m_lastPending) {
        m_points.push_back(m_last);
        m_lastPending = false;
    }
    if (m_points.size() > size_t(kMaxPoints))
        simplify();
    return std::move(m_points);
}

double TrackThinner::distanceM(const Point& a, const Point& b) const
{
    return std::hypot((a.lon - b.lon) * m_metresPerLonDeg, (a.lat - b.lat) * kMetresPerLatDeg);
}

double TrackThinner::offLineM(const Point& p, const Point& a, const Point& b) const
{
    const double bx = (b.lon - a.lon) * m_metresPerLonDeg, by = (b.lat - a.lat) * kMetresPerLatDeg;
    const double px = (p.lon - a.lon) * m_metresPerLonDeg, py = (p.lat - a.lat) * kMetresPerLatDeg;
    const double len2 = bx * bx + by * by;
    if (len2 <= 0)
        return std::hypot(px, py);
    const double t = std::clamp((px * bx + py * by) / len2, 0.0, 1.0);
    return std::hypot(px - t * bx, py - t * by);
}

void TrackThinner::simplify()
{
    while (m_points.size() > size_t(kMaxPoints)) {
        m_toleranceM *= 2;
        // Douglas-Peucker without recursion: a span is split at its point furthest from
        // the line between its ends while that point is further than the tolerance.
        std::vector<char> keep(m_points.size(), 0);
        keep.front() = keep.back() = 1;
        std::vector<std::pair<size_t, size_t>> spans { { 0, m_points.size() - 1 } };
        while (!spans.empty()) {
            const auto [first, last] = spans.back();
            spans.pop_back();
            double worst = 0;
            size_t at = first;
            for (size_t i = first + 1; i < last; ++i) {
                const double d = offLineM(m_points[i], m_points[first], m_points[last]);
                if (d > worst) {
                    worst = d;
                    at = i;
                }
            }
            if (worst > m_toleranceM) {
                keep[at] = 1;
                spans.push_back({ first, at });
                spans.push_back({ at, last });
            }
        }
        size_t out = 0;
        for (size_t i = 0; i < m_points.size(); ++i) {
            if (keep[i])
                m_points[out++] = m_points[i];
        }
        m_points.resize(out);
    }
}

} // namespace gcs
