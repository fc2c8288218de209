#pragma once

#include <cstdint>
#include <string>

namespace sim {

/// One instant of the simulated unit's navigation solution, in the units the device
/// reports: degrees, degrees per second, g, metres, metres per second, degrees Celsius.
struct NavState
{
    uint32_t frame = 0; ///< running frame number since start
    /// The unit's time tag: 0.1 ms since start on its own output clock, one output
    /// period per frame, so that a recording of frames shows their pace.
    uint64_t tag = 0;
    double gx = 0, gy = 0, gz = 0;
    double ax = 0, ay = 0, az = 0;
    double pitch = 0, roll = 0, yaw = 0;
    double gnssHeading = 0;
    double lon = 0, lat = 0, alt = 0;
    double ve = 0, vn = 0, vu = 0;
    double temp = 0;
    uint8_t status = 0; ///< low nibble GNSS fix, high nibble navigation state
};

/// How the simulated unit moves.
enum class MotionKind { Drive, Static };

bool parseMotion(const std::string& name, MotionKind& out);

/// A slow, smooth drive around a start point: gentle pitch and roll swings, a steady
/// turn at 8 m/s whose position follows its velocity, a warming unit. Deterministic in
/// time, so tests can predict ranges.
NavState navStateAt(double seconds, uint32_t frame);

/// The unit standing still, level, heading kStaticHeading, at the drive's start point:
/// its gyros read only the earth's rotation, its accelerometers only gravity (1 g up
/// the z axis). Sensor noise comes on top (SensorNoise).
NavState staticStateAt(double seconds, uint32_t frame);
constexpr double kStaticHeading = 30.0;

} // namespace sim
