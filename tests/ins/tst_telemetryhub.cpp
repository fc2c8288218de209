#include "TestSupport.h"

#include "ins/InsLogText.h"
#include "ins/TelemetryHub.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using gcs::TelemetryHub;
using gcs::TelemetrySnapshot;

namespace {

TelemetrySnapshot online(const QVariantMap& fields)
{
    return { 1000, QStringLiteral("online"), fields };
}

} // namespace

/// The telemetry hub: the 50 ms throttle with real timers, the merge rules, going offline,
/// lookups, and the pass-through of snapshots and raw bytes to the recorder.
class TestTelemetryHub : public QObject
{
    Q_OBJECT

private slots:
    // Snapshots at up to 1 kHz reach QML as one change per flush tick at most, none
    // without news; the recorder gets every one (queued, under its registered name) and
    // the raw bytes.
    void publishingIsThrottled()
    {
        TelemetryHub hub;
        QSignalSpy changed(&hub, &TelemetryHub::snapshotChanged);
        QSignalSpy raw(&hub, &TelemetryHub::rawFrame);
        int n = 0, full = 0;
        connect(
            &hub, &TelemetryHub::fullSnapshot, &hub, [&] { ++full; }, Qt::QueuedConnection);
        QTimer source;
        connect(&source, &QTimer::timeout, &hub, [&] {
            hub.publish(online({ { "stream_tier", 1 }, { "count", ++n } }));
        });
        QElapsedTimer clock;
        clock.start();
        source.start(1);
        QTest::qWait(400);
        source.stop();
        QVERIFY(gcs::test::waitUntil(
            [&] { return hub.field("count", 0).toInt() == n && full == n; }, 2000));
        const qint64 changes = changed.count();
        QVERIFY(changes >= 1 && changes <= clock.elapsed() / TelemetryHub::kFlushIntervalMs + 2);
        QTest::qWait(3 * TelemetryHub::kFlushIntervalMs);
        QCOMPARE(changed.count(), changes);
        hub.ingestRaw("\xAA\x55");
        QCOMPARE(raw.value(0).value(0).toByteArray(), QByteArray("\xAA\x55"));
        QCOMPARE(QMetaType::fromName("gcs::TelemetrySnapshot"),
                 QMetaType::fromType<TelemetrySnapshot>());
    }

    // Same format or none: merged, the stored keys survive; another format: they go; a
    // full record replaces everything; the recorder gets them unmerged. Offline is shown
    // at once, and lookups then give the fallback even for a stored value.
    void mergingAndGoingOffline()
    {
        TelemetryHub hub;
        QSignalSpy full(&hub, &TelemetryHub::fullSnapshot);
        QCOMPARE(hub.quality(), QStringLiteral("offline"));
        QStringList shown;
        for (const QVariantMap& fields :
             { QVariantMap {
                   { "stream_tier", 3 }, { "format", "sinsbin" }, { "yaw", 1 }, { "lat", 30 } },
               QVariantMap { { "format", "sinsbin" }, { "yaw", 2 } },
               QVariantMap { { "lon", 120 } },
               QVariantMap { { "format", "imubin" }, { "gx", 0.5 } },
               QVariantMap { { "stream_tier", 1 }, { "format", "imubin" } } }) {
            hub.publish(online(fields));
            shown << gcs::snapshotFieldsText(hub.fields());
            hub.flushUi();
        }
        shown << gcs::snapshotFieldsText(hub.fields());
        QCOMPARE(shown,
                 QStringList({ "", "format=sinsbin lat=30 stream_tier=3 yaw=1",
                               "format=sinsbin lat=30 stream_tier=3 yaw=2",
                               "format=sinsbin lat=30 lon=120 stream_tier=3 yaw=2",
                               "format=imubin gx=0.5", "format=imubin stream_tier=1" }));
        QCOMPARE(full.value(1).value(0).value<TelemetrySnapshot>().fields.size(), 2);
        QCOMPARE(hub.field("nothing", "none").toString(), QStringLiteral("none"));
        QSignalSpy changed(&hub, &TelemetryHub::snapshotChanged);
        hub.markOffline();
        QVERIFY(changed.count() == 1 && !hub.hasFix() && hub.fields().isEmpty());
        QCOMPARE(full.last().value(0).value<TelemetrySnapshot>().quality,
                 QStringLiteral("offline"));
        hub.publish({ 0, QStringLiteral("offline"), { { "yaw", 3.0 } } });
        QCOMPARE(hub.fields().value("yaw").toDouble() + hub.field("yaw", -1).toInt(), 3.0 - 1);
    }
};

QTEST_GUILESS_MAIN(TestTelemetryHub)
#include "tst_telemetryhub.moc"
