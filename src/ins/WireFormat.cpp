#include "ins/WireFormat.h"

#include <cmath>

namespace gcs {

namespace {

using F = WireFormat;

// The scale of each field in the two binary frames, in the order of WireFormat::Field;
// 0 where the frame sends the value unscaled or not at all.
struct Scales
{
    double imu;
    double sins;
};
constexpr Scales kScales[F::kFields] = {
    { 1, 0 }, // Count
    { F::kImuRate, 0 }, // Rate
    { F::kImuAccel, 0 }, // Accel
    { 0, F::kSinsAngle }, // Attitude
    { 0, F::kSinsAngle }, // GnssHeading
    { 0, F::kSinsDegrees }, // Position
    { 0, F::kSinsWhole }, // Alt
    { 0, F::kSinsVelocity }, // Velocity
    { F::kImuTemp, F::kSinsWhole }, // Temp
    { 0, F::kSinsWhole }, // TimeTag
};

} // namespace

double WireFormat::scale(RecPacketFormat format, Field field)
{
    if (field < 0 || field >= kFields)
        return 0;
    if (format == RecImuBin)
        return kScales[field].imu;
    if (format == RecSinsBin)
        return kScales[field].sins;
    return 0;
}

int WireFormat::decimals(RecPacketFormat format, Field field)
{
    const double s = scale(format, field);
    if (s <= 0)
        return -1;
    return s >= 1 ? 0 : int(std::lround(-std::log10(s)));
}

char* WireFormat::writeScaled(char* out, qint64 units, int places)
{
    if (units < 0)
        *out++ = '-';
    const quint64 magnitude = units < 0 ? 0 - quint64(units) : quint64(units);
    quint64 unit = 1;
    for (int i = 0; i < places; ++i)
        unit *= 10;
    out = std::to_chars(out, out + 20, magnitude / unit).ptr;
    if (places > 0) {
        *out++ = '.';
        quint64 fraction = magnitude % unit;
        for (int i = places - 1; i >= 0; --i, fraction /= 10)
            out[i] = char('0' + fraction % 10);
        out += places;
    }
    return out;
}

bool WireFormat::hasCounter(RecPacketFormat format)
{
    return format == RecImuBin || format == RecAhrsAsc;
}

bool WireFormat::hasTimeTag(RecPacketFormat format)
{
    return format == RecSinsBin || format == RecSinsAsc;
}

qint64 WireFormat::counterModulus(RecPacketFormat format)
{
    return format == RecImuBin ? kImuCounterModulus : 0;
}

} // namespace gcs
