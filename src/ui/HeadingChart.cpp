#include "ui/HeadingChart.h"

#include "ui/ChartTicks.h"

namespace gcs {

HeadingChart::HeadingChart(QQuickItem* parent)
    : StripChart(parent)
{
    setMinSpan(10.0);
}

QString HeadingChart::tickLabel(double value, double span) const
{
    return ChartTicks::label(HeadingUnwrapper::normalize(value), span);
}

} // namespace gcs
