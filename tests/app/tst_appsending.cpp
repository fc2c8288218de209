// The controller against the simulated unit on its pseudo-terminal, connected as the
// window connects: every catalog command and raw input that goes out, and the device side
// of the configuration pages (navigation output by page, the user configuration read,
// the factory read-back, the axis guard).
#include "app/Application.h"
#include "catalog/ManagedDevices.h"
#include "console/CommandCatalog.h"
#include "ins/InsBridge.h"
#include "ins/TelemetryHub.h"
#include "link/Session.h"
#include "upgrade/YModem.h"

#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <memory>

using gcs::Application;
using gcs::test::EnvOverride;
using gcs::test::SimProcess;
using gcs::test::waitUntil;

namespace {

const QString kStart = QStringLiteral("#vorn,start com1*ff");
const QString kStop = QStringLiteral("#vorn,stop com1*ff");
const QString kGetCom1 = QStringLiteral("#vorn,get com1*ff");

} // namespace

class TestAppSending : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<EnvOverride> m_env;
    std::unique_ptr<SimProcess> m_sim;
    std::unique_ptr<Application> m_app;
    QByteArray m_rx;

    /// How often a command went out, counted in the communication log's traces.
    int sent(const QString& command) const { return m_app->logText().count(command); }
    gcs::Session* link() const { return m_app->currentManagedSession(); }
    qint64 tx() const { return link() ? link()->txBytes() : 0; }

    /// Waits until what the unit sent since the last clear contains text.
    bool replied(const QByteArray& text, int ms = 3000)
    {
        return waitUntil([this, &text]() { return m_rx.contains(text); }, ms);
    }

    /// Connects to the unit as the window does, then shows the page nav.
    bool connectOn(const QString& nav)
    {
        if (!m_app->stageManualSerialConnect("ins", "", m_sim->port(), 115200)
            || !m_app->connectCurrentManaged()
            || !waitUntil([this] { return m_app->currentManagedConnected(); }, 8000))
            return false;
        connect(link(), &gcs::Session::bytesReceived, this,
                [this](const QByteArray& bytes) { m_rx += bytes; });
        m_app->setCurrentNav(nav);
        return true;
    }

    /// A link on the raw page with the navigation output off, once the unit answered:
    /// the first bytes on a fresh line may arrive before it looked at the line's rate.
    bool quietLink()
    {
        if (!connectOn(QStringLiteral("raw")) || !m_app->sendCommand("stop_com1"))
            return false;
        for (int attempt = 0; attempt < 5; ++attempt) {
            m_rx.clear();
            if (m_app->sendCommand("get_softver") && replied("#vorn,softver,", 1000)) {
                QTest::qWait(200);
                m_rx.clear();
                return true;
            }
        }
        return false;
    }

    /// Whether bytes keep arriving once the line has settled.
    bool streaming()
    {
        QTest::qWait(250);
        const qint64 before = link()->rxBytes();
        QTest::qWait(400);
        return link()->rxBytes() > before;
    }

    void showFactoryPage()
    {
        const QString dir = m_home->filePath(QStringLiteral("profiles"));
        QVERIFY(gcs::test::writeFileBytes(dir + "/ui.yaml", "factory_config: true\n"));
        m_app->loadProfiles(dir);
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
        m_rx.clear();
    }

    void cleanup()
    {
        QThreadPool::globalInstance()->waitForDone(20000);
        m_app.reset();
        m_sim.reset();
        m_env.reset();
        m_home.reset();
    }

    // Every command of the shipped catalog goes out, is counted and traced, is confirmed
    // with its own label and is answered by the unit.
    void everyCatalogCommandGoesOutAndIsAnswered()
    {
        QVERIFY(quietLink());
        struct RoundTrip
        {
            QString id;
            QStringList args;
            QByteArray reply;
        };
        QStringList factory { "777" };
        for (int i = 0; i < 21; ++i)
            factory << QString::number(0.5 + i);
        const QList<RoundTrip> trips {
            { "get_softver", {}, "#vorn,softver,V2.1.0*ff" },
            { "get_device_info", {}, "#vorn,device info,AX-7300," },
            { "get_system_state", {}, "#vorn,system state," },
            { "set_com1",
              { "232", "115200", "100", "sinsbin" },
              "#vorn,com1,mode:232,baud:115200" },
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
            { "start_com1", {}, QByteArray("\xAA\x55", 2) }, // frames flow again
            { "stop_com1", {}, "" },
            { "reset_system", {}, "" }, // last: the unit restarts on it
        };
        QSet<QString> labels;
        for (const RoundTrip& trip : trips) {
            m_rx.clear();
            const qint64 txBefore = tx();
            const int insBefore = m_app->ins()->sendBytes();
            const qint64 logBefore = m_app->logTxCount();
            QVERIFY2(m_app->sendCommandArgs(trip.id, trip.args), qPrintable(trip.id));
            const QByteArray bytes = m_app->catalog()->build("vorn." + trip.id, trip.args);
            QCOMPARE(tx() - txBefore, bytes.size());
            QCOMPARE(m_app->ins()->sendBytes() - insBefore, bytes.size());
            QCOMPARE(m_app->logTxCount() - logBefore, bytes.size());
            const QString notice = m_app->userNotice();
            QVERIFY2(notice.endsWith("（" + QString::fromUtf8(bytes).trimmed() + "）"),
                     qPrintable(notice));
            labels.insert(notice.left(notice.indexOf(QStringLiteral("（"))));
            QVERIFY2(replied(trip.reply), qPrintable(trip.id + ": " + QString::fromLatin1(m_rx)));
        }
        QCOMPARE(m_app->userNotice(), QStringLiteral("系统复位（#vorn,reset system*ff）"));
        QVERIFY(!labels.contains(QStringLiteral("已发送：")));
        QCOMPARE(labels.size(), trips.size());
        QCOMPARE(m_app->catalog()->commandIds().size(), trips.size());
    }

    void keysRawInputHistoryAndFileLines()
    {
        QVERIFY(quietLink());
        QVERIFY(!m_app->sendCommand(QStringLiteral("no_such")));
        QCOMPARE(m_app->lastError(), QStringLiteral("未知指令：vorn.no_such"));
        QVERIFY(!m_app->sendCommand(QStringLiteral("other.get_softver")));
        QCOMPARE(m_app->lastError(), QStringLiteral("未知指令：other.get_softver"));
        // A key passed whole works and is named as it was passed.
        QVERIFY(m_app->sendCommand(QStringLiteral("vorn.get_softver")));
        QCOMPARE(m_app->userNotice(), QStringLiteral("已发送：#vorn,get softver*ff"));

        // Raw text goes out as typed with CR LF, hex as its bytes; refusals send nothing.
        qint64 before = tx();
        QVERIFY(m_app->sendRaw(QStringLiteral("  #vorn,get gnss*ff "), false));
        QCOMPARE(m_app->userNotice(), QStringLiteral("已发送：#vorn,get gnss*ff"));
        QVERIFY(replied("#vorn,gnss,0*ff"));
        QVERIFY(m_app->sendRaw(QStringLiteral("AA 55 01 02"), true));
        QCOMPARE(m_app->userNotice(), QStringLiteral("已发送 Hex（4 字节）"));
        QCOMPARE(tx() - before, 22 + 4);
        before = tx();
        QVERIFY(!m_app->sendRaw(QStringLiteral("AA 55 01"), false));
        QVERIFY(!m_app->sendOn(QStringLiteral("elsewhere"), QStringLiteral("#vorn,a*ff"), false));
        QCOMPARE(m_app->lastError(), QStringLiteral("会话未连接"));
        QCOMPARE(tx(), before);

        // The history keeps twenty different texts, newest first, and no failed one.
        QCOMPARE(m_app->sendHistory(), QStringList({ "AA 55 01 02", "  #vorn,get gnss*ff " }));
        QVERIFY(m_app->sendRaw(QStringLiteral("  #vorn,get gnss*ff "), false));
        QCOMPARE(m_app->sendHistory().first(), QStringLiteral("  #vorn,get gnss*ff "));
        for (int i = 0; i < 19; ++i)
            m_app->rememberSend(QStringLiteral("text %1").arg(i));
        m_app->rememberSend(QStringLiteral("  "));
        QCOMPARE(m_app->sendHistory().size(), 20);
        QCOMPARE(m_app->sendHistory().first(), QStringLiteral("text 18"));
        QCOMPARE(m_app->sendHistory().last(), QStringLiteral("  #vorn,get gnss*ff "));

        // A file goes out line by line, blank lines skipped; a CR before LF stays.
        m_rx.clear();
        m_app->sendFileLines(QStringLiteral("#vorn,get gnss*ff\n\n   \n#vorn,get axis*ff\r\n"));
        QVERIFY(replied("#vorn,gnss,") && replied("#vorn,axis,"));
        QCOMPARE(m_app->sendHistory().first(), QStringLiteral("#vorn,get axis*ff\r"));
    }

    void timedSendRepeatsUntilSwitchedOff()
    {
        QVERIFY(quietLink());
        m_app->setTimedSendText(QStringLiteral("#vorn,get softver*ff"));
        m_app->setTimedSendHex(false);
        m_app->setTimedSendMs(100);
        QVERIFY(waitUntil([this]() { return m_rx.count("#vorn,softver,") >= 3; }, 5000));
        m_app->setTimedSendMs(-1);
        QTest::qWait(200);
        const qint64 after = tx();
        QTest::qWait(400);
        QCOMPARE(tx(), after);
    }

    void commandsGoToTheCurrentDevicesLinkOnly()
    {
        QVERIFY(quietLink());
        const QString first = m_app->managedDevices()->currentId();
        // Another device becomes current; it has no link of its own.
        QVERIFY(m_app->stageManualSerialConnect("ins", "", "/dev/ttyNONE", 115200));
        QVERIFY(!m_app->sendCommand(QStringLiteral("get_softver")));
        QCOMPARE(m_app->lastError(), QStringLiteral("未连接"));
        QVERIFY(!m_app->sendRaw(QStringLiteral("#vorn,get com1*ff"), false));
        QCOMPARE(m_app->lastError(), QStringLiteral("会话未连接"));
        // A named link is still reachable, until it is closed.
        QVERIFY(m_app->sendOn(first, QStringLiteral("#vorn,get gnss*ff"), false));
        QVERIFY(replied("#vorn,gnss,"));
        m_app->disconnectSession(first);
        QVERIFY(!m_app->sendOn(first, QStringLiteral("#vorn,get gnss*ff"), false));
        QCOMPARE(m_app->lastError(), QStringLiteral("会话未连接"));
    }

    void nothingIsSentWhileAFirmwareTransferRuns()
    {
        QVERIFY(quietLink());
        gcs::YModem* ymodem = m_app->ymodem();
        ymodem->attach(link()->transport());
        QVERIFY(ymodem->startReceive(m_home->filePath(QStringLiteral("image.bin"))));
        const qint64 before = tx();
        const QString upgrading = QStringLiteral("固件升级进行中");
        QVERIFY(!m_app->sendCommand(QStringLiteral("no_such"))); // before any other check
        QCOMPARE(m_app->lastError(), upgrading);
        QVERIFY(!m_app->sendRaw(QStringLiteral("#vorn,get com1*ff"), false));
        QCOMPARE(m_app->lastError(), upgrading);
        QVERIFY(!m_app->sendOn(m_app->managedDevices()->currentId(), QString(), true));
        QCOMPARE(m_app->lastError(), upgrading);
        QCOMPARE(tx(), before);
        ymodem->cancel();
        ymodem->attach(nullptr);
        QVERIFY(m_app->sendCommand(QStringLiteral("get_softver")));
    }

    // ---- configuration pages ------------------------------------------------------------

    void navigationOutputFollowsThePageShown()
    {
        QVERIFY2(connectOn(QStringLiteral("attitude")), qPrintable(m_app->lastError()));
        // Shortly after the link opened the live page asks for the stream, although the
        // unit streams from power-up: nothing was commanded on this link yet.
        QVERIFY(waitUntil([this] { return sent(kStart) == 1; }, 3000));
        QCOMPARE(m_app->userNotice(), QStringLiteral("打开导航输出（#vorn,start com1*ff）"));
        m_app->setCurrentNav(QStringLiteral("charts"));
        QCOMPARE(sent(kStart), 1); // already on

        m_app->setCurrentNav(QStringLiteral("user_config"));
        QCOMPARE(sent(kStop), 1);
        QCOMPARE(m_app->userNotice(), QStringLiteral("关闭导航输出（#vorn,stop com1*ff）"));
        QCOMPARE(m_app->hub()->quality(), QStringLiteral("offline"));
        QCOMPARE(m_app->ins()->recPackets(), 0);
        // Serial port 1 is read a moment later, once the unit has gone quiet.
        QElapsedTimer t;
        t.start();
        QVERIFY(waitUntil([this] { return sent(kGetCom1) == 1; }, 2000));
        QVERIFY2(t.elapsed() >= 350, qPrintable(QString::number(t.elapsed())));
        QVERIFY(waitUntil([this] { return !m_app->ins()->serialConfig().isEmpty(); }, 3000));
        QVERIFY(!streaming());

        // The raw console leaves the output as it is; the upgrade page wants it off.
        m_app->setCurrentNav(QStringLiteral("raw"));
        m_app->setCurrentNav(QStringLiteral("upgrade"));
        QCOMPARE(sent(kStart) + sent(kStop), 2);
        m_app->setCurrentNav(QStringLiteral("record"));
        QCOMPARE(sent(kStart), 2);
        QVERIFY(streaming());

        // The factory page switches the output off too, without reading serial port 1.
        showFactoryPage();
        m_app->setCurrentNav(QStringLiteral("factory_config"));
        QCOMPARE(sent(kStop), 2);
        QTest::qWait(700);
        QCOMPARE(sent(kGetCom1), 1);
        QVERIFY(!streaming());

        // A new link knows nothing of the old one's output: the unit may have been
        // powered up again meanwhile.
        m_app->disconnectPrimary();
        QVERIFY(m_app->connectCurrentManaged());
        QVERIFY(waitUntil([this] { return m_app->currentManagedConnected(); }, 8000));
        QVERIFY(waitUntil([this] { return sent(kStop) == 3; }, 3000));
    }

    void withoutALinkTheUserPageIsQuietAndItsReadSaysWhy()
    {
        QSignalSpy errors(m_app.get(), &Application::lastErrorChanged);
        QSignalSpy notices(m_app.get(), &Application::userNoticeChanged);
        m_app->setCurrentNav(QStringLiteral("user_config"));
        QTest::qWait(600);
        QCOMPARE(errors.count() + notices.count() + m_app->logTxCount(), qint64(0));
        m_app->readInsUserConfig();
        QCOMPARE(m_app->lastError(), QStringLiteral("未连接"));
        QCOMPARE(m_app->logTxCount(), 0);
    }

    void userConfigurationIsReadInItsOrderAndZeroCountsOnlyOnceAnswered()
    {
        QSignalSpy reported(m_app.get(), &Application::insConfigReportedChanged);
        QVERIFY2(connectOn(QStringLiteral("user_config")), qPrintable(m_app->lastError()));
        QVERIFY(waitUntil([this] { return m_app->ins()->serialConfig().size() == 4; }, 3000));
        // Serial port 1 came back; heading offset and extrapolation were not asked yet,
        // so their starting 0 is no value.
        QVERIFY(m_app->insConfigReported().isEmpty());
        QCOMPARE(reported.count(), 0);

        m_app->clearLog();
        m_app->readInsUserConfig();
        const QString log = m_app->logText();
        qsizetype at = -1;
        for (const char* command :
             { "get softver", "get com1", "get axis", "get gnss", "get extrap time" }) {
            const qsizetype next = log.indexOf(QStringLiteral("#vorn,%1*ff").arg(command));
            QVERIFY2(next > at, command);
            at = next;
        }
        // The simulated unit starts with both at 0; its answer of 0 is a value.
        QVERIFY(waitUntil([this] { return m_app->insConfigReported().size() == 2; }, 3000));
        QCOMPARE(m_app->ins()->gnssYaw(), 0.0);
        QCOMPARE(m_app->ins()->softver(), QStringLiteral("V2.1.0"));
        QVERIFY(m_app->sendCommand(QStringLiteral("get_gnss"))); // changes nothing more
        QTest::qWait(400);
        QCOMPARE(reported.count(), 2);
    }

    void mirroredOrRepeatedAxesNeverGoOut()
    {
        QVERIFY2(connectOn(QStringLiteral("user_config")), qPrintable(m_app->lastError()));
        QVERIFY(waitUntil([this] { return sent(kGetCom1) == 1; }, 2000));
        const qint64 before = m_app->logTxCount();
        for (const QStringList& axes :
             { QStringList { "y", "x", "z" }, QStringList { "x", "x", "z" },
               QStringList { "x", "y" }, QStringList { "x", "y", "q" } }) {
            QVERIFY(!m_app->sendCommandArgs(QStringLiteral("set_axis"), axes));
            QCOMPARE(m_app->lastError(), QStringLiteral("当前组合不符合右手系或存在重复机体轴"));
        }
        QCOMPARE(m_app->logTxCount(), before);
        QVERIFY(m_app->sendCommandArgs(QStringLiteral("set_axis"), { "z", "x", "y" }));
        QVERIFY(waitUntil([this] { return m_app->ins()->axis() == QLatin1String("z x y"); }, 3000));
    }

    void factoryReadBackCollectsTheReplyAsTextUntilStopped()
    {
        showFactoryPage();
        QVERIFY2(connectOn(QStringLiteral("factory_config")), qPrintable(m_app->lastError()));
        QVERIFY(waitUntil([this] { return sent(kStop) == 1; }, 2000));
        QSignalSpy active(m_app.get(), &Application::factoryReadbackActiveChanged);
        m_app->startFactoryReadback();
        QVERIFY(m_app->sendCommand(QStringLiteral("get_factory")));
        gcs::InsBridge* ins = m_app->ins();
        QVERIFY(
            waitUntil([ins] { return ins->factoryRaw().contains(QLatin1String("*ff")); }, 3000));
        QVERIFY2(ins->factoryRaw().startsWith(QStringLiteral("#vorn,factory,GyroSN:240601,")),
                 qPrintable(ins->factoryRaw()));
        m_app->startFactoryReadback(); // empties the text, stays active
        QVERIFY(ins->factoryRaw().isEmpty());
        m_app->stopFactoryReadback();
        m_app->stopFactoryReadback();
        QCOMPARE(active.count(), 2);
        QVERIFY(m_app->sendCommand(QStringLiteral("get_factory")));
        QTest::qWait(500);
        QVERIFY(ins->factoryRaw().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestAppSending)
#include "tst_appsending.moc"
