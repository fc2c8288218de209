#include "ui/LogLogChart.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>

namespace gcs {

namespace {

constexpr double kLeftPad = 56;
constexpr double kRightPad = 14;
constexpr double kTopPad = 26;
constexpr double kBottomPad = 40;
constexpr int kLabelPixels = 11;
constexpr double kLineWidth = 1.6;
constexpr double kMarkRadius = 2.2;
/// A little slack so that a point exactly on a power of ten does not open a new decade.
constexpr double kDecadeSlack = 1e-9;

double logOf(const QVariant& v)
{
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok && std::isfinite(d) && d > 0 ? std::log10(d)
                                           : std::numeric_limits<double>::quiet_NaN();
}

/// The label of the decade 10^k: plain from 0.001 to 10000, "1e5" and the like beyond.
QString decadeLabel(int k)
{
    if (k >= 0 && k <= 4)
        return QString::number(std::pow(10.0, k), 'f', 0);
    if (k < 0 && k >= -3)
        return QString::number(std::pow(10.0, k), 'f', -k);
    return QStringLiteral("1e%1").arg(k);
}

} // namespace

LogLogChart::LogLogChart(QQuickItem* parent)
    : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
    setOpaquePainting(false);
}

void LogLogChart::setSeries(const QVariantList& series)
{
    m_seriesValue = series;
    m_curves.clear();
    double xLo = std::numeric_limits<double>::infinity(), xHi = -xLo;
    double yLo = xLo, yHi = -xLo;
    for (const QVariant& entry : series) {
        const QVariantMap map = entry.toMap();
        Curve c;
        c.name = map.value(QStringLiteral("name")).toString();
        c.color = map.value(QStringLiteral("color")).value<QColor>();
        c.dashed = map.value(QStringLiteral("dashed")).toBool();
        const QVariantList xs = map.value(QStringLiteral("x")).toList();
        const QVariantList ys = map.value(QStringLiteral("y")).toList();
        const qsizetype n = std::min(xs.size(), ys.size());
        for (qsizetype i = 0; i < n; ++i) {
            double lx = logOf(xs.at(i));
            double ly = logOf(ys.at(i));
            if (std::isnan(lx) || std::isnan(ly)) {
                lx = ly = std::numeric_limits<double>::quiet_NaN();
            } else {
                c.drawn = true;
                xLo = std::min(xLo, lx);
                xHi = std::max(xHi, lx);
                yLo = std::min(yLo, ly);
                yHi = std::max(yHi, ly);
            }
            c.lx.append(lx);
            c.ly.append(ly);
        }
        m_curves.append(c);
    }
    const auto decades = [](double lo, double hi, Decades fallback) {
        if (!std::isfinite(lo))
            return fallback;
        Decades d { int(std::floor(lo + kDecadeSlack)), int(std::ceil(hi - kDecadeSlack)) };
        if (d.high <= d.low)
            d.high = d.low + 1;
        return d;
    };
    m_x = decades(xLo, xHi, kEmptyX);
    m_y = decades(yLo, yHi, kEmptyY);
    emit seriesChanged();
    update();
}

int LogLogChart::curveCount() const
{
    return int(
        std::count_if(m_curves.begin(), m_curves.end(), [](const Curve& c) { return c.drawn; }));
}

void LogLogChart::paint(QPainter* p)
{
    const QRectF plot(kLeftPad, kTopPad, width() - kLeftPad - kRightPad,
                      height() - kTopPad - kBottomPad);
    if (plot.width() < 40 || plot.height() < 40)
        return;
    QFont font(m_fontFamily.isEmpty() ? p->font().family() : m_fontFamily);
    font.setPixelSize(kLabelPixels);
    p->setFont(font);
    const QFontMetricsF metrics(font);

    const double xSpan = m_x.high - m_x.low;
    const double ySpan = m_y.high - m_y.low;
    const auto px = [&](double lx) { return plot.left() + (lx - m_x.low) / xSpan * plot.width(); };
    const auto py
        = [&](double ly) { return plot.bottom() - (ly - m_y.low) / ySpan * plot.height(); };

    // Grid: every decade, and fainter lines at 2 to 9 times it.
    QColor minor = m_gridColor;
    minor.setAlphaF(0.45);
    for (int axis = 0; axis < 2; ++axis) {
        const Decades& d = axis == 0 ? m_x : m_y;
        for (int k = d.low; k <= d.high; ++k) {
            for (int f = 1; f <= 9 && (f == 1 || k < d.high); ++f) {
                const double l = k + std::log10(double(f));
                p->setPen(QPen(f == 1 ? m_gridColor : minor, 1));
                if (axis == 0)
                    p->drawLine(QPointF(px(l), plot.top()), QPointF(px(l), plot.bottom()));
                else
                    p->drawLine(QPointF(plot.left(), py(l)), QPointF(plot.right(), py(l)));
            }
        }
    }
    p->setPen(QPen(m_gridColor, 1.2));
    p->setBrush(Qt::NoBrush);
    p->drawRect(plot);

    // Decade labels and axis titles.
    p->setPen(m_labelColor);
    for (int k = m_x.low; k <= m_x.high; ++k) {
        const QString label = decadeLabel(k);
        const double w = metrics.horizontalAdvance(label);
        p->drawText(QPointF(std::clamp(px(k) - w / 2, 0.0, width() - w),
                            plot.bottom() + 6 + metrics.ascent()),
                    label);
    }
    for (int k = m_y.low; k <= m_y.high; ++k) {
        const QString label = decadeLabel(k);
        p->drawText(QPointF(plot.left() - 6 - metrics.horizontalAdvance(label),
                            py(k) + metrics.ascent() / 2 - 1),
                    label);
    }
    if (!m_xTitle.isEmpty())
        p->drawText(QRectF(plot.left(), plot.bottom() + 20, plot.width(), 18),
                    Qt::AlignHCenter | Qt::AlignVCenter, m_xTitle);
    if (!m_yTitle.isEmpty())
        p->drawText(QRectF(0, 0, width(), kTopPad - 6), Qt::AlignLeft | Qt::AlignVCenter, m_yTitle);

    if (curveCount() == 0) {
        if (!m_emptyText.isEmpty())
            p->drawText(plot, Qt::AlignCenter | Qt::TextWordWrap, m_emptyText);
        return;
    }

    // Curves: a line through the points that are there, a mark on each.
    p->save();
    p->setClipRect(plot.adjusted(-kMarkRadius, -kMarkRadius, kMarkRadius, kMarkRadius));
    for (const Curve& c : m_curves) {
        QPen pen(c.color, kLineWidth);
        pen.setStyle(c.dashed ? Qt::DashLine : Qt::SolidLine);
        QPainterPath path;
        bool open = false;
        for (qsizetype i = 0; i < c.lx.size(); ++i) {
            if (std::isnan(c.lx[i])) {
                open = false;
                continue;
            }
            const QPointF at(px(c.lx[i]), py(c.ly[i]));
            if (open)
                path.lineTo(at);
            else
                path.moveTo(at);
            open = true;
        }
        p->setPen(pen);
        p->setBrush(Qt::NoBrush);
        p->drawPath(path);
        p->setPen(Qt::NoPen);
        p->setBrush(c.color);
        for (qsizetype i = 0; i < c.lx.size(); ++i) {
            if (!std::isnan(c.lx[i]))
                p->drawEllipse(QPointF(px(c.lx[i]), py(c.ly[i])), kMarkRadius, kMarkRadius);
        }
    }
    p->restore();

    // Legend in the upper right corner, two columns once there are more than three.
    const int columns = m_curves.size() > 3 ? 2 : 1;
    const int rows = int((m_curves.size() + columns - 1) / columns);
    double nameWidth = 0;
    for (const Curve& c : m_curves)
        nameWidth = std::max(nameWidth, metrics.horizontalAdvance(c.name));
    const double sample = 22, gap = 6, rowHeight = metrics.height() + 4, pad = 8;
    const double columnWidth = sample + gap + nameWidth + 10;
    const QRectF box(plot.right() - columns * columnWidth - 2 * pad + 10 - 6, plot.top() + 6,
                     columns * columnWidth + 2 * pad - 10, rows * rowHeight + 2 * pad - 4);
    QColor fill = m_legendColor;
    fill.setAlphaF(0.86);
    p->setPen(QPen(m_gridColor, 1));
    p->setBrush(fill);
    p->drawRoundedRect(box, 4, 4);
    for (qsizetype i = 0; i < m_curves.size(); ++i) {
        const Curve& c = m_curves.at(i);
        // Column-major, so that one kind of sensor fills one column.
        const double x = box.left() + pad + double(i / rows) * columnWidth;
        const double y = box.top() + pad - 2 + double(i % rows) * rowHeight + rowHeight / 2;
        QPen pen(c.color, 2);
        pen.setStyle(c.dashed ? Qt::DashLine : Qt::SolidLine);
        p->setPen(pen);
        p->drawLine(QPointF(x, y), QPointF(x + sample, y));
        p->setPen(m_labelColor);
        p->drawText(QPointF(x + sample + gap, y + metrics.ascent() / 2 - 1), c.name);
    }
}

} // namespace gcs
