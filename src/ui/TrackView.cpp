#include "ui/TrackView.h"

#include <QCursor>
#include <QFont>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace gcs {

namespace {

/// The scale bar (and grid spacing) is the shortest round length at least this long.
constexpr double kMinBarPixels = 70;
constexpr double kLineWidth = 2.2;
constexpr double kMarkerSize = 11;
constexpr int kLabelPixels = 11;
/// One wheel notch (120 eighths of a degree) zooms by this factor.
constexpr double kWheelZoom = 1.25;

} // namespace

TrackView::TrackView(QQuickItem* parent)
    : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
    setOpaquePainting(false);
    setAcceptedMouseButtons(Qt::LeftButton);
#if QT_CONFIG(cursor)
    setCursor(Qt::OpenHandCursor);
#endif
    m_coalesceTimer.setSingleShot(true);
    m_coalesceTimer.setInterval(kCoalesceMs);
    connect(&m_coalesceTimer, &QTimer::timeout, this, [this] {
        if (m_trackDirty) {
            m_trackDirty = false;
            emit trackChanged();
        }
        update();
    });
}

void TrackView::setAutoFit(bool on)
{
    if (on == m_autoFit)
        return;
    m_autoFit = on;
    if (m_autoFit)
        applyFit();
    emit viewChanged();
}

bool TrackView::addFix(double lat, double lon, double heading, const QString& gnssStatus)
{
    // The bridge's fix texts of a unit that has no position: a GNSS fault, or invalid.
    if (gnssStatus == QStringLiteral("故障") || gnssStatus == QStringLiteral("无效"))
        return false;
    if (lat == 0 && lon == 0)
        return false;
    const bool first = m_path.isEmpty();
    if (!m_path.add(lat, lon))
        return false;
    m_heading = std::isfinite(heading) ? heading : std::numeric_limits<double>::quiet_NaN();
    if (m_autoFit)
        applyFit();
    if (first)
        emit trackChanged();
    else
        m_trackDirty = true;
    requestRepaint();
    return true;
}

void TrackView::clear()
{
    m_path.clear();
    m_heading = std::numeric_limits<double>::quiet_NaN();
    m_line.clear();
    m_trackDirty = false;
    emit trackChanged();
    update();
}

void TrackView::fit()
{
    // While autoFit is on the view is fitted already: every fix and resize fits it again.
    setAutoFit(true);
}

void TrackView::applyFit()
{
    if (m_path.isEmpty() || width() <= 0 || height() <= 0)
        return;
    const QRectF b = m_path.bounds();
    const double spanX = std::max(b.width(), kMinFitSpan);
    const double spanY = std::max(b.height(), kMinFitSpan);
    const double roomX = std::max(1.0, width() - 2 * kFitMargin);
    const double roomY = std::max(1.0, height() - 2 * kFitMargin);
    setView(std::min(roomX / spanX, roomY / spanY), b.center());
}

void TrackView::setView(double scale, const QPointF& centre)
{
    scale = std::clamp(scale, kMinPixelsPerMetre, kMaxPixelsPerMetre);
    if (scale == m_scale && centre == m_centre)
        return;
    m_scale = scale;
    m_centre = centre;
    emit viewChanged();
    requestRepaint();
}

void TrackView::zoomStep(double factor)
{
    // The buttons zoom about the vehicle while it is in sight, else about the middle.
    const QPointF here = itemPoint(m_path.current());
    const bool inSight = hasFix() && QRectF(0, 0, width(), height()).contains(here);
    zoomAt(factor, inSight ? here : QPointF(width() / 2, height() / 2));
}

void TrackView::zoomAt(double factor, const QPointF& at)
{
    if (!(factor > 0) || !std::isfinite(factor))
        return;
    const double scale = std::clamp(m_scale * factor, kMinPixelsPerMetre, kMaxPixelsPerMetre);
    const QPointF offset(at.x() - width() / 2, at.y() - height() / 2);
    // The ground point under at, before and after.
    const QPointF ground(m_centre.x() + offset.x() / m_scale, m_centre.y() - offset.y() / m_scale);
    leaveAutoFit();
    setView(scale, QPointF(ground.x() - offset.x() / scale, ground.y() + offset.y() / scale));
}

void TrackView::panBy(double dx, double dy)
{
    leaveAutoFit();
    setView(m_scale, QPointF(m_centre.x() - dx / m_scale, m_centre.y() + dy / m_scale));
}

void TrackView::leaveAutoFit()
{
    if (!m_autoFit)
        return;
    m_autoFit = false;
    emit viewChanged();
}

QPointF TrackView::itemPoint(const QPointF& metres) const
{
    return QPointF(width() / 2 + (metres.x() - m_centre.x()) * m_scale,
                   height() / 2 - (metres.y() - m_centre.y()) * m_scale);
}

double TrackView::scaleBarMetres() const
{
    const double least = kMinBarPixels / m_scale;
    double power = std::pow(10.0, std::floor(std::log10(least)));
    for (;;) {
        for (double m : { 1.0, 2.0, 5.0 }) {
            if (m * power >= least * (1 - 1e-9))
                return m * power;
        }
        power *= 10;
    }
}

QString TrackView::scaleBarText() const
{
    const double m = scaleBarMetres();
    if (m >= 1000)
        return QString::number(m / 1000, 'g', 6) + QStringLiteral(" km");
    return QString::number(m, 'g', 6) + QStringLiteral(" m");
}

void TrackView::requestRepaint()
{
    if (!m_coalesceTimer.isActive())
        m_coalesceTimer.start();
}

void TrackView::geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry)
{
    QQuickPaintedItem::geometryChange(newGeometry, oldGeometry);
    if (m_autoFit)
        applyFit();
}

void TrackView::mousePressEvent(QMouseEvent* event)
{
    m_dragFrom = event->position();
    m_dragging = true;
#if QT_CONFIG(cursor)
    setCursor(Qt::ClosedHandCursor);
#endif
    event->accept();
}

void TrackView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return;
    const QPointF delta = event->position() - m_dragFrom;
    m_dragFrom = event->position();
    panBy(delta.x(), delta.y());
    event->accept();
}

void TrackView::mouseReleaseEvent(QMouseEvent* event)
{
    m_dragging = false;
#if QT_CONFIG(cursor)
    setCursor(Qt::OpenHandCursor);
#endif
    event->accept();
}

void TrackView::mouseDoubleClickEvent(QMouseEvent* event)
{
    fit();
    event->accept();
}

void TrackView::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0)
        zoomAt(std::pow(kWheelZoom, notches), event->position());
    event->accept();
}

void TrackView::paint(QPainter* painter)
{
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setRenderHint(QPainter::TextAntialiasing, true);
    if (width() < 40 || height() < 40)
        return;
    if (!hasFix()) {
        paintWaiting(painter);
        return;
    }
    const double spacing = scaleBarMetres();
    paintGrid(painter, spacing);
    paintTrack(painter);
    paintMarkers(painter);
    paintNorth(painter);
    paintScaleBar(painter, spacing);
}

void TrackView::paintWaiting(QPainter* painter)
{
    QFont font(m_fontFamily);
    font.setPixelSize(28);
    painter->setFont(font);
    painter->setPen(m_textColor);
    const QRectF r(0, 0, width(), height());
    painter->drawText(r.adjusted(0, 0, 0, -24), Qt::AlignCenter, QStringLiteral("—"));
    font.setPixelSize(12);
    painter->setFont(font);
    painter->drawText(r.adjusted(0, 36, 0, 0), Qt::AlignCenter, tr("等待定位…"));
}

void TrackView::paintGrid(QPainter* painter, double spacing)
{
    // Lines on multiples of the spacing counted from the start point, the two through
    // the start point a little stronger.
    const double w = width();
    const double h = height();
    const double west = m_centre.x() - w / 2 / m_scale;
    const double east = m_centre.x() + w / 2 / m_scale;
    const double south = m_centre.y() - h / 2 / m_scale;
    const double north = m_centre.y() + h / 2 / m_scale;
    QColor faint = m_gridColor;
    faint.setAlphaF(faint.alphaF() * 0.7);
    const QPen thin(faint, 1.0);
    const QPen axis(m_gridColor, 1.6);
    for (double e = std::ceil(west / spacing) * spacing; e <= east; e += spacing) {
        const double x = std::round(itemPoint(QPointF(e, 0)).x()) + 0.5;
        painter->setPen(std::abs(e) < spacing / 2 ? axis : thin);
        painter->drawLine(QPointF(x, 0), QPointF(x, h));
    }
    for (double n = std::ceil(south / spacing) * spacing; n <= north; n += spacing) {
        const double y = std::round(itemPoint(QPointF(0, n)).y()) + 0.5;
        painter->setPen(std::abs(n) < spacing / 2 ? axis : thin);
        painter->drawLine(QPointF(0, y), QPointF(w, y));
    }
}

void TrackView::paintTrack(QPainter* painter)
{
    // Reduce the line to what the pixels can show: a point on the pixel of the last one
    // drawn adds nothing.
    m_line.clear();
    const auto& points = m_path.points();
    m_line.reserve(int(points.size()) + 1);
    QPointF last(std::numeric_limits<double>::max(), 0);
    const auto append = [&](const QPointF& metres, bool always) {
        const QPointF p = itemPoint(metres);
        if (always || std::abs(p.x() - last.x()) >= 0.75 || std::abs(p.y() - last.y()) >= 0.75) {
            m_line.append(p);
            last = p;
        }
    };
    for (const QPointF& m : points)
        append(m, false);
    append(m_path.current(), true);
    if (m_line.size() < 2)
        return;
    QColor glow = m_trackColor;
    glow.setAlphaF(0.22);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(glow, kLineWidth * 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter->drawPolyline(m_line);
    painter->setPen(QPen(m_trackColor, kLineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter->drawPolyline(m_line);
}

void TrackView::paintMarkers(QPainter* painter)
{
    QFont font(m_fontFamily);
    font.setPixelSize(kLabelPixels);
    painter->setFont(font);

    // The start point: a ring with its name on the side the line does not leave by.
    const QPointF start = itemPoint(QPointF(0, 0));
    QPointF away(1, -1);
    for (const QPointF& p : std::as_const(m_line)) {
        const QPointF d = p - start;
        const double length = std::hypot(d.x(), d.y());
        if (length > 8) {
            away = -d / length;
            break;
        }
    }
    painter->setPen(QPen(m_startColor, 2.0));
    painter->setBrush(m_outlineColor);
    painter->drawEllipse(start, 5, 5);
    painter->setPen(m_startColor);
    const QPointF label = start + away * 20;
    painter->drawText(QRectF(label.x() - 20, label.y() - 8, 40, 16), Qt::AlignCenter, tr("起点"));

    // The current position: an arrow along the heading (degrees clockwise from north),
    // or a dot without one, on a soft halo.
    const QPointF here = itemPoint(m_path.current());
    QColor halo = m_markerColor;
    halo.setAlphaF(0.2);
    painter->setPen(Qt::NoPen);
    painter->setBrush(halo);
    painter->drawEllipse(here, kMarkerSize * 1.6, kMarkerSize * 1.6);
    painter->setPen(QPen(m_outlineColor, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter->setBrush(m_markerColor);
    if (std::isfinite(m_heading)) {
        painter->save();
        painter->translate(here);
        painter->rotate(m_heading);
        const double s = kMarkerSize;
        const QPolygonF arrow({ QPointF(0, -s * 1.25), QPointF(s * 0.8, s * 0.85),
                                QPointF(0, s * 0.35), QPointF(-s * 0.8, s * 0.85) });
        painter->drawPolygon(arrow);
        painter->restore();
    } else {
        painter->drawEllipse(here, kMarkerSize * 0.6, kMarkerSize * 0.6);
    }
}

void TrackView::paintNorth(QPainter* painter)
{
    // North is always up: a small arrow with an "N" in the top right corner.
    const QPointF tip(width() - 22, 10);
    const QPolygonF arrow({ tip, QPointF(tip.x() + 6, tip.y() + 16), QPointF(tip.x(), tip.y() + 12),
                            QPointF(tip.x() - 6, tip.y() + 16) });
    painter->setPen(Qt::NoPen);
    painter->setBrush(m_textColor);
    painter->drawPolygon(arrow);
    QFont font(m_fontFamily);
    font.setPixelSize(kLabelPixels + 1);
    font.setBold(true);
    painter->setFont(font);
    painter->setPen(m_textColor);
    painter->drawText(QRectF(tip.x() - 10, tip.y() + 17, 20, 16), Qt::AlignCenter,
                      QStringLiteral("N"));
}

void TrackView::paintScaleBar(QPainter* painter, double spacing)
{
    const double length = spacing * m_scale;
    const QPointF left(12, height() - 14);
    const QPointF right(left.x() + length, left.y());
    const QString text = scaleBarText();
    QFont font(m_fontFamily);
    font.setPixelSize(kLabelPixels);
    painter->setFont(font);
    const QFontMetricsF metrics(font);
    // A plate under the bar keeps it legible over the track.
    QColor plate = m_outlineColor;
    plate.setAlphaF(0.75);
    painter->setPen(Qt::NoPen);
    painter->setBrush(plate);
    painter->drawRoundedRect(QRectF(left.x() - 6, left.y() - 22,
                                    std::max(length, metrics.horizontalAdvance(text)) + 12, 30),
                             4, 4);
    painter->setPen(QPen(m_textColor, 2.0, Qt::SolidLine, Qt::FlatCap));
    painter->drawLine(left, right);
    painter->drawLine(left, left - QPointF(0, 6));
    painter->drawLine(right, right - QPointF(0, 6));
    painter->drawText(QRectF(left.x(), left.y() - 22, std::max(length, 80.0), 14),
                      Qt::AlignLeft | Qt::AlignVCenter, text);
}

} // namespace gcs
