// The telemetry hub: the 50 ms throttle with real timers, the merge rules, going offline,
// lookups, and the pass-through to the recorder.
#include "InsTestStreams.h"
#include "TestSupport.h"

#include "ins/InsBridge.h"
#include "ins/TelemetryHub.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using gcs::TelemetryHub;
using gcs::TelemetrySnapshot;
using gcs::test::waitUntil;

namespace {

TelemetrySnapshot online(const QVariantMap& fields, qint64 ts = 1000)
{
    return TelemetrySnapshot { ts, QStringLiteral("online"), fields };
}

} // namespace

class TestTelemetryHub : public QObject
{
    Q_OBJECT

private slots:
    // Frames at up to 1 kHz reach QML as one change per flush tick at most; the recorder
    // sees every snapshot, as published.
    void publishingIsThrottled()
    {
        TelemetryHub hub;
        QCOMPARE(hub.quality(), QStringLiteral("offline"));
        QCOMPARE(hub.field("yaw", 5), QVariant(5));
        QSignalSpy changed(&hub, &TelemetryHub::snapshotChanged);
        QSignalSpy full(&hub, &TelemetryHub::fullSnapshot);
        QTimer source;
        source.setInterval(1);
        int n = 0;
        connect(&source, &QTimer::timeout, &hub, [&] {
            hub.publish(online({ { "stream_tier", 1 }, { "count", ++n } }));
        });
        QElapsedTimer clock;
        clock.start();
        source.start();
        QTest::qWait(400);
        source.stop();
        QVERIFY(waitUntil([&] { return hub.fields().value("count").toInt() == n; }, 2000));
        const int changes = changed.count();
        QVERIFY2(changes >= 1 && changes <= clock.elapsed() / TelemetryHub::kFlushIntervalMs + 2,
                 qPrintable(QStringLiteral("%1 changes for %2 publishes").arg(changes).arg(n)));
        QTest::qWait(3 * TelemetryHub::kFlushIntervalMs);
        QCOMPARE(changed.count(), changes); // later ticks with nothing new stay quiet
        QCOMPARE(full.count(), n);
        QCOMPARE(hub.field("count", 0).toInt(), n);
    }

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
        QVERIFY(!hub.hasFix());
        QVERIFY(hub.fields().isEmpty());
        QCOMPARE(hub.field("yaw", 0), QVariant(0));
        const TelemetrySnapshot s = full.at(0).at(0).value<TelemetrySnapshot>();
        QCOMPARE(s.ts, 0);
        QCOMPARE(s.quality, QStringLiteral("offline"));
        // Offline, lookups give the fallback even for a stored value.
        hub.publish(TelemetrySnapshot { 0, QStringLiteral("offline"), { { "yaw", 3.0 } } });
        QCOMPARE(hub.fields().value("yaw").toDouble(), 3.0);
        QCOMPARE(hub.field("yaw", -1).toInt(), -1);
    }

    void partialSnapshotsMergeByFormat()
    {
        TelemetryHub hub;
        QSignalSpy full(&hub, &TelemetryHub::fullSnapshot);
        hub.publish(online(
            { { "stream_tier", 3 }, { "format", "sinsbin" }, { "yaw", 1.0 }, { "lat", 30.0 } }));
        QVERIFY(hub.fields().isEmpty()); // shown at the next flush
        // Same format: merged, the stored keys it does not carry survive; none: merged too.
        hub.publish(online({ { "format", "sinsbin" }, { "yaw", 2.0 } }, 8));
        hub.publish(online({ { "lon", 120.0 } }));
        hub.flushUi();
        QCOMPARE(hub.fields(),
                 QVariantMap({ { "stream_tier", 3 },
                               { "format", "sinsbin" },
                               { "yaw", 2.0 },
                               { "lat", 30.0 },
                               { "lon", 120.0 } }));
        QCOMPARE(full.at(1).at(0).value<TelemetrySnapshot>().fields.size(), 2); // as published
        // Another format: the stored keys go first. A full record replaces everything.
        hub.publish(online({ { "format", "imubin" }, { "gx", 0.5 } }));
        hub.flushUi();
        QCOMPARE(hub.fields(), QVariantMap({ { "format", "imubin" }, { "gx", 0.5 } }));
        hub.publish(online({ { "stream_tier", 1 }, { "format", "imubin" } }));
        hub.flushUi();
        QCOMPARE(hub.fields(), QVariantMap({ { "stream_tier", 1 }, { "format", "imubin" } }));
        QCOMPARE(hub.field("nothing", "none").toString(), QStringLiteral("none"));
    }

    // Raw bytes pass through for the recorder; records come from the bridge, and the
    // snapshot travels through queued connections.
    void bridgeRecordsAndRawBytesReachTheHub()
    {
        const gcs::test::InsStream sins = gcs::test::loadInsStream(QStringLiteral("sinsbin"));
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
