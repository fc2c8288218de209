// The controller without a unit, and the files of the configuration pages.
#include "app/Application.h"
#include "app/AxisTriple.h"
#include "app/CalibrationDat.h"
#include "app/CompensationFile.h"
#include "app/TextFile.h"
#include "app/TimeSource.h"
#include "catalog/AppSettings.h"
#include "catalog/ManagedDevices.h"
#include "catalog/ProductRegistry.h"
#include "console/CommandCatalog.h"
#include "link/Session.h"
#include "link/SessionManager.h"
#include "link/UdpTransport.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>

#include <memory>

using namespace gcs;
using namespace gcs::test;

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
    auto* session = new Session(
        id, "UDP", std::make_unique<gcs::UdpTransport>("127.0.0.1", 0, "127.0.0.1", 9));
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

    QString iniPath() const { return m_dir->filePath("TelvoMonitor/gcs.ini"); }

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
            writeFileBytes(dir + "/ui.yaml", ui);
        if (!commands.isNull())
            writeFileBytes(dir + "/vorn.yaml",
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
        app->findChild<QTimer*>("statsTimer")->stop();
        QSignalSpy tick(app.get(), &Application::statsTick);
        m_ms += 2999;
        QCOMPARE(app->runTimeText(), "00:00:02");
        m_ms += qint64(100) * 3600 * 1000 - 2999;
        QCOMPARE(app->runTimeText(), "100:00:00");
        QCOMPARE(app->computerTime(), "2024-03-09 07:05:03");

        // The stopwatch starts once and shows zero when reset.
        app->startStopwatch();
        m_ms += 5000;
        app->startStopwatch(); // running: no restart
        m_ms += 3000;
        QCOMPARE(app->stopwatchText(), "00:00:08");
        app->resetStopwatch();
        QCOMPARE(app->stopwatchText(), "00:00:00");

        // The trigger counts down whole seconds; zero or less stops it.
        auto* trigger = app->findChild<QTimer*>("triggerTimer");
        app->startTrigger(3661);
        QCOMPARE(app->triggerText(), "01:01:01");
        QVERIFY(trigger->isActive());
        app->startTrigger(-4);
        QVERIFY(!trigger->isActive() && app->triggerText() == "00:00:00");
        app->startTrigger(59);
        app->resetTrigger();
        QVERIFY(!trigger->isActive());
        QCOMPARE(tick.count(), 6); // every change tells QML to read the texts again

        // Past zero the trigger keeps ticking and stays at zero.
        app->startTrigger(2);
        trigger->setInterval(5);
        QVERIFY(waitUntil([&]() { return tick.count() >= 8 + 4; }, 5000));
        QVERIFY(trigger->isActive() && app->triggerText() == "00:00:00");
    }

    void writesNotifyAsQmlExpects()
    {
        auto app = makeApp();
        QSignalSpy paused(app.get(), &Application::logPausedChanged);
        app->setLogPaused(true);
        app->setLogPaused(true); // the same value: nothing to tell
        QCOMPARE(paused.count(), 1);
        // A positive period starts its timer; anything else stores 0 and stops it. Every
        // write notifies, also an unchanged one.
        QSignalSpy poll(app.get(), &Application::pollMsChanged);
        auto* pollTimer = app->findChild<QTimer*>("pollTimer");
        app->setPollMs(250);
        app->setPollMs(250);
        QVERIFY(pollTimer->isActive() && pollTimer->interval() == 250);
        app->setPollMs(-5);
        QVERIFY(app->pollMs() == 0 && !pollTimer->isActive());
        QCOMPARE(poll.count(), 3);
        app->setTimedSendMs(-1);
        QCOMPARE(app->timedSendMs(), 0);
    }

    void byteTextsAndStatusLineFollowTheDevicesAndLinks()
    {
        auto app = makeApp();
        QCOMPARE(app->rxText() + app->txText(), "0.0 KB0.0 KB");
        Session* other = openUdpSession("primary");
        app->sessions()->addSession(other);
        QCOMPARE(app->globalStatusText(), "就绪 · 等待纳管设备");
        QVERIFY(!app->footerLinkActive());

        QString id;
        for (const char* port : { "COM1", "COM2", "COM3" })
            id = app->managedDevices()->appendSerial("ins", "", port, 0, true, "");
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
        QCOMPARE(app->rxText(), "1.5 KB");
        QVERIFY(mine->send(QByteArray(460, 'c')));
        QCOMPARE(app->txText(), "0.4 KB");

        other->disconnectTransport();
        mine->disconnectTransport();
        QVERIFY(!app->footerLinkActive()); // devices, but no link
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
        QCOMPARE(app->products()->currentProductId(), "ins");
        QCOMPARE(app->pendingConnectSummary(), "COM5 @ 9600");
        QCOMPARE(app->deviceAlias(), "台架");
        QCOMPARE(app->deviceDisplayName(), "KT40");
        QCOMPARE(app->defaultManagedDeviceAlias("kt60"), "导航测姿#3");

        app->settings()->setTheme("极夜"); // not yet on disk
        app->persistManagedState();
        QVERIFY(readFileBytes(iniPath()).contains("theme="));
        QVERIFY(readFileBytes(iniPath()).contains("product=ins"));
    }

    // An unreadable device list is told once, with where its copy went, and outlives the quit.
    void anUnreadableDeviceListIsToldOnceAndKept()
    {
        const QByteArray list = R"([{"id":"a","productId":"ins"])";
        QSettings(iniPath(), QSettings::IniFormat).setValue("managedDevices", list);
        auto app = makeApp();
        QSignalSpy errors(app.get(), &Application::lastErrorChanged);
        app->persistManagedState();
        QTest::qWait(100);
        QCOMPARE(errors.count(), 1);
        QCOMPARE(app->lastError(),
                 "设备列表无法读取，已纳管的设备未能载入；原文件已另存为 "
                     + QDir::toNativeSeparators(iniPath() + ".devices.bad"));
        QCOMPARE(QSettings(iniPath(), QSettings::IniFormat).value("managedDevices"), list);
    }

    void withoutDevicesTheTextsNameTheProduct()
    {
        auto app = makeApp();
        QVERIFY(!app->hasPendingConnect() && !app->canConnectCurrent());
        QCOMPARE(app->deviceDisplayName(), "AX-7300 组合导航系统");
        QCOMPARE(app->defaultManagedDeviceAlias(), "导航测姿#1");

        // A staged port is the port name of the list text; no baud means 115200.
        QSignalSpy pending(app.get(), &Application::pendingConnectChanged);
        app->setPendingSerialConnect("  ", 9600);
        QCOMPARE(pending.count(), 0);
        app->setPendingSerialConnect("COM3  USB-SERIAL CH340", 0);
        QCOMPARE(app->pendingConnectSummary(), "COM3 @ 115200");
        app->setPendingSerialConnect(QString(), 9600);
        QVERIFY(!app->hasPendingConnect());
        QCOMPARE(pending.count(), 2);

        // Custom rates: built-in ones cannot be removed; the list is on disk at once.
        QVERIFY(!app->removeCustomSerialBaud(115200));
        QCOMPARE(app->lastError(), "无法删除波特率 115200（仅可删除手动添加项）");
        QVERIFY(app->addCustomSerialBaud(57600));
        QVERIFY(readFileBytes(iniPath()).contains("customSerialBauds="));
    }

    // ---- pages and profiles ------------------------------------------------------------

    void theHiddenFactoryPageIsNeitherOfferedNorOpened()
    {
        auto app = makeApp();
        // Hidden from the start: the menu never offers a page the controller refuses.
        QVERIFY(!app->products()->navIds().contains("factory_config"));
        QCOMPARE(app->products()->navId(6), "raw");
        QCOMPARE(app->products()->navTitle(7), "出厂配置");
        QSignalSpy nav(app.get(), &Application::currentNavChanged);
        app->setProperty("currentNav", "factory_config");
        QCOMPARE(app->currentNav(), "user_config");
        // Without a link the user page sends nothing and says nothing; reading says why.
        QTest::qWait(500);
        QVERIFY(app->lastError().isEmpty() && app->userNotice().isEmpty() && !app->logTxCount());
        app->readInsUserConfig();
        QCOMPARE(app->lastError(), "未连接");

        // Hiding the page while it is shown moves to the user page.
        app->loadProfiles(profiles("show", "factory_config: yes\n"));
        app->setCurrentNav("factory_config");
        QCOMPARE(app->currentNav(), "factory_config");
        app->loadProfiles(profiles("hide", "factory_config: off\n"));
        QCOMPARE(app->currentNav(), "user_config");
        QCOMPARE(nav.count(), 3);

        // The default page is the first visible one, else the attitude page.
        app->products()->setNavItemVisible("attitude", false);
        app->openDefaultProductPage();
        QCOMPARE(app->currentNav(), "charts");
        for (const QString& id : app->products()->navIds())
            app->products()->setNavItemVisible(id, false);
        app->openDefaultProductPage();
        QCOMPARE(app->currentNav(), "attitude");
    }

    // The folder beside the program is read last and wins, file by file and command by
    // command; a file only in the first folder stays in effect.
    void theLaterProfileFolderWins()
    {
        auto app = makeApp();
        app->loadProfiles("X://profiles");
        app->loadProfiles(profiles("first", "factory_config: yes\n",
                                   "a:\n template: \"first a\"\nb:\n template: \"old b\"\n"));
        app->loadProfiles(profiles("beside", {}, "b:\n template: \"new b\"\n"));
        app->loadProfiles(m_dir->filePath("does-not-exist"));
        QVERIFY(app->products()->isNavItemVisible("factory_config"));
        QCOMPARE(app->catalog()->build("vorn.a"), QByteArray("#vorn,first a*ff\r\n"));
        QCOMPARE(app->catalog()->build("vorn.b"), QByteArray("#vorn,new b*ff\r\n"));
        app->loadProfiles(profiles("last", "factory_config: no\n"));
        QVERIFY(!app->products()->isNavItemVisible("factory_config"));
    }

    // ---- communication log -------------------------------------------------------------

    void theRawPageShowsTrafficInTimeOrderAndElsewhereItIsOnlyCounted()
    {
        auto app = makeApp();
        QVERIFY(app->connectUdp("127.0.0.1", 0, "127.0.0.1", 9));
        app->appendInsRawLog(QByteArray(500, 'x'));
        QCOMPARE(app->logRxCount(), 500);
        QVERIFY(app->logText().isEmpty());

        // On the raw page received bytes and sent commands join the view in time order;
        // the view is told each piece.
        app->setCurrentNav("raw");
        QSignalSpy appended(app.get(), &Application::logAppended);
        QSignalSpy changed(app.get(), &Application::logChanged);
        app->appendInsRawLog("abc");
        QVERIFY(waitUntil([&]() { return appended.count() == 1; }, 3000));
        QVERIFY(app->sendRaw("#vorn,get com1*ff", false));
        QCOMPARE(changed.count(), 1); // a trace is appended, the whole text is not re-read
        app->appendInsRawLog("def");
        QVERIFY(waitUntil([&]() { return appended.count() == 3; }, 3000));
        QString pieces;
        for (const QList<QVariant>& args : appended)
            pieces += args.at(0).toString();
        QCOMPARE(pieces,
                 "── 07:05:03 接收 ──\nabc\n── 07:05:03 发送 ──\n#vorn,get com1*ff\n"
                 "── 07:05:03 接收 ──\ndef");
        QCOMPARE(app->logText(), pieces);

        // Hex replaces the view on this page; elsewhere only the form changes.
        QSignalSpy synced(app.get(), &Application::logSynced);
        app->setLogHexMode(true);
        QCOMPARE(synced.count(), 1);
        QCOMPARE(synced.at(0).at(0).toString(), app->logText());
        app->setCurrentNav("attitude");
        app->setLogHexMode(false);
        QCOMPARE(synced.count(), 1);

        // Leaving the page renders what is pending once more; it stays for the next visit.
        app->setCurrentNav("console");
        app->appendInsRawLog("tail");
        appended.clear();
        app->setCurrentNav("stats");
        QVERIFY(appended.count() == 1 && app->logText().endsWith("tail"));

        // Saving replaces the file's content; a failure says where.
        const QString path = m_dir->filePath("log.txt");
        QVERIFY(writeFileBytes(path, QByteArray(70000, 'x')));
        QVERIFY(app->saveLog(path));
        QCOMPARE(QString::fromUtf8(readFileBytes(path)), app->logText());
        const QString bad = m_dir->filePath("missing/log.txt");
        QVERIFY(!app->saveLog(bad)
                && app->lastError().startsWith("无法保存日志：" + QDir::toNativeSeparators(bad)));
    }

    // ---- files of the configuration pages ----------------------------------------------

    // "label：number" lines with a known label, and the data file's name; the number of
    // the name is the part before its first point, and a name without one gives nothing.
    void calibrationLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariantMap>("values");
        const auto sn = [](int n) { return QVariantMap { { "sn", n } }; };
        QTest::newRow("bare name") << "1234.dat" << sn(1234);
        QTest::newRow("in a Windows folder") << "数据文件名：D:\\cal\\91.x.dat" << sn(91);
        QTest::newRow("in a folder") << "/srv/cal/77.dat" << sn(77);
        QTest::newRow("name not a number") << "gyro.dat" << QVariantMap();
        QTest::newRow("number beyond int") << "99999999999.dat" << QVariantMap();
        QTest::newRow("label without a file name")
            << "数据文件名：4321" << QVariantMap { { "sn", 4321.0 } };
        QTest::newRow("ASCII colon, unknown label, no number")
            << "静态漂移Y: 0.5\n标定温度：25.5\n静态漂移：1\n静态漂移X：abc\n"
            << QVariantMap();
        QTest::newRow("blanks after the colon, an exponent")
            << "刻度温度一次项Z：  -1.2e-05" << QVariantMap { { "t1z", -1.2e-05 } };
        QTest::newRow("the later line wins") << "刻度温度X：1.5\n刻度温度X：1.25\n"
                                             << QVariantMap { { "kggx", 1.25 } };
        QTest::newRow("beyond a double")
            << "静态漂移X：0.5\n静态漂移X：1e400\n静态漂移Y：-1e309" << QVariantMap();
    }

    void calibrationLines()
    {
        QFETCH(QString, text);
        QFETCH(QVariantMap, values);
        QCOMPARE(CalibrationDat::parse(text), values);
    }

    void theControllerSaysWhatItReadWroteOrCouldNot()
    {
        auto app = makeApp();
        const QString cal = QDir(gcs::test::dataDir()).filePath("config/gyro_cal.dat");
        const QVariantMap values = app->parseCompensateDatFile(cal);
        QCOMPARE(values.size(), 19);
        // The serial number comes from the data file's name, as an int.
        QVERIFY(values.value("sn").typeId() == QMetaType::Int && values.value("sn") == 24061234);
        QCOMPARE(app->userNotice(), "已读取标定数据 19 项：gyro_cal.dat");

        // UTF-8 text survives a write and a read; a second write replaces it.
        const QString path = m_dir->filePath("读回.txt");
        QVERIFY(app->writeTextFile(path, "#vorn,a,b,ID1*ff\n#vorn,c,d,SN2*ff ±0.5°\n"));
        QCOMPARE(app->userNotice(), QStringLiteral("已保存：") + QDir::toNativeSeparators(path));
        // The fourth field of the first two lines names the IMU and its serial number.
        const QVariantMap bundle = app->readCompensateFileBundle(path);
        QCOMPARE(bundle.value("imuId").toString() + bundle.value("imuSn").toString(), "ID1SN2");
        QCOMPARE(CompensationFile::bundle("#vorn,a,b,ID9*ff").keys(),
                 QStringList({ "content", "imuId" }));
        QCOMPARE(app->userNotice(), "已打开补偿文件：读回.txt");
        QVERIFY(app->writeTextFile(path, "x\r\ny"));
        QCOMPARE(app->readTextFile(path), "x\ny"); // CR LF reads as LF

        const auto failsWith = [&app](bool failed, const QString& start) {
            return failed && app->lastError().startsWith(start);
        };
        const QString missing = m_dir->filePath("gone.dat");
        QVERIFY(failsWith(app->parseCompensateDatFile(missing).isEmpty(), "无法打开文件："));
        QVERIFY(failsWith(app->readCompensateFileBundle(missing).isEmpty(), "无法打开文件："));
        QVERIFY(failsWith(app->readTextFile(missing).isEmpty(), "无法打开文件："));
        // A file far larger than any configuration text is refused, not loaded whole.
        QFile huge(m_dir->filePath("huge%1.dat")); // a "%1" in its name shown as it is
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(TextFile::kMaxBytes + 1));
        huge.close();
        QVERIFY(failsWith(app->parseCompensateDatFile(huge.fileName()).isEmpty(),
                          "文件过大：" + QDir::toNativeSeparators(huge.fileName()) + "（超过 "));
        QVERIFY(writeFileBytes(m_dir->filePath("big.dat"), "静态漂移Y：1\n静态漂移X：1e400\n"));
        QVERIFY(failsWith(app->parseCompensateDatFile(m_dir->filePath("big.dat")).isEmpty(),
                          "标定数据超出数值范围，未导入：静态漂移X（big.dat）"));
        QVERIFY(writeFileBytes(m_dir->filePath("notes.dat"), "标定温度：25\n"));
        QVERIFY(failsWith(app->parseCompensateDatFile(m_dir->filePath("notes.dat")).isEmpty(),
                          "文件中没有可识别的标定数据：notes.dat"));
        // The labels of a file saved in a Chinese code page do not read as UTF-8.
        QVERIFY(writeFileBytes(m_dir->filePath("gbk.dat"),
                               "\xBE\xB2\xCC\xAC\xC6\xAF\xD2\xC6X\xA3\xBA"
                               "0.5\n"));
        QVERIFY(app->parseCompensateDatFile(m_dir->filePath("gbk.dat")).isEmpty());
        QVERIFY2(app->lastError().contains("不是 UTF-8 编码"), qPrintable(app->lastError()));
        QVERIFY(writeFileBytes(m_dir->filePath("empty.txt"), QByteArray()));
        QVERIFY(failsWith(app->readCompensateFileBundle(m_dir->filePath("empty.txt")).isEmpty(),
                          "补偿文件为空：empty.txt"));
        QVERIFY(failsWith(!app->writeTextFile(QString(), "x"), "未选择保存位置"));
        QVERIFY(
            failsWith(!app->writeTextFile(m_dir->filePath("a/b/c.txt"), "x"), "无法写入文件："));
    }

    void onlyRightHandedTriplesOfDifferentAxesAreValid()
    {
        const QStringList tokens { "x", "-x", "y", "-y", "z", "-z" };
        int valid = 0;
        for (const QString& a : tokens)
            for (const QString& b : tokens)
                for (const QString& c : tokens) {
                    if (gcs::AxisTriple::isValid(a, b, c)) {
                        ++valid;
                        QVERIFY(a.back() != b.back() && b.back() != c.back()
                                && a.back() != c.back());
                    }
                }
        QCOMPARE(valid, 24); // the proper rotations of a cube, not their mirror images
        QVERIFY(gcs::AxisTriple::isValid({ "y", "x", "-z" }));
        QVERIFY(!gcs::AxisTriple::isValid({ "y", "x", "z" }));
        QVERIFY(!gcs::AxisTriple::isValid({ "X", "Y", "Z" }));
        QVERIFY(!gcs::AxisTriple::isValid({ "x", "y", "z", "x" }));
    }
};

QTEST_GUILESS_MAIN(TestApplication)
#include "tst_application.moc"
