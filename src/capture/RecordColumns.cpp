#include "capture/RecordColumns.h"

#include "ins/InsBridge.h"
#include "ins/WireFormat.h"

#include <iterator>

namespace gcs {

namespace {

const char* const kNames[] = {
    "time", "format",       "count", "roll",        "pitch",         "yaw", "gx",  "gy", "gz",
    "ax",   "ay",           "az",    "temp",        "lat",           "lon", "alt", "ve", "vn",
    "vu",   "gnss_heading", "utc",   "gnss_status", "device_status",
};
static_assert(std::size(kNames) == RecordColumns::ColumnCount);

} // namespace

const char* RecordColumns::name(Column column)
{
    return column >= 0 && column < ColumnCount ? kNames[column] : "";
}

bool RecordColumns::isNumber(Column column)
{
    return column >= Count && column <= Utc;
}

bool RecordColumns::carries(const RecDataStruct& record, Column column)
{
    // A format that numbers nothing has no count, not a count of 0.
    if (column == Count && !WireFormat::hasCounter(record.format))
        return false;
    return carriesAtTier(InsBridge::tierForPacketFormat(record.format), column);
}

} // namespace gcs
