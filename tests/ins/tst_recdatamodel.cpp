// The binary path of the INS decoder, driven with the recorded streams of tests/data/ins
// (frames encoded by gen_ins_streams.py from the frame layouts, not by the decoder).
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

// The frames of a clean single-kind stream.
QList<QByteArray> framesOf(const QByteArray& stream, int len)
{
    QList<QByteArray> frames;
    for (qsizetype at = 0; at + len <= stream.size(); at += len)
        frames << stream.mid(at, len);
    return frames;
}

QByteArray concat(const QList<QByteArray>& parts)
{
    QByteArray out;
    for (const QByteArray& p : parts)
        out += p;
    return out;
}

// Bytes that hold neither a frame header nor a sentence header.
QByteArray garbage(qsizetype size, quint32 seed)
{
    QRandomGenerator rng(seed);
    QByteArray out;
    out.reserve(size);
    while (out.size() < size) {
        const char c = char(rng.bounded(256));
        if (uchar(c) != 0xAA && c != '#')
            out += c;
    }
    return out;
}

// The wire fingerprint of one stream decoded in one chunk.
QByteArray singleChunkTrace(const QByteArray& data, int* records = nullptr)
{
    RecDataModel model;
    InsEventLog log(&model);
    model.anaylzeRec(data);
    if (records)
        *records = log.records;
    return log.wireTrace;
}

} // namespace

class TestRecDataModel : public QObject
{
    Q_OBJECT

private:
    InsStream m_imu;
    InsStream m_sins;
    InsStream m_noisy;
    QList<QByteArray> m_imuFrames;
    QList<QByteArray> m_sinsFrames;

private slots:
    void initTestCase()
    {
        m_imu = loadInsStream(QStringLiteral("imubin"));
        m_sins = loadInsStream(QStringLiteral("sinsbin"));
        m_noisy = loadInsStream(QStringLiteral("mixed_noisy"));
        QVERIFY2(m_imu.error.isEmpty(), qPrintable(m_imu.error));
        QVERIFY2(m_sins.error.isEmpty(), qPrintable(m_sins.error));
        QVERIFY2(m_noisy.error.isEmpty(), qPrintable(m_noisy.error));
        m_imuFrames = framesOf(m_imu.bytes, 31);
        m_sinsFrames = framesOf(m_sins.bytes, 59);
        QCOMPARE(m_imuFrames.size(), 300);
        QCOMPARE(m_sinsFrames.size(), 300);
    }

    void recordedStreamDecodesAsExpected_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("chunk");
        const char* const streams[] = { "imubin",
                                        "sinsbin",
                                        "mixed_noisy",
                                        "sinsbin_checksum_lf",
                                        "imubin_checksum_lf",
                                        "sinsbin_false_imu_lock" };
        for (const char* s : streams) {
            for (int chunk : { 0, 1, 2, 7, 30, 64, 4096 })
                QTest::addRow("%s/%d", s, chunk) << QString::fromLatin1(s) << chunk;
        }
    }

    // Every record field, every wire frame byte for byte, in order, and the counters;
    // chunk sizes below a frame (7 bytes, say) included.
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
    }

    void splitAtEveryOffsetDecodesTheSame_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("imubin") << m_imu.bytes.left(31 * 12);
        QTest::newRow("sinsbin") << m_sins.bytes.left(59 * 8);
        QTest::newRow("mixed") << m_noisy.bytes.left(1500);
        const InsStream lock = loadInsStream(QStringLiteral("sinsbin_false_imu_lock"));
        QTest::newRow("false imu lock") << lock.bytes;
    }

    // Two chunks, cut at every offset: the same frames come out as from one chunk.
    void splitAtEveryOffsetDecodesTheSame()
    {
        QFETCH(QByteArray, data);
        int wanted = 0;
        const QByteArray expected = singleChunkTrace(data, &wanted);
        QVERIFY(wanted > 2);
        for (qsizetype cut = 0; cut <= data.size(); ++cut) {
            RecDataModel model;
            InsEventLog log(&model);
            gcs::test::feedSplit(model, data, { cut });
            if (log.wireTrace != expected)
                QFAIL(qPrintable(QStringLiteral("cut at %1: %2 records, expected %3")
                                     .arg(cut)
                                     .arg(log.records)
                                     .arg(wanted)));
        }
    }

    // The decoded records do not depend on how the bytes are split into chunks.
    void randomSplitsDecodeTheSame()
    {
        const QByteArray data = m_noisy.bytes + m_sins.bytes + m_imu.bytes;
        const QByteArray expected = singleChunkTrace(data);
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator rng(seed);
        for (int round = 0; round < 60; ++round) {
            QList<qsizetype> cuts;
            // Short reads mostly, now and then a long one.
            for (qsizetype at = 0;;) {
                at += rng.bounded(10) == 0 ? rng.bounded(1, 2000) : rng.bounded(1, 70);
                if (at >= data.size())
                    break;
                cuts << at;
            }
            RecDataModel model;
            InsEventLog log(&model);
            gcs::test::feedSplit(model, data, cuts);
            QVERIFY2(log.wireTrace == expected,
                     qPrintable(QStringLiteral("seed %1 round %2").arg(seed).arg(round)));
        }
    }

    // A header whose AA ends one chunk and whose 55 starts the next: the frame survives,
    // locked or hunting, and nothing else is lost.
    void headerSplitBetweenChunksIsDecoded()
    {
        RecDataModel model;
        InsEventLog log(&model);
        const QByteArray f0 = m_sinsFrames[0], f1 = m_sinsFrames[1], f2 = m_sinsFrames[2];
        // Hunting: garbage, then AA | 55...
        model.anaylzeRec(garbage(40, 1) + f0.left(1));
        QVERIFY(model.receiveBuffer().endsWith('\xAA'));
        model.anaylzeRec(f0.mid(1) + f1.left(1));
        QCOMPARE(log.records, 1);
        QCOMPARE(model.lockedFrameLength(), 59);
        // Locked: the lone AA after a whole frame waits as well.
        QCOMPARE(model.receiveBuffer(), QByteArray("\xAA", 1));
        model.anaylzeRec(f1.mid(1) + f2.left(1));
        model.anaylzeRec(f2.mid(1));
        QCOMPARE(log.records, 3);
        QVERIFY(model.receiveBuffer().isEmpty());
        QCOMPARE(log.wireTrace, "59:" + f0 + "59:" + f1 + "59:" + f2);
    }

    // A trailing 0xAA is kept only as the possible start of a header: one byte, and only
    // at the very end.
    void onlyATrailingLoneAaIsKept()
    {
        RecDataModel model;
        model.anaylzeRec(m_imuFrames[0] + QByteArray("\xAA\x01\xAA\x00", 4));
        QCOMPARE(model.recPackets(), 1);
        QVERIFY(model.receiveBuffer().isEmpty());
        model.anaylzeRec(m_imuFrames[1] + QByteArray("\x10\xAA", 2));
        QCOMPARE(model.recPackets(), 2);
        QCOMPARE(model.receiveBuffer(), QByteArray("\xAA", 1));
        // Not a header after all: the next chunk without AA 55 leaves it with the garbage
        // until a header shows up, which then decodes.
        model.anaylzeRec(QByteArray("\x00\x01", 2));
        model.anaylzeRec(m_imuFrames[2]);
        QCOMPARE(model.recPackets(), 3);
    }

    // While hunting, a frame that arrives in pieces smaller than itself still locks.
    void frameSplitWhileHuntingIsDecoded()
    {
        RecDataModel model;
        InsEventLog log(&model);
        const QByteArray f = m_sinsFrames[5];
        model.anaylzeRec(f.left(20));
        model.anaylzeRec(f.mid(20, 20)); // 31-byte check done and failed; 59 still open
        QCOMPARE(log.records, 0);
        QCOMPARE(model.receiveBuffer(), f.left(40));
        model.anaylzeRec(f.mid(40));
        QCOMPARE(log.records, 1);
        QCOMPARE(log.wireTrace, "59:" + f);
        QCOMPARE(model.lockedFrameLength(), 59);
    }

    void splitFrameWhileLockedIsDecoded()
    {
        RecDataModel model;
        InsEventLog log(&model);
        model.anaylzeRec(m_imuFrames[0]);
        QCOMPARE(model.lockedFrameLength(), 31);
        model.anaylzeRec(m_imuFrames[1].left(17));
        QCOMPARE(log.records, 1);
        model.anaylzeRec(m_imuFrames[1].mid(17));
        QCOMPARE(log.records, 2);
        QCOMPARE(log.wireTrace, "31:" + m_imuFrames[0] + "31:" + m_imuFrames[1]);
    }

    // A header whose every frame length has been tested and failed is dropped, and the
    // search resumes two bytes later.
    void falseHeaderIsDroppedOnceEveryLengthIsTested()
    {
        RecDataModel model;
        InsEventLog log(&model);
        QByteArray fake = QByteArray("\xAA\x55", 2) + garbage(57, 7);
        // Make sure neither check passes by accident.
        fake[30] = char(RecDataModel::checksumCalc(fake, 30) + 1);
        fake[58] = char(RecDataModel::checksumCompCalc(fake, 58) + 1);
        model.anaylzeRec(fake.left(58));
        QCOMPARE(model.receiveBuffer().size(), 58); // the 59-byte check cannot be made yet
        model.anaylzeRec(fake.mid(58) + m_imuFrames[3]);
        QCOMPARE(log.records, 1);
        QCOMPARE(log.wireTrace, "31:" + m_imuFrames[3]);
        QCOMPARE(model.packetErrs(), 0);
    }

    void badChecksumIsDroppedSilently()
    {
        RecDataModel model;
        InsEventLog log(&model);
        QSignalSpy values(&model, &RecDataModel::newValue);
        QByteArray bad = m_sinsFrames[1];
        bad[58] = char(bad[58] ^ 0x01);
        model.anaylzeRec(m_sinsFrames[0] + bad + m_sinsFrames[2]);
        // The bad frame is gone; the lock is lost and found again on the next frame.
        QCOMPARE(values.count(), 2);
        QCOMPARE(log.wireTrace, "59:" + m_sinsFrames[0] + "59:" + m_sinsFrames[2]);
        QCOMPARE(model.recPackets(), 2);
        QCOMPARE(model.packetErrs(), 0);
    }

    void garbageBeforeAFrameIsDiscarded()
    {
        RecDataModel model;
        QSignalSpy values(&model, &RecDataModel::newValue);
        QSignalSpy wires(&model, &RecDataModel::wireFrameForLog);
        model.anaylzeRec(garbage(333, 3) + m_sinsFrames[7]);
        QCOMPARE(values.count(), 1);
        QCOMPARE(wires.count(), 1);
        QCOMPARE(values.at(0).at(0).value<RecDataStruct>().format, RecSinsBin);
        QCOMPARE(wires.at(0).at(0).toByteArray(), m_sinsFrames[7]);
        QCOMPARE(model.recPackets(), 1);
        QVERIFY(model.receiveBuffer().isEmpty());
    }

    // Frames whose checksum byte is a line feed or a carriage return reach the log whole.
    void binaryFramesReachTheLogWhole()
    {
        for (const char* name : { "sinsbin_checksum_lf", "imubin_checksum_lf" }) {
            const InsStream s = loadInsStream(QString::fromLatin1(name));
            RecDataModel model;
            QSignalSpy wires(&model, &RecDataModel::wireFrameForLog);
            model.anaylzeRec(s.bytes);
            QCOMPARE(wires.count(), 2);
            const QByteArray a = wires.at(0).at(0).toByteArray();
            const QByteArray b = wires.at(1).at(0).toByteArray();
            QCOMPARE(a.size() + b.size(), s.bytes.size());
            QCOMPARE(a.back(), '\n');
            QCOMPARE(b.back(), '\r');
        }
    }

    void wireFramesCarryTheirChunksArrivalTime()
    {
        RecDataModel model;
        InsEventLog log(&model);
        QCOMPARE(model.hostRxMs(), 0);
        const qint64 before = QDateTime::currentMSecsSinceEpoch();
        model.anaylzeRec(concat(m_imuFrames.mid(0, 5)));
        const qint64 after = QDateTime::currentMSecsSinceEpoch();
        QCOMPARE(log.wireStamps.size(), 5);
        for (qint64 ms : log.wireStamps)
            QCOMPARE(ms, model.hostRxMs());
        QVERIFY(model.hostRxMs() >= before && model.hostRxMs() <= after);
    }

    void sentenceInTheBufferTakesTheTextPath()
    {
        RecDataModel model;
        InsEventLog log(&model);
        const QByteArray frames = concat(m_imuFrames.mid(0, 3));
        model.anaylzeRec(frames + "\r\n#vorn,softver,V2.1.0*ff\r\n");
        QCOMPARE(log.records, 0); // the frames were read as (bad) text lines
        QCOMPARE(log.events.last().value("ev").toString(), QStringLiteral("softver"));
        // With the sentence consumed, frames decode again.
        model.anaylzeRec(concat(m_imuFrames.mid(3, 3)));
        QCOMPARE(log.records, 3);
    }

    void bufferWithoutHeadersKeepsItsNewestBytes()
    {
        RecDataModel model;
        const QByteArray junk = garbage(300000, 11);
        for (qsizetype at = 0; at < junk.size(); at += 1000)
            model.anaylzeRec(junk.mid(at, 1000));
        // Cut to the newest 131072 bytes each time it passes 262144.
        const QByteArray& buffer = model.receiveBuffer();
        QVERIFY(buffer.size() <= RecDataModel::kBufferCap);
        QVERIFY(junk.endsWith(buffer));

        RecDataModel once;
        once.anaylzeRec(junk);
        QCOMPARE(once.receiveBuffer(), junk.right(131072));
        QCOMPARE(once.recBytes(), 300000);
        // A header arriving later still decodes.
        once.anaylzeRec(m_sinsFrames[0]);
        QCOMPARE(once.recPackets(), 1);
    }

    // One large chunk (a whole capture) decodes exactly like small reads of it.
    void largeChunkDecodesLikeSmallChunks()
    {
        QByteArray big;
        while (big.size() < (8 << 20))
            big += m_noisy.bytes;
        int records = 0;
        const QByteArray whole = singleChunkTrace(big, &records);
        RecDataModel model;
        InsEventLog log(&model);
        gcs::test::feedChunked(model, big, 4096);
        QCOMPARE(log.records, records);
        QVERIFY(log.wireTrace == whole);
        QVERIFY(model.receiveBuffer().size() < 59);
    }

    void packetFreFollowsTheReceiveTime()
    {
        RecDataModel model;
        model.anaylzeRec(concat(m_imuFrames.mid(0, 100)));
        QCOMPARE(model.packetFre(), 0);
        model.addRecStatisticsRecTime(0);
        model.anaylzeRec(concat(m_imuFrames.mid(100, 100)));
        QCOMPARE(model.packetFre(), 0); // less than a second of receive time
        model.addRecStatisticsRecTime(2);
        model.anaylzeRec(QByteArray());
        QCOMPARE(model.recPackets(), 200);
        QCOMPARE(model.packetFre(), 100);
        model.addRecStatisticsRecTime(1);
        model.anaylzeRec(QByteArray());
        QCOMPARE(model.packetFre(), 66);
    }

    void statisticsAndParseBufferResetSeparately()
    {
        RecDataModel model;
        model.anaylzeRec(m_sinsFrames[0] + m_sinsFrames[1].left(30));
        model.addRecStatisticsSendBytes(12);
        model.addRecStatisticsRecTime(3);
        QCOMPARE(model.lockedFrameLength(), 59);
        QCOMPARE(model.receiveBuffer().size(), 30);

        model.resetParseBuffer();
        QCOMPARE(model.lockedFrameLength(), 0);
        QVERIFY(model.receiveBuffer().isEmpty());
        QCOMPARE(model.recPackets(), 1);
        QCOMPARE(model.sendBytes(), 12);

        model.resetRecStatistics();
        QCOMPARE(model.recBytes(), 0);
        QCOMPARE(model.recPackets(), 0);
        QCOMPARE(model.sendBytes(), 0);
        QCOMPARE(model.packetFre(), 0);
        QCOMPARE(model.packetErrs(), 0);
        QCOMPARE(model.recTime(), QTime(0, 0));
        // The rest of the frame whose start was discarded is not a frame.
        model.anaylzeRec(m_sinsFrames[1].mid(30) + m_sinsFrames[2]);
        QCOMPARE(model.recPackets(), 1);
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
        model.anaylzeRec(concat(m_imuFrames.mid(0, 10)));
        QCOMPARE(log.records, 2);
        QVERIFY(model.receiveBuffer().isEmpty());
        disconnect(reset);

        RecDataModel feeder;
        InsEventLog fed(&feeder);
        bool once = false;
        connect(&feeder, &RecDataModel::newValue, &feeder, [&] {
            if (!once) {
                once = true;
                feeder.anaylzeRec(concat(m_imuFrames.mid(10, 5)));
            }
        });
        feeder.anaylzeRec(concat(m_imuFrames.mid(0, 10)));
        QCOMPARE(fed.records, 15);
        QCOMPARE(fed.wireTrace, singleChunkTrace(concat(m_imuFrames.mid(0, 15))));
    }

    void checksumsSumAtMost127Bytes()
    {
        const QByteArray bytes("\x01\x02\x03\xFF", 4);
        QCOMPARE(RecDataModel::checksumCalc(bytes, 0), quint8(0));
        QCOMPARE(RecDataModel::checksumCalc(bytes, -3), quint8(0));
        QCOMPARE(RecDataModel::checksumCompCalc(bytes, 0), quint8(0));
        QCOMPARE(RecDataModel::checksumCalc(bytes, 3), quint8(6));
        QCOMPARE(RecDataModel::checksumCalc(bytes, 4), quint8(5));
        QCOMPARE(RecDataModel::checksumCompCalc(bytes, 3), quint8(250));
        const QByteArray ones(200, '\x01');
        QCOMPARE(RecDataModel::checksumCalc(ones, 127), quint8(127));
        // The frames' own check bytes.
        const QByteArray imu = m_imuFrames[9], sins = m_sinsFrames[9];
        QCOMPARE(RecDataModel::checksumCalc(imu, 30), quint8(imu[30]));
        QCOMPARE(RecDataModel::checksumCompCalc(sins, 58), quint8(sins[58]));
    }

    void headerDetectors()
    {
        QVERIFY(RecDataModel::isBinaryAA55(QByteArray("\x00\xAA\x55", 3)));
        QVERIFY(!RecDataModel::isBinaryAA55(QByteArray("\x55\xAA", 2)));
        QVERIFY(!RecDataModel::isBinaryAA55(QByteArray("\xAA", 1)));
        QVERIFY(RecDataModel::isStringVorn("xx#vorn,"));
        QVERIFY(!RecDataModel::isStringVorn("#VORN,"));
        QVERIFY(!RecDataModel::isStringVorn("#vor"));
    }

    void extractorsDecodeTheFrameLayouts()
    {
        // The first IMU frame of the stream, against its expectation written by the
        // generator, and frames too short for their layout.
        const RecDataStruct imu = RecDataModel::extractImubin(m_imuFrames[0]);
        QCOMPARE(imu.format, RecImuBin);
        const QString diff
            = gcs::test::compareInsEvents({ InsEventLog::recordEvent(imu) }, { m_imu.events[1] });
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
        const RecDataStruct sins = RecDataModel::extractSinsbin(m_sinsFrames[0]);
        QCOMPARE(sins.format, RecSinsBin);
        QCOMPARE(sins.count, 0); // the 59-byte frame carries no counter
        const RecDataStruct shortImu = RecDataModel::extractImubin(QByteArray("\xAA\x55"));
        QCOMPARE(shortImu.format, RecImuBin);
        QCOMPARE(shortImu.gx, 0.0f);
        QCOMPARE(RecDataModel::extractSinsbin(QByteArray()).format, RecSinsBin);
    }

    void formatNames()
    {
        QCOMPARE(RecDataModel::PacketEnumToString(RecImuAsc), QStringLiteral("imuasc"));
        QCOMPARE(RecDataModel::PacketEnumToString(RecSinsBin), QStringLiteral("sinsbin"));
        QCOMPARE(RecDataModel::PacketEnumToString(RecDzt500), QStringLiteral("dzt500"));
        QCOMPARE(RecDataModel::PacketEnumToString(RecNullFormat), QStringLiteral("nullformat"));
        QCOMPARE(RecDataModel::PacketEnumToString(RecPacketFormat(11)),
                 QStringLiteral("nullformat"));
        const QStringList names = RecDataModel::getPacketEnumStrings();
        QCOMPARE(names,
                 QStringList({ "imubin", "imuasc", "ahrsbin", "ahrsasc", "sinsbin", "sinsasc",
                               "extsinsbin0", "extsinsbin1", "calibpn", "dzt500" }));
        for (const QString& n : names)
            QCOMPARE(RecDataModel::PacketEnumToString(RecDataModel::stringToPacketEnum(n)), n);
        QCOMPARE(RecDataModel::stringToPacketEnum(QStringLiteral("IMUBIN")), RecNullFormat);
        QCOMPARE(RecDataModel::stringToPacketEnum(QStringLiteral("sinsbin ")), RecNullFormat);
        QCOMPARE(RecDataModel::stringToPacketEnum(QStringLiteral("nullformat")), RecNullFormat);
    }
};

QTEST_GUILESS_MAIN(TestRecDataModel)
#include "tst_recdatamodel.moc"
