// The capture reader over both kinds of file, and the INS decoder through it on the
// recorded streams of tests/data/ins (encoded by gen_ins_streams.py from the frame
// layouts and the sentence grammar, not by the decoder): records, replies and where they
// start, the integrity counters of a capture with known faults, damaged files, seeking,
// and the pace of a message log.
#include "CaptureFixtures.h"
#include "InsTestStreams.h"
#include "TestSupport.h"

#include "capture/CaptureReader.h"

#include <QTemporaryDir>
#include <QTest>

using gcs::CaptureReader;
using gcs::CaptureRecord;
using gcs::test::InsEventLog;
using gcs::test::loadInsStream;

namespace {

const qint64 kFirstMs = QDateTime(QDate(2024, 3, 9), QTime(7, 5, 3, 42)).toMSecsSinceEpoch();

QList<QJsonObject> events(const QList<CaptureRecord>& records)
{
    QList<QJsonObject> out;
    for (const CaptureRecord& c : records)
        out << InsEventLog::recordEvent(c.record);
    return out;
}

} // namespace

class TestCaptureReader : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // The capture as a raw file, or as the message log the recorder makes of it.
    QString file(const QString& name, const QByteArray& capture, bool log)
    {
        const QString path = m_dir.filePath(name + (log ? ".txt" : ".bin"));
        if (log)
            return gcs::test::writeMessageLog(path, capture, kFirstMs) ? path : QString();
        return gcs::test::writeFileBytes(path, capture) ? path : QString();
    }

private slots:
    void everyStreamReadsBackAsExpected_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("log");
        for (const char* s : { "imubin", "sinsbin", "mixed_noisy", "sinsbin_checksum_lf",
                               "imubin_checksum_lf", "sinsbin_false_imu_lock", "text_sentences" }) {
            QTest::addRow("%s raw", s) << QString::fromLatin1(s) << false;
            QTest::addRow("%s log", s) << QString::fromLatin1(s) << true;
        }
    }

    // Each recorded stream, as a raw capture and as the message log the recorder makes of
    // it, read in chunks of random size through the decoder: every record, reply and wire
    // frame in order (a log holds no replies), with the place each record's message
    // starts and, from a log, the host time its line gives; the counters, and every byte
    // of a binary capture either in an accepted frame or skipped.
    void everyStreamReadsBackAsExpected()
    {
        QFETCH(QString, name);
        QFETCH(bool, log);
        const gcs::test::InsStream s = loadInsStream(name);
        const QString path = file(name, s.bytes, log);
        const QByteArray bytes = gcs::test::readFileBytes(path);
        CaptureReader reader;
        QVERIFY(reader.open(path));
        QCOMPARE(reader.kind(),
                 log ? CaptureReader::Kind::MessageLog : CaptureReader::Kind::RawCapture);
        InsEventLog seen(reader.decoder());
        QRandomGenerator rng(QRandomGenerator::global()->generate());
        const QList<CaptureRecord> records = gcs::test::readAll(reader, &rng);
        QVERIFY2(reader.errorText().isEmpty(), qPrintable(reader.errorText()));
        QCOMPARE(reader.position(), reader.size());
        QList<QJsonObject> expected = s.events;
        if (log)
            expected.removeIf([](const QJsonObject& e) {
                return e.value("ev") != "record" && e.value("ev") != "wire";
            });
        QString diff = gcs::test::compareInsEvents(seen.events, expected);
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
        diff = gcs::test::compareInsEvents(events(records), s.records());
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
        for (const CaptureRecord& c : records) {
            const QByteArray at = bytes.mid(c.offset, 23);
            if (!log) {
                QVERIFY(at.startsWith("\xAA\x55") || at.startsWith("#vorn"));
                QVERIFY(!c.hasHostTime() && c.line == 0 && c.hostTimeText().isEmpty());
                continue;
            }
            QCOMPARE(c.line, bytes.left(c.offset).count('\n') + 1);
            QCOMPARE(QLatin1String(at), c.hostTimeText());
            QCOMPARE(QDateTime::fromMSecsSinceEpoch(c.hostMs).toString("yyyy-MM-dd HH:mm:ss.zzz"),
                     c.hostTimeText());
        }
        if (log)
            return;
        const RecDataModel::Integrity c = reader.counters();
        QCOMPARE(c.bytes, s.bytesTotal);
        QCOMPARE(reader.decoder()->recPackets(), s.packets);
        QCOMPARE(c.textErrors, s.errors);
        if (name.startsWith("text"))
            return;
        QCOMPARE(c.frames, s.packets);
        const qsizetype wireBytes = seen.wireTrace.size() - 3 * seen.records; // "31:", "59:"
        QCOMPARE(c.skippedBytes + wireBytes, s.bytesTotal);
    }

    void faultsGiveExactCounters_data()
    {
        QTest::addColumn<bool>("log");
        QTest::addColumn<QList<qint64>>("counters"); // frames, checksum, skipped, lost
        // Raw: 47 + 38 frames; checksums of IMU frame 20, SINS frame 1 (under the 31-byte
        // lock) and SINS frame 5; skipped 17 + 31 + 13 + 59 + 59 + 9 + 30; lost IMU frames
        // 10, 11 and 20 by their counters, SINS frames 1 and 5 by their checksums.
        QTest::newRow("raw") << false << QList<qint64> { 85, 3, 218, 5 };
        // The log holds the accepted frames only: what it shows lost is the counter's gap.
        QTest::newRow("log") << true << QList<qint64> { 85, 0, 0, 3 };
    }

    void faultsGiveExactCounters()
    {
        QFETCH(bool, log);
        QFETCH(QList<qint64>, counters);
        const QByteArray capture = gcs::test::faultyCapture();
        CaptureReader reader;
        QVERIFY(reader.open(file(QStringLiteral("faulty"), capture, log)));
        QRandomGenerator rng(QRandomGenerator::global()->generate());
        QCOMPARE(gcs::test::readAll(reader, &rng, 100).size(), 85);
        const RecDataModel::Integrity c = reader.counters();
        QCOMPARE((QList<qint64> { c.frames, c.checksumErrors, c.skippedBytes, c.lostFrames }),
                 counters);
        QCOMPARE(c.bytes, log ? 47 * 31 + 38 * 59 : capture.size());
        QCOMPARE(c.sentences + c.textErrors, 0);
    }

    void damagedFilesSayWhereTheyBreak_data()
    {
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<QString>("message");
        QTest::newRow("truncated")
            << QByteArray("2024-03-09 07:05:09.000 aa 55 0") << "最后一行（第 4 行）不完整";
        QTest::newRow("not hex") << QByteArray("2024-03-09 07:05:09.000 aa 55 zz\n")
                                 << "第 4 行不是十六进制";
        QTest::newRow("odd digits")
            << QByteArray("2024-03-09 07:05:09.000 aa 5\n") << "第 4 行不是十六进制";
        QTest::newRow("no time") << QByteArray("aa 55 01\n") << "第 4 行不是“时间 报文”的格式";
        QTest::newRow("bad date") << QByteArray("2024-13-09 07:05:09.000 aa 55\n")
                                  << "第 4 行不是“时间 报文”";
        QTest::newRow("too long") << "2024-03-09 07:05:09.000 "
                + QByteArray(CaptureReader::kMaxLogLine, 'a')
                                  << "第 4 行过长";
    }

    // Three good lines, then the fault: its message names the line, the records before
    // it are read.
    void damagedFilesSayWhereTheyBreak()
    {
        QFETCH(QByteArray, tail);
        QFETCH(QString, message);
        const QByteArray sins = loadInsStream(QStringLiteral("sinsbin")).bytes;
        const QString path = file(QStringLiteral("damaged"), sins.left(3 * 59), true);
        QVERIFY(gcs::test::writeFileBytes(path, gcs::test::readFileBytes(path) + tail));
        CaptureReader reader;
        QVERIFY(reader.open(path));
        QCOMPARE(gcs::test::readAll(reader).size(), 3);
        QVERIFY2(reader.errorText().contains(message), qPrintable(reader.errorText()));
    }

    void filesOfNeitherKindAreNamed()
    {
        CaptureReader reader;
        QVERIFY(!reader.open(m_dir.filePath("missing.bin")));
        QVERIFY(reader.errorText().startsWith(QStringLiteral("无法打开文件")));
        QVERIFY(reader.open(file(QStringLiteral("junk"), QByteArray(5000, 'q'), false)));
        QCOMPARE(gcs::test::readAll(reader).size(), 0);
        QVERIFY2(reader.errorText().startsWith(QStringLiteral("无法识别的文件")),
                 qPrintable(reader.errorText()));
        // An empty recording is a capture with nothing in it.
        QVERIFY(reader.open(file(QStringLiteral("empty"), QByteArray(), false)));
        QCOMPARE(gcs::test::readAll(reader).size(), 0);
        QCOMPARE(reader.errorText(), QString());
    }

    // A record's offset (and line) is a place to go on from: what follows is what came
    // after it the first time.
    void seekingToARecordGoesOnFromThere()
    {
        for (bool log : { false, true }) {
            CaptureReader reader;
            QVERIFY(reader.open(file(QStringLiteral("seek"),
                                     loadInsStream(QStringLiteral("mixed_noisy")).bytes, log)));
            const QList<CaptureRecord> all = gcs::test::readAll(reader);
            QVERIFY(all.size() > 100);
            for (qsizetype k : { qsizetype(0), qsizetype(57), all.size() - 1 }) {
                QVERIFY(reader.seek(all[k].offset, all[k].line));
                const QList<CaptureRecord> rest = gcs::test::readAll(reader);
                QCOMPARE(events(rest), events(all.mid(k)));
                QCOMPARE(rest.first().line, all[k].line);
                QCOMPARE(rest.first().offset, all[k].offset);
            }
            QVERIFY(!reader.seek(reader.size() + 1));
        }
    }

    void messageLogGivesItsPace()
    {
        const QByteArray imu = loadInsStream(QStringLiteral("imubin")).bytes.left(31 * 101);
        const QString path = m_dir.filePath(QStringLiteral("pace.txt"));
        QVERIFY(gcs::test::writeMessageLog(path, imu, kFirstMs, 10, 60, 750));
        CaptureReader reader;
        QVERIFY(reader.open(path));
        QCOMPARE(gcs::test::readAll(reader).size(), 101);
        const gcs::CaptureTiming& t = reader.timing();
        QCOMPARE(t.messages, 101);
        QCOMPARE(t.durationMs(), 100 * 10 + 750);
        QCOMPARE(t.longestSilenceMs, 760);
        QCOMPARE(t.silenceEndLine, 61);
        QCOMPARE(t.messageRate(), 100.0 / 1.75);
    }
};

QTEST_GUILESS_MAIN(TestCaptureReader)
#include "tst_capturereader.moc"
