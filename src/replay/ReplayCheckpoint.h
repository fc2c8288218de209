#pragma once

#include "replay/ReplayTimeBase.h"

namespace gcs {

/// A place in a recording where playing can start: the start of a record's message (or
/// of its log line), the time base's state before that record and the record's stamp.
struct ReplayCheckpoint
{
    qint64 offset = 0;
    /// Line of a message log, counted from 1; 0 in a raw capture.
    qint64 line = 0;
    /// Records before this one, counted from the start of the file.
    qint64 record = 0;
    ReplayTimeBase::State time;
    /// Stamp of the record itself; every record before it lies at or before this time.
    ReplayStamp first;
};

} // namespace gcs
