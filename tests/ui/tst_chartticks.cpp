#include "ui/ChartTicks.h"

#include <QTest>

#include <cmath>

using gcs::ChartTicks;

class TestChartTicks : public QObject
{
    Q_OBJECT

private slots:
    void labelsCarryDecimalsByTheSpan_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("span");
        QTest::addColumn<QString>("label");
        QTest::newRow("wide span, no decimals") << 123.456 << 50.0 << "123";
        QTest::newRow("wider span") << -12.6 << 300.0 << "-13";
        QTest::newRow("just below 50, one") << 123.456 << 49.99 << "123.5";
        QTest::newRow("span 5, one") << 1.26 << 5.0 << "1.3";
        QTest::newRow("below 5, two") << 1.234 << 4.99 << "1.23";
        QTest::newRow("narrow") << -0.5 << 1.5 << "-0.50";
        QTest::newRow("zero") << 0.0 << 1.5 << "0.0";
        QTest::newRow("zero on a wide axis") << 0.0 << 200.0 << "0.0";
        // A noisy zero is written as zero, never "-0.00".
        QTest::newRow("tiny negative") << -0.00009 << 1.0 << "0.0";
        QTest::newRow("tiny positive") << 0.00005 << 100.0 << "0.0";
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
        QCOMPARE(ChartTicks::positions(0, 85, 5), (QVector<double> { 0, 20, 40, 60, 80 }));
        QCOMPARE(ChartTicks::positions(354.2, 367.1, 3), (QVector<double> { 355, 360, 365 }));

        // Whatever the range, the lines are inside it, evenly spaced and not too many.
        const double ranges[][2]
            = { { -3.3, 7.9 }, { 0.001, 0.0013 }, { -1e6, 3e6 }, { 29.7, 30.2 }, { -181, 179 } };
        for (const auto& r : ranges) {
            const QVector<double> ticks = ChartTicks::positions(r[0], r[1], 5);
            QVERIFY2(ticks.size() >= 2 && ticks.size() <= 10,
                     qPrintable(QString::number(ticks.size())));
            const double step = ticks[1] - ticks[0];
            for (int i = 0; i < ticks.size(); ++i) {
                QVERIFY(ticks[i] >= r[0] - step * 1e-6 && ticks[i] <= r[1] + step * 1e-6);
                if (i > 0)
                    QVERIFY(std::abs(ticks[i] - ticks[i - 1] - step) < step * 1e-6);
            }
        }
    }

    void emptyOrBrokenRangesHaveNoGridLines()
    {
        QVERIFY(ChartTicks::positions(1, 1).isEmpty());
        QVERIFY(ChartTicks::positions(2, 1).isEmpty());
        QVERIFY(ChartTicks::positions(std::nan(""), 1).isEmpty());
        QVERIFY(ChartTicks::positions(0, INFINITY).isEmpty());
        QCOMPARE(ChartTicks::niceStep(0, 5), 0.0);
    }

    void stepsAreOneTwoOrFiveTimesAPowerOfTen()
    {
        QCOMPARE(ChartTicks::niceStep(1.5, 5), 0.5);
        QCOMPARE(ChartTicks::niceStep(10, 5), 2.0);
        QCOMPARE(ChartTicks::niceStep(85, 17), 5.0);
        QCOMPARE(ChartTicks::niceStep(7, 5), 2.0);
        QCOMPARE(ChartTicks::niceStep(0.03, 3), 0.01);
        QCOMPARE(ChartTicks::niceStep(900, 2), 500.0);
    }
};

QTEST_GUILESS_MAIN(TestChartTicks)
#include "tst_chartticks.moc"
