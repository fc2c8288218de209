#include "InsTestStreams.h"
#include "TestSupport.h"

#include "ins/InsBridge.h"
#include "ins/InsLogText.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using gcs::InsBridge;
using gcs::TelemetrySnapshot;
using gcs::test::loadInsStream;

namespace {

QByteArray noHeaders(qsizetype size)
{
    QByteArray out(size, 'A');
    for (qsizetype i = 0; i < size; ++i)
        out[i] = char('A' + i % 26);
    return out;
}

QString text(const QVariantMap& map)
{
    return gcs::snapshotFieldsText(map);
}

} // namespace

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
        QTest::newRow("ahrsasc") << QByteArray(
            "#vorn,ahrsasc,7,1,2,3,4,5,6,0,0,0,30,-10,20,0,0*ff\n")
                                 << 2;
        QTest::newRow("sinsbin") << loadInsStream("sinsbin").bytes.left(59) << 3;
        QTest::newRow("sinsasc") << QByteArray(
            "#vorn,sinsasc,0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,97*ff\n")
                                 << 3;
        // An ahrsasc sentence with the wrong field count: format unknown, no panel.
        QTest::newRow("unknown") << QByteArray("#vorn,ahrsasc,1,2,3*ff\r\n") << 0;
    }

    // The panels are cleared for the new format and built; the snapshot carries the keys
    // of the tier; the message text is the snapshot, one key per line; a record without
    // a status byte still sets the status texts.
    void recordsFillTheirTiersPanelAndSnapshot()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, tier);
        InsBridge bridge;
        QSignalSpy snapshots(&bridge, &InsBridge::snapshotReady);
        bridge.feed(bytes);
        QCOMPARE(bridge.streamTier(), tier);
        QCOMPARE(bridge.streamTierLabel(), QStringList({ "", "IMU", "AHRS", "SINS" })[tier]);
        const QVariantMap panels[]
            = { {}, bridge.imuPanel(), bridge.ahrsPanel(), bridge.sinsPanel() };
        QCOMPARE(panels[tier].size(), QList<int>({ 0, 7, 10, 20 })[tier]);
        QCOMPARE(bridge.panelEpoch(), tier ? 2 : 0);
        QCOMPARE(bridge.gnssFixStatus() + bridge.deviceNavStatus(),
                 bytes.contains("97*") ? "定位定向组合导航" : "故障—");
        const TelemetrySnapshot s = snapshots.at(0).at(0).value<TelemetrySnapshot>();
        QCOMPARE(s.quality, QStringLiteral("online"));
        QVERIFY(qAbs(s.ts - QDateTime::currentMSecsSinceEpoch()) < 60000);
        QCOMPARE(s.fields.size(), QList<int>({ 10, 10, 13, 25 })[tier]);
        QCOMPARE(s.fields.value("stream_tier").toInt(), tier);
        QCOMPARE(s.fields.value("format").toString(), bridge.packetFormat());
        QCOMPARE(s.fields.value("gps_status"), s.fields.value("gnss_status"));
        const QStringList lines = bridge.messageText().split('\n');
        QCOMPARE(lines.size(), s.fields.size());
        QCOMPARE(lines.first(), s.fields.firstKey() + '\t' + s.fields.first().toString());
        // A format change hides the values of the previous format at once.
        bridge.feed(tier == 1 ? "#vorn,ahrs,7,1,2,3,4,5,6,0,0,0,30,-10,20,0,0*ff\n"
                              : "#vorn,imu,1,2,3,4,5,6,7,8*ff\n");
        const QVariantMap after[]
            = { {}, bridge.imuPanel(), bridge.ahrsPanel(), bridge.sinsPanel() };
        QVERIFY(after[tier].isEmpty());
        bridge.resetParseBuffer();
        QCOMPARE(bridge.streamTier(), 0);
        QCOMPARE(bridge.packetFormat(), QString());
    }

    void statusBytesDecodeToTexts()
    {
        for (const QString& row : QStringList { "14 无效 对准", "26 定位 校准",
                                                "77 定位定向 纯惯性导航", "f3 — —", "35 — —" }) {
            const quint8 status = quint8(row.left(2).toUInt(nullptr, 16));
            QCOMPARE(row.mid(3),
                     InsBridge::decodeGnssFix(status) + ' ' + InsBridge::decodeDeviceNav(status));
        }
    }

    void parseHintAndItsDiagnosticFile()
    {
        QTemporaryDir home;
        gcs::test::EnvOverride data("XDG_DATA_HOME", home.path().toLocal8Bit());
        const QString path = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
            + QStringLiteral("/parse-debug.log");
        QVERIFY(path.startsWith(home.path()));
        for (const char* value : { "0", "yes" }) {
            gcs::test::EnvOverride log("GCS_PARSE_LOG", value);
            InsBridge().feed(noHeaders(100));
            QVERIFY(!QFile::exists(path));
        }
        gcs::test::EnvOverride log("GCS_PARSE_LOG", "7");
        InsBridge bridge;
        bridge.feed(noHeaders(100));
        QCOMPARE(bridge.parseHint(), QStringLiteral("等待导航数据…"));
        bridge.feed(noHeaders(3 * 1024 - 100));
        QCOMPARE(
            bridge.parseHint(),
            QStringLiteral("已收 3 KB，未发现 AA55 帧头，请核对纳管串口波特率（常用 115200）。"));
        // Headers whose frames never verify: waiting for a sync; then real frames: no hint.
        bridge.feed((QByteArray("\xAA\x55", 2) + noHeaders(20)).repeated(30));
        QCOMPARE(bridge.parseHint(),
                 QStringLiteral("已发现 AA55 帧头，正在同步校验…若长时间无数据请检查输出格式是否与 "
                                "IMU/AHRS/SINS 页一致。"));
        bridge.feed(loadInsStream("imubin").bytes.left(31 * 20));
        QCOMPARE(bridge.parseHint(), QString());
        const QStringList lines
            = QString::fromUtf8(gcs::test::readFileBytes(path)).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        const QRegularExpression form("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\S* bytes=(\\d+) "
                                      "pkts=(\\d+) aa55=(\\d+) hint=(.*)$");
        QCOMPARE(form.match(lines[0]).capturedTexts().mid(1),
                 QStringList({ "100", "0", "0", "等待导航数据…" }));
        QCOMPARE(form.match(lines[3]).capturedTexts().mid(1),
                 QStringList({ "4352", "20", "0", "" }));
    }

    // The maps the configuration pages read (end to end in tst_appconfigpages and
    // tst_configpages): no diagonal of the matrix, a 64-bit serial number; replies
    // survive a reset of the parser.
    void configurationRepliesFillTheMaps()
    {
        InsBridge bridge;
        QSignalSpy config(&bridge, &InsBridge::configChanged);
        bridge.feed("#vorn,factory,GyroSN:42,kggX:1,2,3,kggY:4,5,6,kggZ:7,8,9,kg0:10,11,12,"
                    "kg1:13,14,15,16,17,18,19,20,21*ff\r\n#vorn,gnm,ka1:0.5,-0.25,1.125*ff\r\n"
                    "#vorn,axis,x:Y,y:-X,z:Z*ff\r\n#vorn,softver,V1.0.2*ff\r\n");
        QCOMPARE(config.count(), 4);
        bridge.resetParseBuffer();
        QCOMPARE(text(bridge.gyroConfig()),
                 "biasx=10 biasy=11 biasz=12 kg1xy=14 kg1xz=15 kg1yx=16 kg1yz=18 kg1zx=19 "
                 "kg1zy=20 kggx=3 kggy=6 kggz=9 sn=42 t1x=2 t1y=5 t1z=8 t2x=1 t2y=4 t2z=7");
        QCOMPARE(bridge.gyroConfig().value("sn").typeId(), QMetaType::LongLong);
        QCOMPARE(QStringList({ text(bridge.installConfig()), bridge.axis(), bridge.softver() })
                     .join(' '),
                 "x=0.5 y=-0.25 z=1.125 Y -X Z V1.0.2");
    }

    void factoryRawKeepsItsNewestText()
    {
        InsBridge bridge;
        QSignalSpy config(&bridge, &InsBridge::configChanged);
        bridge.appendFactoryRaw(QByteArray());
        bridge.clearFactoryRaw();
        QCOMPARE(config.count(), 0);
        bridge.appendFactoryRaw(QByteArray("ab\xE9\x00z", 5));
        QCOMPARE(bridge.factoryRaw(), QString::fromLatin1("ab\xE9\x00z", 5));
        bridge.clearFactoryRaw();
        bridge.appendFactoryRaw(QByteArray(20000, 'x')); // just at the cap: nothing is cut
        QCOMPARE(bridge.factoryRaw().size(), 20000);
        bridge.appendFactoryRaw("y");
        QCOMPARE(bridge.factoryRaw().size(), 10000);
        QVERIFY(bridge.factoryRaw().endsWith(QLatin1String("xy")));
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
        QCOMPARE(bridge.recTimeText(), QStringLiteral("01:01:01"));
        const QByteArray imu = loadInsStream("imubin").bytes;
        bridge.feed("xyz" + imu.left(31 * 4) + imu.mid(31 * 6, 31)); // frames 4 and 5 lost
        bridge.feed("#vorn,nonsense*ff\r\n");
        QCOMPARE(text(bridge.integrity()),
                 "bytes=177 checksum_errors=0 frames=5 lost_frames=2 sentences=0 "
                 "skipped_bytes=22 text_errors=1");
        QCOMPARE(QList<int>({ bridge.recPackets(), bridge.sendBytes(), bridge.packetErrs() }),
                 QList<int>({ 5, 23, 1 }));
        stats.clear();
        bridge.resetStats();
        QCOMPARE(stats.count(), 1);
        QCOMPARE(bridge.recBytes() + bridge.sendBytes() + bridge.packetErrs(), 0);
        QCOMPARE(bridge.integrity().value("text_errors").toInt(), 0);
        QCOMPARE(bridge.recTimeText(), QStringLiteral("00:00:00"));
        QCOMPARE(bridge.streamTier(), 1); // the format stays until the parser is reset
    }
};

QTEST_GUILESS_MAIN(TestInsBridge)
#include "tst_insbridge.moc"
