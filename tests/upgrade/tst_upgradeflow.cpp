// The upgrade procedure on real serial links, through UpgradeFlow and as telvo-cli, against
// the simulator's boot loader (with habits and faults of real ones), a pty peer and rb.
#include "TestPackets.h"
#include "TestSupport.h"

#include "link/SerialTransport.h"
#include "link/Session.h"
#include "link/UdpTransport.h"
#include "upgrade/ProgressReport.h"
#include "upgrade/UpgradeFlow.h"
#include "upgrade/YModem.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>

using namespace gcs;
using namespace gcs::test;

namespace {

/// What the controller owns for an upgrade: the current session, the engine, the flow,
/// and the routing of received chunks to the engine while it is busy.
struct Controller
{
    std::unique_ptr<Session> session;
    YModem engine;
    UpgradeFlow flow { &engine, [this] { return session.get(); } };
    QSignalSpy errors { &flow, &UpgradeFlow::errorReported };
    QSignalSpy notices { &flow, &UpgradeFlow::noticeReported };
    QSignalSpy done { &flow, &UpgradeFlow::upgradeFinished };
    QByteArray telemetry; ///< what reached the rest of the program

    bool connect(const QString& port, int baud)
    {
        return connect(std::make_unique<SerialTransport>(port, baud));
    }
    bool connect(std::unique_ptr<ITransport> link)
    {
        session = std::make_unique<Session>("dev", "KT45", std::move(link));
        QObject::connect(session.get(), &Session::bytesReceived, [this](const QByteArray& d) {
            engine.busy() ? engine.onRx(d) : void(telemetry += d);
        });
        const bool ok = session->connectTransport();
        flow.syncYModemTransport();
        QTest::qWait(ok ? 250 : 0); // the simulated unit learns the line's rate by looking
        return ok;
    }
    SerialTransport* serial() const { return qobject_cast<SerialTransport*>(session->transport()); }
    QString result() const { return done.isEmpty() ? "<running>" : done[0][1].toString(); }
};

QString last(const QSignalSpy& spy)
{
    return spy.isEmpty() ? "" : spy.last().at(0).toString();
}

QString writeFirmware(const QTemporaryDir& dir, qsizetype size, const QByteArray& version)
{
    QByteArray image = testContent(size, 5);
    image.replace(size / 2, version.size() + 9, "SOFTVER=" + version + '\0');
    return writeFileBytes(dir.filePath("fw.bin"), image) ? dir.filePath("fw.bin") : QString();
}

} // namespace

class TestUpgradeFlow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QProcess m_cli; ///< telvo-cli

    /// Runs the tool to its end (turning the event loop); its exit code, or -1.
    int runCli(const QStringList& args)
    {
        pinCliLocale(m_cli);
        m_cli.start(QDir(binDir()).filePath("telvo-cli"), args);
        if (!waitUntil([&] { return m_cli.state() == QProcess::NotRunning; }, 60000))
            m_cli.kill();
        m_cli.waitForFinished(3000);
        return m_cli.exitStatus() == QProcess::NormalExit ? m_cli.exitCode() : -1;
    }
    QString err() { return QString::fromUtf8(m_cli.readAllStandardError()); }

private slots:
    void bootLoader_data()
    {
        QTest::addColumn<QStringList>("simArgs");
        QTest::addColumn<int>("baud");
        QTest::addColumn<bool>("hardware");
        QTest::addColumn<QString>("result"); // what it starts with
        const QString ok = QStringLiteral("文件发送成功");
        QTest::newRow("software reset at 9600") << QStringList() << 9600 << false << ok;
        QTest::newRow("software reset at 115200") << QStringList() << 115200 << false << ok;
        QTest::newRow("hardware reset at 19200") // silent until then: no stray 'C' or CAN CAN
            << QStringList { "--stream", "off" } << 19200 << true << ok;
        QTest::newRow("hardware reset at 115200, the unit streaming") // frames, 'C' among them
            << QStringList() << 115200 << true << ok;
        QTest::newRow("CR LF after every ACK")
            << QStringList { "--boot-quirk", "crlf" } << 9600 << false << ok;
        QTest::newRow("talks right after the EOT")
            << QStringList { "--boot-quirk", "eot-talk" } << 9600 << false << ok;
        QTest::newRow("silent") << QStringList { "--boot-fault", "silent", "--stream", "off" }
                                << 19200 << false
                                << QStringLiteral("限时内未进入升级模式（串口共 ");
        QTest::newRow("cancels") << QStringList { "--boot-fault", "cancel" } << 19200 << false
                                 << QStringLiteral("设备取消");
        QTest::newRow("refuses every block") << QStringList { "--boot-fault", "nak" } << 19200
                                             << false << QStringLiteral("传输超时");
    }
    void bootLoader()
    {
        QFETCH(QStringList, simArgs);
        QFETCH(int, baud);
        QFETCH(bool, hardware);
        QFETCH(QString, result);
        const bool succeeds = result == QStringLiteral("文件发送成功");
        const QString image = m_dir.filePath("image.bin");
        QFile::remove(image);
        SimProcess sim;
        QVERIFY2(sim.start(simArgs
                           + QStringList { "--baud", QString::number(baud), "--image-out", image }),
                 qPrintable(sim.errorText()));
        Controller c;
        QVERIFY(c.connect(sim.port(), baud));
        QSignalSpy opened(c.serial(), &ITransport::stateChanged);
        if (!succeeds) {
            c.flow.setHandshakeWindowMs(1500);
            c.engine.setInactivityLimitMs(1500);
        }
        const QString firmware = writeFirmware(m_dir, 150 * 1024 + 77, "V3.1.4");
        // The old firmware's frames ('C' among them) are read while the reset goes out.
        QThread::msleep(250);
        QVERIFY(hardware
                    ? c.flow.acceptChosenFile(firmware) && c.flow.startUpgradeAfterHardwareReset()
                    : c.flow.startUpgrade(firmware));
        const QString notice = hardware
            ? "已在 115200 重开串口，请立即硬件复位，%1 秒内等待进入升级模式"
            : baud == 115200 ? "已复位，115200 下 %1 秒内等待进入升级模式"
                             : "已复位并在 115200 重开串口，%1 秒内等待进入升级模式";
        QCOMPARE(last(c.notices), notice.arg(succeeds ? 20 : 2));
        QCOMPARE(last(c.errors), QString());
        QCOMPARE(c.flow.hardwareReset(), hardware); // the mode every view shows
        QVERIFY(c.engine.waitingForC());
        QCOMPARE(c.serial()->baudRate(), 115200);
        QCOMPARE(c.flow.upgradeRestoreBaud(), baud);
        if (hardware) { // the user's key resets the unit, after a while in which nothing it
            // says may start the transfer (which would then end at the inactivity limit)
            c.engine.setInactivityLimitMs(1500);
            QTest::qWait(2000);
            QVERIFY(c.engine.waitingForC() && !sim.standardError().contains("reset"));
            c.engine.setInactivityLimitMs(YModem::kInactivityLimitMs);
            QCOMPARE(::kill(pid_t(sim.processId()), SIGUSR1), 0);
        }

        QVERIFY2(waitUntil([&] { return !c.done.isEmpty(); }, 40000),
                 qPrintable(c.engine.statusText()));
        QVERIFY2(c.result().startsWith(result), qPrintable(c.result()));
        QCOMPARE(last(succeeds ? c.notices : c.errors), c.result());
        // Back at the old rate, and reopened for the boot loader even at the same rate.
        QCOMPARE(c.serial()->baudRate(), baud);
        QVERIFY(c.session->isConnected());
        QCOMPARE(opened.count(), baud == 115200 ? 1 : 2);
        if (!succeeds)
            return;
        QCOMPARE(last(c.errors), QString());
        QVERIFY(!c.engine.endingBatch());
        QTRY_COMPARE_WITH_TIMEOUT(readFileBytes(image), readFileBytes(firmware), 3000);
        // The new firmware answers at the old rate, only restored after the end of the batch.
        QTest::qWait(500);
        c.session->send("#vorn,get softver*ff\r\n");
        QVERIFY(waitUntil([&] { return c.telemetry.contains("#vorn,softver,V3.1.4*"); }, 3000));
    }

    void closedLinkStaysClosed_data()
    {
        QTest::addColumn<bool>("byOwner"); // the user's "断开", or the link going by itself
        QTest::newRow("owner disconnects") << true;
        QTest::newRow("link closes under the transfer") << false;
    }
    void closedLinkStaysClosed()
    {
        QFETCH(bool, byOwner);
        const QString message = byOwner ? QStringLiteral("已取消") : QStringLiteral("传输超时");
        SimProcess sim;
        QVERIFY2(sim.start({ "--baud", "9600" }), qPrintable(sim.errorText()));
        Controller c;
        QVERIFY(c.connect(sim.port(), 9600));
        c.engine.setInactivityLimitMs(1500);
        QVERIFY(c.flow.startUpgrade(writeFirmware(m_dir, 300 * 1024, "V5")));
        QVERIFY(waitUntil([&] { return c.engine.progress() > 0; }, 15000));
        // A second start while this one runs is refused and leaves its rate to restore.
        QVERIFY(!c.flow.startUpgrade(m_dir.filePath("fw.bin")));
        QCOMPARE(last(c.errors), QStringLiteral("无法开始升级，请确认固件文件可读"));
        QCOMPARE(c.flow.upgradeRestoreBaud(), 9600);
        QSignalSpy opened(c.serial(), &ITransport::stateChanged);
        if (byOwner)
            c.flow.sessionClosing(c.session.get());
        c.session->disconnectTransport();
        QVERIFY2(waitUntil([&] { return !c.done.isEmpty(); }, 10000),
                 qPrintable(c.engine.statusText()));
        QCOMPARE(c.result(), message);
        QCOMPARE(last(c.errors), message);
        // Not reopened, neither now nor a little later; it keeps its rate for the next open.
        QTest::qWait(300);
        QVERIFY(!c.session->isConnected());
        QCOMPARE(opened.count(), 1); // the close
        QCOMPARE(c.serial()->baudRate(), 9600);
        if (byOwner) // the boot loader was told
            QVERIFY(waitUntil([&] { return sim.standardError().contains("cancelled"); }, 3000));
    }

    void startIsRefusedWithItsReason()
    {
        Controller c;
        QVERIFY(!c.flow.startUpgrade("/x.bin"));
        QCOMPARE(last(c.errors), QStringLiteral("请先连接串口后再升级固件"));
        QVERIFY(c.connect(std::make_unique<UdpTransport>("127.0.0.1", 0, "127.0.0.1", 9)));
        QVERIFY(!c.flow.startUpgrade("/x.bin"));
        QCOMPARE(last(c.errors), QStringLiteral("固件升级仅支持串口，且必须 115200 才能识别 C"));

        PtyPair pair;
        QVERIFY2(pair.start(), qPrintable(pair.errorText()));
        RawTty device(pair.endB(), 9600);
        QVERIFY(c.connect(pair.endA(), 9600));
        QVERIFY(!c.flow.startUpgrade(QString()));
        QCOMPARE(last(c.errors), QStringLiteral("请先选择固件文件"));
        QVERIFY(!c.flow.startUpgrade(m_dir.filePath("missing.bin")));
        QCOMPARE(last(c.errors), QStringLiteral("无法开始升级，请确认固件文件可读"));
        QVERIFY(device.read(300).isEmpty() && c.notices.isEmpty()); // no reset was sent
        // Unplugged: the port is still open until its error is seen, so the reset fails.
        const QString firmware = writeFirmware(m_dir, 3000, "V1");
        pair.stop();
        QVERIFY(!c.flow.startUpgrade(firmware));
        QCOMPARE(c.errors.at(c.errors.size() - 2).at(0).toString(),
                 QStringLiteral("复位命令发送失败"));
        QCOMPARE(last(c.errors), QStringLiteral("已取消"));
    }

    void ymodemSendTalksToRb()
    {
        const QByteArray content = testContent(200 * 1024 + 5, 3);
        QVERIFY(writeFileBytes(m_dir.filePath("send.bin"), content));
        QTemporaryDir target;
        PtyPair pair;
        QVERIFY2(pair.start(), qPrintable(pair.errorText()));
        TtyProgram rb;
        QVERIFY(rb.start("rb", { "--ymodem" }, pair.endB(), target.path()));
        const int sent = runCli(
            { "ymodem-send", pair.endA(), m_dir.filePath("send.bin"), "--baud", "115200" });
        const QString progress = err(); // not a terminal: a line per tenth
        QVERIFY2(sent == 0, qPrintable(progress + rb.standardError()));
        QCOMPARE(m_cli.readAllStandardOutput(), QStringLiteral("文件发送成功\n").toUtf8());
        for (const char* step : { " 10%  ", " 50%  ", "100%  " })
            QVERIFY2(progress.contains(QLatin1String(step)) && !progress.contains('\r'),
                     qPrintable(progress));
        QVERIFY(rb.waitForEnd(10000) && rb.exitCode() == 0);
        QCOMPARE(readFileBytes(target.filePath("send.bin")), content);
    }

    void upgradeRunsTheWholeProcedure_data()
    {
        QTest::addColumn<QString>("fault"); // of the boot loader
        QTest::addColumn<QString>("ending");
        QTest::newRow("unit takes it") << "none" << QStringLiteral("文件发送成功\n");
        QTest::newRow("unit cancels")
            << "cancel" << QStringLiteral("telvo-cli upgrade: 设备取消\n");
    }
    void upgradeRunsTheWholeProcedure()
    {
        QFETCH(QString, fault);
        QFETCH(QString, ending);
        const int exitCode = fault == "none" ? 0 : 1;
        SimProcess sim;
        QVERIFY2(sim.start({ "--baud", "9600", "--boot-fault", fault, "--image-out",
                             m_dir.filePath("image.bin") }),
                 qPrintable(sim.errorText()));
        QVERIFY(writeFileBytes(m_dir.filePath("fw.bin"), testContent(90000, 8)));
        QCOMPARE(runCli({ "upgrade", sim.port(), m_dir.filePath("fw.bin"), "--baud", "9600" }),
                 exitCode);
        const QString text = err();
        QVERIFY2(
            text.contains(QStringLiteral("已复位并在 115200 重开串口，20 秒内等待进入升级模式\n"))
                && text.endsWith(ending),
            qPrintable(text));
        // The unit had the end of the batch before the tool ended: it wrote the image.
        if (exitCode == 0)
            QCOMPARE(readFileBytes(m_dir.filePath("image.bin")),
                     readFileBytes(m_dir.filePath("fw.bin")));
    }

    void failuresGiveTheReasonOrTheUsage_data()
    {
        QTest::addColumn<QStringList>("args"); // PTY: a pseudo-terminal nobody answers on
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("error");
        QTest::newRow("unreadable file") << QStringList { "ymodem-send", "PTY", "/nonexistent.bin" }
                                         << 1 << "telvo-cli ymodem-send: 无法打开固件文件\n";
        QTest::newRow("missing port") << QStringList { "ymodem-receive", "/nonexistent/tty", "x" }
                                      << 1 << "telvo-cli ymodem-receive: 无法打开 /nonexistent/tty";
        QTest::newRow("bad baud") << QStringList { "ymodem-receive", "p", "f", "--baud", "12x" }
                                  << 2 << "用法：telvo-cli ymodem-receive";
        QTest::newRow("unknown option")
            << QStringList { "upgrade", "p", "f", "--fast" } << 2
            << "telvo-cli upgrade: 未知选项 --fast\n\n用法：telvo-cli upgrade";
    }
    void failuresGiveTheReasonOrTheUsage()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, error);
        PtyPair pair;
        QVERIFY2(pair.start(), qPrintable(pair.errorText()));
        QCOMPARE(runCli(args.replaceInStrings("PTY", pair.endA())), exitCode);
        const QString text = err();
        QVERIFY2(text.contains(error), qPrintable(text));
    }

    void terminalBarIsRedrawnInPlaceAndBlanksLeftovers()
    {
        gcs::ProgressReport report(true);
        const QString bar = QString(15, '#') + QString(15, '-');
        const QString status = QStringLiteral("已收 12 字节，尚未进入升级模式");
        QCOMPARE(report.update(50, status), "\r[" + bar + "]  50%  " + status);
        QCOMPARE(report.update(50, status), QString()); // nothing changed
        // A shorter status blanks the old line's rest, wide characters counting as two.
        QCOMPARE(report.update(51, "发送 EOT"),
                 "\r[" + bar + "]  51%  发送 EOT" + QString(22, ' '));
        QCOMPARE(report.update(150, "x").mid(1, 32), "[" + QString(30, '#') + "]");
        QCOMPARE(report.close(), QStringLiteral("\n"));
        QCOMPARE(report.close(), QString());
    }
};

QTEST_GUILESS_MAIN(TestUpgradeFlow)
#include "tst_upgradeflow.moc"
