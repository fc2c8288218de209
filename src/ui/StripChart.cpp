#include "ui/StripChart.h"

#include "ui/ChartTicks.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>

namespace gcs {

namespace {

constexpr double kTopPad = 8;
constexpr double kBottomPad = 8;
constexpr double kRightPad = 10;
constexpr int kLabelPixels = 11;
constexpr double kLineWidth = 1.6;
/// Vertical grid lines split the window into this many parts.
constexpr int kTimeDivisions = 4;

} // namespace

StripChart::StripChart(QQuickItem* parent)
    : QQuickPaintedItem(parent)
    , m_series(kDefaultWindowSec * kSamplesPerSecond)
    , m_range(1.0)
{
    setAntialiasing(true);
    setOpaquePainting(false);
    m_monotonic.start();
    m_sinceRepaint.start();
    m_coalesceTimer.setSingleShot(true);
    connect(&m_coalesceTimer, &QTimer::timeout, this, [this] { update(); });
    m_scrollTimer.setInterval(kScrollMs);
    connect(&m_scrollTimer, &QTimer::timeout, this, [this] { update(); });
}

void StripChart::setWindowSec(int seconds)
{
    seconds = std::clamp(seconds, kMinWindowSec, kMaxWindowSec);
    if (seconds == m_windowSec)
        return;
    m_windowSec = seconds;
    m_series.setCapacity(seconds * kSamplesPerSecond);
    // A shorter window shows less at once: what fell out of it goes now, not at the next
    // sample.
    m_series.trim(now() - m_windowSec);
    emit windowSecChanged();
    requestRepaint();
}

void StripChart::setMinSpan(double span)
{
    if (span == m_range.minSpan())
        return;
    m_range.setMinSpan(span);
    if (m_series.isEmpty())
        m_range.reset();
    emit rangeOptionsChanged();
    requestRepaint();
}

void StripChart::setFixedRange(bool fixed)
{
    if (fixed == m_fixedRange)
        return;
    m_fixedRange = fixed;
    applyRange();
    emit rangeOptionsChanged();
}

void StripChart::setFixedMin(double value)
{
    if (value == m_fixedMin)
        return;
    m_fixedMin = value;
    applyRange();
    emit rangeOptionsChanged();
}

void StripChart::setFixedMax(double value)
{
    if (value == m_fixedMax)
        return;
    m_fixedMax = value;
    applyRange();
    emit rangeOptionsChanged();
}

void StripChart::applyRange()
{
    if (m_fixedRange && m_fixedMax > m_fixedMin)
        m_range.setFixed(m_fixedMin, m_fixedMax);
    else
        m_range.clearFixed();
    requestRepaint();
}

void StripChart::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    if (!m_active)
        clear();
    updateScrollTimer();
    emit activeChanged();
}

void StripChart::setReduceMotion(bool reduce)
{
    if (reduce == m_reduceMotion)
        return;
    m_reduceMotion = reduce;
    if (m_reduceMotion)
        m_coalesceTimer.stop();
    updateScrollTimer();
    emit reduceMotionChanged();
    update();
}

void StripChart::setLineColor(const QColor& c)
{
    if (c == m_lineColor)
        return;
    m_lineColor = c;
    emit lookChanged();
    update();
}

void StripChart::setGridColor(const QColor& c)
{
    if (c == m_gridColor)
        return;
    m_gridColor = c;
    emit lookChanged();
    update();
}

void StripChart::setLabelColor(const QColor& c)
{
    if (c == m_labelColor)
        return;
    m_labelColor = c;
    emit lookChanged();
    update();
}

void StripChart::setFontFamily(const QString& family)
{
    if (family == m_fontFamily)
        return;
    m_fontFamily = family;
    emit lookChanged();
    update();
}

bool StripChart::addSample(double value)
{
    if (!std::isfinite(value))
        return false;
    const double t = now();
    if (!m_series.append(t, mapIncoming(value)))
        return false;
    m_series.trim(t - m_windowSec);
    if (m_series.size() == 1)
        updateScrollTimer();
    requestRepaint();
    return true;
}

void StripChart::clear()
{
    m_series.clear();
    m_range.reset();
    onCleared();
    updateScrollTimer();
    update();
}

double StripChart::newestValue() const
{
    return m_series.isEmpty() ? std::numeric_limits<double>::quiet_NaN() : m_series.newest().v;
}

void StripChart::setClock(std::function<double()> clock)
{
    m_clock = std::move(clock);
}

double StripChart::now() const
{
    if (m_clock)
        return m_clock();
    return double(m_monotonic.nsecsElapsed()) / 1e9;
}

QString StripChart::tickLabel(double value, double span) const
{
    return ChartTicks::label(value, span);
}

void StripChart::itemChange(ItemChange change, const ItemChangeData& value)
{
    QQuickPaintedItem::itemChange(change, value);
    if (change == ItemVisibleHasChanged)
        updateScrollTimer();
}

void StripChart::requestRepaint()
{
    if (m_reduceMotion) {
        update();
        return;
    }
    const qint64 since = m_sinceRepaint.elapsed();
    if (since >= kCoalesceMs) {
        m_coalesceTimer.stop();
        m_sinceRepaint.restart();
        update();
    } else if (!m_coalesceTimer.isActive()) {
        m_coalesceTimer.start(int(kCoalesceMs - since));
    }
}

void StripChart::updateScrollTimer()
{
    const bool run = m_active && !m_reduceMotion && isVisible() && !m_series.isEmpty();
    if (run && !m_scrollTimer.isActive())
        m_scrollTimer.start();
    else if (!run)
        m_scrollTimer.stop();
}

void StripChart::buildLine(const QRectF& plot, double windowStart)
{
    // Per pixel column only the first, lowest, highest and last sample matter: the
    // thinned line looks the same as the full one at a fraction of the points.
    m_line.clear();
    const int n = m_series.size();
    if (n == 0)
        return;
    const double xScale = plot.width() / m_windowSec;
    const double lo = m_range.lo();
    const double ySpan = m_range.hi() - lo;
    const double yScale = ySpan > 0 ? plot.height() / ySpan : 0;
    const auto yOf = [&](double v) { return plot.bottom() - (v - lo) * yScale; };

    int column = std::numeric_limits<int>::min();
    double first = 0, low = 0, high = 0, last = 0, columnX = 0;
    int inColumn = 0;
    const auto flush = [&] {
        if (inColumn == 0)
            return;
        m_line.append(QPointF(columnX, yOf(first)));
        if (inColumn > 1) {
            if (low != first)
                m_line.append(QPointF(columnX, yOf(low)));
            if (high != low)
                m_line.append(QPointF(columnX, yOf(high)));
            m_line.append(QPointF(columnX, yOf(last)));
        }
    };
    for (int i = 0; i < n; ++i) {
        const ChartSeries::Sample& s = m_series.at(i);
        const double x = plot.left() + (s.t - windowStart) * xScale;
        const int c = int(std::floor(x));
        if (c != column || x < plot.left()) {
            flush();
            column = c;
            columnX = x;
            first = low = high = last = s.v;
            inColumn = 1;
            continue;
        }
        low = std::min(low, s.v);
        high = std::max(high, s.v);
        last = s.v;
        ++inColumn;
    }
    flush();
}

void StripChart::paint(QPainter* painter)
{
    m_sinceRepaint.restart();
    const double t = now();
    const double windowStart = t - m_windowSec;
    m_series.trim(windowStart);
    double lo = 0, hi = 0;
    const bool hasData = m_series.extent(windowStart, lo, hi);
    m_range.step(hasData, lo, hi);

    const QRectF bounds(0, 0, width(), height());
    const QRectF plot(bounds.left() + kLabelWidth, bounds.top() + kTopPad,
                      std::max(1.0, bounds.width() - kLabelWidth - kRightPad),
                      std::max(1.0, bounds.height() - kTopPad - kBottomPad));
    painter->setRenderHint(QPainter::Antialiasing, true);

    // Grid: round values across, the window in quarters along.
    QFont font(m_fontFamily);
    font.setPixelSize(kLabelPixels);
    painter->setFont(font);
    const QFontMetricsF metrics(font);
    const double span = m_range.span();
    const double yScale = span > 0 ? plot.height() / span : 0;
    QPen gridPen(m_gridColor, 1.0);
    gridPen.setCosmetic(true);
    const int tickTarget = plot.height() < 90 ? 3 : 5;
    for (double v : ChartTicks::positions(m_range.lo(), m_range.hi(), tickTarget)) {
        const double y = std::round(plot.bottom() - (v - m_range.lo()) * yScale) + 0.5;
        painter->setPen(gridPen);
        painter->drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter->setPen(m_labelColor);
        const QRectF box(0, y - metrics.height() / 2, kLabelWidth - 8, metrics.height());
        painter->drawText(box, Qt::AlignRight | Qt::AlignVCenter, tickLabel(v, span));
    }
    QColor faintGrid = m_gridColor;
    faintGrid.setAlphaF(faintGrid.alphaF() * 0.55);
    QPen timePen(faintGrid, 1.0, Qt::DashLine);
    timePen.setCosmetic(true);
    painter->setPen(timePen);
    for (int i = 1; i < kTimeDivisions; ++i) {
        const double x = std::round(plot.left() + plot.width() * i / kTimeDivisions) + 0.5;
        painter->drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
    QPen framePen(m_gridColor, 1.0);
    framePen.setCosmetic(true);
    painter->setPen(framePen);
    painter->drawLine(QPointF(plot.left() + 0.5, plot.top()),
                      QPointF(plot.left() + 0.5, plot.bottom()));

    if (!hasData)
        return;
    buildLine(plot, windowStart);

    painter->save();
    painter->setClipRect(plot.adjusted(0, -2, 2, 2));
    // A soft wash under the line, fading towards the bottom.
    if (m_line.size() >= 2) {
        QPainterPath area;
        area.moveTo(m_line.first().x(), plot.bottom());
        for (const QPointF& p : std::as_const(m_line))
            area.lineTo(p);
        area.lineTo(m_line.last().x(), plot.bottom());
        area.closeSubpath();
        QLinearGradient wash(0, plot.top(), 0, plot.bottom());
        QColor top = m_lineColor;
        top.setAlphaF(0.22);
        QColor bottom = m_lineColor;
        bottom.setAlphaF(0.0);
        wash.setColorAt(0, top);
        wash.setColorAt(1, bottom);
        painter->setPen(Qt::NoPen);
        painter->setBrush(wash);
        painter->drawPath(area);
    }
    QPen linePen(m_lineColor, kLineWidth);
    linePen.setJoinStyle(Qt::RoundJoin);
    linePen.setCapStyle(Qt::RoundCap);
    painter->setPen(linePen);
    painter->setBrush(Qt::NoBrush);
    painter->drawPolyline(m_line);
    // The newest value, where the line meets "now".
    const QPointF head = m_line.last();
    painter->setPen(Qt::NoPen);
    painter->setBrush(m_lineColor);
    painter->drawEllipse(head, 3.0, 3.0);
    painter->restore();
}

} // namespace gcs
