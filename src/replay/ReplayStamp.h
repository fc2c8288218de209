#pragma once

#include <QtGlobal>

namespace gcs {

/// Where a record lies on a recording's own time base: recorded time in ticks of 0.1 ms
/// (the resolution of the unit's time tag), plus records that carry no usable time, each
/// one record period at a rate the user picks. Both parts only grow along a recording,
/// so stamps order the records whatever the rate.
struct ReplayStamp
{
    static constexpr qint64 kTicksPerSecond = 10000;

    qint64 ticks = 0;
    qint64 steps = 0;

    /// Milliseconds since the recording's first record, the steps taken at rate per second.
    double ms(double rate) const
    {
        return double(ticks) / 10.0 + (rate > 0 ? double(steps) * 1000.0 / rate : 0.0);
    }
};

} // namespace gcs
