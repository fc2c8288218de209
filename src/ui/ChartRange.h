#pragma once

namespace gcs {

/// The value range a chart shows on its vertical axis.
///
/// A fixed range stays as given. Otherwise the target is centred on the data, 1.3 times
/// as tall as the data's spread but never shorter than the minimum span (with no data:
/// the minimum span around 0). The shown range jumps to the target as soon as the data
/// leaves it, so no point is ever drawn outside the chart, and otherwise glides 8 % of
/// the way towards it per repaint, so a calming signal zooms in smoothly.
class ChartRange
{
public:
    struct Span
    {
        double lo = 0;
        double hi = 0;
    };

    static constexpr double kHeadroom = 1.3;
    static constexpr double kEasing = 0.08;

    explicit ChartRange(double minSpan = 1.0);

    /// A non-positive or non-finite span counts as 1.
    void setMinSpan(double span);
    double minSpan() const { return m_minSpan; }

    /// Shows exactly lo .. hi from now on (ignored unless hi > lo and both are finite).
    void setFixed(double lo, double hi);
    void clearFixed();
    bool isFixed() const { return m_fixed; }

    /// Where the range would settle for data spanning lo .. hi, or for no data.
    static Span target(double minSpan, bool hasData, double lo, double hi);

    /// One repaint: moves the shown range towards the target for this data.
    void step(bool hasData, double lo, double hi);
    /// Forgets the glide and shows the target for no data (a cleared chart).
    void reset();

    double lo() const { return m_shown.lo; }
    double hi() const { return m_shown.hi; }
    double span() const { return m_shown.hi - m_shown.lo; }

private:
    double m_minSpan = 1.0;
    bool m_fixed = false;
    Span m_shown;
};

} // namespace gcs
