#include "ui/ChartSeries.h"

#include <QTest>

#include <cmath>
#include <limits>

using gcs::ChartSeries;

class TestChartSeries : public QObject
{
    Q_OBJECT

private slots:
    void nonFiniteValuesAreNotStoredAndTimeNeverRunsBackwards()
    {
        ChartSeries s(100);
        QVERIFY(s.append(1.0, 5.0));
        QVERIFY(!s.append(2.0, std::numeric_limits<double>::quiet_NaN()));
        QVERIFY(!s.append(2.0, std::numeric_limits<double>::infinity()));
        QVERIFY(!s.append(std::numeric_limits<double>::quiet_NaN(), 1.0));
        QCOMPARE(s.size(), 1);

        // A stamp before the newest one is taken as the newest one's time.
        QVERIFY(s.append(0.5, 6.0));
        QCOMPARE(s.size(), 2);
        QCOMPARE(s.newest().t, 1.0);
        QCOMPARE(s.newest().v, 6.0);
    }

    void trimKeepsTheNewestSampleLeftOfTheWindow()
    {
        ChartSeries s(100);
        for (int t = 0; t <= 10; ++t)
            s.append(t, t * 10.0);

        s.trim(5.5);
        // 5 stays, so the line still enters at the left border; 0..4 are gone.
        QCOMPARE(s.size(), 6);
        QCOMPARE(s.at(0).t, 5.0);
        QCOMPARE(s.at(1).t, 6.0);

        // A window past every sample keeps just the newest.
        s.trim(100);
        QCOMPARE(s.size(), 1);
        QCOMPARE(s.at(0).t, 10.0);
        s.trim(1000);
        QCOMPARE(s.size(), 1);

        s.clear();
        QVERIFY(s.isEmpty());
        s.trim(5);
        QVERIFY(s.isEmpty());
    }

    void aFullRingDropsItsOldestSamplesFirst()
    {
        ChartSeries s(3);
        for (int i = 1; i <= 5; ++i)
            s.append(i, i);
        QCOMPARE(s.size(), 3);
        QCOMPARE(s.at(0).v, 3.0);
        QCOMPARE(s.at(1).v, 4.0);
        QCOMPARE(s.newest().v, 5.0);

        // Trimming after the ring has wrapped still walks the samples in time order.
        s.trim(4.5);
        QCOMPARE(s.size(), 2);
        QCOMPARE(s.at(0).v, 4.0);
        s.append(6, 6);
        s.append(7, 7);
        QCOMPARE(s.size(), 3);
        QCOMPARE(s.at(0).v, 5.0);
        QCOMPARE(s.newest().v, 7.0);
    }

    void changingTheCapacityKeepsTheNewestSamples()
    {
        ChartSeries s(10);
        for (int i = 0; i < 14; ++i) // wraps the ring
            s.append(i, i);
        s.setCapacity(4);
        QCOMPARE(s.capacity(), 4);
        QCOMPARE(s.size(), 4);
        QCOMPARE(s.at(0).v, 10.0);
        QCOMPARE(s.newest().v, 13.0);

        s.setCapacity(8);
        QCOMPARE(s.size(), 4);
        for (int i = 14; i < 20; ++i)
            s.append(i, i);
        QCOMPARE(s.size(), 8);
        QCOMPARE(s.at(0).v, 12.0);
        QCOMPARE(s.newest().v, 19.0);
    }

    void noChartHoldsMoreThanTheHardCap()
    {
        ChartSeries s(120 * 250);
        QCOMPARE(s.capacity(), 30000);
        s.setCapacity(1000000);
        QCOMPARE(s.capacity(), ChartSeries::kMaxSamples);
        for (int i = 0; i < ChartSeries::kMaxSamples + 5000; ++i)
            s.append(i * 0.001, i);
        QCOMPARE(s.size(), ChartSeries::kMaxSamples);
        QCOMPARE(s.at(0).v, 5000.0);
        s.setCapacity(0);
        QCOMPARE(s.capacity(), 1);
        QCOMPARE(s.newest().v, double(ChartSeries::kMaxSamples + 4999));
    }

    void thinningKeepsOneSamplePerSlotAndItsSpike()
    {
        ChartSeries s(100);
        const double slot = 0.004;
        QVERIFY(s.appendThinned(1.0000, 5, slot));
        QVERIFY(s.appendThinned(1.0041, 6, slot)); // next slot: stored
        QCOMPARE(s.size(), 2);
        // The same slot: merged; the value farthest from the sample before (5) wins.
        QVERIFY(s.appendThinned(1.0050, 9, slot));
        QVERIFY(s.appendThinned(1.0060, 7, slot));
        QCOMPARE(s.size(), 2);
        QCOMPARE(s.newest().v, 9.0);
        QCOMPARE(s.newest().t, 1.0041);
        QVERIFY(!s.appendThinned(1.0070, std::nan(""), slot));
        QCOMPARE(s.newest().v, 9.0);
        QVERIFY(s.appendThinned(1.0081, 7, slot));
        QCOMPARE(s.size(), 3);

        // A stream at exactly one sample per slot keeps them all.
        ChartSeries full(2000);
        for (int i = 0; i < 1000; ++i)
            full.appendThinned(10 + i * 0.005, i, slot);
        QCOMPARE(full.size(), 1000);
    }

    void extentCoversTheWindowAndTheNewestSample()
    {
        ChartSeries s(100);
        double lo = 0, hi = 0;
        QVERIFY(!s.extent(0, lo, hi));

        s.append(0, 100); // old: outside the window below
        s.append(5, -2);
        s.append(6, 3);
        s.append(7, 1);
        QVERIFY(s.extent(4, lo, hi));
        QCOMPARE(lo, -2.0);
        QCOMPARE(hi, 3.0);

        // With every sample left of the window the newest still counts.
        QVERIFY(s.extent(50, lo, hi));
        QCOMPARE(lo, 1.0);
        QCOMPARE(hi, 1.0);
    }
};

QTEST_GUILESS_MAIN(TestChartSeries)
#include "tst_chartseries.moc"
