#include "ui/CompassDial.h"
#include "ui/LogLogChart.h"
#include "ui/SceneViewport.h"
#include "ui/StripChart.h"
#include "ui/ThermometerGauge.h"
#include "ui/TrackView.h"

#include <QImage>
#include <QMetaProperty>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace gcs;

namespace {

template<class Item> QImage render(Item& item)
{
    item.setSize(QSizeF(200, 200));
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    item.paint(&painter);
    return image;
}

// Pixels of box drawn in exactly the colour rgb.
int countIn(const QImage& image, const QRect& box, QRgb rgb)
{
    int n = 0;
    for (int i = 0; i < box.width() * box.height(); ++i)
        n += image.pixel(box.x() + i % box.width(), box.y() + i / box.width()) == rgb;
    return n;
}

std::unique_ptr<QQuickItem> makeItem(const QString& type)
{
    if (type == "StripChart")
        return std::make_unique<StripChart>();
    if (type == "LogLogChart")
        return std::make_unique<LogLogChart>();
    if (type == "ThermometerGauge")
        return std::make_unique<ThermometerGauge>();
    if (type == "CompassDial")
        return std::make_unique<CompassDial>();
    if (type == "SceneViewport")
        return std::make_unique<SceneViewport>();
    return std::make_unique<TrackView>();
}

// A value other than v of its type; none for the types the pages do not write.
QVariant otherThan(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Bool:
        return !v.toBool();
    case QMetaType::Int:
        return v.toInt() + 1;
    case QMetaType::Double:
        return v.toDouble() + 3;
    case QMetaType::QString:
        return v.toString() + "x";
    case QMetaType::QColor:
        return v.value<QColor>() == QColor(12, 34, 56) ? QColor(Qt::red) : QColor(12, 34, 56);
    default:
        return {};
    }
}

const QRgb kSky = qRgb(0x3d, 0x6f, 0x93);
const QRgb kGround = qRgb(0x6b, 0x4e, 0x24);

} // namespace

// The painted instruments of the telemetry pages: thermometer level, compass dial and
// the attitude scene (200 x 200: centre (100, 100), 2.4 pixels per degree of pitch).
class TestInstruments : public QObject
{
    Q_OBJECT

private slots:
    // What the pages bind: every property they write reads back what it was given and
    // tells the change once; the same value again is no change (no repaint, no loop).
    void propertiesTellEachChangeOnce_data()
    {
        QTest::addColumn<QString>("type");
        for (const char* type : { "StripChart", "LogLogChart", "ThermometerGauge", "CompassDial",
                                  "SceneViewport", "TrackView" })
            QTest::newRow(type) << QString::fromLatin1(type);
    }
    void propertiesTellEachChangeOnce()
    {
        QFETCH(QString, type);
        const std::unique_ptr<QQuickItem> item = makeItem(type);
        const QMetaObject* meta = item->metaObject();
        int checked = 0;
        for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
            const QMetaProperty p = meta->property(i);
            const QVariant next = otherThan(p.read(item.get()));
            if (!p.isWritable() || !p.hasNotifySignal() || !next.isValid())
                continue;
            QSignalSpy spy(item.get(), p.notifySignal());
            QVERIFY2(p.write(item.get(), next) && p.read(item.get()) == next, p.name());
            QVERIFY2(p.write(item.get(), next) && spy.count() == 1, p.name());
            ++checked;
        }
        QVERIFY(checked >= 5);
    }

    void theThermometerFillsToItsValueOnTheScale()
    {
        ThermometerGauge t;
        t.setValue(21.25);
        QCOMPARE(t.level(), 0.0); // not live yet
        t.setOnline(true);
        QCOMPARE(t.level(), 0.25);
    }

    void theCompassCardTurnsAgainstTheHeading()
    {
        CompassDial d;
        d.setAccentColor(Qt::red);
        d.setShowReadout(false);
        d.setHeading(-90);
        QCOMPARE(d.readoutText(), QStringLiteral("—")); // not live
        d.setOnline(true);
        QCOMPARE(d.cardRotation(), 90.0);
        QCOMPARE(d.readoutText(), QStringLiteral("270.0°"));
        // Heading west: north, the only accent on the card, is at three o'clock.
        const QImage west = render(d);
        QVERIFY(countIn(west, QRect(141, 90, 45, 20), qRgb(255, 0, 0)) > 5);
        QCOMPARE(countIn(west, QRect(14, 90, 45, 20), qRgb(255, 0, 0)), 0);
    }

    void theSceneShowsSkyAndGroundByTheAttitude_data()
    {
        QTest::addColumn<double>("roll");
        QTest::addColumn<double>("pitch");
        QTest::addColumn<QPoint>("sky");
        QTest::addColumn<QPoint>("ground");
        QTest::newRow("level") << 0.0 << 0.0 << QPoint(30, 40) << QPoint(170, 160);
        QTest::newRow("roll 90, sky right") << 90.0 << 0.0 << QPoint(170, 30) << QPoint(30, 170);
        QTest::newRow("nose up 20, horizon 48 down")
            << 0.0 << 20.0 << QPoint(30, 141) << QPoint(30, 155);
    }

    void theSceneShowsSkyAndGroundByTheAttitude()
    {
        QFETCH(double, roll);
        QFETCH(double, pitch);
        QFETCH(QPoint, sky);
        QFETCH(QPoint, ground);
        SceneViewport view;
        view.setOnline(true);
        view.setRoll(roll);
        view.setPitch(pitch);
        const QImage image = render(view);
        QCOMPARE(image.pixel(sky), kSky);
        QCOMPARE(image.pixel(ground), kGround);
    }

    void theSceneHintsOnlyWhileOffline()
    {
        SceneViewport view;
        const QRect hint(40, 176, 100, 12); // the waiting hint above the bottom edge
        QVERIFY(countIn(render(view), hint, kGround) < hint.width() * hint.height() - 20);
        view.setOnline(true);
        QCOMPARE(countIn(render(view), hint, kGround), hint.width() * hint.height());
    }
};

QTEST_MAIN(TestInstruments)
#include "tst_instruments.moc"
