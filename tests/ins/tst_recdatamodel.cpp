#include "InsTestStreams.h"

#include <QSignalSpy>
#include <QTest>
#include <QtEndian>

using namespace gcs::test;

namespace {

// The wire frames and counters of data fed in two chunks cut at cut, then ended.
QByteArray decode(const QByteArray& data, qsizetype cut)
{
    RecDataModel model;
    InsEventLog log(&model);
    model.anaylzeRec(data.left(cut));
    model.anaylzeRec(data.mid(cut));
    model.endOfInput();
    return log.wireTrace + counters(model.integrity()).toLatin1();
}

} // namespace

/// The INS decoder beyond what the recorded streams show (tst_capture reads each
/// through it in chunks of random size): a split at any offset, the bounds of its
/// buffers, resets and re-entrant slots, time stamps and rates, the message-log entry and
/// the helpers of its interface.
class TestRecDataModel : public QObject
{
    Q_OBJECT

    QList<QByteArray> m_imu;
    QList<QByteArray> m_sins;

    // A 59-byte frame whose bytes 0 to 29 sum to byte 30 (both checksums made to hold),
    // then two more 59-byte frames.
    QByteArray falseImuLock() const
    {
        QByteArray f = m_sins[4];
        f[30] = char(RecDataModel::checksumCalc(f, 30));
        f[58] = char(RecDataModel::checksumCompCalc(f, 58));
        return f + m_sins[5] + m_sins[7];
    }

    // Frames first to last - 1, checksums made to hold: 31-byte ones with counter n, or
    // 59-byte ones with the time tag of the n-th frame at hz.
    QByteArray frames(int first, int last, double hz = 0) const
    {
        QByteArray s;
        for (int n = first; n < last; ++n) {
            QByteArray f = hz > 0 ? m_sins[1] : m_imu[0];
            if (hz > 0) {
                const qint64 t = qRound64(n * 10000 / hz);
                qToLittleEndian<quint32>(quint32(t / 10000), f.data() + 52);
                qToLittleEndian<quint16>(quint16(t % 10000), f.data() + 56);
                f[58] = char(RecDataModel::checksumCompCalc(f, 58));
            } else {
                qToLittleEndian<qint16>(qint16(n), f.data() + 2);
                f[30] = char(RecDataModel::checksumCalc(f, 30));
            }
            s += f;
        }
        return s;
    }

private slots:
    void initTestCase()
    {
        const QByteArray imu = loadInsStream("imubin").bytes, sins = loadInsStream("sinsbin").bytes;
        for (int i = 0; i < 20; ++i)
            m_imu << imu.mid(i * 31, 31), m_sins << sins.mid(i * 59, 59);
        QCOMPARE(m_sins.last().size(), 59);
    }

    // A header split between AA and 55, a frame split while hunting or locked: the same
    // frames and counters as from one chunk.
    void aSplitAtAnyOffsetDecodesTheSame()
    {
        for (const QByteArray& data :
             { m_imu.mid(0, 6).join() + "\xAA" + m_sins.mid(0, 6).join(), falseImuLock(),
               loadInsStream("mixed_noisy").bytes.left(1200) }) {
            const QByteArray whole = decode(data, 0);
            for (qsizetype cut = 1; cut <= data.size(); ++cut)
                QVERIFY2(decode(data, cut) == whole, qPrintable(QString("cut at %1").arg(cut)));
        }
    }

    // Hunting takes the first 31 bytes of that frame for an IMU frame; the next frame fails
    // the 31-byte check and is lost; the one after locks on 59 again. Frames whose check
    // byte is a line feed or a carriage return reach the log whole.
    void framesAtTheEdgesOfTheRules()
    {
        RecDataModel model;
        InsEventLog log(&model);
        model.anaylzeRec(falseImuLock());
        QCOMPARE(log.events.at(1).value("format").toInt() * 10
                     + log.events.at(3).value("format").toInt(),
                 14);
        QCOMPARE(counters(model.integrity()), "177 2 0 1 0 87 1");
        QByteArray lf = m_sins[3], cr = m_imu[3];
        lf[10] = char(lf[10] + uchar(lf[58]) - '\n'); // the sum changes by what the check byte does
        lf[58] = '\n';
        cr[10] = char(cr[10] + '\r' - uchar(cr[30]));
        cr[30] = '\r';
        for (const QByteArray& frame : { lf, cr }) {
            RecDataModel one;
            QSignalSpy wires(&one, &RecDataModel::wireFrameForLog);
            one.anaylzeRec(frame);
            QCOMPARE(wires.value(0).value(0).toByteArray(), frame);
        }
    }

    void lostFramesFollowTheStreamsOwnOrder_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<qint64>("lost");
        const QByteArray noise("\xAA\x55 line noise \xAA\x55\x01", 17);
        // sinsasc sentences first to last - 1, time-tagged at 200 Hz.
        const auto sentences = [](int first, int last) {
            QByteArray s;
            for (int n = first; n < last; ++n)
                s += "#vorn,sinsasc,0," + QByteArray("1,").repeated(17) + QByteArray::number(50 * n)
                    + ",0*ff\r\n";
            return s;
        };
        // A frame that passes its checksum by chance carries a counter or a time tag from
        // nowhere; when it swallowed the start of the next frame, that one is lost.
        QTest::newRow("imubin: a frame valid by chance")
            << frames(0, 40) + frames(23456, 23457) + frames(40, 80) << 0LL;
        QTest::newRow("imubin: one that swallowed the next")
            << frames(0, 40) + frames(23456, 23457) + frames(41, 80) << 1LL;
        QTest::newRow("imubin: unplugged") << frames(0, 40) + frames(340, 380) << 300LL;
        QTest::newRow("imubin: the unit restarted") << frames(5000, 5040) + frames(0, 40) << 0LL;
        QTest::newRow("imubin: a gap at the end") << frames(0, 40) + frames(43, 44) << 3LL;
        QTest::newRow("imubin: gaps one after another")
            << frames(0, 10) + frames(11, 12) + frames(13, 20) << 2LL;
        // The time tag steps in whole periods once two equal steps made the period evident.
        QTest::newRow("sinsbin: unplugged twice")
            << frames(0, 40, 200) + frames(177, 200, 200) + frames(700, 720, 200) << 637LL;
        QTest::newRow("sinsbin: a period of no whole number of ticks")
            << frames(0, 40, 300) + frames(340, 380, 300) << 300LL;
        QTest::newRow("sinsbin: a frame valid by chance")
            << frames(0, 40, 200) + frames(19753086, 19753087, 200) + frames(40, 80, 200) << 0LL;
        QTest::newRow("sinsbin: a 31-byte frame amid noise, the next lost to its lock")
            << frames(0, 40, 200) + noise + frames(777, 778) + frames(40, 80, 200) << 1LL;
        QTest::newRow("sinsbin: noise and a missing frame")
            << frames(0, 20, 200) + noise + frames(21, 40, 200) << 1LL;
        QTest::newRow("sinsbin: a slower rate") << frames(0, 40, 200) + frames(20, 60, 100) << 0LL;
        QTest::newRow("sinsbin: a faster rate") << frames(0, 40, 200) + frames(80, 160, 400) << 0LL;
        QTest::newRow("sinsasc: unplugged") << sentences(0, 30) + sentences(130, 160) << 100LL;
    }

    // Gaps in a counter or a time tag's steps are lost frames; a jump that the next frame
    // does not go on from is no frame of the stream, one backwards a restart.
    void lostFramesFollowTheStreamsOwnOrder()
    {
        QFETCH(QByteArray, stream);
        QFETCH(qint64, lost);
        RecDataModel model;
        model.anaylzeRec(stream);
        model.endOfInput();
        QCOMPARE(model.integrity().lostFrames, lost);
    }

    // Every buffer has a bound, and what a bound drops counts as skipped.
    void buffersStayBounded()
    {
        // No header at all: cut to the newest 131072 bytes once past 262144.
        const QByteArray junk = QByteArray("0123456789").repeated(30000);
        RecDataModel model;
        model.anaylzeRec(junk);
        QCOMPARE(model.receiveBuffer(), junk.right(RecDataModel::kBufferKeep));
        QCOMPARE(model.integrity().skippedBytes, 300000 - RecDataModel::kBufferKeep);
        // Only a trailing lone AA is kept, as the possible start of the next header.
        model.anaylzeRec(m_imu[0] + QByteArray("\xAA\x01\xAA\x00", 4));
        QVERIFY(model.receiveBuffer().isEmpty());
        model.anaylzeRec(m_imu[1] + QByteArray("\x10\xAA", 2));
        QCOMPARE(model.receiveBuffer(), QByteArray("\xAA", 1));
        // A line that never ends is dropped past its cap as a packet error; the sentences
        // after it decode; a long line that ends is still a line.
        RecDataModel text;
        QSignalSpy versions(&text, &RecDataModel::newSoftVerValue);
        for (int i = 0; i < 256; ++i) {
            text.anaylzeRec("#vorn," + QByteArray(4090, 'x'));
            QVERIFY(text.receiveBuffer().size() <= RecDataModel::kMaxLineBytes);
        }
        QVERIFY2(qAbs(text.packetErrs() - 15) <= 1, qPrintable(QString::number(text.packetErrs())));
        text.anaylzeRec("\r\n#vorn,softver,V3*ff\r\n#vorn,hello," + QByteArray(100000, 'z')
                        + "*ff\r\n");
        QCOMPARE(versions.count(), 1);
        QCOMPARE(text.integrity().skippedBytes + text.integrity().sentences,
                 1048576 + 2 + 100017 + 1);
    }

    // Frames that share the buffer with a sentence are read as text lines until it holds
    // no "#vorn"; a line waits for its line feed (a carriage return does not end it).
    void framesSharingTheBufferWithASentenceAreReadAsLines()
    {
        RecDataModel model;
        QSignalSpy values(&model, &RecDataModel::newValue);
        QSignalSpy versions(&model, &RecDataModel::newSoftVerValue);
        model.anaylzeRec(m_sins.mid(0, 4).join()
                         + "\n#vorn,softver,V1*ff\r\n\r#vorn,softver,V2*ff");
        QCOMPARE(values.count() + versions.count(), 1);
        QCOMPARE(model.receiveBuffer(), QByteArray("\r#vorn,softver,V2*ff"));
        model.anaylzeRec("\n");
        model.anaylzeRec(m_sins.mid(4, 4).join());
        QCOMPARE(values.count() + versions.count(), 4 + 2);
        // Frames behind a sentence's line (and any other line feed) in the last chunk of a
        // capture are decoded at its end.
        QByteArray frames;
        for (const QByteArray& f : m_sins.mid(8))
            frames += f.contains('\n') || frames.size() == 3 * 59 ? QByteArray() : f;
        model.anaylzeRec("#vorn,softver,V3*ff\n" + frames);
        model.endOfInput();
        QCOMPARE(values.count() + versions.count(), 7 + 3);
    }

    // Every message of a chunk carries the chunk's arrival time; a text line loses its
    // line end (CR and LF only); the rate waits for a second of receive time.
    void timesAndRates()
    {
        RecDataModel model;
        InsEventLog log(&model);
        QCOMPARE(model.hostRxMs(), 0);
        model.anaylzeRec(m_imu.mid(0, 10).join());
        QVERIFY(qAbs(model.hostRxMs() - QDateTime::currentMSecsSinceEpoch()) < 60000);
        QCOMPARE(log.wireStamps, QList<qint64>(10, model.hostRxMs()));
        model.anaylzeRec("#vorn,imu,1,2,3,4,5,6,7,8*ff  \r\r\n");
        QVERIFY(log.wireTrace.endsWith("#vorn,imu,1,2,3,4,5,6,7,8*ff  "));
        QCOMPARE(model.packetFre(), 0);
        model.addRecStatisticsRecTime(2);
        model.anaylzeRec(m_imu.mid(10, 9).join());
        QCOMPARE(model.packetFre(), 10);
    }

    void statisticsAndParseBufferResetSeparately()
    {
        RecDataModel model;
        model.anaylzeRec(m_imu[0] + m_imu[2] + m_imu[3].left(30));
        model.addRecStatisticsSendBytes(12);
        model.resetParseBuffer();
        QVERIFY(model.lockedFrameLength() == 0 && model.receiveBuffer().isEmpty());
        QCOMPARE(model.recPackets() + model.sendBytes(), 2 + 12);
        QCOMPARE(counters(model.integrity()), "92 2 0 0 0 0 1");
        model.resetRecStatistics();
        QCOMPARE(counters(model.integrity()), "0 0 0 0 0 0 0");
        QCOMPARE(model.recPackets() + model.sendBytes() + model.packetFre(), 0);
        // The rest of the frame whose start was dropped is no frame; the counter starts
        // afresh after the reset, so the jump to frame 5 loses nothing.
        model.anaylzeRec(m_imu[3].mid(30) + m_imu[5] + m_imu[6]);
        QCOMPARE(counters(model.integrity()), "63 2 0 0 0 1 0");
    }

    // A slot may reset the parser, or feed it more, while a chunk is being decoded.
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

    // A message log's entry: each message on its own, a frame checked at its own length
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
        QCOMPARE(counters(model.integrity()), "209 3 1 1 1 69 1");
    }

    // One frame on its own decodes to the record the decoder gives for it; a frame cut short
    // gives only its format.
    void framesExtractOnTheirOwn()
    {
        RecDataModel model;
        InsEventLog log(&model);
        model.decodeMessage(m_imu[3], 0);
        model.decodeMessage(m_sins[3], 0);
        QCOMPARE(log.records, 2);
        QList<QJsonObject> records;
        for (const QJsonObject& e : log.events)
            if (e["ev"] == "record")
                records << e;
        QCOMPARE(InsEventLog::recordEvent(RecDataModel::extractImubin(m_imu[3])), records[0]);
        QCOMPARE(InsEventLog::recordEvent(RecDataModel::extractSinsbin(m_sins[3])), records[1]);
        RecDataStruct imuFormatOnly, sinsFormatOnly;
        imuFormatOnly.format = RecImuBin;
        sinsFormatOnly.format = RecSinsBin;
        QCOMPARE(InsEventLog::recordEvent(RecDataModel::extractImubin(m_imu[3].left(30))),
                 InsEventLog::recordEvent(imuFormatOnly));
        QCOMPARE(InsEventLog::recordEvent(RecDataModel::extractSinsbin(m_sins[3].left(58))),
                 InsEventLog::recordEvent(sinsFormatOnly));
        QVERIFY(records[0]["gx"] != 0.0 && records[1]["yaw"] != 0.0);
    }

    // The checksum helpers sum at most 127 bytes and give 0 for none; unknown format
    // values are "nullformat", names match in their own case only.
    void interfaceHelpers()
    {
        const QByteArray ones(200, '\x01');
        QCOMPARE(RecDataModel::checksumCalc(ones, 127) + RecDataModel::checksumCompCalc(ones, 1),
                 127 + 255);
        QCOMPARE(RecDataModel::checksumCalc(ones, 0) + RecDataModel::checksumCompCalc(ones, -3), 0);
        QVERIFY(RecDataModel::isBinaryAA55("\xAA\xAA\x55")
                && !RecDataModel::isStringVorn("#VORN,"));
        QCOMPARE(RecDataModel::PacketEnumToString(RecPacketFormat(11)), "nullformat");
        QCOMPARE(
            RecDataModel::getPacketEnumStrings().join(' '),
            "imubin imuasc ahrsbin ahrsasc sinsbin sinsasc extsinsbin0 extsinsbin1 calibpn dzt500");
        QCOMPARE(RecDataModel::stringToPacketEnum("calibpn") * 100
                     + RecDataModel::stringToPacketEnum("IMUBIN"),
                 810);
    }
};

QTEST_GUILESS_MAIN(TestRecDataModel)
#include "tst_recdatamodel.moc"
