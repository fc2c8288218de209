#pragma once

#include <QString>
#include <QVector>

namespace gcs {

/// Where a chart's horizontal grid lines go and how their values are written.
class ChartTicks
{
public:
    /// Anything closer to zero than this is written "0.0" (no "-0.00" under a noisy zero).
    static constexpr double kZero = 0.0001;

    /// The label of value on an axis spanning span: no decimals from a span of 50, one
    /// from 5, two below.
    static QString label(double value, double span);
    /// Decimals used for a span (0, 1 or 2).
    static int decimals(double span);

    /// Round values (1, 2 or 5 times a power of ten apart) inside lo .. hi, about
    /// targetCount of them and never more than 2 * targetCount; empty when the range is
    /// empty or not finite.
    static QVector<double> positions(double lo, double hi, int targetCount = 5);
    /// The step positions() uses: the smallest round step giving at most targetCount
    /// intervals over span.
    static double niceStep(double span, int targetCount);
};

} // namespace gcs
