#include "CaptureFixtures.h"
#include "InsTestStreams.h"
#include "TestSupport.h"

#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
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

// Runs telvo-cli with args, or the program named first ("telvo-shots ..."), in the C
// locale or the one given; a last argument ">FILE" sends standard output there instead.
Run cli(QStringList args, const QStringList& locale = { "LC_ALL=C" })
{
    QProcess p;
    if (args.last().startsWith('>'))
        p.setStandardOutputFile(args.takeLast().mid(1));
    const QString program = args.first().startsWith("telvo-") ? args.takeFirst() : "telvo-cli";
    pinCliLocale(p, locale);
    p.start(binDir() + '/' + program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return { p.exitCode(), p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError()) };
}

} // namespace

/// telvo-cli decode, export and stats, run as a program on the recorded streams and on
/// captures built from them.
class TestCliCapture : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    // decode prints each message as the recorder's log shows it (text as text, UTF-8
    // included, frames as hex), from a raw capture fed a byte at a time or from the log,
    // then the counts; --fields one snapshot a record; export the same bytes on standard
    // output and in --out.
    void decodeAndExport()
    {
        for (const char* name : { "mixed_noisy", "text_sentences" }) {
            const InsStream s = loadInsStream(name);
            QStringList wires;
            for (const QJsonObject& e : s.events) {
                const QByteArray bytes = QByteArray::fromHex(e.value("hex").toString().toLatin1());
                if (e.value("ev") == "wire")
                    wires << (bytes.startsWith("#vorn") ? QString::fromUtf8(bytes)
                                                        : bytes.toHex(' '));
            }
            const QString raw = writeCapture(m_dir.filePath("raw.bin"), s.bytes, false);
            const Run r = cli({ "decode", "--chunk=1", raw });
            QCOMPARE(QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts), wires);
            QCOMPARE(r.err,
                     QString("bytes=%1 packets=%2 errors=%3\n")
                         .arg(s.bytesTotal)
                         .arg(s.packets)
                         .arg(s.errors));
            const Run log
                = cli({ "decode", writeCapture(m_dir.filePath("log.txt"), s.bytes, true) });
            QCOMPARE(QString::fromUtf8(log.out).split('\n', Qt::SkipEmptyParts), wires);
            const QByteArray fields = cli({ "decode", "--fields", raw }).out; // a snapshot a record
            QVERIFY(fields.count('\n') == s.packets && fields.count(" format=") == s.packets);
            const QString out = m_dir.filePath("out.csv");
            QVERIFY(cli({ "export", "--out", out, raw })
                        .err.contains(QString("%1 条记录").arg(s.packets)));
            QCOMPARE(cli({ "export", raw }).out, readFileBytes(out));
        }
    }

    void statsReportTheIntegrityCounters()
    {
        const Run json
            = cli({ "stats", "--json",
                    writeCapture(m_dir.filePath("faulty.bin"), faultyCapture(), false) });
        QCOMPARE(QJsonDocument::fromJson(json.out).object().toVariantMap(),
                 QVariantMap({ { "bytes", faultyCapture().size() },
                               { "frames", 85 },
                               { "sentences", 0 },
                               { "checksum_errors", 3 },
                               { "text_errors", 0 },
                               { "skipped_bytes", 218 },
                               { "lost_frames", 7 },
                               { "records", 85 },
                               { "kind", "raw" },
                               { "file_bytes", faultyCapture().size() } }));
        const QByteArray imu = loadInsStream("imubin").bytes.left(31 * 11);
        const Run text
            = cli({ "stats", writeCapture(m_dir.filePath("paced.txt"), imu, true, 20, 5, 480) });
        for (const char* line : { "类型：INS 消息记录", "二进制帧：11", "消息速率：14.71 /s",
                                  "最长静默：500 ms（第 6 行之前）" })
            QVERIFY2(json.code + text.code == 0 && text.out.contains(line), line);
    }

    // Bad arguments exit with 2 and the usage, a file that gives nothing with 1 (and no
    // output file), a log that breaks off with 3 after what came before; output that cannot
    // be written (a full disk) and an export over its own capture with 1; options take
    // "--NAME=VALUE" too.
    void exitStatusTellsWhatHappened()
    {
        const QString out = m_dir.filePath("never.kml"), imu = dataDir() + "/ins/imubin.bin";
        const QString sins = dataDir() + "/ins/sinsbin.bin", own = m_dir.filePath("own.bin");
        const QString full = ">/dev/full", noSpace = "No space left on device";
        QVERIFY(QFile::copy(sins, own));
        const QString log = writeCapture(m_dir.filePath("cut.txt"),
                                         loadInsStream("sinsbin").bytes.left(59 * 4), true);
        QVERIFY(writeFileBytes(log, readFileBytes(log) + "2024-01-01 00:00:00.000 aa 5"));
        const QList<std::tuple<QStringList, int, QString, int>> runs {
            { { "decode", "--chunk", "0", "a" }, 2, "用法：telvo-cli decode", 0 },
            { { "export", "--format", "xls", "a" }, 2, "用法：telvo-cli export", 0 },
            { { "stats", "a", "b" }, 2, "用法：telvo-cli stats", 0 },
            { { "decode", "/nonexistent" }, 1, "无法读取", 0 },
            { { "export", "--format", "kml", "--out", out, imu }, 1, "没有带位置", 0 },
            { { "decode", log }, 3, "第 5 行", 4 },
            { { "export", log }, 3, "第 5 行", 5 },
            { { "stats", log }, 3, "第 5 行", 16 },
            { { "export", "--format=kml", "--out=" + out, imu }, 1, "没有带位置", 0 },
            { { "export", "--out", own, own }, 1, "导出文件不能覆盖记录文件本身", 0 },
            { { "decode", sins, full }, 1, noSpace, 0 },
            { { "stats", "--json", sins, full }, 1, noSpace, 0 },
            { { "export", "--format", "kml", sins, full }, 1, noSpace, 0 },
            { { "export", "--out", "/dev/full", sins }, 1, noSpace, 0 },
            { { "--version" }, 0, "telvo-cli " GCS_VERSION "\n", 1 },
            { { "telvo-shots", "--help" }, 0, "usage: telvo-shots OUT_DIR", 12 },
        };
        for (const auto& [args, code, message, lines] : runs) {
            const Run r = cli(args);
            QVERIFY2(r.code == code && (r.err + QString::fromUtf8(r.out)).contains(message)
                         && r.out.count('\n') == lines,
                     qPrintable(args.join(' ') + ": " + r.err));
        }
        QVERIFY(!QFileInfo::exists(out));
        QCOMPARE(readFileBytes(own), readFileBytes(sins));
    }

    // Messages speak the language the locale asks for, as gettext reads it: English for
    // English, the texts as written (Chinese) otherwise, the C locale included. What is
    // meant for programs reads the same in both.
    void messagesFollowTheLocale_data()
    {
        QTest::addColumn<QStringList>("locale");
        QTest::addColumn<bool>("english");
        const auto row = [](const char* tag, const QStringList& locale, bool english) {
            QTest::newRow(tag) << locale << english;
        };
        row("LANG", { "LANG=en_US.UTF-8" }, true);
        row("LC_ALL=C before LANG", { "LC_ALL=C", "LANG=en_US" }, false);
        row("LC_MESSAGES before LANG", { "LC_MESSAGES=en_GB", "LANG=zh_CN.UTF-8" }, true);
        row("an empty LC_ALL is unset", { "LC_ALL=", "LANG=en_US.UTF-8" }, true);
        row("LANGUAGE before the locale", { "LANGUAGE=en:zh", "LANG=zh_CN.UTF-8" }, true);
        row("LANGUAGE's first with texts", { "LANGUAGE=fr:zh_CN:en", "LANG=en_US" }, false);
        row("no LANGUAGE in the C locale", { "LANGUAGE=en", "LC_ALL=C" }, false);
        row("no LANGUAGE in C.UTF-8", { "LANGUAGE=en", "LANG=C.UTF-8" }, false);
        row("nothing set", {}, false);
    }

    void messagesFollowTheLocale()
    {
        QFETCH(QStringList, locale);
        QFETCH(bool, english);
        const Run r = cli({ "no-such-command" }, locale);
        const QString said = r.err.section('\n', 0, 0);
        QVERIFY2(r.code == 2 && said.contains("no-such-command")
                     && said.contains(QRegularExpression("\\p{Han}")) != english,
                 qPrintable(said));
        const QString sins = dataDir() + "/ins/sinsbin.bin";
        // The moving, gapped noisy stream puts reasons (texts) into the JSON.
        const QString noisy = dataDir() + "/ins/mixed_noisy.bin";
        for (const QStringList& args :
             { QStringList { "export", sins }, QStringList { "stats", "--json", sins },
               QStringList { "decode", "--fields", sins },
               QStringList { "adev", "--json", "--rate", "100", noisy } })
            QCOMPARE(cli(args, locale).out, cli(args).out);
    }
};

QTEST_GUILESS_MAIN(TestCliCapture)
#include "tst_clicapture.moc"
