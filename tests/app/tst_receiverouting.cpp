// The rule for which received chunks reach the telemetry or a running transfer; the
// common cases run end to end in tst_appconnection.
#include "app/ReceiveRouting.h"

#include <QTest>

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
        const auto row = [](const char* tag, const char* from, bool busy, const char* id,
                            const char* session, Route route) {
            QTest::newRow(tag) << QString(from) << busy << QString(id) << QString(session) << route;
        };
        // The primary session is the oldest, whatever its id; only "primary" is routed.
        row("no device, oldest is named", "bench", false, "", "bench", Route::Drop);
        row("transfer, current", "dev-a", true, "dev-a", "dev-a", Route::Upgrade);
        row("transfer, other", "dev-b", true, "dev-a", "dev-a", Route::Drop);
        row("transfer, no session", "dev-a", true, "dev-a", "", Route::Drop);
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
};

QTEST_GUILESS_MAIN(TestReceiveRouting)
#include "tst_receiverouting.moc"
