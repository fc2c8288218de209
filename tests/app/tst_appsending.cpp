#include "app/Application.h"
#include "catalog/ManagedDevices.h"
#include "console/CommandCatalog.h"
#include "console/CommandNotice.h"
#include "ins/InsBridge.h"
#include "link/SerialTransport.h"
#include "link/Session.h"
#include "link/SessionManager.h"
#include "upgrade/YModem.h"

#include "TestSupport.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using gcs::Application;
using gcs::Session;
using gcs::test::EnvOverride;
using gcs::test::SimProcess;
using gcs::test::waitUntil;

namespace {

constexpr int kReplyWaitMs = 3000;

struct RoundTrip
{
    QString id;
    QStringList args;
    /// A text the unit's reply must contain; empty for commands it does not answer.
    QByteArray reply;
};

} // namespace

/// The controller's outbound path against the simulated unit over a real pseudo-terminal:
/// the session is put into the session manager directly and its bytes are fed to the
/// INS bridge here, so only sending is under test.
class TestAppSending : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<EnvOverride> m_env;
    std::unique_ptr<SimProcess> m_sim;
    std::unique_ptr<Application> m_app;
    Session* m_session = nullptr;
    QByteArray m_rx;

    /// Waits until the unit's replies since the last clear contain text.
    bool replied(const QByteArray& text, int ms = kReplyWaitMs)
    {
        return waitUntil([this, &text]() { return m_rx.contains(text); }, ms);
    }

    /// Sends get_softver until the unit answers: the first bytes on a fresh line may
    /// arrive before the unit looked at the line's rate.
    bool handshake()
    {
        for (int attempt = 0; attempt < 5; ++attempt) {
            m_rx.clear();
            if (!m_app->sendCommand(QStringLiteral("get_softver")))
                return false;
            if (replied("#vorn,softver,", 1000))
                return true;
        }
        return false;
    }

private slots:
    void init()
    {
        m_home = std::make_unique<QTemporaryDir>();
        m_env = std::make_unique<EnvOverride>("LOCALAPPDATA", m_home->path().toLocal8Bit());
        m_sim = std::make_unique<SimProcess>();
        QVERIFY2(m_sim->start({ QStringLiteral("--rate"), QStringLiteral("50") }),
                 qPrintable(m_sim->errorText()));
        m_app = std::make_unique<Application>();
        m_app->loadProfiles(QDir(gcs::test::binDir()).filePath(QStringLiteral("profiles")));
        m_session = new Session(QStringLiteral("primary"), QStringLiteral("串口"),
                                std::make_unique<gcs::SerialTransport>(m_sim->port(), 115200));
        m_app->sessions()->addSession(m_session);
        QVERIFY(m_session->connectTransport());
        m_rx.clear();
        connect(m_session, &Session::bytesReceived, this,
                [this](const QByteArray& bytes) { m_rx += bytes; });
        connect(m_session, &Session::bytesReceived, m_app->ins(), &gcs::InsBridge::feed);
        // Quiet line: replies are not mixed with navigation frames.
        QVERIFY(m_app->sendCommand(QStringLiteral("stop_com1")));
        QVERIFY(handshake());
        QTest::qWait(200);
        m_rx.clear();
    }

    void cleanup()
    {
        m_app.reset();
        m_sim.reset();
        m_env.reset();
        m_home.reset();
    }

    void everyCatalogCommandGoesOutAndIsAnswered()
    {
        gcs::InsBridge* ins = m_app->ins();
        QStringList factory { QStringLiteral("777") };
        for (int i = 0; i < 21; ++i)
            factory << QString::number(0.5 + i);
        const QList<RoundTrip> trips {
            { "get_softver", {}, "#vorn,softver,V2.1.0*ff" },
            { "get_device_info", {}, "#vorn,device info,AX-7300," },
            { "get_system_state", {}, "#vorn,system state," },
            { "set_com1",
              { "232", "115200", "100", "sinsbin" },
              "#vorn,com1,mode:232,baud:115200,fre:100,protocol:sinsbin*ff" },
            { "get_com1", {}, "#vorn,com1,mode:232,baud:115200,fre:100,protocol:sinsbin*ff" },
            { "set_axis", { "-y", "x", "z" }, "#vorn,axis,x:-y,y:x,z:z*ff" },
            { "get_axis", {}, "#vorn,axis,x:-y,y:x,z:z*ff" },
            { "set_gnss", { "1.25" }, "#vorn,gnss,1.25*ff" },
            { "get_gnss", {}, "#vorn,gnss,1.25*ff" },
            { "set_extrap_time", { "20" }, "#vorn,extrapolate time,20*ff" },
            { "get_extrap_time", {}, "#vorn,extrapolate time,20*ff" },
            { "set_position", { "120.5", "30.25", "12" }, "#vorn,position,120.5,30.25,12*ff" },
            { "get_position", {}, "#vorn,position,120.5,30.25,12*ff" },
            { "correct_heading", { "1", "90" }, "#vorn,correct heading,ok*ff" },
            { "set_align_time", { "200" }, "#vorn,align time,200*ff" },
            { "get_align_time", {}, "#vorn,align time,200*ff" },
            { "set_factory", factory, "#vorn,factory,GyroSN:777,kggX:0.5,1.5,2.5,kggY:3.5" },
            { "get_factory", {}, "#vorn,factory,GyroSN:777," },
            { "save_factory_config", {}, "#vorn,save factory config,ok*ff" },
            { "set_gnm", { "0.1", "-0.2", "0.3" }, "#vorn,gnm,ka1:0.1,-0.2,0.3*ff" },
            { "get_gnm", {}, "#vorn,gnm,ka1:0.1,-0.2,0.3*ff" },
            { "save_config", {}, "#vorn,save config,ok*ff" },
            { "get_calib_imu", {}, "#vorn,calib imu," },
            { "static_calib_imu", {}, "#vorn,static calib imu,ok*ff" },
            { "reset_calib_imu", {}, "#vorn,reset calib imu,ok*ff" },
            { "manual_trig_driftz", {}, "#vorn,manual trig driftz,ok*ff" },
            { "set_driftz", { "0.05" }, "#vorn,driftz,0.05*ff" },
            { "debug_open", {}, "#vorn,debug open,ok*ff" },
            { "debug_close", {}, "#vorn,debug close,ok*ff" },
            { "set_device_info", { "bench 3" }, "#vorn,set device info,ok*ff" },
            { "reset_user_flash", {}, "#vorn,reset user flash,ok*ff" },
            { "reset_flash_info", {}, "#vorn,reset flash info,ok*ff" },
        };
        QSet<QString> covered;
        for (const RoundTrip& trip : trips) {
            m_rx.clear();
            const qint64 txBefore = m_session->txBytes();
            const int insSentBefore = ins->sendBytes();
            const qint64 logBefore = m_app->logTxCount();
            QVERIFY2(m_app->sendCommandArgs(trip.id, trip.args), qPrintable(trip.id));
            const QByteArray sent
                = m_app->catalog()->build(QStringLiteral("vorn.") + trip.id, trip.args);
            QCOMPARE(m_app->lastError(), QString());
            QCOMPARE(m_app->userNotice(), gcs::commandUserNotice(trip.id, sent));
            QCOMPARE(m_session->txBytes() - txBefore, sent.size());
            QCOMPARE(ins->sendBytes() - insSentBefore, sent.size());
            QCOMPARE(m_app->logTxCount() - logBefore, sent.size());
            QVERIFY2(replied(trip.reply),
                     qPrintable(trip.id + QStringLiteral(": ") + QString::fromLatin1(m_rx)));
            covered.insert(trip.id);
        }
        // What the bridge read back from the replies.
        QCOMPARE(ins->softver(), QStringLiteral("V2.1.0"));
        QCOMPARE(ins->axis(), QStringLiteral("-y x z"));
        QCOMPARE(ins->gnssYaw(), 1.25);
        QCOMPARE(ins->extrapMs(), 20.0);
        QCOMPARE(ins->serialConfig().value("serialType").toInt(), 232);
        QCOMPARE(ins->serialConfig().value("packetFre").toInt(), 100);
        QCOMPARE(ins->gyroConfig().value("sn").toLongLong(), 777);
        QCOMPARE(ins->gyroConfig().value("kg1zy").toDouble(), 19.5);
        QCOMPARE(ins->installConfig().value("y").toDouble(), -0.2);

        // The resets brought the unit back to how it started.
        m_rx.clear();
        QVERIFY(m_app->sendCommand(QStringLiteral("get_com1")));
        QVERIFY(replied("#vorn,com1,mode:422,baud:115200,fre:50,protocol:sinsbin*ff"));
        QVERIFY(m_app->sendCommand(QStringLiteral("get_factory")));
        QVERIFY(replied("#vorn,factory,GyroSN:240601,"));

        // Navigation output: frames flow after start_com1 and stop after stop_com1.
        m_rx.clear();
        QVERIFY(m_app->sendCommand(QStringLiteral("start_com1")));
        QVERIFY(replied(QByteArray("\xAA\x55", 2)));
        QVERIFY(m_app->sendCommand(QStringLiteral("stop_com1")));
        QTest::qWait(300);
        m_rx.clear();
        QTest::qWait(300);
        QVERIFY(!m_rx.contains(QByteArray("\xAA\x55", 2)));
        covered << QStringLiteral("start_com1") << QStringLiteral("stop_com1");

        // Last, since the unit restarts on it.
        QVERIFY(m_app->sendCommand(QStringLiteral("reset_system")));
        QCOMPARE(m_app->userNotice(), QStringLiteral("系统复位（#vorn,reset system*ff）"));
        covered << QStringLiteral("reset_system");

        QStringList all;
        for (const QString& id : m_app->catalog()->commandIds())
            all << id.mid(int(sizeof("vorn.")) - 1);
        QCOMPARE(QSet<QString>(all.cbegin(), all.cend()), covered);
    }

    void catalogKeysAndUnknownCommands()
    {
        QVERIFY(!m_app->sendCommand(QStringLiteral("no_such")));
        QCOMPARE(m_app->lastError(), QStringLiteral("未知指令：vorn.no_such"));
        QVERIFY(!m_app->sendCommandArgs(QStringLiteral("other.get_softver"), {}));
        QCOMPARE(m_app->lastError(), QStringLiteral("未知指令：other.get_softver"));
        // A key passed whole works, and is named in the notice as it was passed.
        QVERIFY(m_app->sendCommand(QStringLiteral("vorn.get_softver")));
        QCOMPARE(m_app->lastError(), QString());
        QCOMPARE(m_app->userNotice(), QStringLiteral("已发送：#vorn,get softver*ff"));
        QVERIFY(replied("#vorn,softver,V2.1.0*ff"));
    }

    void rawTextAndHexGoOutAsTyped()
    {
        const qint64 before = m_session->txBytes();
        QVERIFY(m_app->sendRaw(QStringLiteral("  #vorn,get gnss*ff "), false));
        QCOMPARE(m_app->userNotice(), QStringLiteral("已发送：#vorn,get gnss*ff"));
        QVERIFY(replied("#vorn,gnss,0*ff"));
        QCOMPARE(m_session->txBytes() - before,
                 qint64(QByteArray("  #vorn,get gnss*ff \r\n").size()));

        QVERIFY(m_app->sendRaw(QStringLiteral("AA 55 01 02"), true));
        QCOMPARE(m_app->userNotice(), QStringLiteral("已发送 Hex（4 字节）"));
        QVERIFY(m_app->sendRaw(QStringLiteral("AA"), false));
        QCOMPARE(m_session->txBytes() - before, qint64(22 + 4 + 4));

        // A refusal says why and sends nothing; a missing session is told apart.
        const qint64 sent = m_session->txBytes();
        QVERIFY(!m_app->sendRaw(QStringLiteral("AA 55 01"), false));
        QVERIFY(m_app->lastError().startsWith(QStringLiteral("内容像二进制 Hex")));
        QVERIFY(!m_app->sendOn(QStringLiteral("elsewhere"), QStringLiteral("#vorn,get com1*ff"),
                               false));
        QCOMPARE(m_app->lastError(), QStringLiteral("会话未连接"));
        QCOMPARE(m_session->txBytes(), sent);
    }

    void historyKeepsTwentyDistinctTextsNewestFirst()
    {
        QSignalSpy changed(m_app.get(), &Application::sendHistoryChanged);
        QVERIFY(m_app->sendRaw(QStringLiteral("#vorn,get gnss*ff"), false));
        QVERIFY(m_app->sendRaw(QStringLiteral("#vorn,get axis*ff"), false));
        QVERIFY(m_app->sendRaw(QStringLiteral("#vorn,get gnss*ff"), false));
        QCOMPARE(m_app->sendHistory(),
                 QStringList(
                     { QStringLiteral("#vorn,get gnss*ff"), QStringLiteral("#vorn,get axis*ff") }));
        QCOMPARE(changed.count(), 3);

        // A failed send is not remembered.
        QVERIFY(!m_app->sendRaw(QStringLiteral("AA 55 01"), false));
        QCOMPARE(m_app->sendHistory().size(), 2);
        m_app->rememberSend(QStringLiteral("  "));
        QCOMPARE(changed.count(), 3);

        for (int i = 0; i < 18; ++i)
            m_app->rememberSend(QStringLiteral("text %1").arg(i));
        QCOMPARE(m_app->sendHistory().size(), 20);
        QCOMPARE(m_app->sendHistory().first(), QStringLiteral("text 17"));
        QCOMPARE(m_app->sendHistory().last(), QStringLiteral("#vorn,get axis*ff"));
        // The 21st distinct text pushes out the oldest.
        m_app->rememberSend(QStringLiteral("text 18"));
        QCOMPARE(m_app->sendHistory().size(), 20);
        QCOMPARE(m_app->sendHistory().last(), QStringLiteral("#vorn,get gnss*ff"));
        QVERIFY(!m_app->sendHistory().contains(QStringLiteral("#vorn,get axis*ff")));
    }

    void fileLinesGoOutOneByOne()
    {
        m_app->sendFileLines(QStringLiteral("#vorn,get gnss*ff\n\n   \n#vorn,get axis*ff\r\n"));
        QVERIFY(replied("#vorn,gnss,"));
        QVERIFY(replied("#vorn,axis,"));
        QCOMPARE(m_app->sendHistory().size(), 2);
        QCOMPARE(m_app->sendHistory().first(), QStringLiteral("#vorn,get axis*ff\r"));
    }

    void timedSendRepeatsUntilSwitchedOff()
    {
        QSignalSpy changed(m_app.get(), &Application::timedSendMsChanged);
        m_app->setTimedSendText(QStringLiteral("#vorn,get softver*ff"));
        m_app->setTimedSendHex(false);
        m_app->setTimedSendMs(100);
        QCOMPARE(changed.count(), 3);
        QVERIFY(waitUntil([this]() { return m_rx.count("#vorn,softver,") >= 3; }, 5000));
        m_app->setTimedSendMs(-1);
        QCOMPARE(m_app->timedSendMs(), 0);
        QTest::qWait(200);
        const qint64 sent = m_session->txBytes();
        QTest::qWait(400);
        QCOMPARE(m_session->txBytes(), sent);
    }

    void commandsNeedTheCurrentDevicesSession()
    {
        // The primary link is up, but a current managed device without a link of its own
        // gets no commands.
        const QString id = m_app->managedDevices()->appendSerial(
            QStringLiteral("ins"), QStringLiteral("unit"), QStringLiteral("/dev/ttyNONE"), 115200,
            true, QString());
        QVERIFY(!id.isEmpty());
        QVERIFY(!m_app->sendCommand(QStringLiteral("get_softver")));
        QCOMPARE(m_app->lastError(), QStringLiteral("未连接"));
        // Raw text goes to the current device's session, which does not exist.
        QVERIFY(!m_app->sendRaw(QStringLiteral("#vorn,get com1*ff"), false));
        QCOMPARE(m_app->lastError(), QStringLiteral("会话未连接"));
        // Named sessions are still reachable.
        QVERIFY(
            m_app->sendOn(QStringLiteral("primary"), QStringLiteral("#vorn,get gnss*ff"), false));
        QVERIFY(replied("#vorn,gnss,"));
    }

    void aClosedLinkIsReported()
    {
        m_session->disconnectTransport();
        QVERIFY(!m_app->sendCommand(QStringLiteral("get_softver")));
        QCOMPARE(m_app->lastError(), QStringLiteral("未连接"));
        QVERIFY(!m_app->sendRaw(QStringLiteral("#vorn,get com1*ff"), false));
        QCOMPARE(m_app->lastError(), QStringLiteral("会话未连接"));
    }

    void nothingIsSentWhileAFirmwareTransferRuns()
    {
        QTemporaryDir dir;
        gcs::YModem* ymodem = m_app->ymodem();
        ymodem->attach(m_session->transport());
        QVERIFY(ymodem->startReceive(dir.filePath(QStringLiteral("image.bin"))));
        QVERIFY(ymodem->busy());
        const qint64 sent = m_session->txBytes();
        const QString upgrading = QStringLiteral("固件升级进行中");
        QVERIFY(!m_app->sendCommand(QStringLiteral("get_softver")));
        QCOMPARE(m_app->lastError(), upgrading);
        QVERIFY(!m_app->sendCommand(QStringLiteral("no_such"))); // before any other check
        QCOMPARE(m_app->lastError(), upgrading);
        QVERIFY(!m_app->sendRaw(QStringLiteral("#vorn,get com1*ff"), false));
        QCOMPARE(m_app->lastError(), upgrading);
        QVERIFY(!m_app->sendOn(QStringLiteral("primary"), QString(), true));
        QCOMPARE(m_app->lastError(), upgrading);
        QCOMPARE(m_session->txBytes(), sent);
        ymodem->cancel();
        QVERIFY(!ymodem->busy());
        ymodem->attach(nullptr);
        QVERIFY(m_app->sendCommand(QStringLiteral("get_softver")));
    }

    void sentCommandsAreTracedInTheLog()
    {
        QSignalSpy ticks(m_app.get(), &Application::statsTick);
        QSignalSpy appended(m_app.get(), &Application::logAppended);
        QVERIFY(m_app->sendCommand(QStringLiteral("get_com1")));
        QCOMPARE(appended.count(), 1);
        const QString chunk = appended.at(0).at(0).toString();
        QVERIFY(chunk.contains(QStringLiteral(" 发送 ──\n#vorn,get com1*ff\n")));
        QVERIFY(m_app->logText().endsWith(chunk));
        QVERIFY(ticks.count() >= 1);
    }
};

QTEST_GUILESS_MAIN(TestAppSending)
#include "tst_appsending.moc"
