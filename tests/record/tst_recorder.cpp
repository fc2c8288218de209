#include "record/Recorder.h"

#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using gcs::Recorder;
using gcs::TelemetrySnapshot;
using gcs::test::readFileBytes;

namespace {

struct Clocks
{
    qint64 monotonicMs = 1000;
    QDateTime wall = QDateTime(QDate(2024, 3, 9), QTime(7, 5, 3, 42));
};

QByteArray imuFrame()
{
    QByteArray frame("\xAA\x55", 2);
    for (int i = 2; i < 31; ++i)
        frame += char(i * 7);
    return frame;
}

QStringList lines(const QByteArray& bytes)
{
    QStringList out = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

} // namespace

class TestRecorder : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::shared_ptr<Clocks> m_clocks;

    std::unique_ptr<Recorder> makeRecorder()
    {
        auto recorder = std::make_unique<Recorder>();
        auto clocks = m_clocks;
        recorder->setClocks([clocks]() { return clocks->monotonicMs; },
                            [clocks]() { return clocks->wall; });
        return recorder;
    }

    QString path(const QString& name) const { return m_dir->filePath(name); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_clocks = std::make_shared<Clocks>();
    }

    void insMessageLogHasOneLinePerMessage()
    {
        auto rec = makeRecorder();
        QVERIFY(rec->start(path("a.txt"), path("a.bin"), true));
        QVERIFY(rec->insColumns());
        const qint64 rx = QDateTime(QDate(2024, 3, 9), QTime(7, 5, 4, 5)).toMSecsSinceEpoch();
        rec->storeInsWireFrame(imuFrame(), rx);
        rec->storeInsWireFrame("#vorn,sins,1,2,3*ff", rx);
        rec->storeInsWireFrame(QByteArray(), rx); // nothing to log
        rec->storeInsWireFrame("#vorn,imu,0*ff"); // no host time: now
        rec->onSnapshot(TelemetrySnapshot { 1, QStringLiteral("online"), { { "gx", 1.5 } } });
        rec->stop();

        const QStringList got = lines(readFileBytes(path("a.txt")));
        QCOMPARE(got.size(), 3);
        QCOMPARE(got.at(0),
                 QStringLiteral("2024-03-09 07:05:04.005 ")
                     + QString::fromLatin1(imuFrame().toHex(' ')));
        QCOMPARE(got.at(0).count(QLatin1Char(' ')), 2 + 30); // one in the stamp, 31 pairs after it
        QCOMPARE(got.at(1), QStringLiteral("2024-03-09 07:05:04.005 #vorn,sins,1,2,3*ff"));
        QCOMPARE(got.at(2), QStringLiteral("2024-03-09 07:05:03.042 #vorn,imu,0*ff"));
    }

    void snapshotTableForOtherProducts()
    {
        auto rec = makeRecorder();
        QVERIFY(rec->start(path("record_1.csv"), path("record_1.bin"), false));
        QVERIFY(!rec->insColumns());
        rec->storeInsWireFrame("#vorn,sins,1*ff", 5); // not in this form
        rec->onSnapshot(
            TelemetrySnapshot { 9,
                                QStringLiteral("online"),
                                { { "yaw", 12.5 }, { "format", "sinsbin" }, { "count", 7 } } });
        rec->onSnapshot(TelemetrySnapshot { 0, QStringLiteral("offline"), {} });
        rec->stop();
        QCOMPARE(
            lines(readFileBytes(path("record_1.csv"))),
            QStringList(
                { QStringLiteral("ts,quality,fields"),
                  QStringLiteral("2024-03-09 07:05:03.042,online,count=7 format=sinsbin yaw=12.5"),
                  QStringLiteral("2024-03-09 07:05:03.042,offline,") }));
    }

    void fileNameCanAskForTheMessageLog()
    {
        auto rec = makeRecorder();
        QVERIFY(rec->start(path("imu_test.csv"), path("imu_test.bin"), false));
        QVERIFY(rec->insColumns());
        rec->onSnapshot(TelemetrySnapshot { 9, QStringLiteral("online"), { { "gx", 1 } } });
        rec->storeInsWireFrame("#vorn,imu,1*ff", 0);
        rec->stop();
        QCOMPARE(lines(readFileBytes(path("imu_test.csv"))),
                 QStringList({ QStringLiteral("2024-03-09 07:05:03.042 #vorn,imu,1*ff") }));
        // Only the name decides, and only in lower case.
        QVERIFY(rec->start(path("IMU_x.csv"), path("IMU_x.bin"), false));
        QVERIFY(!rec->insColumns());
        rec->stop();
    }

    void rawFileHoldsTheBytesInOrder()
    {
        auto rec = makeRecorder();
        rec->onRaw("before"); // not recording yet
        QVERIFY(rec->start(path("r.txt"), path("r.bin"), true));
        QByteArray expected;
        for (int i = 0; i < 1000; ++i) {
            const QByteArray chunk = QByteArray::number(i) + QByteArray(i % 17, char(i));
            rec->onRaw(chunk);
            expected += chunk;
        }
        rec->stop();
        rec->onRaw("after");
        QCOMPARE(readFileBytes(path("r.bin")), expected);
    }

    void linesReachTheDiskWithinAFlushPeriod()
    {
        auto rec = makeRecorder();
        QVERIFY(rec->start(path("f.txt"), path("f.bin"), true));
        rec->storeInsWireFrame("#vorn,imu,1*ff", 0);
        rec->onRaw("abc");
        // Buffered until the 200 ms flush, and on the disk after it without a stop.
        QVERIFY(gcs::test::waitUntil(
            [this]() {
                return QFileInfo(path("f.txt")).size() > 0 && QFileInfo(path("f.bin")).size() == 3;
            },
            2000));
        QVERIFY(rec->recording());
        rec->stop();
    }

    void filesAreNamedAfterTheFormat()
    {
        auto rec = makeRecorder();
        QVERIFY(rec->startInDirectory(m_dir->path(), QStringLiteral("SINSBIN "), true));
        QCOMPARE(QFileInfo(rec->textPath()).fileName(),
                 QStringLiteral("sinsbin_20240309_070503.txt"));
        QCOMPARE(QFileInfo(rec->rawPath()).fileName(),
                 QStringLiteral("sinsbin_20240309_070503.bin"));
        QCOMPARE(rec->baseName(), QStringLiteral("sinsbin_20240309_070503"));
        rec->stop();
        m_clocks->wall = m_clocks->wall.addSecs(1);
        QVERIFY(rec->startInDirectory(m_dir->path(), QString(), true));
        QCOMPARE(QFileInfo(rec->textPath()).fileName(), QStringLiteral("ins_20240309_070504.txt"));
        QVERIFY(rec->insColumns());
        rec->stop();
        QVERIFY(rec->startInDirectory(m_dir->path(), QStringLiteral("nullformat"), false));
        QCOMPARE(QFileInfo(rec->rawPath()).fileName(),
                 QStringLiteral("record_20240309_070504.bin"));
        rec->stop();
    }

    void aSecondRecordingInTheSameSecondKeepsTheFirst()
    {
        auto rec = makeRecorder();
        QVERIFY(rec->startInDirectory(m_dir->path(), QStringLiteral("sinsbin"), true));
        const QString first = rec->textPath();
        rec->storeInsWireFrame("#vorn,sins,first*ff", 0);
        rec->onRaw("first");
        rec->stop();
        QVERIFY(rec->startInDirectory(m_dir->path(), QStringLiteral("sinsbin"), true));
        QCOMPARE(QFileInfo(rec->textPath()).fileName(),
                 QStringLiteral("sinsbin_20240309_070503_2.txt"));
        QCOMPARE(QFileInfo(rec->rawPath()).fileName(),
                 QStringLiteral("sinsbin_20240309_070503_2.bin"));
        rec->stop();
        QCOMPARE(lines(readFileBytes(first)).size(), 1);
        QCOMPARE(readFileBytes(m_dir->filePath(QStringLiteral("sinsbin_20240309_070503.bin"))),
                 QByteArray("first"));
    }

    void startAndStopSignals()
    {
        auto rec = makeRecorder();
        QSignalSpy recording(rec.get(), &Recorder::recordingChanged);
        QSignalSpy elapsed(rec.get(), &Recorder::elapsedChanged);
        rec->stop(); // idle: nothing happens
        QCOMPARE(recording.count(), 0);
        QCOMPARE(elapsed.count(), 0);
        QCOMPARE(rec->elapsedText(), QStringLiteral("00:00:00"));

        QVERIFY(rec->start(path("s.txt"), path("s.bin"), true));
        QCOMPARE(recording.count(), 1);
        QCOMPARE(elapsed.count(), 1);
        m_clocks->monotonicMs += 3605000 + 999;
        QCOMPARE(rec->elapsedText(), QStringLiteral("01:00:05"));
        m_clocks->monotonicMs += 100 * 3600000LL;
        QCOMPARE(rec->elapsedText(), QStringLiteral("101:00:05"));
        // The elapsed tick runs once a second while recording.
        QVERIFY(elapsed.wait(2000));

        // A new start closes the running recording first.
        QVERIFY(rec->start(path("t.txt"), path("t.bin"), true));
        QCOMPARE(recording.count(), 3);
        QCOMPARE(rec->elapsedText(), QStringLiteral("00:00:00"));
        rec->stop();
        QCOMPARE(recording.count(), 4);
        QCOMPARE(rec->elapsedText(), QStringLiteral("00:00:00"));
        const int ticks = elapsed.count();
        QTest::qWait(1300);
        QCOMPARE(elapsed.count(), ticks); // the tick stops with the recording
    }

    void aTextFileThatCannotBeCreatedRefusesTheStart()
    {
        auto rec = makeRecorder();
        QSignalSpy recording(rec.get(), &Recorder::recordingChanged);
        const QString bad = path("no/such/folder/x.txt");
        QVERIFY(!rec->start(bad, path("x.bin"), true));
        QVERIFY(!rec->recording());
        QCOMPARE(recording.count(), 0);
        QVERIFY(rec->lastErrorText().contains(QDir::toNativeSeparators(bad)));
        QVERIFY(!QFileInfo::exists(path("x.bin")));

        QVERIFY(!rec->startInDirectory(path("missing"), QStringLiteral("sinsbin"), true));
        QVERIFY(rec->lastErrorText().contains(QStringLiteral("missing")));
        QVERIFY(!rec->startInDirectory(QString(), QStringLiteral("sinsbin"), true));
        QCOMPARE(rec->lastErrorText(), QStringLiteral("未选择记录目录"));
        QCOMPARE(recording.count(), 0);
    }

    void aRawFileThatCannotBeCreatedLeavesTheTextRecording()
    {
        auto rec = makeRecorder();
        const QString badRaw = path("no/such/folder/x.bin");
        QVERIFY(rec->start(path("x.txt"), badRaw, true));
        QVERIFY(rec->recording());
        QVERIFY(!rec->rawOutputActive());
        QVERIFY(rec->lastErrorText().contains(QDir::toNativeSeparators(badRaw)));
        rec->onRaw("lost");
        rec->storeInsWireFrame("#vorn,imu,1*ff", 0);
        rec->stop();
        QCOMPARE(lines(readFileBytes(path("x.txt"))).size(), 1);
    }

    void writeFailuresAreReportedOnce()
    {
        if (!QFileInfo::exists(QStringLiteral("/dev/full")))
            QSKIP("needs /dev/full, a device on which every write fails");
        auto rec = makeRecorder();
        QSignalSpy failed(rec.get(), &Recorder::writeFailed);
        QVERIFY(rec->start(QStringLiteral("/dev/full"), path("ok.bin"), true));
        for (int i = 0; i < 2000; ++i)
            rec->storeInsWireFrame("#vorn,sins,1,2,3,4,5,6,7,8,9*ff", 0);
        rec->flushToDisk();
        rec->flushToDisk();
        QCOMPARE(failed.count(), 1);
        QVERIFY(failed.at(0).at(0).toString().contains(QStringLiteral("/dev/full")));
        rec->stop();
        QCOMPARE(failed.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestRecorder)
#include "tst_recorder.moc"
