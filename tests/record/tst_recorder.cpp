#include "record/Recorder.h"

#include "MarkingTranslator.h"
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace gcs::test;
using gcs::Recorder;

/// The recorder: the message log and the snapshot table, the raw file and its flush,
/// names, its clock and signals, and files that cannot be made or written. What it
/// records from a unit is read back by tst_capture and tst_clirecord.
class TestRecorder : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    qint64 m_monotonicMs = 1000;
    Recorder m_rec;

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString text(const QString& name) const { return QString::fromUtf8(readFileBytes(path(name))); }

private slots:
    void initTestCase()
    {
        m_rec.setClocks([this] { return m_monotonicMs; },
                        [] { return QDateTime(QDate(2024, 3, 9), QTime(7, 5, 3, 42)); });
    }

    // The log (also for a file named imu…, ahrs… or sins… in lower case): each message's
    // host time (now without one), then a sentence as text or a frame as hex. Otherwise
    // the snapshot table. The raw file gets the bytes, on the disk within a flush period.
    void filesTakeTheFormOfTheProduct_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("ins");
        QTest::addColumn<QString>("expected");
        const QString log
            = "2024-03-09 07:05:04.005 aa 55 01 0a 0d\n2024-03-09 07:05:04.005 #vorn,sins,1*ff\n"
              "2024-03-09 07:05:03.042 #vorn,imu,0*ff\n";
        QTest::newRow("ins") << "a.txt" << true << log;
        QTest::newRow("imu name") << "imu_test.csv" << false << log;
        QTest::newRow("other")
            << "IMU_x.csv" << false
            << "ts,quality,fields\n2024-03-09 07:05:03.042,online,count=7 format=sinsbin yaw=12.5\n"
               "2024-03-09 07:05:03.042,offline,\n";
    }

    void filesTakeTheFormOfTheProduct()
    {
        QFETCH(QString, name);
        QFETCH(bool, ins);
        m_rec.onRaw("before"); // not recording yet
        QVERIFY(m_rec.start(path(name), path("a.bin"), ins));
        const qint64 rx = QDateTime(QDate(2024, 3, 9), QTime(7, 5, 4, 5)).toMSecsSinceEpoch();
        for (const QByteArray& message :
             { QByteArray("\xAA\x55\x01\n\r", 5), QByteArray("#vorn,sins,1*ff"), QByteArray() })
            m_rec.storeInsWireFrame(message, rx);
        m_rec.storeInsWireFrame("#vorn,imu,0*ff");
        m_rec.onSnapshot(
            { 9, "online", { { "yaw", 12.5 }, { "format", "sinsbin" }, { "count", 7 } } });
        m_rec.onSnapshot({ 0, "offline", {} });
        for (int i = 0; i < 500; ++i)
            m_rec.onRaw(QByteArray::number(i) + ',');
        QVERIFY(waitUntil(
            [&] { return text("a.bin").endsWith("499,") && text(name).endsWith("\n"); }, 2000));
        m_rec.stop();
        m_rec.onRaw("after");
        QTEST(text(name), "expected");
        QVERIFY(text("a.bin").startsWith("0,1,2,") && text("a.bin").size() == 1890);
    }

    // Named after the format; a name taken in the same second gets "_2".
    void filesAreNamedAfterTheFormat()
    {
        QStringList names;
        for (const auto& [hint, ins] : { std::pair { "SINSBIN ", true },
                                         { "sinsbin", true },
                                         { "", true },
                                         { "nullformat", false } }) {
            QVERIFY(m_rec.startInDirectory(m_dir.path(), hint, ins));
            m_rec.stop();
            names << QFileInfo(m_rec.textPath()).fileName()
                  << QFileInfo(m_rec.rawPath()).fileName();
        }
        QCOMPARE(names.join(' ').remove("_20240309_070503"),
                 "sinsbin.txt sinsbin.bin sinsbin_2.txt sinsbin_2.bin ins.txt ins.bin record.txt "
                 "record.bin");
    }

    void startStopAndTheClock()
    {
        QSignalSpy recording(&m_rec, &Recorder::recordingChanged);
        QSignalSpy elapsed(&m_rec, &Recorder::elapsedChanged);
        m_rec.stop(); // idle: nothing happens
        QCOMPARE(recording.count() + elapsed.count(), 0);
        QCOMPARE(m_rec.elapsedText(), QStringLiteral("00:00:00"));
        QVERIFY(m_rec.start(path("s.txt"), path("s.bin"), true));
        m_monotonicMs += 3605999;
        QCOMPARE(m_rec.elapsedText(), QStringLiteral("01:00:05"));
        m_monotonicMs += 100 * 3600000LL;
        QCOMPARE(m_rec.elapsedText(), QStringLiteral("101:00:05"));
        QVERIFY(elapsed.wait(2000)); // the tick runs once a second while recording
        QVERIFY(m_rec.start(path("t.txt"), path("t.bin"), true)); // stops the running one
        QCOMPARE(recording.count(), 3);
        QCOMPARE(m_rec.elapsedText(), QStringLiteral("00:00:00"));
        m_rec.stop();
        const int ticks = elapsed.count();
        QTest::qWait(1300);
        QCOMPARE(elapsed.count(), ticks); // the tick stops with the recording
    }

    // Without its text file no recording starts; without its raw file the text is
    // recorded and the reason told; a write that fails is told once.
    void filesThatCannotBeMadeOrWritten()
    {
        QSignalSpy recording(&m_rec, &Recorder::recordingChanged);
        QVERIFY(!m_rec.start(path("no/x.txt"), path("x.bin"), true));
        QVERIFY(m_rec.lastErrorText().contains(QDir::toNativeSeparators(path("no/x.txt"))));
        QVERIFY(!QFileInfo::exists(path("x.bin"))
                && !m_rec.startInDirectory(path("missing"), "sinsbin", true));
        QVERIFY(!m_rec.startInDirectory(QString(), "sinsbin", true));
        QCOMPARE(m_rec.lastErrorText(), QStringLiteral("未选择记录目录"));
        QCOMPARE(recording.count(), 0);
        QVERIFY(m_rec.start(path("x.txt"), path("no/x.bin"), true));
        QVERIFY(!m_rec.rawOutputActive()
                && m_rec.lastErrorText().contains(QDir::toNativeSeparators(path("no/x.bin"))));
        m_rec.storeInsWireFrame("#vorn,imu,1*ff", 0);
        m_rec.stop();
        QVERIFY(text("x.txt").endsWith(" #vorn,imu,1*ff\n"));
    }

    // A full disk ends the recording at once and says why until the next start, in the
    // language of the moment; the text file keeps whole lines, and nothing of the recording
    // reaches the next one.
    void aFullDiskEndsTheRecording()
    {
        QSignalSpy failed(&m_rec, &Recorder::writeFailed);
        QVERIFY(m_rec.start(path("f.txt"), path("f.bin"), true));
        const QByteArray line = "#vorn,sins,1,2,3,4,5,6,7,8,9*ff";
        // No file grows past 20000 bytes, as on a disk that fills up (a write past it fails).
        rlimit saved {};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit full { 20000, saved.rlim_max };
        signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &full);
        for (int i = 0; i < 5000; ++i)
            m_rec.storeInsWireFrame(line, 0);
        m_rec.flushToDisk();
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(!m_rec.recording() && failed.count() == 1 && failed[0][0] == m_rec.failureText());
        QVERIFY(m_rec.failureText().startsWith("记录文件写入失败：" + path("f.txt")));
        {
            const MarkingTranslator english;
            QVERIFY(m_rec.failureText().startsWith("en:记录文件写入失败：" + path("f.txt")));
        }
        const QByteArray kept = readFileBytes(path("f.txt"));
        QVERIFY(kept.endsWith(line + '\n') && kept.size() % (24 + line.size() + 1) == 0);
        QVERIFY(m_rec.start(path("next.txt"), path("next.bin"), true)
                && m_rec.failureText().isEmpty());
        m_rec.storeInsWireFrame("#vorn,imu,2*ff", 0);
        m_rec.stop();
        QCOMPARE(text("next.txt"), QStringLiteral("2024-03-09 07:05:03.042 #vorn,imu,2*ff\n"));
    }
};

QTEST_GUILESS_MAIN(TestRecorder)
#include "tst_recorder.moc"
