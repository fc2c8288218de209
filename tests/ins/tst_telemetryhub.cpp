#include "InsTestStreams.h"
#include "TestSupport.h"

#include "ins/InsBridge.h"
#include "ins/TelemetryHub.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace gcs::test;
using gcs::TelemetryHub;
using gcs::TelemetrySnapshot;

namespace {

TelemetrySnapshot online(const QVariantMap& fields)
{
    return { 1000, QStringLiteral("online"), fields };
}

} // namespace

/// The telemetry hub: the 50 ms throttle with real timers, the merge rules, going offline,
/// lookups, and the pass-through to the recorder.
class TestTelemetryHub : public QObject
{
    Q_OBJECT

private slots:
    // Frames at up to 1 kHz reach QML as one change per flush tick at most; the recorder
    // sees every snapshot.
    void publishingIsThrottled()
    {
        TelemetryHub hub;
        QCOMPARE(hub.quality(), QStringLiteral("offline"));
        QSignalSpy changed(&hub, &TelemetryHub::snapshotChanged);
        QSignalSpy full(&hub, &TelemetryHub::fullSnapshot);
        QTimer source;
        int n = 0;
        connect(&source, &QTimer::timeout, &hub, [&] {
            hub.publish(online({ { "stream_tier", 1 }, { "count", ++n } }));
        });
        QElapsedTimer clock;
        clock.start();
        source.start(1);
        QTest::qWait(400);
        source.stop();
        QVERIFY(waitUntil([&] { return hub.field("count", 0).toInt() == n; }, 2000));
        const int changes = changed.count();
        QVERIFY2(changes >= 1 && changes <= clock.elapsed() / TelemetryHub::kFlushIntervalMs + 2,
                 qPrintable(QStringLiteral("%1 changes for %2 publishes").arg(changes).arg(n)));
        QTest::qWait(3 * TelemetryHub::kFlushIntervalMs);
        QCOMPARE(changed.count(), changes); // later ticks with nothing new stay quiet
        QCOMPARE(full.count(), n);
    }

    // Offline is shown at once, with no keys; lookups then give the fallback, even for a
    // stored value.
    void markOfflineIsShownAtOnce()
    {
        TelemetryHub hub;
        hub.publish(online({ { "stream_tier", 3 }, { "yaw", 45.0 } }));
        hub.flushUi();
        QVERIFY(hub.hasFix());
        QSignalSpy changed(&hub, &TelemetryHub::snapshotChanged);
        QSignalSpy full(&hub, &TelemetryHub::fullSnapshot);
        hub.markOffline();
        QCOMPARE(changed.count(), 1);
        QVERIFY(!hub.hasFix() && hub.fields().isEmpty());
        QCOMPARE(hub.field("yaw", 0), QVariant(0));
        const TelemetrySnapshot s = full.at(0).at(0).value<TelemetrySnapshot>();
        QCOMPARE(s.quality + QString::number(s.ts), QStringLiteral("offline0"));
        hub.publish({ 0, QStringLiteral("offline"), { { "yaw", 3.0 } } });
        QCOMPARE(hub.fields().value("yaw").toDouble(), 3.0);
        QCOMPARE(hub.field("yaw", -1).toInt(), -1);
    }

    // Same format or none: merged, the stored keys survive; another format: the stored
    // keys go first; a full record replaces everything. The recorder gets them unmerged.
    void partialSnapshotsMergeByFormat()
    {
        TelemetryHub hub;
        QSignalSpy full(&hub, &TelemetryHub::fullSnapshot);
        hub.publish(online(
            { { "stream_tier", 3 }, { "format", "sinsbin" }, { "yaw", 1.0 }, { "lat", 30.0 } }));
        QVERIFY(hub.fields().isEmpty()); // shown at the next flush
        hub.publish(online({ { "format", "sinsbin" }, { "yaw", 2.0 } }));
        hub.publish(online({ { "lon", 120.0 } }));
        hub.flushUi();
        QCOMPARE(hub.fields(),
                 QVariantMap({ { "stream_tier", 3 },
                               { "format", "sinsbin" },
                               { "yaw", 2.0 },
                               { "lat", 30.0 },
                               { "lon", 120.0 } }));
        QCOMPARE(full.at(1).at(0).value<TelemetrySnapshot>().fields.size(), 2);
        hub.publish(online({ { "format", "imubin" }, { "gx", 0.5 } }));
        hub.flushUi();
        QCOMPARE(hub.fields(), QVariantMap({ { "format", "imubin" }, { "gx", 0.5 } }));
        hub.publish(online({ { "stream_tier", 1 }, { "format", "imubin" } }));
        hub.flushUi();
        QCOMPARE(hub.fields(), QVariantMap({ { "stream_tier", 1 }, { "format", "imubin" } }));
        QCOMPARE(hub.field("nothing", "none").toString(), QStringLiteral("none"));
    }

    // Raw bytes pass through for the recorder; records come from the bridge; the snapshot
    // travels through queued connections under its registered name.
    void bridgeRecordsAndRawBytesReachTheHub()
    {
        const InsStream sins = loadInsStream("sinsbin");
        gcs::InsBridge bridge;
        TelemetryHub hub;
        connect(&bridge, &gcs::InsBridge::snapshotReady, &hub, &TelemetryHub::publish);
        QSignalSpy raw(&hub, &TelemetryHub::rawFrame);
        TelemetrySnapshot queued;
        connect(
            &hub, &TelemetryHub::fullSnapshot, &hub,
            [&](const TelemetrySnapshot& s) { queued = s; }, Qt::QueuedConnection);
        hub.ingestRaw(sins.bytes);
        bridge.feed(sins.bytes);
        QCOMPARE(raw.at(0).at(0).toByteArray(), sins.bytes);
        QVERIFY(waitUntil([&] { return hub.hasFix() && queued.ts > 0; }, 2000));
        QCOMPARE(hub.field("format", "").toString(), QStringLiteral("sinsbin"));
        QCOMPARE(queued.fields.value("utc").toDouble(),
                 sins.records().last().value("utc").toDouble());
        QCOMPARE(QMetaType::fromName("gcs::TelemetrySnapshot"),
                 QMetaType::fromType<TelemetrySnapshot>());
    }
};

QTEST_GUILESS_MAIN(TestTelemetryHub)
#include "tst_telemetryhub.moc"
