#include "Motion.h"

#include <cmath>

namespace sim {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;
constexpr double kStartLat = 31.2304;
constexpr double kStartLon = 121.4737;
/// The earth's rotation, °/s (7.292115e-5 rad/s).
constexpr double kEarthRate = 7.292115e-5 / kDeg;
/// The drive: a steady turn at this rate (°/s) from this heading (°), at this speed (m/s).
constexpr double kTurnRate = 12.0;
constexpr double kStartHeading = 30.0;
constexpr double kDriveSpeed = 8.0;
/// Metres in a degree of latitude.
constexpr double kMetresPerDegree = 111320.0;
} // namespace

bool parseMotion(const std::string& name, MotionKind& out)
{
    if (name == "drive")
        out = MotionKind::Drive;
    else if (name == "static")
        out = MotionKind::Static;
    else
        return false;
    return true;
}

NavState staticStateAt(double t, uint32_t frame)
{
    NavState s;
    s.frame = frame;
    s.yaw = kStaticHeading;
    s.gnssHeading = kStaticHeading;
    // The earth's rotation seen by a level unit (x forward, y left, z up) heading yaw:
    // north cos(lat) and up sin(lat).
    const double north = kEarthRate * std::cos(kStartLat * kDeg);
    s.gx = north * std::cos(s.yaw * kDeg);
    s.gy = north * std::sin(s.yaw * kDeg);
    s.gz = kEarthRate * std::sin(kStartLat * kDeg);
    s.az = 1.0;
    s.lat = kStartLat;
    s.lon = kStartLon;
    s.alt = 12.0;
    s.temp = 36.0 + 4.0 * (1.0 - std::exp(-t / 120.0));
    s.status = 0x97;
    return s;
}

NavState navStateAt(double t, uint32_t frame)
{
    NavState s;
    s.frame = frame;
    s.pitch = 6.0 * std::sin(0.21 * t);
    s.roll = 4.0 * std::sin(0.33 * t + 0.7);
    const double heading = kTurnRate * t + kStartHeading;
    s.yaw = std::fmod(heading, 360.0);
    s.gnssHeading = std::fmod(s.yaw + 0.4 * std::sin(0.05 * t) + 360.0, 360.0);
    // Body rates: the derivatives of the attitude above.
    s.gx = 6.0 * 0.21 * std::cos(0.21 * t);
    s.gy = 4.0 * 0.33 * std::cos(0.33 * t + 0.7);
    s.gz = kTurnRate;
    // Gravity seen in the body frame plus a little vibration.
    s.ax = -std::sin(s.pitch * kDeg) + 0.002 * std::sin(37.0 * t);
    s.ay = std::sin(s.roll * kDeg) * std::cos(s.pitch * kDeg) + 0.002 * std::cos(41.0 * t);
    s.az = std::cos(s.roll * kDeg) * std::cos(s.pitch * kDeg);
    // The velocity points along the heading and the position is its integral: a circle
    // driven at kDriveSpeed while the heading turns at kTurnRate, whose radius is their
    // ratio (about 38 m).
    s.ve = kDriveSpeed * std::sin(heading * kDeg);
    s.vn = kDriveSpeed * std::cos(heading * kDeg);
    s.vu = 0.2 * std::cos(0.1 * t);
    const double radius = kDriveSpeed / (kTurnRate * kDeg);
    const double north = radius * (std::sin(heading * kDeg) - std::sin(kStartHeading * kDeg));
    const double east = radius * (std::cos(kStartHeading * kDeg) - std::cos(heading * kDeg));
    s.lat = kStartLat + north / kMetresPerDegree;
    s.lon = kStartLon + east / (kMetresPerDegree * std::cos(kStartLat * kDeg));
    s.alt = 12.0 + 2.0 * std::sin(0.1 * t);
    s.temp = 36.0 + 4.0 * (1.0 - std::exp(-t / 120.0));
    s.status = 0x97; // integrated navigation, position and heading fix
    return s;
}

} // namespace sim
