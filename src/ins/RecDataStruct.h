#pragma once

#include "ins/RecPacketFormat.h"

#include <QMetaType>

/// One decoded navigation message. Fields the message's format does not carry stay 0;
/// units are those shown to the user (°/s, g, °, m/s, m, ℃).
struct RecDataStruct
{
    RecPacketFormat format = RecNullFormat;
    qint32 count = 0;
    float gx = 0, gy = 0, gz = 0;
    float ax = 0, ay = 0, az = 0;
    /// Low nibble: GNSS fix state; high nibble: navigation state.
    quint8 status = 0;
    float pitch = 0, roll = 0, yaw = 0;
    float ve = 0, vn = 0, vu = 0;
    double lon = 0, lat = 0;
    double alt = 0;
    float temp = 0;
    /// No message carries it; kept for the telemetry key of the same name.
    float gps_v = 0;
    float gnss_heading = 0;
    /// The device's time tag, as sent.
    double utc = 0;
};

Q_DECLARE_METATYPE(RecDataStruct)
