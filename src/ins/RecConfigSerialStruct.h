#pragma once

#include "ins/RecPacketFormat.h"

#include <QMetaType>

/// The device's reply about its output port ("com1"): electrical standard, baud rate,
/// output rate and output format.
struct RecConfigSerialStruct
{
    qint32 serialType = 0; ///< 232 or 422
    qint32 baudRate = 0;
    qint32 packetFre = 0;
    RecPacketFormat packetFormat = RecNullFormat; ///< RecNullFormat when none is named
};

Q_DECLARE_METATYPE(RecConfigSerialStruct)
