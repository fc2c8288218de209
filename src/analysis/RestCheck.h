#pragma once

#include "ins/RecDataStruct.h"

#include <QString>

#include <array>

namespace gcs {

/// Tells whether a recording was made at rest, which the noise figures need: a unit
/// that turns, tilts or is shaken shows its motion on the Allan deviation curve, not
/// its noise. The records are averaged over one-second blocks, so the sensors' own
/// noise does not count; the recording is at rest when, across the blocks,
///
/// - no gyro axis changes by more than kRateSpread °/s and none reads more than
///   kRate °/s (a steady turn; a calibrated unit's bias stays far below that),
/// - no accelerometer axis changes by more than kAccelSpread g (a tilt of about 1°, or
///   a push; a poor accelerometer's own bias wanders by several mg over hours),
/// - and, where the records carry attitude, pitch and roll do not change by more than
///   kTiltSpread° nor heading by more than kHeadingSpread° (an unaided unit's heading
///   may wander with its own gyro bias while it stands still, hence the wider bound).
///
/// Fed record by record with each record's time, so it needs no memory of the records.
class RestCheck
{
public:
    static constexpr double kBlockSeconds = 1.0;
    static constexpr double kRateSpread = 0.5;
    static constexpr double kRate = 1.0;
    static constexpr double kAccelSpread = 0.02;
    static constexpr double kTiltSpread = 1.0;
    static constexpr double kHeadingSpread = 5.0;

    /// One record at time seconds (from any origin, never decreasing).
    void add(const RecDataStruct& record, double seconds);
    /// Closes the last block; call once after the last record.
    void finish();

    bool atRest() const { return m_reason.isEmpty(); }
    /// Why the recording is not at rest (Chinese, every reason found); empty at rest.
    QString reason() const { return m_reason; }

private:
    enum { kGx, kGy, kGz, kAx, kAy, kAz, kPitch, kRoll, kYaw, kChannels };

    void closeBlock(bool last);

    std::array<double, kChannels> m_sum {};
    std::array<double, kChannels> m_lo {};
    std::array<double, kChannels> m_hi {};
    bool m_started = false;
    qint64 m_count = 0;
    qint64 m_attitudeCount = 0;
    double m_blockStart = 0;
    double m_lastTime = 0;
    qint64 m_blocks = 0;
    qint64 m_attitudeBlocks = 0;
    /// Heading unwrapped across north, so a heading about 0° is not a 360° change.
    double m_heading = 0;
    bool m_haveHeading = false;
    QString m_reason;
};

} // namespace gcs
