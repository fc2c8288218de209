#pragma once

#include "ins/RecPacketFormat.h"

#include <QtGlobal>

#include <vector>

namespace gcs {

/// Keeps a GNSS track small enough to draw, however long the recording, while keeping
/// its first and last point and its shape. Points closer than the current tolerance to
/// the last one kept are passed over as they arrive; whenever the points kept reach
/// twice kMaxPoints, the tolerance doubles and the track is simplified with the
/// Douglas-Peucker rule until at most kMaxPoints are left. Memory is bounded by
/// 2 × kMaxPoints points.
class TrackThinner
{
public:
    struct Point
    {
        double lon = 0;
        double lat = 0;
        double alt = 0;
        /// The format of the record it came from, which tells how it is written out.
        RecPacketFormat format = RecNullFormat;
    };

    static constexpr int kMaxPoints = 20000;
    /// The first tolerance, in metres; a track that fits keeps every point further apart.
    static constexpr double kStartToleranceM = 0.01;

    void add(const Point& point);
    /// The track at most kMaxPoints long, the first and the last point included.
    std::vector<Point> finish();
    qint64 added() const { return m_added; }
    double toleranceM() const { return m_toleranceM; }

private:
    /// Distance in metres on a plane through the first point (short spans only).
    double distanceM(const Point& a, const Point& b) const;
    double offLineM(const Point& p, const Point& a, const Point& b) const;
    void simplify();

    std::vector<Point> m_points;
    Point m_last;
    bool m_lastPending = false;
    qint64 m_added = 0;
    double m_toleranceM = kStartToleranceM;
    double m_metresPerLonDeg = 0;
};

} // namespace gcs
