// Connecting for real: the controller against the simulator on its pseudo-terminal and
// loopback sockets: the check before a serial connect, what reaches the telemetry, a link
// that comes back after an unplug, and the managed-device operations.
#include "app/Application.h"
#include "catalog/AppSettings.h"
#include "catalog/ManagedDevices.h"
#include "ins/TelemetryHub.h"
#include "link/Session.h"
#include "link/SessionManager.h"
#include "link/UdpTransport.h"
#include "upgrade/YModem.h"

#include "AppRig.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSerialPort>
#include <QSettings>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUdpSocket>

#include <csignal>

using gcs::Application;
using gcs::Session;
using gcs::test::SimProcess;
using gcs::test::waitUntil;

namespace {

QString checkFailedText(const QString& port, int baud)
{
    return "「" + port + " @ " + QString::number(baud)
        + QStringLiteral("」通信数据与设备不匹配或未收到有效响应，请核对波特率、接线与纳管型号");
}

void sendDatagram(Session* s, const QByteArray& data)
{
    QUdpSocket().writeDatagram(data, QHostAddress::LocalHost,
                               static_cast<gcs::UdpTransport*>(s->transport())->boundPort());
}

QString addSerial(Application& app, const QString& port, int baud)
{
    return app.stageManualSerialConnect("ins", {}, port, baud) ? app.managedDevices()->currentId()
                                                               : QString();
}

// Pulls the simulated unit's cable; the simulator puts it back after --replug-after.
bool unplug(SimProcess& sim)
{
    return ::kill(pid_t(sim.processId()), SIGUSR2) == 0
        && waitUntil([&] { return !QFileInfo::exists(sim.port()); }, 5000);
}

} // namespace

class TestAppConnection : public QObject
{
    Q_OBJECT

    std::unique_ptr<gcs::test::AppRig> m_rig;

private slots:
    void init() { m_rig = std::make_unique<gcs::test::AppRig>(); }
    void cleanup() { m_rig.reset(); }

    void onlyTheCurrentDevicesLinkReachesTheTelemetry()
    {
        Application app;
        QVERIFY(app.connectNamedUdp("bench", "台架", "127.0.0.1", 0, "127.0.0.1", 9));
        QVERIFY(app.connectUdp("127.0.0.1", 0, "127.0.0.1", 9));
        QCOMPARE(app.sessions()->sessions().size(), 1); // without a device it replaces all
        Session* primary = app.sessions()->session(QStringLiteral("primary"));
        QVERIFY(primary && app.currentManagedConnected() && !app.connecting());
        sendDatagram(primary, QByteArray(12, 'a'));
        QVERIFY(waitUntil([&] { return app.logRxCount() == 12; }, 5000));

        // With a current device, another device's link stays open but is not routed.
        const QString other = app.managedDevices()->appendSerial("ins", {}, "ttyB", 0, false, {});
        const QString mine = addSerial(app, QStringLiteral("ttyA"), 115200);
        QVERIFY(app.connectNamedUdp(other, "UDP", "127.0.0.1", 0, "127.0.0.1", 9));
        QVERIFY(app.connectUdp("127.0.0.1", 0, "127.0.0.1", 9));
        Session* udp = app.sessions()->session(other);
        QVERIFY(udp->isConnected() && app.sessions()->session(mine)->isConnected());
        sendDatagram(udp, QByteArray(100, 'x'));
        sendDatagram(primary, QByteArray(7, 'z')); // the primary link is no device's
        sendDatagram(app.sessions()->session(mine), QByteArray(30, 'y'));
        QVERIFY(waitUntil([&] { return udp->rxBytes() == 100 && primary->rxBytes() == 19; }, 5000));
        QVERIFY(waitUntil([&] { return app.logRxCount() == 42; }, 5000));

        // A link that does not open leaves no session and says why.
        QTcpServer taken;
        QVERIFY(taken.listen(QHostAddress::Any, 0));
        QVERIFY(!app.connectNamedTcp("t", "TCP", taken.serverPort()));
        QVERIFY(!app.lastError().isEmpty() && !app.sessions()->session("t"));
        QVERIFY(!app.connectTcp(70000));
        QCOMPARE(app.lastError(), QStringLiteral("端口号 70000 无效（需在 0～65535 内）"));
    }

    void theCheckPassesAtTheUnitsBaudAndFailsAtAnother()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ "--baud", "230400" }), qPrintable(sim.errorText()));
        // A typed port may hold "%2": every text shows it as typed.
        const QString port = m_rig->filePath(QStringLiteral("tty%2"));
        QVERIFY(QFile::link(sim.port(), port));
        Application app;
        const QString id = addSerial(app, port, 9600);
        QCOMPARE(app.pendingConnectSummary(), port + " @ 9600");

        QVERIFY(app.connectSerial(port, 230400));
        QCOMPARE(app.managedDeviceLinkStatus(id), QStringLiteral("连接中"));
        QCOMPARE(app.contextLinkText(), "正在连接… " + port + " @ 9600");
        QVERIFY(waitUntil([&] { return app.currentManagedConnected(); }, 8000));
        QVERIFY(!app.connecting() && !app.hasPendingConnect()); // the pending one is used up
        QCOMPARE(app.lastError(), QString());
        QCOMPARE(app.connectHint(), "Serial: " + port + " @ 230400");
        // The rate that worked is stored with the device and as the last one.
        QCOMPARE(app.managedDevices()->entryBaud(id), 230400);
        QCOMPARE(QSettings(m_rig->iniPath(), QSettings::IniFormat).value("baud").toInt(), 230400);
        QVERIFY(waitUntil([&] { return app.hub()->quality() == "online"; }, 5000));

        app.disconnectPrimary();
        QCOMPARE(app.hub()->quality(), QStringLiteral("offline"));
        QSignalSpy errors(&app, &Application::lastErrorChanged);
        QVERIFY(app.connectSerial(port + "  simulator", 115200));
        QVERIFY(waitUntil([&] { return !app.connecting(); }, 8000));
        QCOMPARE(app.lastError(), checkFailedText(port, 115200));
        QCOMPARE(errors.count(), 1);
        QCOMPARE(app.managedDevices()->entryBaud(id), 230400); // a failed check stores nothing
        QVERIFY(!app.connectSerial(QStringLiteral("  "), 115200));
        QSerialPort holder(port); // a port another program holds is taken, not silent
        QVERIFY(holder.open(QIODevice::ReadWrite) && app.connectSerial(port, 230400));
        QVERIFY(waitUntil([&] { return !app.connecting(); }, 8000));
        QCOMPARE(app.lastError(),
                 "串口「" + port
                     + QStringLiteral("」已被占用，无法检测设备，请关闭占用该串口的程序后重试"));
    }

    void aCheckOvertakenByAnotherDeviceADisconnectOrANewerConnectIsDropped()
    {
        SimProcess first, second;
        QVERIFY2(first.start() && second.start(), qPrintable(first.errorText()));
        Application app;
        const QString a = addSerial(app, first.port(), 115200);
        const QString b = addSerial(app, second.port(), 115200);
        app.selectManagedDevice(a);
        QVERIFY(app.connectCurrentManaged());
        app.selectManagedDevice(b); // while the check of a still runs
        m_rig->settleProbes();
        QVERIFY(app.sessions()->sessions().isEmpty() && !app.connecting());
        QCOMPARE(app.lastError(), QString());

        QVERIFY(app.connectCurrentManaged());
        app.disconnectPrimary();
        QVERIFY(!app.connecting());
        m_rig->settleProbes();
        QVERIFY(app.sessions()->sessions().isEmpty());

        // Only the newest of two checks acts: the older (failing) one says nothing.
        QVERIFY(app.connectSerial(QStringLiteral("/nonexistent/ttyOld"), 115200));
        QVERIFY(app.connectSerial(second.port(), 115200));
        QVERIFY(waitUntil([&] { return app.currentManagedConnected(); }, 8000));
        m_rig->settleProbes();
        QCOMPARE(app.lastError(), QString());
    }

    void aConnectWaitsForTheOtherProbesOfItsPortOrEndsThem_data()
    {
        QTest::addColumn<QString>("first"); // holds the port when "连接" is clicked
        QTest::addColumn<QString>("hint");
        QTest::newRow("a check at the same rate, joined") << "check" << QString();
        QTest::newRow("a check at another rate, ended") << "9600" << QString();
        QTest::newRow("a detection the dialog left, ended") << "detection" << QString("检测已停止");
        QTest::newRow("a search, waited for")
            << "search" << QString("已识别 AX-7300 组合导航系统 · ");
    }
    void aConnectWaitsForTheOtherProbesOfItsPortOrEndsThem()
    {
        QFETCH(QString, first);
        QFETCH(QString, hint);
        // This unit answers only the second identification command: its check holds the
        // port for more than half a second.
        SimProcess sim;
        QVERIFY2(sim.start({ "--stream", "off", "--answer", "info-only" }), "telvo-sim");
        const QString port = m_rig->filePath(QStringLiteral("tty%1")); // shown as it is
        QVERIFY(QFile::link(sim.port(), port));
        Application app;
        addSerial(app, port, 115200);
        if (first == "detection")
            app.beginDetectPort(port, 9600);
        else if (first == "search")
            app.autoSearchDevices(); // the device's port first
        else
            QVERIFY(app.connectSerial(port, first == "check" ? 115200 : 9600));
        QTest::qWait(150);
        QVERIFY(app.connectCurrentManaged()); // "连接"
        QVERIFY(app.connectSerial(port, 0)); // no rate: the factory rate, being checked
        QVERIFY(waitUntil([&] { return app.currentManagedConnected(); }, 20000));
        m_rig->settleProbes();
        QVERIFY(app.currentManagedConnected());
        QCOMPARE(app.lastError(), QString());
        QCOMPARE(app.serialBaud(), 115200);
        hint += first == "search" ? port + " @ 115200" : QString();
        QCOMPARE(app.detectHint().left(hint.size()), hint);
    }

    void anUnpluggedUnitIsAwaitedAndComesBackByItself()
    {
        SimProcess& sim = m_rig->sim();
        QVERIFY2(sim.start({ "--replug-after", "2" }), qPrintable(sim.errorText()));
        Application& app = m_rig->app();
        QVERIFY2(m_rig->connectManaged(), qPrintable(app.lastError()));
        const QString id = app.managedDevices()->currentId();
        QStringList shown;
        QObject scope; // the rig's controller outlives this function
        connect(&app, &Application::lastErrorChanged, &scope, [&] {
            if (!app.lastError().isEmpty())
                shown << app.lastError();
        });
        connect(&app, &Application::userNoticeChanged, &scope, [&] { shown << app.userNotice(); });

        QVERIFY(unplug(sim));
        QVERIFY(
            waitUntil([&] { return app.reconnecting() && !app.currentManagedConnected(); }, 5000));
        QCOMPARE(shown, QStringList { QStringLiteral("设备连接已断开，正在等待重新连接…") });
        QCOMPARE(app.managedDeviceLinkStatus(id), QStringLiteral("连接中"));
        QCOMPARE(app.contextLinkText(), "等待重新连接… " + sim.port() + " @ 115200");
        QCOMPARE(app.hub()->quality(), QStringLiteral("offline"));

        QVERIFY(waitUntil([&] { return app.hub()->quality() == "online"; }, 15000));
        QVERIFY(!app.reconnecting());
        // Failed attempts while the unit was away said nothing.
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.last(), QStringLiteral("设备已重新连接"));
    }

    void theWaitForALostLinkEnds_data()
    {
        QTest::addColumn<QString>("how");
        for (const char* how :
             { "disconnect", "enter another", "remove", "setting off", "setting off before" })
            QTest::newRow(how) << QString::fromLatin1(how);
    }
    void theWaitForALostLinkEnds()
    {
        QFETCH(QString, how);
        SimProcess& sim = m_rig->sim();
        QVERIFY2(sim.start({ "--replug-after", "1" }), qPrintable(sim.errorText()));
        Application& app = m_rig->app();
        const QString other = app.managedDevices()->appendSerial("ins", {}, "ttyB", 0, false, {});
        QVERIFY2(m_rig->connectManaged(), qPrintable(app.lastError()));
        const QString id = app.managedDevices()->currentId();
        app.settings()->setAutoReconnect(how != "setting off before");
        QVERIFY(unplug(sim));
        QVERIFY(waitUntil([&] { return !app.currentManagedConnected(); }, 5000));
        QCOMPARE(app.reconnecting(), how != "setting off before");
        QVERIFY(!app.lastError().isEmpty()); // without the wait, the port's own text
        if (how == "disconnect")
            app.disconnectPrimary();
        else if (how == "enter another")
            QVERIFY(app.enterManagedDevice(other));
        else if (how == "remove")
            app.removeManagedDevice(id);
        else if (how == "setting off")
            app.settings()->setAutoReconnect(false);
        QVERIFY(!app.reconnecting());
        QVERIFY(waitUntil([&] { return QFileInfo::exists(sim.port()); }, 10000));
        QTest::qWait(2500); // two turns of the wait, had it gone on
        QVERIFY(!app.managedDeviceOnline(id) && !app.reconnecting());
    }

    void whatCannotBeManagedIsRefusedWithItsReason()
    {
        Application app;
        QVERIFY(!app.stageManualSerialConnect("gnss", {}, "COM3", 115200));
        QCOMPARE(app.lastError(), QStringLiteral("该产品不支持串口连接（与老版上位机能力一致）"));
        QVERIFY(!app.stageManualSerialConnect("ins", {}, "  ", 115200));
        QCOMPARE(app.lastError(), QStringLiteral("请选择串口，或点击「刷新端口」后重试"));
        const QString id = addSerial(app, QStringLiteral("COM3  USB-SERIAL"), 9600);
        QVERIFY(!app.stageManualSerialConnect("ins", {}, " COM3 other", 115200));
        QCOMPARE(app.lastError(),
                 QStringLiteral(
                     "串口 COM3 已被纳管设备占用，请选择其他串口；如需修改请用该设备的「编辑」"));
        QVERIFY(app.stageManualSerialConnect("ins", {}, "COM4", 9600));
        QVERIFY(!app.updateManagedSerial(id, {}, "COM4", 9600));
        QCOMPARE(app.lastError(),
                 QStringLiteral("无法保存：串口为空，或相同串口已被其他纳管设备占用"));
        QVERIFY(!app.updateManagedSerial("gone", {}, "COM5", 9600));
        QCOMPARE(app.lastError(), QStringLiteral("设备不存在或已移除"));
        // The INS product takes serial links only.
        QVERIFY(!app.stageManualUdp("ins", {}, {}, 0, "10.0.0.2", 9001));
        QCOMPARE(app.lastError(), QStringLiteral("该产品不支持 UDP 连接（与老版上位机能力一致）"));
        QVERIFY(!app.stageManualTcp("ins", {}, 8000));
        QCOMPARE(app.lastError(), QStringLiteral("该产品不支持 TCP 连接（与老版上位机能力一致）"));
        QVERIFY(!app.updateManagedUdp("gone", {}, {}, 0, "10.0.0.2", 9001)
                && !app.updateManagedTcp("gone", {}, 8000));
        QCOMPARE(app.lastError(), QStringLiteral("设备不存在或已移除"));
        // Editing another device leaves the current one's pending connection alone.
        QVERIFY(app.updateManagedSerial(id, {}, "COM5", 9600, "kt60"));
        QCOMPARE(app.pendingConnectSummary(), QStringLiteral("COM4 @ 9600"));
        QSettings ini(m_rig->iniPath(), QSettings::IniFormat);
        ini.setValue("managedDevices",
                     R"([{"id":"x","productId":"ins","kind":"serial","port":""}])");
        ini.setValue("currentManagedDeviceId", "x");
        ini.sync();
        Application portless;
        QVERIFY(!portless.canConnectCurrent() && !portless.connectCurrentManaged());
        QCOMPARE(portless.lastError(),
                 QStringLiteral("当前设备未配置串口，请点顶栏「添加」重新选择端口"));
    }

    // Network entries (the list takes them, though the INS product's dialog offers serial
    // links only) connect with their stored values; an edit is checked against the other
    // entries and drops the link it changed.
    void networkEntriesConnectWithTheirStoredValues()
    {
        Application app;
        gcs::ManagedDevices* list = app.managedDevices();
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        const quint16 port = probe.serverPort();
        probe.close();
        const QString other = list->appendNetTcp("ins", {}, port + 1, false);
        const QString tcp = list->appendNetTcp("ins", {}, port, true);
        QVERIFY(app.canConnectCurrent() && app.connectCurrentManaged());
        QTcpSocket peer;
        peer.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(peer.waitForConnected(5000));
        peer.write(QByteArray(20, 't'));
        QVERIFY(waitUntil([&] { return app.logRxCount() == 20; }, 5000));
        QVERIFY(!app.updateManagedTcp(other, {}, port));
        QCOMPARE(app.lastError(),
                 QStringLiteral("无法保存：相同 TCP 监听端口已被其他纳管设备占用"));

        const QString udp = list->appendNetUdp("ins", {}, {}, 0, "127.0.0.1", 9, true);
        QVERIFY(app.canConnectCurrent() && app.connectCurrentManaged());
        Session* session = app.currentManagedSession();
        QVERIFY(session && session->isConnected() && app.sessions()->session(tcp));
        sendDatagram(session, QByteArray(5, 'u'));
        QVERIFY(waitUntil([&] { return app.logRxCount() == 25; }, 5000));
        QVERIFY(!app.updateManagedUdp(udp, {}, {}, 0, " ", 9));
        QCOMPARE(app.lastError(),
                 QStringLiteral("无法保存：远端地址无效，或相同 UDP 连接已被其他纳管设备占用"));
        QVERIFY(app.updateManagedUdp(udp, QStringLiteral("台架"), {}, 0, "127.0.0.2", 9));
        QVERIFY(app.lastError().isEmpty() && !app.currentManagedConnected());
        QCOMPARE(list->entryLocalIp(udp) + ' ' + list->entryRemoteIp(udp), "0.0.0.0 127.0.0.2");
        QVERIFY(app.updateManagedTcp(tcp, {}, port + 2));
        QVERIFY(!app.sessions()->session(tcp)->isConnected());
    }

    void enteringADeviceConnectsOnTheNextTurnButNotTwice()
    {
        SimProcess sim;
        QVERIFY2(sim.start(), qPrintable(sim.errorText()));
        Application app;
        const QString a = addSerial(app, sim.port(), 115200);
        const QString b = addSerial(app, QStringLiteral("/nonexistent/ttyB"), 115200);
        QVERIFY(!app.enterManagedDevice(QStringLiteral("no-such-id")));
        QVERIFY(app.enterManagedDevice(a));
        QVERIFY(!app.connecting()); // nothing started yet
        QVERIFY(waitUntil([&] { return app.currentManagedConnected(); }, 8000));
        Session* session = app.currentManagedSession();
        QVERIFY(app.enterManagedDevice(a));
        QTest::qWait(100);
        QCOMPARE(app.currentManagedSession(), session); // not reconnected

        // Entering another device closes this one's link first.
        QVERIFY(app.enterManagedDevice(b));
        QVERIFY(!session->isConnected());
        QVERIFY(waitUntil([&] { return app.connecting(); }, 1000));
        QVERIFY(waitUntil([&] { return !app.connecting(); }, 8000));
        QCOMPARE(app.lastError(), checkFailedText(QStringLiteral("/nonexistent/ttyB"), 115200));
    }

    void removingDevicesDisconnectsThemAndPersists()
    {
        QVERIFY2(m_rig->sim().start(), qPrintable(m_rig->sim().errorText()));
        Application& app = m_rig->app();
        const QString other
            = app.managedDevices()->appendSerial("ins", {}, "ttyB", 9600, false, {});
        QVERIFY2(m_rig->connectManaged(), qPrintable(app.lastError()));
        const QString id = app.managedDevices()->currentId();
        // A transfer on the link being removed ends first, and lets go of the link.
        QVERIFY(gcs::test::writeFileBytes(m_rig->filePath("fw.bin"), QByteArray(2000, 'z')));
        QVERIFY(app.ymodem()->startSend(m_rig->filePath("fw.bin")));
        QSignalSpy finished(app.ymodem(), &gcs::YModem::finished);
        app.removeManagedDevice(id);
        QVERIFY(!app.ymodem()->busy() && finished.count() == 1);
        QTest::qWait(100); // the engine's poll timer finds no deleted link
        QVERIFY(app.sessions()->sessions().isEmpty()); // closed, then deleted with its link
        QCOMPARE(app.pendingConnectSummary(), QStringLiteral("ttyB @ 9600"));
        QSettings ini(m_rig->iniPath(), QSettings::IniFormat);
        QCOMPARE(QJsonDocument::fromJson(ini.value("managedDevices").toByteArray()).array().size(),
                 1);
        QCOMPARE(ini.value(QStringLiteral("currentManagedDeviceId")).toString(), other);

        app.settings()->setDeviceAlias(QStringLiteral("台架"));
        app.removeManagedDevice(other);
        QVERIFY(app.deviceAlias().isEmpty() && !app.hasPendingConnect());
        QSettings after(m_rig->iniPath(), QSettings::IniFormat);
        QVERIFY(after.value("port").toString().isEmpty()
                && after.value("deviceAlias").toString().isEmpty());
        // The port is free again: the unit can be taken and connected once more.
        QVERIFY2(m_rig->connectManaged(), qPrintable(app.lastError()));
    }
};

QTEST_GUILESS_MAIN(TestAppConnection)
#include "tst_appconnection.moc"
