// Connecting for real: the controller against the simulator on its pseudo-terminal,
// socat pairs and loopback sockets. Covers the check before a serial connect, sessions
// and which of them reach the telemetry, and the managed-device operations.
#include "app/Application.h"
#include "catalog/AppSettings.h"
#include "catalog/ManagedDevices.h"
#include "ins/InsBridge.h"
#include "ins/TelemetryHub.h"
#include "link/Session.h"
#include "link/SessionManager.h"
#include "link/TcpTransport.h"
#include "link/UdpTransport.h"
#include "upgrade/YModem.h"

#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QSettings>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <QUdpSocket>

#include <memory>

using gcs::Application;
using gcs::ManagedDevices;
using gcs::Session;
using gcs::test::EnvOverride;
using gcs::test::SimProcess;
using gcs::test::waitUntil;

namespace {

QString checkFailedText(const QString& port, int baud)
{
    return QStringLiteral(
               "「%1 @ %2」通信数据与设备不匹配或未收到有效响应，请核对波特率、接线与纳管型号")
        .arg(port)
        .arg(baud);
}

// Lets every probe still running on the pool finish and its result reach the controller.
void settleProbes()
{
    QThreadPool::globalInstance()->waitForDone(20000);
    QTest::qWait(50);
}

quint16 udpPort(Session* s)
{
    return static_cast<gcs::UdpTransport*>(s->transport())->boundPort();
}

void sendDatagram(quint16 port, const QByteArray& data)
{
    QUdpSocket peer;
    peer.writeDatagram(data, QHostAddress::LocalHost, port);
}

} // namespace

class TestAppConnection : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<EnvOverride> m_env;

    QString iniPath() const { return m_dir->filePath(QStringLiteral("TelvoMonitor/gcs.ini")); }

    // A serial device taken under management and made current.
    static QString addSerial(Application& app, const QString& port, int baud)
    {
        if (!app.stageManualSerialConnect(QStringLiteral("ins"), QString(), port, baud))
            return QString();
        return app.managedDevices()->currentId();
    }

    static bool connectCurrent(Application& app)
    {
        return app.connectCurrentManaged()
            && waitUntil([&] { return app.currentManagedConnected(); }, 8000);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_env = std::make_unique<EnvOverride>("LOCALAPPDATA", m_dir->path().toLocal8Bit());
    }

    void cleanup()
    {
        settleProbes();
        m_env.reset();
        m_dir.reset();
    }

    // ---- sessions and receive routing ----------------------------------------------------

    void withoutDevicesAUdpLinkIsThePrimarySessionAndReplacesTheOthers()
    {
        Application app;
        QVERIFY(app.connectNamedUdp(QStringLiteral("bench"), QStringLiteral("台架"),
                                    QStringLiteral("127.0.0.1"), 0, QStringLiteral("127.0.0.1"),
                                    9));
        QCOMPARE(app.sessions()->sessions().size(), 1);

        QSignalSpy connecting(&app, &Application::connectingChanged);
        QVERIFY(app.connectUdp(QStringLiteral("127.0.0.1"), 0, QStringLiteral("127.0.0.1"), 9));
        QCOMPARE(connecting.count(), 2); // on while opening, off again
        QVERIFY(!app.connecting());
        QCOMPARE(app.sessions()->sessions().size(), 1);
        Session* primary = app.sessions()->session(QStringLiteral("primary"));
        QVERIFY(primary);
        QCOMPARE(primary->label(), QStringLiteral("UDP"));
        QVERIFY(app.currentManagedConnected());
        QCOMPARE(app.connectHint(), primary->description());
        QCOMPARE(app.commandSession(), primary);

        sendDatagram(udpPort(primary), QByteArray(12, 'a'));
        QVERIFY(waitUntil([&] { return app.logRxCount() == 12; }, 5000));

        // A paused log takes nothing in; the session still counts what arrives.
        app.setLogPaused(true);
        sendDatagram(udpPort(primary), QByteArray(30, 'b'));
        QVERIFY(waitUntil([&] { return primary->rxBytes() == 42; }, 5000));
        QCOMPARE(app.logRxCount(), 12);
        app.setLogPaused(false);
        sendDatagram(udpPort(primary), QByteArray(5, 'c'));
        QVERIFY(waitUntil([&] { return app.logRxCount() == 17; }, 5000));

        app.disconnectPrimary();
        QVERIFY(!app.currentManagedConnected());
        QCOMPARE(app.connectHint(), QStringLiteral("未连接"));
        // Closed sessions stay until they are replaced.
        QCOMPARE(app.sessions()->sessions().size(), 1);
    }

    void onlyTheCurrentDevicesLinkReachesTheTelemetry()
    {
        Application app;
        const QString other = app.managedDevices()->appendSerial(
            QStringLiteral("ins"), QString(), QStringLiteral("ttyOTHER"), 0, false, QString());
        const QString mine = addSerial(app, QStringLiteral("ttyMINE"), 115200);
        QVERIFY(!other.isEmpty() && !mine.isEmpty());

        QVERIFY(app.connectNamedUdp(other, QStringLiteral("UDP"), QStringLiteral("127.0.0.1"), 0,
                                    QStringLiteral("127.0.0.1"), 9));
        QVERIFY(app.connectTcp(0));
        Session* tcp = app.sessions()->session(mine);
        Session* udp = app.sessions()->session(other);
        QVERIFY(tcp && udp);
        QCOMPARE(tcp->label(), QStringLiteral("TCP"));
        QVERIFY(udp->isConnected()); // kept open beside the current device's link
        QVERIFY(app.managedDeviceOnline(other));

        sendDatagram(udpPort(udp), QByteArray(100, 'x'));
        QVERIFY(waitUntil([&] { return udp->rxBytes() == 100; }, 5000));
        QCOMPARE(app.logRxCount(), 0);

        QTcpSocket client;
        client.connectToHost(QHostAddress::LocalHost,
                             static_cast<gcs::TcpTransport*>(tcp->transport())->serverPort());
        QVERIFY(client.waitForConnected(5000));
        client.write(QByteArray(12, 'y'));
        QVERIFY(waitUntil([&] { return app.logRxCount() == 12; }, 5000));
        QCOMPARE(tcp->rxBytes(), 12);
    }

    void aLinkThatDoesNotOpenLeavesNoSessionAndSaysWhy()
    {
        Application app;
        QTcpServer taken;
        QVERIFY(taken.listen(QHostAddress::Any, 0));
        QSignalSpy errors(&app, &Application::lastErrorChanged);
        QVERIFY(!app.connectTcp(taken.serverPort()));
        QVERIFY(!app.lastError().isEmpty());
        QVERIFY(errors.count() >= 1);
        QCOMPARE(app.sessions()->sessions().size(), 0);
        QVERIFY(!app.connecting());

        // Port numbers that do not exist are refused before anything is opened.
        QVERIFY(!app.connectTcp(70000));
        QCOMPARE(app.lastError(), QStringLiteral("端口号 70000 无效（需在 0～65535 内）"));
        QVERIFY(!app.connectUdp(QString(), -1, QStringLiteral("127.0.0.1"), 9));
        QCOMPARE(app.lastError(), QStringLiteral("端口号 -1 无效（需在 0～65535 内）"));
        QCOMPARE(app.sessions()->sessions().size(), 0);
    }

    void aTransferInProgressTakesTheCurrentDevicesDataAlone()
    {
        SimProcess sim;
        QVERIFY2(sim.start(), qPrintable(sim.errorText()));
        Application app;
        QVERIFY(!addSerial(app, sim.port(), 115200).isEmpty());
        QVERIFY(connectCurrent(app));
        QVERIFY(waitUntil([&] { return app.logRxCount() > 0; }, 5000));

        const QString image = m_dir->filePath(QStringLiteral("fw.bin"));
        QVERIFY(gcs::test::writeFileBytes(image, QByteArray(2000, '\x5a')));
        QVERIFY(app.ymodem()->startSend(image));
        QVERIFY(app.ymodem()->busy());

        Session* s = app.currentManagedSession();
        const qint64 rxBefore = s->rxBytes();
        const qint64 logBefore = app.logRxCount();
        QVERIFY(waitUntil([&] { return s->rxBytes() > rxBefore + 2000; }, 5000));
        QCOMPARE(app.logRxCount(), logBefore);

        app.ymodem()->cancel();
        QVERIFY(!app.ymodem()->busy());
        QVERIFY(waitUntil([&] { return app.logRxCount() > logBefore; }, 5000));

        // Removing the device during a transfer ends the transfer before its link goes.
        QVERIFY(app.ymodem()->startSend(image));
        app.ymodem()->beginHandshake(5000);
        QSignalSpy finished(app.ymodem(), &gcs::YModem::finished);
        app.removeManagedDevice(app.managedDevices()->currentId());
        QVERIFY(!app.ymodem()->busy());
        QCOMPARE(finished.count(), 1);
        QTest::qWait(100); // the engine's poll timer finds no deleted link
        QCOMPARE(app.sessions()->sessions().size(), 0);
    }

    // ---- the check before a serial connect -----------------------------------------------

    void theCheckPassesAtTheUnitsBaudAndFailsAtAnother()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ "--baud", "230400" }), qPrintable(sim.errorText()));
        Application app;
        const QString id = addSerial(app, sim.port(), 230400);
        QVERIFY(!id.isEmpty());
        QCOMPARE(app.sessions()->sessions().size(), 0); // staging opens nothing
        QVERIFY(app.canConnectCurrent());

        QVERIFY(app.connectCurrentManaged());
        QVERIFY(app.connecting());
        QCOMPARE(app.managedDeviceLinkStatus(id), QStringLiteral("连接中"));
        QCOMPARE(app.contextLinkText(), QStringLiteral("正在连接… %1 @ 230400").arg(sim.port()));
        QVERIFY(waitUntil([&] { return app.currentManagedConnected(); }, 8000));
        QVERIFY(!app.connecting());
        QCOMPARE(app.lastError(), QString());
        QCOMPARE(app.connectHint(), QStringLiteral("Serial: %1 @ 230400").arg(sim.port()));
        QCOMPARE(app.contextLinkText(), app.connectHint());
        QCOMPARE(app.managedDeviceLinkStatus(id), QStringLiteral("已连接"));
        QCOMPARE(app.sessions()->session(id)->label(), QStringLiteral("串口"));
        QVERIFY(app.currentSerialTransport());
        QCOMPARE(app.serialBaud(), 230400);
        QVERIFY(!app.canConnectCurrent());
        QVERIFY(!app.hasPendingConnect()); // used up by the connect
        QCOMPARE(app.settings()->lastPort(), sim.port());
        QCOMPARE(app.settings()->lastBaud(), 230400);
        QVERIFY(waitUntil([&] { return app.logRxCount() > 1000; }, 5000));
        // The frames reach the decoder and the telemetry goes live.
        QVERIFY(waitUntil([&] { return app.ins()->recPackets() > 10; }, 5000));
        QVERIFY(waitUntil([&] { return app.hub()->quality() == "online"; }, 5000));

        app.disconnectPrimary();
        QVERIFY(!app.currentManagedConnected());
        QCOMPARE(app.hub()->quality(), QStringLiteral("offline"));

        QSignalSpy errors(&app, &Application::lastErrorChanged);
        QVERIFY(app.connectSerial(sim.port() + QStringLiteral("  simulator"), 115200));
        QVERIFY(waitUntil([&] { return !app.connecting(); }, 8000));
        QCOMPARE(app.lastError(), checkFailedText(sim.port(), 115200));
        QCOMPARE(errors.count(), 1);
        QVERIFY(!app.currentManagedConnected());
        QCOMPARE(app.managedDeviceLinkStatus(id), QStringLiteral("未连接"));
        QCOMPARE(app.managedDevices()->entryBaud(id), 230400); // a failed check stores nothing

        QVERIFY(!app.connectSerial(QStringLiteral("  "), 115200));
    }

    void aSuccessfulConnectStoresTheBaudThatWorked()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ "--baud", "460800" }), qPrintable(sim.errorText()));
        Application app;
        const QString id = addSerial(app, sim.port(), 9600);
        QVERIFY(app.connectSerial(sim.port(), 460800));
        QVERIFY(waitUntil([&] { return app.currentManagedConnected(); }, 8000));
        QCOMPARE(app.managedDevices()->entryBaud(id), 460800);
        QSettings ini(iniPath(), QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("baud")).toInt(), 460800);
    }

    void aConnectWithoutABaudUsesTheFactoryRate()
    {
        SimProcess sim;
        QVERIFY2(sim.start(), qPrintable(sim.errorText()));
        Application app;
        QVERIFY(app.connectSerial(sim.port(), 0));
        QVERIFY(waitUntil([&] { return app.currentManagedConnected(); }, 8000));
        QCOMPARE(app.connectHint(), QStringLiteral("Serial: %1 @ 115200").arg(sim.port()));
        QCOMPARE(app.settings()->lastBaud(), 115200);
        // Without a managed device the link is the primary session.
        QVERIFY(app.sessions()->session(QStringLiteral("primary")));
    }

    void aCheckThatReturnsAfterAnotherDeviceWasChosenDoesNothing()
    {
        SimProcess first;
        SimProcess second;
        QVERIFY2(first.start(), qPrintable(first.errorText()));
        QVERIFY2(second.start(), qPrintable(second.errorText()));
        Application app;
        const QString a = addSerial(app, first.port(), 115200);
        const QString b = addSerial(app, second.port(), 115200);
        app.selectManagedDevice(a);

        QVERIFY(app.connectCurrentManaged());
        QVERIFY(app.connecting());
        app.selectManagedDevice(b); // while the check of a still runs
        QCOMPARE(app.managedDevices()->currentId(), b);
        QCOMPARE(app.pendingConnectPort(), second.port());
        settleProbes();

        QCOMPARE(app.sessions()->sessions().size(), 0);
        QCOMPARE(app.lastError(), QString());
        QVERIFY(!app.connecting());
        QCOMPARE(app.managedDeviceLinkStatus(a), QStringLiteral("未连接"));
        QCOMPARE(app.managedDeviceLinkStatus(b), QStringLiteral("未连接"));
    }

    void aCheckOvertakenByADisconnectOrANewerConnectIsDropped()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ "--baud", "19200" }), qPrintable(sim.errorText()));
        Application app;
        addSerial(app, sim.port(), 19200);

        QVERIFY(app.connectCurrentManaged());
        app.disconnectPrimary();
        QVERIFY(!app.connecting());
        settleProbes();
        QVERIFY(!app.currentManagedConnected());
        QCOMPARE(app.sessions()->sessions().size(), 0);

        // Only the newest of two checks acts: the older (failing) one says nothing.
        QVERIFY(app.connectSerial(QStringLiteral("/nonexistent/ttyOld"), 19200));
        QVERIFY(app.connectSerial(sim.port(), 19200));
        QVERIFY(waitUntil([&] { return app.currentManagedConnected(); }, 8000));
        settleProbes();
        QVERIFY(app.currentManagedConnected());
        QCOMPARE(app.lastError(), QString());
        QCOMPARE(app.serialBaud(), 19200);
    }

    void unpluggingTheUnitShowsOneErrorAndItConnectsAgainWhenBack()
    {
        SimProcess sim;
        QVERIFY2(sim.start(), qPrintable(sim.errorText()));
        Application app;
        const QString id = addSerial(app, sim.port(), 115200);
        QVERIFY(connectCurrent(app));
        QVERIFY(waitUntil([&] { return app.logRxCount() > 1000; }, 5000));

        QSignalSpy errors(&app, &Application::lastErrorChanged);
        QSignalSpy linkState(&app, &Application::currentManagedConnectedChanged);
        sim.stop();
        QVERIFY(waitUntil([&] { return !app.currentManagedConnected(); }, 5000));
        QTest::qWait(300); // a dead port must not keep reporting
        QCOMPARE(errors.count(), 1);
        QVERIFY(!app.lastError().isEmpty());
        QVERIFY(linkState.count() >= 1);
        QCOMPARE(app.connectHint(), QStringLiteral("未连接"));
        QCOMPARE(app.managedDeviceLinkStatus(id), QStringLiteral("未连接"));
        QVERIFY(app.canConnectCurrent());
        QVERIFY(!app.connecting());
        // No stale values stay on show once the link is gone.
        QCOMPARE(app.hub()->quality(), QStringLiteral("offline"));

        QVERIFY2(sim.start(), qPrintable(sim.errorText()));
        const qint64 before = app.logRxCount();
        QVERIFY(connectCurrent(app));
        QCOMPARE(app.lastError(), QString());
        QCOMPARE(app.sessions()->sessions().size(), 1);
        QVERIFY(waitUntil([&] { return app.logRxCount() > before + 1000; }, 5000));
    }

    // ---- managed devices ------------------------------------------------------------------

    void stagingASerialDeviceRefusesWhatCannotBeManaged()
    {
        Application app;
        QVERIFY(!app.stageManualSerialConnect(QStringLiteral("gnss"), QString(),
                                              QStringLiteral("COM3"), 115200));
        QCOMPARE(app.lastError(), QStringLiteral("该产品不支持串口连接（与老版上位机能力一致）"));
        QVERIFY(!app.stageManualSerialConnect(QStringLiteral("ins"), QString(),
                                              QStringLiteral("  "), 115200));
        QCOMPARE(app.lastError(), QStringLiteral("请选择串口，或点击「刷新端口」后重试"));

        QVERIFY(app.stageManualSerialConnect(QStringLiteral("ins"), QStringLiteral("  主机  "),
                                             QStringLiteral("COM3  USB-SERIAL"), 9600,
                                             QStringLiteral("kt10")));
        QCOMPARE(app.lastError(), QString());
        const QString id = app.managedDevices()->currentId();
        QCOMPARE(app.managedDevices()->entryAlias(id), QStringLiteral("主机"));
        QCOMPARE(app.managedDevices()->entryPort(id), QStringLiteral("COM3"));
        QCOMPARE(app.pendingConnectSummary(), QStringLiteral("COM3 @ 9600"));
        QCOMPARE(app.deviceDisplayName(), QStringLiteral("KT10"));
        QCOMPARE(app.sessions()->sessions().size(), 0);

        QVERIFY(!app.stageManualSerialConnect(QStringLiteral("ins"), QString(),
                                              QStringLiteral(" COM3 other"), 115200));
        QCOMPARE(app.lastError(),
                 QStringLiteral(
                     "串口 COM3 已被纳管设备占用，请选择其他串口；如需修改请用该设备的「编辑」"));
        QCOMPARE(app.managedDevices()->count(), 1);

        // The INS product takes serial links only.
        QVERIFY(!app.stageManualUdp(QStringLiteral("ins"), QString(), QString(), 0,
                                    QStringLiteral("10.0.0.2"), 9001));
        QCOMPARE(app.lastError(), QStringLiteral("该产品不支持 UDP 连接（与老版上位机能力一致）"));
        QVERIFY(!app.stageManualTcp(QStringLiteral("ins"), QString(), 8000));
        QCOMPARE(app.lastError(), QStringLiteral("该产品不支持 TCP 连接（与老版上位机能力一致）"));
        QCOMPARE(app.managedDevices()->count(), 1);
    }

    void enteringADeviceConnectsOnTheNextTurnButNotTwice()
    {
        SimProcess sim;
        QVERIFY2(sim.start(), qPrintable(sim.errorText()));
        Application app;
        const QString a = addSerial(app, sim.port(), 115200);
        const QString b = addSerial(app, QStringLiteral("/nonexistent/ttyB"), 115200);
        QVERIFY(!app.enterManagedDevice(QStringLiteral("no-such-id")));

        app.setError(QStringLiteral("old"));
        QSignalSpy linkChanged(&app, &Application::managedDeviceLinkChanged);
        QVERIFY(app.enterManagedDevice(a));
        QCOMPARE(app.managedDevices()->currentId(), a);
        QCOMPARE(app.lastError(), QString());
        QVERIFY(linkChanged.count() >= 1);
        QVERIFY(!app.connecting()); // nothing started yet
        QVERIFY(waitUntil([&] { return app.connecting(); }, 1000));
        QVERIFY(waitUntil([&] { return app.currentManagedConnected(); }, 8000));

        Session* session = app.currentManagedSession();
        QVERIFY(app.enterManagedDevice(a));
        QTest::qWait(100);
        QVERIFY(!app.connecting());
        QCOMPARE(app.currentManagedSession(), session); // not reconnected

        // Entering the device while its connect is under way lets that connect finish.
        app.disconnectPrimary();
        QVERIFY(app.connectCurrentManaged());
        QVERIFY(app.enterManagedDevice(a));
        QVERIFY(waitUntil([&] { return app.currentManagedConnected(); }, 8000));
        session = app.currentManagedSession();

        // Entering another device closes this one's link first.
        QVERIFY(app.enterManagedDevice(b));
        QVERIFY(!session->isConnected());
        QVERIFY(!app.managedDeviceOnline(a));
        QVERIFY(waitUntil([&] { return app.connecting(); }, 1000));
        QVERIFY(waitUntil([&] { return !app.connecting(); }, 8000));
        QCOMPARE(app.lastError(), checkFailedText(QStringLiteral("/nonexistent/ttyB"), 115200));
    }

    void selectingADeviceOnlySwitchesThePendingConnection()
    {
        SimProcess sim;
        QVERIFY2(sim.start(), qPrintable(sim.errorText()));
        Application app;
        const QString a = addSerial(app, sim.port(), 115200);
        QVERIFY(connectCurrent(app));
        QVERIFY(waitUntil([&] { return app.ins()->recPackets() > 10; }, 5000));
        const QString b = app.managedDevices()->appendSerial(
            QStringLiteral("ins"), QString(), QStringLiteral("ttyB"), 19200, false, QString());

        QSignalSpy hint(&app, &Application::connectHintChanged);
        app.selectManagedDevice(QStringLiteral("no-such-id"));
        app.selectManagedDevice(a);
        QCOMPARE(hint.count(), 0);

        app.selectManagedDevice(b);
        QCOMPARE(app.managedDevices()->currentId(), b);
        QCOMPARE(app.pendingConnectSummary(), QStringLiteral("ttyB @ 19200"));
        QCOMPARE(app.contextLinkText(), QStringLiteral("ttyB @ 19200"));
        QCOMPARE(app.connectHint(), QStringLiteral("未连接"));
        QVERIFY(app.managedDeviceOnline(a)); // left open, not routed
        QCOMPARE(app.commandSession(), nullptr);
        QCOMPARE(app.hub()->quality(), QStringLiteral("offline"));
        const qint64 logged = app.logRxCount();
        const int decoded = app.ins()->recPackets();
        const qint64 received = app.sessions()->session(a)->rxBytes();
        QVERIFY(waitUntil([&] { return app.sessions()->session(a)->rxBytes() > received + 1000; },
                          5000));
        // a still streams, but only the current device reaches log, decoder and telemetry.
        QCOMPARE(app.logRxCount(), logged);
        QCOMPARE(app.ins()->recPackets(), decoded);
        QCOMPARE(app.hub()->quality(), QStringLiteral("offline"));
    }

    void editingADeviceClosesItsLinkAndTakesTheNewPort()
    {
        SimProcess sim;
        QVERIFY2(sim.start(), qPrintable(sim.errorText()));
        Application app;
        const QString other = app.managedDevices()->appendSerial(
            QStringLiteral("ins"), QString(), QStringLiteral("ttyTAKEN"), 0, false, QString());
        const QString id = addSerial(app, sim.port(), 115200);
        QVERIFY(connectCurrent(app));

        QVERIFY(!app.updateManagedSerial(QStringLiteral("gone"), QString(), sim.port(), 9600));
        QCOMPARE(app.lastError(), QStringLiteral("设备不存在或已移除"));
        QVERIFY(!app.updateManagedSerial(id, QString(), QStringLiteral("ttyTAKEN"), 9600));
        QCOMPARE(app.lastError(),
                 QStringLiteral("无法保存：串口为空，或相同串口已被其他纳管设备占用"));
        QVERIFY(app.currentManagedConnected()); // a refused edit changes nothing

        QVERIFY(app.updateManagedSerial(id, QStringLiteral("新名"), QStringLiteral("ttyNEW  desc"),
                                        57600, QStringLiteral("kt60")));
        QCOMPARE(app.lastError(), QString());
        QVERIFY(!app.currentManagedConnected());
        QCOMPARE(app.pendingConnectSummary(), QStringLiteral("ttyNEW @ 57600"));
        QCOMPARE(app.deviceDisplayName(), QStringLiteral("KT60"));
        QSettings ini(iniPath(), QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("port")).toString(), QStringLiteral("ttyNEW"));
        QCOMPARE(ini.value(QStringLiteral("baud")).toInt(), 57600);

        // Editing another device leaves the current one's pending connection alone.
        QVERIFY(app.updateManagedSerial(other, QString(), QStringLiteral("ttyOTHER"), 9600));
        QCOMPARE(app.pendingConnectSummary(), QStringLiteral("ttyNEW @ 57600"));
    }

    void removingTheCurrentConnectedDeviceDisconnectsItAndPersists()
    {
        SimProcess sim;
        QVERIFY2(sim.start(), qPrintable(sim.errorText()));
        Application app;
        const QString other = app.managedDevices()->appendSerial(
            QStringLiteral("ins"), QString(), QStringLiteral("ttyOTHER"), 9600, false, QString());
        const QString id = addSerial(app, sim.port(), 115200);
        QVERIFY(connectCurrent(app));
        QPointer<Session> session = app.currentManagedSession();

        app.removeManagedDevice(QStringLiteral("no-such-id"));
        QCOMPARE(app.managedDevices()->count(), 2);

        app.removeManagedDevice(id);
        QVERIFY(session.isNull()); // closed, then deleted with its link
        QCOMPARE(app.sessions()->sessions().size(), 0);
        QCOMPARE(app.managedDevices()->currentId(), other);
        QCOMPARE(app.pendingConnectSummary(), QStringLiteral("ttyOTHER @ 9600"));
        QVERIFY(!app.currentManagedConnected());

        QSettings ini(iniPath(), QSettings::IniFormat);
        const QJsonArray stored
            = QJsonDocument::fromJson(ini.value(QStringLiteral("managedDevices")).toByteArray())
                  .array();
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored.at(0).toObject().value(QStringLiteral("id")).toString(), other);
        QCOMPARE(ini.value(QStringLiteral("currentManagedDeviceId")).toString(), other);

        // The port is free again: the unit can be probed and taken once more.
        QVERIFY(!addSerial(app, sim.port(), 115200).isEmpty());
        QVERIFY(connectCurrent(app));
    }

    void removingTheLastDeviceClearsTheAliasAndTheStoredPort()
    {
        Application app;
        const QString id = addSerial(app, QStringLiteral("ttyONLY"), 115200);
        app.settings()->setDeviceAlias(QStringLiteral("台架"));
        app.removeManagedDevice(id);
        QCOMPARE(app.managedDevices()->count(), 0);
        QCOMPARE(app.deviceAlias(), QString());
        QVERIFY(!app.hasPendingConnect());
        QCOMPARE(app.currentNav(), QStringLiteral("attitude"));
        QCOMPARE(app.globalStatusText(), QStringLiteral("就绪 · 等待纳管设备"));
        QSettings ini(iniPath(), QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("port")).toString(), QString());
        QCOMPARE(ini.value(QStringLiteral("deviceAlias")).toString(), QString());
    }

    void aSerialDeviceWithoutAPortCannotConnect()
    {
        {
            QSettings ini(iniPath(), QSettings::IniFormat);
            const QJsonObject entry { { "id", "x" },        { "productId", "ins" },
                                      { "kind", "serial" }, { "port", "" },
                                      { "baud", 9600 },     { "deviceModelId", "kt45" } };
            ini.setValue(QStringLiteral("managedDevices"),
                         QJsonDocument(QJsonArray { entry }).toJson(QJsonDocument::Compact));
            ini.setValue(QStringLiteral("currentManagedDeviceId"), QStringLiteral("x"));
        }
        Application app;
        QCOMPARE(app.managedDevices()->currentId(), QStringLiteral("x"));
        QVERIFY(!app.canConnectCurrent());
        QVERIFY(!app.connectCurrentManaged());
        QCOMPARE(app.lastError(),
                 QStringLiteral("当前设备未配置串口，请点顶栏「添加」重新选择端口"));
        QVERIFY(!app.connecting());
    }

    void theSavedDeviceConnectsOnRequestOnly()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ "--baud", "9600" }), qPrintable(sim.errorText()));
        {
            Application first;
            addSerial(first, sim.port(), 9600);
            first.persistManagedState();
        }
        Application app;
        QTest::qWait(100);
        QCOMPARE(app.sessions()->sessions().size(), 0);
        QCOMPARE(app.pendingConnectSummary(), QStringLiteral("%1 @ 9600").arg(sim.port()));
        app.autoConnectSavedDevice();
        QVERIFY(waitUntil([&] { return app.currentManagedConnected(); }, 8000));
        Session* s = app.currentManagedSession();
        app.autoConnectSavedDevice(); // already connected: nothing happens
        QVERIFY(!app.connecting());
        QCOMPARE(app.currentManagedSession(), s);
    }
};

QTEST_GUILESS_MAIN(TestAppConnection)
#include "tst_appconnection.moc"
