#include "ui/CompassDial.h"

#include "ui/HeadingUnwrapper.h"
#include "ui/PaintedLook.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace gcs {

namespace {
constexpr double kPi = 3.14159265358979323846;
/// Below this size the dial shows no numbers between the cardinal letters.
constexpr double kNumberedSide = 150;
} // namespace

CompassDial::CompassDial(QQuickItem* parent)
    : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
    setOpaquePainting(false);
}

void CompassDial::setHeading(double degrees)
{
    if (degrees == m_heading || (std::isnan(degrees) && std::isnan(m_heading)))
        return;
    m_heading = degrees;
    emit headingChanged();
    update();
}

void CompassDial::setOnline(bool online)
{
    if (online == m_online)
        return;
    m_online = online;
    emit headingChanged();
    update();
}

void CompassDial::setShowReadout(bool show)
{
    setLook(this, m_showReadout, show);
}

void CompassDial::setFaceColor(const QColor& c)
{
    setLook(this, m_faceColor, c);
}

void CompassDial::setRingColor(const QColor& c)
{
    setLook(this, m_ringColor, c);
}

void CompassDial::setTickColor(const QColor& c)
{
    setLook(this, m_tickColor, c);
}

void CompassDial::setAccentColor(const QColor& c)
{
    setLook(this, m_accentColor, c);
}

void CompassDial::setTextColor(const QColor& c)
{
    setLook(this, m_textColor, c);
}

void CompassDial::setFontFamily(const QString& family)
{
    setLook(this, m_fontFamily, family);
}

bool CompassDial::live() const
{
    return m_online && std::isfinite(m_heading);
}

double CompassDial::cardRotation() const
{
    if (!live())
        return 0;
    const double h = HeadingUnwrapper::normalize(m_heading);
    return h == 0 ? 0 : 360.0 - h;
}

QString CompassDial::readoutText() const
{
    if (!live())
        return QStringLiteral("—");
    return QString::number(HeadingUnwrapper::normalize(m_heading), 'f', 1) + QStringLiteral("°");
}

void CompassDial::paint(QPainter* painter)
{
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setRenderHint(QPainter::TextAntialiasing, true);
    const double side = std::min(width(), height());
    if (side < 24)
        return;
    const QPointF c(width() / 2, height() / 2);
    const double r = side / 2 - 4;
    const bool isLive = live();
    const double dim = isLive ? 1.0 : 0.45;
    const auto faded = [dim](QColor col) {
        col.setAlphaF(col.alphaF() * dim);
        return col;
    };

    // Face and bezel.
    painter->setPen(QPen(m_ringColor, 2.0));
    painter->setBrush(m_faceColor);
    painter->drawEllipse(c, r, r);
    QColor innerRing = m_ringColor;
    innerRing.setAlphaF(0.35);
    painter->setPen(QPen(innerRing, 1.0));
    painter->setBrush(Qt::NoBrush);
    painter->drawEllipse(c, r * 0.62, r * 0.62);

    // The turning card.
    painter->save();
    painter->translate(c);
    painter->rotate(cardRotation());
    const double outer = r - 3;
    QFont font(m_fontFamily);
    const int numberPixels = std::clamp(int(side / 18), 9, 13);
    const int letterPixels = std::clamp(int(side / 11), 11, 20);
    for (int deg = 0; deg < 360; deg += 5) {
        const bool ten = deg % 10 == 0;
        const bool thirty = deg % 30 == 0;
        const double len = thirty ? r * 0.12 : ten ? r * 0.08 : r * 0.045;
        painter->setPen(QPen(faded(deg == 0 ? m_accentColor : m_tickColor), thirty ? 1.8 : 1.0));
        painter->drawLine(QPointF(0, -outer), QPointF(0, -outer + len));
        painter->rotate(5);
    }
    // Labels: cardinal letters on the quarters, numbers on the other thirties. Each is
    // drawn upright relative to the card, at its place on the rim.
    const double labelRadius = outer - r * 0.12 - letterPixels * 0.8;
    static const char* const kCardinals[] = { "N", "E", "S", "W" };
    // A small dial has room for the cardinal letters only.
    const bool numbers = side >= kNumberedSide;
    for (int deg = 0; deg < 360; deg += 30) {
        const bool cardinal = deg % 90 == 0;
        if (!cardinal && !numbers)
            continue;
        const double a = deg * kPi / 180.0;
        const QPointF at(labelRadius * std::sin(a), -labelRadius * std::cos(a));
        font.setPixelSize(cardinal ? letterPixels : numberPixels);
        font.setBold(cardinal);
        painter->setFont(font);
        painter->setPen(faded(deg == 0 ? m_accentColor : cardinal ? m_textColor : m_tickColor));
        const QString text
            = cardinal ? QString::fromLatin1(kCardinals[deg / 90]) : QString::number(deg / 10);
        painter->save();
        painter->translate(at);
        painter->rotate(deg);
        painter->drawText(QRectF(-20, -letterPixels, 40, 2 * letterPixels), Qt::AlignCenter, text);
        painter->restore();
    }
    painter->restore();

    // The fixed lubber mark at twelve o'clock and a small aircraft in the middle.
    QPolygonF lubber;
    lubber << QPointF(c.x(), c.y() - r + 10) << QPointF(c.x() - 6, c.y() - r - 1)
           << QPointF(c.x() + 6, c.y() - r - 1);
    painter->setPen(Qt::NoPen);
    painter->setBrush(m_accentColor);
    painter->drawPolygon(lubber);

    if (m_showReadout) {
        font.setBold(true);
        font.setPixelSize(std::clamp(int(side / 9), 12, 26));
        painter->setFont(font);
        painter->setPen(isLive ? m_textColor : m_tickColor);
        painter->drawText(QRectF(c.x() - r * 0.6, c.y() - r * 0.3, r * 1.2, r * 0.6),
                          Qt::AlignCenter, readoutText());
    } else {
        // Without the readout: a needle pointing the way the unit heads.
        QPolygonF needle;
        needle << QPointF(c.x(), c.y() - r * 0.42) << QPointF(c.x() - r * 0.08, c.y() + r * 0.1)
               << QPointF(c.x(), c.y() + r * 0.02) << QPointF(c.x() + r * 0.08, c.y() + r * 0.1);
        painter->setPen(Qt::NoPen);
        painter->setBrush(faded(m_textColor));
        painter->drawPolygon(needle);
    }
}

} // namespace gcs
