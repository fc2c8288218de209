#include "Artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QRadialGradient>

#include <vector>

namespace artwork {

namespace {

// What tells the six units apart on a card: size, anodising, the colour stripe along
// the top edge, and the connectors, cooling fins and antenna ports they carry.
struct UnitLook
{
    const char* id;
    const char* label;
    double frontWidth;
    double frontHeight;
    double depth;
    const char* body;
    const char* stripe;
    int connectors;
    bool fins;
    int antennas;
};

const std::vector<UnitLook>& looks()
{
    static const std::vector<UnitLook> kLooks = {
        { "kt10", "KT10", 120, 60, 70, "#8d99a6", "#2ec4b6", 1, false, 0 },
        { "kt15", "KT15", 130, 64, 80, "#7d8a98", "#4898e8", 1, true, 0 },
        { "kt40", "KT40", 150, 76, 90, "#5f6d7c", "#e0b03e", 2, false, 0 },
        { "kt45", "KT45", 156, 80, 96, "#4b5a6b", "#2a7fd4", 2, false, 2 },
        { "kt60", "KT60", 170, 86, 104, "#3d4855", "#9a80f0", 2, true, 1 },
        { "kt80", "KT80", 184, 92, 112, "#2c333d", "#dc5648", 3, false, 2 },
    };
    return kLooks;
}

// Oblique projection: depth runs up and to the right.
constexpr double kDepthX = 0.6;
constexpr double kDepthY = 0.45;

QPolygonF quad(QPointF a, QPointF b, QPointF c, QPointF d)
{
    QPolygonF poly;
    poly << a << b << c << d;
    return poly;
}

void drawSlab(QPainter& p, double x, double y, double w, double h, double dx, double dy,
              const QColor& base)
{
    const QPen edge(base.lighter(150), 1.0);
    p.setPen(edge);
    p.setBrush(base.lighter(135));
    p.drawPolygon(quad({ x, y }, { x + dx, y - dy }, { x + w + dx, y - dy }, { x + w, y }));
    p.setBrush(base.darker(135));
    p.drawPolygon(
        quad({ x + w, y }, { x + w + dx, y - dy }, { x + w + dx, y + h - dy }, { x + w, y + h }));
    QLinearGradient front(0, y, 0, y + h);
    front.setColorAt(0, base.lighter(112));
    front.setColorAt(1, base.darker(118));
    p.setBrush(front);
    p.drawRect(QRectF(x, y, w, h));
}

} // namespace

QStringList showcaseModels()
{
    QStringList ids;
    for (const UnitLook& look : looks())
        ids << QString::fromLatin1(look.id);
    return ids;
}

QImage paintShowcase(const QString& modelId, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const UnitLook* look = nullptr;
    for (const UnitLook& l : looks()) {
        if (modelId == QLatin1String(l.id))
            look = &l;
    }
    if (!look)
        return image;

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // Looks are laid out for 320 x 200 and scaled to the requested size.
    p.scale(width / 320.0, height / 200.0);

    const QColor body(QLatin1String(look->body));
    const QColor stripe(QLatin1String(look->stripe));
    const double fw = look->frontWidth;
    const double fh = look->frontHeight;
    const double dx = look->depth * kDepthX;
    const double dy = look->depth * kDepthY;
    const double x0 = (320 - (fw + dx)) / 2;
    const double yb = 164;
    const double y0 = yb - fh;

    // Contact shadow under the footprint of the plate.
    const double shadowRadius = (fw + dx) * 0.62;
    QRadialGradient shadow(QPointF(0, 0), shadowRadius);
    shadow.setColorAt(0, QColor(0, 0, 0, 120));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.save();
    p.translate(x0 + (fw + dx) / 2, yb - dy * 0.3 + 6);
    p.scale(1.0, 0.22);
    p.drawEllipse(QPointF(0, 0), shadowRadius, shadowRadius);
    p.restore();

    // Mounting plate with its four holes, then the housing on top of it.
    const double margin = 14;
    const QColor plate = body.darker(115);
    drawSlab(p, x0 - margin, yb, fw + 2 * margin, 6, dx, dy, plate);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#101820"));
    for (double t : { 0.25, 0.8 }) {
        p.drawEllipse(QPointF(x0 - margin / 2 + dx * t, yb - dy * t), 3.2, 2.0);
        p.drawEllipse(QPointF(x0 + fw + margin / 2 + dx * t, yb - dy * t), 3.2, 2.0);
    }
    drawSlab(p, x0, y0, fw, fh, dx, dy, body);

    if (look->fins) {
        p.setPen(QPen(body.darker(150), 1.6));
        for (int i = 1; i < 8; ++i) {
            const double u = fw * i / 8.0;
            p.drawLine(QPointF(x0 + u + dx * 0.08, y0 - dy * 0.08),
                       QPointF(x0 + u + dx * 0.92, y0 - dy * 0.92));
        }
    }
    for (int i = 0; i < look->antennas; ++i) {
        const double t = 0.55;
        const QPointF base(x0 + fw * (0.68 + 0.18 * i) + dx * t, y0 - dy * t);
        p.setPen(QPen(QColor("#8a6a1e"), 1.0));
        p.setBrush(QColor("#d9b248"));
        p.drawRect(QRectF(base.x() - 4, base.y() - 11, 8, 11));
        p.drawEllipse(QPointF(base.x(), base.y() - 11), 4, 1.8);
        p.setBrush(QColor("#3a2c0a"));
        p.drawEllipse(QPointF(base.x(), base.y() - 11), 1.5, 0.8);
    }

    p.setPen(QPen(stripe, 3.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(x0 + 1.5, y0 + 3), QPointF(x0 + fw - 1.5, y0 + 3));

    const QRectF plateRect(x0 + fw * 0.1, y0 + fh * 0.3, fw * 0.8, fh * 0.46);
    p.setPen(QPen(QColor("#33414f"), 1.0));
    p.setBrush(QColor("#0d1620"));
    p.drawRoundedRect(plateRect, 3, 3);
    QFont big(QStringLiteral("DejaVu Sans"));
    big.setBold(true);
    big.setPixelSize(int(fh * 0.22));
    p.setFont(big);
    p.setPen(QColor("#f2f8fc"));
    p.drawText(plateRect.adjusted(8, 0, -8, -plateRect.height() * 0.38),
               Qt::AlignLeft | Qt::AlignBottom, QString::fromLatin1(look->label));
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(int(fh * 0.12));
    p.setFont(small);
    p.setPen(QColor("#8aa3bc"));
    p.drawText(plateRect.adjusted(8, plateRect.height() * 0.62, -8, -2),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("AX-7300 INS"));
    p.setPen(QPen(stripe, 2.0));
    p.drawLine(QPointF(plateRect.right() - 22, plateRect.center().y()),
               QPointF(plateRect.right() - 8, plateRect.center().y()));

    QRadialGradient led(QPointF(x0 + 9, y0 + 12), 4);
    led.setColorAt(0, QColor("#d8ffe9"));
    led.setColorAt(1, QColor("#2ee59a"));
    p.setPen(Qt::NoPen);
    p.setBrush(led);
    p.drawEllipse(QPointF(x0 + 9, y0 + 12), 2.6, 2.6);

    // Round connectors on the side face, seen at an angle.
    for (int i = 0; i < look->connectors; ++i) {
        const double t = (i + 1.0) / (look->connectors + 1.0);
        const QPointF c(x0 + fw + dx * t, y0 + fh * 0.56 - dy * t);
        const double r = fh * 0.13;
        p.setPen(QPen(QColor("#c8d2dc"), 1.2));
        p.setBrush(QColor("#9aa6b2"));
        p.drawEllipse(c, r * 0.62, r);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor("#141c24"));
        p.drawEllipse(c, r * 0.4, r * 0.66);
        p.setBrush(QColor("#d9b248"));
        p.drawEllipse(c, r * 0.1, r * 0.16);
    }
    return image;
}

} // namespace artwork
