#include "app/WindowPlacement.h"

#include <QTest>

using namespace gcs;

class TestWindowPlacement : public QObject
{
    Q_OBJECT
private slots:
    void placement_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("full");
        QTest::addColumn<QSize>("minimum");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("position");

        // 1920 x 1040 work area: 0.83 * 1920 = 1593.6 wide, / 1.6 = 996 tall, which
        // exceeds 0.83 * 1040 = 863.2, so the height limits: 863.2 x 1381.12.
        QTest::newRow("height limits")
            << QRect(0, 0, 1920, 1040) << QRect(0, 0, 1920, 1080) << QSize(1100, 700)
            << QSize(1381, 863) << QPoint((1920 - 1381) / 2, (1040 - 863) / 2);
        // A tall 1200 x 1900 area: 996 wide, 622.5 tall; the minimum raises both.
        QTest::newRow("width limits, minimum wins")
            << QRect(0, 0, 1200, 1900) << QRect(0, 0, 1200, 1920) << QSize(1100, 700)
            << QSize(1100, 700) << QPoint(50, 600);
        QTest::newRow("width limits, small minimum")
            << QRect(0, 0, 1200, 1900) << QRect(0, 0, 1200, 1920) << QSize(100, 100)
            << QSize(996, 623) << QPoint(102, 638);
        // Only the width of the minimum is larger than the computed size.
        QTest::newRow("minimum width only")
            << QRect(0, 0, 1920, 1040) << QRect(0, 0, 1920, 1080) << QSize(1500, 100)
            << QSize(1500, 863) << QPoint(210, 88);
        QTest::newRow("offset screen")
            << QRect(1920, 40, 2560, 1400) << QRect(1920, 0, 2560, 1440) << QSize(1100, 700)
            << QSize(1859, 1162) << QPoint(1920 + 350, 40 + 119);
        // No usable work area: the full screen size stands in.
        QTest::newRow("empty available area")
            << QRect(0, 0, 0, 0) << QRect(0, 0, 1920, 1080) << QSize(1100, 700) << QSize(1434, 896)
            << QPoint(243, 92);
        QTest::newRow("nothing known") << QRect(0, 0, 0, 0) << QRect(0, 0, 0, 0) << QSize(1100, 700)
                                       << QSize(1434, 896) << QPoint(243, 92);
        // 0.83 x 1250 = 1037.5 wide rounds up to 1038; / 1.6 = 648.4375 tall rounds down.
        QTest::newRow("halves round away from zero")
            << QRect(0, 0, 1250, 2000) << QRect(0, 0, 1250, 2000) << QSize(0, 0) << QSize(1038, 648)
            << QPoint(106, 676);
        // A window as large as the area keeps its left and top edge.
        QTest::newRow("no room to centre")
            << QRect(10, 20, 1101, 701) << QRect(0, 0, 1200, 800) << QSize(1100, 700)
            << QSize(1100, 700) << QPoint(10, 20);
    }
    void placement()
    {
        QFETCH(QRect, available);
        QFETCH(QRect, full);
        QFETCH(QSize, minimum);
        QFETCH(QSize, size);
        QFETCH(QPoint, position);
        const InitialPlacement p
            = computeInitialPlacement(ScreenGeometry { available, full }, minimum);
        QCOMPARE(p.size, size);
        QVERIFY(p.position.has_value());
        QCOMPARE(*p.position, position);
    }

    void withoutScreen()
    {
        InitialPlacement p = computeInitialPlacement(std::nullopt, QSize(1100, 700));
        QCOMPARE(p.size, QSize(1434, 896)); // 1434.24 x 896.4 rounded
        QVERIFY(!p.position.has_value());
        p = computeInitialPlacement(std::nullopt, QSize(1500, 1000));
        QCOMPARE(p.size, QSize(1500, 1000));
        p = computeInitialPlacement(std::nullopt, QSize(1434, 0));
        QCOMPARE(p.size, QSize(1434, 896)); // only a minimum above 1434 is taken
    }
};

QTEST_GUILESS_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
