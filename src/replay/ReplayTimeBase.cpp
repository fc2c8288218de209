#include "replay/ReplayTimeBase.h"

#include "ins/WireFormat.h"

#include <cmath>

namespace gcs {

// A tag's difference is taken as ticks of the stamp.
static_assert(ReplayStamp::kTicksPerSecond * WireFormat::kTimeTagSeconds == 1.0);

bool ReplayTimeBase::hasTimeTag(const RecDataStruct& record)
{
    return WireFormat::hasTimeTag(record.format);
}

ReplayStamp ReplayTimeBase::add(const CaptureRecord& record)
{
    State& s = m_state;
    if (m_hostTime) {
        const qint64 now = record.hostMs * 10;
        if (s.haveLast && now > s.last)
            s.stamp.ticks += now - s.last;
        s.last = now;
        s.haveLast = true;
    } else if (hasTimeTag(record.record)) {
        const qint64 tag = qint64(std::llround(record.record.utc));
        const qint64 step = tag - s.last;
        if (s.haveLast && step >= 0 && step <= kMaxTagStep)
            s.stamp.ticks += step;
        else if (s.started)
            ++s.stamp.steps;
        s.last = tag;
        s.haveLast = true;
    } else {
        if (s.started)
            ++s.stamp.steps;
        s.haveLast = false;
    }
    s.started = true;
    return s.stamp;
}

} // namespace gcs
