// telvo-cli probe, detect and search run as a user would, against simulators on their
// pseudo-terminals.
#include "TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using gcs::test::SimProcess;

namespace {

struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun runCli(const QStringList& args, const QString& appData)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LOCALAPPDATA"), appData);
    p.setProcessEnvironment(env);
    p.start(QDir(gcs::test::binDir()).filePath(QStringLiteral("telvo-cli")), args);
    CliRun run;
    if (!p.waitForFinished(60000))
        return run;
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

QString missingPort()
{
    return QStringLiteral("/nonexistent/ttyNothing");
}

} // namespace

class TestDiscoveryCli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_appData;

private slots:
    void probeChecksTheLinkAtOneBaud()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ "--baud", "230400" }), qPrintable(sim.errorText()));

        CliRun run = runCli({ "probe", sim.port(), "--baud", "230400" }, m_appData.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("%1 @ 230400: the unit answered\n").arg(sim.port()));

        run = runCli({ "probe", sim.port() }, m_appData.path()); // 115200 by default
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out,
                 QStringLiteral("「%1 @ 115200」通信数据与设备不匹配或未收到有效响应，"
                                "请核对波特率、接线与纳管型号\n")
                     .arg(sim.port()));

        QCOMPARE(runCli({ "probe" }, m_appData.path()).exitCode, 2);
        QCOMPARE(runCli({ "probe", sim.port(), "--baud", "fast" }, m_appData.path()).exitCode, 2);
    }

    void detectPrintsPortAndBaudOrTheFailureText()
    {
        SimProcess first;
        SimProcess preferred;
        QVERIFY2(first.start({ "--baud", "9600" }), qPrintable(first.errorText()));
        QVERIFY2(preferred.start({ "--baud", "460800" }), qPrintable(preferred.errorText()));

        // The preferred port is asked first, although the first listed one answers too.
        CliRun run = runCli({ "detect", "--port", preferred.port() + "  simulator", first.port(),
                              preferred.port() },
                            m_appData.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, preferred.port() + QStringLiteral(":460800\n"));

        run = runCli({ "detect", "--port", missingPort(), first.port() }, m_appData.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, first.port() + QStringLiteral(":9600\n"));

        run = runCli({ "detect", missingPort() }, m_appData.path());
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QStringLiteral("未匹配到设备响应，请检查接线与电源\n"));
    }

    void searchListsAtMostThreeAnsweringPorts()
    {
        SimProcess a, b, c, d;
        QVERIFY2(a.start({ "--baud", "19200" }), qPrintable(a.errorText()));
        QVERIFY2(b.start(), qPrintable(b.errorText()));
        QVERIFY2(c.start({ "--baud", "230400" }), qPrintable(c.errorText()));
        QVERIFY2(d.start(), qPrintable(d.errorText()));

        CliRun run = runCli({ "search", missingPort(), a.port(), b.port(), c.port(), d.port() },
                            m_appData.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out,
                 QStringLiteral("%1 19200 ins\n%2 115200 ins\n%3 230400 ins\n")
                     .arg(a.port(), b.port(), c.port()));

        run = runCli({ "search", missingPort() }, m_appData.path());
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QString());
    }

    void customRatesFromTheSettingsAreSwept()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ "--baud", "57600" }), qPrintable(sim.errorText()));
        QTemporaryDir appData;
        QCOMPARE(runCli({ "search", sim.port() }, appData.path()).exitCode, 1);

        {
            QSettings ini(appData.filePath("TelvoMonitor/gcs.ini"), QSettings::IniFormat);
            ini.setValue(QStringLiteral("customSerialBauds"), QVariantList { 57600 });
        }
        const CliRun run = runCli({ "search", sim.port() }, appData.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, sim.port() + QStringLiteral(" 57600 ins\n"));
    }
};

QTEST_GUILESS_MAIN(TestDiscoveryCli)
#include "tst_discoverycli.moc"
