#pragma once

#include "ins/RecDataStruct.h"

namespace gcs {

/// The named values of a navigation record as they leave the program: the CSV export's
/// columns, in order, and the keys of the forwarded JSON. Which of them a record carries
/// follows its format's tier, as in the telemetry snapshot: an IMU record has no attitude
/// and no position, an AHRS record no position.
class RecordColumns
{
public:
    enum Column {
        Time,
        Format,
        Count,
        Roll,
        Pitch,
        Yaw,
        Gx,
        Gy,
        Gz,
        Ax,
        Ay,
        Az,
        Temp,
        Lat,
        Lon,
        Alt,
        Ve,
        Vn,
        Vu,
        GnssHeading,
        Utc,
        GnssStatus,
        DeviceStatus,
        ColumnCount
    };

    static const char* name(Column column);
    /// Whether the column is a number of the record (not the host time, the format name or
    /// a status text).
    static bool isNumber(Column column);
    /// Whether a record of this format carries the column's value.
    static bool carries(const RecDataStruct& record, Column column);
    /// The same for a record of a stream tier (InsBridge::tierForPacketFormat), the count
    /// aside: only formats with a counter carry one.
    static bool carriesAtTier(int tier, Column column)
    {
        if (column >= Roll && column <= Yaw)
            return tier >= 2;
        if (column >= Lat && column <= DeviceStatus)
            return tier == 3;
        return column >= 0 && column < ColumnCount;
    }
};

} // namespace gcs
