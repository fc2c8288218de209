#pragma once

#include <QtGlobal>

#include <limits>
#include <vector>

namespace gcs {

/// What the figures of an inertial sensor are read from on its Allan deviation curve
/// (IEEE Std 952): the white-noise line of slope −½ read at τ = 1 s (angle or velocity
/// random walk), and the curve's minimum (bias instability).
class NoiseFigures
{
public:
    /// The flat floor a flicker (bias instability) noise B leaves on the curve is
    /// √(2 ln 2 / π) · B.
    static constexpr double kBiasFactor = 0.664;
    /// Standard gravity, m/s² per g.
    static constexpr double kGravity = 9.80665;
    /// A point belongs to the white-noise region when the curve falls this steeply
    /// around it: −½ within ±kSlopeTolerance. 0.1 leaves out where another noise adds a
    /// fifth or more to the variance (a slope of −0.4 or flatter), and quantisation noise
    /// (slope −1).
    static constexpr double kSlopeTolerance = 0.1;
    /// The local slope at a point is that of the chord to the first point at least this
    /// many decades further on: short enough to stay local, long enough to average out the
    /// scatter of neighbouring points.
    static constexpr double kSlopeSpan = 0.3;
    /// A white-noise region is taken when at least this many points in a row qualify.
    static constexpr int kMinRegionPoints = 3;

    struct WhiteLine
    {
        /// The line's value at τ = 1 s; NaN when the curve shows no white-noise region.
        double at1s = std::numeric_limits<double>::quiet_NaN();
    };
    struct Minimum
    {
        double value = std::numeric_limits<double>::quiet_NaN();
        double tau = std::numeric_limits<double>::quiet_NaN();
        /// The minimum is the curve's last point: the curve may still fall further, so
        /// the figure is an upper bound.
        bool atEnd = false;
    };

    /// The line of slope −½ through the white-noise region, evaluated at τ = 1 s. The
    /// region is the first run (from the short end) of at least kMinRegionPoints points
    /// whose local slope is −½ within the tolerance, else the longest such run; the line
    /// through it is the least-squares fit of log σ = c − ½ log τ, so σ(1 s) is the
    /// geometric mean of σ·√τ over the region. This holds wherever the region lies: the
    /// line is extended to 1 s when 1 s is not on the curve or not in the region.
    static WhiteLine whiteLine(const std::vector<double>& tau, const std::vector<double>& adev);
    /// The smallest finite value of the curve and its τ.
    static Minimum minimum(const std::vector<double>& tau, const std::vector<double>& adev);
};

} // namespace gcs
