#include "forward/NmeaSentences.h"

#include "ins/InsBridge.h"

#include <QDate>

#include <charconv>
#include <cmath>
#include <cstdio>

namespace gcs {

namespace {

constexpr double kKnotsPerMs = 3600.0 / 1852.0;
constexpr double kKmhPerMs = 3.6;
constexpr qint64 kMsPerDay = 86400000;
// Minutes with 7 decimals keep the decoder's 1e-7 degrees.
constexpr qint64 kMinuteUnits = 10000000;
constexpr double kRadToDeg = 57.29577951308232;

/// The value with the decimals, nothing when it is no number (the field stays empty).
void appendFixed(QByteArray& out, double value, int decimals)
{
    if (!std::isfinite(value) || std::fabs(value) > 1e12)
        return;
    char buf[48];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    out.append(buf, r.ptr - buf);
}

/// "ddmm.mmmmmmm,N" (degDigits 2) or "dddmm.mmmmmmm,E" (3); an empty pair when the value
/// is no number.
void appendAngle(QByteArray& out, double degrees, int degDigits, char positive, char negative)
{
    if (!std::isfinite(degrees) || std::fabs(degrees) > 360.0) {
        out += ',';
        return;
    }
    // Whole units first, so that rounding carries into the minutes and degrees.
    const qint64 units = std::llround(std::fabs(degrees) * 60.0 * double(kMinuteUnits));
    const qint64 whole = units / (60 * kMinuteUnits);
    const qint64 minutes = (units % (60 * kMinuteUnits)) / kMinuteUnits;
    const qint64 fraction = units % kMinuteUnits;
    char buf[40];
    const int n
        = std::snprintf(buf, sizeof buf, "%0*lld%02lld.%07lld,%c", degDigits,
                        static_cast<long long>(whole), static_cast<long long>(minutes),
                        static_cast<long long>(fraction), degrees < 0 ? negative : positive);
    out.append(buf, n);
}

/// The time of day "hhmmss.ss" and the date "ddmmyy" of a UTC time in ms.
void timeTexts(qint64 utcMs, char (&time)[16], char (&date)[8])
{
    const qint64 msOfDay = ((utcMs % kMsPerDay) + kMsPerDay) % kMsPerDay;
    const QDate day = QDate(1970, 1, 1).addDays((utcMs - msOfDay) / kMsPerDay);
    std::snprintf(time, sizeof time, "%02d%02d%02d.%02d", int(msOfDay / 3600000),
                  int(msOfDay / 60000 % 60), int(msOfDay / 1000 % 60), int(msOfDay % 1000 / 10));
    std::snprintf(date, sizeof date, "%02d%02d%02d", day.day(), day.month(), day.year() % 100);
}

double wrapDegrees(double degrees)
{
    double d = std::fmod(degrees, 360.0);
    if (d < 0)
        d += 360.0;
    // 359.999 would print as 360.00.
    return d >= 359.995 ? 0.0 : d;
}

void finish(QByteArray& out, qsizetype start)
{
    const quint8 sum = NmeaSentences::checksum(out.constData() + start + 1, out.size() - start - 1);
    char buf[8];
    const int n = std::snprintf(buf, sizeof buf, "*%02X\r\n", sum);
    out.append(buf, n);
}

} // namespace

int NmeaSentences::fixQuality(quint8 status)
{
    switch (status & 0x0F) {
    case 6:
    case 7:
        return 1;
    default:
        break;
    }
    switch (status & 0xF0) {
    case 0x70:
    case 0x90:
        return 6;
    default:
        return 0;
    }
}

quint8 NmeaSentences::checksum(const char* body, qsizetype size)
{
    quint8 sum = 0;
    for (qsizetype i = 0; i < size; ++i)
        sum ^= quint8(body[i]);
    return sum;
}

QByteArray NmeaSentences::sentence(const QByteArray& body)
{
    QByteArray out;
    out += '$';
    out += body;
    finish(out, 0);
    return out;
}

QByteArray NmeaSentences::forRecord(const RecDataStruct& record, qint64 utcMs)
{
    QByteArray out;
    append(out, record, utcMs);
    return out;
}

void NmeaSentences::append(QByteArray& out, const RecDataStruct& r, qint64 utcMs)
{
    const int tier = InsBridge::tierForPacketFormat(r.format);
    if (tier < 2)
        return;
    if (tier == 3) {
        const int quality = fixQuality(r.status);
        // NMEA 2.3: the status is "A" for an autonomous fix only, "V" for an estimate.
        const char mode = quality == 1 ? 'A' : quality == 6 ? 'E' : 'N';
        char time[16];
        char date[8];
        timeTexts(utcMs, time, date);
        const double speed = std::hypot(double(r.ve), double(r.vn));
        const double course = wrapDegrees(std::atan2(double(r.ve), double(r.vn)) * kRadToDeg);
        const auto position = [&]() {
            if (quality == 0) {
                out += ",,,,";
                return;
            }
            appendAngle(out, r.lat, 2, 'N', 'S');
            out += ',';
            appendAngle(out, r.lon, 3, 'E', 'W');
            out += ',';
        };

        qsizetype start = out.size();
        out += "$GPGGA,";
        out += time;
        out += ',';
        position();
        out += char('0' + quality);
        // Satellites, dilution and the geoid's separation: the unit tells none of them.
        out += ",,,";
        appendFixed(out, r.alt, 2);
        out += ",M,,M,,";
        finish(out, start);

        start = out.size();
        out += "$GPRMC,";
        out += time;
        out += quality == 1 ? ",A," : ",V,";
        position();
        appendFixed(out, speed * kKnotsPerMs, 3);
        out += ',';
        appendFixed(out, course, 2);
        out += ',';
        out += date;
        out += ",,,";
        out += mode;
        finish(out, start);

        start = out.size();
        out += "$GPVTG,";
        appendFixed(out, course, 2);
        out += ",T,,M,";
        appendFixed(out, speed * kKnotsPerMs, 3);
        out += ",N,";
        appendFixed(out, speed * kKmhPerMs, 3);
        out += ",K,";
        out += mode;
        finish(out, start);
    }
    const qsizetype start = out.size();
    out += "$GPHDT,";
    appendFixed(out, wrapDegrees(r.yaw), 2);
    out += ",T";
    finish(out, start);
}

} // namespace gcs
