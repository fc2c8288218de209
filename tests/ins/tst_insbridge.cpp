#include "InsTestStreams.h"
#include "MarkingTranslator.h"
#include "TestSupport.h"

#include "ins/InsBridge.h"
#include "ins/InsLogText.h"
#include "ins/TelemetryHub.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace gcs::test;
using gcs::InsBridge;

/// The INS bridge: tiers, panels and snapshots per format, status texts, the parse hint
/// and its diagnostic file, the configuration maps, the factory read-back text, the
/// receive statistics and the live integrity counters.
class TestInsBridge : public QObject
{
    Q_OBJECT

private slots:
    void recordsFillTheirTiersPanelAndSnapshot_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("tier");
        QTest::newRow("imubin") << loadInsStream("imubin").bytes.left(31) << 1;
        QTest::newRow("ahrsasc") << QByteArray("#vorn,ahrs,7,1,2,3,4,5,6,0,0,0,30,-10,20,0,0*ff\n")
                                 << 2;
        QTest::newRow("sinsbin") << loadInsStream("sinsbin").bytes.left(59) << 3;
        QTest::newRow("sinsasc") << QByteArray(
            "#vorn,sins,0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,97*ff\n")
                                 << 3;
        QTest::newRow("unknown") << QByteArray("#vorn,ahrsasc,1,2,3*ff\n")
                                 << 0; // wrong field count
    }

    // The panel of the tier is built after the others were cleared; the snapshot holds the
    // keys of the tier and is the message text; a record without a status byte still sets
    // the status texts; another format clears the panel again.
    void recordsFillTheirTiersPanelAndSnapshot()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, tier);
        InsBridge bridge;
        QSignalSpy snapshots(&bridge, &InsBridge::snapshotReady);
        bridge.feed(bytes);
        const QVariantMap panels[]
            = { {}, bridge.imuPanel(), bridge.ahrsPanel(), bridge.sinsPanel() };
        QCOMPARE(QList<int>({ bridge.streamTier(), int(panels[tier].size()), bridge.panelEpoch() }),
                 QList<int>({ tier, QList<int>({ 0, 7, 10, 20 })[tier], tier ? 2 : 0 }));
        QCOMPARE(bridge.streamTierLabel(), QStringList({ "", "IMU", "AHRS", "SINS" })[tier]);
        QCOMPARE(bridge.gnssFixStatus() + bridge.deviceNavStatus(),
                 bytes.contains("97*") ? "定位定向组合导航" : "故障—");
        const gcs::TelemetrySnapshot s = snapshots.at(0).at(0).value<gcs::TelemetrySnapshot>();
        QVERIFY(s.quality == "online" && qAbs(s.ts - QDateTime::currentMSecsSinceEpoch()) < 60000);
        QCOMPARE(s.fields.size(), QList<int>({ 10, 10, 13, 25 })[tier]);
        QCOMPARE(QList<QVariant>(
                     { s.fields["stream_tier"], s.fields["format"], s.fields["gps_status"] }),
                 QList<QVariant>({ tier, bridge.packetFormat(), s.fields["gnss_status"] }));
        QCOMPARE(bridge.messageText(),
                 gcs::snapshotFieldsText(s.fields).replace('=', '\t').replace(' ', '\n'));
        bridge.feed(tier == 1 ? "#vorn,ahrs,7,1,2,3,4,5,6,0,0,0,30,-10,20,0,0*ff\n"
                              : "#vorn,imu,1,2,3,4,5,6,7,8*ff\n");
        const QVariantMap after[]
            = { {}, bridge.imuPanel(), bridge.ahrsPanel(), bridge.sinsPanel() };
        QVERIFY(after[tier].isEmpty());
        bridge.resetParseBuffer();
        QCOMPARE(bridge.streamTier() + bridge.packetFormat().size(), 0);
    }

    // The status texts are data as they stand (snapshots that are recorded, exports, the
    // panels the track reads), and read in the language of the moment where a person sees
    // them: the bridge's status, its message text and the hub's fields.
    void statusBytesDecodeToTexts()
    {
        for (const QString& row : QStringList { "14 无效 对准", "26 定位 校准",
                                                "77 定位定向 纯惯性导航", "f3 — —", "35 — —" }) {
            const quint8 status = quint8(row.left(2).toUInt(nullptr, 16));
            QCOMPARE(row.mid(3),
                     InsBridge::decodeGnssFix(status) + ' ' + InsBridge::decodeDeviceNav(status));
        }
        const MarkingTranslator english;
        InsBridge bridge;
        gcs::TelemetryHub hub;
        QSignalSpy snapshots(&bridge, &InsBridge::snapshotReady);
        connect(&bridge, &InsBridge::snapshotReady, &hub, &gcs::TelemetryHub::publish);
        bridge.feed("#vorn,sins,0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,97*ff\n");
        hub.flushUi();
        const QVariantMap recorded = snapshots.at(0).at(0).value<gcs::TelemetrySnapshot>().fields;
        QCOMPARE(QStringList({ recorded["gnss_status"].toString(),
                               bridge.sinsPanel()["device_status"].toString() }),
                 QStringList({ "定位定向", "组合导航" }));
        QCOMPARE(QStringList({ bridge.gnssFixStatus(), bridge.deviceNavStatus(),
                               hub.fields()["gps_status"].toString(),
                               hub.field("device_status").toString() }),
                 QStringList({ "en:定位定向", "en:组合导航", "en:定位定向", "en:组合导航" }));
        QVERIFY(bridge.messageText().contains("\ngnss_status\ten:定位定向\n"));
    }

    // The hint after a little data, after 3 KB without headers, while headers do not
    // verify, and once frames decode; each chunk logged only when GCS_PARSE_LOG asks.
    void parseHintAndItsDiagnosticFile()
    {
        QTemporaryDir home;
        EnvOverride data("XDG_DATA_HOME", home.path().toLocal8Bit());
        const QString path = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
            + "/parse-debug.log";
        for (const char* value : { "0", "yes" }) {
            EnvOverride log("GCS_PARSE_LOG", value);
            InsBridge().feed("x");
        }
        QVERIFY(path.startsWith(home.path()) && !QFile::exists(path));
        EnvOverride log("GCS_PARSE_LOG", "7");
        InsBridge bridge;
        QStringList hints;
        for (const QByteArray& chunk :
             { QByteArray(100, 'A'), QByteArray(3 * 1024 - 100, 'A'),
               QByteArray("\xAA\x55").repeated(300), loadInsStream("imubin").bytes.left(620) }) {
            bridge.feed(chunk);
            hints << bridge.parseHint();
        }
        QCOMPARE(hints,
                 QStringList({ "等待导航数据…",
                               "已收 3 KB，未发现 AA55 帧头，请核对纳管串口波特率（常用 115200）。",
                               "已发现 AA55 帧头，正在同步校验…若长时间无数据请检查输出格式是否与 "
                               "IMU/AHRS/SINS 页一致。",
                               "" }));
        const QStringList lines
            = QString::fromUtf8(readFileBytes(path)).split('\n', Qt::SkipEmptyParts);
        const QRegularExpression form("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\S* bytes=(\\d+) "
                                      "pkts=(\\d+) aa55=(\\d+) hint=(.*)$");
        QCOMPARE(form.match(lines.value(0)).capturedTexts().mid(1),
                 QStringList({ "100", "0", "0", hints[0] }));
        QCOMPARE(form.match(lines.value(3)).capturedTexts().mid(1),
                 QStringList({ "4292", "20", "0", "" }));
    }

    // What the configuration pages read (end to end in tst_appconfigpages and
    // tst_configpages): no diagonal of the matrix, a 64-bit serial number; replies survive
    // a reset of the parser. The factory read-back keeps its newest text.
    void configurationRepliesAndFactoryText()
    {
        InsBridge bridge;
        QSignalSpy config(&bridge, &InsBridge::configChanged);
        bridge.feed("#vorn,factory,GyroSN:42,kggX:1,2,3,kggY:4,5,6,kggZ:7,8,9,kg0:10,11,12,"
                    "kg1:13,14,15,16,17,18,19,20,21*ff\r\n#vorn,gnm,ka1:0.5,-0.25,1.125*ff\r\n");
        bridge.resetParseBuffer();
        QCOMPARE(gcs::snapshotFieldsText(bridge.gyroConfig()) + ' '
                     + gcs::snapshotFieldsText(bridge.installConfig()),
                 "biasx=10 biasy=11 biasz=12 kg1xy=14 kg1xz=15 kg1yx=16 kg1yz=18 kg1zx=19 kg1zy=20 "
                 "kggx=3 kggy=6 "
                 "kggz=9 sn=42 t1x=2 t1y=5 t1z=8 t2x=1 t2y=4 t2z=7 x=0.5 y=-0.25 z=1.125");
        QCOMPARE(bridge.gyroConfig().value("sn").typeId(), QMetaType::LongLong);
        bridge.appendFactoryRaw(QByteArray());
        bridge.clearFactoryRaw(); // nothing to clear: no signal
        bridge.appendFactoryRaw(QByteArray("ab\xE9\x00", 4)
                                + QByteArray(19996, 'x')); // at the cap: kept
        QCOMPARE(bridge.factoryRaw(),
                 QString::fromLatin1(QByteArray("ab\xE9\x00", 4) + QByteArray(19996, 'x')));
        bridge.appendFactoryRaw("y");
        QCOMPARE(bridge.factoryRaw(), QString(9999, 'x') + 'y');
        QCOMPARE(config.count(), 4);
    }

    void statisticsAndTheirReset()
    {
        InsBridge bridge;
        QSignalSpy stats(&bridge, &InsBridge::statsChanged);
        bridge.addSendBytes(0);
        bridge.addSendBytes(-5);
        QCOMPARE(stats.count(), 0);
        bridge.addSendBytes(23);
        bridge.tickRecTime(3661);
        const QByteArray imu = loadInsStream("imubin").bytes;
        bridge.feed("xyz" + imu.left(31 * 4) + imu.mid(31 * 6, 31)); // frames 4 and 5 lost
        bridge.feed("#vorn,nonsense*ff\r\n");
        QCOMPARE(gcs::snapshotFieldsText(bridge.integrity()),
                 "bytes=177 checksum_errors=0 frames=5 lost_frames=2 sentences=0 skipped_bytes=22 "
                 "text_errors=1");
        QCOMPARE(QStringList({ bridge.recTimeText(),
                               QString::number(bridge.recPackets() * 1000 + bridge.sendBytes()) }),
                 QStringList({ "01:01:01", "5023" }));
        bridge.resetStats();
        QCOMPARE(bridge.recBytes() + bridge.sendBytes() + bridge.packetErrs()
                     + bridge.integrity()["frames"].toInt(),
                 0);
        QCOMPARE(bridge.recTimeText() + QString::number(bridge.streamTier()),
                 "00:00:001"); // the format stays
    }

    // What the stream changes waits for the window's tick while paced, once however many
    // chunks came; the user's own changes and an unpaced bridge show at once.
    void pacedStatisticsAreShownOnTheTick_data()
    {
        QTest::addColumn<bool>("paced");
        QTest::addColumn<int>("change");
        QTest::addColumn<bool>("waits");
        QTest::newRow("chunks, paced") << true << 0 << true;
        QTest::newRow("chunks, unpaced") << false << 0 << false;
        QTest::newRow("clearing") << true << 1 << false;
        QTest::newRow("bytes sent") << true << 2 << false;
        QTest::newRow("a new stream") << true << 3 << false;
    }

    void pacedStatisticsAreShownOnTheTick()
    {
        QFETCH(bool, paced);
        QFETCH(int, change);
        QFETCH(bool, waits);
        InsBridge bridge;
        bridge.setStatsPaced(paced);
        QSignalSpy changed(&bridge, &InsBridge::statsChanged);
        QSignalSpy shows(&bridge, &InsBridge::statsShown);
        const QByteArray imu = loadInsStream("imubin").bytes;
        if (change == 0) {
            for (int i = 0; i < 3; ++i)
                bridge.feed(imu.mid(31 * i, 31));
        } else if (change == 1) {
            bridge.resetStats();
        } else if (change == 2) {
            bridge.addSendBytes(5);
        } else {
            bridge.resetParseBuffer();
        }
        const int n = int(changed.count());
        QVERIFY(n >= (change == 0 ? 3 : 1));
        QList<int> seen { int(shows.count()) };
        for (int tick = 0; tick < 2; ++tick) {
            bridge.showStats();
            seen << int(shows.count());
        }
        // Before the tick, after it, after another one.
        QCOMPARE(seen, waits ? QList<int>({ 0, 1, 1 }) : QList<int>({ n, n, n }));
        QCOMPARE(bridge.recPackets(), change == 0 ? 3 : 0);
    }
};

QTEST_GUILESS_MAIN(TestInsBridge)
#include "tst_insbridge.moc"
