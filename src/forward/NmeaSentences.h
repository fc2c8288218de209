#pragma once

#include "ins/RecDataStruct.h"

#include <QByteArray>

namespace gcs {

/// NMEA 0183 sentences of one navigation record, for GNSS and mapping software: GGA
/// (position, fix quality, altitude), RMC (status, speed over ground, course, date and
/// time), VTG (course and speed) and HDT (the unit's heading), each "$...*hh" with its
/// checksum and CR LF.
///
/// A record with a position (SINS) gives all four; one with an attitude but no position
/// (AHRS) gives HDT alone; an IMU record gives nothing. Speed and course come from the
/// east and north velocity, the heading is the unit's yaw. The time is the host's UTC
/// when the record arrived: the unit's time tag counts its own running time, not a time
/// of day, and carries no date.
class NmeaSentences
{
public:
    /// GGA fix quality of the unit's status byte: 1 with a GNSS fix (low nibble "定位" or
    /// "定位定向"), 6 (estimated) while the unit navigates on its own without one ("纯惯性
    /// 导航" or "组合导航"), else 0.
    static int fixQuality(quint8 status);
    /// XOR of the bytes between "$" and "*".
    static quint8 checksum(const char* body, qsizetype size);
    /// "$" body "*" checksum CR LF.
    static QByteArray sentence(const QByteArray& body);

    static QByteArray forRecord(const RecDataStruct& record, qint64 utcMs);
    /// The same appended to out.
    static void append(QByteArray& out, const RecDataStruct& record, qint64 utcMs);
};

} // namespace gcs
