#include "app/Application.h"
#include "app/TimeSource.h"
#include "catalog/AppSettings.h"
#include "catalog/ManagedDevices.h"
#include "catalog/ProductRegistry.h"
#include "catalog/UiConfig.h"
#include "console/CommandCatalog.h"
#include "ins/InsBridge.h"
#include "ins/TelemetryHub.h"
#include "link/Session.h"
#include "link/SessionManager.h"
#include "link/UdpTransport.h"
#include "record/Recorder.h"
#include "upgrade/YModem.h"

#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaMethod>
#include <QMetaProperty>
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
struct ManualClock
{
    qint64 ms = 5000;
    QDateTime now = QDateTime(QDate(2024, 3, 9), QTime(7, 5, 3));
};

class ManualTimeSource final : public gcs::TimeSource
{
public:
    explicit ManualTimeSource(std::shared_ptr<ManualClock> clock)
        : m_clock(std::move(clock))
    { }
    qint64 monotonicMs() const override { return m_clock->ms; }
    QDateTime localNow() const override { return m_clock->now; }

private:
    std::shared_ptr<ManualClock> m_clock;
};

// A UDP session on loopback, connected; its bound port takes datagrams from the test.
Session* openUdpSession(const QString& id)
{
    auto* session
        = new Session(id, QStringLiteral("UDP"),
                      std::make_unique<gcs::UdpTransport>(QStringLiteral("127.0.0.1"), 0,
                                                          QStringLiteral("127.0.0.1"), 9));
    session->connectTransport();
    return session;
}

quint16 boundPort(Session* session)
{
    return static_cast<gcs::UdpTransport*>(session->transport())->boundPort();
}

QJsonObject serialEntry(const QString& id, const QString& port, int baud, const QString& model)
{
    return QJsonObject { { "id", id },       { "productId", "ins" }, { "deviceModelId", model },
                         { "alias", "" },    { "kind", "serial" },   { "port", port },
                         { "baud", baud },   { "netTransport", "" }, { "localIp", "" },
                         { "localPort", 0 }, { "remoteIp", "" },     { "remotePort", 0 },
                         { "listenPort", 0 } };
}

} // namespace

class TestApplication : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<EnvOverride> m_env;
    std::shared_ptr<ManualClock> m_clock;

    QString iniPath() const { return m_dir->filePath(QStringLiteral("TelvoMonitor/gcs.ini")); }

    std::unique_ptr<Application> makeApp()
    {
        return std::make_unique<Application>(std::make_unique<ManualTimeSource>(m_clock));
    }

    void writeStore(const QVariantMap& values)
    {
        QSettings raw(iniPath(), QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            raw.setValue(it.key(), it.value());
        raw.sync();
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_env = std::make_unique<EnvOverride>("LOCALAPPDATA", m_dir->path().toLocal8Bit());
        m_clock = std::make_shared<ManualClock>();
    }

    void cleanup()
    {
        m_env.reset();
        m_dir.reset();
    }

    void servicesAreOwnedChildrenAndTheFirstPageIsShown()
    {
        auto app = makeApp();
        const QList<QObject*> services { app->products(), app->managedDevices(), app->sessions(),
                                         app->hub(),      app->settings(),       app->recorder(),
                                         app->ymodem(),   app->catalog(),        app->ins(),
                                         app->uiConfig() };
        const char* names[] = { "products", "managedDevices", "sessions", "hub", "settings",
                                "recorder", "ymodem",         "catalog",  "ins", "uiConfig" };
        for (int i = 0; i < services.size(); ++i) {
            QVERIFY(services.at(i));
            QCOMPARE(services.at(i)->parent(), app.get());
            QCOMPARE(app->property(names[i]).value<QObject*>(), services.at(i));
        }
        QCOMPARE(app->currentNav(), QStringLiteral("attitude"));
        QCOMPARE(app->products()->currentProductId(), QStringLiteral("ins"));
        QCOMPARE(app->settings()->filePath(), iniPath());
        QCOMPARE(app->appVersion(), QStringLiteral("1.0.5"));
        QCOMPARE(app->protocolTagText(), QStringLiteral("#vorn"));
        const QStringList about = app->aboutText().split(QLatin1Char('\n'));
        QCOMPARE(about.size(), 3);
        QCOMPARE(about.at(0), QStringLiteral("TelvoMonitor"));
        QCOMPARE(about.at(1), QStringLiteral("版本 1.0.5"));
        QVERIFY(!about.at(2).isEmpty());
        // The statistics and log timers run from the start; the others wait for a use.
        QVERIFY(app->findChild<QTimer*>(QStringLiteral("statsTimer"))->isActive());
        QVERIFY(app->findChild<QTimer*>(QStringLiteral("logFlushTimer"))->isActive());
        QCOMPARE(app->findChild<QTimer*>(QStringLiteral("logFlushTimer"))->interval(), 200);
        QVERIFY(!app->findChild<QTimer*>(QStringLiteral("pollTimer"))->isActive());
        QVERIFY(!app->findChild<QTimer*>(QStringLiteral("timedSendTimer"))->isActive());
        QVERIFY(!app->findChild<QTimer*>(QStringLiteral("triggerTimer"))->isActive());
    }

    // QML binds to these names; a renamed property or notify signal breaks pages silently.
    void qmlInterfaceHasEveryPropertyWithItsNotifySignal()
    {
        struct Row
        {
            const char* name;
            const char* notify; // empty: constant
            bool writable;
        };
        const Row rows[] = {
            { "currentNav", "currentNavChanged", true },
            { "connectHint", "connectHintChanged", false },
            { "runTimeText", "statsTick", false },
            { "rxText", "statsTick", false },
            { "txText", "statsTick", false },
            { "serialPorts", "serialPortsChanged", false },
            { "serialBaudRates", "serialBaudRatesChanged", false },
            { "connecting", "connectingChanged", false },
            { "logText", "logChanged", false },
            { "logHexMode", "logHexModeChanged", true },
            { "lastError", "lastErrorChanged", false },
            { "userNotice", "userNoticeChanged", false },
            { "pollMs", "pollMsChanged", true },
            { "logPaused", "logPausedChanged", true },
            { "localIps", "serialPortsChanged", false },
            { "computerTime", "statsTick", false },
            { "stopwatchText", "statsTick", false },
            { "triggerText", "statsTick", false },
            { "sendHistory", "sendHistoryChanged", false },
            { "aboutText", "", false },
            { "timedSendMs", "timedSendMsChanged", true },
            { "timedSendText", "timedSendMsChanged", true },
            { "timedSendHex", "timedSendMsChanged", true },
            { "logRxCount", "logChanged", false },
            { "logTxCount", "logChanged", false },
            { "detectHint", "detectHintChanged", false },
            { "lastDetectBaud", "detectHintChanged", false },
            { "searching", "searchingChanged", false },
            { "detectingPort", "detectingPortChanged", false },
            { "searchFailed", "detectHintChanged", false },
            { "deviceAlias", "deviceAliasChanged", false },
            { "deviceDisplayName", "deviceAliasChanged", false },
            { "hasPendingConnect", "pendingConnectChanged", false },
            { "pendingConnectPort", "pendingConnectChanged", false },
            { "pendingConnectBaud", "pendingConnectChanged", false },
            { "pendingConnectSummary", "pendingConnectChanged", false },
            { "contextLinkText", "contextLinkTextChanged", false },
            { "canConnectCurrent", "contextLinkTextChanged", false },
            { "currentManagedConnected", "currentManagedConnectedChanged", false },
            { "globalStatusText", "globalStatusTextChanged", false },
            { "protocolTagText", "", false },
            { "footerLinkActive", "globalStatusTextChanged", false },
            { "factoryReadbackActive", "factoryReadbackActiveChanged", false },
            { "insConfigReported", "insConfigReportedChanged", false },
            { "serialBaud", "serialBaudChanged", false },
            { "upgradeFileName", "upgradeFileChanged", false },
            { "upgradeFileReady", "upgradeFileChanged", false },
            { "appVersion", "", false },
            { "captureExport", "", false },
            { "lastRecordingPath", "lastRecordingChanged", false },
        };
        const QMetaObject& mo = Application::staticMetaObject;
        // The ten services come first, then the rows in this order.
        QCOMPARE(mo.propertyCount() - mo.propertyOffset(), 10 + int(std::size(rows)));
        for (int i = 0; i < int(std::size(rows)); ++i) {
            const Row& row = rows[i];
            const QMetaProperty p = mo.property(mo.propertyOffset() + 10 + i);
            QCOMPARE(p.name(), row.name);
            QCOMPARE(p.isWritable(), row.writable);
            if (*row.notify) {
                QVERIFY2(p.hasNotifySignal(), row.name);
                QCOMPARE(p.notifySignal().name(), QByteArray(row.notify));
            } else {
                QVERIFY2(p.isConstant(), row.name);
            }
        }

        const QList<QByteArray> signalOrder { "currentNavChanged()",
                                              "connectHintChanged()",
                                              "statsTick()",
                                              "serialPortsChanged()",
                                              "serialBaudRatesChanged()",
                                              "connectingChanged()",
                                              "logChanged()",
                                              "logAppended(QString)",
                                              "logSynced(QString)",
                                              "logViewCleared()",
                                              "logHexModeChanged()",
                                              "lastErrorChanged()",
                                              "userNoticeChanged()",
                                              "pollMsChanged()",
                                              "logPausedChanged()",
                                              "sendHistoryChanged()",
                                              "timedSendMsChanged()",
                                              "detectHintChanged()",
                                              "searchingChanged()",
                                              "detectingPortChanged()",
                                              "detectPortFinished(bool,QString,int)",
                                              "pendingConnectChanged()",
                                              "deviceAliasChanged()",
                                              "contextLinkTextChanged()",
                                              "currentManagedConnectedChanged()",
                                              "managedDeviceLinkChanged()",
                                              "globalStatusTextChanged()",
                                              "factoryReadbackActiveChanged()",
                                              "insConfigReportedChanged()",
                                              "serialBaudChanged()",
                                              "upgradeFileChanged()",
                                              "lastRecordingChanged()" };
        QList<QByteArray> declared;
        for (int i = mo.methodOffset(); i < mo.methodCount(); ++i) {
            if (mo.method(i).methodType() == QMetaMethod::Signal)
                declared.append(mo.method(i).methodSignature());
        }
        QCOMPARE(declared, signalOrder);

        // QML may call these with their trailing arguments left out.
        for (const char* shortForm :
             { "refreshPorts()", "detectPort()", "beginDetectPort()", "defaultManagedDeviceAlias()",
               "stageManualSerialConnect(QString,QString,QString,int)",
               "updateManagedSerial(QString,QString,QString,int)" })
            QVERIFY2(mo.indexOfMethod(shortForm) >= 0, shortForm);
    }

    void runTimeAndClockFollowTheTimeSource()
    {
        auto app = makeApp();
        QCOMPARE(app->runTimeText(), QStringLiteral("00:00:00"));
        m_clock->ms += 2000;
        QCOMPARE(app->runTimeText(), QStringLiteral("00:00:02"));
        m_clock->ms += 999;
        QCOMPARE(app->runTimeText(), QStringLiteral("00:00:02"));
        m_clock->ms += 3600 * 1000 + 61 * 1000;
        QCOMPARE(app->runTimeText(), QStringLiteral("01:01:03"));
        m_clock->ms += qint64(99) * 3600 * 1000 - 63 * 1000;
        QCOMPARE(app->runTimeText(), QStringLiteral("100:00:00")); // hours do not wrap
        QCOMPARE(app->computerTime(), QStringLiteral("2024-03-09 07:05:03"));
        m_clock->now = QDateTime(QDate(2025, 12, 31), QTime(23, 59, 58));
        QCOMPARE(app->computerTime(), QStringLiteral("2025-12-31 23:59:58"));
    }

    void stopwatchStartsOnceAndResetsToZero()
    {
        auto app = makeApp();
        QSignalSpy tick(app.get(), &Application::statsTick);
        QCOMPARE(app->stopwatchText(), QStringLiteral("00:00:00"));
        m_clock->ms += 4000;
        QCOMPARE(app->stopwatchText(), QStringLiteral("00:00:00")); // not running
        app->startStopwatch();
        QCOMPARE(tick.count(), 1);
        m_clock->ms += 5000;
        QCOMPARE(app->stopwatchText(), QStringLiteral("00:00:05"));
        app->startStopwatch(); // already running: no restart, no tick
        QCOMPARE(tick.count(), 1);
        m_clock->ms += 3000;
        QCOMPARE(app->stopwatchText(), QStringLiteral("00:00:08"));
        app->resetStopwatch();
        QCOMPARE(tick.count(), 2);
        QCOMPARE(app->stopwatchText(), QStringLiteral("00:00:00"));
        app->startStopwatch();
        m_clock->ms += 1000;
        QCOMPARE(app->stopwatchText(), QStringLiteral("00:00:01"));
    }

    void triggerShowsItsCountAndStopsOnZeroOrLess()
    {
        auto app = makeApp();
        app->findChild<QTimer*>(QStringLiteral("statsTimer"))->stop();
        auto* timer = app->findChild<QTimer*>(QStringLiteral("triggerTimer"));
        QSignalSpy tick(app.get(), &Application::statsTick);
        app->startTrigger(3661);
        QCOMPARE(app->triggerText(), QStringLiteral("01:01:01"));
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 1000);
        app->startTrigger(0);
        QVERIFY(!timer->isActive());
        QCOMPARE(app->triggerText(), QStringLiteral("00:00:00"));
        app->startTrigger(360000);
        QCOMPARE(app->triggerText(), QStringLiteral("100:00:00"));
        app->startTrigger(-4);
        QVERIFY(!timer->isActive());
        QCOMPARE(app->triggerText(), QStringLiteral("00:00:00"));
        app->startTrigger(59);
        app->resetTrigger();
        QVERIFY(!timer->isActive());
        QCOMPARE(app->triggerText(), QStringLiteral("00:00:00"));
        QCOMPARE(tick.count(), 6); // every call tells QML to re-read
    }

    void triggerKeepsTickingAfterReachingZero()
    {
        auto app = makeApp();
        app->findChild<QTimer*>(QStringLiteral("statsTimer"))->stop();
        auto* timer = app->findChild<QTimer*>(QStringLiteral("triggerTimer"));
        app->startTrigger(3);
        timer->setInterval(5); // a fast countdown instead of waiting three seconds
        QSignalSpy tick(app.get(), &Application::statsTick);
        QVERIFY(waitUntil([&]() { return tick.count() >= 3; }, 5000));
        QCOMPARE(app->triggerText(), QStringLiteral("00:00:00"));
        const int atZero = tick.count();
        QVERIFY(waitUntil([&]() { return tick.count() >= atZero + 3; }, 5000));
        QVERIFY(timer->isActive());
        QCOMPARE(app->triggerText(), QStringLiteral("00:00:00"));
    }

    void pollIntervalStartsAndStopsThePollTimer()
    {
        auto app = makeApp();
        auto* timer = app->findChild<QTimer*>(QStringLiteral("pollTimer"));
        QSignalSpy changed(app.get(), &Application::pollMsChanged);
        app->setProperty("pollMs", 250);
        QCOMPARE(app->pollMs(), 250);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 250);
        app->setPollMs(250);
        QCOMPARE(changed.count(), 2); // every write notifies
        app->setPollMs(-5);
        QCOMPARE(app->pollMs(), 0);
        QVERIFY(!timer->isActive());
        QCOMPARE(changed.count(), 3);
        app->setPollMs(0);
        QCOMPARE(changed.count(), 4);
    }

    void byteTextsFollowTheCurrentDevicesSession()
    {
        auto app = makeApp();
        QCOMPARE(app->rxText(), QStringLiteral("0.0 KB"));
        QCOMPARE(app->txText(), QStringLiteral("0.0 KB"));

        const QString id = app->managedDevices()->appendSerial(
            QStringLiteral("ins"), QString(), QStringLiteral("COM1"), 0, true, QString());
        Session* other = openUdpSession(QStringLiteral("someone-else"));
        Session* mine = openUdpSession(id);
        app->sessions()->addSession(other);
        app->sessions()->addSession(mine);
        QVERIFY(mine->isConnected());

        QUdpSocket peer;
        peer.writeDatagram(QByteArray(300, 'x'), QHostAddress::LocalHost, boundPort(other));
        peer.writeDatagram(QByteArray(1024, 'a'), QHostAddress::LocalHost, boundPort(mine));
        peer.writeDatagram(QByteArray(512, 'b'), QHostAddress::LocalHost, boundPort(mine));
        QVERIFY(
            waitUntil([&]() { return mine->rxBytes() == 1536 && other->rxBytes() == 300; }, 5000));
        QCOMPARE(app->rxText(), QStringLiteral("1.5 KB"));
        peer.writeDatagram(QByteArray(1024, 'd'), QHostAddress::LocalHost, boundPort(mine));
        QVERIFY(waitUntil([&]() { return mine->rxBytes() == 2560; }, 5000));
        QCOMPARE(app->rxText(), QStringLiteral("2.5 KB")); // kilobytes of 1024 bytes
        QVERIFY(mine->send(QByteArray(460, 'c')));
        QCOMPARE(app->txText(), QStringLiteral("0.4 KB"));
        QCOMPARE(app->connectHint(), mine->description());
        QVERIFY(app->currentManagedConnected());
        QVERIFY(app->managedDeviceOnline(id));
        QCOMPARE(app->managedDeviceLinkStatus(id), QStringLiteral("已连接"));
        QVERIFY(!app->canConnectCurrent());

        // The statistics tick tells QML to re-read the texts.
        auto* stats = app->findChild<QTimer*>(QStringLiteral("statsTimer"));
        stats->setInterval(5);
        QSignalSpy tick(app.get(), &Application::statsTick);
        QVERIFY(tick.wait(5000));
    }

    void statusLineCountsDevicesAndLinks()
    {
        auto app = makeApp();
        // An open link without managed devices changes nothing.
        app->sessions()->addSession(openUdpSession(QStringLiteral("primary")));
        QCOMPARE(app->sessions()->onlineCount(), 1);
        QCOMPARE(app->globalStatusText(), QStringLiteral("就绪 · 等待纳管设备"));
        QVERIFY(!app->footerLinkActive());

        for (const char* port : { "COM1", "COM2", "COM3" })
            app->managedDevices()->appendSerial(QStringLiteral("ins"), QString(),
                                                QString::fromLatin1(port), 0, false, QString());
        QCOMPARE(app->globalStatusText(),
                 QStringLiteral("纳管 3 台 · %1").arg(app->sessions()->statusText()));
        QVERIFY(app->globalStatusText().startsWith(QStringLiteral("纳管 3 台 · ")));
        QVERIFY(app->footerLinkActive());

        app->sessions()->primary()->disconnectTransport();
        QCOMPARE(app->sessions()->onlineCount(), 0);
        QVERIFY(!app->footerLinkActive());
        QCOMPARE(app->globalStatusText(),
                 QStringLiteral("纳管 3 台 · %1").arg(app->sessions()->statusText()));
    }

    void relaysReEmitTheChangesOfTheServices()
    {
        auto app = makeApp();
        QSignalSpy bauds(app.get(), &Application::serialBaudRatesChanged);
        QSignalSpy context(app.get(), &Application::contextLinkTextChanged);
        QSignalSpy alias(app.get(), &Application::deviceAliasChanged);
        QSignalSpy status(app.get(), &Application::globalStatusTextChanged);
        QSignalSpy link(app.get(), &Application::managedDeviceLinkChanged);
        QSignalSpy connected(app.get(), &Application::currentManagedConnectedChanged);

        QVERIFY(app->settings()->addCustomSerialBaud(57600));
        QCOMPARE(bauds.count(), 1);
        QVERIFY(app->serialBaudRates().contains(57600));

        // listChanged reaches the texts directly, and deviceAliasChanged once more the
        // context text.
        const QString a = app->managedDevices()->appendSerial(
            QStringLiteral("ins"), QString(), QStringLiteral("COM1"), 0, false, QString());
        QCOMPARE(status.count(), 1);
        QCOMPARE(alias.count(), 1);
        QCOMPARE(context.count(), 2);
        QCOMPARE(link.count(), 0);

        app->managedDevices()->setCurrentId(a);
        QCOMPARE(link.count(), 1);
        QCOMPARE(status.count(), 2);
        QCOMPARE(alias.count(), 2);

        app->sessions()->addSession(openUdpSession(QStringLiteral("x")));
        QCOMPARE(status.count(), 3);
        QCOMPARE(link.count(), 2);

        context.clear();
        app->setPendingSerialConnect(QStringLiteral("COM7"), 9600);
        QCOMPARE(context.count(), 2); // pending and detect hint both relay
        context.clear();
        app->setCurrentNav(QStringLiteral("charts"));
        QCOMPARE(context.count(), 1);

        gcs::ProductRegistry::Product other;
        other.id = QStringLiteral("gnss");
        app->products()->registerProduct(other);
        context.clear();
        app->products()->setCurrentProductId(QStringLiteral("gnss"));
        QCOMPARE(context.count(), 1);

        // connectingChanged fans out to three signals.
        link.clear();
        context.clear();
        emit app->connectingChanged();
        QCOMPARE(link.count(), 1);
        QCOMPARE(context.count(), 1);
        QCOMPARE(connected.count(), 1);
    }

    void writableSwitchesNotifyOnlyWhenTheyChange()
    {
        auto app = makeApp();
        QSignalSpy paused(app.get(), &Application::logPausedChanged);
        QSignalSpy hex(app.get(), &Application::logHexModeChanged);
        QSignalSpy nav(app.get(), &Application::currentNavChanged);
        app->setLogPaused(false);
        app->setLogHexMode(false);
        app->setCurrentNav(QStringLiteral("attitude"));
        QCOMPARE(paused.count() + hex.count() + nav.count(), 0);
        app->setProperty("logPaused", true);
        app->setProperty("logPaused", true);
        app->setProperty("logHexMode", true);
        app->setProperty("logHexMode", true);
        app->setProperty("currentNav", QStringLiteral("stats"));
        app->setProperty("currentNav", QStringLiteral("stats"));
        QCOMPARE(paused.count(), 1);
        QCOMPARE(hex.count(), 1);
        QCOMPARE(nav.count(), 1);
        QVERIFY(app->logPaused());
        QVERIFY(app->logHexMode());

        // Timed-send settings notify on every write and drive their timer.
        QSignalSpy timed(app.get(), &Application::timedSendMsChanged);
        auto* timer = app->findChild<QTimer*>(QStringLiteral("timedSendTimer"));
        app->setTimedSendText(QStringLiteral("#vorn,get com1*ff"));
        app->setTimedSendText(QStringLiteral("#vorn,get com1*ff"));
        app->setTimedSendHex(false);
        app->setTimedSendMs(500);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 500);
        app->setTimedSendMs(-1);
        QVERIFY(!timer->isActive());
        QCOMPARE(app->timedSendMs(), 0);
        QCOMPARE(timed.count(), 5);
    }

    void endOfTransferReportsEveryTime()
    {
        auto app = makeApp();
        QSignalSpy errors(app.get(), &Application::lastErrorChanged);
        QSignalSpy notices(app.get(), &Application::userNoticeChanged);
        emit app->ymodem()->finished(false, QStringLiteral("升级失败：超时"));
        emit app->ymodem()->finished(false, QStringLiteral("升级失败：超时"));
        QCOMPARE(errors.count(), 2); // the same text is announced again
        QCOMPARE(app->lastError(), QStringLiteral("升级失败：超时"));
        QCOMPARE(notices.count(), 0);
        emit app->ymodem()->finished(true, QStringLiteral("升级完成"));
        QCOMPARE(app->lastError(), QString());
        QCOMPARE(errors.count(), 3);
        QCOMPARE(app->userNotice(), QStringLiteral("升级完成"));
        QCOMPARE(notices.count(), 1);
    }

    void savedCurrentDeviceIsAppliedAtStart()
    {
        const QJsonArray list { serialEntry("a", "COM4", 19200, "kt10"),
                                serialEntry("b", "COM5", 9600, "kt40") };
        writeStore({ { "managedDevices", QJsonDocument(list).toJson(QJsonDocument::Compact) },
                     { "currentManagedDeviceId", "b" },
                     { "product", "gnss" },
                     { "deviceAlias", "台架" } });
        auto app = makeApp();
        QCOMPARE(app->products()->currentProductId(), QStringLiteral("ins"));
        QCOMPARE(app->managedDevices()->currentId(), QStringLiteral("b"));
        QVERIFY(app->hasPendingConnect());
        QCOMPARE(app->pendingConnectPort(), QStringLiteral("COM5"));
        QCOMPARE(app->pendingConnectBaud(), 9600);
        QCOMPARE(app->pendingConnectSummary(), QStringLiteral("COM5 @ 9600"));
        QCOMPARE(app->lastDetectBaud(), 9600);
        QCOMPARE(app->contextLinkText(), QStringLiteral("COM5 @ 9600"));
        QCOMPARE(app->deviceAlias(), QStringLiteral("台架"));
        QCOMPARE(app->deviceDisplayName(), QStringLiteral("KT40"));
        QCOMPARE(app->managedDeviceLabel(QStringLiteral("a")), QStringLiteral("KT10"));
        QCOMPARE(app->managedDeviceLabel(QStringLiteral("zz")), QString());
        QVERIFY(app->canConnectCurrent());
        QCOMPARE(app->connectHint(), QStringLiteral("未连接"));
        QCOMPARE(app->managedDeviceLinkStatus(QStringLiteral("b")), QStringLiteral("未连接"));
        QCOMPARE(app->managedDeviceLinkStatus(QString()), QStringLiteral("未连接"));
        QCOMPARE(app->serialBaud(), 9600);
        QCOMPARE(app->settings()->lastProductId(), QStringLiteral("ins"));
        // Nothing connects by itself.
        QCOMPARE(app->sessions()->sessions().size(), 0);
    }

    void withoutDevicesTheTextsNameTheProduct()
    {
        auto app = makeApp();
        QVERIFY(!app->hasPendingConnect());
        QCOMPARE(app->pendingConnectSummary(), QString());
        QCOMPARE(app->contextLinkText(), QString());
        QCOMPARE(app->deviceDisplayName(), QStringLiteral("AX-7300 组合导航系统"));
        QVERIFY(!app->canConnectCurrent());
        QCOMPARE(app->serialBaud(), 0);
        QCOMPARE(app->defaultManagedDeviceAlias(), QStringLiteral("导航测姿#1"));
    }

    void pendingSerialConnectTakesThePortName()
    {
        auto app = makeApp();
        QSignalSpy pending(app.get(), &Application::pendingConnectChanged);
        QSignalSpy hint(app.get(), &Application::detectHintChanged);
        app->clearPendingConnect();
        app->setPendingSerialConnect(QStringLiteral("  "), 9600);
        QCOMPARE(pending.count(), 0);

        app->setPendingSerialConnect(QStringLiteral("COM3  USB-SERIAL CH340"), 0);
        QCOMPARE(app->pendingConnectPort(), QStringLiteral("COM3"));
        QCOMPARE(app->pendingConnectBaud(), 115200);
        QCOMPARE(pending.count(), 1);
        QCOMPARE(hint.count(), 1);
        app->setPendingSerialConnect(QStringLiteral("COM4"), 460800);
        QCOMPARE(app->lastDetectBaud(), 460800);
        QCOMPARE(app->pendingConnectSummary(), QStringLiteral("COM4 @ 460800"));

        app->setPendingSerialConnect(QString(), 9600);
        QVERIFY(!app->hasPendingConnect());
        QCOMPARE(app->pendingConnectBaud(), 115200);
        QCOMPARE(pending.count(), 3);
        app->setPendingSerialConnect(QStringLiteral("COM4"), 9600);
        app->clearPendingConnect();
        QCOMPARE(pending.count(), 5);
        QCOMPARE(app->pendingConnectBaud(), 115200);
    }

    void defaultAliasCountsTheManagedDevices()
    {
        auto app = makeApp();
        for (const char* port : { "COM1", "COM2" })
            app->managedDevices()->appendSerial(QStringLiteral("ins"), QString(),
                                                QString::fromLatin1(port), 0, false, QString());
        QCOMPARE(app->defaultManagedDeviceAlias(QStringLiteral("kt60")),
                 QStringLiteral("导航测姿#3"));
        // A model whose category has no display name.
        QCOMPARE(app->defaultManagedDeviceAlias(QStringLiteral("kt99")), QStringLiteral("设备#3"));
    }

    void customBaudsJoinTheListWithTheirMessages()
    {
        auto app = makeApp();
        const QVariantList builtIn { 9600, 19200, 115200, 230400, 380400, 460800 };
        QCOMPARE(app->serialBaudRates(), builtIn);
        QSignalSpy bauds(app.get(), &Application::serialBaudRatesChanged);
        QVERIFY(app->addCustomSerialBaud(57600));
        QCOMPARE(app->userNotice(), QStringLiteral("已添加波特率 57600"));
        QCOMPARE(app->lastError(), QString());
        QVERIFY(app->addCustomSerialBaud(1200));
        QCOMPARE(app->serialBaudRates(), builtIn + QVariantList({ 57600, 1200 }));
        QVERIFY(app->isCustomSerialBaud(1200));
        QVERIFY(!app->addCustomSerialBaud(57600));
        QCOMPARE(
            app->lastError(),
            QStringLiteral("无法添加波特率 57600（需在 300～3000000 内，且不能与已有项重复）"));
        QVERIFY(!app->removeCustomSerialBaud(115200));
        QCOMPARE(app->lastError(), QStringLiteral("无法删除波特率 115200（仅可删除手动添加项）"));
        QVERIFY(app->removeCustomSerialBaud(57600));
        QCOMPARE(app->userNotice(), QStringLiteral("已删除自定义波特率 57600"));
        QCOMPARE(app->serialBaudRates(), builtIn + QVariantList({ 1200 }));
        QCOMPARE(bauds.count(), 3);
        // Flushed at once: the file already holds the list.
        QVERIFY(readFileBytes(iniPath()).contains("customSerialBauds="));
    }

    void persistingOnQuitWritesTheSettingsFile()
    {
        auto app = makeApp();
        app->managedDevices()->appendSerial(QStringLiteral("ins"), QStringLiteral("甲"),
                                            QStringLiteral("COM8"), 230400, true, QString());
        app->settings()->setTheme(QStringLiteral("极夜")); // not yet on disk
        app->persistManagedState();
        const QByteArray ini = readFileBytes(iniPath());
        QVERIFY2(ini.contains("theme="), ini.constData());
        QVERIFY2(ini.contains("port=COM8"), ini.constData());
        QVERIFY2(ini.contains("baud=230400"), ini.constData());

        app.reset();
        auto again = makeApp();
        QCOMPARE(again->managedDevices()->count(), 1);
        QCOMPARE(again->pendingConnectSummary(), QStringLiteral("COM8 @ 230400"));
    }
};

QTEST_GUILESS_MAIN(TestApplication)
#include "tst_application.moc"
