#include "ui/TrackPath.h"
#include "ui/TrackView.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace gcs;

namespace {

const double kDeg = 3.14159265358979323846 / 180;
const double kMilli = 0.001 * kDeg * 6371008.8; // 0.001° of latitude: 111.195 m

// Pixels of the image drawn in exactly colour c.
int pixelsOf(const QImage& image, QColor c)
{
    const auto* px = reinterpret_cast<const QRgb*>(image.constBits());
    return int(std::count(px, px + image.width() * image.height(), c.rgb()));
}

} // namespace

// The track view: positions to local metres around the first fix, thinning and its cap,
// records without a fix, and a view that keeps the track in sight.
class TestTrackView : public QObject
{
    Q_OBJECT

private slots:
    void theTrackFollowsItsFixes_data()
    {
        QTest::addColumn<QList<QPointF>>("fixes"); // (lat, lon)
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("minPoints");
        QTest::addColumn<int>("maxPoints");
        QTest::addColumn<QPointF>("current"); // metres east, north
        QTest::addColumn<double>("distance");
        QTest::addColumn<double>("step");

        QTest::newRow("the first fix is the origin")
            << QList<QPointF> { { 31.2304, 121.4737 } } << "定位" << 1 << 1 << QPointF(0, 0) << 0.0
            << 1.0;
        QTest::newRow("north is the latitude's arc")
            << QList<QPointF> { { 31, 121 }, { 31.001, 121 } } << "定位定向" << 2 << 2
            << QPointF(0, kMilli) << kMilli << 1.0;
        QTest::newRow("east shrinks with the cosine of the first latitude")
            << QList<QPointF> { { 60, 10 }, { 60.001, 10.002 } } << "定位" << 2 << 2
            << QPointF(kMilli, kMilli) << std::hypot(kMilli, kMilli) << 1.0;
        QTest::newRow("across the antimeridian the short way")
            << QList<QPointF> { { -0.5, 179.9995 }, { -0.5, -179.9995 } } << "定位" << 2 << 2
            << QPointF(kMilli * std::cos(0.5 * kDeg), 0) << kMilli * std::cos(0.5 * kDeg) << 1.0;
        // A standing fix jitters by less than the step: no point, no way travelled.
        QTest::newRow("jitter under a metre adds nothing")
            << QList<QPointF> { { 31, 121 }, { 31.000005, 121 }, { 30.999995, 121.000005 } }
            << "定位" << 1 << 1 << QPointF(0.005 * kMilli * std::cos(31 * kDeg), -0.005 * kMilli)
            << 0.0 << 1.0;
        QTest::newRow("a fault is no fix") << QList<QPointF> { { 31, 121 }, { 31.001, 121 } }
                                           << "故障" << 0 << 0 << QPointF() << 0.0 << 1.0;
        QTest::newRow("invalid is no fix")
            << QList<QPointF> { { 31, 121 } } << "无效" << 0 << 0 << QPointF() << 0.0 << 1.0;
        QTest::newRow("0 / 0 is no fix whatever the status")
            << QList<QPointF> { { 0, 0 }, { 0, 0 } } << "定位定向" << 0 << 0 << QPointF() << 0.0
            << 1.0;

        // 20000 fixes 1.5 m apart northwards: every one is a point until the line is full,
        // then the step doubles and about every second point stays.
        QList<QPointF> north;
        const int n = 20000;
        for (int i = 0; i < n; ++i)
            north.append(QPointF(31 + i * 1.5 / kMilli * 0.001, 121));
        QTest::newRow("a full line halves its resolution")
            << north << "定位" << TrackPath::kCapacity / 2 << TrackPath::kCapacity * 3 / 4
            << QPointF(0, (n - 1) * 1.5) << (n - 1) * 1.5 << 2.0;
    }

    void theTrackFollowsItsFixes()
    {
        QFETCH(QList<QPointF>, fixes);
        QFETCH(QString, status);
        QFETCH(int, minPoints);
        QFETCH(int, maxPoints);
        QFETCH(QPointF, current);
        QFETCH(double, distance);
        QFETCH(double, step);

        TrackView view;
        view.setSize(QSizeF(400, 300));
        view.setMarkerColor(Qt::red);
        view.setGridColor(Qt::green);
        for (const QPointF& f : fixes)
            view.addFix(f.x(), f.y(), 90, status);
        const bool fix = minPoints > 0;
        QCOMPARE(view.hasFix(), fix);
        QVERIFY2(view.pointCount() >= minPoints && view.pointCount() <= maxPoints,
                 qPrintable(QString::number(view.pointCount())));
        const QPointF off = view.currentPosition() - current;
        QVERIFY(std::abs(off.x()) < 0.01 && std::abs(off.y()) < 0.01);
        QVERIFY(std::abs(view.distance() - distance) < 0.01 + distance * 1e-6);
        QCOMPARE(view.minStep(), step);

        // Before a fix only "—" is drawn: no grid, no marker.
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        view.paint(&painter);
        QCOMPARE(pixelsOf(image, Qt::red) > 20, fix);
        QCOMPARE(pixelsOf(image, Qt::green) > 100, fix);
        if (!fix)
            return;

        // The whole way in sight: fitted as it grows, after zooming out, and again after a
        // zoom in, a drag and a double click; the vehicle stays in sight when zoomed in by button.
        QList<QPointF> way(fixes.size());
        std::transform(fixes.begin(), fixes.end(), way.begin(),
                       [&](const QPointF& f) { return view.toLocal(f.x(), f.y()); });
        const auto allInside = [&] {
            const QRectF item(0, 0, view.width(), view.height());
            return std::all_of(way.begin(), way.end(),
                               [&](const QPointF& m) { return item.contains(view.itemPoint(m)); });
        };
        QVERIFY(view.autoFit() && allInside());
        view.zoomOut();
        QVERIFY(!view.autoFit() && allInside());
        for (int i = 0; i < 3; ++i)
            view.zoomIn();
        const QPointF here = view.itemPoint(view.currentPosition());
        QVERIFY(QRectF(0, 0, 400, 300).contains(here));
        // Dragged by the mouse, the way follows it; a wheel notch zooms about the pointer;
        // a double click fits again.
        const auto mouse = [&view](QEvent::Type type, QPointF at) {
            QMouseEvent event(type, at, at, at, Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(&view, &event);
        };
        mouse(QEvent::MouseButtonPress, { 100, 100 });
        mouse(QEvent::MouseMove, { 120, 90 });
        mouse(QEvent::MouseMove, { 130, 80 });
        mouse(QEvent::MouseButtonRelease, { 130, 80 });
        mouse(QEvent::MouseMove, { 200, 200 }); // not dragging any more
        QCOMPARE(view.itemPoint(view.currentPosition()), here + QPointF(30, -20));
        const double scale = view.pixelsPerMetre();
        QWheelEvent wheel(here + QPointF(30, -20), {}, {}, { 0, 120 }, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&view, &wheel);
        QVERIFY(view.pixelsPerMetre() > scale);
        QCOMPARE(view.itemPoint(view.currentPosition()), here + QPointF(30, -20));
        mouse(QEvent::MouseButtonDblClick, { 10, 10 });
        QVERIFY(view.autoFit() && allInside());

        // The scale bar: 1, 2 or 5 times a power of ten, 70 to 175 pixels long.
        const double bar = view.scaleBarMetres();
        const double mantissa = bar / std::pow(10.0, std::floor(std::log10(bar) + 1e-9));
        QVERIFY2(QList<double>({ 1, 2, 5 }).contains(std::round(mantissa * 1e6) / 1e6)
                     && bar * view.pixelsPerMetre() >= 70 && bar * view.pixelsPerMetre() < 175,
                 qPrintable(view.scaleBarText()));
    }
};

QTEST_MAIN(TestTrackView)
#include "tst_trackview.moc"
