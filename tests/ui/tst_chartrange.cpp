#include "ui/ChartRange.h"

#include <QTest>

#include <cmath>

using gcs::ChartRange;

class TestChartRange : public QObject
{
    Q_OBJECT

private slots:
    void withoutDataTheRangeIsHalfTheMinimumSpanAroundZero()
    {
        ChartRange r(1.5);
        QCOMPARE(r.lo(), -0.75);
        QCOMPARE(r.hi(), 0.75);
        r.step(false, 0, 0);
        QCOMPARE(r.lo(), -0.75);
        QCOMPARE(r.hi(), 0.75);

        // Nonsense spans fall back to 1.
        r.setMinSpan(-3);
        QCOMPARE(r.minSpan(), 1.0);
        r.setMinSpan(std::nan(""));
        QCOMPARE(r.minSpan(), 1.0);
    }

    void theTargetIsCentredWithHeadroomButNeverBelowTheMinimumSpan()
    {
        ChartRange::Span wide = ChartRange::target(1.5, true, 10, 20);
        QCOMPARE(wide.lo, 15 - 6.5);
        QCOMPARE(wide.hi, 15 + 6.5);

        ChartRange::Span flat = ChartRange::target(1.5, true, 5, 5.5);
        QCOMPARE(flat.lo, 5.25 - 0.75);
        QCOMPARE(flat.hi, 5.25 + 0.75);

        ChartRange::Span none = ChartRange::target(2, false, 10, 20);
        QCOMPARE(none.lo, -1.0);
        QCOMPARE(none.hi, 1.0);
    }

    void dataLeavingTheRangeWidensItAtOnce()
    {
        ChartRange r(1.5);
        r.step(true, 0, 10);
        const ChartRange::Span t = ChartRange::target(1.5, true, 0, 10);
        QCOMPARE(r.lo(), t.lo);
        QCOMPARE(r.hi(), t.hi);

        // Only the low side leaves: still one jump to the new target.
        r.step(true, -20, 10);
        QCOMPARE(r.lo(), ChartRange::target(1.5, true, -20, 10).lo);
        QCOMPARE(r.hi(), ChartRange::target(1.5, true, -20, 10).hi);
    }

    void otherwiseItGlidesEightPercentPerRepaintAndSettles()
    {
        ChartRange r(1.5);
        // Data inside the shown range -0.75..0.75; the target is 0.15 +- 0.75.
        r.step(true, 0.1, 0.2);
        QVERIFY(std::abs(r.lo() - (-0.75 + 0.08 * 0.15)) < 1e-12);
        QVERIFY(std::abs(r.hi() - (0.75 + 0.08 * 0.15)) < 1e-12);

        // The glide keeps the data visible all the way and ends exactly on the target.
        for (int i = 0; i < 400; ++i) {
            r.step(true, 0.1, 0.2);
            QVERIFY(r.lo() <= 0.1 && r.hi() >= 0.2);
        }
        QCOMPARE(r.lo(), 0.15 - 0.75);
        QCOMPARE(r.hi(), 0.15 + 0.75);

        // Zooming in on a calmer signal is a glide too, not a jump.
        ChartRange z(1);
        z.step(true, -50, 50);
        const double wideSpan = z.span();
        z.step(true, -1, 1);
        QVERIFY(z.span() < wideSpan);
        QVERIFY(z.span() > wideSpan * 0.9);
    }

    void aFixedRangeIgnoresTheData()
    {
        ChartRange r(1.5);
        r.setFixed(0, 85);
        QVERIFY(r.isFixed());
        r.step(true, 200, 300);
        QCOMPARE(r.lo(), 0.0);
        QCOMPARE(r.hi(), 85.0);
        r.reset();
        QCOMPARE(r.hi(), 85.0);

        // An empty or inverted fixed range is refused.
        ChartRange bad(1);
        bad.setFixed(5, 5);
        bad.setFixed(6, 2);
        QVERIFY(!bad.isFixed());

        r.clearFixed();
        QVERIFY(!r.isFixed());
        QCOMPARE(r.lo(), -0.75);
    }
};

QTEST_GUILESS_MAIN(TestChartRange)
#include "tst_chartrange.moc"
