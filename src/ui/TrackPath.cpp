#include "ui/TrackPath.h"

#include <cmath>

namespace gcs {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRad = kPi / 180.0;

double distanceBetween(const QPointF& a, const QPointF& b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

} // namespace

QPointF TrackPath::toLocal(double lat, double lon) const
{
    // Across the antimeridian the short way round counts.
    double dLon = lon - m_lon0;
    if (dLon > 180)
        dLon -= 360;
    else if (dLon < -180)
        dLon += 360;
    return QPointF(dLon * kRad * m_cosLat0 * kEarthRadius, (lat - m_lat0) * kRad * kEarthRadius);
}

bool TrackPath::add(double lat, double lon)
{
    if (!std::isfinite(lat) || !std::isfinite(lon) || std::abs(lat) > 90 || std::abs(lon) > 180)
        return false;
    if (!m_hasOrigin) {
        m_hasOrigin = true;
        m_lat0 = lat;
        m_lon0 = lon;
        m_cosLat0 = std::cos(lat * kRad);
        m_current = m_distanceAnchor = QPointF(0, 0);
        m_bounds = QRectF(m_current, m_current);
        m_points.push_back(m_current);
        return true;
    }
    m_current = toLocal(lat, lon);
    extend(m_current);
    const double moved = distanceBetween(m_current, m_distanceAnchor);
    if (moved > kInitialStep) {
        m_distance += moved;
        m_distanceAnchor = m_current;
    }
    if (distanceBetween(m_current, m_points.back()) > m_step)
        keep(m_current);
    return true;
}

void TrackPath::extend(const QPointF& p)
{
    // QRectF::united ignores an empty rectangle, and a track along a meridian is one.
    m_bounds.setLeft(std::min(m_bounds.left(), p.x()));
    m_bounds.setRight(std::max(m_bounds.right(), p.x()));
    m_bounds.setTop(std::min(m_bounds.top(), p.y()));
    m_bounds.setBottom(std::max(m_bounds.bottom(), p.y()));
}

void TrackPath::keep(const QPointF& p)
{
    m_points.push_back(p);
    if (int(m_points.size()) >= kCapacity)
        thin();
}

void TrackPath::thin()
{
    // A track that folds back on itself may thin less than by half at one step; double
    // again until a quarter of the room is free, so thinning stays rare.
    while (int(m_points.size()) > kCapacity * 3 / 4) {
        m_step *= 2;
        const QPointF newest = m_points.back();
        std::size_t kept = 1;
        for (std::size_t i = 1; i + 1 < m_points.size(); ++i) {
            if (distanceBetween(m_points[i], m_points[kept - 1]) > m_step)
                m_points[kept++] = m_points[i];
        }
        // The line still ends where the last kept point was.
        m_points[kept++] = newest;
        m_points.resize(kept);
    }
}

} // namespace gcs
