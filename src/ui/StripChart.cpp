#include "ui/StripChart.h"

#include "ui/ChartTicks.h"
#include "ui/PaintedLook.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

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
    setLook(this, m_lineColor, c);
}

void StripChart::setGridColor(const QColor& c)
{
    setLook(this, m_gridColor, c);
}

void StripChart::setLabelColor(const QColor& c)
{
    setLook(this, m_labelColor, c);
}

void StripChart::setFontFamily(const QString& family)
{
    setLook(this, m_fontFamily, family);
}

bool StripChart::addSample(double value)
{
    return addSampleAt(now(), value);
}

bool StripChart::addSampleAt(double t, double value)
{
    if (!std::isfinite(value))
        return false;
    if (!m_series.appendThinned(t, mapIncoming(value), 1.0 / kSamplesPerSecond))
        return false;
    ++m_taken;
    m_series.trim(now() - m_windowSec);
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

void StripChart::setClock(ChartClock* clock)
{
    if (clock == m_clock)
        return;
    disconnect(m_clockSourceConnection);
    disconnect(m_clockFrameConnection);
    disconnect(m_clockPacedConnection);
    m_clock = clock;
    if (m_clock) {
        m_clockSourceConnection
            = connect(m_clock, &ChartClock::sourceChanged, this, &StripChart::clear);
        m_clockFrameConnection
            = connect(m_clock, &ChartClock::frame, this, &StripChart::onClockFrame);
        m_clockPacedConnection
            = connect(m_clock, &ChartClock::pacedChanged, this, &StripChart::updateScrollTimer);
    }
    clear();
    emit clockChanged();
}

double StripChart::now() const
{
    return m_clock ? m_clock->now() : ChartClock::monotonicSeconds();
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
    if (paced()) {
        m_repaintDue = true;
        return;
    }
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

void StripChart::onClockFrame()
{
    if (!paced() || !isVisible())
        return;
    if (scrolls() || m_repaintDue) {
        m_repaintDue = false;
        update();
    }
}

void StripChart::updateScrollTimer()
{
    const bool run = !paced() && scrolls();
    if (run && !m_scrollTimer.isActive())
        m_scrollTimer.start();
    else if (!run)
        m_scrollTimer.stop();
}

void StripChart::buildLine(const QRectF& plot, double windowStart)
{
    // The line is rasterised by pixel column: each column keeps the lowest and highest
    // y that the polyline through the samples passes in it, and the span between them,
    // widened by half the line width, is filled as a one-pixel-wide rectangle. That
    // looks like the stroked line, keeps every spike, and costs about the same for 2000
    // samples as for 30000: axis-aligned rectangles are the raster engine's cheapest
    // shape, where stroking a long, dense polyline is among its dearest.
    m_band.clear();
    m_wash.clear();
    const int n = m_series.size();
    const int columns = int(std::ceil(plot.width()));
    if (n == 0 || columns < 1)
        return;
    m_colLo.assign(size_t(columns), std::numeric_limits<float>::max());
    m_colHi.assign(size_t(columns), std::numeric_limits<float>::lowest());
    const double xScale = plot.width() / m_windowSec;
    const double lo = m_range.lo();
    const double ySpan = m_range.hi() - lo;
    const double yScale = ySpan > 0 ? plot.height() / ySpan : 0;
    const auto xOf = [&](double t) { return (t - windowStart) * xScale; }; // from plot left
    const auto yOf = [&](double v) { return plot.bottom() - (v - lo) * yScale; };
    const auto mark = [&](int c, double y) {
        const float f = float(y);
        m_colLo[size_t(c)] = std::min(m_colLo[size_t(c)], f);
        m_colHi[size_t(c)] = std::max(m_colHi[size_t(c)], f);
    };

    int first = columns, last = -1;
    bool started = false;
    double x0 = 0, y0 = 0;
    m_series.forEach([&](const ChartSeries::Sample& s) {
        const double x1 = xOf(s.t);
        const double y1 = yOf(s.v);
        if (!started) {
            started = true;
            x0 = x1;
            y0 = y1;
            if (n == 1 && x1 >= 0) {
                first = last = std::min(columns - 1, int(x1));
                mark(first, y1);
            }
            return;
        }
        // The columns this segment crosses, clipped to the plot.
        const int c0 = std::max(0, int(std::floor(x0)));
        const int c1 = std::min(columns - 1, int(std::floor(x1)));
        if (c0 == c1 && x0 >= 0) {
            // Both ends in one column, the common case of a dense window.
            mark(c0, y0);
            mark(c0, y1);
        } else {
            const double dx = x1 - x0;
            for (int c = c0; c <= c1; ++c) {
                const double xa = std::max(x0, double(c));
                const double xb = std::min(x1, double(c + 1));
                mark(c, dx > 0 ? y0 + (y1 - y0) * (xa - x0) / dx : y0);
                mark(c, dx > 0 ? y0 + (y1 - y0) * (xb - x0) / dx : y1);
            }
        }
        if (c0 <= c1) {
            first = std::min(first, c0);
            last = std::max(last, c1);
        }
        x0 = x1;
        y0 = y1;
    });
    if (last < first)
        return;
    m_wash.append(QPointF(plot.left() + last + 0.5, plot.bottom()));
    m_wash.append(QPointF(plot.left() + first + 0.5, plot.bottom()));

    const double half = kLineWidth / 2;
    m_band.reserve(last - first + 1);
    m_wash.reserve(last - first + 3);
    for (int c = first; c <= last; ++c) {
        const double top = m_colLo[size_t(c)];
        m_band.append(
            QRectF(plot.left() + c, top - half, 1.0, m_colHi[size_t(c)] - top + 2 * half));
        m_wash.append(QPointF(plot.left() + c + 0.5, top));
    }
    // The head sits on the newest sample itself.
    m_head = QPointF(plot.left() + xOf(m_series.newest().t), yOf(m_series.newest().v));
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
    painter->setPen(Qt::NoPen);
    // A soft wash under the line, fading towards the bottom.
    if (!m_wash.isEmpty()) {
        QLinearGradient wash(0, plot.top(), 0, plot.bottom());
        QColor top = m_lineColor;
        top.setAlphaF(0.22);
        QColor bottom = m_lineColor;
        bottom.setAlphaF(0.0);
        wash.setColorAt(0, top);
        wash.setColorAt(1, bottom);
        painter->setBrush(wash);
        // Faint enough that its edge needs no antialiasing, which makes it cheap.
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->drawPolygon(m_wash);
        painter->setRenderHint(QPainter::Antialiasing, true);
    }
    painter->setBrush(m_lineColor);
    painter->drawRects(m_band);
    // The newest value, where the line meets "now".
    painter->drawEllipse(m_head, 3.0, 3.0);
    painter->restore();
}

} // namespace gcs
