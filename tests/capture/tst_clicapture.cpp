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
    p.start(binDir() + QStringLiteral("/telvo-cli"), args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return { p.exitCode(), p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError()) };
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
    // Each message as the recorder's log shows it (text as text, UTF-8 included, frames
    // as hex), from a raw capture fed a byte at a time or from the log; then the counts.
    void decodePrintsEveryMessageAsTheLogDoes()
    {
        for (const char* name : { "mixed_noisy", "text_sentences" }) {
            const InsStream s = loadInsStream(name);
            QStringList expected;
            for (const QJsonObject& e : s.events) {
                const QByteArray bytes = QByteArray::fromHex(e.value("hex").toString().toLatin1());
                if (e.value("ev") == "wire")
                    expected << (bytes.startsWith("#vorn") ? QString::fromUtf8(bytes)
                                                           : bytes.toHex(' '));
            }
            const Run raw = cli({ "decode", "--chunk=1", data(name) });
            QCOMPARE(QString::fromUtf8(raw.out).split('\n', Qt::SkipEmptyParts), expected);
            QCOMPARE(raw.err,
                     QString("bytes=%1 packets=%2 errors=%3\n")
                         .arg(s.bytesTotal)
                         .arg(s.packets)
                         .arg(s.errors));
            const Run log
                = cli({ "decode", writeCapture(m_dir.filePath("log.txt"), s.bytes, true) });
            QCOMPARE(QString::fromUtf8(log.out).split('\n', Qt::SkipEmptyParts), expected);
            QCOMPARE(raw.code + log.code, 0);
        }
    }

    // --fields: the snapshot of each record. Export: standard output and --out give the
    // same bytes.
    void fieldsAndExports()
    {
        const QList<QByteArray> lines
            = cli({ "decode", "--fields", data("sinsbin") }).out.split('\n');
        const QList<QJsonObject> records = loadInsStream("sinsbin").records();
        QCOMPARE(lines.size(), records.size() + 1);
        QVERIFY(lines[299].contains(QString(" format=sinsbin gnss_heading=%1 ")
                                        .arg(records.last().value("gnss_heading").toDouble())
                                        .toUtf8()));
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
        const QString path = writeCapture(m_dir.filePath("faulty.bin"), faultyCapture(), false);
        const Run json = cli({ "stats", "--json", path });
        QCOMPARE(json.code, 0);
        QCOMPARE(QJsonDocument::fromJson(json.out).object().toVariantMap(),
                 QVariantMap({ { "bytes", faultyCapture().size() },
                               { "frames", 85 },
                               { "sentences", 0 },
                               { "checksum_errors", 3 },
                               { "text_errors", 0 },
                               { "skipped_bytes", 218 },
                               { "lost_frames", 5 },
                               { "records", 85 },
                               { "kind", "raw" },
                               { "file_bytes", faultyCapture().size() } }));
        const QString log
            = writeCapture(m_dir.filePath("paced.txt"), loadInsStream("imubin").bytes.left(31 * 11),
                           true, 20, 5, 480);
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
        const QString out = m_dir.filePath("never.csv");
        QTest::newRow("decode chunk")
            << QStringList { "decode", "--chunk", "0", "a" } << 2 << "--chunk";
        QTest::newRow("decode missing")
            << QStringList { "decode", "/nonexistent" } << 1 << "cannot read";
        QTest::newRow("export format")
            << QStringList { "export", "--format", "xls", "a" } << 2 << "csv or kml";
        QTest::newRow("no position")
            << QStringList { "export", "--format", "kml", "--out", out, data("imubin") } << 1
            << "没有带位置";
        QTest::newRow("no capture")
            << QStringList { "export", "--out", out, dataDir() + "/config/gyro_cal.dat" } << 1
            << "无法识别的文件";
        QTest::newRow("stats two") << QStringList { "stats", "a", "b" } << 2 << "one CAPTURE";
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
        const QString log = writeCapture(m_dir.filePath("cut.txt"),
                                         loadInsStream("sinsbin").bytes.left(59 * 4), true);
        QVERIFY(writeFileBytes(log, readFileBytes(log) + "2024-01-01 00:00:00.000 aa 5"));
        QMap<QString, int> lines { { "decode", 4 }, { "export", 5 }, { "stats", 16 } };
        for (auto it = lines.cbegin(); it != lines.cend(); ++it) {
            const Run r = cli({ it.key(), log });
            QVERIFY2(r.code == 3 && r.err.contains(QStringLiteral("第 5 行")), qPrintable(r.err));
            QCOMPARE(r.out.count('\n'), it.value());
        }
    }
};

QTEST_GUILESS_MAIN(TestCliCapture)
#include "tst_clicapture.moc"
