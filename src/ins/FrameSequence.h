#pragma once

#include "ins/RecDataStruct.h"
#include "ins/RecPacketFormat.h"

#include <QtGlobal>

namespace gcs {

/// Counts the frames a stream lost, from what its messages say of their order: the gaps
/// in a counter ("imubin", "ahrsasc"), or the steps of a time tag ("sinsbin", "sinsasc")
/// in whole periods of the stream once its period is evident (two equal steps in a row;
/// kRateChangeSteps equal steps of several periods are a new, slower rate).
///
/// A message that does not follow on from the last one is not believed at once: a frame
/// that passes its checksum by chance (1 in 256 for every AA 55 in line noise) carries a
/// counter or a time tag from nowhere. Such a jump is confirmed by the next message going
/// on from it (sooner than from the last one believed), and otherwise dropped; so is a
/// single message of another format amid the stream (hunting tries 31 bytes first). A
/// confirmed jump backwards or implausibly far (kCounterReach, or kMaxGapSeconds of time
/// tag) is a resynchronisation, not a loss. A gap of up to kProvisionalFrames counts
/// before its confirmation, so that the figure is right at once for what line noise
/// does most, and at the end of a stream.
///
/// Checksum failures are what a noisy line leaves behind, corrupted frames and false
/// headers alike: where the sequence can judge, the step tells how many frames were lost
/// and the failures count for nothing; where it cannot (no sequence yet, a format without
/// either), each failure counts as one lost frame, except before the stream's first
/// message.
class FrameSequence
{
public:
    static constexpr qint64 kProvisionalFrames = 16;
    static constexpr double kMaxGapSeconds = 600;
    /// A counter that moves on by this many or more (modulo its range) has gone back or
    /// jumped implausibly far: half the range of the 31-byte frame's counter.
    static constexpr qint64 kCounterReach = 16384;
    /// A time tag step is a whole number of periods when it is within this share of one.
    static constexpr double kPeriodTolerance = 0.25;
    /// This many steps in a row of the same several periods are the unit's new rate.
    static constexpr int kRateChangeSteps = 4;

    /// Where a record stands in its stream: its counter, or its time tag.
    static qint64 position(const RecDataStruct& record);

    /// A message of format at position (its counter or time tag, as position() gives it).
    /// Records of no known format (a sentence with a wrong field count) are not counted.
    void add(RecPacketFormat format, qint64 position);
    /// A header whose frame failed its checksum.
    void checksumFailure() { ++m_failures; }
    /// What follows may come from another unit or place: it starts a new sequence.
    void restart();
    /// Nothing lost so far; the sequence goes on.
    void clearCount();
    qint64 lost() const { return m_lost + (m_streaming ? m_failures : 0); }

private:
    /// A message of the sequence's own format.
    void take(qint64 position);
    /// Starts the sequence afresh, as for another format.
    void forget();
    /// Periods the step from a to b spans; 0 when it is no whole number of them forward
    /// within reach.
    qint64 periods(qint64 a, qint64 b) const;
    void follow(qint64 position);
    void advance(qint64 position, qint64 periods);
    void startRun(qint64 from, qint64 to, qint64 periods);
    void learnPeriod(qint64 position);
    void settleFailures();

    /// A message arrived since the stream (re)started.
    bool m_streaming = false;
    RecPacketFormat m_format = RecNullFormat;
    bool m_counter = false;
    qint64 m_modulus = 0;
    bool m_haveRef = false;
    qint64 m_ref = 0;
    bool m_haveCandidate = false;
    qint64 m_candidate = 0;
    qint64 m_candidateLost = 0;
    // The time tag's period (0 until evident), learnt as the mean step over a run of
    // frames that follow on, so that a period of a fractional number of ticks does not
    // make a long gap off by a frame.
    double m_period = 0;
    qint64 m_lastStep = 0;
    qint64 m_runStart = 0;
    qint64 m_runPeriods = 0;
    // The steps of several periods in a row that were all the same, and what they lost.
    qint64 m_oddStep = 0;
    int m_oddSteps = 0;
    qint64 m_oddLost = 0;

    // A message of another format, held until the next one tells whether it was noise.
    bool m_haveStray = false;
    RecPacketFormat m_strayFormat = RecNullFormat;
    qint64 m_strayPosition = 0;

    qint64 m_lost = 0;
    qint64 m_failures = 0;
};

} // namespace gcs
