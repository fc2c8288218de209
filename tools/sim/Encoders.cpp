#include "Encoders.h"

#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace sim {

namespace {

void putLe(std::string& out, uint64_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(char((v >> (8 * i)) & 0xFF));
}

void putI16(std::string& out, double v)
{
    long r = std::lround(v);
    if (r > 32767)
        r = 32767;
    if (r < -32768)
        r = -32768;
    putLe(out, uint16_t(int16_t(r)), 2);
}

void putU16(std::string& out, double v)
{
    long r = std::lround(v);
    if (r < 0)
        r = 0;
    if (r > 65535)
        r = 65535;
    putLe(out, uint16_t(r), 2);
}

void putI32(std::string& out, double v)
{
    putLe(out, uint32_t(int32_t(std::llround(v))), 4);
}

void putF32(std::string& out, double v)
{
    const float f = float(v);
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    putLe(out, bits, 4);
}

uint8_t byteSum(const std::string& s, size_t n)
{
    unsigned sum = 0;
    for (size_t i = 0; i < n; ++i)
        sum += uint8_t(s[i]);
    return uint8_t(sum & 0xFF);
}

std::string fmt(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string fmt(const char* format, ...)
{
    char buf[512];
    va_list ap;
    va_start(ap, format);
    const int n = std::vsnprintf(buf, sizeof buf, format, ap);
    va_end(ap);
    return std::string(buf, size_t(n > 0 ? n : 0));
}

} // namespace

bool parseOutputFormat(const std::string& name, OutputFormat& out)
{
    static const struct
    {
        const char* name;
        OutputFormat f;
    } kNames[] = {
        { "imubin", OutputFormat::ImuBin },   { "sinsbin", OutputFormat::SinsBin },
        { "imuasc", OutputFormat::ImuAsc },   { "ahrsasc", OutputFormat::AhrsAsc },
        { "sinsasc", OutputFormat::SinsAsc },
    };
    for (const auto& n : kNames) {
        if (name == n.name) {
            out = n.f;
            return true;
        }
    }
    return false;
}

const char* outputFormatName(OutputFormat f)
{
    switch (f) {
    case OutputFormat::ImuBin:
        return "imubin";
    case OutputFormat::SinsBin:
        return "sinsbin";
    case OutputFormat::ImuAsc:
        return "imuasc";
    case OutputFormat::AhrsAsc:
        return "ahrsasc";
    case OutputFormat::SinsAsc:
        return "sinsasc";
    }
    return "sinsbin";
}

std::string encodeImuBin(const NavState& s)
{
    std::string f;
    f.reserve(31);
    f.push_back(char(0xAA));
    f.push_back(char(0x55));
    putLe(f, uint16_t(s.frame & 0xFFFF), 2);
    putI32(f, s.gx * 1e5);
    putI32(f, s.gy * 1e5);
    putI32(f, s.gz * 1e5);
    putI32(f, s.ax * 1e7);
    putI32(f, s.ay * 1e7);
    putI32(f, s.az * 1e7);
    putI16(f, s.temp * 100.0);
    f.push_back(char(byteSum(f, 30)));
    return f;
}

std::string encodeSinsBin(const NavState& s)
{
    std::string f;
    f.reserve(59);
    f.push_back(char(0xAA));
    f.push_back(char(0x55));
    f.push_back(char(s.status));
    putF32(f, s.gx);
    putF32(f, s.gy);
    putF32(f, s.gz);
    putF32(f, s.ax);
    putF32(f, s.ay);
    putF32(f, s.az);
    putI16(f, s.pitch * 100.0);
    putI16(f, s.roll * 100.0);
    putU16(f, s.yaw * 100.0);
    putU16(f, s.gnssHeading * 100.0);
    putI32(f, s.lon * 1e7);
    putI32(f, s.lat * 1e7);
    putI16(f, s.alt);
    putI16(f, s.ve * 100.0);
    putI16(f, s.vn * 100.0);
    putI16(f, s.vu * 100.0);
    f.push_back(char(uint8_t(std::lround(s.temp) + 80)));
    // The time tag is high * 10000 + low: whole seconds and their 0.1 ms.
    putLe(f, s.tag / 10000u, 4);
    putLe(f, s.tag % 10000u, 2);
    f.push_back(char(uint8_t(0u - byteSum(f, 58))));
    return f;
}

std::string vornSentence(const std::string& body)
{
    return "#vorn," + body + "*ff\r\n";
}

std::string encodeImuAsc(const NavState& s)
{
    return vornSentence(fmt("imuasc,%u,%.5f,%.5f,%.5f,%.6f,%.6f,%.6f,%.2f", s.frame, s.gx, s.gy,
                            s.gz, s.ax, s.ay, s.az, s.temp));
}

std::string encodeAhrsAsc(const NavState& s)
{
    // Yaw comes before pitch and roll in this sentence.
    return vornSentence(fmt("ahrsasc,%u,%.5f,%.5f,%.5f,%.6f,%.6f,%.6f,0,0,0,%.2f,%.2f,%.2f,0,0",
                            s.frame, s.gx, s.gy, s.gz, s.ax, s.ay, s.az, s.yaw, s.pitch, s.roll));
}

std::string encodeSinsAsc(const NavState& s)
{
    return vornSentence(fmt("sinsasc,%u,%.5f,%.5f,%.5f,%.6f,%.6f,%.6f,%.2f,%.2f,%.2f,%.2f,%.7f,"
                            "%.7f,%.2f,%.2f,%.2f,%.2f,%ld,%llu,%x",
                            s.frame, s.gx, s.gy, s.gz, s.ax, s.ay, s.az, s.pitch, s.roll, s.yaw,
                            s.gnssHeading, s.lon, s.lat, s.alt, s.ve, s.vn, s.vu,
                            std::lround(s.temp), static_cast<unsigned long long>(s.tag),
                            unsigned(s.status)));
}

std::string encode(OutputFormat f, const NavState& s)
{
    switch (f) {
    case OutputFormat::ImuBin:
        return encodeImuBin(s);
    case OutputFormat::SinsBin:
        return encodeSinsBin(s);
    case OutputFormat::ImuAsc:
        return encodeImuAsc(s);
    case OutputFormat::AhrsAsc:
        return encodeAhrsAsc(s);
    case OutputFormat::SinsAsc:
        return encodeSinsAsc(s);
    }
    return {};
}

} // namespace sim
