#pragma once

#include "ins/RecDataStruct.h"

#include <QLatin1String>

#include <limits>

namespace gcs {

/// One navigation record read back from a capture, with where it came from: the host
/// time a message log gives it and where its message starts in the file, so that a
/// player can index the file and seek to any record.
struct CaptureRecord
{
    static constexpr qint64 kNoTime = std::numeric_limits<qint64>::min();
    static constexpr int kTimeTextLength = 23;

    RecDataStruct record;
    /// Host receive time in ms since the epoch; kNoTime in a raw capture.
    qint64 hostMs = kNoTime;
    /// Byte offset in the file at which the record's message (or its log line) starts.
    qint64 offset = 0;
    /// Line of the message log, counted from 1; 0 in a raw capture.
    qint64 line = 0;
    /// The host time exactly as the log writes it ("yyyy-MM-dd HH:mm:ss.zzz").
    char timeText[kTimeTextLength + 1] = {};
    /// A 31-byte frame's rates and accelerations as the integers the unit sent: the
    /// record's floats keep about 7 digits, fewer than an acceleration about 1 g has in
    /// steps of 1e-7 g. Set for a record of that frame only (hasImuWire).
    qint32 imuWire[6] = {};
    bool hasImuWire = false;

    bool hasHostTime() const { return hostMs != kNoTime; }
    /// The host time as written, empty in a raw capture.
    QLatin1String hostTimeText() const
    {
        return QLatin1String(timeText, hasHostTime() ? kTimeTextLength : 0);
    }
};

} // namespace gcs
