#pragma once

namespace gcs {

/// Turns a heading that wraps at north into a continuous angle for plotting: each new
/// heading is brought into 0 .. 360, its step from the previous heading folded into
/// -180 .. 180 and added up. A pass from 359° to 1° is a step of +2°, not -358°.
class HeadingUnwrapper
{
public:
    /// Heading in 0 .. 360 for any angle in degrees (360 itself gives 0).
    static double normalize(double degrees);
    /// A step between two headings folded into -180 .. 180 (exactly half a turn: +180).
    static double foldStep(double step);

    /// The continuous angle for the next heading; the first heading is taken as it is
    /// (normalised). A non-finite heading is returned unchanged and not remembered.
    double next(double heading);
    void reset();
    bool hasPrevious() const { return m_has; }

private:
    bool m_has = false;
    double m_previous = 0; ///< last heading, normalised
    double m_unwrapped = 0;
};

} // namespace gcs
