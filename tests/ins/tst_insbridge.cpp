// The INS bridge: tiers, panels and snapshots per format, status texts, the parse hint and
// its diagnostic file, the configuration maps, the factory read-back text, the receive
// statistics and the live integrity counters.
#include "InsTestStreams.h"
#include "TestSupport.h"

#include "ins/InsBridge.h"

#include <QFile>
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
    QByteArray out(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        out[i] = char('A' + i % 26);
    return out;
}

const QByteArray kSinsasc
    = "#vorn,sinsasc,0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,97*ff\r\n";

} // namespace

class TestInsBridge : public QObject
{
    Q_OBJECT

private slots:
    void recordsFillTheirTiersPanelAndSnapshot_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("tier");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("panelKeys");
        QTest::addColumn<int>("snapshotKeys");
        QTest::addColumn<QString>("fix");
        QTest::addColumn<QString>("nav");
        QTest::newRow("imubin") << loadInsStream("imubin").bytes.left(31) << 1 << "IMU" << 7 << 10
                                << "故障"
                                << "—";
        QTest::newRow("ahrsasc") << QByteArray(
            "#vorn,ahrsasc,7,1,2,3,4,5,6,0,0,0,30,-10,20,0,0*ff\r\n")
                                 << 2 << "AHRS" << 10 << 13 << "故障"
                                 << "—";
        QTest::newRow("sinsbin") << loadInsStream("sinsbin").bytes.left(59) << 3 << "SINS" << 20
                                 << 25 << "故障"
                                 << "—";
        QTest::newRow("sinsasc") << kSinsasc << 3 << "SINS" << 20 << 25 << "定位定向"
                                 << "组合导航";
        // An ahrsasc sentence with the wrong field count: format unknown, no panel.
        QTest::newRow("unknown") << QByteArray("#vorn,ahrsasc,1,2,3*ff\r\n") << 0 << "" << 0 << 10
                                 << "故障"
                                 << "—";
    }

    // The panels are cleared for the new format and built (epoch + 2); the snapshot carries
    // the keys of the tier; the message text is the snapshot, one key per line.
    void recordsFillTheirTiersPanelAndSnapshot()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, tier);
        QFETCH(QString, label);
        QFETCH(int, panelKeys);
        QFETCH(int, snapshotKeys);
        InsBridge bridge;
        QCOMPARE(bridge.streamTier(), 0);
        QCOMPARE(bridge.streamTierLabel(), QString());
        QSignalSpy snapshots(&bridge, &InsBridge::snapshotReady);
        bridge.feed(bytes);
        QCOMPARE(bridge.streamTier(), tier);
        QCOMPARE(bridge.streamTierLabel(), label);
        const QVariantMap panels[]
            = { {}, bridge.imuPanel(), bridge.ahrsPanel(), bridge.sinsPanel() };
        QCOMPARE(panels[tier].size(), panelKeys);
        QCOMPARE(bridge.panelEpoch(), tier ? 2 : 0); // nothing shown before: nothing to clear
        QTEST(bridge.gnssFixStatus(), "fix");
        QTEST(bridge.deviceNavStatus(), "nav");
        QCOMPARE(snapshots.count(), 1);
        const TelemetrySnapshot s = snapshots.at(0).at(0).value<TelemetrySnapshot>();
        QCOMPARE(s.quality, QStringLiteral("online"));
        QVERIFY(qAbs(s.ts - QDateTime::currentMSecsSinceEpoch()) < 60000);
        QCOMPARE(s.fields.size(), snapshotKeys);
        QCOMPARE(s.fields.value("stream_tier").toInt(), tier);
        QCOMPARE(s.fields.value("format").toString(), bridge.packetFormat());
        if (tier == 3)
            QCOMPARE(s.fields.value("gps_status"), s.fields.value("gnss_status"));
        const QStringList lines = bridge.messageText().split('\n');
        QCOMPARE(lines.size(), snapshotKeys);
        QCOMPARE(lines.first(), s.fields.firstKey() + '\t' + s.fields.first().toString());
    }

    // A format change hides the values of the previous format at once.
    void formatChangeClearsThePanels()
    {
        InsBridge bridge;
        bridge.feed(loadInsStream("imubin").bytes.left(31));
        bridge.feed(kSinsasc);
        QVERIFY(bridge.imuPanel().isEmpty());
        QCOMPARE(bridge.sinsPanel().size(), 20);
        QCOMPARE(bridge.panelEpoch(), 4);
        bridge.resetParseBuffer(); // a new connection
        QCOMPARE(bridge.streamTier(), 0);
        QVERIFY(bridge.sinsPanel().isEmpty());
        QCOMPARE(bridge.packetFormat(), QString());
    }

    void statusBytesDecodeToTexts_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("fix");
        QTest::addColumn<QString>("nav");
        QTest::newRow("0x14") << 0x14 << "无效"
                              << "对准";
        QTest::newRow("0x26") << 0x26 << "定位"
                              << "校准";
        QTest::newRow("0x77") << 0x77 << "定位定向"
                              << "纯惯性导航";
        QTest::newRow("0xF3") << 0xF3 << "—"
                              << "—";
        QTest::newRow("0x35") << 0x35 << "—"
                              << "—";
    }

    void statusBytesDecodeToTexts()
    {
        QFETCH(int, status);
        QTEST(InsBridge::decodeGnssFix(quint8(status)), "fix");
        QTEST(InsBridge::decodeDeviceNav(quint8(status)), "nav");
    }

    void parseHintFollowsWhatArrives()
    {
        InsBridge bridge;
        bridge.feed(noHeaders(100));
        QCOMPARE(bridge.parseHint(), QStringLiteral("等待导航数据…"));
        bridge.feed(noHeaders(3 * 1024 - 100));
        QCOMPARE(
            bridge.parseHint(),
            QStringLiteral("已收 3 KB，未发现 AA55 帧头，请核对纳管串口波特率（常用 115200）。"));
        // Headers whose frames never verify: waiting for a sync; then real frames: no hint.
        InsBridge syncing;
        syncing.feed((QByteArray("\xAA\x55", 2) + noHeaders(20)).repeated(30));
        QCOMPARE(syncing.parseHint(),
                 QStringLiteral("已发现 AA55 帧头，正在同步校验…若长时间无数据请检查输出格式是否与 "
                                "IMU/AHRS/SINS 页一致。"));
        syncing.feed(loadInsStream("imubin").bytes.left(31 * 20));
        QCOMPARE(syncing.parseHint(), QString());
    }

    void parseLogIsWrittenOnlyWhenAskedFor_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("1") << QByteArray("1");
        QTest::newRow("7") << QByteArray("7");
        QTest::newRow("0") << QByteArray("0");
        QTest::newRow("text") << QByteArray("yes");
        QTest::newRow("unset") << QByteArray();
    }

    void parseLogIsWrittenOnlyWhenAskedFor()
    {
        QFETCH(QByteArray, value);
        QTemporaryDir home;
        gcs::test::EnvOverride data("XDG_DATA_HOME", home.path().toLocal8Bit());
        const QString path = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
            + QStringLiteral("/parse-debug.log");
        QVERIFY(path.startsWith(home.path()));
        {
            gcs::test::EnvOverride log("GCS_PARSE_LOG", value);
            InsBridge bridge;
            bridge.feed(noHeaders(100));
            bridge.feed(loadInsStream("imubin").bytes.left(31 * 20));
        }
        const QStringList lines
            = QString::fromUtf8(gcs::test::readFileBytes(path)).split('\n', Qt::SkipEmptyParts);
        if (value.toInt() < 1) {
            QVERIFY(!QFile::exists(path));
            return;
        }
        QCOMPARE(lines.size(), 2);
        const QRegularExpression form(
            QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\S* bytes=(\\d+) "
                           "pkts=(\\d+) aa55=(\\d+) hint=(.*)$"));
        QCOMPARE(form.match(lines[0]).capturedTexts().mid(1),
                 QStringList({ "100", "0", "0", "等待导航数据…" }));
        QCOMPARE(form.match(lines[1]).capturedTexts().mid(1),
                 QStringList({ "720", "20", "0", "" }));
    }

    void configurationRepliesFillTheMaps()
    {
        InsBridge bridge;
        QSignalSpy config(&bridge, &InsBridge::configChanged);
        bridge.feed(
            "#vorn,com1,mode:232,baud:115200,fre:200,protocol:sinsbin*ff\r\n"
            "#vorn,factory,GyroSN:42,kggX:1,2,3,kggY:4,5,6,kggZ:7,8,9,kg0:10,11,12,"
            "kg1:13,14,15,16,17,18,19,20,21*ff\r\n"
            "#vorn,gnm,ka1:0.5,-0.25,1.125*ff\r\n#vorn,axis,x:Y,y:-X,z:Z*ff\r\n"
            "#vorn,gnss,2.75*ff\r\n#vorn,softver,V1.0.2*ff\r\n#vorn,extrapolate time,30.5*ff\r\n");
        QCOMPARE(config.count(), 7);
        QCOMPARE(bridge.serialConfig(),
                 QVariantMap({ { "serialType", 232 },
                               { "baudRate", 115200 },
                               { "packetFre", 200 },
                               { "packetFormat", "sinsbin" } }));
        const QVariantMap g = bridge.gyroConfig();
        QCOMPARE(g.value("sn").typeId(), QMetaType::LongLong);
        QStringList values;
        for (const char* key : { "sn", "t2x", "t1x", "kggx", "kggz", "biasx", "biasz", "kg1xy",
                                 "kg1xz", "kg1yx", "kg1yz", "kg1zx", "kg1zy" })
            values << g.value(key).toString();
        QCOMPARE(values.join(' '), QStringLiteral("42 1 2 3 9 10 12 14 15 16 18 19 20"));
        QCOMPARE(g.size(), 19); // the diagonal of the matrix is not published
        QCOMPARE(bridge.installConfig(),
                 QVariantMap({ { "x", 0.5 }, { "y", -0.25 }, { "z", 1.125 } }));
        QCOMPARE(bridge.axis(), QStringLiteral("Y -X Z"));
        QCOMPARE(bridge.gnssYaw(), 2.75);
        QCOMPARE(bridge.softver(), QStringLiteral("V1.0.2"));
        QCOMPARE(bridge.extrapMs(), 30.5);
        // Replies survive a reset of the parser.
        bridge.resetParseBuffer();
        QCOMPARE(bridge.softver(), QStringLiteral("V1.0.2"));
        QCOMPARE(bridge.gyroConfig().value("sn").toLongLong(), 42);
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

    // The counters of the statistics page, the integrity ones included, and their reset.
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
        QCOMPARE(bridge.integrity(),
                 QVariantMap({ { "bytes", 3 + 31 * 5 + 19 },
                               { "frames", 5 },
                               { "sentences", 0 },
                               { "checksum_errors", 0 },
                               { "text_errors", 1 },
                               { "skipped_bytes", 3 + 19 },
                               { "lost_frames", 2 } }));
        QCOMPARE(bridge.recPackets(), 5);
        QCOMPARE(bridge.sendBytes(), 23);
        QCOMPARE(bridge.packetErrs(), 1);
        stats.clear();
        bridge.resetStats();
        QCOMPARE(stats.count(), 1);
        QCOMPARE(bridge.recBytes() + bridge.sendBytes() + bridge.packetErrs(), 0);
        QCOMPARE(bridge.integrity().value("text_errors").toInt(), 0);
        QCOMPARE(bridge.recTimeText(), QStringLiteral("00:00:00"));
    }
};

QTEST_GUILESS_MAIN(TestInsBridge)
#include "tst_insbridge.moc"
