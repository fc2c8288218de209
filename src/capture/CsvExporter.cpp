#include "capture/CsvExporter.h"

#include "capture/ExportWrite.h"
#include "ins/FrameSequence.h"
#include "ins/InsBridge.h"
#include "ins/RecDataModel.h"
#include "ins/WireFormat.h"

#include <QIODevice>

#include <charconv>
#include <cstring>
#include <iterator>

namespace gcs {

namespace {

constexpr qsizetype kFlushBytes = 1 << 16;
// The longest row is far below this: 23 cells of at most 32 characters plus texts.
constexpr qsizetype kRowReserve = 1024;

} // namespace

const char* const CsvExporter::kColumns[] = {
    "time", "format",       "count", "roll",        "pitch",         "yaw", "gx",  "gy", "gz",
    "ax",   "ay",           "az",    "temp",        "lat",           "lon", "alt", "ve", "vn",
    "vu",   "gnss_heading", "utc",   "gnss_status", "device_status",
};
const int CsvExporter::kColumnCount = int(std::size(kColumns));

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
        m_buffer += kColumns[i];
    }
    m_buffer += "\r\n";
    return flush();
}

void CsvExporter::add(const CaptureRecord& c)
{
    using F = WireFormat;
    const RecDataStruct& r = c.record;
    const int tier = InsBridge::tierForPacketFormat(r.format);
    const qsizetype start = m_buffer.size();
    m_buffer.resize(start + kRowReserve);
    char* const row = m_buffer.data() + start;
    char* p = row;
    const auto number = [&p, &r](F::Field field, auto value) {
        p = F::write(p, value, r.format, field);
        *p++ = ',';
    };
    const auto text = [&p](const char* s, qsizetype n) {
        std::memcpy(p, s, size_t(n));
        p += n;
        *p++ = ',';
    };
    const auto empty = [&p](int cells) {
        std::memset(p, ',', size_t(cells));
        p += cells;
    };

    if (c.hasHostTime()) {
        const QLatin1String time = c.hostTimeText();
        text(time.data(), time.size());
    } else if (F::hasTimeTag(r.format)) {
        // A raw capture has no host times; the unit's clock gives the time axis instead.
        const qint64 tag = FrameSequence::position(r);
        if (!m_haveFirstTag) {
            m_firstTag = tag;
            m_haveFirstTag = true;
        }
        p = std::to_chars(p, p + 32, double(tag - m_firstTag) * F::kTimeTagSeconds,
                          std::chars_format::fixed, F::kTimeTagDecimals)
                .ptr;
        *p++ = ',';
    } else {
        empty(1);
    }
    const QByteArray& format
        = m_formatNames[r.format >= 0 && r.format < RecNullFormat ? r.format : RecNullFormat];
    text(format.constData(), format.size());
    if (F::hasCounter(r.format))
        number(F::Count, r.count);
    else
        empty(1);
    if (tier >= 2) {
        number(F::Attitude, r.roll);
        number(F::Attitude, r.pitch);
        number(F::Attitude, r.yaw);
    } else {
        empty(3);
    }
    if (c.hasImuWire) {
        for (int k = 0; k < 6; ++k) {
            p = F::writeScaled(p, c.imuWire[k], F::decimals(RecImuBin, k < 3 ? F::Rate : F::Accel));
            *p++ = ',';
        }
    } else {
        for (float v : { r.gx, r.gy, r.gz })
            number(F::Rate, v);
        for (float v : { r.ax, r.ay, r.az })
            number(F::Accel, v);
    }
    number(F::Temp, r.temp);
    if (tier == 3) {
        number(F::Position, r.lat);
        number(F::Position, r.lon);
        number(F::Alt, r.alt);
        number(F::Velocity, r.ve);
        number(F::Velocity, r.vn);
        number(F::Velocity, r.vu);
        number(F::GnssHeading, r.gnss_heading);
        number(F::TimeTag, r.utc);
        const QByteArray& fix = m_fixTexts[r.status & 0x0F];
        const QByteArray& nav = m_navTexts[r.status >> 4];
        text(fix.constData(), fix.size());
        text(nav.constData(), nav.size());
    } else {
        empty(10);
    }
    // The last cell's comma becomes the line end.
    p[-1] = '\r';
    *p++ = '\n';
    m_buffer.resize(start + (p - row));
    ++m_rows;
    if (m_buffer.size() >= kFlushBytes)
        flush();
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
