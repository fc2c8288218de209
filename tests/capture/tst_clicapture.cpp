// telvo-cli decode, export and stats, run as a program on the recorded streams and on
// captures built from them.
#include "CaptureFixtures.h"
#include "InsTestStreams.h"
#include "TestSupport.h"

#include "capture/CaptureExport.h"

#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using gcs::test::InsStream;
using gcs::test::loadInsStream;

namespace {

struct Run
{
    int code = -1;
    QByteArray out;
    QByteArray err;
};

Run runCli(const QStringList& args)
{
    QProcess p;
    p.start(QDir(gcs::test::binDir()).filePath(QStringLiteral("telvo-cli")), args);
    Run r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.code = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QString dataFile(const QString& name)
{
    return gcs::test::dataDir() + QStringLiteral("/ins/") + name + QStringLiteral(".bin");
}

} // namespace

class TestCliCapture : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void decodePrintsEveryMessageAsTheLogDoes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("log");
        QTest::newRow("sinsbin") << "sinsbin" << QStringList() << false;
        QTest::newRow("imubin 7") << "imubin" << QStringList({ "--chunk", "7" }) << false;
        QTest::newRow("noisy 1") << "mixed_noisy" << QStringList({ "--chunk", "1" }) << false;
        QTest::newRow("noisy whole")
            << "mixed_noisy" << QStringList({ "--chunk=1000000" }) << false;
        QTest::newRow("checksum lf") << "sinsbin_checksum_lf" << QStringList() << false;
        QTest::newRow("text") << "text_sentences" << QStringList({ "--chunk", "5" }) << false;
        QTest::newRow("text log") << "text_sentences" << QStringList() << true;
    }

    // Each message as the recorder's log shows it (text as text, UTF-8 included, frames
    // as hex), from a raw capture or from the log itself; then the counts.
    void decodePrintsEveryMessageAsTheLogDoes()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, options);
        QFETCH(bool, log);
        const InsStream s = loadInsStream(name);
        QString file = dataFile(name);
        if (log) {
            file = m_dir.filePath(name + ".txt");
            QVERIFY(gcs::test::writeMessageLog(file, s.bytes, 1700000000000));
        }
        const Run r = runCli(QStringList { "decode" } + options + QStringList { file });
        QCOMPARE(r.code, 0);
        QStringList expected;
        for (const QJsonObject& e : s.events) {
            if (e.value("ev").toString() != QLatin1String("wire"))
                continue;
            const QByteArray bytes = QByteArray::fromHex(e.value("hex").toString().toLatin1());
            expected << (bytes.startsWith("#vorn") ? QString::fromUtf8(bytes)
                                                   : QString::fromLatin1(bytes.toHex(' ')));
        }
        QCOMPARE(QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts), expected);
        if (!log)
            QCOMPARE(QString::fromUtf8(r.err),
                     QStringLiteral("bytes=%1 packets=%2 errors=%3\n")
                         .arg(s.bytesTotal)
                         .arg(s.packets)
                         .arg(s.errors));
    }

    // --fields: one line per record, its snapshot fields in ascending key order.
    void decodeFieldsPrintTheSnapshotOfEachRecord()
    {
        const Run r = runCli({ "decode", "--fields", dataFile("sinsbin") });
        QCOMPARE(r.code, 0);
        const QStringList lines = QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts);
        const QList<QJsonObject> records = loadInsStream("sinsbin").records();
        QCOMPARE(lines.size(), records.size());
        const QStringList pairs = lines.last().split(' ');
        QCOMPARE(pairs.size(), 25);
        QVERIFY(pairs.contains("format=sinsbin") && pairs.contains("stream_tier=3"));
        QVERIFY(pairs.contains(
            QStringLiteral("utc=%1").arg(records.last().value("utc").toDouble(), 0, 'g', 17)));
    }

    // Standard output and --out give the same bytes; the file appears only when done.
    void exportWritesTheFileOrStandardOutput()
    {
        for (const char* format : { "csv", "kml" }) {
            const QString out = m_dir.filePath(QStringLiteral("x.") + format);
            const Run toFile
                = runCli({ "export", "--format", format, "--out", out, dataFile("sinsbin") });
            QCOMPARE(toFile.code, 0);
            QVERIFY2(toFile.err.contains("300 records"), toFile.err);
            const Run toStdout = runCli({ "export", "--format", format, dataFile("sinsbin") });
            QCOMPARE(toStdout.code, 0);
            QCOMPARE(toStdout.out, gcs::test::readFileBytes(out));
        }
        QVERIFY(
            runCli({ "export", dataFile("sinsbin") }).out.startsWith("\xEF\xBB\xBFtime,format,"));
    }

    void statsReportTheIntegrityCounters()
    {
        const QString path = m_dir.filePath("faulty.bin");
        QVERIFY(gcs::test::writeFileBytes(path, gcs::test::faultyCapture()));
        const Run json = runCli({ "stats", "--json", path });
        QCOMPARE(json.code, 0);
        const QJsonObject o = QJsonDocument::fromJson(json.out).object();
        QCOMPARE(o.value("bytes").toInteger(), QFileInfo(path).size());
        QCOMPARE(o.value("frames").toInteger(), 85);
        QCOMPARE(o.value("sentences").toInteger(), 0);
        QCOMPARE(o.value("checksum_errors").toInteger(), 3);
        QCOMPARE(o.value("text_errors").toInteger(), 0);
        QCOMPARE(o.value("skipped_bytes").toInteger(), 218);
        QCOMPARE(o.value("lost_frames").toInteger(), 5);
        QCOMPARE(o.value("kind").toString(), QStringLiteral("raw"));

        const QString log = m_dir.filePath("paced.txt");
        QVERIFY(gcs::test::writeMessageLog(log, loadInsStream("imubin").bytes.left(31 * 11),
                                           1700000000000, 20, 5, 480));
        const Run text = runCli({ "stats", log });
        QCOMPARE(text.code, 0);
        for (const char* line :
             { "kind: INS message log", "binary frames: 11", "lost frames: 0",
               "message rate: 14.71 /s", "longest silence: 500 ms (before line 6)" })
            QVERIFY2(text.out.contains(line), line);
    }

    void exitStatusTellsWhatHappened_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const QString missing = QStringLiteral("/nonexistent/x.bin");
        QTest::newRow("decode no file") << QStringList { "decode" } << 2 << "no FILE";
        QTest::newRow("decode two files") << QStringList { "decode", "a", "b" } << 2 << "one FILE";
        QTest::newRow("decode chunk 0")
            << QStringList { "decode", "--chunk", "0", "a" } << 2 << "--chunk";
        QTest::newRow("decode chunk text")
            << QStringList { "decode", "--chunk=big", "a" } << 2 << "--chunk";
        QTest::newRow("decode unknown")
            << QStringList { "decode", "--hex", "a" } << 2 << "unknown option";
        QTest::newRow("decode missing") << QStringList { "decode", missing } << 1 << "cannot read";
        QTest::newRow("export format")
            << QStringList { "export", "--format", "xls", "a" } << 2 << "csv or kml";
        QTest::newRow("export missing") << QStringList { "export", missing } << 1 << "无法打开文件";
        QTest::newRow("export no position")
            << QStringList { "export", "--format", "kml", dataFile("imubin") } << 1 << "没有带位置";
        QTest::newRow("stats no capture") << QStringList { "stats" } << 2 << "no CAPTURE";
        QTest::newRow("stats missing") << QStringList { "stats", missing } << 1 << "无法打开文件";
    }

    void exitStatusTellsWhatHappened()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        const Run r = runCli(args);
        QCOMPARE(r.code, code);
        QVERIFY2(QString::fromUtf8(r.err).contains(message), r.err);
        if (code == 2)
            QVERIFY2(r.err.contains("usage: telvo-cli " + args.first().toUtf8()), r.err);
    }

    // A log that breaks off: what came before is out, the exit status is 3.
    void damagedCapturesEndWithThree()
    {
        const QString log = m_dir.filePath("cut.txt");
        QVERIFY(gcs::test::writeMessageLog(log, loadInsStream("sinsbin").bytes.left(59 * 4),
                                           1700000000000));
        QVERIFY(gcs::test::writeFileBytes(
            log, gcs::test::readFileBytes(log) + "2024-01-01 00:00:00.000 aa 5"));
        for (const char* command : { "decode", "export", "stats" }) {
            const Run r = runCli({ command, log });
            QCOMPARE(r.code, 3);
            QVERIFY2(QString::fromUtf8(r.err).contains(QStringLiteral("第 5 行")), r.err);
        }
        QCOMPARE(runCli({ "decode", log }).out.count('\n'), 4);
        QCOMPARE(runCli({ "export", log }).out.count('\n'), 5);
    }
};

QTEST_GUILESS_MAIN(TestCliCapture)
#include "tst_clicapture.moc"
