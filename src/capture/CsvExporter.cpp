#include "capture/CsvExporter.h"

#include "capture/ExportWrite.h"
#include "ins/FrameSequence.h"
#include "ins/InsBridge.h"
#include "ins/RecDataModel.h"
#include "ins/WireFormat.h"

#include <QIODevice>

#include <charconv>
#include <cstring>

namespace gcs {

namespace {

constexpr qsizetype kFlushBytes = 1 << 16;
// The longest row is far below this: 23 cells of at most 32 characters plus texts.
constexpr qsizetype kRowReserve = 1024;

} // namespace

CsvExporter::CsvExporter(QIODevice* out)
    : m_out(out)
{
    for (int i = 0; i < 16; ++i) {
        m_fixTexts[i] = quoted(InsBridge::decodeGnssFix(quint8(i)).toUtf8());
        m_navTexts[i] = quoted(InsBridge::decodeDeviceNav(quint8(i << 4)).toUtf8());
    }
    for (int f = 0; f <= RecNullFormat; ++f)
        m_formatNames[f] = quoted(RecDataModel::PacketEnumToString(RecPacketFormat(f)).toUtf8());
    m_buffer.reserve(kFlushBytes + kRowReserve);
}

CsvExporter::~CsvExporter() = default;

QByteArray CsvExporter::quoted(const QByteArray& text)
{
    if (!text.contains(',') && !text.contains('"') && !text.contains('\r') && !text.contains('\n'))
        return text;
    QByteArray out = text;
    out.replace('"', "\"\"");
    return '"' + out + '"';
}

bool CsvExporter::begin()
{
    m_buffer += "\xEF\xBB\xBF";
    for (int i = 0; i < kColumnCount; ++i) {
        if (i > 0)
            m_buffer += ',';
        m_buffer += RecordColumns::name(RecordColumns::Column(i));
    }
    m_buffer += "\r\n";
    return flush();
}

char* CsvExporter::writeNumber(char* p, const RecDataStruct& r, RecordColumns::Column column)
{
    using F = WireFormat;
    const auto put
        = [p, &r](F::Field field, auto value) { return F::write(p, value, r.format, field); };
    switch (column) {
    case RecordColumns::Count:
        return put(F::Count, r.count);
    case RecordColumns::Roll:
        return put(F::Attitude, r.roll);
    case RecordColumns::Pitch:
        return put(F::Attitude, r.pitch);
    case RecordColumns::Yaw:
        return put(F::Attitude, r.yaw);
    case RecordColumns::Gx:
        return put(F::Rate, r.gx);
    case RecordColumns::Gy:
        return put(F::Rate, r.gy);
    case RecordColumns::Gz:
        return put(F::Rate, r.gz);
    case RecordColumns::Ax:
        return put(F::Accel, r.ax);
    case RecordColumns::Ay:
        return put(F::Accel, r.ay);
    case RecordColumns::Az:
        return put(F::Accel, r.az);
    case RecordColumns::Temp:
        return put(F::Temp, r.temp);
    case RecordColumns::Lat:
        return put(F::Position, r.lat);
    case RecordColumns::Lon:
        return put(F::Position, r.lon);
    case RecordColumns::Alt:
        return put(F::Alt, r.alt);
    case RecordColumns::Ve:
        return put(F::Velocity, r.ve);
    case RecordColumns::Vn:
        return put(F::Velocity, r.vn);
    case RecordColumns::Vu:
        return put(F::Velocity, r.vu);
    case RecordColumns::GnssHeading:
        return put(F::GnssHeading, r.gnss_heading);
    case RecordColumns::Utc:
        return put(F::TimeTag, r.utc);
    default:
        return p;
    }
}

void CsvExporter::add(const CaptureRecord& c)
{
    using F = WireFormat;
    const RecDataStruct& r = c.record;
    const int tier = InsBridge::tierForPacketFormat(r.format);
    const bool counted = F::hasCounter(r.format);
    const qsizetype start = m_buffer.size();
    m_buffer.resize(start + kRowReserve);
    char* const row = m_buffer.data() + start;
    char* p = row;
    const auto text = [&p](const QByteArray& s) {
        std::memcpy(p, s.constData(), size_t(s.size()));
        p += s.size();
    };

    for (int i = 0; i < kColumnCount; ++i) {
        const auto column = RecordColumns::Column(i);
        if (column == RecordColumns::Time) {
            p = writeTime(p, c);
        } else if (column == RecordColumns::Format) {
            text(m_formatNames[r.format >= 0 && r.format < RecNullFormat ? r.format
                                                                         : RecNullFormat]);
        } else if (!RecordColumns::carriesAtTier(tier, column)
                   || (column == RecordColumns::Count && !counted)) {
            // An empty cell.
        } else if (column == RecordColumns::GnssStatus) {
            text(m_fixTexts[r.status & 0x0F]);
        } else if (column == RecordColumns::DeviceStatus) {
            text(m_navTexts[r.status >> 4]);
        } else if (c.hasImuWire && column >= RecordColumns::Gx && column <= RecordColumns::Az) {
            // The frame's own integers: a float keeps only about 7 digits of them.
            const bool rate = column <= RecordColumns::Gz;
            p = F::writeScaled(p, c.imuWire[column - RecordColumns::Gx],
                               F::decimals(RecImuBin, rate ? F::Rate : F::Accel));
        } else {
            p = writeNumber(p, r, column);
        }
        *p++ = ',';
    }
    // The last cell's comma becomes the line end.
    p[-1] = '\r';
    *p++ = '\n';
    m_buffer.resize(start + (p - row));
    ++m_rows;
    if (m_buffer.size() >= kFlushBytes)
        flush();
}

char* CsvExporter::writeTime(char* p, const CaptureRecord& c)
{
    if (c.hasHostTime()) {
        const QLatin1String time = c.hostTimeText();
        std::memcpy(p, time.data(), size_t(time.size()));
        return p + time.size();
    }
    if (!WireFormat::hasTimeTag(c.record.format))
        return p;
    // A raw capture has no host times; the unit's clock gives the time axis instead.
    const qint64 tag = FrameSequence::position(c.record);
    if (!m_haveFirstTag) {
        m_firstTag = tag;
        m_haveFirstTag = true;
    }
    return std::to_chars(p, p + kNumberChars,
                         double(tag - m_firstTag) * WireFormat::kTimeTagSeconds,
                         std::chars_format::fixed, WireFormat::kTimeTagDecimals)
        .ptr;
}

bool CsvExporter::finish()
{
    return flush();
}

bool CsvExporter::flush()
{
    if (m_buffer.isEmpty() || !m_error.isEmpty())
        return m_error.isEmpty();
    if (!writeExportData(m_out, m_buffer.constData(), m_buffer.size(), m_error))
        return false;
    m_buffer.resize(0);
    return true;
}

} // namespace gcs
