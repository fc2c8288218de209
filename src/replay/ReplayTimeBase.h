#pragma once

#include "capture/CaptureReader.h"
#include "replay/ReplayStamp.h"

namespace gcs {

/// Gives each record of a recording its stamp on the recording's own time base.
///
/// A message log has the host time of every message; a raw capture has only what the
/// messages carry. The 59-byte frame's time tag (high part * 10000 + low part) and the
/// "sinsasc" sentence's time field count the unit's time in 0.1 ms (the low part is the
/// fraction of the second in the high part), so the difference of two tags is the time
/// between the records. A tag that goes back, or jumps ahead by more than kMaxTagStep
/// (a unit that restarted, a tag that wrapped), and any record of a format without a tag
/// (the 31-byte frame, "imuasc", "ahrsasc") counts one step: a record period at the rate
/// the user picks. A host clock that was set back makes no time pass.
///
/// The state is plain data, so an index can keep it at checkpoints and a player can go
/// on from there with the same stamps.
class ReplayTimeBase
{
public:
    /// A unit's tag moving further than this between two records is no elapsed time.
    static constexpr qint64 kMaxTagStep = 10 * ReplayStamp::kTicksPerSecond;

    struct State
    {
        ReplayStamp stamp;
        /// Host time in ticks, or the last record's tag.
        qint64 last = 0;
        bool haveLast = false;
        bool started = false;
    };

    /// Host times for a message log, the units' time tags for anything else.
    explicit ReplayTimeBase(CaptureReader::Kind kind = CaptureReader::Kind::RawCapture)
        : m_hostTime(kind == CaptureReader::Kind::MessageLog)
    { }

    const State& state() const { return m_state; }
    void restore(const State& state) { m_state = state; }

    /// The stamp of the next record of the recording.
    ReplayStamp add(const CaptureRecord& record);

    /// Whether the record's format carries the unit's time tag.
    static bool hasTimeTag(const RecDataStruct& record);

private:
    bool m_hostTime;
    State m_state;
};

} // namespace gcs
