#pragma once

#include <QMetaType>

/// The device's gyro calibration reply ("factory"): serial number, per-axis bias, scale
/// and temperature coefficients, and the 3 × 3 misalignment matrix.
struct RecConfigGyroStruct
{
    qint32 sn = 0;
    double bias[3] = {};
    double kgg[3] = {};
    double t1[3] = {};
    double t2[3] = {};
    /// Row-major: xx, xy, xz, yx, yy, yz, zx, zy, zz.
    double kg1[9] = {};
};

Q_DECLARE_METATYPE(RecConfigGyroStruct)
