#include "ReplayFiles.h"
#include "TestSupport.h"
#include "replay/ReplayTransport.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using gcs::ReplayTransport;
using namespace gcs::test;

Q_DECLARE_METATYPE(gcs::test::RecordingKind)

namespace {

/// What a replay handed on and when, its data clock (ms) then, and the bytes seen each
/// time it started elsewhere.
struct Received : Arrivals
{
    explicit Received(ReplayTransport& replay)
    {
        QObject::connect(&replay, &ReplayTransport::bytesReceived, [this, &replay](auto b) {
            add(b);
            clocks << qRound(replay.clockSeconds() * 1000);
        });
        QObject::connect(&replay, &ReplayTransport::rewound,
                         [this]() { rewound.append(bytes.size()); });
    }
    QList<qint64> rewound;
    QList<int> clocks;
};

} // namespace

class TestReplayTransport : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;

    QString write(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("rec%1.bin").arg(++m_files));
        return writeFileBytes(path, bytes) ? path : QString();
    }
    static bool openIndexed(ReplayTransport& replay)
    {
        return replay.open() && waitUntil([&] { return replay.indexed(); }, 10000);
    }

private slots:
    // Every record arrives at its recorded time divided by the speed after play, never
    // earlier; a loaded machine may make it late. What arrives is the capture itself
    // (junk included) or the log's messages rebuilt, replies with their CR LF.
    void handsTheRecordingOnAtItsPace_data()
    {
        QTest::addColumn<RecordingKind>("kind");
        QTest::addColumn<double>("speed");
        QTest::newRow("raw capture, time tags, 1x") << RecordingKind::TaggedRaw << 1.0;
        QTest::newRow("raw capture, time tags, 4x") << RecordingKind::TaggedRaw << 4.0;
        QTest::newRow("message log, host times, 1x") << RecordingKind::Log << 1.0;
        QTest::newRow("message log, 0.5x") << RecordingKind::Log << 0.5;
        QTest::newRow("no time tags, 25 records/s") << RecordingKind::UntaggedRaw << 1.0;
    }
    void handsTheRecordingOnAtItsPace()
    {
        QFETCH(RecordingKind, kind);
        QFETCH(double, speed);
        const ReplayRecording rec = makeRecording(kind, 16, 40);
        ReplayTransport replay(write(rec.file));
        replay.setSpeed(speed);
        replay.setRecordRate(25); // for the records without a time tag
        Received out(replay);
        QSignalSpy finished(&replay, &ReplayTransport::finished);
        QVERIFY(replay.open());
        const double start = out.now();
        replay.play();
        QVERIFY(waitUntil([&] { return finished.count() == 1; }, 20000));
        QCOMPARE(out.bytes, rec.wire);
        for (qsizetype i = 0; i < rec.ms.size(); ++i) { // never early, maybe late
            const double late = out.arrivalOf(rec.ends.at(i)) - start - rec.ms.at(i) / speed;
            QVERIFY2(late >= 0 && late < 250,
                     qPrintable(QStringLiteral("record %1 late by %2 ms").arg(i).arg(late)));
        }
        QCOMPARE(replay.positionMs(), rec.ms.last());
    }

    // A seek (paused) hands on the preroll's records and the one at the target, announced
    // before and after, nothing more; at the start, past a checkpoint, or clamped.
    void seekLandsOnTheRecordAtTheTarget_data()
    {
        QTest::addColumn<RecordingKind>("kind");
        QTest::addColumn<double>("target");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        const QList<QPair<const char*, RecordingKind>> kinds
            = { { "raw", RecordingKind::TaggedRaw },
                { "log", RecordingKind::Log },
                { "no tags", RecordingKind::UntaggedRaw } };
        for (const auto& [name, kind] : kinds) {
            QTest::addRow("%s, the start", name) << kind << 0.0 << 0 << 0;
            QTest::addRow("%s, before the start", name) << kind << -50.0 << 0 << 0;
            QTest::addRow("%s, past a checkpoint", name) << kind << 7777.0 << 768 << 777;
            QTest::addRow("%s, from a checkpoint's record", name) << kind << 5210.0 << 511 << 521;
            QTest::addRow("%s, beyond the end", name) << kind << 99999.0 << 1489 << 1499;
        }
    }
    void seekLandsOnTheRecordAtTheTarget()
    {
        QFETCH(RecordingKind, kind);
        QFETCH(double, target);
        QFETCH(int, first);
        QFETCH(int, last);
        const ReplayRecording rec = makeRecording(kind, 1500, 10);
        ReplayTransport replay(write(rec.file));
        replay.setRecordRate(100);
        replay.setPrerollMs(100);
        Received out(replay);
        QVERIFY(openIndexed(replay));
        QSignalSpy seeked(&replay, &ReplayTransport::seeked);
        replay.seek(target);
        QCOMPARE(replay.positionMs(), qBound(0.0, target, 14990.0));
        QVERIFY(waitUntil([&] { return seeked.count() == 1; }, 5000));
        QCOMPARE(out.rewound, QList<qint64> { 0 }); // before the data
        QList<int> expected, clocks; // each record with its own time on the data clock
        for (int i = first; i <= last; ++i)
            expected << i, clocks << i * 10;
        const int frameLength = kind == RecordingKind::UntaggedRaw ? 31 : 59;
        QCOMPARE(recordsIn(out.bytes, frameLength), expected);
        QCOMPARE(out.clocks, clocks);
        QTest::qWait(100); // paused: nothing more comes
        QCOMPARE(recordsIn(out.bytes, frameLength), expected);
        QCOMPARE(qRound(replay.clockSeconds() * 1000), qRound(replay.positionMs()));
    }

    // One record forward, one back; with the loop on, the end starts over.
    void stepsAndLoops()
    {
        const ReplayRecording rec = makeRecording(RecordingKind::TaggedRaw, 30, 10);
        ReplayTransport replay(write(rec.file));
        Received out(replay);
        QVERIFY(openIndexed(replay));
        replay.seek(100);
        replay.stepForward();
        replay.stepForward();
        QCOMPARE(recordsIn(out.bytes), (QList<int> { 10, 11, 12 }));
        QCOMPARE(replay.positionMs(), 120.0);
        replay.stepBack();
        QCOMPARE(recordsIn(out.bytes.mid(out.rewound.last())), QList<int> { 11 });
        QVERIFY(replay.positionMs() > 110 && replay.positionMs() < 120);

        replay.setLoop(true);
        replay.setSpeed(ReplayTransport::kFastest);
        replay.play();
        QVERIFY(waitUntil([&] { return out.rewound.size() >= 4; }, 10000));
        replay.pause();
        QVERIFY(out.bytes.contains(rec.file + rec.file));
    }

    // One period of the chosen rate for a unit that restarts, a tag that jumps ahead by
    // more than 10 s, a frame without a tag; equal tags take no time. The records per
    // second the noise analysis is given: the tags' pace, else the chosen rate.
    void recordsWithoutAUsableTimeTakeOnePeriod_data()
    {
        QTest::addColumn<RecordingKind>("kind");
        QTest::addColumn<QList<quint64>>("tags"); // in 0.1 ms
        QTest::addColumn<double>("at100"); // duration at 100 records/s
        QTest::addColumn<double>("at25");
        QTest::addColumn<double>("perSecond"); // at 100
        QTest::newRow("steady") << RecordingKind::TaggedRaw << QList<quint64> { 0, 200, 400, 600 }
                                << 60.0 << 60.0 << 50.0;
        QTest::newRow("restart") << RecordingKind::TaggedRaw << QList<quint64> { 0, 50, 100, 0, 50 }
                                 << 25.0 << 55.0 << 100.0;
        QTest::newRow("jump") << RecordingKind::TaggedRaw
                              << QList<quint64> { 0, 50, 200000, 200050 } << 20.0 << 50.0 << 100.0;
        QTest::newRow("equal tags")
            << RecordingKind::TaggedRaw << QList<quint64> { 0, 0, 0, 50 } << 5.0 << 5.0 << 600.0;
        QTest::newRow("no tags") << RecordingKind::UntaggedRaw << QList<quint64> { 0, 0, 0 } << 20.0
                                 << 80.0 << 100.0;
    }
    void recordsWithoutAUsableTimeTakeOnePeriod()
    {
        QFETCH(RecordingKind, kind);
        QFETCH(QList<quint64>, tags);
        QFETCH(double, at100);
        QFETCH(double, at25);
        QFETCH(double, perSecond);
        ReplayTransport replay(write(makeRecording(kind, int(tags.size()), 0, tags).file));
        replay.setRecordRate(100);
        QVERIFY(openIndexed(replay));
        QCOMPARE(replay.durationMs(), at100);
        QCOMPARE(replay.usesRecordRate(), at100 != at25);
        QCOMPARE(replay.recordsPerSecond(), perSecond);
        replay.setRecordRate(25);
        QCOMPARE(replay.durationMs(), at25);
    }

    // A log cut in its last line plays up to the cut and says so; a file that holds no
    // recording plays nothing and says so; a missing (null) or an empty file does not open
    // and says why; a file cut short after it was read through plays up to the cut and says
    // so.
    void damagedAndForeignFilesAreTold_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<qint64>("cutWhileOpen");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("error");
        const QByteArray log = makeRecording(RecordingKind::Log, 20, 10).file;
        const ReplayRecording raw = makeRecording(RecordingKind::TaggedRaw, 20, 10);
        QTest::newRow("cut log") << log.chopped(40) << -1LL << 19
                                 << "消息记录的最后一行（第 21 行）不完整";
        QTest::newRow("no recording") << QByteArray(50000, 'x') << -1LL << 0 << "无法识别的文件";
        QTest::newRow("missing") << QByteArray() << -1LL << 0 << "无法打开文件";
        QTest::newRow("empty") << QByteArray("") << -1LL << 0 << "是空的";
        QTest::newRow("capture cut while open")
            << raw.file << raw.ends[9] + 20 << 10 << "文件在打开后被截断或改动";
        QTest::newRow("log cut while open")
            << log << qint64(log.size() / 2) << 9 << "文件在打开后被截断或改动";
    }
    void damagedAndForeignFilesAreTold()
    {
        QFETCH(QByteArray, file);
        QFETCH(qint64, cutWhileOpen);
        QFETCH(int, records);
        QFETCH(QString, error);
        const QString path = file.isNull() ? m_dir.filePath("none.txt") : write(file);
        ReplayTransport replay(path);
        replay.setSpeed(ReplayTransport::kFastest);
        QSignalSpy errors(&replay, &ReplayTransport::errorOccurred);
        Received out(replay);
        if (replay.open()) {
            if (cutWhileOpen >= 0) {
                QVERIFY(waitUntil([&] { return replay.indexed(); }, 10000));
                QVERIFY(QFile::resize(path, cutWhileOpen));
            }
            replay.play();
        }
        QVERIFY(waitUntil([&] { return !errors.isEmpty(); }, 10000));
        QVERIFY2(errors.first().first().toString().contains(error),
                 qPrintable(errors.first().first().toString()));
        QVERIFY(waitUntil([&] { return !replay.playing(); }, 10000));
        QCOMPARE(recordsIn(out.bytes).size(), records);
    }
};

QTEST_GUILESS_MAIN(TestReplayTransport)
#include "tst_replaytransport.moc"
