#include "ui/ChartRange.h"
#include "ui/ChartSeries.h"
#include "ui/ChartTicks.h"

#include <QTest>

#include <cmath>

using namespace gcs;

// The data behind a chart: its samples, and the value axis drawn from them.
class TestChartSeries : public QObject
{
    Q_OBJECT

private slots:
    void theRingKeepsTheNewestSamplesInTimeOrder()
    {
        ChartSeries s(10);
        for (int i = 0; i < 14; ++i) // wraps the ring
            s.append(i, i);
        QCOMPARE(s.size(), 10);
        QCOMPARE(s.at(0).v, 4.0);
        s.trim(8.5); // keeps 8, the newest left of the edge, so the line enters there
        QCOMPARE(s.at(0).v, 8.0);
        s.setCapacity(3);
        QCOMPARE(s.at(0).v, 11.0);
        QCOMPARE(s.newest().v, 13.0);
        s.setCapacity(1000000); // never more than the hard cap
        QCOMPARE(s.capacity(), ChartSeries::kMaxSamples);
        QVERIFY(s.append(1.0, 5.0)); // earlier than the newest: taken at the newest's time
        QCOMPARE(s.newest().t, 13.0);
    }

    void thinningHoldsTheRateBudgetAndKeepsSlowerStreamsWhole_data()
    {
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("jitter");
        QTest::addColumn<int>("kept");
        // Records a chunk apart arrive in pairs closer than the 4 ms spacing.
        QTest::newRow("200 Hz, uneven") << 200.0 << 0.0035 << 2000;
        QTest::newRow("250 Hz, even") << 250.0 << 0.0 << 2500;
        QTest::newRow("1000 Hz") << 1000.0 << 0.0 << 2500;
    }

    void thinningHoldsTheRateBudgetAndKeepsSlowerStreamsWhole()
    {
        QFETCH(double, rate);
        QFETCH(double, jitter);
        QFETCH(int, kept);
        ChartSeries s;
        const int n = int(10 * rate);
        for (int i = 0; i < n; ++i) {
            const double shift = (i % 2) ? -jitter / 2 : jitter / 2;
            QVERIFY(s.appendThinned(i / rate + shift, 1.0, 0.004));
        }
        QVERIFY2(std::abs(s.size() - kept) <= ChartSeries::kThinningBurst,
                 qPrintable(QString::number(s.size())));
    }

    void theRangeJumpsToTheDataLeavingItAndOtherwiseGlides()
    {
        // The target: centred, 1.3 times the data's spread, never below the minimum span.
        QCOMPARE(ChartRange::target(1.5, true, 10, 20).hi, 15 + 6.5);
        QCOMPARE(ChartRange::target(1.5, true, 5, 5.5).lo, 5.25 - 0.75);
        // The data of the window, and the newest sample even when older than the window.
        ChartSeries s(100);
        for (const auto& [t, v] : { std::pair { 0.0, 100.0 }, { 5.0, -20.0 }, { 6.0, 10.0 } })
            s.append(t, v);
        double lo = 0, hi = 0;
        QVERIFY(s.extent(50, lo, hi) && lo == 10.0 && hi == 10.0);
        QVERIFY(s.extent(4, lo, hi));
        ChartRange r(1.5);
        r.step(true, lo, hi);
        QCOMPARE(r.lo(), ChartRange::target(1.5, true, -20, 10).lo);
        // Calmer data: 8 % of the way per repaint, the data always inside, ending on the
        // target.
        r.reset();
        for (int i = 0; i < 400; ++i) {
            r.step(true, 0.1, 0.2);
            QVERIFY(r.lo() <= 0.1 && r.hi() >= 0.2 && (i > 0 || r.lo() > -0.75));
        }
        QCOMPARE(r.lo(), 0.15 - 0.75);
        r.setFixed(0, 85); // a fixed range ignores the data
        r.step(true, 200, 300);
        QCOMPARE(r.hi(), 85.0);
    }

    void labelsCarryDecimalsByTheSpan_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("span");
        QTest::addColumn<QString>("label");
        QTest::newRow("span 50, none") << 123.456 << 50.0 << "123";
        QTest::newRow("below 50, one") << 123.456 << 49.99 << "123.5";
        QTest::newRow("below 5, two") << -0.5 << 4.99 << "-0.50";
        QTest::newRow("noisy zero, never -0.00") << -0.00009 << 1.0 << "0.0";
        QTest::newRow("just above the zero band") << 0.0001 << 1.0 << "0.00";
    }

    void labelsCarryDecimalsByTheSpan()
    {
        QFETCH(double, value);
        QFETCH(double, span);
        QFETCH(QString, label);
        QCOMPARE(ChartTicks::label(value, span), label);
    }

    void gridLinesSitOnRoundValuesInsideTheRange()
    {
        QCOMPARE(ChartTicks::positions(-0.75, 0.75, 5), (QVector<double> { -0.5, 0.0, 0.5 }));
        QCOMPARE(ChartTicks::positions(354.2, 367.1, 3), (QVector<double> { 355, 360, 365 }));
        QCOMPARE(ChartTicks::positions(-1e6, 3e6, 5).size(), 5);
        QVERIFY(ChartTicks::positions(2, 1).isEmpty());
        QVERIFY(ChartTicks::positions(std::nan(""), 1).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestChartSeries)
#include "tst_chartseries.moc"
