#include "ui/CompassDial.h"
#include "ui/ThermometerGauge.h"

#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <cmath>

using gcs::CompassDial;
using gcs::ThermometerGauge;

namespace {

const QColor kAccent(255, 0, 0);
const QColor kFill(0, 255, 0);

template<class Item> QImage render(Item& item, int w, int h)
{
    item.setSize(QSizeF(w, h));
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    item.paint(&painter);
    painter.end();
    return image;
}

bool near(QRgb c, const QColor& want)
{
    return std::abs(qRed(c) - want.red()) < 60 && std::abs(qGreen(c) - want.green()) < 60
        && std::abs(qBlue(c) - want.blue()) < 60;
}

int countIn(const QImage& image, const QRect& box, const QColor& want)
{
    int n = 0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x)
            n += near(image.pixel(x, y), want) ? 1 : 0;
    }
    return n;
}

} // namespace

class TestInstruments : public QObject
{
    Q_OBJECT

private slots:
    void theThermometerFillsToItsValueOnTheScale()
    {
        ThermometerGauge t;
        QCOMPARE(t.minimum(), 0.0);
        QCOMPARE(t.maximum(), 85.0);
        t.setValue(42.5);
        QCOMPARE(t.level(), 0.0); // not live yet
        t.setOnline(true);
        QCOMPARE(t.level(), 0.5);
        t.setValue(-20);
        QCOMPARE(t.level(), 0.0);
        t.setValue(120);
        QCOMPARE(t.level(), 1.0);
        t.setValue(std::nan(""));
        QCOMPARE(t.level(), 0.0);

        QSignalSpy spy(&t, &ThermometerGauge::valueChanged);
        t.setValue(std::nan(""));
        QCOMPARE(spy.count(), 0);
    }

    void theLiquidReachesTheValueAndNoHigher()
    {
        ThermometerGauge t;
        t.setFillColor(kFill);
        t.setTubeColor(QColor(0, 0, 120));
        t.setScaleColor(QColor(0, 0, 120));
        t.setOnline(true);
        t.setValue(21.25); // a quarter of the scale
        const QImage image = render(t, 60, 300);
        int top = -1;
        for (int y = 0; y < image.height() && top < 0; ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (near(image.pixel(x, y), kFill)) {
                    top = y;
                    break;
                }
            }
        }
        // The liquid starts in the lower part: about three quarters down the scale.
        QVERIFY2(top > 300 * 0.6 && top < 300 * 0.85, qPrintable(QString::number(top)));

        t.setValue(80);
        const QImage high = render(t, 60, 300);
        QVERIFY(countIn(high, QRect(0, 20, 60, 40), kFill) > 0);
        QCOMPARE(countIn(image, QRect(0, 20, 60, 40), kFill), 0);
    }

    void theCompassCardTurnsAgainstTheHeading()
    {
        CompassDial d;
        d.setHeading(90);
        QCOMPARE(d.cardRotation(), 0.0); // not live
        QCOMPARE(d.readoutText(), QStringLiteral("—"));
        d.setOnline(true);
        QCOMPARE(d.cardRotation(), 270.0);
        QCOMPARE(d.readoutText(), QStringLiteral("90.0°"));
        d.setHeading(-90);
        QCOMPARE(d.cardRotation(), 90.0);
        QCOMPARE(d.readoutText(), QStringLiteral("270.0°"));
        d.setHeading(720);
        QCOMPARE(d.cardRotation(), 0.0);
        QCOMPARE(d.readoutText(), QStringLiteral("0.0°"));
        d.setHeading(std::nan(""));
        QCOMPARE(d.readoutText(), QStringLiteral("—"));
    }

    void northIsDrawnWhereTheHeadingPutsIt()
    {
        CompassDial d;
        d.setAccentColor(kAccent);
        d.setTextColor(QColor(255, 255, 255));
        d.setTickColor(QColor(120, 120, 120));
        d.setShowReadout(false);
        d.setOnline(true);
        // North's tick and letter are the only accent on the card; the lubber mark at
        // the top is accent too, so the left and right rims tell where north went.
        const QRect left(14, 90, 45, 20);
        const QRect right(141, 90, 45, 20);

        d.setHeading(0);
        const QImage ahead = render(d, 200, 200);
        QCOMPARE(countIn(ahead, left, kAccent), 0);
        QCOMPARE(countIn(ahead, right, kAccent), 0);

        // Heading east: the card turns left, north is at nine o'clock.
        d.setHeading(90);
        const QImage east = render(d, 200, 200);
        QVERIFY(countIn(east, left, kAccent) > 10);
        QCOMPARE(countIn(east, right, kAccent), 0);

        d.setHeading(270);
        const QImage west = render(d, 200, 200);
        QVERIFY(countIn(west, right, kAccent) > 10);
        QCOMPARE(countIn(west, left, kAccent), 0);
    }
};

QTEST_MAIN(TestInstruments)
#include "tst_instruments.moc"
