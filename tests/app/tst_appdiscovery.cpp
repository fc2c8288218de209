// Port list, port detection and automatic search of the controller, against simulators
// on their pseudo-terminals. Linux lists no pseudo-terminals as serial ports, so every
// test hands the controller its own port list.
#include "app/Application.h"
#include "catalog/AppSettings.h"
#include "catalog/ManagedDevices.h"
#include "discovery/SerialPortListing.h"
#include "link/SessionManager.h"

#include "TestSupport.h"

#include <QHostAddress>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QThreadPool>

#include <memory>

using gcs::Application;
using gcs::SerialPortListing;
using gcs::test::EnvOverride;
using gcs::test::SimProcess;
using gcs::test::waitUntil;

namespace {

const char* const kNoMatch = "未匹配到设备响应，请检查接线与电源";

QString missingPort()
{
    return QStringLiteral("/nonexistent/ttyNothing");
}

void usePorts(Application& app, const QStringList& names)
{
    QList<SerialPortListing> ports;
    for (const QString& name : names)
        ports.append(SerialPortListing { name, QStringLiteral("Telvo simulator") });
    app.setSerialPortSource([ports]() { return ports; });
}

void settleProbes()
{
    QThreadPool::globalInstance()->waitForDone(20000);
    QTest::qWait(50);
}

} // namespace

class TestAppDiscovery : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<EnvOverride> m_env;

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

    void thePortListShowsNamesWithDescriptionsAndCountsOnRequest()
    {
        Application app;
        // By default the list is the platform's.
        QStringList platform;
        for (const SerialPortListing& port : gcs::platformSerialPorts())
            platform.append(port.displayText());
        QCOMPARE(app.serialPorts(), platform);

        app.setSerialPortSource([]() {
            return QList<SerialPortListing> { { "COM3", "USB-SERIAL CH340" }, { "COM4", "" } };
        });
        QSignalSpy ports(&app, &Application::serialPortsChanged);
        QSignalSpy notices(&app, &Application::userNoticeChanged);
        app.refreshPorts(false);
        QCOMPARE(ports.count(), 1);
        QCOMPARE(notices.count(), 0);
        QCOMPARE(app.serialPorts(), QStringList({ "COM3  USB-SERIAL CH340", "COM4  " }));

        app.refreshPorts(true);
        QCOMPARE(app.userNotice(), QStringLiteral("已刷新串口列表（2 个）"));

        app.setSerialPortSource([]() { return QList<SerialPortListing>(); });
        app.refreshPorts(true);
        QCOMPARE(app.serialPorts(), QStringList());
        QCOMPARE(app.userNotice(), QStringLiteral("已刷新：未发现可用串口"));
        QVERIFY(!app.localIps().isEmpty());
        for (const QString& ip : app.localIps())
            QCOMPARE(QHostAddress(ip).protocol(), QAbstractSocket::IPv4Protocol);
    }

    void detectionTriesThePreferredPortFirstThenTheListedOnes()
    {
        SimProcess listedFirst;
        SimProcess preferred;
        QVERIFY2(listedFirst.start({ "--baud", "9600" }), qPrintable(listedFirst.errorText()));
        QVERIFY2(preferred.start({ "--baud", "460800" }), qPrintable(preferred.errorText()));
        Application app;
        usePorts(app, { listedFirst.port(), preferred.port() });

        QSignalSpy hints(&app, &Application::detectHintChanged);
        QCOMPARE(app.detectPort(preferred.port() + QStringLiteral("  Telvo simulator"), 460800),
                 preferred.port() + QStringLiteral(":460800"));
        QCOMPARE(app.detectHint(), QStringLiteral("已匹配 %1 @ 460800").arg(preferred.port()));
        QCOMPARE(app.lastDetectBaud(), 460800);
        QVERIFY(hints.count() >= 2); // "探测中…", then the outcome

        // A preferred port that does not open hands over to the list, in its order.
        QCOMPARE(app.detectPort(missingPort(), 460800),
                 listedFirst.port() + QStringLiteral(":9600"));
        QCOMPARE(app.lastDetectBaud(), 9600);

        usePorts(app, { missingPort() });
        QCOMPARE(app.detectPort(missingPort(), 0), QString());
        QCOMPARE(app.detectHint(), QString::fromUtf8(kNoMatch));
        QCOMPARE(app.lastDetectBaud(), 9600); // kept from the last match
    }

    void detectionWithoutABaudStartsAtThePendingOne()
    {
        // 57600 is not in the baud list: only the pending connection names it.
        SimProcess sim;
        QVERIFY2(sim.start({ "--baud", "57600" }), qPrintable(sim.errorText()));
        Application app;
        usePorts(app, { sim.port() });
        QCOMPARE(app.detectPort(sim.port(), 0), QString());
        app.setPendingSerialConnect(sim.port(), 57600);
        QCOMPARE(app.detectPort(sim.port(), 0), sim.port() + QStringLiteral(":57600"));
    }

    void asynchronousDetectionReportsOnceOnTheGuiThread()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ "--baud", "230400" }), qPrintable(sim.errorText()));
        Application app;
        usePorts(app, { missingPort(), sim.port() });

        QSignalSpy finished(&app, &Application::detectPortFinished);
        QSignalSpy detecting(&app, &Application::detectingPortChanged);
        bool onGuiThread = false;
        connect(&app, &Application::detectPortFinished, this,
                [&]() { onGuiThread = QThread::currentThread() == thread(); });

        app.beginDetectPort(sim.port(), 0);
        QVERIFY(app.detectingPort());
        QCOMPARE(app.detectHint(), QStringLiteral("正在检测串口与波特率…"));
        app.beginDetectPort(missingPort(), 9600); // one detection at a time
        QVERIFY(finished.wait(10000));
        settleProbes();
        QCOMPARE(finished.count(), 1);
        QVERIFY(onGuiThread);
        QCOMPARE(finished.at(0).at(0).toBool(), true);
        QCOMPARE(finished.at(0).at(1).toString(), sim.port());
        QCOMPARE(finished.at(0).at(2).toInt(), 230400);
        QVERIFY(!app.detectingPort());
        QCOMPARE(detecting.count(), 2);
        QCOMPARE(app.lastDetectBaud(), 230400);
        QCOMPARE(app.detectHint(), QStringLiteral("已匹配 %1 @ 230400").arg(sim.port()));

        usePorts(app, { missingPort() });
        app.beginDetectPort(QString(), 0);
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.count(), 2);
        QCOMPARE(finished.at(1).at(0).toBool(), false);
        QCOMPARE(finished.at(1).at(1).toString(), QString());
        QCOMPARE(finished.at(1).at(2).toInt(), 0);
        QCOMPARE(app.detectHint(), QString::fromUtf8(kNoMatch));
    }

    void theAutomaticSearchTakesUpToThreeUnitsUnderManagement()
    {
        SimProcess a, b, c, d;
        QVERIFY2(a.start(), qPrintable(a.errorText()));
        QVERIFY2(b.start({ "--baud", "230400" }), qPrintable(b.errorText()));
        QVERIFY2(c.start({ "--baud", "9600" }), qPrintable(c.errorText()));
        QVERIFY2(d.start(), qPrintable(d.errorText()));
        Application app;
        usePorts(app, { a.port(), b.port(), c.port(), d.port() });
        // A unit already managed keeps its entry; the port used last is asked first.
        const QString known = app.managedDevices()->appendSerial(
            QStringLiteral("ins"), QStringLiteral("台架"), a.port(), 9600, false, QString());
        app.settings()->setLastPort(c.port() + QStringLiteral("  Telvo simulator"));
        app.setCurrentNav(QStringLiteral("stats"));

        QSignalSpy searching(&app, &Application::searchingChanged);
        QCOMPARE(app.autoSearchDevices(), QString());
        QVERIFY(app.searching());
        QCOMPARE(app.detectHint(), QStringLiteral("正在搜索惯导设备…"));
        QCOMPARE(app.contextLinkText(), QStringLiteral("正在搜索惯导设备…"));
        QCOMPARE(app.autoSearchDevices(), QStringLiteral("正在搜索惯导设备…"));
        QVERIFY(waitUntil([&] { return !app.searching(); }, 20000));
        settleProbes();
        QCOMPARE(searching.count(), 2); // the second call started nothing

        const QString name = QStringLiteral("AX-7300 组合导航系统");
        QCOMPARE(app.detectHint(),
                 QStringLiteral("已识别 %1 · %2 @ 9600，请在本页点击连接；另发现 %1 %3、%1 %4")
                     .arg(name, c.port(), a.port(), b.port()));
        QVERIFY(!app.searchFailed());

        gcs::ManagedDevices* list = app.managedDevices();
        QCOMPARE(list->count(), 3);
        QVERIFY(!list->hasSerialPort(d.port())); // the search stopped after three
        QCOMPARE(list->entryPort(list->currentId()), c.port());
        QCOMPARE(list->entryAlias(known), QStringLiteral("台架"));
        QCOMPARE(list->entryBaud(known), 115200);
        QCOMPARE(app.pendingConnectSummary(), QStringLiteral("%1 @ 9600").arg(c.port()));
        QCOMPARE(app.currentNav(), QStringLiteral("attitude"));
        QCOMPARE(app.sessions()->sessions().size(), 0); // found, not connected
    }

    void aSearchSkipsPortsInUseAndSaysWhenItFindsNothing()
    {
        SimProcess sim;
        QVERIFY2(sim.start(), qPrintable(sim.errorText()));
        Application app;
        QVERIFY(app.stageManualSerialConnect(QStringLiteral("ins"), QString(), sim.port(), 115200));
        QVERIFY(app.connectCurrentManaged());
        QVERIFY(waitUntil([&] { return app.currentManagedConnected(); }, 8000));

        usePorts(app, { sim.port(), missingPort() });
        QVERIFY(!app.searchFailed());
        app.autoSearchDevices();
        QVERIFY(waitUntil([&] { return !app.searching(); }, 20000));
        QCOMPARE(app.detectHint(), QStringLiteral("未发现惯导设备"));
        QVERIFY(app.searchFailed());
        QVERIFY(app.currentManagedConnected()); // the open link was left alone
        QCOMPARE(app.managedDevices()->count(), 1);

        // Any other message ends the failed state.
        app.detectPort(missingPort(), 9600);
        QVERIFY(!app.searchFailed());
    }
};

QTEST_GUILESS_MAIN(TestAppDiscovery)
#include "tst_appdiscovery.moc"
