#include "TestSupport.h"
#include "ins/InsBridge.h"
#include "ui/ChartClock.h"
#include "ui/HeadingChart.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <cmath>

using namespace gcs;

namespace {

/// A chart on a data clock the test moves by hand.
struct Rig
{
    explicit Rig(StripChart& c)
        : chart(c)
    {
        clock.setSource([this] { return now; });
        chart.setClock(&clock);
        chart.setReduceMotion(true);
    }

    /// Samples at rateHz for seconds, values from f(i).
    template<class F> void feed(double seconds, int rateHz, F f)
    {
        for (int i = 0; i < int(seconds * rateHz); ++i) {
            now += 1.0 / rateHz;
            chart.addSampleAt(now, f(i));
        }
    }

    StripChart& chart;
    ChartClock clock;
    double now = 100;
};

} // namespace

class TestStripChart : public QObject
{
    Q_OBJECT

private slots:
    void samplesSitAtTheirTimesInsideTheWindow()
    {
        StripChart chart;
        Rig rig(chart);
        QVERIFY(!chart.addSampleAt(rig.now, std::nan("")));
        QVERIFY(chart.addSampleAt(rig.now - 0.010, 1));
        QCOMPARE(chart.series().at(0).t, rig.now - 0.010);
        chart.setWindowSec(500);
        QCOMPARE(chart.capacity(), 30000);
        rig.feed(30, 100, [](int) { return 1.0; });
        chart.setWindowSec(8); // trims at once: 8 s at 100 Hz and one left of the edge
        QVERIFY(std::abs(chart.sampleCount() - 801) <= 1);
        // A replay takes over the clock: times of the old source mean nothing there.
        rig.clock.setSource([] { return 0.0; });
        QCOMPARE(chart.sampleCount(), 0);
    }

    void aHeadingIsPlottedUnwrapped_data()
    {
        QTest::addColumn<QList<double>>("headings");
        QTest::addColumn<double>("plotted");
        QTest::newRow("east through north") << QList<double> { 359, 1, 3 } << 363.0;
        QTest::newRow("west through north") << QList<double> { 1, 359 } << -1.0;
        QTest::newRow("two turns") << QList<double> { 0, 120, 240, 0, 120, 240, 0 } << 720.0;
        QTest::newRow("broken one skipped") << QList<double> { 350, std::nan(""), 10 } << 370.0;
    }

    void aHeadingIsPlottedUnwrapped()
    {
        QFETCH(QList<double>, headings);
        QFETCH(double, plotted);
        HeadingChart chart;
        Rig rig(chart);
        for (double h : headings)
            chart.addSampleAt(rig.now += 0.01, h);
        QCOMPARE(chart.newestValue(), plotted);
        chart.setActive(false); // a cleared history unwraps afresh
        chart.addSample(10);
        QCOMPARE(chart.newestValue(), 10.0);
    }

    void aFullFastWindowIsDrawnWholeWithItsSingleSpike()
    {
        StripChart chart;
        Rig rig(chart);
        chart.setLineColor(Qt::red);
        chart.setWindowSec(120);
        chart.setFixedMin(-1);
        chart.setFixedMax(11);
        chart.setFixedRange(true);
        rig.feed(130, 1000, [](int i) { return i == 70000 ? 10.0 : 5.0; });
        chart.setSize(QSizeF(400, 200));
        QImage image(400, 200, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        chart.paint(&painter);
        // The line's rows per column: from the left border on at its value, and the spike
        // kept in its column though thinned.
        const auto rows = [&image](int x) {
            QList<int> out;
            for (int y = 0; y < image.height(); ++y)
                if (qRed(image.pixel(x, y)) > 160)
                    out << y;
            return out;
        };
        for (int x : { StripChart::kLabelWidth + 1, 200, 385 })
            QVERIFY2(rows(x).size() > 0 && std::abs(rows(x).first() - 100) <= 2.5
                         && std::abs(rows(x).last() - 100) <= 2.5,
                     qPrintable(QString::number(x)));
        bool spike = false;
        for (int x = 196; x < 246; ++x)
            spike = spike || (!rows(x).isEmpty() && rows(x).first() < 28);
        QVERIFY(spike);
    }

    // The records of one read arrive together; the bridge gives each a time of its own,
    // and the chart keeps each as a sample.
    void eachRecordOfAChunkIsASampleAtItsOwnTime_data()
    {
        QTest::addColumn<double>("gap");
        QTest::addColumn<double>("spacing");
        QTest::newRow("200 Hz") << 0.1 << 0.005;
        QTest::newRow("100 Hz") << 0.2 << 0.01;
        // After five minutes of silence the chunk came in at once, not over the silence.
        QTest::newRow("after a silence") << 300.0 << InsBridge::kRecordIntervalCap * 0.005;
    }

    void eachRecordOfAChunkIsASampleAtItsOwnTime()
    {
        QFETCH(double, gap);
        QFETCH(double, spacing);
        const QByteArray frames
            = test::readFileBytes(test::dataDir() + "/ins/sinsbin.bin").left(40 * 59);
        QCOMPARE(frames.size(), 40 * 59);
        InsBridge bridge;
        StripChart chart;
        chart.setWindowSec(1);
        Rig rig(chart);
        bridge.setClock([&rig] { return rig.now; });
        connect(&bridge, &InsBridge::panelChanged, this, [&] {
            chart.addSampleAt(bridge.recordTime(),
                              bridge.sinsPanel().value("roll", NAN).toDouble());
        });
        bridge.feed(frames.left(20 * 59));
        QCOMPARE(chart.sampleCount(), 20);
        rig.now += gap;
        bridge.feed(frames.mid(20 * 59));
        const ChartSeries& s = chart.series();
        QCOMPARE(s.size(), gap > 1 ? 21 : 40); // a silence trims the first chunk away
        QCOMPARE(s.newest().t, rig.now);
        for (int i = s.size() - 19; i < s.size(); ++i)
            QVERIFY2(std::abs(s.at(i).t - s.at(i - 1).t - spacing) < 1e-9,
                     qPrintable(QString::number(i)));
    }
};

QTEST_MAIN(TestStripChart)
#include "tst_stripchart.moc"
