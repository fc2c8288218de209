// Console progress: a bar redrawn in place on a terminal, a line per tenth elsewhere.
#include "upgrade/ProgressReport.h"

#include <QTest>

using gcs::ProgressReport;

class TestProgressReport : public QObject
{
    Q_OBJECT
private slots:
    void logOutputHasOneLinePerTenth()
    {
        ProgressReport report(false);
        QCOMPARE(report.update(0, QString()), QString()); // no status yet
        QCOMPARE(report.update(0, "准备等待升级模式"), QStringLiteral("  0%  准备等待升级模式\n"));
        QCOMPARE(report.update(0, "等待设备进入升级模式"), QString());
        QCOMPARE(report.update(9, "发送数据包 1"), QString());
        QCOMPARE(report.update(27, "发送数据包 3"), QStringLiteral(" 20%  发送数据包 3\n"));
        QCOMPARE(report.update(29, "发送数据包 4"), QString());
        QCOMPARE(report.update(100, "文件发送成功"), QStringLiteral("100%  文件发送成功\n"));
        QCOMPARE(report.update(100, "文件发送成功"), QString());
        QCOMPARE(report.close(), QString());
    }

    void terminalBarIsRedrawnInPlaceAndBlanksLeftovers()
    {
        ProgressReport report(true);
        const QString first = report.update(50, "已收 12 字节，尚未进入升级模式");
        QVERIFY(first.startsWith('\r'));
        QVERIFY(first.contains(QStringLiteral("[%1%2]").arg(QString(15, '#'), QString(15, '-'))));
        QVERIFY(first.endsWith(QStringLiteral(" 50%  已收 12 字节，尚未进入升级模式")));
        QCOMPARE(report.update(50, "已收 12 字节，尚未进入升级模式"), QString());
        // A shorter status after a longer one: the rest of the old line is blanked out,
        // counting the wide characters as two columns each.
        const QString second = report.update(51, "发送 EOT");
        const QString visible = QStringLiteral("[%1%2]  51%  发送 EOT").arg(QString(15, '#'), QString(15, '-'));
        QCOMPARE(second, '\r' + visible + QString(30 - 8, ' '));
        QCOMPARE(report.update(150, "x").mid(1, 32), QStringLiteral("[%1]").arg(QString(30, '#')));
        QCOMPARE(report.close(), QStringLiteral("\n"));
        QCOMPARE(report.close(), QString());
    }
};

QTEST_GUILESS_MAIN(TestProgressReport)
#include "tst_progressreport.moc"
