#include "ui/HeadingChart.h"
#include "ui/StripChart.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <cmath>

using gcs::HeadingChart;
using gcs::StripChart;

namespace {

const QColor kLine(255, 0, 0);

/// A chart on a clock the test moves by hand.
struct ClockedChart
{
    explicit ClockedChart(StripChart& c)
        : chart(c)
    {
        chart.setClock([this] { return now; });
        chart.setReduceMotion(true);
        chart.setLineColor(kLine);
        chart.setGridColor(QColor(0, 0, 255));
        chart.setLabelColor(QColor(0, 0, 255));
    }

    /// Samples at rateHz from now for seconds, values from f(t).
    template<class F> void feed(double seconds, int rateHz, F f)
    {
        const int n = int(seconds * rateHz);
        for (int i = 0; i < n; ++i) {
            now += 1.0 / rateHz;
            chart.addSample(f(now));
        }
    }

    StripChart& chart;
    double now = 100;
};

QImage render(StripChart& chart, int w = 400, int h = 200)
{
    chart.setSize(QSizeF(w, h));
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    chart.paint(&painter);
    painter.end();
    return image;
}

// The line is pure red; the wash under it is a faint red, the grid blue.
bool isLine(QRgb c)
{
    return qRed(c) > 160 && qGreen(c) < 60 && qBlue(c) < 60;
}

// Rows of column x where the line is drawn.
QList<int> lineRows(const QImage& image, int x)
{
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        if (isLine(image.pixel(x, y)))
            rows << y;
    }
    return rows;
}

// The plot area of a 400 x 200 chart: right of the labels, 8 pixels in at the top and
// bottom, 10 at the right.
constexpr int kPlotLeft = StripChart::kLabelWidth;
constexpr int kPlotTop = 8;
constexpr int kPlotBottom = 192;

} // namespace

class TestStripChart : public QObject
{
    Q_OBJECT

private slots:
    void theCapacityFollowsTheWindowUpToTwoMinutes()
    {
        StripChart chart;
        QCOMPARE(chart.windowSec(), 16);
        QCOMPARE(chart.capacity(), 16 * 250);
        chart.setWindowSec(120);
        QCOMPARE(chart.capacity(), 30000);
        chart.setWindowSec(500);
        QCOMPARE(chart.windowSec(), 120);
        chart.setWindowSec(0);
        QCOMPARE(chart.windowSec(), 1);
        QCOMPARE(chart.capacity(), 250);
    }

    void changingTheWindowTrimsTheStoredSamplesAtOnce()
    {
        StripChart chart;
        ClockedChart c(chart);
        chart.setWindowSec(60);
        c.feed(30, 100, [](double) { return 1.0; });
        QCOMPARE(chart.sampleCount(), 3000);

        chart.setWindowSec(8);
        // 8 s at 100 Hz inside the window plus the one left of its edge.
        QVERIFY2(std::abs(chart.sampleCount() - 801) <= 1,
                 qPrintable(QString::number(chart.sampleCount())));
        const auto& s = chart.series();
        QVERIFY(s.at(0).t < c.now - 8);
        QVERIFY(s.at(1).t >= c.now - 8);

        // A longer window again does not bring trimmed samples back.
        chart.setWindowSec(30);
        QVERIFY(std::abs(chart.sampleCount() - 801) <= 1);
    }

    void aRunningChartTrimsAsTimePasses()
    {
        StripChart chart;
        ClockedChart c(chart);
        chart.setWindowSec(8);
        c.feed(4, 200, [](double) { return 0.0; });
        QCOMPARE(chart.sampleCount(), 800);
        c.feed(20, 200, [](double) { return 0.0; });
        QVERIFY(std::abs(chart.sampleCount() - (8 * 200 + 1)) <= 1);
        QCOMPARE(chart.takenCount(), 24 * 200);
    }

    void aFastStreamStillFillsTheWholeWindow()
    {
        StripChart chart;
        ClockedChart c(chart);
        QCOMPARE(chart.windowSec(), 16);
        int i = 0;
        // 1000 records a second for 20 s, one of them a spike.
        c.feed(20, 1000, [&i](double) { return ++i == 18001 ? 50.0 : 1.0; });
        QCOMPARE(chart.takenCount(), 20000);
        QVERIFY(chart.sampleCount() <= chart.capacity() + 1);
        // The oldest sample is at the window's edge (within one 4 ms slot): the line
        // spans all of it, not just its newest four seconds.
        QVERIFY2(chart.series().at(0).t < c.now - 16 + 0.008,
                 qPrintable(QString::number(c.now - chart.series().at(0).t)));
        double high = 0;
        for (int k = 0; k < chart.sampleCount(); ++k)
            high = std::max(high, chart.series().at(k).v);
        QCOMPARE(high, 50.0);
    }

    void notANumberIsIgnoredAndDeactivatingClearsTheHistory()
    {
        StripChart chart;
        ClockedChart c(chart);
        QVERIFY(!chart.addSample(std::nan("")));
        QVERIFY(!chart.addSample(INFINITY));
        QCOMPARE(chart.sampleCount(), 0);
        QVERIFY(std::isnan(chart.newestValue()));

        c.feed(2, 50, [](double t) { return t; });
        QCOMPARE(chart.sampleCount(), 100);
        chart.setActive(false);
        QCOMPARE(chart.sampleCount(), 0);
        chart.setActive(true);
        QCOMPARE(chart.sampleCount(), 0);
        QVERIFY(chart.addSample(3));
        QCOMPARE(chart.newestValue(), 3.0);
    }

    void aHeadingThroughNorthPlotsASmallStep()
    {
        HeadingChart chart;
        ClockedChart c(chart);
        QVERIFY(chart.addSample(359));
        c.now += 0.01;
        QVERIFY(chart.addSample(1));
        QCOMPARE(chart.newestValue(), 361.0);
        QCOMPARE(chart.series().at(1).v - chart.series().at(0).v, 2.0);

        // Cleared history starts the unwrap afresh.
        chart.setActive(false);
        chart.setActive(true);
        c.now += 0.01;
        chart.addSample(10);
        QCOMPARE(chart.newestValue(), 10.0);
    }

    void aHeadingChartDrawsTheNorthPassInTheMiddleOfItsRange()
    {
        HeadingChart chart;
        ClockedChart c(chart);
        // Half the window just west of north, half just east.
        c.feed(8, 50, [](double) { return 359.0; });
        c.feed(8, 50, [](double) { return 1.0; });
        const QImage image = render(chart);
        QVERIFY(chart.displayMax() - chart.displayMin() < 20);
        QVERIFY(chart.displayMin() < 359 && chart.displayMax() > 361);
        // No stroke reaches the top or bottom fifth of the plot: there is no jump of
        // almost a full turn across it.
        const int band = (kPlotBottom - kPlotTop) / 5;
        for (int x = kPlotLeft + 2; x < 390; ++x) {
            for (int y : lineRows(image, x))
                QVERIFY2(y > kPlotTop + band && y < kPlotBottom - band,
                         qPrintable(QStringLiteral("x %1 y %2").arg(x).arg(y)));
        }
    }

    void theLineSitsAtItsValueAndEntersAtTheLeftBorder()
    {
        StripChart chart;
        ClockedChart c(chart);
        chart.setFixedMin(0);
        chart.setFixedMax(10);
        chart.setFixedRange(true);
        // Longer than the window: the oldest kept sample lies left of the edge.
        c.feed(20, 50, [](double) { return 7.5; });
        const QImage image = render(chart);
        QCOMPARE(chart.displayMin(), 0.0);
        QCOMPARE(chart.displayMax(), 10.0);

        const double expected = kPlotBottom - 0.75 * (kPlotBottom - kPlotTop);
        for (int x : { kPlotLeft + 1, kPlotLeft + 100, 385 }) {
            const QList<int> rows = lineRows(image, x);
            QVERIFY2(!rows.isEmpty(), qPrintable(QStringLiteral("line at x %1").arg(x)));
            QVERIFY(std::abs(rows.first() - expected) <= 2.5);
            QVERIFY(std::abs(rows.last() - expected) <= 2.5);
        }
        // Nothing is drawn over the value labels.
        for (int x = 0; x < kPlotLeft - 2; ++x)
            QVERIFY(lineRows(image, x).isEmpty());
    }

    void aSingleSpikeInAFullTwoMinuteWindowStaysVisible()
    {
        StripChart chart;
        ClockedChart c(chart);
        chart.setWindowSec(120);
        chart.setFixedMin(-1);
        chart.setFixedMax(11);
        chart.setFixedRange(true);
        int i = 0;
        // 24000 samples; exactly one of them at 10, in the middle of the window.
        c.feed(120, 200, [&i](double) { return ++i == 12000 ? 10.0 : 0.0; });
        QCOMPARE(chart.sampleCount(), 24000);
        const QImage image = render(chart);

        const int spikeRow = int(kPlotBottom - 11.0 / 12 * (kPlotBottom - kPlotTop));
        bool found = false;
        for (int x = kPlotLeft + 150; x < kPlotLeft + 200 && !found; ++x) {
            for (int y : lineRows(image, x))
                found = found || std::abs(y - spikeRow) <= 3;
        }
        QVERIFY2(found, "the thinned line keeps the highest sample of its column");
    }

    void afterARepaintEveryValueInTheWindowIsInsideTheRange()
    {
        StripChart chart;
        ClockedChart c(chart);
        c.feed(4, 50, [](double t) { return std::sin(t); });
        render(chart);
        c.feed(1, 50, [](double) { return 40.0; }); // a sudden jump
        render(chart);
        QVERIFY(chart.displayMax() >= 40);
        QVERIFY(chart.displayMin() <= -0.99);
    }
};

QTEST_MAIN(TestStripChart)
#include "tst_stripchart.moc"
