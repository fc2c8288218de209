// The INS bridge: panels and tiers per format, status texts, snapshots, the parse hint and
// its diagnostic file, configuration maps and the factory read-back text.
#include "InsTestStreams.h"
#include "TestSupport.h"

#include "ins/InsBridge.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using gcs::InsBridge;
using gcs::TelemetrySnapshot;
using gcs::test::InsStream;
using gcs::test::loadInsStream;

namespace {

QByteArray noHeaders(qsizetype size)
{
    QByteArray out(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        out[i] = char('A' + i % 26);
    return out;
}

} // namespace

class TestInsBridge : public QObject
{
    Q_OBJECT

private:
    InsStream m_imu;
    InsStream m_sins;

private slots:
    void initTestCase()
    {
        m_imu = loadInsStream(QStringLiteral("imubin"));
        m_sins = loadInsStream(QStringLiteral("sinsbin"));
        QVERIFY2(m_imu.error.isEmpty(), qPrintable(m_imu.error));
        QVERIFY2(m_sins.error.isEmpty(), qPrintable(m_sins.error));
    }

    void startsWithoutTierOrPanels()
    {
        InsBridge bridge;
        QCOMPARE(bridge.streamTier(), 0);
        QCOMPARE(bridge.streamTierLabel(), QString());
        QVERIFY(bridge.imuPanel().isEmpty() && bridge.ahrsPanel().isEmpty()
                && bridge.sinsPanel().isEmpty());
        QCOMPARE(bridge.panelEpoch(), 0);
        QCOMPARE(bridge.packetFormat(), QString());
        QCOMPARE(bridge.recTimeText(), QStringLiteral("00:00:00"));
        QVERIFY(bridge.model()->parent() == &bridge);
    }

    void sinsFrameFillsTheSinsPanelAndSnapshot()
    {
        InsBridge bridge;
        QSignalSpy snapshots(&bridge, &InsBridge::snapshotReady);
        QSignalSpy panels(&bridge, &InsBridge::panelChanged);
        QSignalSpy stats(&bridge, &InsBridge::statsChanged);
        bridge.feed(m_sins.bytes.left(59));
        QCOMPARE(bridge.streamTier(), 3);
        QCOMPARE(bridge.streamTierLabel(), QStringLiteral("SINS"));
        QCOMPARE(bridge.packetFormat(), QStringLiteral("sinsbin"));
        QCOMPARE(bridge.panelEpoch(), 2); // cleared for the new format, then built
        QCOMPARE(panels.count(), 2);
        QCOMPARE(stats.count(), 2); // the record, then the chunk
        const QVariantMap panel = bridge.sinsPanel();
        QCOMPARE(panel.size(), 20);
        const QJsonObject expected = m_sins.events[1];
        QCOMPARE(panel.value("lat").toDouble(), expected.value("lat").toDouble());
        QCOMPARE(panel.value("yaw").toFloat(), float(expected.value("yaw").toDouble()));
        // Status 0x00: GNSS fault, no navigation state.
        QCOMPARE(panel.value("gnss_status").toString(), QStringLiteral("故障"));
        QCOMPARE(panel.value("device_status").toString(), QStringLiteral("—"));

        QCOMPARE(snapshots.count(), 1);
        const TelemetrySnapshot s = snapshots.at(0).at(0).value<TelemetrySnapshot>();
        QCOMPARE(s.quality, QStringLiteral("online"));
        QVERIFY(qAbs(s.ts - QDateTime::currentMSecsSinceEpoch()) < 60000);
        const QStringList keys
            = { "alt",           "ax",     "ay",           "az",          "count",
                "device_status", "format", "gnss_heading", "gnss_status", "gps_status",
                "gps_v",         "gx",     "gy",           "gz",          "lat",
                "lon",           "pitch",  "roll",         "stream_tier", "temp",
                "utc",           "ve",     "vn",           "vu",          "yaw" };
        QCOMPARE(s.fields.keys(), keys);
        QCOMPARE(s.fields.value("stream_tier").toInt(), 3);
        QCOMPARE(s.fields.value("gps_status"), s.fields.value("gnss_status"));
        QCOMPARE(s.fields.value("utc").toDouble(), expected.value("utc").toDouble());
        // The message text: one "key<TAB>value" line per field, in key order.
        const QStringList lines = bridge.messageText().split('\n');
        QCOMPARE(lines.size(), keys.size());
        QCOMPARE(lines.first(), QStringLiteral("alt\t%1").arg(s.fields.value("alt").toString()));
        QCOMPARE(lines.at(6), QStringLiteral("format\tsinsbin"));
    }

    void imuRecordStillSetsStatusTexts()
    {
        InsBridge bridge;
        QSignalSpy snapshots(&bridge, &InsBridge::snapshotReady);
        bridge.feed(m_imu.bytes.left(31));
        QCOMPARE(bridge.gnssFixStatus(), QStringLiteral("故障"));
        QCOMPARE(bridge.deviceNavStatus(), QStringLiteral("—"));
        QCOMPARE(bridge.streamTierLabel(), QStringLiteral("IMU"));
        QCOMPARE(bridge.imuPanel().keys(),
                 QStringList({ "ax", "ay", "az", "gx", "gy", "gz", "temp" }));
        const TelemetrySnapshot s = snapshots.at(0).at(0).value<TelemetrySnapshot>();
        QCOMPARE(s.fields.keys(),
                 QStringList({ "ax", "ay", "az", "count", "format", "gx", "gy", "gz", "stream_tier",
                               "temp" }));
        QCOMPARE(s.fields.value("count").toInt(), m_imu.events[1].value("count").toInt());
    }

    void ahrsSentenceFillsTheAhrsPanel()
    {
        InsBridge bridge;
        bridge.feed("#vorn,ahrsasc,7,1,2,3,4,5,6,0,0,0,30,-10,20,0,0*ff\r\n");
        QCOMPARE(bridge.streamTier(), 2);
        QCOMPARE(bridge.streamTierLabel(), QStringLiteral("AHRS"));
        QCOMPARE(bridge.ahrsPanel().size(), 10);
        QCOMPARE(bridge.ahrsPanel().value("yaw").toFloat(), 30.0f);
        QCOMPARE(bridge.ahrsPanel().value("pitch").toFloat(), -10.0f);
    }

    // A format change hides the values of the previous format at once.
    void formatChangeClearsThePanels()
    {
        InsBridge bridge;
        bridge.feed(m_sins.bytes.left(59));
        bridge.resetParseBuffer(); // a new connection, now with an IMU unit
        QCOMPARE(bridge.streamTier(), 0);
        QVERIFY(bridge.sinsPanel().isEmpty());
        const int epoch = bridge.panelEpoch();
        bridge.feed(m_imu.bytes.left(31));
        QVERIFY(bridge.sinsPanel().isEmpty());
        QCOMPARE(bridge.imuPanel().size(), 7);
        QCOMPARE(bridge.panelEpoch(), epoch + 2);

        // Without a reset: the switch in the middle of the stream clears as well.
        bridge.feed("#vorn,sinsasc,0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,97*ff\r\n");
        QVERIFY(bridge.imuPanel().isEmpty());
        QCOMPARE(bridge.sinsPanel().size(), 20);
        QCOMPARE(bridge.packetFormat(), QStringLiteral("sinsasc"));
        QCOMPARE(bridge.deviceNavStatus(), QStringLiteral("组合导航"));
        QCOMPARE(bridge.gnssFixStatus(), QStringLiteral("定位定向"));
    }

    // An ahrsasc sentence with the wrong field count: format unknown, tier 0.
    void recordOfUnknownFormatClearsOnceAndBuildsNothing()
    {
        InsBridge bridge;
        QSignalSpy snapshots(&bridge, &InsBridge::snapshotReady);
        bridge.feed(m_sins.bytes.left(59));
        const int epoch = bridge.panelEpoch();
        bridge.feed("#vorn,ahrsasc,1,2,3*ff\r\n");
        QCOMPARE(bridge.panelEpoch(), epoch + 1);
        QVERIFY(bridge.sinsPanel().isEmpty());
        QCOMPARE(bridge.streamTier(), 0);
        QCOMPARE(bridge.packetFormat(), QStringLiteral("nullformat"));
        const TelemetrySnapshot s = snapshots.last().at(0).value<TelemetrySnapshot>();
        QCOMPARE(s.fields.value("stream_tier").toInt(), 0);
        QCOMPARE(s.fields.size(), 10);
    }

    void statusBytesDecodeToTexts_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("fix");
        QTest::addColumn<QString>("nav");
        QTest::newRow("0x00") << 0x00 << "故障"
                              << "—";
        QTest::newRow("0x14") << 0x14 << "无效"
                              << "对准";
        QTest::newRow("0x26") << 0x26 << "定位"
                              << "校准";
        QTest::newRow("0x77") << 0x77 << "定位定向"
                              << "纯惯性导航";
        QTest::newRow("0x97") << 0x97 << "定位定向"
                              << "组合导航";
        QTest::newRow("0xF3") << 0xF3 << "—"
                              << "—";
        QTest::newRow("0x35") << 0x35 << "—"
                              << "—";
    }

    void statusBytesDecodeToTexts()
    {
        QFETCH(int, status);
        QFETCH(QString, fix);
        QFETCH(QString, nav);
        QCOMPARE(InsBridge::decodeGnssFix(quint8(status)), fix);
        QCOMPARE(InsBridge::decodeDeviceNav(quint8(status)), nav);
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

        // Headers whose frames never verify: waiting for a sync.
        InsBridge syncing;
        QByteArray fake;
        while (fake.size() < 600)
            fake += QByteArray("\xAA\x55", 2) + noHeaders(20);
        syncing.feed(fake);
        QCOMPARE(syncing.recPackets(), 0);
        QCOMPARE(syncing.parseHint(),
                 QStringLiteral("已发现 AA55 帧头，正在同步校验…若长时间无数据请检查输出格式是否与 "
                                "IMU/AHRS/SINS 页一致。"));
        // Then real frames: no hint.
        syncing.feed(m_imu.bytes.left(31 * 20));
        QVERIFY(syncing.recPackets() > 0);
        QCOMPARE(syncing.parseHint(), QString());
    }

    void parseLogIsWrittenOnlyWhenAskedFor_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("written");
        QTest::newRow("1") << QByteArray("1") << true;
        QTest::newRow("7") << QByteArray("7") << true;
        QTest::newRow("0") << QByteArray("0") << false;
        QTest::newRow("text") << QByteArray("yes") << false;
        QTest::newRow("unset") << QByteArray() << false;
    }

    void parseLogIsWrittenOnlyWhenAskedFor()
    {
        QFETCH(QByteArray, value);
        QFETCH(bool, written);
        QTemporaryDir home;
        QVERIFY(home.isValid());
        qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
        if (value.isNull())
            qunsetenv("GCS_PARSE_LOG");
        else
            qputenv("GCS_PARSE_LOG", value);
        const QString path = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
            + QStringLiteral("/parse-debug.log");
        QVERIFY(path.startsWith(home.path()));
        {
            InsBridge bridge;
            bridge.feed(noHeaders(100));
            bridge.feed(m_imu.bytes.left(31 * 20));
        }
        qunsetenv("GCS_PARSE_LOG");
        QFile log(path);
        QCOMPARE(log.exists(), written);
        if (!written)
            return;
        QVERIFY(log.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList lines = QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        const QRegularExpression form(QStringLiteral(
            "^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\S* bytes=(\\d+) pkts=(\\d+) "
            "aa55=(\\d+) hint=(.*)$"));
        const QRegularExpressionMatch first = form.match(lines[0]);
        QVERIFY2(first.hasMatch(), qPrintable(lines[0]));
        QCOMPARE(first.captured(1), QStringLiteral("100"));
        QCOMPARE(first.captured(4), QStringLiteral("等待导航数据…"));
        const QRegularExpressionMatch second = form.match(lines[1]);
        QVERIFY2(second.hasMatch(), qPrintable(lines[1]));
        QCOMPARE(second.captured(1), QStringLiteral("720"));
        QCOMPARE(second.captured(2), QStringLiteral("20"));
        QCOMPARE(second.captured(4), QString());
    }

    void configurationRepliesFillTheMaps()
    {
        InsBridge bridge;
        QSignalSpy config(&bridge, &InsBridge::configChanged);
        const InsStream text = loadInsStream(QStringLiteral("text_sentences"));
        QVERIFY2(text.error.isEmpty(), qPrintable(text.error));
        bridge.feed("#vorn,com1,mode:232,baud:115200,fre:200,protocol:sinsbin*ff\r\n");
        QCOMPARE(bridge.serialConfig(),
                 QVariantMap({ { "serialType", 232 },
                               { "baudRate", 115200 },
                               { "packetFre", 200 },
                               { "packetFormat", "sinsbin" } }));
        QCOMPARE(bridge.serialConfig().value("packetFormat").typeId(), QMetaType::QString);

        // Every reply of the grammar; the last of each kind wins. The stream ends in the
        // middle of a softver reply, completed here.
        bridge.feed(text.bytes + "\r\n");
        const QVariantMap gyro = bridge.gyroConfig();
        QCOMPARE(gyro.size(), 19);
        QCOMPARE(gyro.value("sn").typeId(), QMetaType::LongLong);
        // The reply with the wrong field count came last and set everything to 0.
        QCOMPARE(gyro.value("sn").toLongLong(), 0);
        QVERIFY(!gyro.contains("kg1xx") && !gyro.contains("kg1yy") && !gyro.contains("kg1zz"));
        QCOMPARE(bridge.installConfig(), QVariantMap({ { "x", 0.0 }, { "y", 0.0 }, { "z", 0.0 } }));
        QCOMPARE(bridge.axis(), QString()); // the last axis reply had the wrong count
        QCOMPARE(bridge.softver(), QStringLiteral("V9.9.9"));
        QCOMPARE(bridge.gnssYaw(), 0.0);
        QCOMPARE(bridge.extrapMs(), 30.5);
        QCOMPARE(bridge.serialConfig().value("packetFormat").toString(),
                 QStringLiteral("nullformat"));

        config.clear();
        bridge.feed("#vorn,factory,GyroSN:42,kggX:1,2,3,kggY:4,5,6,kggZ:7,8,9,kg0:10,11,12,"
                    "kg1:13,14,15,16,17,18,19,20,21*ff\r\n"
                    "#vorn,gnm,ka1:0.5,-0.25,1.125*ff\r\n#vorn,axis,x:Y,y:-X,z:Z*ff\r\n"
                    "#vorn,gnss,2.75*ff\r\n");
        QCOMPARE(config.count(), 4);
        const QVariantMap g = bridge.gyroConfig();
        QCOMPARE(g.value("sn").toLongLong(), 42);
        QCOMPARE(g.value("t2x").toDouble(), 1.0);
        QCOMPARE(g.value("t1x").toDouble(), 2.0);
        QCOMPARE(g.value("kggx").toDouble(), 3.0);
        QCOMPARE(g.value("kggz").toDouble(), 9.0);
        QCOMPARE(g.value("biasx").toDouble(), 10.0);
        QCOMPARE(g.value("biasz").toDouble(), 12.0);
        QCOMPARE(g.value("kg1xy").toDouble(), 14.0);
        QCOMPARE(g.value("kg1xz").toDouble(), 15.0);
        QCOMPARE(g.value("kg1yx").toDouble(), 16.0);
        QCOMPARE(g.value("kg1yz").toDouble(), 18.0);
        QCOMPARE(g.value("kg1zx").toDouble(), 19.0);
        QCOMPARE(g.value("kg1zy").toDouble(), 20.0);
        QCOMPARE(bridge.installConfig().value("z").toDouble(), 1.125);
        QCOMPARE(bridge.axis(), QStringLiteral("Y -X Z"));
        QCOMPARE(bridge.gnssYaw(), 2.75);

        // Replies survive a reset of the parser.
        bridge.resetParseBuffer();
        QCOMPARE(bridge.softver(), QStringLiteral("V9.9.9"));
        QCOMPARE(bridge.gyroConfig().value("sn").toLongLong(), 42);
        QCOMPARE(bridge.axis(), QStringLiteral("Y -X Z"));
    }

    void factoryRawKeepsItsNewestText()
    {
        InsBridge bridge;
        QSignalSpy config(&bridge, &InsBridge::configChanged);
        bridge.appendFactoryRaw(QByteArray());
        QCOMPARE(config.count(), 0);
        bridge.clearFactoryRaw();
        QCOMPARE(config.count(), 0);

        bridge.appendFactoryRaw(QByteArray("ab\xE9\x00z", 5));
        QCOMPARE(bridge.factoryRaw(), QString::fromLatin1("ab\xE9\x00z", 5));
        QByteArray big(25000, 'q');
        for (int i = 0; i < big.size(); ++i)
            big[i] = char('a' + i % 26);
        bridge.appendFactoryRaw(big);
        QCOMPARE(bridge.factoryRaw().size(), 10000);
        QCOMPARE(bridge.factoryRaw(), QString::fromLatin1(big.right(10000)));
        QCOMPARE(config.count(), 2);

        // Just at the cap nothing is cut.
        bridge.clearFactoryRaw();
        bridge.appendFactoryRaw(QByteArray(20000, 'x'));
        QCOMPARE(bridge.factoryRaw().size(), 20000);
        bridge.appendFactoryRaw("y");
        QCOMPARE(bridge.factoryRaw().size(), 10000);
        QVERIFY(bridge.factoryRaw().endsWith(QLatin1String("xy")));
        bridge.clearFactoryRaw();
        QCOMPARE(bridge.factoryRaw(), QString());
        QCOMPARE(config.count(), 6);
    }

    void statisticsOperations()
    {
        InsBridge bridge;
        QSignalSpy stats(&bridge, &InsBridge::statsChanged);
        bridge.addSendBytes(0);
        bridge.addSendBytes(-5);
        QCOMPARE(stats.count(), 0);
        QCOMPARE(bridge.sendBytes(), 0);
        bridge.addSendBytes(23);
        QCOMPARE(bridge.sendBytes(), 23);
        QCOMPARE(stats.count(), 1);

        bridge.tickRecTime(1);
        QCOMPARE(bridge.recTimeText(), QStringLiteral("00:00:01"));
        bridge.tickRecTime(3661);
        QCOMPARE(bridge.recTimeText(), QStringLiteral("01:01:02"));
        bridge.feed(m_imu.bytes.left(31 * 10));
        QCOMPARE(bridge.recPackets(), 10);
        QCOMPARE(bridge.recBytes(), 310);
        QCOMPARE(bridge.packetFre(), 0); // 10 packets over 3662 s
        bridge.feed("#vorn,nonsense*ff\r\n");
        QCOMPARE(bridge.packetErrs(), 1);

        stats.clear();
        bridge.resetStats();
        QCOMPARE(stats.count(), 1);
        QCOMPARE(bridge.recPackets(), 0);
        QCOMPARE(bridge.recBytes(), 0);
        QCOMPARE(bridge.sendBytes(), 0);
        QCOMPARE(bridge.packetErrs(), 0);
        QCOMPARE(bridge.recTimeText(), QStringLiteral("00:00:00"));
        QCOMPARE(bridge.streamTier(), 1); // the format stays until the parser is reset

        bridge.resetParseBuffer();
        QCOMPARE(bridge.streamTier(), 0);
        QCOMPARE(bridge.packetFormat(), QString());
        QVERIFY(bridge.model()->receiveBuffer().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestInsBridge)
#include "tst_insbridge.moc"
