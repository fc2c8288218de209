#pragma once

#include "ui/HeadingUnwrapper.h"
#include "ui/StripChart.h"

#include <QtQml/qqmlregistration.h>

namespace gcs {

/// The strip chart of a heading. Headings are unwrapped before they are stored, so a turn
/// through north draws on as a continuous line instead of jumping across the chart; the
/// grid labels show the compass heading (0 .. 360) of each line.
/// Its base is named with the namespace: QML's type tools take it as written.
class HeadingChart : public gcs::StripChart
{
    Q_OBJECT
    QML_ELEMENT
public:
    explicit HeadingChart(QQuickItem* parent = nullptr);

protected:
    double mapIncoming(double value) override { return m_unwrap.next(value); }
    QString tickLabel(double value, double span) const override;
    void onCleared() override { m_unwrap.reset(); }

private:
    HeadingUnwrapper m_unwrap;
};

} // namespace gcs
