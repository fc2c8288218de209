// telvo-cli ymodem-send, ymodem-receive and upgrade, run as programs against lrzsz and
// the simulator over real pseudo-terminals.
#include "TestPackets.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using gcs::test::PtyPair;
using gcs::test::SimProcess;
using gcs::test::TtyProgram;
using gcs::test::waitUntil;

namespace {

struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

QString cliPath()
{
    return QDir(gcs::test::binDir()).filePath("telvo-cli");
}

/// Runs telvo-cli to its end, turning the event loop meanwhile.
CliRun runCli(const QStringList& args, int timeoutMs = 60000)
{
    QProcess p;
    p.start(cliPath(), args);
    CliRun run;
    if (!p.waitForStarted(5000))
        return run;
    waitUntil([&] { return p.state() == QProcess::NotRunning; }, timeoutMs);
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished(3000);
        return run;
    }
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& content)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class TestUpgradeCli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void ymodemSendDeliversAFileToRb()
    {
        const QByteArray content = gcs::test::testContent(200 * 1024 + 5, 3);
        const QString path = writeFile(m_dir, "send.bin", content);
        QTemporaryDir target;
        PtyPair pair;
        QVERIFY2(pair.start(), qPrintable(pair.errorText()));
        TtyProgram rb;
        QVERIFY(rb.start("rb", { "--ymodem" }, pair.endB(), target.path()));
        const CliRun run = runCli({ "ymodem-send", pair.endA(), path, "--baud", "115200" });
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(run.out, QStringLiteral("文件发送成功\n"));
        // Not a terminal: one line per tenth.
        for (const char* step : { " 10%  ", " 50%  ", "100%  " })
            QVERIFY2(run.err.contains(QLatin1String(step)), qPrintable(run.err));
        QVERIFY(!run.err.contains('\r'));
        QVERIFY(rb.waitForEnd(10000));
        QCOMPARE(readAll(target.filePath("send.bin")), content);
    }

    void ymodemReceiveTakesAFileFromSb()
    {
        const QByteArray content = gcs::test::testContent(70000, 4);
        writeFile(m_dir, "from_sb.bin", content);
        const QString saved = m_dir.filePath("saved_by_cli.bin");
        PtyPair pair;
        QVERIFY2(pair.start(), qPrintable(pair.errorText()));
        QProcess cli;
        cli.start(cliPath(), { "ymodem-receive", pair.endA(), saved });
        QVERIFY(cli.waitForStarted(5000));
        TtyProgram sb;
        QVERIFY(sb.start("sb", { "--ymodem", "-k", "from_sb.bin" }, pair.endB(), m_dir.path()));
        QVERIFY(waitUntil([&] { return cli.state() == QProcess::NotRunning; }, 60000));
        QCOMPARE(cli.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(cli.readAllStandardOutput()), QStringLiteral("文件接收成功\n"));
        QCOMPARE(readAll(saved), content);
    }

    void failuresEndWithTheReasonAndStatusOne()
    {
        PtyPair pair;
        QVERIFY2(pair.start(), qPrintable(pair.errorText()));
        CliRun run = runCli({ "ymodem-send", pair.endA(), m_dir.filePath("missing.bin") });
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err, QStringLiteral("telvo-cli ymodem-send: 无法打开固件文件\n"));

        run = runCli({ "ymodem-receive", "/nonexistent/tty", m_dir.filePath("x.bin") });
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.startsWith("telvo-cli ymodem-receive: cannot open /nonexistent/tty"),
                 qPrintable(run.err));
    }

    void badArgumentsGiveTheUsage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("missing file") << QStringList { "ymodem-send", "/dev/null" };
        QTest::newRow("bad baud") << QStringList { "ymodem-receive", "p", "f", "--baud", "12x" };
        QTest::newRow("baud too low") << QStringList { "upgrade", "p", "f", "--baud", "100" };
        QTest::newRow("no baud value") << QStringList { "upgrade", "p", "f", "--baud" };
        QTest::newRow("unknown option") << QStringList { "upgrade", "p", "f", "--fast" };
    }
    void badArgumentsGiveTheUsage()
    {
        QFETCH(QStringList, args);
        const CliRun run = runCli(args, 10000);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains("usage: telvo-cli " + args.first()), qPrintable(run.err));
    }

    void upgradeRunsTheWholeProcedure()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ "--baud", "9600", "--image-out", m_dir.filePath("cli_image.bin") }),
                 qPrintable(sim.errorText()));
        const QString firmware = writeFile(m_dir, "cli_fw.bin", gcs::test::testContent(90000, 8));
        const CliRun run = runCli({ "upgrade", sim.port(), firmware, "--baud", "9600" });
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.contains(QStringLiteral("已复位并在 115200 重开串口，20 秒内等待进入升级模式\n")),
                 qPrintable(run.err));
        QVERIFY(run.err.endsWith(QStringLiteral("文件发送成功\n")));
        QVERIFY(waitUntil([&] { return readAll(m_dir.filePath("cli_image.bin")) == readAll(firmware); },
                          3000));
    }

    void upgradeAfterAHardwareResetWaitsForTheReset()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ "--image-out", m_dir.filePath("hw_image.bin") }),
                 qPrintable(sim.errorText()));
        const QString firmware = writeFile(m_dir, "hw_fw.bin", gcs::test::testContent(3000, 9));
        QProcess cli;
        cli.start(cliPath(), { "upgrade", sim.port(), firmware, "--hardware-reset" });
        QVERIFY(cli.waitForStarted(5000));
        QByteArray err;
        const QByteArray notice = QStringLiteral("已在 115200 重开串口，请立即硬件复位，20 秒内等待进入升级模式").toUtf8();
        QVERIFY(waitUntil([&] { err += cli.readAllStandardError(); return err.contains(notice); }, 5000));
        QTest::qWait(300);
        QVERIFY(!sim.standardError().contains("reset")); // nothing reset the unit so far
        QCOMPARE(::kill(pid_t(sim.processId()), SIGUSR1), 0);
        QVERIFY(waitUntil([&] { return cli.state() == QProcess::NotRunning; }, 30000));
        QCOMPARE(cli.exitCode(), 0);
        QVERIFY(waitUntil([&] { return readAll(m_dir.filePath("hw_image.bin")) == readAll(firmware); },
                          3000));
    }

    void upgradeThatTheDeviceCancelsFails()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ "--boot-fault", "cancel" }), qPrintable(sim.errorText()));
        const QString firmware = writeFile(m_dir, "c_fw.bin", gcs::test::testContent(20000, 2));
        const CliRun run = runCli({ "upgrade", sim.port(), firmware });
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.endsWith(QStringLiteral("telvo-cli upgrade: 设备取消\n")), qPrintable(run.err));
    }
};

QTEST_GUILESS_MAIN(TestUpgradeCli)
#include "tst_upgradecli.moc"
