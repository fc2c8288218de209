#pragma once

#include "replay/ReplayStamp.h"

#include <QByteArray>

namespace gcs {

/// One piece of a recording as a replay hands it on: the part of the file from one
/// record's message up to the next record's (what lies between, junk or replies, goes
/// with it), stamped with the record's time. Its bytes are what the unit sent: a raw
/// capture's own bytes, or a message log's lines rebuilt into the sentences and frames
/// they record.
struct ReplayUnit
{
    ReplayStamp stamp;
    /// The part of the file, [offset, end).
    qint64 offset = 0;
    qint64 end = 0;
    /// Filled on demand (ReplaySource::fill): a unit skipped on the way to a seek target
    /// is never read.
    QByteArray bytes;
    bool filled = false;
};

} // namespace gcs
