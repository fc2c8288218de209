#include "ReplayFiles.h"
#include "TestSupport.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace gcs::test;

Q_DECLARE_METATYPE(gcs::test::RecordingKind)

/// telvo-cli replay run as a program onto one end of a socat pair; the other end is read
/// here, each piece with the time it arrived.
class TestCliReplay : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    PtyPair m_pair;
    QProcess m_cli;

    /// The command onto the pair with args; what arrives until size bytes or timeoutMs.
    Arrivals replay(const QStringList& args, qsizetype size, int timeoutMs = 15000)
    {
        Arrivals in;
        if (!m_pair.isRunning() && !m_pair.start())
            return in;
        RawTty tty(m_pair.endB());
        pinCliLocale(m_cli);
        m_cli.start(binDir() + "/telvo-cli",
                    QStringList { "replay", "--to", m_pair.endA() } + args);
        while (in.bytes.size() < size && in.clock.elapsed() < timeoutMs) {
            if (const QByteArray piece = tty.read(2, 1); !piece.isEmpty())
                in.add(piece);
        }
        return in;
    }
    bool ended() { return m_cli.state() == QProcess::NotRunning || m_cli.waitForFinished(10000); }

private slots:
    // The line carries exactly the recording (a log's messages rebuilt), its records as
    // far apart as recorded (divided by the speed); "max" as fast as the line takes it.
    void playsOntoAPortAtItsPace_data()
    {
        QTest::addColumn<RecordingKind>("kind");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<double>("speed");
        QTest::newRow("raw capture, 1x") << RecordingKind::TaggedRaw << QStringList() << 1.0;
        QTest::newRow("message log, 2x")
            << RecordingKind::Log << QStringList { "--speed", "2" } << 2.0;
        QTest::newRow("as fast as the line takes it")
            << RecordingKind::TaggedRaw << QStringList { "--speed", "max" } << 0.0;
    }
    void playsOntoAPortAtItsPace()
    {
        QFETCH(RecordingKind, kind);
        QFETCH(QStringList, args);
        QFETCH(double, speed);
        const ReplayRecording rec = makeRecording(kind, 25, 40);
        const QString path = m_dir.filePath(QString::number(int(kind)) + QTest::currentDataTag());
        QVERIFY(writeFileBytes(path, rec.file));
        const double recorded = rec.ms.last() / (speed > 0 ? speed : 1);
        // Read on for a while after the last byte: nothing more may come.
        const Arrivals in
            = replay(QStringList { path } + args, rec.wire.size() + 1, int(recorded) + 1500);
        QVERIFY(ended());
        QCOMPARE(m_cli.exitCode(), 0);
        QCOMPARE(in.bytes, rec.wire);
        const double span = in.arrivalOf(rec.ends.last()) - in.arrivalOf(rec.ends.first());
        QVERIFY2(speed > 0 ? span > recorded - 10 && span < recorded + 300 : span < recorded / 4,
                 qPrintable(QString::number(span)));
    }

    // A file that holds no recording ends the command with 1 and says why, at once.
    void aFileWithoutARecordingFails_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("said");
        QByteArray noise(40000, Qt::Uninitialized);
        for (qsizetype i = 0; i < noise.size(); ++i)
            noise[i] = char(QRandomGenerator::global()->bounded(256) & ~0x55); // no AA 55
        QTest::newRow("random bytes") << noise << "无法识别的文件";
        QTest::newRow("plain text")
            << QByteArray("a plain text,\nnot a recording\n").repeated(50) << "无法识别的文件";
        QTest::newRow("empty") << QByteArray("") << "是空的";
    }
    void aFileWithoutARecordingFails()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, said);
        const QString path = m_dir.filePath(QTest::currentDataTag());
        QVERIFY(writeFileBytes(path, file));
        QVERIFY(replay({ path }, 1, 100).bytes.isEmpty());
        const bool finished = ended();
        if (!finished) { // not to leave it running for the next test
            m_cli.kill();
            m_cli.waitForFinished();
        }
        QVERIFY(finished);
        QCOMPARE(m_cli.exitCode(), 1);
        QVERIFY(QString::fromUtf8(m_cli.readAllStandardError()).contains(said));
    }

    // --loop starts over until Ctrl-C (exit 130).
    void loopsUntilInterrupted()
    {
        const ReplayRecording rec = makeRecording(RecordingKind::TaggedRaw, 10, 5);
        const QString path = m_dir.filePath(QStringLiteral("loop.bin"));
        QVERIFY(writeFileBytes(path, rec.file));
        QVERIFY(replay({ path, "--loop", "--speed", "max" }, 3 * rec.wire.size())
                    .bytes.startsWith(rec.wire + rec.wire));
        QVERIFY(interruptProcess(m_cli));
        RawTty(m_pair.endB()).read(500); // a line nobody reads fills up and blocks the writer
        QVERIFY(ended());
        QCOMPARE(m_cli.exitCode(), 130);
    }
};

QTEST_GUILESS_MAIN(TestCliReplay)
#include "tst_clireplay.moc"
