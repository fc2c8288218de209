#include "CaptureFixtures.h"
#include "InsTestStreams.h"
#include "TestSupport.h"

#include "capture/CaptureExport.h"
#include "capture/CsvExporter.h"
#include "capture/TrackThinner.h"
#include "ins/InsBridge.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <cmath>

using namespace gcs::test;
using gcs::CaptureExport;
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

/// Exports of a capture: the CSV read back by an RFC 4180 parser equals the decoded
/// records cell by cell, the KML parses with the right first and last point, long tracks
/// are thinned keeping their shape.
class TestCaptureExport : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

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
        QList<CaptureRecord> records;
        const QByteArray bytes
            = readFileBytes(exported(stream, log, CaptureExport::Format::Csv, records));
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QList<QStringList> rows = parseCsv(QString::fromUtf8(bytes.mid(3)));
        QCOMPARE(rows.size(), records.size() + 1);
        const QStringList header = rows.first();
        QCOMPARE(header.size(), gcs::CsvExporter::kColumnCount);
        for (qsizetype i = 0; i < records.size(); ++i) {
            QCOMPARE(rows[i + 1].size(), header.size());
            QCOMPARE(rows[i + 1][0], QString(records[i].hostTimeText()));
            const QVariantMap fields = gcs::InsBridge::toSnapshot(records[i].record).fields;
            for (qsizetype col = 1; col < header.size(); ++col) {
                const QVariant v = fields.value(header[col]);
                const QString& cell = rows[i + 1][col];
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
        for (int i = 0; i < 150000; ++i) {
            track.append({ 116.39 + 0.01 * std::cos(i * 1e-4) + 1e-8 * (i % 7),
                           39.9 + 0.01 * std::sin(3e-4 * i), 50.0 });
            thinner.add(track.last());
        }
        const std::vector<TrackThinner::Point> kept = thinner.finish();
        QVERIFY(kept.size() <= size_t(TrackThinner::kMaxPoints) && kept.size() > 100);
        QCOMPARE(QList<double>({ kept.front().lon, kept.back().lat }),
                 QList<double>({ track.first().lon, track.last().lat }));
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

QTEST_GUILESS_MAIN(TestCaptureExport)
#include "tst_captureexport.moc"
