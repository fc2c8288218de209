#include "app/Application.h"
#include "app/TimeSource.h"
#include "console/ConsoleLog.h"
#include "link/Session.h"

#include "TestSupport.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>

#include <memory>

using gcs::Application;
using gcs::ConsoleLog;
using gcs::test::EnvOverride;
using gcs::test::waitUntil;

namespace {

class FixedTime final : public gcs::TimeSource
{
public:
    qint64 monotonicMs() const override { return 1000; }
    QDateTime localNow() const override { return QDateTime(QDate(2024, 3, 9), QTime(8, 30, 15)); }
};

QByteArray printable(qsizetype count)
{
    QByteArray bytes(count, Qt::Uninitialized);
    for (qsizetype i = 0; i < count; ++i)
        bytes[i] = i % 50 == 49 ? '\n' : char('a' + i % 26);
    return bytes;
}

} // namespace

/// The communication log as QML sees it: which signals tell the view what, on the
/// raw-data page and elsewhere.
class TestAppConsole : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<EnvOverride> m_env;
    std::unique_ptr<Application> m_app;

    bool drained() const { return m_app->consoleLog().pendingRawBytes() == 0; }

    /// A loopback UDP link as the primary session, so that sends have somewhere to go.
    void addPrimaryLink()
    {
        QVERIFY(m_app->connectUdp(QStringLiteral("127.0.0.1"), 0, QStringLiteral("127.0.0.1"), 9));
    }

private slots:
    void init()
    {
        m_home = std::make_unique<QTemporaryDir>();
        m_env = std::make_unique<EnvOverride>("LOCALAPPDATA", m_home->path().toLocal8Bit());
        m_app = std::make_unique<Application>(std::make_unique<FixedTime>());
    }

    void cleanup()
    {
        m_app.reset();
        m_env.reset();
        m_home.reset();
    }

    void rawPageShowsReceivedBytesInBatches()
    {
        m_app->setCurrentNav(QStringLiteral("raw"));
        QVERIFY(m_app->insRawLogViewActive());
        QSignalSpy appended(m_app.get(), &Application::logAppended);
        QSignalSpy changed(m_app.get(), &Application::logChanged);
        const QByteArray data = printable(30000);
        m_app->appendInsRawLog(data.left(10000));
        m_app->appendInsRawLog(data.mid(10000));
        QCOMPARE(m_app->logRxCount(), 30000);
        QVERIFY(waitUntil([this]() { return drained(); }, 3000));
        QVERIFY(waitUntil([&appended]() { return appended.count() >= 5; }, 1000));

        // 30000 bytes come as five batches of at most 6144 bytes, the first after a banner.
        QCOMPARE(appended.count(), 5);
        QString shown;
        for (const QList<QVariant>& args : appended)
            shown += args.at(0).toString();
        QCOMPARE(shown, QStringLiteral("── 08:30:15 接收 ──\n") + QString::fromLatin1(data));
        QCOMPARE(appended.at(1).at(0).toString().size(), ConsoleLog::kBatchBytes);
        QVERIFY(changed.count() >= 5);
        QCOMPARE(m_app->logText(), shown);
    }

    void elsewhereBytesAreOnlyCounted()
    {
        QVERIFY(!m_app->insRawLogViewActive());
        QSignalSpy appended(m_app.get(), &Application::logAppended);
        m_app->appendInsRawLog(printable(5000));
        QCOMPARE(m_app->logRxCount(), 5000);
        QCOMPARE(m_app->consoleLog().pendingRawBytes(), 0);
        QTest::qWait(300);
        QCOMPARE(appended.count(), 0);
        QVERIFY(m_app->logText().isEmpty());

        m_app->setLogPaused(true);
        m_app->appendInsRawLog(printable(100));
        QCOMPARE(m_app->logRxCount(), 5000);
    }

    void leavingTheRawPageRendersOneMoreBatch()
    {
        m_app->setCurrentNav(QStringLiteral("console"));
        QVERIFY(m_app->insRawLogViewActive());
        m_app->appendInsRawLog(printable(100));
        QSignalSpy appended(m_app.get(), &Application::logAppended);
        m_app->setCurrentNav(QStringLiteral("attitude"));
        QCOMPARE(appended.count(), 1);
        QVERIFY(drained());
        // The rendered bytes stay for the next visit.
        m_app->setCurrentNav(QStringLiteral("raw"));
        QVERIFY(m_app->logText().endsWith(QString::fromLatin1(printable(100))));
    }

    void hexSwitchOnTheRawPageReplacesTheView()
    {
        m_app->setCurrentNav(QStringLiteral("raw"));
        m_app->appendInsRawLog("AB");
        QVERIFY(
            waitUntil([this]() { return m_app->logText().endsWith(QStringLiteral("AB")); }, 2000));
        QSignalSpy synced(m_app.get(), &Application::logSynced);
        QSignalSpy hex(m_app.get(), &Application::logHexModeChanged);
        m_app->setLogHexMode(true);
        QCOMPARE(hex.count(), 1);
        QCOMPARE(synced.count(), 1);
        QCOMPARE(synced.at(0).at(0).toString(), QStringLiteral("── 08:30:15 接收 ──\n41 42\n"));
        QCOMPARE(m_app->logText(), synced.at(0).at(0).toString());
        m_app->setLogHexMode(true);
        QCOMPARE(hex.count(), 1);

        // Away from the page the form changes without replacing any view.
        m_app->setCurrentNav(QStringLiteral("attitude"));
        m_app->setLogHexMode(false);
        QCOMPARE(hex.count(), 2);
        QCOMPARE(synced.count(), 1);
        QVERIFY(m_app->logText().endsWith(QStringLiteral("AB")));
    }

    void sendsOnTheRawPageGoToTheViewInTimeOrder()
    {
        addPrimaryLink();
        m_app->setCurrentNav(QStringLiteral("raw"));
        m_app->appendInsRawLog("first");
        QVERIFY(waitUntil([this]() { return drained() && !m_app->logText().isEmpty(); }, 2000));
        QSignalSpy appended(m_app.get(), &Application::logAppended);
        QSignalSpy changed(m_app.get(), &Application::logChanged);
        QVERIFY(m_app->sendRaw(QStringLiteral("#vorn,get com1*ff"), false));
        QCOMPARE(appended.count(), 1);
        QCOMPARE(appended.at(0).at(0).toString(),
                 QStringLiteral("\n── 08:30:15 发送 ──\n#vorn,get com1*ff\n"));
        // On this page the view follows the appended text only.
        QCOMPARE(changed.count(), 0);
        QCOMPARE(m_app->logTxCount(), 19);

        m_app->appendInsRawLog("second");
        QVERIFY(waitUntil([&appended]() { return appended.count() >= 2; }, 2000));
        QCOMPARE(
            m_app->logText(),
            QStringLiteral("── 08:30:15 接收 ──\nfirst\n── 08:30:15 发送 ──\n#vorn,get com1*ff\n"
                           "── 08:30:15 接收 ──\nsecond"));
    }

    void pauseAndClear()
    {
        QSignalSpy paused(m_app.get(), &Application::logPausedChanged);
        m_app->setLogPaused(true);
        m_app->setLogPaused(true);
        QCOMPARE(paused.count(), 1);

        m_app->setCurrentNav(QStringLiteral("raw"));
        m_app->appendInsRawLog("ignored while paused");
        QCOMPARE(m_app->logRxCount(), 0);
        QSignalSpy cleared(m_app.get(), &Application::logViewCleared);
        QSignalSpy changed(m_app.get(), &Application::logChanged);
        m_app->clearLog();
        QCOMPARE(cleared.count(), 1);
        QCOMPARE(changed.count(), 1);
        QVERIFY(m_app->logPaused());
        QCOMPARE(paused.count(), 1);
    }

    void savingTheLog()
    {
        addPrimaryLink();
        QVERIFY(m_app->sendRaw(QStringLiteral("#vorn,get com1*ff"), false));
        QTemporaryDir dir;
        const QString good = dir.filePath(QStringLiteral("log.txt"));
        QVERIFY(m_app->saveLog(good));
        QCOMPARE(QString::fromUtf8(gcs::test::readFileBytes(good)), m_app->logText());

        const QString bad = dir.filePath(QStringLiteral("missing/log.txt"));
        QVERIFY(!m_app->saveLog(bad));
        QVERIFY(m_app->lastError().startsWith(QStringLiteral("无法保存日志：")));
        QVERIFY(m_app->lastError().contains(bad));
    }
};

QTEST_GUILESS_MAIN(TestAppConsole)
#include "tst_appconsole.moc"
