#include "ReplayFiles.h"
#include "TestSupport.h"

#include <QElapsedTimer>
#include <QProcess>
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

    struct Line
    {
        PtyPair pair;
        std::unique_ptr<RawTty> tty;
        QProcess cli;
        QElapsedTimer clock;
        QByteArray bytes;
        QList<QPair<double, qint64>> arrivals; // ms since the start, bytes so far

        bool start(const QStringList& args)
        {
            if (!pair.start())
                return false;
            tty = std::make_unique<RawTty>(pair.endB());
            cli.start(binDir() + QStringLiteral("/telvo-cli"),
                      QStringList { QStringLiteral("replay") } + args
                          + QStringList { QStringLiteral("--to"), pair.endA() });
            clock.start();
            return tty->isOpen() && cli.waitForStarted(5000);
        }
        /// Reads until size bytes arrived or timeoutMs passed.
        bool readUntil(qsizetype size, int timeoutMs)
        {
            while (bytes.size() < size && clock.elapsed() < timeoutMs) {
                const QByteArray piece = tty->read(2, 1);
                if (!piece.isEmpty()) {
                    bytes += piece;
                    arrivals.append({ double(clock.nsecsElapsed()) / 1e6, bytes.size() });
                }
            }
            return bytes.size() >= size;
        }
        bool ended() { return cli.state() == QProcess::NotRunning || cli.waitForFinished(10000); }
        double arrivalOf(qint64 end) const
        {
            for (const auto& a : arrivals) {
                if (a.second >= end)
                    return a.first;
            }
            return -1;
        }
    };

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
        QTest::newRow("no time tags, 50 records/s")
            << RecordingKind::UntaggedRaw << QStringList { "--rate", "25" } << 1.0;
        QTest::newRow("as fast as the line takes it")
            << RecordingKind::TaggedRaw << QStringList { "--speed", "max" } << 0.0;
    }
    void playsOntoAPortAtItsPace()
    {
        QFETCH(RecordingKind, kind);
        QFETCH(QStringList, args);
        QFETCH(double, speed);
        const ReplayRecording rec = makeRecording(kind, 25, 40);
        const QString path = m_dir.filePath(QStringLiteral("rec-%1").arg(QTest::currentDataTag()));
        QVERIFY(writeFileBytes(path, rec.file));
        Line line;
        QVERIFY2(line.start(QStringList { path } + args), qPrintable(line.pair.errorText()));
        QVERIFY2(line.readUntil(rec.wire.size(), 15000),
                 line.cli.readAllStandardError().constData());
        QVERIFY(line.ended());
        QCOMPARE(line.cli.exitCode(), 0);
        line.readUntil(rec.wire.size() + 1, int(line.clock.elapsed()) + 200); // nothing more
        QCOMPARE(line.bytes, rec.wire);
        const double span = line.arrivalOf(rec.ends.last()) - line.arrivalOf(rec.ends.first());
        const double recorded = rec.ms.last() / (speed > 0 ? speed : 1);
        if (speed > 0)
            QVERIFY2(span > recorded - 10 && span < recorded + 300,
                     qPrintable(QString::number(span)));
        else
            QVERIFY2(span < recorded / 4, qPrintable(QString::number(span)));
    }

    // --loop starts over until Ctrl-C (exit 130); wrong arguments exit 2, a file that
    // cannot be read 1.
    void loopsUntilInterruptedAndRefusesBadInput()
    {
        const ReplayRecording rec = makeRecording(RecordingKind::TaggedRaw, 10, 5);
        const QString path = m_dir.filePath(QStringLiteral("loop.bin"));
        QVERIFY(writeFileBytes(path, rec.file));
        Line line;
        QVERIFY(line.start({ path, "--loop", "--speed", "max" }));
        QVERIFY(line.readUntil(3 * rec.wire.size(), 15000));
        QVERIFY(line.bytes.startsWith(rec.wire + rec.wire));
        QVERIFY(interruptProcess(line.cli));
        line.readUntil(1 << 30, int(line.clock.elapsed()) + 500); // a line nobody reads fills up
        QVERIFY(line.ended());
        QVERIFY2(line.cli.exitCode() == 130, line.cli.readAllStandardError().constData());

        const QList<QPair<QStringList, int>> refused
            = { { { "replay", path }, 2 },
                { { "replay", path, "--to", "/dev/null", "--speed", "0" }, 2 },
                { { "replay", m_dir.filePath("none.bin"), "--to", "/dev/null" }, 1 } };
        for (const auto& [args, code] : refused) {
            QProcess cli;
            cli.start(binDir() + QStringLiteral("/telvo-cli"), args);
            QVERIFY(cli.waitForFinished(10000));
            QCOMPARE(cli.exitCode(), code);
        }
    }
};

QTEST_GUILESS_MAIN(TestCliReplay)
#include "tst_clireplay.moc"
