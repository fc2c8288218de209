// The telemetry hub: the 50 ms throttle with real timers, the merge rules, going offline,
// lookups, and the pass-through to the recorder.
#include "InsTestStreams.h"
#include "TestSupport.h"

#include "ins/InsBridge.h"
#include "ins/TelemetryHub.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using gcs::TelemetryHub;
using gcs::TelemetrySnapshot;
using gcs::test::waitUntil;

namespace {

TelemetrySnapshot online(const QVariantMap& fields, qint64 ts = 1000)
{
    TelemetrySnapshot s;
    s.ts = ts;
    s.quality = QStringLiteral("online");
    s.fields = fields;
    return s;
}

} // namespace

class TestTelemetryHub : public QObject
{
    Q_OBJECT

private slots:
    void startsOffline()
    {
        TelemetryHub hub;
        QCOMPARE(hub.quality(), QStringLiteral("offline"));
        QVERIFY(!hub.hasFix());
        QVERIFY(hub.fields().isEmpty());
        QCOMPARE(hub.field("yaw", 5), QVariant(5));
        QVERIFY(!hub.field("yaw").isValid());
        const TelemetrySnapshot blank;
        QCOMPARE(blank.ts, 0);
        QVERIFY(blank.quality.isEmpty() && blank.fields.isEmpty());
    }

    void snapshotsWithinOneTickGiveOneChange()
    {
        TelemetryHub hub;
        QSignalSpy changed(&hub, &TelemetryHub::snapshotChanged);
        hub.publish(online({ { "stream_tier", 3 }, { "yaw", 10.0 } }, 1));
        hub.publish(online({ { "stream_tier", 3 }, { "yaw", 20.0 } }, 2));
        // Nothing is shown before the timer flushes.
        QCOMPARE(changed.count(), 0);
        QVERIFY(hub.fields().isEmpty());
        QVERIFY(waitUntil([&] { return changed.count() > 0; }, 2000));
        // Later ticks with nothing new stay quiet.
        QTest::qWait(3 * TelemetryHub::kFlushIntervalMs);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(hub.fields().value("yaw").toDouble(), 20.0);
        QVERIFY(hub.hasFix());
        QCOMPARE(hub.field("yaw", 0).toDouble(), 20.0);
    }

    // Frames at 1 kHz reach QML as at most one change per flush tick.
    void fastPublishingIsThrottled()
    {
        TelemetryHub hub;
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
        QTest::qWait(500);
        source.stop();
        const qint64 elapsed = clock.elapsed();
        QVERIFY(waitUntil([&] { return hub.fields().value("count").toInt() == n; }, 2000));
        QVERIFY(changed.count() >= 1);
        QVERIFY2(changed.count() <= elapsed / TelemetryHub::kFlushIntervalMs + 2,
                 qPrintable(QStringLiteral("%1 changes for %2 publishes in %3 ms")
                                .arg(changed.count())
                                .arg(n)
                                .arg(elapsed)));
        QVERIFY(n > changed.count());
        QCOMPARE(full.count(), n); // the recorder sees every one
    }

    void markOfflineIsShownAtOnce()
    {
        TelemetryHub hub;
        QSignalSpy changed(&hub, &TelemetryHub::snapshotChanged);
        QSignalSpy full(&hub, &TelemetryHub::fullSnapshot);
        hub.publish(online({ { "stream_tier", 3 }, { "yaw", 45.0 } }));
        QVERIFY(waitUntil([&] { return hub.hasFix(); }, 2000));
        changed.clear();
        full.clear();
        hub.markOffline();
        QCOMPARE(changed.count(), 1);
        QVERIFY(!hub.hasFix());
        QCOMPARE(hub.quality(), QStringLiteral("offline"));
        QVERIFY(hub.fields().isEmpty());
        QCOMPARE(hub.field("yaw", 0), QVariant(0));
        QCOMPARE(full.count(), 1);
        const TelemetrySnapshot s = full.at(0).at(0).value<TelemetrySnapshot>();
        QCOMPARE(s.ts, 0);
        QCOMPARE(s.quality, QStringLiteral("offline"));
        QVERIFY(s.fields.isEmpty());
        // The pending live change, if any, was superseded.
        QTest::qWait(3 * TelemetryHub::kFlushIntervalMs);
        QCOMPARE(changed.count(), 1);
    }

    // Offline, lookups give the fallback even for a stored value.
    void offlineLookupsGiveTheFallback()
    {
        TelemetryHub hub;
        TelemetrySnapshot s;
        s.quality = QStringLiteral("offline");
        s.fields = { { "yaw", 3.0 } };
        hub.publish(s);
        QCOMPARE(hub.fields().value("yaw").toDouble(), 3.0);
        QCOMPARE(hub.field("yaw", -1).toInt(), -1);
        hub.publish(online({ { "stream_tier", 2 }, { "yaw", 4.0 } }));
        hub.flushUi();
        QCOMPARE(hub.field("yaw", -1).toDouble(), 4.0);
        QCOMPARE(hub.field("nothing", "none").toString(), QStringLiteral("none"));
        QVERIFY(!hub.field("nothing").isValid());
    }

    void partialSnapshotsMergeByFormat()
    {
        TelemetryHub hub;
        hub.publish(online(
            { { "stream_tier", 3 }, { "format", "sinsbin" }, { "yaw", 1.0 }, { "lat", 30.0 } }));
        // Same format: merged, the stored keys it does not carry survive.
        hub.publish(online({ { "format", "sinsbin" }, { "yaw", 2.0 } }));
        hub.flushUi();
        QCOMPARE(hub.fields(),
                 QVariantMap({ { "stream_tier", 3 },
                               { "format", "sinsbin" },
                               { "yaw", 2.0 },
                               { "lat", 30.0 } }));
        // No format in the update: merged as well.
        hub.publish(online({ { "lon", 120.0 } }));
        hub.flushUi();
        QCOMPARE(hub.fields().size(), 5);
        // Another format: the stored keys go first.
        hub.publish(online({ { "format", "imubin" }, { "gx", 0.5 } }));
        hub.flushUi();
        QCOMPARE(hub.fields(), QVariantMap({ { "format", "imubin" }, { "gx", 0.5 } }));
        // A full record replaces everything, whatever its format.
        hub.publish(online({ { "stream_tier", 1 }, { "format", "imubin" } }));
        hub.flushUi();
        QCOMPARE(hub.fields(), QVariantMap({ { "stream_tier", 1 }, { "format", "imubin" } }));
    }

    void fullSnapshotCarriesWhatWasPublished()
    {
        TelemetryHub hub;
        QSignalSpy full(&hub, &TelemetryHub::fullSnapshot);
        hub.publish(online({ { "stream_tier", 3 }, { "format", "sinsbin" }, { "yaw", 1.0 } }, 7));
        hub.publish(online({ { "format", "sinsbin" }, { "roll", 2.0 } }, 8));
        QCOMPARE(full.count(), 2);
        const TelemetrySnapshot s = full.at(1).at(0).value<TelemetrySnapshot>();
        QCOMPARE(s.ts, 8);
        QCOMPARE(s.fields, QVariantMap({ { "format", "sinsbin" }, { "roll", 2.0 } }));
        hub.flushUi();
        QCOMPARE(hub.fields().size(), 4); // merged for QML only
    }

    void rawBytesPassThrough()
    {
        TelemetryHub hub;
        QSignalSpy raw(&hub, &TelemetryHub::rawFrame);
        QSignalSpy changed(&hub, &TelemetryHub::snapshotChanged);
        const QByteArray bytes("\xAA\x55\x00\x0A", 4);
        hub.ingestRaw(bytes);
        QCOMPARE(raw.count(), 1);
        QCOMPARE(raw.at(0).at(0).toByteArray(), bytes);
        QCOMPARE(changed.count(), 0);
    }

    // Frames through the bridge into the hub, as the controller wires them.
    void bridgeSnapshotsReachTheHub()
    {
        const gcs::test::InsStream sins = gcs::test::loadInsStream(QStringLiteral("sinsbin"));
        QVERIFY2(sins.error.isEmpty(), qPrintable(sins.error));
        gcs::InsBridge bridge;
        TelemetryHub hub;
        connect(&bridge, &gcs::InsBridge::snapshotReady, &hub, &TelemetryHub::publish);
        QSignalSpy changed(&hub, &TelemetryHub::snapshotChanged);
        bridge.feed(sins.bytes);
        QVERIFY(waitUntil([&] { return changed.count() > 0; }, 2000));
        QCOMPARE(hub.field("format", "").toString(), QStringLiteral("sinsbin"));
        QCOMPARE(hub.fields().value("utc").toDouble(), sins.events.last().value("utc").toDouble());
        QCOMPARE(changed.count(), 1);
    }

    void snapshotTravelsThroughQueuedConnections()
    {
        qRegisterMetaType<gcs::TelemetrySnapshot>("gcs::TelemetrySnapshot");
        TelemetryHub hub;
        TelemetrySnapshot got;
        connect(
            &hub, &TelemetryHub::fullSnapshot, &hub, [&](const TelemetrySnapshot& s) { got = s; },
            Qt::QueuedConnection);
        hub.publish(online({ { "stream_tier", 1 } }, 99));
        QVERIFY(waitUntil([&] { return got.ts == 99; }, 2000));
        QCOMPARE(QMetaType::fromName("gcs::TelemetrySnapshot"),
                 QMetaType::fromType<gcs::TelemetrySnapshot>());
    }
};

QTEST_GUILESS_MAIN(TestTelemetryHub)
#include "tst_telemetryhub.moc"
