// The device side of the configuration pages against the simulated unit on its
// pseudo-terminal: the navigation output that follows the page shown, the delayed read
// of serial port 1 on entering the user page, reading the user configuration back, the
// factory read-back and the guard on the axis command.
#include "app/Application.h"
#include "catalog/ManagedDevices.h"
#include "ins/InsBridge.h"
#include "ins/TelemetryHub.h"
#include "link/Session.h"

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

class TestAppConfigPages : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<EnvOverride> m_env;
    std::unique_ptr<SimProcess> m_sim;
    std::unique_ptr<Application> m_app;

    /// How often a command went out, counted in the communication log's traces.
    int sent(const QString& command) const { return m_app->logText().count(command); }

    qint64 rxBytes() const
    {
        const gcs::Session* s = m_app->currentManagedSession();
        return s ? s->rxBytes() : 0;
    }

    /// Whether the unit streams: bytes keep arriving over a while once the line has
    /// settled.
    bool streaming(int ms = 400)
    {
        QTest::qWait(250);
        const qint64 before = rxBytes();
        QTest::qWait(ms);
        return rxBytes() > before;
    }

    bool connectToSim()
    {
        if (!m_app->stageManualSerialConnect(QStringLiteral("ins"), QString(), m_sim->port(),
                                             115200))
            return false;
        return m_app->connectCurrentManaged()
            && waitUntil([this] { return m_app->currentManagedConnected(); }, 8000);
    }

    /// A profiles folder that offers the factory page.
    void showFactoryPage()
    {
        const QString dir = m_home->filePath(QStringLiteral("profiles"));
        QVERIFY(gcs::test::writeFileBytes(QDir(dir).filePath(QStringLiteral("ui.yaml")),
                                          "factory_config: true\n"));
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
    }

    void cleanup()
    {
        QThreadPool::globalInstance()->waitForDone(20000);
        m_app.reset();
        m_sim.reset();
        m_env.reset();
        m_home.reset();
    }

    void navigationOutputFollowsThePageShown()
    {
        QVERIFY2(connectToSim(), qPrintable(m_app->lastError()));
        QCOMPARE(m_app->currentNav(), QStringLiteral("attitude"));
        // Shortly after the link opened the live page asks for the stream, even though
        // the unit streams from power-up: nothing was commanded on this link yet.
        QVERIFY(waitUntil([this] { return sent(kStart) == 1; }, 3000));
        QCOMPARE(m_app->userNotice(), QStringLiteral("打开导航输出（#vorn,start com1*ff）"));
        QVERIFY(waitUntil([this] { return m_app->ins()->recPackets() > 0; }, 3000));

        m_app->setCurrentNav(QStringLiteral("charts"));
        QCOMPARE(sent(kStart), 1); // already on

        const qint64 txBefore = m_app->logTxCount();
        m_app->setCurrentNav(QStringLiteral("user_config"));
        QCOMPARE(sent(kStop), 1);
        QCOMPARE(m_app->logTxCount(), txBefore + kStop.size() + 2);
        QCOMPARE(m_app->userNotice(), QStringLiteral("关闭导航输出（#vorn,stop com1*ff）"));
        QCOMPARE(m_app->hub()->quality(), QStringLiteral("offline"));
        QCOMPARE(m_app->ins()->recPackets(), 0);
        // Serial port 1 is read a moment later, once the unit has gone quiet.
        QCOMPARE(sent(kGetCom1), 0);
        QElapsedTimer t;
        t.start();
        QVERIFY(waitUntil([this] { return sent(kGetCom1) == 1; }, 2000));
        QVERIFY2(t.elapsed() >= 350, qPrintable(QString::number(t.elapsed())));
        QVERIFY(waitUntil([this] { return !m_app->ins()->serialConfig().isEmpty(); }, 3000));
        QCOMPARE(m_app->ins()->serialConfig().value("baudRate").toInt(), 115200);
        QCOMPARE(m_app->ins()->serialConfig().value("packetFormat").toString(),
                 QStringLiteral("sinsbin"));
        QVERIFY(!streaming());

        // The raw console leaves the output as it is; the upgrade page wants it off.
        m_app->setCurrentNav(QStringLiteral("raw"));
        m_app->setCurrentNav(QStringLiteral("upgrade"));
        QCOMPARE(sent(kStart), 1);
        QCOMPARE(sent(kStop), 1);

        m_app->setCurrentNav(QStringLiteral("record"));
        QCOMPARE(sent(kStart), 2);
        QVERIFY(streaming());

        // The factory page switches the output off too, without reading serial port 1.
        showFactoryPage();
        m_app->setCurrentNav(QStringLiteral("factory_config"));
        QCOMPARE(m_app->currentNav(), QStringLiteral("factory_config"));
        QCOMPARE(sent(kStop), 2);
        QTest::qWait(700);
        QCOMPARE(sent(kGetCom1), 1);
        QVERIFY(!streaming());
    }

    void enteringTheUserPageWithoutALinkIsQuiet()
    {
        QSignalSpy errors(m_app.get(), &Application::lastErrorChanged);
        QSignalSpy notices(m_app.get(), &Application::userNoticeChanged);
        m_app->setCurrentNav(QStringLiteral("user_config"));
        QTest::qWait(600);
        QCOMPARE(errors.count(), 0);
        QCOMPARE(notices.count(), 0);
        QCOMPARE(m_app->logTxCount(), 0);

        m_app->readInsUserConfig();
        QCOMPARE(m_app->lastError(), QStringLiteral("未连接"));
        QCOMPARE(m_app->logTxCount(), 0);
    }

    void aNewLinkSwitchesTheOutputAgain()
    {
        QVERIFY2(connectToSim(), qPrintable(m_app->lastError()));
        QVERIFY(waitUntil([this] { return sent(kStart) == 1; }, 3000));
        m_app->setCurrentNav(QStringLiteral("user_config"));
        QCOMPARE(sent(kStop), 1);

        // The unit may have been powered up again or used elsewhere meanwhile; the state
        // remembered for the old link says nothing about it.
        m_app->disconnectPrimary();
        QVERIFY(waitUntil([this] { return !m_app->currentManagedConnected(); }, 3000));
        QVERIFY(m_app->connectCurrentManaged());
        QVERIFY(waitUntil([this] { return m_app->currentManagedConnected(); }, 8000));
        QVERIFY(waitUntil([this] { return sent(kStop) == 2; }, 3000));
        QCOMPARE(sent(kStart), 1);
    }

    void readingTheUserConfigurationFillsEveryReadBack()
    {
        QVERIFY2(connectToSim(), qPrintable(m_app->lastError()));
        m_app->setCurrentNav(QStringLiteral("user_config"));
        QVERIFY(waitUntil([this] { return sent(kGetCom1) == 1; }, 2000));
        // Values the read must bring back, set on the unit first.
        QVERIFY(m_app->sendCommandArgs(QStringLiteral("set_gnss"), { QStringLiteral("1.25") }));
        QVERIFY(
            m_app->sendCommandArgs(QStringLiteral("set_extrap_time"), { QStringLiteral("40") }));
        QVERIFY(m_app->sendCommandArgs(
            QStringLiteral("set_axis"),
            { QStringLiteral("y"), QStringLiteral("x"), QStringLiteral("-z") }));
        QVERIFY(
            waitUntil([this] { return m_app->ins()->axis() == QLatin1String("y x -z"); }, 3000));
        m_app->clearLog();

        m_app->readInsUserConfig();
        const QString log = m_app->logText();
        const QStringList order { "#vorn,get softver*ff", "#vorn,get com1*ff", "#vorn,get axis*ff",
                                  "#vorn,get gnss*ff", "#vorn,get extrap time*ff" };
        qsizetype at = -1;
        for (const QString& command : order) {
            const qsizetype next = log.indexOf(command);
            QVERIFY2(next > at, qPrintable(command));
            at = next;
        }
        gcs::InsBridge* ins = m_app->ins();
        QVERIFY(waitUntil([ins] { return ins->softver() == QLatin1String("V2.1.0"); }, 3000));
        QVERIFY(waitUntil([ins] { return ins->extrapMs() == 40.0; }, 3000));
        QCOMPARE(ins->gnssYaw(), 1.25);
        QCOMPARE(ins->axis(), QStringLiteral("y x -z"));
        QCOMPARE(ins->serialConfig().value("serialType").toInt(), 422);
        QCOMPARE(ins->serialConfig().value("packetFre").toInt(), 50);
    }

    void aZeroReadBackCountsOnlyOnceTheUnitAnswered()
    {
        QSignalSpy reported(m_app.get(), &Application::insConfigReportedChanged);
        QVERIFY2(connectToSim(), qPrintable(m_app->lastError()));
        m_app->setCurrentNav(QStringLiteral("user_config"));
        QVERIFY(waitUntil([this] { return m_app->ins()->serialConfig().size() == 4; }, 3000));
        // Serial port 1 came back; the heading offset and extrapolation were never asked.
        QVERIFY(m_app->insConfigReported().isEmpty());
        QCOMPARE(reported.count(), 0);

        // The simulated unit starts with both at 0; its answer of 0 is a value.
        QVERIFY(m_app->sendCommand(QStringLiteral("get_gnss")));
        QVERIFY(waitUntil([this] { return m_app->insConfigReported().size() == 1; }, 3000));
        QCOMPARE(m_app->insConfigReported(), QStringList { QStringLiteral("gnssYaw") });
        QCOMPARE(m_app->ins()->gnssYaw(), 0.0);
        QVERIFY(m_app->sendCommand(QStringLiteral("get_extrap_time")));
        QVERIFY(waitUntil([this] { return m_app->insConfigReported().size() == 2; }, 3000));
        QVERIFY(m_app->insConfigReported().contains(QStringLiteral("extrapMs")));
        // Further answers change nothing more.
        QVERIFY(m_app->sendCommand(QStringLiteral("get_gnss")));
        QTest::qWait(400);
        QCOMPARE(reported.count(), 2);
    }

    void mirroredOrRepeatedAxesNeverGoOut()
    {
        QVERIFY2(connectToSim(), qPrintable(m_app->lastError()));
        m_app->setCurrentNav(QStringLiteral("user_config"));
        QVERIFY(waitUntil([this] { return sent(kGetCom1) == 1; }, 2000));
        const qint64 tx = m_app->logTxCount();
        for (const QStringList& axes :
             { QStringList { "y", "x", "z" }, QStringList { "x", "x", "z" },
               QStringList { "x", "y" }, QStringList { "x", "y", "q" } }) {
            QVERIFY(!m_app->sendCommandArgs(QStringLiteral("set_axis"), axes));
            QCOMPARE(m_app->lastError(), QStringLiteral("当前组合不符合右手系或存在重复机体轴"));
        }
        QCOMPARE(m_app->logTxCount(), tx);

        QVERIFY(m_app->sendCommandArgs(
            QStringLiteral("set_axis"),
            { QStringLiteral("z"), QStringLiteral("x"), QStringLiteral("y") }));
        QVERIFY(m_app->lastError().isEmpty());
        QVERIFY(waitUntil([this] { return m_app->ins()->axis() == QLatin1String("z x y"); }, 3000));
    }

    void factoryReadBackCollectsTheReplyAsText()
    {
        QVERIFY2(connectToSim(), qPrintable(m_app->lastError()));
        showFactoryPage();
        m_app->setCurrentNav(QStringLiteral("factory_config"));
        QVERIFY(waitUntil([this] { return sent(kStop) == 1; }, 2000));
        QVERIFY(!streaming());

        QSignalSpy active(m_app.get(), &Application::factoryReadbackActiveChanged);
        m_app->startFactoryReadback();
        QVERIFY(m_app->factoryReadbackActive());
        QVERIFY(m_app->sendCommand(QStringLiteral("get_factory")));
        gcs::InsBridge* ins = m_app->ins();
        QVERIFY(
            waitUntil([ins] { return ins->factoryRaw().contains(QLatin1String("*ff")); }, 3000));
        QVERIFY2(ins->factoryRaw().startsWith(QStringLiteral("#vorn,factory,GyroSN:240601,")),
                 qPrintable(ins->factoryRaw()));
        QCOMPARE(ins->gyroConfig().value("sn").toLongLong(), 240601);

        // Starting again empties the text and stays active.
        m_app->startFactoryReadback();
        QVERIFY(ins->factoryRaw().isEmpty());
        QCOMPARE(active.count(), 1);

        m_app->stopFactoryReadback();
        m_app->stopFactoryReadback();
        QCOMPARE(active.count(), 2);
        QVERIFY(!m_app->factoryReadbackActive());
        QVERIFY(m_app->sendCommand(QStringLiteral("get_factory")));
        QTest::qWait(500);
        QVERIFY(ins->factoryRaw().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestAppConfigPages)
#include "tst_appconfigpages.moc"
