#include "InsTestStreams.h"
#include "TestSupport.h"

#include "ins/InsBridge.h"
#include "ins/InsLogText.h"
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

QString text(const QVariantMap& fields)
{
    return gcs::snapshotFieldsText(fields);
}

} // namespace

/// The telemetry hub: the 50 ms throttle with real timers, the merge rules, going offline,
/// lookups, and the pass-through of records and raw bytes to the recorder.
class TestTelemetryHub : public QObject
{
    Q_OBJECT

private slots:
    // Frames at up to 1 kHz reach QML as one change per flush tick at most; the recorder
    // gets every snapshot, as published.
    void publishingIsThrottled()
    {
        TelemetryHub hub;
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
        const qint64 changes = changed.count();
        QVERIFY(changes >= 1 && changes <= clock.elapsed() / TelemetryHub::kFlushIntervalMs + 2);
        QTest::qWait(3 * TelemetryHub::kFlushIntervalMs);
        QCOMPARE(changed.count() + full.count(), changes + n); // quiet without news
    }

    // Same format or none: merged, the stored keys survive; another format: they go; a
    // full record replaces everything. Offline is shown at once, and lookups then give
    // the fallback even for a stored value.
    void mergingAndGoingOffline()
    {
        TelemetryHub hub;
        QCOMPARE(hub.quality(), QStringLiteral("offline"));
        hub.publish(online(
            { { "stream_tier", 3 }, { "format", "sinsbin" }, { "yaw", 1.0 }, { "lat", 30.0 } }));
        QVERIFY(hub.fields().isEmpty()); // shown at the next flush
        hub.publish(online({ { "format", "sinsbin" }, { "yaw", 2.0 } }));
        hub.publish(online({ { "lon", 120.0 } }));
        hub.flushUi();
        QCOMPARE(text(hub.fields()), "format=sinsbin lat=30 lon=120 stream_tier=3 yaw=2");
        hub.publish(online({ { "format", "imubin" }, { "gx", 0.5 } }));
        hub.flushUi();
        QCOMPARE(text(hub.fields()), "format=imubin gx=0.5");
        hub.publish(online({ { "stream_tier", 1 }, { "format", "imubin" } }));
        hub.flushUi();
        QCOMPARE(text(hub.fields()), "format=imubin stream_tier=1");
        QCOMPARE(hub.field("nothing", "none").toString(), QStringLiteral("none"));
        QSignalSpy changed(&hub, &TelemetryHub::snapshotChanged);
        hub.markOffline();
        QVERIFY(changed.count() == 1 && !hub.hasFix() && hub.fields().isEmpty());
        hub.publish({ 0, QStringLiteral("offline"), { { "yaw", 3.0 } } });
        QCOMPARE(hub.fields().value("yaw").toDouble() + hub.field("yaw", -1).toInt(), 3.0 - 1);
    }

    // Raw bytes pass through; records come from the bridge; the snapshot travels through
    // queued connections under its registered name.
    void bridgeRecordsAndRawBytesReachTheHub()
    {
        const InsStream sins = loadInsStream("sinsbin");
        gcs::InsBridge bridge;
        TelemetryHub hub;
        connect(&bridge, &gcs::InsBridge::snapshotReady, &hub, &TelemetryHub::publish);
        QSignalSpy raw(&hub, &TelemetryHub::rawFrame);
        QList<TelemetrySnapshot> queued;
        connect(
            &hub, &TelemetryHub::fullSnapshot, &hub,
            [&](const TelemetrySnapshot& s) { queued << s; }, Qt::QueuedConnection);
        hub.ingestRaw(sins.bytes);
        bridge.feed(sins.bytes);
        hub.markOffline();
        QCOMPARE(raw.at(0).at(0).toByteArray(), sins.bytes);
        QVERIFY(waitUntil([&] { return queued.size() == 301; }, 2000));
        QCOMPARE(queued[299].fields.value("utc").toDouble(),
                 sins.records().last().value("utc").toDouble());
        QCOMPARE(queued[300].quality + QString::number(queued[300].ts), "offline0");
        QCOMPARE(QMetaType::fromName("gcs::TelemetrySnapshot"),
                 QMetaType::fromType<TelemetrySnapshot>());
    }
};

QTEST_GUILESS_MAIN(TestTelemetryHub)
#include "tst_telemetryhub.moc"
