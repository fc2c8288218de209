// Firmware upgrades through the controller, against the simulator's boot loader: the file
// dialog seam, the controller's texts, the device's bytes going to engine and log only, the
// rate coming back, and what leaving the device does to a running transfer. The
// procedure's own cases are covered with UpgradeFlow directly.
#include "app/Application.h"
#include "catalog/ManagedDevices.h"
#include "link/Session.h"
#include "link/SessionManager.h"
#include "upgrade/YModem.h"

#include "AppRig.h"

#include <QSignalSpy>
#include <QTest>

#include <csignal>
#include <memory>

using namespace gcs;
using namespace gcs::test;

class TestAppUpgrade : public QObject
{
    Q_OBJECT

    std::unique_ptr<AppRig> m_rig;
    Application* m_app = nullptr;

    bool connectTo(int baud, const QStringList& simArgs = {})
    {
        // Silent until asked: no frame of the old firmware meets the reopened port as noise.
        return m_rig->sim().start(
                   simArgs + QStringList { "--baud", QString::number(baud), "--stream", "off" })
            && m_rig->connectManaged(baud)
            // An answer shows that the unit has seen the line's rate: it understands commands.
            && m_app->sendRaw("#vorn,get softver*ff", false)
            && waitUntil([&] { return m_app->logRxCount() > 0; }, 3000);
    }
    QString firmware(const QString& name, const QByteArray& version, qsizetype size = 60000)
    {
        QByteArray image(size, '\0');
        for (qsizetype i = 0; i < image.size(); ++i)
            image[i] = char((i * 7 + 3) & 0xff);
        image.replace(30000, version.size() + 9, "SOFTVER=" + version + '\0');
        return writeFileBytes(m_rig->filePath(name), image) ? m_rig->filePath(name) : QString();
    }

private slots:
    void init()
    {
        m_rig = std::make_unique<AppRig>();
        m_app = &m_rig->app();
    }
    void cleanup() { m_rig.reset(); }

    void upgradeFromThePickedFileRestoresTheRate()
    {
        QVERIFY(connectTo(9600, { "--image-out", m_rig->filePath("got.bin") }));
        const QString path = firmware("kt45_v3.bin", "V3.0.1");
        QStringList asked;
        m_app->setFileChooser([&](FileDialogs::Kind, const QString& title, const QString& filter) {
            asked << title << filter;
            return path;
        });
        QVERIFY(m_app->chooseUpgradeFile());
        QCOMPARE(asked, (QStringList { "选择固件", "烧录文件 (*.bin);;All (*.*)" }));
        QCOMPARE(m_app->upgradeFileName(), QStringLiteral("kt45_v3.bin"));
        QCOMPARE(m_app->userNotice(), QStringLiteral("已选择 kt45_v3.bin，选好后再点复位并烧写"));

        const qint64 logBefore = m_app->logRxCount();
        const qint64 rxBefore = m_app->currentManagedSession()->rxBytes();
        QVERIFY(m_app->startPickedUpgrade());
        QCOMPARE(m_app->lastError(), QString());
        QCOMPARE(m_app->userNotice(),
                 QStringLiteral("已复位并在 115200 重开串口，20 秒内等待进入升级模式"));
        QCOMPARE(m_app->serialBaud(), 115200);
        // Nothing is sent beside the transfer while it runs.
        QVERIFY(!m_app->sendRaw(QStringLiteral("#vorn,get softver*ff"), false));
        QCOMPARE(m_app->lastError(), QStringLiteral("固件升级进行中"));

        QVERIFY2(waitUntil([&] { return !m_app->ymodem()->busy(); }, 30000),
                 qPrintable(m_app->ymodem()->statusText()));
        QCOMPARE(m_app->lastError(), QString());
        QCOMPARE(m_app->userNotice(), QStringLiteral("文件发送成功"));
        QTRY_COMPARE_WITH_TIMEOUT(m_app->serialBaud(), 9600, 20000);
        QVERIFY(m_app->currentManagedConnected());
        // The boot loader's answers are in the communication log as they are in RX.
        QCOMPARE(m_app->logRxCount() - logBefore,
                 m_app->currentManagedSession()->rxBytes() - rxBefore);
        QTRY_COMPARE_WITH_TIMEOUT(readFileBytes(m_rig->filePath("got.bin")), readFileBytes(path),
                                  3000);
    }

    void leavingTheDeviceCancelsItsTransfer_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("断开") << "disconnect";
        QTest::newRow("entering another device") << "enter";
        QTest::newRow("removing the device") << "remove";
        QTest::newRow("clicking another device's card") << "select";
        QTest::newRow("removing another device: the transfer goes on") << "remove other";
    }
    void leavingTheDeviceCancelsItsTransfer()
    {
        QFETCH(QString, how);
        QVERIFY(connectTo(9600));
        const QString id = m_app->managedDevices()->currentId();
        const QString other = m_app->managedDevices()->appendSerial(
            "ins", "other", m_rig->filePath("no-such-tty"), 9600, false, QString());
        Session* session = m_app->currentManagedSession();
        QVERIFY(m_app->startUpgrade(firmware("cut.bin", "V5", 400 * 1024)));
        QVERIFY(waitUntil([&] { return m_app->ymodem()->progress() > 0; }, 15000));
        QSignalSpy opened(session, &Session::connectedChanged);
        if (how == "disconnect")
            m_app->disconnectPrimary();
        else if (how == "enter")
            m_app->enterManagedDevice(other);
        else if (how == "select")
            m_app->selectManagedDevice(other);
        else
            m_app->removeManagedDevice(how == "remove" ? id : other);
        if (how == "remove other") { // not this transfer's link: it goes on
            QVERIFY(waitUntil([&] { return !m_app->ymodem()->busy(); }, 30000));
            QCOMPARE(m_app->ymodem()->statusText(), QStringLiteral("文件发送成功"));
            return;
        }
        // The transfer ends at once as cancelled, and nothing opens the port again.
        QVERIFY(!m_app->ymodem()->busy());
        QCOMPARE(m_app->ymodem()->statusText(), QStringLiteral("已取消"));
        QTest::qWait(500);
        if (how == "select") { // its link stays open, back at the rate it had
            QVERIFY(session->isConnected());
            QCOMPARE(session->transport()->baudRate(), 9600);
        } else if (how != "remove") {
            QCOMPARE(m_app->sessions()->session(id), session);
            QVERIFY(!session->isConnected());
            QCOMPARE(opened.count(), 1);
        }
        if (how == "disconnect")
            QVERIFY(!m_app->currentManagedConnected());
        QVERIFY(
            waitUntil([&] { return m_rig->sim().standardError().contains("cancelled"); }, 3000));
    }

    void anUnpluggedUnitComesBackAtTheRateTheUserConnectedAt()
    {
        QVERIFY(connectTo(9600, { "--replug-after", "1" }));
        QVERIFY(m_app->startUpgrade(firmware("fw.bin", "V6", 400 * 1024)));
        QVERIFY(waitUntil([&] { return m_app->ymodem()->progress() > 0; }, 15000));
        QCOMPARE(::kill(pid_t(m_rig->sim().processId()), SIGUSR2), 0); // the cable is pulled
        // Its boot loader gives up 10 s after the last block; then it answers at 9600 only.
        QVERIFY(waitUntil([&] { return !m_app->ymodem()->busy(); }, 5000));
        QCOMPARE(m_app->ymodem()->statusText(), QStringLiteral("设备连接已断开，传输中止"));
        QVERIFY(waitUntil([&] { return m_app->currentManagedConnected(); }, 30000));
        QCOMPARE(m_app->serialBaud(), 9600);
    }

    void startsAreRefusedWithTheirTexts()
    {
        QVERIFY(!m_app->startPickedUpgrade());
        QCOMPARE(m_app->lastError(), QStringLiteral("请先连接串口后再升级固件"));
        QVERIFY(!m_app->startUpgradeAfterHardwareReset());
        QCOMPARE(m_app->lastError(), QStringLiteral("请先连接串口后再升级固件"));
        m_app->setFileChooser(
            [](FileDialogs::Kind, const QString&, const QString&) { return QString(); });
        QSignalSpy fileChanged(m_app, &Application::upgradeFileChanged);
        QVERIFY(!m_app->chooseUpgradeFile()); // a cancelled dialog changes nothing
        QCOMPARE(fileChanged.count(), 0);
        QCOMPARE(m_app->userNotice(), QString());
    }
};

QTEST_GUILESS_MAIN(TestAppUpgrade)
#include "tst_appupgrade.moc"
