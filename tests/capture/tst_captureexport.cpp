// Exports of a capture: the CSV read back by an RFC 4180 parser equals the decoded
// records cell by cell, the KML parses with the right first and last point, long tracks
// are thinned keeping their shape, and a file appears only for a finished export.
#include "CaptureFixtures.h"
#include "InsTestStreams.h"
#include "TestSupport.h"

#include "capture/CaptureExport.h"
#include "capture/CsvExporter.h"
#include "capture/TrackThinner.h"
#include "ins/InsBridge.h"

#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <cmath>

using gcs::CaptureExport;
using gcs::CaptureReader;
using gcs::CaptureRecord;
using gcs::TrackThinner;
using gcs::test::loadInsStream;

namespace {

QList<QStringList> parseCsv(const QString& text)
{
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (quoted && c == '"' && next == '"') {
            cell += c;
            ++i;
        } else if (c == '"' && (quoted || cell.isEmpty())) {
            quoted = !quoted;
        } else if (!quoted && c == ',') {
            row << cell;
            cell.clear();
        } else if (!quoted && c == '\r' && next == '\n') {
            rows << (row << cell);
            row.clear();
            cell.clear();
            ++i;
        } else {
            cell += c;
        }
    }
    return rows;
}

QList<CaptureRecord> recordsOf(const QString& path)
{
    CaptureReader reader;
    return reader.open(path) ? gcs::test::readAll(reader) : QList<CaptureRecord>();
}

} // namespace

class TestCaptureExport : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString capture(const QString& stream, bool log)
    {
        const QByteArray bytes = loadInsStream(stream).bytes;
        const QString path = m_dir.filePath(stream + (log ? ".txt" : ".bin"));
        const bool ok = log ? gcs::test::writeMessageLog(path, bytes, 1700000000123)
                            : gcs::test::writeFileBytes(path, bytes);
        return ok ? path : QString();
    }

private slots:
    void csvReadsBackAsTheRecords_data()
    {
        QTest::addColumn<QString>("stream");
        QTest::addColumn<bool>("log");
        QTest::newRow("sinsbin raw") << "sinsbin" << false;
        QTest::newRow("imubin log") << "imubin" << true;
        QTest::newRow("sentences log") << "text_sentences" << true;
    }

    // A cell holds the record's value (a number reads back to the same float or double)
    // exactly where the record's telemetry snapshot has the key, and is empty elsewhere.
    void csvReadsBackAsTheRecords()
    {
        QFETCH(QString, stream);
        QFETCH(bool, log);
        const QString source = capture(stream, log);
        const QString out = m_dir.filePath(stream + ".csv");
        const CaptureExport::Result r
            = CaptureExport::toFile(source, out, CaptureExport::Format::Csv);
        QVERIFY2(r.ok, qPrintable(r.error));
        const QByteArray bytes = gcs::test::readFileBytes(out);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QList<QStringList> rows = parseCsv(QString::fromUtf8(bytes.mid(3)));
        const QList<CaptureRecord> records = recordsOf(source);
        QCOMPARE(rows.size(), records.size() + 1);
        QCOMPARE(r.written, records.size());
        const QStringList header = rows.first();
        QCOMPARE(header.size(), gcs::CsvExporter::kColumnCount);
        for (qsizetype i = 0; i < records.size(); ++i) {
            const QStringList& row = rows[i + 1];
            QCOMPARE(row.size(), header.size());
            QCOMPARE(row[0], QString(records[i].hostTimeText()));
            const QVariantMap fields = gcs::InsBridge::toSnapshot(records[i].record).fields;
            for (qsizetype col = 1; col < header.size(); ++col) {
                const QVariant v = fields.value(header[col]);
                const QString& cell = row[col];
                const bool same = !v.isValid() ? cell.isEmpty()
                    : v.typeId() == QMetaType::Float
                    ? !cell.isEmpty() && cell.toFloat() == v.toFloat()
                    : v.typeId() == QMetaType::Double
                    ? !cell.isEmpty() && cell.toDouble() == v.toDouble()
                    : cell == v.toString();
                QVERIFY2(same,
                         qPrintable(QStringLiteral("row %1, %2: \"%3\", record %4")
                                        .arg(i + 1)
                                        .arg(header[col], cell, v.toString())));
            }
        }
    }

    void csvQuotesCellsThatNeedIt()
    {
        QCOMPARE(gcs::CsvExporter::quoted("a,b"), QByteArray("\"a,b\""));
        QCOMPARE(gcs::CsvExporter::quoted("say \"hi\""), QByteArray("\"say \"\"hi\"\"\""));
        QCOMPARE(gcs::CsvExporter::quoted("two\r\nlines"), QByteArray("\"two\r\nlines\""));
        QCOMPARE(gcs::CsvExporter::quoted("定位"), QByteArray("定位"));
        QCOMPARE(parseCsv("\"a,b\",\"say \"\"hi\"\"\"\r\n"),
                 QList<QStringList>({ { "a,b", "say \"hi\"" } }));
    }

    void kmlHoldsTheTrack()
    {
        const QString source = capture(QStringLiteral("sinsbin"), false);
        const QString out = m_dir.filePath("track.kml");
        const CaptureExport::Result r
            = CaptureExport::toFile(source, out, CaptureExport::Format::Kml);
        QVERIFY2(r.ok, qPrintable(r.error));
        QList<QStringList> coordinates; // the line's tuples, then the start, then the end
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("kml"))
                QCOMPARE(xml.namespaceUri(), QLatin1String("http://www.opengis.net/kml/2.2"));
            if (xml.name() == QLatin1String("coordinates"))
                coordinates << xml.readElementText().split(QRegularExpression("\\s+"),
                                                           Qt::SkipEmptyParts);
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        const QList<CaptureRecord> records = recordsOf(source);
        QCOMPARE(coordinates.size(), 3);
        QCOMPARE(coordinates[0].size(), records.size());
        QCOMPARE(r.written, records.size());
        const auto tuple = [](const CaptureRecord& c) {
            const QStringList t
                = { QString::number(c.record.lon, 'g', 17), QString::number(c.record.lat, 'g', 17),
                    QString::number(c.record.alt, 'g', 17) };
            return t;
        };
        const auto parsed = [](const QString& t) {
            QStringList out;
            for (const QString& v : t.split(','))
                out << QString::number(v.toDouble(), 'g', 17);
            return out;
        };
        QCOMPARE(parsed(coordinates[0].first()), tuple(records.first()));
        QCOMPARE(parsed(coordinates[0].last()), tuple(records.last()));
        QCOMPARE(coordinates[1], QStringList { coordinates[0].first() });
        QCOMPARE(coordinates[2], QStringList { coordinates[0].last() });
    }

    // A long track keeps at most kMaxPoints, its first and last point exactly, and every
    // point dropped lies near the line through those kept.
    void longTracksAreThinnedKeepingTheirShape()
    {
        QList<TrackThinner::Point> track;
        for (int i = 0; i < 150000; ++i) {
            const double a = i * 1e-4;
            track.append({ 116.39 + 0.01 * std::cos(a) + 1e-8 * (i % 7),
                           39.9 + 0.01 * std::sin(3 * a), 50.0 + i % 5 });
        }
        TrackThinner thinner;
        for (const TrackThinner::Point& p : track)
            thinner.add(p);
        const std::vector<TrackThinner::Point> kept = thinner.finish();
        QVERIFY(kept.size() <= size_t(TrackThinner::kMaxPoints) && kept.size() > 100);
        QCOMPARE(kept.front().lon, track.first().lon);
        QCOMPARE(kept.back().lat, track.last().lat);
        const double mx = 111320.0 * std::cos(39.9 * M_PI / 180), my = 110574.0;
        size_t k = 0;
        for (int i = 0; i < track.size(); ++i) {
            if (k + 1 < kept.size() && track[i].lon == kept[k + 1].lon
                && track[i].lat == kept[k + 1].lat)
                ++k;
            const TrackThinner::Point &a = kept[k], &b = kept[qMin(k + 1, kept.size() - 1)];
            const double bx = (b.lon - a.lon) * mx, by = (b.lat - a.lat) * my;
            const double px = (track[i].lon - a.lon) * mx, py = (track[i].lat - a.lat) * my;
            const double t
                = bx || by ? qBound(0.0, (px * bx + py * by) / (bx * bx + by * by), 1.0) : 0;
            const double off = std::hypot(px - t * bx, py - t * by);
            QVERIFY2(off <= 2 * thinner.toleranceM(),
                     qPrintable(QString("point %1 is %2 m off").arg(i).arg(off)));
        }
        QCOMPARE(k, kept.size() - 1); // the kept points are the track's, in order
    }

    // A file appears only for a finished export; one already there is left alone.
    void failedExportsLeaveNoFile_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("format");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("error");
        QTest::newRow("cancelled")
            << "sinsbin.bin" << int(CaptureExport::Format::Csv) << true << "已取消导出";
        QTest::newRow("no position")
            << "imubin.bin" << int(CaptureExport::Format::Kml) << false << "没有带位置";
        QTest::newRow("no capture")
            << "junk.bin" << int(CaptureExport::Format::Csv) << false << "无法识别的文件";
        QTest::newRow("missing") << "missing.bin" << int(CaptureExport::Format::Csv) << false
                                 << "无法打开文件";
    }

    void failedExportsLeaveNoFile()
    {
        QFETCH(QString, source);
        QFETCH(int, format);
        QFETCH(bool, cancel);
        QFETCH(QString, error);
        capture(QStringLiteral("sinsbin"), false);
        capture(QStringLiteral("imubin"), false);
        QVERIFY(gcs::test::writeFileBytes(m_dir.filePath("junk.bin"), QByteArray(3000, 'j')));
        const QString out = m_dir.filePath("kept.csv");
        QVERIFY(gcs::test::writeFileBytes(out, "before"));
        const std::atomic_bool cancelled(cancel);
        const CaptureExport::Result r = CaptureExport::toFile(
            m_dir.filePath(source), out, CaptureExport::Format(format), &cancelled);
        QVERIFY(!r.ok);
        QCOMPARE(r.cancelled, cancel);
        QVERIFY2(r.error.contains(error), qPrintable(r.error));
        QCOMPARE(gcs::test::readFileBytes(out), QByteArray("before"));
    }

    // A log that breaks off exports the records before the break, and says so.
    void aDamagedLogExportsWhatCameBefore()
    {
        const QString source = capture(QStringLiteral("sinsbin"), true);
        const QByteArray log = gcs::test::readFileBytes(source);
        QVERIFY(gcs::test::writeFileBytes(source, log.left(log.indexOf('\n', 1000) + 30)));
        const QString out = m_dir.filePath("part.csv");
        const CaptureExport::Result r
            = CaptureExport::toFile(source, out, CaptureExport::Format::Csv);
        QVERIFY2(r.ok, qPrintable(r.error));
        QVERIFY2(r.warning.contains(QStringLiteral("不完整")), qPrintable(r.warning));
        QCOMPARE(r.written, log.left(log.indexOf('\n', 1000)).count('\n') + 1);
        QCOMPARE(parseCsv(QString::fromUtf8(gcs::test::readFileBytes(out))).size(), r.written + 1);
    }
};

QTEST_GUILESS_MAIN(TestCaptureExport)
#include "tst_captureexport.moc"
