// Which received chunks reach what: the routing rule (also while a firmware transfer
// runs, which needs no device to check) and the log's accounting of accepted chunks.
#include "app/ReceiveRouting.h"
#include "console/ConsoleLog.h"

#include <QTest>

using gcs::ConsoleLog;
using Route = gcs::ReceiveRouting::Route;

Q_DECLARE_METATYPE(Route)

class TestReceiveRouting : public QObject
{
    Q_OBJECT
private slots:
    void chunksGoToTheCurrentDeviceOrTheTransfer_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<bool>("busy");
        QTest::addColumn<QString>("currentId");
        QTest::addColumn<QString>("currentSession"); // empty: no current session
        QTest::addColumn<Route>("route");

        QTest::newRow("no device, primary") << "primary" << false << ""
                                            << "primary" << Route::Telemetry;
        QTest::newRow("no device, named link") << "bench" << false << ""
                                               << "primary" << Route::Drop;
        // The primary session is the oldest, whatever its id; only "primary" is routed.
        QTest::newRow("no device, oldest is named") << "bench" << false << ""
                                                    << "bench" << Route::Drop;
        QTest::newRow("current device") << "dev-a" << false << "dev-a"
                                        << "dev-a" << Route::Telemetry;
        QTest::newRow("other device") << "dev-b" << false << "dev-a"
                                      << "dev-a" << Route::Drop;
        QTest::newRow("primary beside a device") << "primary" << false << "dev-a"
                                                 << "dev-a" << Route::Drop;
        QTest::newRow("transfer, current device") << "dev-a" << true << "dev-a"
                                                  << "dev-a" << Route::Upgrade;
        QTest::newRow("transfer, other device") << "dev-b" << true << "dev-a"
                                                << "dev-a" << Route::Drop;
        QTest::newRow("transfer, no current session") << "dev-a" << true << "dev-a"
                                                      << "" << Route::Drop;
        QTest::newRow("transfer on the primary link") << "primary" << true << ""
                                                      << "primary" << Route::Upgrade;
    }
    void chunksGoToTheCurrentDeviceOrTheTransfer()
    {
        QFETCH(QString, from);
        QFETCH(bool, busy);
        QFETCH(QString, currentId);
        QFETCH(QString, currentSession);
        QFETCH(Route, route);
        QCOMPARE(gcs::ReceiveRouting::route(from, busy, currentId, !currentSession.isEmpty(),
                                            currentSession),
                 route);
    }

    void theLogCountsAcceptedBytesAndKeepsTheNewestForTheRawView()
    {
        ConsoleLog log;
        log.takeReceived(QByteArray(100, 'x'), false);
        QCOMPARE(log.rxCount(), 100);
        QCOMPARE(log.pendingRawBytes(), 0); // only the raw view renders bytes

        log.takeReceived(QByteArray(40000, 'a'), true);
        log.takeReceived(QByteArray(), true);
        log.takeReceived(QByteArray(20000, 'b'), true);
        QCOMPARE(log.rxCount(), 60100);
        QCOMPARE(log.pendingRawBytes(), ConsoleLog::kMaxPendingRaw);
        QCOMPARE(log.pendingRawBytes(), 49152);

        log.setPaused(true);
        log.takeReceived(QByteArray(500, 'c'), true);
        QCOMPARE(log.rxCount(), 60100);
        QCOMPARE(log.pendingRawBytes(), 49152);
        log.setPaused(false);

        QString rendered;
        for (;;) {
            const ConsoleLog::Flush batch = log.flushRawBatch(false, QDateTime());
            if (!batch.took)
                break;
            rendered += batch.appended;
        }
        // The newest bytes, nothing taken while paused.
        QVERIFY(rendered.endsWith(QString(29152, 'a') + QString(20000, 'b')));
        QVERIFY(!rendered.contains(QString(29153, 'a')));
        QVERIFY(!rendered.contains(QLatin1Char('c')));
    }
};

QTEST_GUILESS_MAIN(TestReceiveRouting)
#include "tst_receiverouting.moc"
