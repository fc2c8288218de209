// Firmware upgrades through the controller, against the simulator's boot loader on its
// pseudo-terminal: the file dialog seam, the controller's texts and change signals, the
// routing of the device's bytes to the engine alone, and the rate coming back afterwards.
// The procedure's own cases (faults of the boot loader, lost links) are covered with
// UpgradeFlow directly.
#include "app/Application.h"
#include "catalog/ManagedDevices.h"
#include "link/Session.h"
#include "upgrade/YModem.h"

#include "TestSupport.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <csignal>
#include <memory>

using gcs::Application;
using gcs::Session;
using gcs::test::EnvOverride;
using gcs::test::SimProcess;
using gcs::test::waitUntil;
using gcs::FileDialogs;

namespace {

QString writeFirmware(const QString& path, qsizetype size, const QByteArray& version)
{
    QByteArray image(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        image[i] = char((i * 7 + 3) & 0xff);
    const QByteArray tag = "SOFTVER=" + version + '\0';
    image.replace(size / 2, tag.size(), tag);
    return gcs::test::writeFileBytes(path, image) ? path : QString();
}

} // namespace

class TestAppUpgrade : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<EnvOverride> m_env;
    std::unique_ptr<SimProcess> m_sim;
    std::unique_ptr<Application> m_app;
    QByteArray m_received; ///< what the current session received, engine or not

    bool connectTo(int baud, const QStringList& simArgs = {})
    {
        m_sim = std::make_unique<SimProcess>();
        QStringList args = simArgs;
        args << "--baud" << QString::number(baud);
        if (!m_sim->start(args))
            return false;
        m_app = std::make_unique<Application>();
        if (!m_app->stageManualSerialConnect(QStringLiteral("ins"), QString(), m_sim->port(), baud))
            return false;
        if (!m_app->connectCurrentManaged()
            || !waitUntil([&] { return m_app->currentManagedConnected(); }, 8000))
            return false;
        connect(m_app->currentManagedSession(), &Session::bytesReceived, this,
                [this](const QByteArray& d) { m_received += d; });
        return true;
    }

    QByteArray askVersion()
    {
        m_received.clear();
        if (!m_app->sendRaw(QStringLiteral("#vorn,get softver*ff"), false))
            return QByteArray();
        waitUntil([this] { return m_received.contains("#vorn,softver,"); }, 3000);
        const qsizetype at = m_received.indexOf("#vorn,softver,");
        return at < 0 ? QByteArray() : m_received.mid(at, m_received.indexOf('*', at) - at);
    }

    bool waitForEngine(int ms)
    {
        return waitUntil([this] { return !m_app->ymodem()->busy(); }, ms);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_env = std::make_unique<EnvOverride>("LOCALAPPDATA", m_dir->path().toLocal8Bit());
        m_received.clear();
    }

    void cleanup()
    {
        QThreadPool::globalInstance()->waitForDone(20000);
        m_app.reset();
        m_sim.reset();
        m_env.reset();
        m_dir.reset();
    }

    void upgradeAt9600FromThePickedFileRestoresTheRate()
    {
        QVERIFY(connectTo(9600, { "--image-out", m_dir->filePath("got.bin") }));
        QCOMPARE(m_app->serialBaud(), 9600);
        QCOMPARE(askVersion(), QByteArray("#vorn,softver,V2.1.0"));

        const QString firmware = writeFirmware(m_dir->filePath("kt45_v3.bin"), 60000, "V3.0.1");
        QStringList asked;
        m_app->setFileChooser([&](FileDialogs::Kind, const QString& title, const QString& filter) {
            asked << title << filter;
            return firmware;
        });
        QSignalSpy fileChanged(m_app.get(), &Application::upgradeFileChanged);
        QVERIFY(m_app->chooseUpgradeFile());
        QCOMPARE(asked,
                 (QStringList { QStringLiteral("选择固件"),
                                QStringLiteral("烧录文件 (*.bin);;All (*.*)") }));
        QCOMPARE(fileChanged.count(), 1);
        QVERIFY(m_app->upgradeFileReady());
        QCOMPARE(m_app->upgradeFileName(), QStringLiteral("kt45_v3.bin"));
        QCOMPARE(m_app->userNotice(), QStringLiteral("已选择 kt45_v3.bin，选好后再点复位并烧写"));

        QSignalSpy baudChanged(m_app.get(), &Application::serialBaudChanged);
        QSignalSpy connectedChanged(m_app.get(), &Application::currentManagedConnectedChanged);
        const qint64 logBefore = m_app->logRxCount();
        QVERIFY(m_app->startPickedUpgrade());
        QCOMPARE(m_app->lastError(), QString());
        QCOMPARE(m_app->userNotice(),
                 QStringLiteral("已复位并在 115200 重开串口，20 秒内等待进入升级模式"));
        QCOMPARE(m_app->serialBaud(), 115200);
        QVERIFY(baudChanged.count() >= 1);
        QVERIFY(connectedChanged.count() >= 1);
        QVERIFY(m_app->currentManagedConnected());

        // Nothing is sent beside the transfer while it runs.
        QVERIFY(!m_app->sendRaw(QStringLiteral("#vorn,get softver*ff"), false));
        QCOMPARE(m_app->lastError(), QStringLiteral("固件升级进行中"));

        QVERIFY2(waitForEngine(30000), qPrintable(m_app->ymodem()->statusText()));
        QCOMPARE(m_app->lastError(), QString());
        QCOMPARE(m_app->userNotice(), QStringLiteral("文件发送成功"));
        QCOMPARE(m_app->ymodem()->progress(), 100);
        QCOMPARE(m_app->serialBaud(), 9600);
        QVERIFY(m_app->currentManagedConnected());
        // The boot loader's traffic went to the engine, not to the log.
        QCOMPARE(m_app->logRxCount(), logBefore);
        QTRY_COMPARE_WITH_TIMEOUT(gcs::test::readFileBytes(m_dir->filePath("got.bin")),
                                  gcs::test::readFileBytes(firmware), 3000);
        QTest::qWait(500);
        QCOMPARE(askVersion(), QByteArray("#vorn,softver,V3.0.1"));
    }

    void upgradeAt115200KeepsTheRate()
    {
        QVERIFY(connectTo(115200));
        const QString firmware = writeFirmware(m_dir->filePath("fw.bin"), 5000, "V2.5.0");
        QVERIFY(m_app->startUpgrade(firmware));
        QCOMPARE(m_app->upgradeFileName(), QStringLiteral("fw.bin"));
        QCOMPARE(m_app->userNotice(), QStringLiteral("已复位，115200 下 20 秒内等待进入升级模式"));
        QVERIFY2(waitForEngine(30000), qPrintable(m_app->ymodem()->statusText()));
        QCOMPARE(m_app->userNotice(), QStringLiteral("文件发送成功"));
        QCOMPARE(m_app->serialBaud(), 115200);
        QTest::qWait(500);
        QCOMPARE(askVersion(), QByteArray("#vorn,softver,V2.5.0"));
    }

    void hardwareResetStartWaitsForTheUser()
    {
        QVERIFY(connectTo(19200));
        m_app->setFileChooser([&](FileDialogs::Kind, const QString&, const QString&) {
            return m_dir->filePath("hw.bin");
        });
        QVERIFY(!writeFirmware(m_dir->filePath("hw.bin"), 3000, "V7.0.0").isEmpty());
        QVERIFY(m_app->chooseUpgradeFile());
        QVERIFY(m_app->startUpgradeAfterHardwareReset());
        QCOMPARE(m_app->userNotice(),
                 QStringLiteral("已在 115200 重开串口，请立即硬件复位，20 秒内等待进入升级模式"));
        QCOMPARE(m_app->serialBaud(), 115200);
        QVERIFY(m_app->ymodem()->busy());
        QCOMPARE(::kill(pid_t(m_sim->processId()), SIGUSR1), 0); // the reset key
        QVERIFY2(waitForEngine(30000), qPrintable(m_app->ymodem()->statusText()));
        QCOMPARE(m_app->userNotice(), QStringLiteral("文件发送成功"));
        QCOMPARE(m_app->serialBaud(), 19200);
        QTest::qWait(500);
        QCOMPARE(askVersion(), QByteArray("#vorn,softver,V7.0.0"));
    }

    void cancelWhileWaitingShowsCancelledAndRestores()
    {
        QVERIFY(connectTo(9600, { "--boot-fault", "silent" }));
        QVERIFY(m_app->startUpgrade(writeFirmware(m_dir->filePath("c.bin"), 3000, "V1")));
        QVERIFY(m_app->ymodem()->waitingForC());
        QSignalSpy errors(m_app.get(), &Application::lastErrorChanged);
        m_app->cancelUpgrade();
        QVERIFY(!m_app->ymodem()->busy());
        QCOMPARE(m_app->lastError(), QStringLiteral("已取消"));
        QCOMPARE(errors.count(), 1);
        QCOMPARE(m_app->serialBaud(), 9600);
        QVERIFY(m_app->currentManagedConnected());
        // The link takes commands again.
        QVERIFY2(m_app->sendRaw(QStringLiteral("#vorn,get softver*ff"), false),
                 qPrintable(m_app->lastError()));
    }

    void startsAreRefusedWithTheirTexts()
    {
        m_app = std::make_unique<Application>();
        QVERIFY(!m_app->startUpgrade(QString()));
        QCOMPARE(m_app->lastError(), QStringLiteral("请先连接串口后再升级固件"));
        QVERIFY(!m_app->startPickedUpgrade());
        QCOMPARE(m_app->lastError(), QStringLiteral("请先连接串口后再升级固件"));
        QVERIFY(!m_app->startUpgradeAfterHardwareReset());
        QCOMPARE(m_app->lastError(), QStringLiteral("请先连接串口后再升级固件"));

        // A cancelled dialog changes nothing.
        m_app->setFileChooser(
            [](FileDialogs::Kind, const QString&, const QString&) { return QString(); });
        QSignalSpy fileChanged(m_app.get(), &Application::upgradeFileChanged);
        QVERIFY(!m_app->chooseUpgradeFile());
        QCOMPARE(fileChanged.count(), 0);
        QVERIFY(!m_app->upgradeFileReady());
        QCOMPARE(m_app->userNotice(), QString());
        m_app.reset();

        QVERIFY(connectTo(115200));
        QVERIFY(!m_app->startPickedUpgrade());
        QCOMPARE(m_app->lastError(), QStringLiteral("请先选择固件文件"));
        QVERIFY(!m_app->startUpgrade(m_dir->filePath("missing.bin")));
        QCOMPARE(m_app->lastError(), QStringLiteral("无法开始升级，请确认固件文件可读"));
        QVERIFY(!m_app->ymodem()->busy());
        QCOMPARE(m_app->serialBaud(), 115200);
    }
};

QTEST_GUILESS_MAIN(TestAppUpgrade)
#include "tst_appupgrade.moc"
