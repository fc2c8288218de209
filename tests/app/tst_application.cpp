// The controller core without a device: clocks and timers, status texts, the device
// restored at start, the product's pages and the profile folders.
#include "app/Application.h"
#include "app/TimeSource.h"
#include "catalog/AppSettings.h"
#include "catalog/ManagedDevices.h"
#include "catalog/ProductRegistry.h"
#include "catalog/UiConfig.h"
#include "console/CommandCatalog.h"
#include "link/Session.h"
#include "link/SessionManager.h"
#include "link/UdpTransport.h"
#include "upgrade/YModem.h"

#include "TestSupport.h"

#include <QDir>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>

#include <memory>

using gcs::Application;
using gcs::Session;
using gcs::test::EnvOverride;
using gcs::test::readFileBytes;
using gcs::test::waitUntil;

namespace {

// A clock the test moves by hand.
struct ManualClock final : gcs::TimeSource
{
    qint64* ms;
    qint64 monotonicMs() const override { return *ms; }
    QDateTime localNow() const override { return QDateTime(QDate(2024, 3, 9), QTime(7, 5, 3)); }
};

// A UDP session on loopback, connected; its bound port takes datagrams from the test.
Session* openUdpSession(const QString& id)
{
    auto* session
        = new Session(id, QStringLiteral("UDP"),
                      std::make_unique<gcs::UdpTransport>("127.0.0.1", 0, "127.0.0.1", 9));
    session->connectTransport();
    return session;
}

} // namespace

class TestApplication : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<EnvOverride> m_env;
    qint64 m_ms = 5000;

    QString iniPath() const { return m_dir->filePath(QStringLiteral("TelvoMonitor/gcs.ini")); }

    std::unique_ptr<Application> makeApp()
    {
        auto clock = std::make_unique<ManualClock>();
        clock->ms = &m_ms;
        return std::make_unique<Application>(std::move(clock));
    }

    // A profiles folder with the given files (a null content leaves the file out).
    QString profiles(const QString& name, const QByteArray& ui, const QByteArray& commands = {})
    {
        const QString dir = m_dir->filePath(name);
        QDir().mkpath(dir);
        if (!ui.isNull())
            gcs::test::writeFileBytes(dir + "/ui.yaml", ui);
        if (!commands.isNull())
            gcs::test::writeFileBytes(dir + "/vorn.yaml",
                                      "family: vorn\nheader: \"#vorn\"\ncommands:\n" + commands);
        return dir;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_env = std::make_unique<EnvOverride>("LOCALAPPDATA", m_dir->path().toLocal8Bit());
    }

    void cleanup()
    {
        m_env.reset();
        m_dir.reset();
    }

    void clockTextsCountHoursWithoutWrapping()
    {
        auto app = makeApp();
        app->findChild<QTimer*>(QStringLiteral("statsTimer"))->stop();
        QSignalSpy tick(app.get(), &Application::statsTick);
        m_ms += 2999;
        QCOMPARE(app->runTimeText(), QStringLiteral("00:00:02"));
        m_ms += qint64(100) * 3600 * 1000 - 2999;
        QCOMPARE(app->runTimeText(), QStringLiteral("100:00:00"));
        QCOMPARE(app->computerTime(), QStringLiteral("2024-03-09 07:05:03"));

        // The stopwatch starts once and shows zero when reset.
        QCOMPARE(app->stopwatchText(), QStringLiteral("00:00:00"));
        app->startStopwatch();
        m_ms += 5000;
        app->startStopwatch(); // running: no restart
        m_ms += 3000;
        QCOMPARE(app->stopwatchText(), QStringLiteral("00:00:08"));
        app->resetStopwatch();
        QCOMPARE(app->stopwatchText(), QStringLiteral("00:00:00"));

        // The trigger counts down whole seconds; zero or less stops it.
        auto* trigger = app->findChild<QTimer*>(QStringLiteral("triggerTimer"));
        app->startTrigger(3661);
        QCOMPARE(app->triggerText(), QStringLiteral("01:01:01"));
        QVERIFY(trigger->isActive());
        app->startTrigger(360000);
        QCOMPARE(app->triggerText(), QStringLiteral("100:00:00"));
        app->startTrigger(-4);
        QVERIFY(!trigger->isActive());
        QCOMPARE(app->triggerText(), QStringLiteral("00:00:00"));
        app->startTrigger(59);
        app->resetTrigger();
        QVERIFY(!trigger->isActive());
        QCOMPARE(tick.count(), 7); // every change tells QML to read the texts again

        // Past zero the trigger keeps ticking and stays at zero.
        app->startTrigger(2);
        trigger->setInterval(5);
        QVERIFY(waitUntil([&]() { return tick.count() >= 8 + 4; }, 5000));
        QVERIFY(trigger->isActive());
        QCOMPARE(app->triggerText(), QStringLiteral("00:00:00"));
    }

    // A positive period starts the timer at that interval; anything else stores 0 and
    // stops it. Every write notifies, also an unchanged one.
    void periodsDriveTheirTimers_data()
    {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QString>("timer");
        QTest::newRow("poll") << QByteArray("pollMs") << "pollTimer";
        QTest::newRow("timed send") << QByteArray("timedSendMs") << "timedSendTimer";
    }

    void periodsDriveTheirTimers()
    {
        QFETCH(QByteArray, property);
        QFETCH(QString, timer);
        auto app = makeApp();
        auto* t = app->findChild<QTimer*>(timer);
        QVERIFY(!t->isActive());
        const QMetaObject* mo = app->metaObject();
        const int notify
            = mo->property(mo->indexOfProperty(property.constData())).notifySignalIndex();
        QSignalSpy changed(app.get(), mo->method(notify));
        app->setProperty(property.constData(), 250);
        app->setProperty(property.constData(), 250);
        QVERIFY(t->isActive());
        QCOMPARE(t->interval(), 250);
        app->setProperty(property.constData(), -5);
        QCOMPARE(app->property(property.constData()).toInt(), 0);
        QVERIFY(!t->isActive());
        QCOMPARE(changed.count(), 3);
    }

    void switchesNotifyOnlyWhenTheyChange()
    {
        auto app = makeApp();
        QSignalSpy paused(app.get(), &Application::logPausedChanged);
        QSignalSpy hex(app.get(), &Application::logHexModeChanged);
        QSignalSpy nav(app.get(), &Application::currentNavChanged);
        for (int i = 0; i < 2; ++i) {
            app->setProperty("logPaused", i == 1);
            app->setProperty("logHexMode", i == 1);
            app->setProperty("currentNav", i == 1 ? "stats" : "attitude");
        }
        QCOMPARE(paused.count() + hex.count() + nav.count(), 3);
        for (const char* name : { "logPaused", "logHexMode", "currentNav" })
            app->setProperty(name, app->property(name));
        QCOMPARE(paused.count() + hex.count() + nav.count(), 3);
    }

    void byteTextsAndStatusLineFollowTheDevicesAndLinks()
    {
        auto app = makeApp();
        QCOMPARE(app->rxText() + app->txText(), QStringLiteral("0.0 KB0.0 KB"));
        Session* other = openUdpSession(QStringLiteral("primary"));
        app->sessions()->addSession(other);
        QCOMPARE(app->globalStatusText(), QStringLiteral("就绪 · 等待纳管设备"));
        QVERIFY(!app->footerLinkActive());

        QSignalSpy status(app.get(), &Application::globalStatusTextChanged);
        QString id;
        for (const char* port : { "COM1", "COM2", "COM3" })
            id = app->managedDevices()->appendSerial("ins", "", port, 0, true, "");
        QVERIFY(status.count() >= 3);
        Session* mine = openUdpSession(id);
        app->sessions()->addSession(mine);
        QCOMPARE(app->globalStatusText(),
                 QStringLiteral("纳管 3 台 · %1").arg(app->sessions()->statusText()));
        QVERIFY(app->footerLinkActive());

        // Only the current device's link counts, in kilobytes of 1024 bytes.
        QUdpSocket peer;
        const auto port = [](Session* s) {
            return static_cast<gcs::UdpTransport*>(s->transport())->boundPort();
        };
        peer.writeDatagram(QByteArray(300, 'x'), QHostAddress::LocalHost, port(other));
        peer.writeDatagram(QByteArray(1536, 'a'), QHostAddress::LocalHost, port(mine));
        QVERIFY(
            waitUntil([&]() { return mine->rxBytes() == 1536 && other->rxBytes() == 300; }, 5000));
        QCOMPARE(app->rxText(), QStringLiteral("1.5 KB"));
        QVERIFY(mine->send(QByteArray(460, 'c')));
        QCOMPARE(app->txText(), QStringLiteral("0.4 KB"));

        other->disconnectTransport();
        mine->disconnectTransport();
        QVERIFY(!app->footerLinkActive());
    }

    void endOfTransferIsReportedEveryTime()
    {
        auto app = makeApp();
        QSignalSpy errors(app.get(), &Application::lastErrorChanged);
        emit app->ymodem()->finished(false, QStringLiteral("升级失败：超时"));
        emit app->ymodem()->finished(false, QStringLiteral("升级失败：超时"));
        QCOMPARE(errors.count(), 2); // the same text is announced again
        QCOMPARE(app->lastError(), QStringLiteral("升级失败：超时"));
        emit app->ymodem()->finished(true, QStringLiteral("升级完成"));
        QCOMPARE(app->lastError(), QString());
        QCOMPARE(app->userNotice(), QStringLiteral("升级完成"));
    }

    void theSavedCurrentDeviceIsStagedAtStartAndSavedOnQuit()
    {
        {
            QSettings raw(iniPath(), QSettings::IniFormat);
            raw.setValue(
                "managedDevices",
                R"([{"id":"a","productId":"ins","deviceModelId":"kt10","kind":"serial","port":"COM4","baud":19200},
                             {"id":"b","productId":"ins","deviceModelId":"kt40","kind":"serial","port":"COM5","baud":9600}])");
            raw.setValue("currentManagedDeviceId", "b");
            raw.setValue("product", "gnss");
            raw.setValue("deviceAlias", "台架");
        }
        auto app = makeApp();
        QCOMPARE(app->products()->currentProductId(), QStringLiteral("ins"));
        QCOMPARE(app->pendingConnectSummary(), QStringLiteral("COM5 @ 9600"));
        QCOMPARE(app->contextLinkText(), QStringLiteral("COM5 @ 9600"));
        QCOMPARE(app->lastDetectBaud(), 9600);
        QCOMPARE(app->deviceAlias(), QStringLiteral("台架"));
        QCOMPARE(app->deviceDisplayName(), QStringLiteral("KT40"));
        QCOMPARE(app->managedDeviceLabel("a"), QStringLiteral("KT10"));
        QCOMPARE(app->managedDeviceLinkStatus("b"), QStringLiteral("未连接"));
        QVERIFY(app->canConnectCurrent());
        QCOMPARE(app->sessions()->sessions().size(), 0); // nothing connects by itself
        QCOMPARE(app->defaultManagedDeviceAlias("kt60"), QStringLiteral("导航测姿#3"));
        QCOMPARE(app->defaultManagedDeviceAlias("kt99"), QStringLiteral("设备#3"));

        app->settings()->setTheme(QStringLiteral("极夜")); // not yet on disk
        app->persistManagedState();
        QVERIFY(readFileBytes(iniPath()).contains("theme="));
        QVERIFY(readFileBytes(iniPath()).contains("product=ins"));
    }

    void withoutDevicesTheTextsNameTheProduct()
    {
        auto app = makeApp();
        QVERIFY(!app->hasPendingConnect() && !app->canConnectCurrent());
        QCOMPARE(app->contextLinkText(), QString());
        QCOMPARE(app->deviceDisplayName(), QStringLiteral("AX-7300 组合导航系统"));
        QCOMPARE(app->defaultManagedDeviceAlias(), QStringLiteral("导航测姿#1"));

        // A staged port is the port name of the list text; no baud means 115200.
        QSignalSpy pending(app.get(), &Application::pendingConnectChanged);
        app->setPendingSerialConnect(QStringLiteral("  "), 9600);
        QCOMPARE(pending.count(), 0);
        app->setPendingSerialConnect(QStringLiteral("COM3  USB-SERIAL CH340"), 0);
        QCOMPARE(app->pendingConnectSummary(), QStringLiteral("COM3 @ 115200"));
        app->setPendingSerialConnect(QString(), 9600);
        QVERIFY(!app->hasPendingConnect());
        QCOMPARE(pending.count(), 2);

        // Custom rates: built-in ones cannot be removed; the list is on disk at once.
        QVERIFY(!app->removeCustomSerialBaud(115200));
        QCOMPARE(app->lastError(), QStringLiteral("无法删除波特率 115200（仅可删除手动添加项）"));
        QVERIFY(app->addCustomSerialBaud(57600));
        QCOMPARE(app->serialBaudRates().last(), QVariant(57600));
        QVERIFY(readFileBytes(iniPath()).contains("customSerialBauds="));
    }

    // ---- pages and profiles ------------------------------------------------------------

    void theHiddenFactoryPageIsNeitherOfferedNorOpened()
    {
        auto app = makeApp();
        // Hidden from the start: the menu never offers a page the controller refuses.
        QVERIFY(!app->products()->navIds().contains(QStringLiteral("factory_config")));
        QCOMPARE(app->products()->navId(5), QStringLiteral("raw"));
        QCOMPARE(app->products()->navTitle(5), QStringLiteral("出厂配置"));
        QSignalSpy nav(app.get(), &Application::currentNavChanged);
        app->setProperty("currentNav", "factory_config");
        QCOMPARE(app->currentNav(), QStringLiteral("user_config"));

        // Hiding the page while it is shown moves to the user page.
        app->loadProfiles(profiles("show", "factory_config: yes\n"));
        app->setCurrentNav(QStringLiteral("factory_config"));
        QCOMPARE(app->currentNav(), QStringLiteral("factory_config"));
        app->loadProfiles(profiles("hide", "factory_config: off\n"));
        QCOMPARE(app->currentNav(), QStringLiteral("user_config"));
        QCOMPARE(nav.count(), 3);
    }

    // The folder beside the program is read last and wins, file by file and command by
    // command; a file only in the first folder stays in effect.
    void theLaterProfileFolderWins()
    {
        auto app = makeApp();
        app->loadProfiles(QStringLiteral("X://profiles"));
        app->loadProfiles(profiles("first", "factory_config: yes\n",
                                   "a:\n template: \"first a\"\nb:\n template: \"old b\"\n"));
        app->loadProfiles(profiles("beside", {}, "b:\n template: \"new b\"\n"));
        app->loadProfiles(m_dir->filePath(QStringLiteral("does-not-exist")));
        QVERIFY(app->products()->isNavItemVisible(QStringLiteral("factory_config")));
        QCOMPARE(app->catalog()->build("vorn.a"), QByteArray("#vorn,first a*ff\r\n"));
        QCOMPARE(app->catalog()->build("vorn.b"), QByteArray("#vorn,new b*ff\r\n"));
        app->loadProfiles(profiles("last", "factory_config: no\n"));
        QVERIFY(!app->products()->isNavItemVisible(QStringLiteral("factory_config")));

        // The shipped profiles hide the factory page.
        app->loadProfiles(QDir(gcs::test::binDir()).filePath(QStringLiteral("profiles")));
        QVERIFY(!app->uiConfig()->factoryConfigVisible());
        QCOMPARE(app->catalog()->build("vorn.get_softver"), QByteArray("#vorn,get softver*ff\r\n"));
    }

    void selectingTheProductDropsAStagedPortAndOpensTheFirstVisiblePage()
    {
        auto app = makeApp();
        app->settings()->setLastProductId(QStringLiteral("other"));
        app->setPendingSerialConnect(QStringLiteral("COM3"), 9600);
        app->setCurrentNav(QStringLiteral("raw"));
        app->selectProduct(QStringLiteral("gnss"));
        QCOMPARE(app->products()->currentProductId(), QStringLiteral("ins"));
        QCOMPARE(app->settings()->lastProductId(), QStringLiteral("ins"));
        QVERIFY(!app->hasPendingConnect());
        QCOMPARE(app->pendingConnectBaud(), 115200);
        QCOMPARE(app->currentNav(), QStringLiteral("attitude"));

        app->setCurrentNav(QStringLiteral("record"));
        app->products()->setNavItemVisible(QStringLiteral("attitude"), false);
        app->openDefaultProductPage();
        QCOMPARE(app->currentNav(), QStringLiteral("charts"));
        for (const QString& id : app->products()->navIds())
            app->products()->setNavItemVisible(id, false);
        app->openDefaultProductPage();
        QCOMPARE(app->currentNav(), QStringLiteral("attitude"));
    }

    // ---- communication log -------------------------------------------------------------

    void theRawPageShowsReceivedBytesInBatchesAndElsewhereOnlyCountsThem()
    {
        auto app = makeApp();
        app->appendInsRawLog(QByteArray(500, 'x'));
        QCOMPARE(app->logRxCount(), 500);
        app->setLogPaused(true);
        app->appendInsRawLog(QByteArray(100, 'x'));
        app->setLogPaused(false);
        QCOMPARE(app->logRxCount(), 500);

        app->setCurrentNav(QStringLiteral("raw"));
        QVERIFY(app->logText().isEmpty());
        QSignalSpy appended(app.get(), &Application::logAppended);
        QByteArray data(30000, Qt::Uninitialized);
        for (int i = 0; i < data.size(); ++i)
            data[i] = i % 50 == 49 ? '\n' : char('a' + i % 26);
        app->appendInsRawLog(data.left(10000));
        app->appendInsRawLog(data.mid(10000));
        // The backlog drains from the event loop in batches of 6144 bytes, the first after
        // a banner, and the view is told each piece.
        QVERIFY(waitUntil([&]() { return appended.count() >= 5; }, 3000));
        QTest::qWait(50);
        QCOMPARE(appended.count(), 5);
        QCOMPARE(appended.at(1).at(0).toString().size(), 6144);
        QString shown;
        for (const QList<QVariant>& args : appended)
            shown += args.at(0).toString();
        QCOMPARE(shown, "── 07:05:03 接收 ──\n" + QString::fromLatin1(data));
        QCOMPARE(app->logText(), shown);

        // Hex replaces the view on this page; elsewhere only the form changes.
        QSignalSpy synced(app.get(), &Application::logSynced);
        app->setLogHexMode(true);
        QCOMPARE(synced.count(), 1);
        QCOMPARE(synced.at(0).at(0).toString(), app->logText());
        QVERIFY(app->logText().endsWith(QStringLiteral(" 0a\n")));
        app->setCurrentNav(QStringLiteral("attitude"));
        app->setLogHexMode(false);
        QCOMPARE(synced.count(), 1);

        // Leaving the page renders what is pending once more; it stays for the next visit.
        app->setCurrentNav(QStringLiteral("console"));
        app->appendInsRawLog("tail");
        appended.clear();
        app->setCurrentNav(QStringLiteral("stats"));
        QCOMPARE(appended.count(), 1);
        QVERIFY(app->logText().endsWith(QStringLiteral("tail")));
    }

    void sendsOnTheRawPageJoinTheViewInTimeOrder()
    {
        auto app = makeApp();
        QVERIFY(app->connectUdp(QStringLiteral("127.0.0.1"), 0, QStringLiteral("127.0.0.1"), 9));
        app->setCurrentNav(QStringLiteral("raw"));
        app->appendInsRawLog("first");
        QVERIFY(waitUntil([&]() { return !app->logText().isEmpty(); }, 2000));
        QSignalSpy appended(app.get(), &Application::logAppended);
        QSignalSpy changed(app.get(), &Application::logChanged);
        QVERIFY(app->sendRaw(QStringLiteral("#vorn,get com1*ff"), false));
        QCOMPARE(appended.count(), 1);
        QCOMPARE(appended.at(0).at(0).toString(),
                 QStringLiteral("\n── 07:05:03 发送 ──\n#vorn,get com1*ff\n"));
        QCOMPARE(changed.count(), 0); // on this page the view follows the appended text
        QCOMPARE(app->logTxCount(), 19);
        app->appendInsRawLog("second");
        QVERIFY(waitUntil([&]() { return appended.count() >= 2; }, 2000));
        QCOMPARE(app->logText(),
                 QStringLiteral("── 07:05:03 接收 ──\nfirst\n── 07:05:03 发送 ──\n"
                                "#vorn,get com1*ff\n── 07:05:03 接收 ──\nsecond"));

        // Saving replaces the file's content; a failure says where.
        const QString path = m_dir->filePath(QStringLiteral("log.txt"));
        QVERIFY(gcs::test::writeFileBytes(path, QByteArray(70000, 'x')));
        QVERIFY(app->saveLog(path));
        QCOMPARE(QString::fromUtf8(readFileBytes(path)), app->logText());
        const QString bad = m_dir->filePath(QStringLiteral("missing/log.txt"));
        QVERIFY(!app->saveLog(bad));
        QVERIFY(app->lastError().startsWith("无法保存日志：" + QDir::toNativeSeparators(bad)));

        // Clearing empties view and counters and keeps a pause.
        app->setLogPaused(true);
        QSignalSpy cleared(app.get(), &Application::logViewCleared);
        app->clearLog();
        QCOMPARE(cleared.count(), 1);
        QVERIFY(app->logText().isEmpty() && app->logPaused());
        QCOMPARE(app->logRxCount() + app->logTxCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestApplication)
#include "tst_application.moc"
