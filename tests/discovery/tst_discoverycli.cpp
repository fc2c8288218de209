// telvo-cli probe, detect and search run as a user would, against simulators on their
// pseudo-terminals.
#include "TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTest>

#include <list>

using gcs::test::SimProcess;

class TestDiscoveryCli : public QObject
{
    Q_OBJECT
private slots:
    // units: a simulator per word at that baud ("silent": no stream, no answers). In args
    // (split at "|") and out, $0, $1... stand for their ports and $M for a missing one.
    void commandsSayWhatAnswered_data()
    {
        QTest::addColumn<QString>("units");
        QTest::addColumn<QString>("args");
        QTest::addColumn<int>("customBaud"); // put into the settings when above 0
        QTest::addColumn<bool>("interrupt"); // Ctrl-C half a second after the start
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        const auto row = [](const char* tag, const char* units, const char* args, int custom,
                            bool interrupt, int exitCode, const char* out) {
            QTest::newRow(tag) << QString(units) << QString(args) << custom << interrupt << exitCode
                               << QString::fromUtf8(out);
        };
        row("probe at the unit's baud", "230400", "probe|$0|--baud=230400", 0, false, 0,
            "$0 @ 230400：设备已应答\n");
        row("probe a missing port", "", "probe|$M", 0, false, 1,
            "串口「$M」不存在，请核对端口名或重新插好串口线\n");
        row("probe at another baud", "230400", "probe|$0", 0, false, 1,
            "「$0 @ 115200」通信数据与设备不匹配或未收到有效响应，请核对波特率、接线与纳管型号\n");
        row("probe without a port", "", "probe", 0, false, 2, "");
        row("detect asks the preferred port first", "9600 460800", "detect|--port|$1  sim|$0|$1", 0,
            false, 0, "$1:460800\n");
        row("detect finds nothing", "", "detect|$M", 0, false, 1,
            "未匹配到设备响应，请检查接线与电源\n");
        row("search stops after three", "19200 115200 230400 115200", "search|$M|$0|$1|$2|$3", 0,
            false, 0, "$0 19200 ins\n$1 115200 ins\n$2 230400 ins\n");
        row("search with the custom rate", "57600", "search|$0", 57600, false, 0, "$0 57600 ins\n");
        row("detect stopped by Ctrl-C", "silent silent", "detect|$0|$1", 0, true, 130, "");
        row("search stopped by Ctrl-C", "silent silent", "search|$0|$1", 0, true, 130, "");
    }
    void commandsSayWhatAnswered()
    {
        QFETCH(QString, units);
        QFETCH(QString, args);
        QFETCH(int, customBaud);
        QFETCH(bool, interrupt);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        std::list<SimProcess> sims;
        QStringList ports;
        for (const QString& unit : units.split(' ', Qt::SkipEmptyParts)) {
            QVERIFY(sims.emplace_back().start(
                unit == "silent" ? QStringList { "--stream", "off", "--answer", "none" }
                                 : QStringList { "--baud", unit }));
            ports << sims.back().port();
        }
        const auto expand = [&](QString text) {
            for (qsizetype i = 0; i < ports.size(); ++i)
                text.replace(QStringLiteral("$%1").arg(i), ports[i]);
            return text.replace(QStringLiteral("$M"), QStringLiteral("/nonexistent/ttyNothing"));
        };
        const gcs::test::SettingsHome appData;
        if (customBaud > 0) {
            QSettings ini(appData.iniPath(), QSettings::IniFormat);
            ini.setValue(QStringLiteral("customSerialBauds"), QVariantList { customBaud });
        }
        QProcess cli;
        gcs::test::pinCliLocale(cli);
        cli.start(QDir(gcs::test::binDir()).filePath("telvo-cli"), expand(args).split('|'));
        if (interrupt) {
            QTest::qWait(500);
            QVERIFY(gcs::test::interruptProcess(cli));
        }
        // Stopped by Ctrl-C, it ends at once; otherwise two silent ports take seconds.
        QVERIFY(cli.waitForFinished(interrupt ? 3000 : 60000));
        QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
        QCOMPARE(cli.exitCode(), exitCode);
        QCOMPARE(QString::fromUtf8(cli.readAllStandardOutput()), expand(out));
        if (interrupt)
            QVERIFY(cli.readAllStandardError().contains("已中断"));
    }
};

QTEST_GUILESS_MAIN(TestDiscoveryCli)
#include "tst_discoverycli.moc"
