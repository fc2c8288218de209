// The controller against the simulated unit, connected as the window connects: what goes
// out to the unit, and the device side of the configuration pages.
#include "app/Application.h"
#include "catalog/ManagedDevices.h"
#include "console/CommandCatalog.h"
#include "ins/InsBridge.h"
#include "ins/TelemetryHub.h"
#include "link/Session.h"
#include "upgrade/YModem.h"

#include "AppRig.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace gcs;
using namespace gcs::test;

const QString kStart = "#vorn,start com1*ff";
const QString kStop = "#vorn,stop com1*ff";
const QString kGetCom1 = "#vorn,get com1*ff";

class TestAppSending : public QObject
{
    Q_OBJECT

    std::unique_ptr<AppRig> m_rig;
    Application* m_app = nullptr;
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
        if (!m_rig->connectManaged())
            return false;
        connect(link(), &gcs::Session::bytesReceived, this,
                [this](const QByteArray& bytes) { m_rx += bytes; });
        m_app->setCurrentNav(nav);
        return true;
    }

    /// A link on the raw page with the navigation output off. The check before connecting
    /// has already had the unit answer on this line.
    bool quietLink()
    {
        const bool ok = connectOn("raw") && m_app->sendCommand("stop_com1");
        QTest::qWait(200);
        m_rx.clear();
        return ok;
    }

    /// Whether bytes keep arriving once the line has settled.
    bool streaming()
    {
        QTest::qWait(250);
        const qint64 before = link()->rxBytes();
        QTest::qWait(400);
        return link()->rxBytes() > before;
    }

private slots:
    void init()
    {
        m_rig = std::make_unique<AppRig>();
        QVERIFY2(m_rig->sim().start({ "--rate", "50" }), qPrintable(m_rig->sim().errorText()));
        m_app = &m_rig->app();
        m_app->loadProfiles(QDir(gcs::test::binDir()).filePath("profiles"));
        m_rx.clear();
    }

    void cleanup() { m_rig.reset(); }

    // Every command of the shipped catalog goes out, is counted and traced, is confirmed
    // with its own label and is answered by the unit.
    void everyCatalogCommandGoesOutAndIsAnswered()
    {
        QVERIFY(quietLink());
        QStringList factory { "777" };
        for (int i = 0; i < 21; ++i)
            factory << QString::number(0.5 + i);
        // The command, its arguments and what the unit's answer contains.
        const QList<std::tuple<QString, QStringList, QByteArray>> trips {
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
        for (const auto& [id, args, reply] : trips) {
            m_rx.clear();
            const qint64 txBefore = tx();
            const int insBefore = m_app->ins()->sendBytes();
            const qint64 logBefore = m_app->logTxCount();
            QVERIFY2(m_app->sendCommandArgs(id, args), qPrintable(id));
            const QByteArray bytes = m_app->catalog()->build("vorn." + id, args);
            QCOMPARE(tx() - txBefore, bytes.size());
            QCOMPARE(m_app->ins()->sendBytes() - insBefore, bytes.size());
            QCOMPARE(m_app->logTxCount() - logBefore, bytes.size());
            const QString notice = m_app->userNotice();
            QVERIFY2(notice.endsWith("（" + QString::fromUtf8(bytes).trimmed() + "）"),
                     qPrintable(notice));
            labels.insert(notice.left(notice.indexOf("（")));
            QVERIFY2(replied(reply), qPrintable(id + ": " + QString::fromLatin1(m_rx)));
        }
        QCOMPARE(m_app->userNotice(), "系统复位（#vorn,reset system*ff）");
        QVERIFY(!labels.contains("已发送："));
        QCOMPARE(labels.size(), trips.size());
        QCOMPARE(m_app->catalog()->commandIds().size(), trips.size());
    }

    void keysRawInputHistoryAndTimedSend()
    {
        QVERIFY(quietLink());
        QVERIFY(!m_app->sendCommand("no_such"));
        QCOMPARE(m_app->lastError(), "未知指令：vorn.no_such");
        QVERIFY(!m_app->sendCommand("other.get_softver"));
        QCOMPARE(m_app->lastError(), "未知指令：other.get_softver");
        // A key passed whole works and is named as it was passed.
        QVERIFY(m_app->sendCommand("vorn.get_softver"));
        QCOMPARE(m_app->userNotice(), "已发送：#vorn,get softver*ff");

        // Raw text goes out as typed with CR LF, hex as its bytes; refusals send nothing.
        qint64 before = tx();
        QVERIFY(m_app->sendRaw("  #vorn,get gnss*ff ", false));
        QCOMPARE(m_app->userNotice(), "已发送：#vorn,get gnss*ff");
        QVERIFY(replied("#vorn,gnss,0*ff"));
        QVERIFY(m_app->sendRaw("AA 55 01 02", true));
        QCOMPARE(m_app->userNotice(), "已发送 Hex（4 字节）");
        QCOMPARE(tx() - before, 22 + 4);
        before = tx();
        QVERIFY(!m_app->sendRaw("AA 55 01", false));
        QVERIFY(!m_app->sendOn("elsewhere", "#vorn,a*ff", false));
        QCOMPARE(m_app->lastError(), "会话未连接");
        QCOMPARE(tx(), before);

        // The history keeps twenty different texts, newest first, and no failed one.
        QCOMPARE(m_app->sendHistory(), QStringList({ "AA 55 01 02", "  #vorn,get gnss*ff " }));
        QVERIFY(m_app->sendRaw("  #vorn,get gnss*ff ", false));
        QCOMPARE(m_app->sendHistory().first(), "  #vorn,get gnss*ff ");
        for (int i = 0; i < 19; ++i)
            m_app->rememberSend(QStringLiteral("text %1").arg(i));
        m_app->rememberSend("  ");
        QCOMPARE(m_app->sendHistory().size(), 20);
        QCOMPARE(m_app->sendHistory().first(), "text 18");
        QCOMPARE(m_app->sendHistory().last(), "  #vorn,get gnss*ff ");

        // Timed send repeats its text until its period is set to nothing.
        m_app->setTimedSendText("#vorn,get softver*ff");
        m_app->setTimedSendHex(false);
        m_app->setTimedSendMs(100);
        QVERIFY(waitUntil([this]() { return m_rx.count("#vorn,softver,") >= 3; }, 5000));
        m_app->setTimedSendMs(-1);
        QTest::qWait(200);
        const qint64 after = tx();
        QTest::qWait(400);
        QCOMPARE(tx(), after);
    }

    void nothingGoesOutDuringATransferOrWithoutTheCurrentDevicesLink()
    {
        QVERIFY(quietLink());
        gcs::YModem* ymodem = m_app->ymodem();
        ymodem->attach(link()->transport());
        QVERIFY(ymodem->startReceive(m_rig->filePath("image.bin")));
        const qint64 before = tx();
        const auto refused
            = [this](bool sent) { return !sent && m_app->lastError() == "固件升级进行中"; };
        QVERIFY(refused(m_app->sendCommand("no_such"))); // before any other check
        QVERIFY(refused(m_app->sendRaw("#vorn,get com1*ff", false)));
        QVERIFY(refused(m_app->sendOn(m_app->managedDevices()->currentId(), QString(), true)));
        QCOMPARE(tx(), before);
        ymodem->cancel();
        ymodem->attach(nullptr);
        QVERIFY(m_app->sendCommand("get_softver"));

        const QString first = m_app->managedDevices()->currentId();
        // Another device becomes current; it has no link of its own.
        QVERIFY(m_app->stageManualSerialConnect("ins", "", "/dev/ttyNONE", 115200));
        QVERIFY(!m_app->sendCommand("get_softver"));
        QCOMPARE(m_app->lastError(), "未连接");
        QVERIFY(!m_app->sendRaw("#vorn,get com1*ff", false));
        QCOMPARE(m_app->lastError(), "会话未连接");
        // A named link is still reachable, until it is closed.
        QVERIFY(m_app->sendOn(first, "#vorn,get gnss*ff", false));
        QVERIFY(replied("#vorn,gnss,"));
        m_app->disconnectSession(first);
        QVERIFY(!m_app->sendOn(first, "#vorn,get gnss*ff", false));
        QCOMPARE(m_app->lastError(), "会话未连接");
    }

    // ---- configuration pages ------------------------------------------------------------

    void navigationOutputFollowsThePageShown()
    {
        QVERIFY2(connectOn("attitude"), qPrintable(m_app->lastError()));
        // Shortly after the link opened the live page asks for the stream, although the
        // unit streams from power-up: nothing was commanded on this link yet.
        QVERIFY(waitUntil([this] { return sent(kStart) == 1; }, 3000));
        QCOMPARE(m_app->userNotice(), "打开导航输出（#vorn,start com1*ff）");
        m_app->setCurrentNav("charts");
        QCOMPARE(sent(kStart), 1); // already on

        m_app->setCurrentNav("user_config");
        QCOMPARE(sent(kStop), 1);
        QCOMPARE(m_app->userNotice(), "关闭导航输出（#vorn,stop com1*ff）");
        QVERIFY(m_app->hub()->quality() == "offline" && m_app->ins()->recPackets() == 0);
        // Serial port 1 is read a moment later, once the unit has gone quiet.
        QElapsedTimer t;
        t.start();
        QVERIFY(waitUntil([this] { return sent(kGetCom1) == 1; }, 2000));
        QVERIFY2(t.elapsed() >= 350, qPrintable(QString::number(t.elapsed())));
        QVERIFY(waitUntil([this] { return !m_app->ins()->serialConfig().isEmpty(); }, 3000));
        QVERIFY(!streaming());

        // The raw console leaves the output as it is; the upgrade page wants it off.
        m_app->setCurrentNav("raw");
        m_app->setCurrentNav("upgrade");
        QCOMPARE(sent(kStart) + sent(kStop), 2);
        m_app->setCurrentNav("record");
        QCOMPARE(sent(kStart), 2);
        QVERIFY(streaming());

        // The factory page switches the output off too, without reading serial port 1.
        const QString profiles = m_rig->filePath("profiles");
        QVERIFY(gcs::test::writeFileBytes(profiles + "/ui.yaml", "factory_config: true\n"));
        m_app->loadProfiles(profiles);
        m_app->setCurrentNav("factory_config");
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

    void userConfigurationIsReadInItsOrderAndZeroCountsOnlyOnceAnswered()
    {
        QSignalSpy reported(m_app, &Application::insConfigReportedChanged);
        QVERIFY2(connectOn("user_config"), qPrintable(m_app->lastError()));
        QVERIFY(waitUntil([this] { return m_app->ins()->serialConfig().size() == 4; }, 3000));
        // Serial port 1 came back; heading offset and extrapolation were not asked yet,
        // so their starting 0 is no value.
        QVERIFY(m_app->insConfigReported().isEmpty());
        QCOMPARE(reported.count(), 0);

        m_app->clearLog();
        m_app->readInsUserConfig();
        QVERIFY2(QRegularExpression("get softver.*get com1.*get axis.*get gnss.*get extrap time",
                                    QRegularExpression::DotMatchesEverythingOption)
                     .match(m_app->logText())
                     .hasMatch(),
                 qPrintable(m_app->logText()));
        // The simulated unit starts with both at 0; its answer of 0 is a value.
        QVERIFY(waitUntil([this] { return m_app->insConfigReported().size() == 2; }, 3000));
        QCOMPARE(m_app->ins()->gnssYaw(), 0.0);
        QCOMPARE(m_app->ins()->softver(), "V2.1.0");
        QVERIFY(m_app->sendCommand("get_gnss")); // changes nothing more
        QTest::qWait(400);
        QCOMPARE(reported.count(), 2);
    }

    void mirroredOrRepeatedAxesNeverGoOut()
    {
        QVERIFY2(connectOn("user_config"), qPrintable(m_app->lastError()));
        QVERIFY(waitUntil([this] { return sent(kGetCom1) == 1; }, 2000));
        const qint64 before = m_app->logTxCount();
        for (const QStringList& axes :
             { QStringList { "y", "x", "z" }, QStringList { "x", "x", "z" },
               QStringList { "x", "y" }, QStringList { "x", "y", "q" } }) {
            QVERIFY(!m_app->sendCommandArgs("set_axis", axes));
            QCOMPARE(m_app->lastError(), "当前组合不符合右手系或存在重复机体轴");
        }
        QCOMPARE(m_app->logTxCount(), before);
        QVERIFY(m_app->sendCommandArgs("set_axis", { "z", "x", "y" }));
        QVERIFY(waitUntil([this] { return m_app->ins()->axis() == QLatin1String("z x y"); }, 3000));
    }
};

QTEST_GUILESS_MAIN(TestAppSending)
#include "tst_appsending.moc"
