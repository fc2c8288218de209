#include "CaptureFixtures.h"
#include "InsTestStreams.h"
#include "TestSupport.h"

#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace gcs::test;

namespace {

struct Run
{
    int code = -1;
    QByteArray out;
    QString err;
};

Run cli(const QStringList& args)
{
    QProcess p;
    p.start(QDir(binDir()).filePath(QStringLiteral("telvo-cli")), args);
    Run r;
    if (p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit)
        r = { p.exitCode(), p.readAllStandardOutput(),
              QString::fromUtf8(p.readAllStandardError()) };
    return r;
}

QString data(const QString& name)
{
    return dataDir() + QStringLiteral("/ins/") + name + QStringLiteral(".bin");
}

} // namespace

/// telvo-cli decode, export and stats, run as a program on the recorded streams and on
/// captures built from them.
class TestCliCapture : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void decodePrintsEveryMessageAsTheLogDoes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("chunk");
        QTest::addColumn<bool>("log");
        QTest::newRow("noisy 1") << "mixed_noisy"
                                 << "--chunk=1" << false;
        QTest::newRow("checksum lf") << "sinsbin_checksum_lf"
                                     << "--chunk=4096" << false;
        QTest::newRow("text 5") << "text_sentences"
                                << "--chunk=5" << false;
        QTest::newRow("text log") << "text_sentences"
                                  << "--chunk=1" << true;
    }

    // Each message as the recorder's log shows it (text as text, UTF-8 included, frames
    // as hex), from a raw capture or from the log itself; then the counts.
    void decodePrintsEveryMessageAsTheLogDoes()
    {
        QFETCH(QString, name);
        QFETCH(QString, chunk);
        QFETCH(bool, log);
        const InsStream s = loadInsStream(name);
        const QString file = log ? m_dir.filePath(name + ".txt") : data(name);
        QVERIFY(!log || !writeCapture(file, s.bytes, true).isEmpty());
        const Run r = cli({ "decode", chunk, file });
        QCOMPARE(r.code, 0);
        QStringList expected;
        for (const QJsonObject& e : s.events) {
            const QByteArray bytes = QByteArray::fromHex(e.value("hex").toString().toLatin1());
            if (e.value("ev") == "wire")
                expected << (bytes.startsWith("#vorn") ? QString::fromUtf8(bytes)
                                                       : bytes.toHex(' '));
        }
        QCOMPARE(QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts), expected);
        if (!log)
            QCOMPARE(r.err,
                     QString("bytes=%1 packets=%2 errors=%3\n")
                         .arg(s.bytesTotal)
                         .arg(s.packets)
                         .arg(s.errors));
    }

    // --fields: the snapshot of each record. Export: standard output and --out give the
    // same bytes.
    void fieldsAndExports()
    {
        const QStringList lines
            = QString::fromUtf8(cli({ "decode", "--fields", data("sinsbin") }).out)
                  .split('\n', Qt::SkipEmptyParts);
        const QList<QJsonObject> records = loadInsStream("sinsbin").records();
        QCOMPARE(lines.size(), records.size());
        QVERIFY(lines.last().startsWith("alt=") && lines.last().contains(" format=sinsbin "));
        QVERIFY(lines.last().contains(
            QString(" utc=%1 ").arg(records.last().value("utc").toDouble(), 0, 'g', 17)));
        for (const char* format : { "csv", "kml" }) {
            const QString out = m_dir.filePath(QStringLiteral("x.") + format);
            const Run toFile = cli({ "export", "--format", format, "--out", out, data("sinsbin") });
            QVERIFY2(toFile.code == 0 && toFile.err.contains("300 records"),
                     qPrintable(toFile.err));
            QCOMPARE(cli({ "export", "--format", format, data("sinsbin") }).out,
                     readFileBytes(out));
        }
        QVERIFY(cli({ "export", data("sinsbin") }).out.startsWith("\xEF\xBB\xBFtime,format,"));
    }

    void statsReportTheIntegrityCounters()
    {
        const QString path = m_dir.filePath("faulty.bin");
        QVERIFY(writeFileBytes(path, faultyCapture()));
        const Run json = cli({ "stats", "--json", path });
        QCOMPARE(json.code, 0);
        QCOMPARE(QJsonDocument::fromJson(json.out).object().toVariantMap(),
                 QVariantMap({ { "bytes", QFileInfo(path).size() },
                               { "frames", 85 },
                               { "sentences", 0 },
                               { "checksum_errors", 3 },
                               { "text_errors", 0 },
                               { "skipped_bytes", 218 },
                               { "lost_frames", 5 },
                               { "records", 85 },
                               { "kind", "raw" },
                               { "file_bytes", QFileInfo(path).size() } }));
        const QString log = m_dir.filePath("paced.txt");
        QVERIFY(!writeCapture(log, loadInsStream("imubin").bytes.left(31 * 11), true, 20, 5, 480)
                     .isEmpty());
        const Run text = cli({ "stats", log });
        for (const char* line :
             { "kind: INS message log", "binary frames: 11", "message rate: 14.71 /s",
               "longest silence: 500 ms (before line 6)" })
            QVERIFY2(text.code == 0 && text.out.contains(line), line);
    }

    void exitStatusTellsWhatHappened_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const QString out = m_dir.filePath("never.csv"), missing = "/nonexistent/x.bin";
        QTest::newRow("decode no file") << QStringList { "decode" } << 2 << "no FILE";
        QTest::newRow("decode chunk 0")
            << QStringList { "decode", "--chunk", "0", "a" } << 2 << "--chunk";
        QTest::newRow("decode option")
            << QStringList { "decode", "--hex", "a" } << 2 << "unknown option";
        QTest::newRow("decode missing") << QStringList { "decode", missing } << 1 << "cannot read";
        QTest::newRow("export format")
            << QStringList { "export", "--format", "xls", "a" } << 2 << "csv or kml";
        QTest::newRow("export missing")
            << QStringList { "export", "--out", out, missing } << 1 << "无法打开文件";
        QTest::newRow("export no position")
            << QStringList { "export", "--format", "kml", "--out", out, data("imubin") } << 1
            << "没有带位置";
        QTest::newRow("export no capture")
            << QStringList { "export", "--out", out, dataDir() + "/config/gyro_cal.dat" } << 1
            << "无法识别的文件";
        QTest::newRow("stats two files") << QStringList { "stats", "a", "b" } << 2 << "one CAPTURE";
    }

    // Bad arguments give the usage; a failed export leaves no file.
    void exitStatusTellsWhatHappened()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        const Run r = cli(args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(message)
                     && (code != 2 || r.err.contains("usage: telvo-cli " + args[0])),
                 qPrintable(r.err));
        QVERIFY(!QFileInfo::exists(m_dir.filePath("never.csv")));
    }

    // A log that breaks off: what came before is out, the exit status is 3.
    void damagedCapturesEndWithThree()
    {
        const QString log = m_dir.filePath("cut.txt");
        QVERIFY(!writeCapture(log, loadInsStream("sinsbin").bytes.left(59 * 4), true).isEmpty());
        QVERIFY(writeFileBytes(log, readFileBytes(log) + "2024-01-01 00:00:00.000 aa 5"));
        const int lines[] = { 4, 5, 16 };
        int i = 0;
        for (const char* command : { "decode", "export", "stats" }) {
            const Run r = cli({ command, log });
            QVERIFY2(r.code == 3 && r.err.contains(QStringLiteral("第 5 行")), qPrintable(r.err));
            QCOMPARE(r.out.count('\n'), lines[i++]);
        }
    }
};

QTEST_GUILESS_MAIN(TestCliCapture)
#include "tst_clicapture.moc"
