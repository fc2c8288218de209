// The INS decoder beyond what the recorded streams show (tst_capturereader reads each of
// them through it at random chunk sizes): any split of the input, the bounds of its
// buffers, resets and re-entrant slots, time stamps and rates, the message-log entry and
// the helpers of its interface.
#include "InsTestStreams.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

using gcs::test::InsEventLog;
using gcs::test::loadInsStream;

namespace {

// Bytes that hold neither a frame header nor a sentence header.
QByteArray garbage(qsizetype size, quint32 seed)
{
    QRandomGenerator rng(seed);
    QByteArray out;
    while (out.size() < size) {
        const char c = char(rng.bounded(256));
        if (uchar(c) != 0xAA && c != '#')
            out += c;
    }
    return out;
}

// The wire frames and counters of data fed in pieces ending at cuts, then ended.
QByteArray decode(const QByteArray& data, const QList<qsizetype>& cuts = {}, int* records = nullptr)
{
    RecDataModel model;
    InsEventLog log(&model);
    qsizetype from = 0;
    for (qsizetype cut : cuts + QList<qsizetype> { data.size() }) {
        model.anaylzeRec(data.mid(from, cut - from));
        from = cut;
    }
    model.endOfInput();
    if (records)
        *records = log.records;
    QByteArray counters;
    for (const QVariant& v : RecDataModel::integrityFields(model.integrity()))
        counters += v.toByteArray() + ' ';
    return log.wireTrace + '|' + counters;
}

} // namespace

class TestRecDataModel : public QObject
{
    Q_OBJECT

    QList<QByteArray> m_imu;
    QList<QByteArray> m_sins;

private slots:
    void initTestCase()
    {
        const QByteArray imu = loadInsStream("imubin").bytes, sins = loadInsStream("sinsbin").bytes;
        for (int i = 0; i < 20; ++i) {
            m_imu << imu.mid(i * 31, 31);
            m_sins << sins.mid(i * 59, 59);
        }
        QCOMPARE(m_sins.last().size(), 59);
    }

    void anyChunkingDecodesTheSame_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("imubin") << m_imu.mid(0, 12).join();
        QTest::newRow("sinsbin") << m_sins.mid(0, 8).join();
        QTest::newRow("mixed") << loadInsStream("mixed_noisy").bytes.left(1500);
        QTest::newRow("false imu lock") << loadInsStream("sinsbin_false_imu_lock").bytes;
        QTest::newRow("lone AA") << garbage(40, 1) + m_sins[0] + "\xAA" + m_sins[1];
    }

    // Two chunks cut at every offset (a header split between AA and 55, a frame split
    // while hunting or locked), then random reads: the same frames and the same counters
    // as from one chunk.
    void anyChunkingDecodesTheSame()
    {
        QFETCH(QByteArray, data);
        int records = 0;
        const QByteArray whole = decode(data, {}, &records);
        QVERIFY(records >= 2);
        for (qsizetype cut = 0; cut <= data.size(); ++cut)
            QVERIFY2(decode(data, { cut }) == whole, qPrintable(QString("cut at %1").arg(cut)));
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator rng(seed);
        for (int round = 0; round < 40; ++round) {
            QList<qsizetype> cuts;
            for (qsizetype at = rng.bounded(1, 70); at < data.size(); at += rng.bounded(1, 70))
                cuts << at;
            QVERIFY2(decode(data, cuts) == whole, qPrintable(QString("seed %1").arg(seed)));
        }
    }

    // Every buffer has a bound, and what a bound drops counts as skipped.
    void buffersStayBounded()
    {
        // No header at all: cut to the newest 131072 bytes once past 262144.
        const QByteArray junk = garbage(300000, 11);
        RecDataModel model;
        model.anaylzeRec(junk);
        QCOMPARE(model.receiveBuffer(), junk.right(RecDataModel::kBufferKeep));
        QCOMPARE(model.integrity().skippedBytes, 300000 - RecDataModel::kBufferKeep);
        // Only a trailing lone AA is kept, as the possible start of the next header.
        model.anaylzeRec(m_imu[0] + QByteArray("\xAA\x01\xAA\x00", 4));
        QVERIFY(model.receiveBuffer().isEmpty());
        model.anaylzeRec(m_imu[1] + QByteArray("\x10\xAA", 2));
        QCOMPARE(model.receiveBuffer(), QByteArray("\xAA", 1));
        QCOMPARE(model.recPackets(), 2);

        // A line that never ends is dropped past its cap as a packet error, fed at once or
        // piece by piece; the sentences after it decode; a long line that ends is a line.
        RecDataModel text;
        QSignalSpy versions(&text, &RecDataModel::newSoftVerValue);
        for (int i = 0; i < 256; ++i) {
            text.anaylzeRec("#vorn," + QByteArray(4090, 'x'));
            QVERIFY(text.receiveBuffer().size() <= RecDataModel::kMaxLineBytes);
        }
        QVERIFY2(qAbs(text.packetErrs() - 15) <= 1, qPrintable(QString::number(text.packetErrs())));
        text.resetRecStatistics();
        text.anaylzeRec("\r\n#vorn,softver,V3.0.1*ff\r\n#vorn" + QByteArray(200000, 'y'));
        QCOMPARE(versions.count(), 1);
        QVERIFY(text.receiveBuffer().isEmpty());
        text.anaylzeRec("#vorn,hello," + QByteArray(100000, 'z') + "*ff\r\n");
        QCOMPARE(text.packetErrs(), 3);
        QCOMPARE(text.integrity().sentences, 1);
    }

    // Frames that share the buffer with a sentence are read as text lines; once the buffer
    // holds no "#vorn" any more, frames decode again.
    void framesSharingTheBufferWithASentenceAreReadAsLines()
    {
        RecDataModel model;
        QSignalSpy values(&model, &RecDataModel::newValue);
        QSignalSpy versions(&model, &RecDataModel::newSoftVerValue);
        model.anaylzeRec(m_sins.mid(0, 4).join() + "\n#vorn,softver,V1*ff\r\n");
        QCOMPARE(values.count() + versions.count(), 1);
        model.anaylzeRec(m_sins.mid(4, 4).join());
        QCOMPARE(values.count(), 4);
        // A line waits for its line feed; a carriage return alone does not end it.
        model.anaylzeRec("#vorn,softver,V2*ff\r\n\r#vorn,softver,V3*ff");
        QCOMPARE(model.receiveBuffer(), QByteArray("\r#vorn,softver,V3*ff"));
        model.anaylzeRec("\n");
        QCOMPARE(versions.count(), 3);
    }

    // Every message of a chunk carries the chunk's arrival time; a text line loses its
    // line end (CR and LF only); the rate waits for a second of receive time.
    void timesAndRates()
    {
        RecDataModel model;
        InsEventLog log(&model);
        QCOMPARE(model.hostRxMs(), 0);
        const qint64 before = QDateTime::currentMSecsSinceEpoch();
        model.anaylzeRec(m_imu.mid(0, 3).join());
        QVERIFY(model.hostRxMs() >= before);
        QCOMPARE(log.wireStamps, QList<qint64>(3, model.hostRxMs()));
        model.anaylzeRec("#vorn,imu,1,2,3,4,5,6,7,8*ff  \r\r\n");
        QVERIFY(log.wireTrace.endsWith("#vorn,imu,1,2,3,4,5,6,7,8*ff  "));

        RecDataModel rate;
        rate.anaylzeRec(m_imu.mid(0, 10).join());
        QCOMPARE(rate.packetFre(), 0);
        rate.addRecStatisticsRecTime(2);
        rate.anaylzeRec(m_imu.mid(10, 10).join());
        QCOMPARE(rate.packetFre(), 10);
        rate.addRecStatisticsRecTime(1);
        rate.anaylzeRec(QByteArray());
        QCOMPARE(rate.packetFre(), 6);
    }

    void statisticsAndParseBufferResetSeparately()
    {
        RecDataModel model;
        model.anaylzeRec(m_imu[0] + m_imu[2] + m_imu[3].left(30));
        model.addRecStatisticsSendBytes(12);
        QCOMPARE(model.integrity().lostFrames, 1);
        model.resetParseBuffer();
        QCOMPARE(model.lockedFrameLength(), 0);
        QVERIFY(model.receiveBuffer().isEmpty());
        QCOMPARE(model.recPackets() + model.sendBytes(), 2 + 12);
        model.resetRecStatistics();
        for (const QVariant& v : RecDataModel::integrityFields(model.integrity()))
            QCOMPARE(v.toLongLong(), 0);
        QCOMPARE(model.recPackets() + model.sendBytes() + model.packetFre(), 0);
        // The rest of the frame whose start was dropped is no frame; the counter starts
        // afresh after the reset, so the jump to frame 5 loses nothing.
        model.anaylzeRec(m_imu[3].mid(30) + m_imu[5] + m_imu[6]);
        QCOMPARE(model.recPackets(), 2);
        QCOMPARE(model.integrity().lostFrames, 0);
        QCOMPARE(model.integrity().skippedBytes, 1);
    }

    // A slot that resets the parser or feeds more bytes while a chunk is being decoded.
    void slotsMayResetOrFeedTheDecoder()
    {
        RecDataModel model;
        InsEventLog log(&model);
        connect(&model, &RecDataModel::newValue, &model, [&] {
            if (log.records == 2)
                model.resetParseBuffer();
            else if (log.records == 4)
                model.anaylzeRec(m_imu.mid(10, 5).join());
        });
        model.anaylzeRec(m_imu.mid(0, 10).join());
        QCOMPARE(log.records, 2);
        QVERIFY(model.receiveBuffer().isEmpty());
        model.anaylzeRec(m_imu.mid(0, 5).join());
        QCOMPARE(log.records, 12);
        QVERIFY(log.wireTrace.endsWith("31:" + m_imu[14]));
    }

    // A message log's entry: each message decoded on its own, a frame at its own length
    // whatever came before, a text line with or without its line end.
    void wholeMessagesDecodeOnTheirOwn()
    {
        RecDataModel model;
        InsEventLog log(&model);
        QByteArray broken = m_sins[2];
        broken[10] = char(broken[10] ^ 1);
        for (const QByteArray& m : { m_imu[0], m_sins[0], m_imu[1], broken,
                                     QByteArray("#vorn,softver,V2*ff"), QByteArray("#vorn,x*ff") })
            model.decodeMessage(m, 1234);
        QCOMPARE(log.records, 3);
        QCOMPARE(log.wireStamps.first(), 1234);
        QCOMPARE(RecDataModel::integrityFields(model.integrity()),
                 QVariantMap({ { "bytes", 31 * 2 + 59 * 2 + 19 + 10 },
                               { "frames", 3 },
                               { "sentences", 1 },
                               { "checksum_errors", 1 },
                               { "text_errors", 1 },
                               { "skipped_bytes", 59 + 10 },
                               { "lost_frames", 1 } }));
        QVERIFY(model.receiveBuffer().isEmpty());
    }

    void interfaceHelpers()
    {
        const QByteArray bytes("\x01\x02\x03\xFF", 4);
        QCOMPARE(RecDataModel::checksumCalc(bytes, 0) + RecDataModel::checksumCalc(bytes, -3)
                     + RecDataModel::checksumCompCalc(bytes, 0),
                 0);
        QCOMPARE(RecDataModel::checksumCalc(bytes, 4), quint8(5));
        QCOMPARE(RecDataModel::checksumCompCalc(bytes, 3), quint8(250));
        QCOMPARE(RecDataModel::checksumCalc(QByteArray(200, '\x01'), 127), quint8(127));
        QVERIFY(RecDataModel::isBinaryAA55(QByteArray("\x00\xAA\x55", 3)));
        QVERIFY(!RecDataModel::isBinaryAA55(QByteArray("\x55\xAA", 2)));
        QVERIFY(RecDataModel::isStringVorn("xx#vorn,") && !RecDataModel::isStringVorn("#VORN,"));
        QCOMPARE(RecDataModel::extractImubin(QByteArray("\xAA\x55")).format, RecImuBin);
        QCOMPARE(RecDataModel::PacketEnumToString(RecPacketFormat(11)), "nullformat");
        const QStringList names = RecDataModel::getPacketEnumStrings();
        QCOMPARE(names.join(' '),
                 "imubin imuasc ahrsbin ahrsasc sinsbin sinsasc extsinsbin0 "
                 "extsinsbin1 calibpn dzt500");
        for (const QString& n : names)
            QCOMPARE(RecDataModel::PacketEnumToString(RecDataModel::stringToPacketEnum(n)), n);
        QCOMPARE(RecDataModel::stringToPacketEnum("IMUBIN"), RecNullFormat);
    }
};

QTEST_GUILESS_MAIN(TestRecDataModel)
#include "tst_recdatamodel.moc"
