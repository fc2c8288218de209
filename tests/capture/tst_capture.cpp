#include "CaptureFixtures.h"
#include "InsTestStreams.h"
#include "TestSupport.h"

#include "capture/CaptureExport.h"
#include "capture/CsvExporter.h"
#include "capture/TrackThinner.h"
#include "ins/InsBridge.h"

#include <QJsonDocument>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <cmath>

using namespace gcs::test;
using gcs::CaptureExport;
using gcs::CaptureReader;
using gcs::CaptureRecord;
using gcs::TrackThinner;

namespace {

// RFC 4180: cells between commas, CR LF between rows, quoted cells with doubled quotes.
QList<QStringList> parseCsv(const QString& text)
{
    QList<QStringList> rows(1);
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i], next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (c == '"' && quoted && next == '"')
            cell += text[i++];
        else if (c == '"' && (quoted || cell.isEmpty()))
            quoted = !quoted;
        else if (!quoted && (c == ',' || (c == '\r' && next == '\n'))) {
            rows.last() << cell;
            cell.clear();
            if (c == '\r' && ++i < text.size() - 1)
                rows.append(QStringList());
        } else
            cell += c;
    }
    return rows;
}

} // namespace

/// The capture library. The reader over both kinds of file, and the INS decoder through
/// it on the recorded streams of tests/data/ins (encoded by gen_ins_streams.py from the
/// frame layouts and the sentence grammar, not by the decoder): records, replies and where
/// they start, the counters of a capture with known faults, damaged files, seeking.
/// The exports: the CSV read back by an RFC 4180 parser equals the records cell by cell,
/// with the decimals the unit sent; the KML parses with the right first and last point;
/// long tracks keep their shape.
class TestCapture : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QRandomGenerator m_rng { QRandomGenerator::global()->generate() };

    QString file(const QString& name, const QByteArray& capture, bool log)
    {
        return writeCapture(m_dir.filePath(name + (log ? ".txt" : ".bin")), capture, log);
    }

    // The stream as a raw capture or a message log, exported; its records as read back.
    QString exported(const QString& stream, bool log, CaptureExport::Format format,
                     QList<CaptureRecord>& records)
    {
        const QString source = writeCapture(m_dir.filePath(stream + (log ? ".txt" : ".bin")),
                                            loadInsStream(stream).bytes, log);
        gcs::CaptureReader reader;
        records = reader.open(source) ? readAll(reader) : records;
        const QString out = source + '.' + CaptureExport::suffix(format);
        const CaptureExport::Result r = CaptureExport::toFile(source, out, format);
        return r.ok && r.written > 0 ? out : r.error;
    }

private slots:
    void everyStreamReadsBackAsExpected_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("log");
        for (const char* s : { "imubin", "sinsbin", "mixed_noisy", "text_sentences" }) {
            QTest::addRow("%s raw", s) << QString::fromLatin1(s) << false;
            QTest::addRow("%s log", s) << QString::fromLatin1(s) << true;
        }
    }

    // Each stream as a raw capture and as the recorder's message log of it, read in chunks
    // of random size: every record, reply and wire frame in order (a log holds no
    // replies), where each record's message starts and, from a log, its host time; the
    // counts, and every byte of a binary capture in an accepted frame or skipped.
    void everyStreamReadsBackAsExpected()
    {
        QFETCH(QString, name);
        QFETCH(bool, log);
        const InsStream s = loadInsStream(name);
        const QString path = file(name, s.bytes, log);
        const QByteArray bytes = readFileBytes(path);
        CaptureReader reader;
        QVERIFY(reader.open(path));
        QCOMPARE(reader.kind(),
                 log ? CaptureReader::Kind::MessageLog : CaptureReader::Kind::RawCapture);
        InsEventLog seen(reader.decoder());
        const QList<CaptureRecord> records = readAll(reader, &m_rng);
        QVERIFY2(reader.errorText().isEmpty() && reader.position() == bytes.size(),
                 qPrintable(reader.errorText()));
        QList<QJsonObject> expected = s.events;
        expected.removeIf([log](const QJsonObject& e) {
            return log && e.value("ev") != "record" && e.value("ev") != "wire";
        });
        for (const QString& diff : { compareInsEvents(seen.events, expected),
                                     compareInsEvents(recordEvents(records), s.records()) })
            QVERIFY2(diff.isEmpty(), qPrintable(diff));
        for (const CaptureRecord& c : records) {
            const QByteArray at = bytes.mid(c.offset, 23);
            QVERIFY(log
                    || ((at.startsWith("\xAA\x55") || at.startsWith("#vorn")) && c.line == 0
                        && !c.hasHostTime()));
            QVERIFY(!log
                    || (c.line == bytes.left(c.offset).count('\n') + 1
                        && QLatin1String(at) == c.hostTimeText()));
            QVERIFY(!log
                    || QDateTime::fromMSecsSinceEpoch(c.hostMs).toString("yyyy-MM-dd HH:mm:ss.zzz")
                        == c.hostTimeText());
        }
        const RecDataModel::Integrity c = reader.counters();
        if (log)
            return;
        QCOMPARE(QList<qint64>({ c.bytes, reader.decoder()->recPackets(), c.textErrors }),
                 QList<qint64>({ s.bytesTotal, s.packets, s.errors }));
        const qsizetype wireBytes = seen.wireTrace.size() - 3 * seen.records; // "31:", "59:"
        QVERIFY(name.startsWith("text")
                || (c.frames == s.packets && c.skippedBytes + wireBytes == s.bytesTotal));
    }

    void faultsGiveExactCounters_data()
    {
        QTest::addColumn<bool>("log");
        QTest::addColumn<QString>("counters");
        // Raw: 47 + 38 frames; checksums of IMU frame 20, SINS frame 1 (under the 31-byte
        // lock) and SINS frame 5; skipped 17 + 31 + 13 + 59 + 59 + 9 + 30; lost IMU frames
        // 10, 11 and 20 by their counters, SINS frame 1 by its checksum (before its stream
        // began), SINS frame 5 by the time tag's step, and one each over SINS frames 17 and
        // 34, whose time tags come from nowhere, as a frame valid by chance would carry.
        QTest::newRow("raw") << false << "3917 85 0 3 0 218 7";
        // A log holds the accepted frames only: what it shows lost are the steps' gaps.
        QTest::newRow("log") << true << "3699 85 0 0 0 0 6";
    }

    void faultsGiveExactCounters()
    {
        QFETCH(bool, log);
        CaptureReader reader;
        QVERIFY(reader.open(file("faulty", faultyCapture(), log)));
        QCOMPARE(readAll(reader, &m_rng, 100).size(), 85);
        QTEST(counters(reader.counters()), "counters");
    }

    void damagedFilesSayWhereTheyBreak_data()
    {
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<QString>("message");
        const QByteArray stamp = "2024-03-09 07:05:09.000 ";
        QTest::newRow("truncated") << stamp + "aa 55 0"
                                   << "最后一行（第 4 行）不完整";
        QTest::newRow("not hex") << stamp + "aa 55 zz\n"
                                 << "第 4 行不是十六进制";
        QTest::newRow("bad date") << QByteArray("2024-13-09 07:05:09.000 aa 55\n")
                                  << "第 4 行不是“时间 报文”";
        QTest::newRow("no time") << QByteArray("aa 55 01\n") << "第 4 行不是“时间 报文”的格式";
        QTest::newRow("too long") << stamp + QByteArray(CaptureReader::kMaxLogLine, 'a')
                                  << "第 4 行过长";
        QTest::newRow("no capture") << QByteArray() << "无法识别的文件";
        QTest::newRow("missing") << QByteArray() << "无法打开文件";
    }

    // Three good lines, then the fault: its message names the line, the records before it
    // are read. A file that is neither kind, or none at all, is named as such.
    void damagedFilesSayWhereTheyBreak()
    {
        QFETCH(QByteArray, tail);
        QFETCH(QString, message);
        QString path = file("damaged", loadInsStream("sinsbin").bytes.left(3 * 59), true);
        QVERIFY(writeFileBytes(path, readFileBytes(path) + tail));
        if (tail.isEmpty())
            path = message.contains("识别") ? file("junk", QByteArray(5000, 'q'), false)
                                            : m_dir.filePath("none");
        CaptureReader reader;
        QCOMPARE(reader.open(path), !message.contains("打开"));
        QCOMPARE(readAll(reader).size(), tail.isEmpty() ? 0 : 3);
        QVERIFY2(reader.errorText().contains(message), qPrintable(reader.errorText()));
        QVERIFY(reader.open(file("empty", QByteArray(), false))); // nothing recorded
        QVERIFY(readAll(reader).isEmpty() && reader.errorText().isEmpty());
    }

    // A record's offset and line are a place to go on from: what follows is what came
    // after it the first time.
    void seekingToARecordGoesOnFromThere()
    {
        for (bool log : { false, true }) {
            CaptureReader reader;
            QVERIFY(reader.open(file("seek%1", loadInsStream("mixed_noisy").bytes, log)));
            const QList<CaptureRecord> all = readAll(reader);
            for (qsizetype k : { qsizetype(0), qsizetype(57), all.size() - 1 }) {
                QVERIFY(reader.seek(all[k].offset, all[k].line));
                const QList<CaptureRecord> rest = readAll(reader, &m_rng);
                QCOMPARE(recordEvents(rest), recordEvents(all.mid(k)));
                QCOMPARE(QList<qint64>({ rest[0].offset, rest[0].line }),
                         QList<qint64>({ all[k].offset, all[k].line }));
            }
            QVERIFY(!reader.seek(reader.size() + 1)); // the "%1" in its name takes no number
            QVERIFY(reader.errorText().endsWith(QString::number(reader.size() + 1) + " 字节"));
        }
    }

    void csvReadsBackAsTheRecords_data()
    {
        QTest::addColumn<QString>("stream");
        QTest::addColumn<bool>("log");
        // The decimals of the values the format sends scaled: those of its wire scale.
        QTest::addColumn<QString>("decimals");
        QTest::newRow("sinsbin raw") << "sinsbin" << false
                                     << "roll=2 pitch=2 yaw=2 lat=7 lon=7 alt=0 ve=2 vn=2 vu=2 "
                                        "gnss_heading=2 temp=0 utc=0";
        QTest::newRow("imubin log")
            << "imubin" << true << "gx=5 gy=5 gz=5 ax=7 ay=7 az=7 temp=2 count=0";
        QTest::newRow("sentences log") << "text_sentences" << true << QString();
    }

    // A cell holds the record's value (a number reads back to the same float or double,
    // with the decimals the unit sent) exactly where the record's telemetry snapshot has
    // the key and its format carries it (a count only where it numbers its messages), and
    // is empty elsewhere. Without host times the time is the seconds by the unit's clock.
    void csvReadsBackAsTheRecords()
    {
        QFETCH(QString, stream);
        QFETCH(bool, log);
        QFETCH(QString, decimals);
        QVariantMap scaled;
        for (const QString& pair : decimals.split(' ', Qt::SkipEmptyParts))
            scaled.insert(pair.section('=', 0, 0), pair.section('=', 1).toInt());
        QList<CaptureRecord> records;
        const QByteArray bytes
            = readFileBytes(exported(stream, log, CaptureExport::Format::Csv, records));
        QList<QJsonObject> sent; // the records as the stream's encoder has them, unrounded
        for (const QByteArray& line :
             readFileBytes(dataDir() + "/ins/" + stream + ".expect.jsonl").split('\n')) {
            if (QJsonDocument::fromJson(line)["ev"] == "record")
                sent << QJsonDocument::fromJson(line).object();
        }
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QList<QStringList> rows = parseCsv(QString::fromUtf8(bytes.mid(3)));
        QCOMPARE(rows.size(), records.size() + 1);
        const QStringList header = rows.first();
        QCOMPARE(header.size(), gcs::CsvExporter::kColumnCount);
        for (qsizetype i = 0; i < records.size(); ++i) {
            QCOMPARE(rows[i + 1].size(), header.size());
            const RecDataStruct& r = records[i].record;
            QCOMPARE(rows[i + 1][0],
                     log ? QString(records[i].hostTimeText())
                         : QString::number((r.utc - records[0].record.utc) / 1e4, 'f', 4));
            QVariantMap fields = gcs::InsBridge::toSnapshot(r).fields;
            if (r.format != RecImuBin && r.format != RecAhrsAsc)
                fields.remove("count");
            for (qsizetype col = 1; col < header.size(); ++col) {
                const QVariant v = fields.value(header[col]);
                const QString& cell = rows[i + 1][col];
                // A scaled value is what the unit sent (the stream's encoder has the value of
                // its integer), with the decimals of its scale.
                const QVariant places = scaled.value(header[col]);
                QVERIFY2(!places.isValid()
                             || (!cell.isEmpty() && cell.section('.', 1).size() == places.toInt()
                                 && qAbs(cell.toDouble() - sent[i][header[col]].toDouble())
                                     <= 0.5 * std::pow(10.0, -places.toInt())),
                         qPrintable(header[col] + ": " + cell));
                if (places.isValid())
                    continue;
                const bool same = v.typeId() == QMetaType::Float ? cell.toFloat() == v.toFloat()
                    : v.typeId() == QMetaType::Double            ? cell.toDouble() == v.toDouble()
                                                                 : cell == v.toString();
                QVERIFY2(same && cell.isEmpty() == !v.isValid(),
                         qPrintable(header[col] + ": " + cell));
            }
        }
        QCOMPARE(gcs::CsvExporter::quoted("say \"a,b\"\r\n"),
                 QByteArray("\"say \"\"a,b\"\"\r\n\""));
        QCOMPARE(parseCsv("\"say \"\"a,b\"\"\r\n\",x\r\n"),
                 QList<QStringList>({ { "say \"a,b\"\r\n", "x" } }));
    }

    // The line through every position, the start and end placemarks on its ends.
    void kmlHoldsTheTrack()
    {
        QList<CaptureRecord> records;
        QFile file(exported("sinsbin", false, CaptureExport::Format::Kml, records));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QList<QStringList> coordinates; // the line's, the start's, the end's
        while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
            if (xml.isStartElement() && xml.name() == QLatin1String("kml"))
                QCOMPARE(xml.namespaceUri(), QLatin1String("http://www.opengis.net/kml/2.2"));
            if (xml.isStartElement() && xml.name() == QLatin1String("coordinates"))
                coordinates << xml.readElementText().split(QRegularExpression("\\s+"),
                                                           Qt::SkipEmptyParts);
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(coordinates.size(), 3);
        QCOMPARE(coordinates[0].size(), records.size());
        // As the unit sent them: degrees with 7 decimals, whole metres.
        const QRegularExpression sent("^-?\\d+\\.\\d{7},-?\\d+\\.\\d{7},-?\\d+$");
        for (const QStringList& tuples : coordinates)
            for (const QString& t : tuples)
                QVERIFY2(sent.match(t).hasMatch(), qPrintable(t));
        const auto tuple = [](double lon, double lat, double alt) {
            return QString("%1,%2,%3")
                .arg(lon, 0, 'g', 17)
                .arg(lat, 0, 'g', 17)
                .arg(alt, 0, 'g', 17);
        };
        const auto read = [&](const QString& t) {
            const QStringList v = t.split(',');
            return tuple(v[0].toDouble(), v[1].toDouble(), v[2].toDouble());
        };
        const RecDataStruct &a = records.first().record, &b = records.last().record;
        QCOMPARE(QStringList({ read(coordinates[0].first()), read(coordinates[0].last()),
                               read(coordinates[1][0]), read(coordinates[2][0]) }),
                 QStringList({ tuple(a.lon, a.lat, a.alt), tuple(b.lon, b.lat, b.alt),
                               tuple(a.lon, a.lat, a.alt), tuple(b.lon, b.lat, b.alt) }));
    }

    // A long track keeps at most kMaxPoints, its first and last point, and every point
    // dropped lies near the line through the points kept, which are the track's in order.
    void longTracksAreThinnedKeepingTheirShape()
    {
        QList<TrackThinner::Point> track;
        TrackThinner thinner;
        for (int i = 0; i < 150100; ++i) { // ending in steps far below any tolerance
            const int t = qMin(i, 150000);
            track.append({ 116.39 + 0.01 * std::cos(t * 1e-4) + 1e-8 * (t % 7) + 1e-10 * (i - t),
                           39.9 + 0.01 * std::sin(3e-4 * t), 50.0 });
            thinner.add(track.last());
        }
        const std::vector<TrackThinner::Point> kept = thinner.finish();
        QVERIFY(kept.size() <= size_t(TrackThinner::kMaxPoints) && kept.size() > 100);
        QCOMPARE(QList<double>({ kept.front().lon, kept.back().lon }),
                 QList<double>({ track.first().lon, track.last().lon }));
        const double mx = 111320.0 * std::cos(39.9 * M_PI / 180), my = 110574.0;
        size_t k = 0;
        for (const TrackThinner::Point& p : track) {
            if (k + 1 < kept.size() && p.lon == kept[k + 1].lon && p.lat == kept[k + 1].lat)
                ++k;
            const TrackThinner::Point &a = kept[k], &b = kept[qMin(k + 1, kept.size() - 1)];
            const double bx = (b.lon - a.lon) * mx, by = (b.lat - a.lat) * my;
            const double px = (p.lon - a.lon) * mx, py = (p.lat - a.lat) * my;
            const double t
                = bx || by ? qBound(0.0, (px * bx + py * by) / (bx * bx + by * by), 1.0) : 0;
            QVERIFY(std::hypot(px - t * bx, py - t * by) <= 2 * thinner.toleranceM());
        }
        QCOMPARE(k, kept.size() - 1);
    }
};

QTEST_GUILESS_MAIN(TestCapture)
#include "tst_capture.moc"
