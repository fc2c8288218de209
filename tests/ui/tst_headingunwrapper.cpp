#include "ui/HeadingUnwrapper.h"

#include <QTest>

#include <cmath>

using gcs::HeadingUnwrapper;

class TestHeadingUnwrapper : public QObject
{
    Q_OBJECT

private slots:
    void aPassThroughNorthIsASmallStep()
    {
        HeadingUnwrapper u;
        QCOMPARE(u.next(359), 359.0);
        QCOMPARE(u.next(1), 361.0);
        QCOMPARE(u.next(3), 363.0);
        // And back again, westwards through north.
        QCOMPARE(u.next(358), 358.0);

        HeadingUnwrapper west;
        west.next(1);
        QCOMPARE(west.next(359), -1.0);
    }

    void fullTurnsAddUp()
    {
        HeadingUnwrapper u;
        double last = 0;
        for (int i = 0; i <= 24; ++i) // three turns in 45 degree steps
            last = u.next(std::fmod(i * 45.0, 360.0));
        QCOMPARE(last, 3 * 360.0);
    }

    void headingsOutsideACircleAreBroughtIntoIt()
    {
        QCOMPARE(HeadingUnwrapper::normalize(-10), 350.0);
        QCOMPARE(HeadingUnwrapper::normalize(370), 10.0);
        QCOMPARE(HeadingUnwrapper::normalize(720), 0.0);
        QCOMPARE(HeadingUnwrapper::normalize(360), 0.0);
        QCOMPARE(HeadingUnwrapper::normalize(-1e-14), 0.0);

        HeadingUnwrapper u;
        QCOMPARE(u.next(370), 10.0);
        QCOMPARE(u.next(-5), -5.0); // 355 is a step of -15 from 10
    }

    void stepsFoldIntoHalfATurnEitherWay()
    {
        QCOMPARE(HeadingUnwrapper::foldStep(190), -170.0);
        QCOMPARE(HeadingUnwrapper::foldStep(-190), 170.0);
        QCOMPARE(HeadingUnwrapper::foldStep(180), 180.0);
        QCOMPARE(HeadingUnwrapper::foldStep(-180), 180.0);
        QCOMPARE(HeadingUnwrapper::foldStep(-358), 2.0);
        QCOMPARE(HeadingUnwrapper::foldStep(720 + 30), 30.0);
    }

    void brokenHeadingsAreNotRememberedAndResetStartsAfresh()
    {
        HeadingUnwrapper u;
        u.next(350);
        QVERIFY(std::isnan(u.next(std::nan(""))));
        QCOMPARE(u.next(10), 370.0);

        u.reset();
        QVERIFY(!u.hasPrevious());
        QCOMPARE(u.next(10), 10.0);
    }
};

QTEST_GUILESS_MAIN(TestHeadingUnwrapper)
#include "tst_headingunwrapper.moc"
