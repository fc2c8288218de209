#pragma once

#include <QPointF>
#include <QRectF>

#include <vector>

namespace gcs {

/// The GNSS track of one drive in local east/north metres around its first fix, with
/// bounded memory however long the drive.
///
/// Positions go onto a local tangent plane at the first fix: east = Δlon · cos(lat0) · R,
/// north = Δlat · R (angles in radians, R the mean earth radius). Over the few tens of
/// kilometres a monitored drive covers, that is off by far less than a GNSS fix is.
///
/// A position is kept as a point of the line only when it lies farther than the current
/// step (1 m to start with) from the last kept point, so a standing vehicle adds nothing
/// and a fast stream adds no more points than a slow one over the same way. When the line
/// holds kCapacity points, the step doubles and the line is thinned to it again, halving
/// its resolution; the newest position is always known apart from the kept points.
class TrackPath
{
public:
    static constexpr double kEarthRadius = 6371008.8;
    static constexpr double kInitialStep = 1.0;
    static constexpr int kCapacity = 16384;

    /// Adds one position (degrees); the first one becomes the origin. Returns false, and
    /// changes nothing, for a position that is not finite or outside the earth's range.
    bool add(double lat, double lon);
    /// Back to no fix; the points' memory goes too.
    void clear() { *this = TrackPath(); }

    bool isEmpty() const { return !m_hasOrigin; }
    /// The first fix (degrees); 0 before it.
    double originLat() const { return m_lat0; }
    double originLon() const { return m_lon0; }
    /// The kept points, in metres from the origin, oldest first.
    const std::vector<QPointF>& points() const { return m_points; }
    /// The newest position, in metres from the origin.
    QPointF current() const { return m_current; }
    /// The extent of every position added, in metres.
    QRectF bounds() const { return m_bounds; }
    /// The distance a kept point must lie from the one before it.
    double step() const { return m_step; }
    /// The way travelled, summed over moves of more than the initial step, so that the
    /// jitter of a standing fix does not add up; independent of the thinning.
    double distance() const { return m_distance; }
    /// A position in metres from the origin (the origin itself before the first fix).
    QPointF toLocal(double lat, double lon) const;

private:
    void keep(const QPointF& p);
    void thin();
    void extend(const QPointF& p);

    bool m_hasOrigin = false;
    double m_lat0 = 0;
    double m_lon0 = 0;
    double m_cosLat0 = 1;
    double m_step = kInitialStep;
    double m_distance = 0;
    QPointF m_current;
    QPointF m_distanceAnchor;
    QRectF m_bounds;
    std::vector<QPointF> m_points;
};

} // namespace gcs
