#include "Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace artwork {

// A dark rounded tile with an attitude ball: sky and ground split by a tilted horizon,
// a ring of heading ticks and a small aircraft mark in the middle.
QImage paintAppIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;

    QLinearGradient tile(0, 0, 0, s);
    tile.setColorAt(0, QColor("#13243a"));
    tile.setColorAt(1, QColor("#060b14"));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(0, 0, s, s), s * 0.2, s * 0.2);

    const QPointF c(s / 2, s / 2);
    const double r = s * 0.33;
    QPainterPath ball;
    ball.addEllipse(c, r, r);
    p.save();
    p.setClipPath(ball);
    p.translate(c);
    p.rotate(-14);
    QLinearGradient sky(0, -r, 0, 0);
    sky.setColorAt(0, QColor("#2a7fd4"));
    sky.setColorAt(1, QColor("#6ec4f0"));
    p.fillRect(QRectF(-s, -s, 2 * s, s + r * 0.12), sky);
    QLinearGradient ground(0, 0, 0, r);
    ground.setColorAt(0, QColor("#8a5a2b"));
    ground.setColorAt(1, QColor("#4a2e15"));
    p.fillRect(QRectF(-s, r * 0.12, 2 * s, s), ground);
    p.setPen(QPen(QColor("#f2f8fc"), s * 0.014));
    p.drawLine(QPointF(-r, r * 0.12), QPointF(r, r * 0.12));
    for (int i = -2; i <= 2; ++i) {
        if (i == 0)
            continue;
        const double y = r * 0.12 - i * r * 0.22;
        const double half = (i % 2 == 0) ? r * 0.28 : r * 0.16;
        p.drawLine(QPointF(-half, y), QPointF(half, y));
    }
    p.restore();

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor("#4898e8"), s * 0.035));
    p.drawEllipse(c, r + s * 0.035, r + s * 0.035);
    p.setPen(QPen(QColor("#8aa3bc"), s * 0.012));
    for (int deg = 0; deg < 360; deg += 30) {
        const double a = deg * M_PI / 180.0;
        const double r0 = r + s * 0.07;
        const double r1 = r + s * (deg % 90 == 0 ? 0.11 : 0.09);
        p.drawLine(QPointF(c.x() + r0 * std::sin(a), c.y() - r0 * std::cos(a)),
                   QPointF(c.x() + r1 * std::sin(a), c.y() - r1 * std::cos(a)));
    }

    p.setPen(QPen(QColor("#ffcf3a"), s * 0.03, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(c.x() - r * 0.55, c.y()), QPointF(c.x() - r * 0.18, c.y()));
    p.drawLine(QPointF(c.x() + r * 0.18, c.y()), QPointF(c.x() + r * 0.55, c.y()));
    p.setBrush(QColor("#ffcf3a"));
    p.setPen(Qt::NoPen);
    p.drawEllipse(c, s * 0.022, s * 0.022);
    return image;
}

// An accent tile holding a gyroscope: two rings crossed at an angle around a bright rotor,
// with a short spin axis. It has to read at 36 pixels on every theme, so the tile carries
// its own contrast instead of relying on the header behind it.
QImage paintBrandMark(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;

    QLinearGradient tile(0, 0, s, s);
    tile.setColorAt(0, QColor("#3a92ea"));
    tile.setColorAt(1, QColor("#15406e"));
    p.setPen(QPen(QColor("#7cb8f2"), s * 0.03));
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(s * 0.03, s * 0.03, s * 0.94, s * 0.94), s * 0.24, s * 0.24);

    const QPointF c(s / 2, s / 2);
    p.setBrush(Qt::NoBrush);
    for (double angle : { -32.0, 32.0 }) {
        p.save();
        p.translate(c);
        p.rotate(angle);
        p.setPen(QPen(QColor("#f2f8fc"), s * 0.055));
        p.drawEllipse(QPointF(0, 0), s * 0.33, s * 0.14);
        p.restore();
    }
    p.setPen(QPen(QColor("#ffcf3a"), s * 0.06, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(c.x(), c.y() - s * 0.3), QPointF(c.x(), c.y() + s * 0.3));
    QRadialGradient rotor(c, s * 0.12);
    rotor.setColorAt(0, QColor("#fff4c8"));
    rotor.setColorAt(1, QColor("#e0a624"));
    p.setPen(Qt::NoPen);
    p.setBrush(rotor);
    p.drawEllipse(c, s * 0.1, s * 0.1);
    return image;
}

} // namespace artwork
