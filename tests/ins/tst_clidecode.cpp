// telvo-cli decode, run as a program on the recorded streams.
#include "InsTestStreams.h"
#include "TestSupport.h"

#include <QDir>
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

// The message-log form of every wire event of an expectation.
QStringList expectedMessageLines(const InsStream& s)
{
    QStringList lines;
    for (const QJsonObject& e : s.events) {
        if (e.value("ev").toString() != QLatin1String("wire"))
            continue;
        const QByteArray bytes = QByteArray::fromHex(e.value("hex").toString().toLatin1());
        lines << (bytes.startsWith("#vorn") ? QString::fromUtf8(bytes)
                                            : QString::fromLatin1(bytes.toHex(' ')));
    }
    return lines;
}

QStringList outputLines(const QByteArray& out)
{
    QStringList lines = QString::fromUtf8(out).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString statsLine(const InsStream& s)
{
    return QStringLiteral("bytes=%1 packets=%2 errors=%3\n")
        .arg(s.bytesTotal)
        .arg(s.packets)
        .arg(s.errors);
}

} // namespace

class TestCliDecode : public QObject
{
    Q_OBJECT

private slots:
    void printsEveryMessageAsTheLogDoes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("options");
        QTest::newRow("sinsbin") << "sinsbin" << QStringList();
        QTest::newRow("imubin 7") << "imubin" << QStringList({ "--chunk", "7" });
        QTest::newRow("noisy 1") << "mixed_noisy" << QStringList({ "--chunk", "1" });
        QTest::newRow("noisy whole") << "mixed_noisy" << QStringList({ "--chunk=1000000" });
        QTest::newRow("checksum lf") << "sinsbin_checksum_lf" << QStringList();
        QTest::newRow("text") << "text_sentences" << QStringList({ "--chunk", "5" });
    }

    void printsEveryMessageAsTheLogDoes()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, options);
        const InsStream s = loadInsStream(name);
        QVERIFY2(s.error.isEmpty(), qPrintable(s.error));
        const Run r = runCli(QStringList { "decode" } + options + QStringList { dataFile(name) });
        QCOMPARE(r.code, 0);
        QCOMPARE(outputLines(r.out), expectedMessageLines(s));
        QCOMPARE(QString::fromUtf8(r.err), statsLine(s));
    }

    // Text sentences print as text (UTF-8 included), a line that does not begin with
    // "#vorn" as hexadecimal.
    void textMessagesPrintAsText()
    {
        const Run r = runCli({ "decode", dataFile("text_sentences") });
        QCOMPARE(r.code, 0);
        const QStringList lines = outputLines(r.out);
        QVERIFY(lines.contains(QStringLiteral("#vorn,imu,1,2,3,4,5,6,7,25.5*ff 温度")));
        QVERIFY(lines.contains(QStringLiteral("20 20 23 56 4f 52 4e 2c 70 69 6e 67 2a 66 66")));
        QVERIFY(lines.contains(QStringLiteral("#vorn,hello,world*ff")));
    }

    // --fields: one line per record, its snapshot fields in ascending key order.
    void fieldsPrintTheSnapshotOfEachRecord()
    {
        const InsStream s = loadInsStream(QStringLiteral("sinsbin"));
        const Run r = runCli({ "decode", "--fields", "--chunk", "100", dataFile("sinsbin") });
        QCOMPARE(r.code, 0);
        QCOMPARE(QString::fromUtf8(r.err), statsLine(s));
        const QStringList lines = outputLines(r.out);
        QList<QJsonObject> records;
        for (const QJsonObject& e : s.events) {
            if (e.value("ev").toString() == QLatin1String("record"))
                records << e;
        }
        QCOMPARE(lines.size(), records.size());
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QStringList pairs = lines[i].split(' ');
            QCOMPARE(pairs.size(), 25);
            QStringList keys;
            QHash<QString, QString> values;
            for (const QString& pair : pairs) {
                const qsizetype eq = pair.indexOf('=');
                QVERIFY2(eq > 0, qPrintable(pair));
                keys << pair.left(eq);
                values.insert(pair.left(eq), pair.mid(eq + 1));
            }
            QStringList sorted = keys;
            sorted.sort();
            QCOMPARE(keys, sorted);
            const QJsonObject& e = records[i];
            QCOMPARE(values.value("format"), QStringLiteral("sinsbin"));
            QCOMPARE(values.value("stream_tier"), QStringLiteral("3"));
            QCOMPARE(values.value("utc").toDouble(), e.value("utc").toDouble());
            QCOMPARE(values.value("lat").toDouble(), e.value("lat").toDouble());
            QCOMPARE(values.value("alt").toDouble(), e.value("alt").toDouble());
            QCOMPARE(values.value("yaw").toFloat(), float(e.value("yaw").toDouble()));
            QCOMPARE(values.value("gnss_status"), values.value("gps_status"));
        }
    }

    void unreadableFileExitsWithOne()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString missing = dir.filePath(QStringLiteral("missing.bin"));
        Run r = runCli({ "decode", missing });
        QCOMPARE(r.code, 1);
        QVERIFY(r.out.isEmpty());
        QVERIFY2(r.err.contains("cannot read") && r.err.contains(missing.toUtf8()), r.err);
        r = runCli({ "decode", dir.path() });
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains("cannot read"), r.err);
    }

    void badArgumentsExitWithTwo_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("no file") << QStringList() << "no FILE";
        QTest::newRow("two files") << QStringList({ "a.bin", "b.bin" }) << "one FILE";
        QTest::newRow("unknown option") << QStringList({ "--hex", "a.bin" }) << "unknown option";
        QTest::newRow("chunk missing") << QStringList({ "a.bin", "--chunk" }) << "--chunk";
        QTest::newRow("chunk zero") << QStringList({ "--chunk", "0", "a.bin" }) << "--chunk";
        QTest::newRow("chunk text") << QStringList({ "--chunk=big", "a.bin" }) << "--chunk";
        QTest::newRow("chunk negative") << QStringList({ "--chunk", "-4", "a.bin" }) << "--chunk";
    }

    void badArgumentsExitWithTwo()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const Run r = runCli(QStringList { "decode" } + args);
        QCOMPARE(r.code, 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY2(r.err.contains(message.toUtf8()), r.err);
        QVERIFY2(r.err.contains("usage: telvo-cli decode"), r.err);
    }

    void helpExplainsTheCommand()
    {
        const Run r = runCli({ "decode", "--help" });
        QCOMPARE(r.code, 0);
        for (const char* part :
             { "usage: telvo-cli decode [--chunk N] [--fields] FILE", "--chunk N", "--fields",
               "default 4096", "bytes=", "packets=", "errors=", "Exit status" })
            QVERIFY2(r.out.contains(part), part);
        const Run list = runCli({ "--help" });
        QCOMPARE(list.code, 0);
        QVERIFY(list.out.contains("decode"));
    }

    void emptyFileDecodesToNothing()
    {
        QTemporaryDir dir;
        QFile empty(dir.filePath(QStringLiteral("empty.bin")));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        const Run r = runCli({ "decode", empty.fileName() });
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.isEmpty());
        QCOMPARE(r.err, QByteArray("bytes=0 packets=0 errors=0\n"));
    }
};

QTEST_GUILESS_MAIN(TestCliDecode)
#include "tst_clidecode.moc"
