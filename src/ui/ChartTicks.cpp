#include "ui/ChartTicks.h"

#include <cmath>

namespace gcs {

int ChartTicks::decimals(double span)
{
    if (span >= 50)
        return 0;
    if (span >= 5)
        return 1;
    return 2;
}

QString ChartTicks::label(double value, double span)
{
    if (std::abs(value) < kZero)
        return QStringLiteral("0.0");
    return QString::number(value, 'f', decimals(span));
}

double ChartTicks::niceStep(double span, int targetCount)
{
    if (!(span > 0) || !std::isfinite(span))
        return 0;
    if (targetCount < 1)
        targetCount = 1;
    const double rough = span / targetCount;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    for (double f : { 1.0, 2.0, 5.0, 10.0 }) {
        if (f * magnitude >= rough * (1 - 1e-9))
            return f * magnitude;
    }
    return 10 * magnitude;
}

QVector<double> ChartTicks::positions(double lo, double hi, int targetCount)
{
    QVector<double> out;
    if (!std::isfinite(lo) || !std::isfinite(hi) || !(hi > lo))
        return out;
    const double step = niceStep(hi - lo, targetCount);
    if (!(step > 0))
        return out;
    const double first = std::ceil(lo / step - 1e-9) * step;
    for (int i = 0;; ++i) {
        // Multiplying keeps the positions exact where repeated adding would drift.
        const double v = first + i * step;
        if (v > hi + step * 1e-9 || out.size() > 2 * targetCount)
            break;
        out.append(std::abs(v) < step * 1e-9 ? 0.0 : v);
    }
    return out;
}

} // namespace gcs
