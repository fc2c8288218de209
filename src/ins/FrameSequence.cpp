#include "ins/FrameSequence.h"

#include "ins/WireFormat.h"

#include <cmath>

namespace gcs {

namespace {

// Two steps are the same when they differ by no more than a tick, or a quarter: a rate
// that is no whole number of ticks alternates between two neighbouring steps.
bool sameStep(qint64 a, qint64 b)
{
    return qAbs(a - b)
        <= qMax<qint64>(1, qint64(double(qAbs(a)) * FrameSequence::kPeriodTolerance));
}

} // namespace

qint64 FrameSequence::position(const RecDataStruct& r)
{
    if (WireFormat::hasCounter(r.format))
        return r.count;
    // A sentence may carry any number; one beyond 64 bits is no time tag.
    if (WireFormat::hasTimeTag(r.format) && std::fabs(r.utc) < 9e18)
        return qint64(std::llround(r.utc));
    return 0;
}

void FrameSequence::add(RecPacketFormat format, qint64 position)
{
    if (format < 0 || format >= RecNullFormat)
        return;
    if (!m_streaming) {
        // What failed before the stream's first message was no frame of it (a frame's tail
        // at the start of a link, noise before the unit talked).
        m_streaming = true;
        m_failures = 0;
    }
    if (format != m_format) {
        // One message of another format amid a stream is what a frame valid by chance
        // looks like (hunting tries the 31-byte check first); a second one in a row means
        // the unit was set to send something else, and both begin its sequence.
        if (m_haveRef && !(m_haveStray && m_strayFormat == format)) {
            m_haveStray = true;
            m_strayFormat = format;
            m_strayPosition = position;
            return;
        }
        const bool stray = m_haveStray;
        forget();
        m_format = format;
        m_counter = WireFormat::hasCounter(format);
        m_modulus = WireFormat::counterModulus(format);
        if (stray)
            take(m_strayPosition);
    }
    m_haveStray = false;
    take(position);
}

void FrameSequence::take(qint64 position)
{
    if (!m_counter && !WireFormat::hasTimeTag(m_format)) {
        settleFailures();
        return;
    }
    if (m_modulus > 0)
        position = ((position % m_modulus) + m_modulus) % m_modulus;
    if (!m_haveRef || (!m_counter && m_period <= 0)) {
        settleFailures();
        learnPeriod(position);
        return;
    }
    // From here on the steps tell what was lost, whatever failed in between.
    m_failures = 0;
    if (!m_haveCandidate) {
        follow(position);
        return;
    }
    const qint64 candidate = m_candidate;
    const qint64 fromCandidate = periods(candidate, position);
    const qint64 fromRef = periods(m_ref, position);
    m_lost -= m_candidateLost;
    m_candidateLost = 0;
    m_haveCandidate = false;
    if (fromCandidate > 0 && (fromRef == 0 || fromCandidate < fromRef)) {
        // The stream goes on from the jump: it was a gap, or a restart of the counter or
        // the clock. What follows may be another jump.
        const qint64 gap = periods(m_ref, candidate);
        if (gap > 0) {
            m_lost += gap - 1;
            advance(candidate, gap);
        } else {
            m_ref = m_runStart = candidate;
            m_runPeriods = 0;
        }
        follow(position);
        return;
    }
    const qint64 first = candidate - m_ref, second = position - candidate;
    if (!m_counter && first > 0 && second > 0 && sameStep(first, second)) {
        // Two equal steps that are no whole number of periods: the unit's rate changed.
        startRun(m_ref, position, 2);
        return;
    }
    // The jump was no frame of the stream.
    follow(position);
}

void FrameSequence::restart()
{
    forget();
    m_streaming = false;
}

void FrameSequence::forget()
{
    m_format = RecNullFormat;
    m_haveRef = m_haveCandidate = m_haveStray = false;
    m_candidateLost = 0;
    m_period = 0;
    m_lastStep = 0;
    m_runPeriods = 0;
    m_oddSteps = 0;
}

void FrameSequence::clearCount()
{
    m_lost = m_failures = m_candidateLost = m_oddLost = 0;
}

qint64 FrameSequence::periods(qint64 a, qint64 b) const
{
    qint64 step = b - a;
    if (m_counter) {
        if (m_modulus > 0)
            step = ((step % m_modulus) + m_modulus) % m_modulus;
        return step > 0 && step < kCounterReach ? step : 0;
    }
    if (m_period <= 0 || step <= 0 || double(step) * WireFormat::kTimeTagSeconds > kMaxGapSeconds)
        return 0;
    const double k = double(step) / m_period;
    const qint64 n = qint64(std::llround(k));
    return n >= 1 && std::fabs(k - double(n)) <= kPeriodTolerance ? n : 0;
}

void FrameSequence::follow(qint64 position)
{
    const qint64 n = periods(m_ref, position);
    if (n == 1) {
        advance(position, 1);
        return;
    }
    m_haveCandidate = true;
    m_candidate = position;
    m_candidateLost = n > 1 && n - 1 <= kProvisionalFrames ? n - 1 : 0;
    m_lost += m_candidateLost;
}

void FrameSequence::advance(qint64 position, qint64 periods)
{
    const qint64 step = position - m_ref;
    m_ref = position;
    if (m_counter)
        return;
    // Steps of several periods, always the same, are a slower rate, not frames lost.
    if (periods == 1) {
        m_oddSteps = 0;
    } else if (m_oddSteps > 0 && sameStep(step, m_oddStep)) {
        ++m_oddSteps;
        m_oddLost += periods - 1;
    } else {
        m_oddStep = step;
        m_oddSteps = 1;
        m_oddLost = periods - 1;
    }
    if (m_oddSteps >= kRateChangeSteps) {
        m_lost -= m_oddLost;
        startRun(m_ref - step, m_ref, 1);
        return;
    }
    m_runPeriods += periods;
    m_period = double(position - m_runStart) / double(m_runPeriods);
}

void FrameSequence::startRun(qint64 from, qint64 to, qint64 periods)
{
    m_runStart = from;
    m_runPeriods = periods;
    m_ref = to;
    m_period = double(to - from) / double(periods);
    m_oddSteps = 0;
}

void FrameSequence::learnPeriod(qint64 position)
{
    const qint64 step = position - m_ref;
    if (m_haveRef && !m_counter && step > 0 && m_lastStep > 0 && sameStep(step, m_lastStep)) {
        startRun(m_ref - m_lastStep, position, 2);
        return;
    }
    m_lastStep = m_haveRef ? step : 0;
    m_ref = position;
    m_haveRef = true;
}

void FrameSequence::settleFailures()
{
    m_lost += m_failures;
    m_failures = 0;
}

} // namespace gcs
