#include "ui/SceneViewport.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>

#include <algorithm>

namespace gcs {

namespace {

const char* const kSky = "#3d6f93";
const char* const kGround = "#6b4e24";
const char* const kHorizon = "#f4f8fc";
const char* const kRung = "#e8eef2";
const char* const kLabel = "#f4f8fc";
const char* const kFrame = "#1a2830";
const char* const kSymbol = "#e0b03e";
const char* const kHint = "#f4f8fc";
const int kHintAlpha = 200;

constexpr double kInset = 4.0;
constexpr double kCorner = 6.0;
// 80 degrees of pitch span the inner height.
constexpr double kPitchSpan = 80.0;
const char* const kFontFamily = "Microsoft YaHei UI";
constexpr int kFontPixels = 11;

QColor colour(const char* name)
{
    return QColor(QLatin1String(name));
}

} // namespace

SceneViewport::SceneViewport(QQuickItem* parent)
    : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
    setOpaquePainting(false);
}

void SceneViewport::changeAngle(double& field, double degrees)
{
    // qFuzzyCompare is relative, so a step between 0 and a tiny value still counts.
    if (qFuzzyCompare(field, degrees))
        return;
    field = degrees;
    emit poseChanged();
    update();
}

void SceneViewport::setRoll(double degrees)
{
    changeAngle(m_roll, degrees);
}

void SceneViewport::setPitch(double degrees)
{
    changeAngle(m_pitch, degrees);
}

void SceneViewport::setYaw(double degrees)
{
    changeAngle(m_yaw, degrees);
}

void SceneViewport::setAzimuth(double degrees)
{
    changeAngle(m_azimuth, degrees);
}

void SceneViewport::setElevation(double degrees)
{
    changeAngle(m_elevation, degrees);
}

void SceneViewport::setQuality(const QString& quality)
{
    if (quality == m_quality)
        return;
    m_quality = quality;
    emit poseChanged();
    update();
}

void SceneViewport::setOnline(bool online)
{
    if (online == m_online)
        return;
    m_online = online;
    emit poseChanged();
    update();
}

void SceneViewport::paint(QPainter* painter)
{
    painter->setRenderHint(QPainter::Antialiasing, true);

    const QRectF bounds = boundingRect();
    const QRectF r(bounds.x() + kInset, bounds.y() + kInset, bounds.width() - 2 * kInset,
                   bounds.height() - 2 * kInset);
    const QPointF c = r.center();
    const double s = r.height() / kPitchSpan;
    // The horizon rectangles reach four times the larger inner size each way, so any roll
    // still covers the clipped area.
    const double l = std::max(r.width(), r.height());

    QFont font(QString::fromLatin1(kFontFamily));
    font.setPixelSize(kFontPixels);

    painter->save();
    QPainterPath clip;
    clip.addRoundedRect(r, kCorner, kCorner);
    painter->setClipPath(clip);
    painter->translate(c);
    painter->rotate(m_roll);
    painter->translate(0, m_pitch * s);

    painter->fillRect(QRectF(-4 * l, -4 * l, 8 * l, 4 * l), colour(kSky));
    painter->fillRect(QRectF(-4 * l, 0, 8 * l, 4 * l), colour(kGround));
    painter->setPen(QPen(colour(kHorizon), 2.0));
    painter->drawLine(QPointF(-4 * l, 0), QPointF(4 * l, 0));

    painter->setFont(font);
    const QPen rungPen(colour(kRung), 1.2);
    const QPen labelPen(colour(kLabel));
    const double half = std::min(0.18 * r.width(), 36.0);
    for (int d = -40; d <= 40; d += 10) {
        if (d == 0)
            continue;
        const double y = -d * s;
        painter->setPen(rungPen);
        painter->drawLine(QPointF(-half, y), QPointF(half, y));
        painter->setPen(labelPen);
        painter->drawText(QRectF(half + 8, y - 8, 28, 16), Qt::AlignLeft | Qt::AlignVCenter,
                          QString::number(d));
    }
    painter->restore();

    painter->setPen(QPen(colour(kFrame), 1.0));
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(r, kCorner, kCorner);

    const QColor symbol = colour(kSymbol);
    painter->setPen(QPen(symbol, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter->drawLine(QPointF(c.x() - 0.26 * r.width(), c.y()), QPointF(c.x() - 9, c.y()));
    painter->drawLine(QPointF(c.x() + 9, c.y()), QPointF(c.x() + 0.26 * r.width(), c.y()));
    painter->drawLine(c, QPointF(c.x(), c.y() + 9));

    painter->setPen(Qt::NoPen);
    painter->setBrush(symbol);
    painter->drawEllipse(QRectF(c.x() - 3.4, c.y() - 3.4, 6.8, 6.8));

    QPolygonF marker;
    marker << QPointF(r.right() - 4, c.y()) << QPointF(r.right() - 14, c.y() - 6)
           << QPointF(r.right() - 14, c.y() + 6);
    painter->drawPolygon(marker, Qt::OddEvenFill);

    if (!m_online) {
        QColor hint = colour(kHint);
        hint.setAlpha(kHintAlpha);
        painter->setPen(hint);
        painter->setFont(font);
        painter->drawText(QRectF(r.x(), r.y(), r.width(), r.height() - 8),
                          Qt::AlignHCenter | Qt::AlignBottom, tr("等待姿态数据"));
    }
}

} // namespace gcs
