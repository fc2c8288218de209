#pragma once

#include <QtGlobal>

/// Output format of an INS message, as the device names it. The values are the device's
/// own numbering and are stored as 32-bit integers; any value above RecDzt500 is unknown
/// ("nullformat"). Only imubin and sinsbin (binary) and the three "asc" sentences have
/// decoders; the other names appear when the device reports its configured protocol.
enum RecPacketFormat : qint32 {
    RecImuAsc = 0,
    RecImuBin = 1,
    RecAhrsBin = 2,
    RecAhrsAsc = 3,
    RecSinsBin = 4,
    RecSinsAsc = 5,
    RecExtSinsBin0 = 6,
    RecExtSinsBin1 = 7,
    RecCalibPn = 8,
    RecDzt500 = 9,
    RecNullFormat = 10,
};
