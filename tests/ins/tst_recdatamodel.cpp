// The INS decoder, binary and text paths, driven with the recorded streams of
// tests/data/ins (encoded by gen_ins_streams.py from the frame layouts and the sentence
// grammar, not by the decoder): records, replies, wire frames, counters, chunking, the
// bounds of its buffers and the message-log entry.
#include "InsTestStreams.h"
#include "TestSupport.h"

#include "ins/RecDataModel.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

using gcs::test::InsEventLog;
using gcs::test::InsStream;
using gcs::test::loadInsStream;

namespace {

QList<QByteArray> framesOf(const QByteArray& stream, int len, int count)
{
    QList<QByteArray> frames;
    for (int i = 0; i < count; ++i)
        frames << stream.mid(qsizetype(i) * len, len);
    return frames;
}

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

struct Decoded
{
    QByteArray trace;
    int records = 0;
    RecDataModel::Integrity counters;
};

// Fed in pieces ending at the given offsets, then the input ends.
Decoded decode(const QByteArray& data, const QList<qsizetype>& cuts = {})
{
    RecDataModel model;
    InsEventLog log(&model);
    qsizetype from = 0;
    for (qsizetype cut : cuts + QList<qsizetype> { data.size() }) {
        model.anaylzeRec(data.mid(from, cut - from));
        from = cut;
    }
    model.endOfInput();
    return { log.wireTrace, log.records, model.integrity() };
}

bool sameCounters(const RecDataModel::Integrity& a, const RecDataModel::Integrity& b)
{
    return RecDataModel::integrityFields(a) == RecDataModel::integrityFields(b);
}

} // namespace

class TestRecDataModel : public QObject
{
    Q_OBJECT

private:
    QList<QByteArray> m_imu;
    QList<QByteArray> m_sins;

private slots:
    void initTestCase()
    {
        const InsStream imu = loadInsStream(QStringLiteral("imubin"));
        const InsStream sins = loadInsStream(QStringLiteral("sinsbin"));
        QVERIFY2(imu.error.isEmpty() && sins.error.isEmpty(), qPrintable(imu.error + sins.error));
        m_imu = framesOf(imu.bytes, 31, 300);
        m_sins = framesOf(sins.bytes, 59, 300);
    }

    void recordedStreamDecodesAsExpected_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("chunk");
        for (const char* s : { "imubin", "sinsbin", "mixed_noisy", "sinsbin_checksum_lf",
                               "imubin_checksum_lf", "sinsbin_false_imu_lock", "text_sentences" }) {
            for (int chunk : { 0, 1, 3, 7, 64, 4096 })
                QTest::addRow("%s/%d", s, chunk) << QString::fromLatin1(s) << chunk;
        }
    }

    // Every record field, reply and wire frame in order, and the counters, whatever the
    // chunk size (below a frame's length too). Every byte of a binary stream is in an
    // accepted frame, skipped, or still waiting.
    void recordedStreamDecodesAsExpected()
    {
        QFETCH(QString, name);
        QFETCH(int, chunk);
        const InsStream s = loadInsStream(name);
        QVERIFY2(s.error.isEmpty(), qPrintable(s.error));
        RecDataModel model;
        InsEventLog log(&model);
        gcs::test::feedChunked(model, s.bytes, chunk);
        const QString diff = gcs::test::compareInsEvents(log.events, s.events);
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
        QCOMPARE(model.recBytes(), s.bytesTotal);
        QCOMPARE(model.recPackets(), s.packets);
        QCOMPARE(model.packetErrs(), s.errors);
        const RecDataModel::Integrity c = model.integrity();
        QCOMPARE(c.bytes, s.bytesTotal);
        QCOMPARE(c.textErrors, qint64(s.errors));
        if (name.startsWith(QLatin1String("text"))) {
            // The last line has no line feed yet: it waits, from its carriage return on.
            QCOMPARE(model.receiveBuffer(), QByteArray("\r#vorn,softver,V9.9.9*ff"));
            model.anaylzeRec("\r\n");
            QCOMPARE(log.events.last().value("text").toString(), QStringLiteral("V9.9.9"));
            return;
        }
        QCOMPARE(c.frames, qint64(s.packets));
        QCOMPARE(c.sentences, 0);
        const qsizetype wireBytes = log.wireTrace.size() - 3 * log.records; // "31:" / "59:"
        QCOMPARE(c.skippedBytes + wireBytes + model.receiveBuffer().size(), s.bytesTotal);
    }

    void anyChunkingDecodesTheSame_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("imubin") << m_imu.mid(0, 12).join();
        QTest::newRow("sinsbin") << m_sins.mid(0, 8).join();
        QTest::newRow("mixed") << loadInsStream(QStringLiteral("mixed_noisy")).bytes.left(1500);
        QTest::newRow("false imu lock")
            << loadInsStream(QStringLiteral("sinsbin_false_imu_lock")).bytes;
        QTest::newRow("header split") << garbage(40, 1) + m_sins[0] + "\xAA" + m_sins[1];
    }

    // Two chunks cut at every offset (a header split between AA and 55, a frame split while
    // hunting or locked), then random reads: the same frames and the same counters as
    // from one chunk.
    void anyChunkingDecodesTheSame()
    {
        QFETCH(QByteArray, data);
        const Decoded whole = decode(data);
        QVERIFY(whole.records >= 2);
        for (qsizetype cut = 0; cut <= data.size(); ++cut) {
            const Decoded d = decode(data, { cut });
            if (d.trace != whole.trace || !sameCounters(d.counters, whole.counters))
                QFAIL(qPrintable(QStringLiteral("cut at %1: %2 records, expected %3")
                                     .arg(cut)
                                     .arg(d.records)
                                     .arg(whole.records)));
        }
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator rng(seed);
        for (int round = 0; round < 40; ++round) {
            QList<qsizetype> cuts;
            for (qsizetype at = rng.bounded(1, 70); at < data.size(); at += rng.bounded(1, 70))
                cuts << at;
            const Decoded d = decode(data, cuts);
            QVERIFY2(d.trace == whole.trace && sameCounters(d.counters, whole.counters),
                     qPrintable(QStringLiteral("seed %1 round %2").arg(seed).arg(round)));
        }
    }

    // Every buffer has a bound, and what a bound drops counts as skipped.
    void buffersStayBounded()
    {
        // No header at all: cut to the newest 131072 bytes each time it passes 262144.
        const QByteArray junk = garbage(300000, 11);
        RecDataModel model;
        model.anaylzeRec(junk);
        QCOMPARE(model.receiveBuffer(), junk.right(RecDataModel::kBufferKeep));
        QCOMPARE(model.integrity().skippedBytes, 300000 - RecDataModel::kBufferKeep);
        model.anaylzeRec(m_sins[0]); // a header arriving later still decodes
        QCOMPARE(model.recPackets(), 1);

        // Only a trailing lone AA is kept, as the possible start of the next header.
        RecDataModel lone;
        lone.anaylzeRec(m_imu[0] + QByteArray("\xAA\x01\xAA\x00", 4));
        QVERIFY(lone.receiveBuffer().isEmpty());
        lone.anaylzeRec(m_imu[1] + QByteArray("\x10\xAA", 2));
        QCOMPARE(lone.receiveBuffer(), QByteArray("\xAA", 1));

        // A line that never ends: dropped past the cap, a packet error, and the sentences
        // after it decode. In one chunk it goes at once.
        RecDataModel text;
        QSignalSpy versions(&text, &RecDataModel::newSoftVerValue);
        qsizetype largest = 0;
        for (int i = 0; i < 256; ++i) {
            text.anaylzeRec("#vorn," + QByteArray(4090, 'x'));
            largest = qMax(largest, text.receiveBuffer().size());
        }
        QVERIFY(largest <= RecDataModel::kMaxLineBytes);
        QVERIFY2(text.packetErrs() >= 14 && text.packetErrs() <= 16,
                 qPrintable(QString::number(text.packetErrs())));
        text.anaylzeRec("\r\n#vorn,softver,V3.0.1*ff\r\n");
        QCOMPARE(versions.count(), 1);
        RecDataModel once;
        once.anaylzeRec("#vorn" + QByteArray(200000, 'y'));
        QVERIFY(once.receiveBuffer().isEmpty());
        QCOMPARE(once.packetErrs(), 1);
        QCOMPARE(once.integrity().skippedBytes, 200005);
        // A long line that does end is still a line.
        QSignalSpy wires(&once, &RecDataModel::wireFrameForLog);
        once.anaylzeRec("#vorn,hello," + QByteArray(100000, 'z') + "*ff\r\n");
        QCOMPARE(once.packetErrs(), 2);
        QCOMPARE(wires.count(), 1);
    }

    // Frames that share the buffer with a sentence are read as text lines; once the buffer
    // holds no "#vorn" any more, frames decode again.
    void framesSharingTheBufferWithASentenceAreReadAsLines()
    {
        RecDataModel model;
        QSignalSpy values(&model, &RecDataModel::newValue);
        QSignalSpy versions(&model, &RecDataModel::newSoftVerValue);
        model.anaylzeRec(m_sins.mid(0, 4).join() + "\n#vorn,softver,V1*ff\r\n");
        QCOMPARE(values.count(), 0);
        QCOMPARE(versions.count(), 1);
        QCOMPARE(model.integrity().sentences, 1);
        model.anaylzeRec(m_sins.mid(4, 4).join());
        QCOMPARE(values.count(), 4);
    }

    // Every message of a chunk carries the chunk's arrival time; a text line loses its
    // line end (CR and LF only), a binary frame nothing.
    void wireFramesCarryTheirChunksArrivalTime()
    {
        RecDataModel model;
        InsEventLog log(&model);
        QCOMPARE(model.hostRxMs(), 0);
        const qint64 before = QDateTime::currentMSecsSinceEpoch();
        model.anaylzeRec(m_imu.mid(0, 3).join() + "\r\n#vorn,imu,1,2,3,4,5,6,7,8*ff  \r\r\n");
        QVERIFY(model.hostRxMs() >= before);
        QCOMPARE(log.wireStamps, QList<qint64>(1, model.hostRxMs()));
        QVERIFY(log.wireTrace.endsWith("#vorn,imu,1,2,3,4,5,6,7,8*ff  "));
    }

    void packetFreFollowsTheReceiveTime()
    {
        RecDataModel model;
        model.anaylzeRec(m_imu.mid(0, 100).join());
        QCOMPARE(model.packetFre(), 0); // less than a second of receive time
        model.addRecStatisticsRecTime(2);
        model.anaylzeRec(m_imu.mid(100, 100).join());
        QCOMPARE(model.packetFre(), 100);
        model.addRecStatisticsRecTime(1);
        model.anaylzeRec(QByteArray());
        QCOMPARE(model.packetFre(), 66);
    }

    void statisticsAndParseBufferResetSeparately()
    {
        RecDataModel model;
        model.anaylzeRec(m_imu[0] + m_imu[2] + m_imu[3].left(30));
        model.addRecStatisticsSendBytes(12);
        model.addRecStatisticsRecTime(3);
        QCOMPARE(model.integrity().lostFrames, 1);

        model.resetParseBuffer();
        QCOMPARE(model.lockedFrameLength(), 0);
        QVERIFY(model.receiveBuffer().isEmpty());
        QCOMPARE(model.recPackets(), 2);
        QCOMPARE(model.sendBytes(), 12);

        model.resetRecStatistics();
        for (const QVariant& v : RecDataModel::integrityFields(model.integrity()))
            QCOMPARE(v.toLongLong(), 0);
        QCOMPARE(model.recPackets() + model.sendBytes() + model.packetFre(), 0);
        QCOMPARE(model.recTime(), QTime(0, 0));
        // The rest of the frame whose start was discarded is no frame; the counter
        // starts afresh after the reset, so the jump to frame 5 loses nothing.
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
        int seen = 0;
        auto reset = connect(&model, &RecDataModel::newValue, &model, [&] {
            if (++seen == 2)
                model.resetParseBuffer();
        });
        model.anaylzeRec(m_imu.mid(0, 10).join());
        QCOMPARE(log.records, 2);
        QVERIFY(model.receiveBuffer().isEmpty());
        disconnect(reset);

        RecDataModel feeder;
        InsEventLog fed(&feeder);
        bool once = false;
        connect(&feeder, &RecDataModel::newValue, &feeder, [&] {
            if (!once) {
                once = true;
                feeder.anaylzeRec(m_imu.mid(10, 5).join());
            }
        });
        feeder.anaylzeRec(m_imu.mid(0, 10).join());
        QCOMPARE(fed.records, 15);
        QCOMPARE(fed.wireTrace, decode(m_imu.mid(0, 15).join()).trace);
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
        const RecDataModel::Integrity c = model.integrity();
        QCOMPARE(c.frames, 3);
        QCOMPARE(c.sentences, 1);
        QCOMPARE(c.checksumErrors, 1);
        QCOMPARE(c.textErrors, 1);
        QCOMPARE(c.skippedBytes, 59 + 10);
        QCOMPARE(c.lostFrames, 1);
        QVERIFY(model.receiveBuffer().isEmpty());
    }

    void protocolHelpers()
    {
        const QByteArray bytes("\x01\x02\x03\xFF", 4);
        QCOMPARE(RecDataModel::checksumCalc(bytes, 0), quint8(0));
        QCOMPARE(RecDataModel::checksumCalc(bytes, -3), quint8(0));
        QCOMPARE(RecDataModel::checksumCompCalc(bytes, 0), quint8(0));
        QCOMPARE(RecDataModel::checksumCalc(bytes, 4), quint8(5));
        QCOMPARE(RecDataModel::checksumCompCalc(bytes, 3), quint8(250));
        QCOMPARE(RecDataModel::checksumCalc(QByteArray(200, '\x01'), 127), quint8(127));
        QVERIFY(RecDataModel::isBinaryAA55(QByteArray("\x00\xAA\x55", 3)));
        QVERIFY(!RecDataModel::isBinaryAA55(QByteArray("\x55\xAA", 2)));
        QVERIFY(RecDataModel::isStringVorn("xx#vorn,"));
        QVERIFY(!RecDataModel::isStringVorn("#VORN,"));
        QCOMPARE(RecDataModel::extractImubin(QByteArray("\xAA\x55")).format, RecImuBin);
        QCOMPARE(RecDataModel::extractSinsbin(m_sins[0]).count, 0);

        QCOMPARE(RecDataModel::PacketEnumToString(RecPacketFormat(11)), QStringLiteral("nullformat"));
        const QStringList names = RecDataModel::getPacketEnumStrings();
        QCOMPARE(names,
                 QStringList({ "imubin", "imuasc", "ahrsbin", "ahrsasc", "sinsbin", "sinsasc",
                               "extsinsbin0", "extsinsbin1", "calibpn", "dzt500" }));
        for (const QString& n : names)
            QCOMPARE(RecDataModel::PacketEnumToString(RecDataModel::stringToPacketEnum(n)), n);
        QCOMPARE(RecDataModel::stringToPacketEnum(QStringLiteral("IMUBIN")), RecNullFormat);
        QCOMPARE(RecDataModel::stringToPacketEnum(QStringLiteral("sinsbin ")), RecNullFormat);
    }

    void configurationExtractorsAtTheirBounds()
    {
        auto split = [](const char* line) { return QString::fromLatin1(line).split(','); };
        // gnm: x only with its label and a clean number; y and z by position.
        QCOMPARE(RecDataModel::extractConfigInstall(split("#vorn,gnm,ka1:2.5*ff")).x, 0.0);
        const RecConfigInstallStruct i = RecDataModel::extractConfigInstall(split("#vorn,gnm,ka1:2.5,7"));
        QCOMPARE(i.x, 2.5);
        QCOMPARE(i.y, 7.0);
        QCOMPARE(RecDataModel::extractConfigAxis(split("#vorn,axis,a:b:c,Y,z:-Z*ff")),
                 QList<QString>({ "b:c", "Y", "-Z" }));
        QCOMPARE(RecDataModel::extract_dyawGNSS(split("#vorn,gnss,-3.5")), -3.5);
        QCOMPARE(RecDataModel::extractExtrapTime(split("#vorn,extrapolate time")), 0.0);
        const RecConfigSerialStruct c
            = RecDataModel::extractConfigSerial(split("#vorn,com1,mode:422,rate:9,fre:0x10,x*ff"));
        QCOMPARE(c.serialType, 422);
        QCOMPARE(c.baudRate + c.packetFre, 0);
        QCOMPARE(c.packetFormat, RecNullFormat);
        const QList<QString> f
            = split("#vorn,sinsasc,0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,12345678*ff");
        QCOMPARE(RecDataModel::extractSinsasc(f).status, quint8(0x78));
        QCOMPARE(RecDataModel::extractSinsasc(f).temp, 17.0f);
    }
};

QTEST_GUILESS_MAIN(TestRecDataModel)
#include "tst_recdatamodel.moc"
