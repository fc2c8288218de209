#include "capture/KmlExporter.h"

#include "capture/ExportWrite.h"
#include "ins/InsBridge.h"
#include "ins/WireFormat.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QXmlStreamWriter>

#include <cmath>

namespace gcs {

namespace {

const QString kKmlNamespace = QStringLiteral("http://www.opengis.net/kml/2.2");

// Each value as the unit sent it: a 59-byte frame's degrees with their 7 decimals.
QString coordinates(const TrackThinner::Point& p)
{
    char text[3 * 32 + 2];
    char* q = WireFormat::write(text, p.lon, p.format, WireFormat::Position);
    *q++ = ',';
    q = WireFormat::write(q, p.lat, p.format, WireFormat::Position);
    *q++ = ',';
    q = WireFormat::write(q, p.alt, p.format, WireFormat::Alt);
    return QString::fromLatin1(text, q - text);
}

void writePoint(QXmlStreamWriter& xml, const QString& name, const QString& style,
                const TrackThinner::Point& p)
{
    xml.writeStartElement(QStringLiteral("Placemark"));
    xml.writeTextElement(QStringLiteral("name"), name);
    xml.writeTextElement(QStringLiteral("styleUrl"), style);
    xml.writeStartElement(QStringLiteral("Point"));
    xml.writeTextElement(QStringLiteral("altitudeMode"), QStringLiteral("absolute"));
    xml.writeTextElement(QStringLiteral("coordinates"), coordinates(p));
    xml.writeEndElement();
    xml.writeEndElement();
}

// KML colours are written alpha, blue, green, red.
void writeStyle(QXmlStreamWriter& xml, const QString& id, const QString& kind, const QString& abgr)
{
    xml.writeStartElement(QStringLiteral("Style"));
    xml.writeAttribute(QStringLiteral("id"), id);
    xml.writeStartElement(kind);
    xml.writeTextElement(QStringLiteral("color"), abgr);
    if (kind == QLatin1String("LineStyle"))
        xml.writeTextElement(QStringLiteral("width"), QStringLiteral("3"));
    xml.writeEndElement();
    xml.writeEndElement();
}

} // namespace

KmlExporter::KmlExporter(QIODevice* out, const QString& name)
    : m_out(out)
    , m_name(name)
{ }

bool KmlExporter::hasPosition(const RecDataStruct& r)
{
    if (InsBridge::tierForPacketFormat(r.format) != 3)
        return false;
    if (!std::isfinite(r.lat) || !std::isfinite(r.lon) || !std::isfinite(r.alt))
        return false;
    if (std::fabs(r.lat) > 90 || std::fabs(r.lon) > 180)
        return false;
    return r.lat != 0 || r.lon != 0;
}

void KmlExporter::add(const CaptureRecord& c)
{
    if (hasPosition(c.record))
        m_track.add({ c.record.lon, c.record.lat, c.record.alt, c.record.format });
}

bool KmlExporter::finish()
{
    const qint64 positions = m_track.added();
    const std::vector<TrackThinner::Point> points = m_track.finish();
    if (points.empty()) {
        m_error = QCoreApplication::translate(
            "gcs::KmlExporter",
            "记录中没有带位置的导航数据（需要 sinsbin / sinsasc 且已定位），"
            "无法导出 KML");
        return false;
    }
    // Made in memory first (a thinned track is about a megabyte at most), so that a write
    // the output refuses gives the system's reason.
    QByteArray document;
    QXmlStreamWriter xml(&document);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(kKmlNamespace);
    xml.writeStartElement(QStringLiteral("kml"));
    xml.writeStartElement(QStringLiteral("Document"));
    xml.writeTextElement(QStringLiteral("name"), m_name);
    xml.writeTextElement(
        QStringLiteral("description"),
        points.size() < size_t(positions)
            ? QStringLiteral("%1 个定位点，轨迹抽稀为 %2 个点").arg(positions).arg(points.size())
            : QStringLiteral("%1 个定位点").arg(positions));
    writeStyle(xml, QStringLiteral("track"), QStringLiteral("LineStyle"),
               QStringLiteral("ff00a5ff"));
    writeStyle(xml, QStringLiteral("start"), QStringLiteral("IconStyle"),
               QStringLiteral("ff00c000"));
    writeStyle(xml, QStringLiteral("end"), QStringLiteral("IconStyle"), QStringLiteral("ff0000e0"));
    // A line needs two points; a single fix is shown by its placemarks alone.
    if (points.size() > 1) {
        xml.writeStartElement(QStringLiteral("Placemark"));
        xml.writeTextElement(QStringLiteral("name"), QStringLiteral("轨迹"));
        xml.writeTextElement(QStringLiteral("styleUrl"), QStringLiteral("#track"));
        xml.writeStartElement(QStringLiteral("LineString"));
        xml.writeTextElement(QStringLiteral("tessellate"), QStringLiteral("1"));
        xml.writeTextElement(QStringLiteral("altitudeMode"), QStringLiteral("absolute"));
        QString text;
        text.reserve(qsizetype(points.size()) * 40);
        for (const TrackThinner::Point& p : points) {
            text += coordinates(p);
            text += QLatin1Char('\n');
        }
        xml.writeTextElement(QStringLiteral("coordinates"), text);
        xml.writeEndElement();
        xml.writeEndElement();
    }
    writePoint(xml, QStringLiteral("起点"), QStringLiteral("#start"), points.front());
    writePoint(xml, QStringLiteral("终点"), QStringLiteral("#end"), points.back());
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    if (!writeExportData(m_out, document.constData(), document.size(), m_error))
        return false;
    m_written = qsizetype(points.size());
    return true;
}

} // namespace gcs
