#include "ui/ThermometerGauge.h"

#include "ui/ChartTicks.h"
#include "ui/PaintedLook.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace gcs {

namespace {

constexpr int kLabelPixels = 10;
constexpr double kTubeWidth = 12;
constexpr double kBulbRadius = 11;

} // namespace

ThermometerGauge::ThermometerGauge(QQuickItem* parent)
    : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
    setOpaquePainting(false);
}

void ThermometerGauge::setValue(double value)
{
    if (value == m_value || (std::isnan(value) && std::isnan(m_value)))
        return;
    m_value = value;
    emit valueChanged();
    update();
}

void ThermometerGauge::setMinimum(double value)
{
    if (value == m_minimum)
        return;
    m_minimum = value;
    emit scaleChanged();
    update();
}

void ThermometerGauge::setMaximum(double value)
{
    if (value == m_maximum)
        return;
    m_maximum = value;
    emit scaleChanged();
    update();
}

void ThermometerGauge::setOnline(bool online)
{
    if (online == m_online)
        return;
    m_online = online;
    emit valueChanged();
    update();
}

void ThermometerGauge::setFillColor(const QColor& c)
{
    setLook(this, m_fillColor, c);
}

void ThermometerGauge::setTubeColor(const QColor& c)
{
    setLook(this, m_tubeColor, c);
}

void ThermometerGauge::setScaleColor(const QColor& c)
{
    setLook(this, m_scaleColor, c);
}

void ThermometerGauge::setFontFamily(const QString& family)
{
    setLook(this, m_fontFamily, family);
}

double ThermometerGauge::level() const
{
    if (!m_online || !std::isfinite(m_value) || !(m_maximum > m_minimum))
        return 0;
    return std::clamp((m_value - m_minimum) / (m_maximum - m_minimum), 0.0, 1.0);
}

void ThermometerGauge::paint(QPainter* painter)
{
    painter->setRenderHint(QPainter::Antialiasing, true);
    QFont font(m_fontFamily);
    font.setPixelSize(kLabelPixels);
    painter->setFont(font);
    const QFontMetricsF metrics(font);

    // The tube stands left of centre so the scale labels fit at its right.
    const double labelWidth = metrics.horizontalAdvance(QStringLiteral("100")) + 6;
    const double cx = std::max(kBulbRadius + 2, (width() - labelWidth) / 2);
    const double top = 6 + metrics.height() / 2;
    const double bulbCy = height() - kBulbRadius - 4;
    const double tubeBottom = bulbCy - kBulbRadius * 0.6;
    const double tubeTop = top;
    const double scaleTop = tubeTop + kTubeWidth / 2;
    const double scaleBottom = tubeBottom - 2;
    if (scaleBottom <= scaleTop)
        return;

    QPainterPath glass;
    glass.addRoundedRect(QRectF(cx - kTubeWidth / 2, tubeTop, kTubeWidth, bulbCy - tubeTop),
                         kTubeWidth / 2, kTubeWidth / 2);
    glass.addEllipse(QPointF(cx, bulbCy), kBulbRadius, kBulbRadius);
    glass = glass.simplified();
    QColor inside = m_tubeColor;
    inside.setAlphaF(0.35);
    painter->setPen(QPen(m_tubeColor, 1.4));
    painter->setBrush(inside);
    painter->drawPath(glass);

    // Scale: a tick every 5 degrees, a label every 20, and the top of the range.
    const double range = m_maximum - m_minimum;
    const auto yOf = [&](double v) {
        return range > 0 ? scaleBottom - (v - m_minimum) / range * (scaleBottom - scaleTop)
                         : scaleBottom;
    };
    const double tickX = cx + kTubeWidth / 2 + 3;
    painter->setPen(QPen(m_scaleColor, 1.0));
    if (range > 0) {
        const double step = ChartTicks::niceStep(range, 17);
        for (double v = std::ceil(m_minimum / step) * step; v <= m_maximum + 1e-9; v += step) {
            const double y = yOf(v);
            const bool major = std::fmod(std::abs(v), 4 * step) < 1e-9;
            painter->drawLine(QPointF(tickX, y), QPointF(tickX + (major ? 6 : 3), y));
            if (major)
                painter->drawText(
                    QRectF(tickX + 8, y - metrics.height() / 2, labelWidth, metrics.height()),
                    Qt::AlignLeft | Qt::AlignVCenter, QString::number(v, 'f', 0));
        }
    }

    // The column of liquid, from the bulb up to the value.
    painter->setPen(Qt::NoPen);
    QColor liquid = m_fillColor;
    if (!m_online)
        liquid.setAlphaF(0.35);
    painter->setBrush(liquid);
    painter->drawEllipse(QPointF(cx, bulbCy), kBulbRadius - 3, kBulbRadius - 3);
    const double fillTop = scaleBottom - level() * (scaleBottom - scaleTop);
    const double inner = kTubeWidth - 6;
    if (m_online && level() > 0)
        painter->drawRoundedRect(QRectF(cx - inner / 2, fillTop, inner, bulbCy - fillTop),
                                 inner / 2, inner / 2);
}

} // namespace gcs
