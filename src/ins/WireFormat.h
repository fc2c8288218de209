#pragma once

#include "ins/RecPacketFormat.h"

#include <QtGlobal>

#include <charconv>

namespace gcs {

/// What each navigation format carries on the wire, in one place for the decoder and for
/// everything that writes its values out again: the scale of every value a binary frame
/// sends as a scaled integer (an export prints the value with as many decimals as the
/// unit sent, 7 for degrees of latitude and longitude, instead of the binary artefacts of
/// the product), and whether the format numbers its messages with a counter or stamps
/// them with a time tag.
class WireFormat
{
public:
    /// The record's numeric values, grouped as the formats scale them.
    enum Field {
        Count,
        Rate, ///< gx, gy, gz
        Accel, ///< ax, ay, az
        Attitude, ///< pitch, roll, yaw
        GnssHeading,
        Position, ///< lon, lat
        Alt,
        Velocity, ///< ve, vn, vu
        Temp,
        TimeTag, ///< utc
        kFields
    };

    // The 31-byte frame: int32 rates and accelerations, int16 count and temperature.
    static constexpr double kImuRate = 1e-5;
    static constexpr double kImuAccel = 1e-7;
    static constexpr double kImuTemp = 0.01;
    // The 59-byte frame: raw floats for the inertial values; int16 or uint16 attitude,
    // heading and velocity, int32 longitude and latitude, whole metres, whole degrees
    // (offset by 80) and a whole-number time tag.
    static constexpr double kSinsAngle = 0.01;
    static constexpr double kSinsDegrees = 1e-7;
    static constexpr double kSinsVelocity = 0.01;
    static constexpr double kSinsWhole = 1;
    /// The time tag of the 59-byte frame and of the "sinsasc" sentence counts 0.1 ms.
    static constexpr double kTimeTagSeconds = 1e-4;
    static constexpr int kTimeTagDecimals = 4;
    /// The 31-byte frame's counter is a 16-bit number whose sign bit wraps like the rest.
    static constexpr qint64 kImuCounterModulus = 32768;

    /// The factor the decoder multiplies the wire's integer by; 0 where the format sends
    /// the value as it is (an IEEE float, or the text of a sentence) or not at all.
    static double scale(RecPacketFormat format, Field field);
    /// The decimals of that scale (1e-7: 7, 0.01: 2, 1: 0); -1 where there is no scale,
    /// so the shortest text that reads back to the same value is what the unit sent.
    static int decimals(RecPacketFormat format, Field field);

    /// Writes value at out as the unit sent it: with the decimals of its scale, or as the
    /// shortest text that reads back to the same value (a float's text for a float). A
    /// float keeps about 7 digits: where the unit's integer is at hand, writeScaled gives
    /// its every digit. Needs room for 32 characters; returns the end.
    template<typename T> static char* write(char* out, T value, RecPacketFormat format, Field field)
    {
        const int places = decimals(format, field);
        if (places < 0)
            return std::to_chars(out, out + 32, value).ptr;
        return std::to_chars(out, out + 32, double(value), std::chars_format::fixed, places).ptr;
    }

    /// Writes units × 10^-places (an integer as the unit sent it) with those decimals.
    static char* writeScaled(char* out, qint64 units, int places);

    /// The format numbers its messages ("imubin", "ahrsasc").
    static bool hasCounter(RecPacketFormat format);
    /// The format stamps its messages with the unit's output clock ("sinsbin",
    /// "sinsasc"), in kTimeTagSeconds.
    static bool hasTimeTag(RecPacketFormat format);
    /// The value the counter wraps at; 0 for a counter sent as plain text, which does not.
    static qint64 counterModulus(RecPacketFormat format);
};

} // namespace gcs
