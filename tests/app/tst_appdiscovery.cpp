// Port detection and automatic search of the controller against simulators on their
// pseudo-terminals, which Linux does not list: each test hands over its own port list.
#include "app/Application.h"
#include "catalog/AppSettings.h"
#include "catalog/ManagedDevices.h"
#include "discovery/SerialPortListing.h"
#include "link/SessionManager.h"

#include "AppRig.h"

#include <QSerialPort>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

using gcs::Application;
using gcs::test::SimProcess;
using gcs::test::waitUntil;

namespace {

const char* const kNoMatch = "未匹配到设备响应，请检查接线与电源";
const char* const kMissing = "/nonexistent/ttyNothing";

void usePorts(Application& app, const QStringList& names)
{
    QList<gcs::SerialPortListing> ports;
    for (const QString& name : names)
        ports.append(gcs::SerialPortListing { name, QStringLiteral("Telvo simulator") });
    app.setSerialPortSource([ports]() { return ports; });
}

} // namespace

class TestAppDiscovery : public QObject
{
    Q_OBJECT

    std::unique_ptr<gcs::test::AppRig> m_rig;

private slots:
    void init() { m_rig = std::make_unique<gcs::test::AppRig>(); }
    void cleanup() { m_rig.reset(); }

    void detectionTriesThePreferredPortAndBaudFirstThenTheListedOnes()
    {
        SimProcess listedFirst, preferred;
        QVERIFY2(listedFirst.start({ "--baud", "9600" }), qPrintable(listedFirst.errorText()));
        QVERIFY2(preferred.start({ "--baud", "57600" }), qPrintable(preferred.errorText()));
        // A typed port may hold "%2": the texts show it as typed.
        const QString port = m_rig->filePath(QStringLiteral("tty%2"));
        QVERIFY(QFile::link(preferred.port(), port));
        Application app;
        usePorts(app, { listedFirst.port(), port });
        // 57600 is not in the baud list: only the pending connection names it.
        app.setPendingSerialConnect(port, 57600);
        QCOMPARE(app.detectPort(port + "  Telvo simulator", 0), port + ":57600");
        QCOMPARE(app.detectHint(), "已匹配 " + port + " @ 57600");
        QCOMPARE(app.lastDetectBaud(), 57600);
        // A preferred port that does not open hands over to the list, in its order.
        QCOMPARE(app.detectPort(kMissing, 460800), listedFirst.port() + ":9600");
        usePorts(app, { kMissing });
        QCOMPARE(app.detectPort(kMissing, 0), QString());
        QCOMPARE(app.detectHint(), QString::fromUtf8(kNoMatch));
        QCOMPARE(app.lastDetectBaud(), 9600); // kept from the last match

        // The asynchronous form: one at a time, reported once, on the GUI thread.
        usePorts(app, { kMissing, listedFirst.port() });
        QSignalSpy finished(&app, &Application::detectPortFinished);
        connect(&app, &Application::detectPortFinished, this,
                [&]() { QCOMPARE(QThread::currentThread(), thread()); });
        app.beginDetectPort(listedFirst.port(), 0);
        app.beginDetectPort(kMissing, 9600);
        QVERIFY(finished.wait(10000));
        QTest::qWait(100);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0), (QVariantList { true, listedFirst.port(), 9600 }));
        usePorts(app, { kMissing });
        app.beginDetectPort(QString(), 0);
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.at(1), (QVariantList { false, QString(), 0 }));
    }

    void theAutomaticSearchTakesUpToThreeUnitsUnderManagement()
    {
        SimProcess a, b, c, d;
        QVERIFY(a.start() && b.start({ "--baud", "230400" }) && c.start({ "--baud", "9600" })
                && d.start());
        Application app;
        usePorts(app, { a.port(), b.port(), c.port(), d.port() });
        // The port used last is asked first.
        app.settings()->setLastPort(c.port() + "  Telvo simulator");
        app.setCurrentNav(QStringLiteral("stats"));

        QSignalSpy searching(&app, &Application::searchingChanged);
        QCOMPARE(app.autoSearchDevices(), QString());
        QCOMPARE(app.contextLinkText(), QStringLiteral("正在搜索惯导设备…"));
        QCOMPARE(app.autoSearchDevices(), QStringLiteral("正在搜索惯导设备…"));
        QVERIFY(waitUntil([&] { return !app.searching(); }, 30000));
        QCOMPARE(searching.count(), 2); // the second call started nothing
        QCOMPARE(app.detectHint(),
                 QStringLiteral("已识别 %1 · %2 @ 9600，请在本页点击连接；另发现 %1 %3、%1 %4")
                     .arg(QStringLiteral("AX-7300 组合导航系统"), c.port(), a.port(), b.port()));
        gcs::ManagedDevices* list = app.managedDevices();
        QCOMPARE(list->count(), 3);
        QVERIFY(!list->hasSerialPort(d.port())); // the search stopped after three
        QCOMPARE(app.pendingConnectSummary(), QStringLiteral("%1 @ 9600").arg(c.port()));
        QCOMPARE(app.currentNav(), QStringLiteral("attitude"));
        QCOMPARE(app.sessions()->sessions().size(), 0); // found, not connected

        // A port the open link holds is skipped; finding nothing is a failed search.
        QVERIFY(app.connectCurrentManaged());
        QVERIFY(waitUntil([&] { return app.currentManagedConnected(); }, 8000));
        usePorts(app, { c.port(), kMissing });
        app.autoSearchDevices();
        QVERIFY(waitUntil([&] { return !app.searching(); }, 20000));
        QCOMPARE(app.detectHint(), QStringLiteral("未发现惯导设备"));
        QVERIFY(app.searchFailed() && app.currentManagedConnected());
    }

    void probesStopWhenTheControllerGoes_data()
    {
        QTest::addColumn<QString>("probe");
        QTest::newRow("detection") << "detection";
        QTest::newRow("search") << "search";
        QTest::newRow("check before a connect") << "check";
    }
    void probesStopWhenTheControllerGoes()
    {
        QFETCH(QString, probe);
        // A silent port: every probe of it sits out each of its waits, seconds in all.
        gcs::test::PtyPair pair;
        QVERIFY2(pair.start(), qPrintable(pair.errorText()));
        auto app = std::make_unique<Application>();
        usePorts(*app, { pair.endA() });
        if (probe == "detection")
            app->beginDetectPort(pair.endA(), 0);
        else if (probe == "search")
            app->autoSearchDevices();
        else
            QVERIFY(app->connectSerial(pair.endA(), 115200));
        QTest::qWait(200); // the probe has opened the port
        app.reset();
        // Nothing holds the port once the controller is gone.
        QSerialPort serial(pair.endA());
        QVERIFY(serial.open(QIODevice::ReadWrite));
    }
};

QTEST_GUILESS_MAIN(TestAppDiscovery)
#include "tst_appdiscovery.moc"
