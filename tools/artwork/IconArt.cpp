#include "Artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <functional>
#include <map>

namespace artwork {

namespace {

// Every icon is drawn on a 24-unit grid and scaled to the image; strokes are 1.9 units
// with round ends, which stays crisp at 18 to 24 pixels.
constexpr double kGrid = 24.0;
constexpr double kStroke = 1.9;

using Drawer = std::function<void(QPainter&, const QColor&)>;

void horizon(QPainter& p, const QColor& ink)
{
    const QPointF c(12, 12);
    p.drawEllipse(c, 9, 9);
    QPainterPath ball;
    ball.addEllipse(c, 9, 9);
    p.save();
    p.setClipPath(ball);
    QColor fill = ink;
    fill.setAlphaF(0.35);
    QPolygonF ground;
    ground << QPointF(0, 14.2) << QPointF(24, 10.6) << QPointF(24, 24) << QPointF(0, 24);
    p.setBrush(fill);
    p.setPen(Qt::NoPen);
    p.drawPolygon(ground);
    p.restore();
    p.setPen(QPen(ink, kStroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(3.2, 13.7), QPointF(20.8, 11.1));
    p.drawLine(QPointF(9.5, 7.6), QPointF(14.5, 7.6));
}

void chart(QPainter& p, const QColor&)
{
    p.drawPolyline(QPolygonF({ QPointF(4, 4), QPointF(4, 20), QPointF(20, 20) }));
    p.drawPolyline(
        QPolygonF({ QPointF(7, 16), QPointF(10.5, 11), QPointF(13.5, 13.5), QPointF(19, 6.5) }));
}

void list(QPainter& p, const QColor& ink)
{
    for (double y : { 6.5, 12.0, 17.5 }) {
        p.drawLine(QPointF(9, y), QPointF(20, y));
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(QPointF(4.8, y), 1.4, 1.4);
        p.restore();
    }
}

void terminal(QPainter& p, const QColor&)
{
    p.drawRoundedRect(QRectF(3, 4.5, 18, 15), 2.5, 2.5);
    p.drawPolyline(QPolygonF({ QPointF(7, 9.5), QPointF(10, 12), QPointF(7, 14.5) }));
    p.drawLine(QPointF(12, 15), QPointF(16.5, 15));
}

void settings(QPainter& p, const QColor&)
{
    const QPointF c(12, 12);
    p.drawEllipse(c, 3, 3);
    p.drawEllipse(c, 6.6, 6.6);
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        p.drawLine(QPointF(c.x() + 6.6 * std::cos(a), c.y() + 6.6 * std::sin(a)),
                   QPointF(c.x() + 9.4 * std::cos(a), c.y() + 9.4 * std::sin(a)));
    }
}

void target(QPainter& p, const QColor&)
{
    const QPointF c(12, 12);
    p.drawEllipse(c, 7.5, 7.5);
    p.drawEllipse(c, 3, 3);
    p.drawLine(QPointF(12, 1.5), QPointF(12, 6));
    p.drawLine(QPointF(12, 18), QPointF(12, 22.5));
    p.drawLine(QPointF(1.5, 12), QPointF(6, 12));
    p.drawLine(QPointF(18, 12), QPointF(22.5, 12));
}

void upload(QPainter& p, const QColor&)
{
    p.drawLine(QPointF(12, 4), QPointF(12, 15));
    p.drawPolyline(QPolygonF({ QPointF(7.5, 8.5), QPointF(12, 4), QPointF(16.5, 8.5) }));
    p.drawPolyline(
        QPolygonF({ QPointF(4, 14.5), QPointF(4, 20), QPointF(20, 20), QPointF(20, 14.5) }));
}

void record(QPainter& p, const QColor& ink)
{
    p.drawEllipse(QPointF(12, 12), 8.5, 8.5);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(12, 12), 4, 4);
}

void cmd(QPainter& p, const QColor&)
{
    p.drawPolyline(QPolygonF({ QPointF(8, 7), QPointF(3.5, 12), QPointF(8, 17) }));
    p.drawPolyline(QPolygonF({ QPointF(16, 7), QPointF(20.5, 12), QPointF(16, 17) }));
    p.drawLine(QPointF(13.5, 5.5), QPointF(10.5, 18.5));
}

void home(QPainter& p, const QColor&)
{
    p.drawPolyline(QPolygonF({ QPointF(3.5, 11.5), QPointF(12, 4), QPointF(20.5, 11.5) }));
    p.drawPolyline(QPolygonF({ QPointF(6, 10), QPointF(6, 20), QPointF(18, 20), QPointF(18, 10) }));
    p.drawPolyline(QPolygonF(
        { QPointF(10.2, 20), QPointF(10.2, 14.5), QPointF(13.8, 14.5), QPointF(13.8, 20) }));
}

void track(QPainter& p, const QColor& ink)
{
    // A winding way from a start dot to a location pin.
    QPainterPath way;
    way.moveTo(5, 19.5);
    way.cubicTo(10.5, 19.5, 12.5, 17.2, 9.8, 14.6);
    way.cubicTo(7.2, 12.1, 9.5, 10.2, 13.2, 11.4);
    p.drawPath(way);
    QPainterPath pin;
    pin.moveTo(18, 14);
    pin.cubicTo(14.2, 10, 14.4, 3.2, 18, 3.2);
    pin.cubicTo(21.6, 3.2, 21.8, 10, 18, 14);
    p.drawPath(pin);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(5, 19.5), 1.9, 1.9);
    p.drawEllipse(QPointF(18, 7.6), 1.5, 1.5);
    p.restore();
}

const std::map<QString, Drawer>& drawers()
{
    static const std::map<QString, Drawer> kDrawers = {
        { QStringLiteral("horizon"), horizon },   { QStringLiteral("chart"), chart },
        { QStringLiteral("list"), list },         { QStringLiteral("terminal"), terminal },
        { QStringLiteral("settings"), settings }, { QStringLiteral("target"), target },
        { QStringLiteral("upload"), upload },     { QStringLiteral("record"), record },
        { QStringLiteral("cmd"), cmd },           { QStringLiteral("home"), home },
        { QStringLiteral("track"), track },
    };
    return kDrawers;
}

} // namespace

QStringList navIconNames()
{
    QStringList names;
    for (const auto& entry : drawers())
        names << entry.first;
    return names;
}

QImage paintNavIcon(const QString& name, const QColor& stroke, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const auto it = drawers().find(name);
    if (it == drawers().end())
        return image;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kGrid, size / kGrid);
    p.setPen(QPen(stroke, kStroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    it->second(p, stroke);
    return image;
}

} // namespace artwork
