#pragma once

#include "ins/RecDataStruct.h"

#include <QByteArray>

namespace gcs {

/// One navigation record as a flat JSON object, the form plotting tools take one of per
/// UDP datagram: "t", the host's receive time in seconds since the Unix epoch, then every
/// number the record carries under its CSV column name, written as the CSV export writes
/// it. A value JSON cannot hold (not finite) is null.
class JsonRecord
{
public:
    static QByteArray datagram(const RecDataStruct& record, qint64 hostRxMs);
    /// The same into out, replacing its content; the datagram's size. Reuses out's memory.
    static qsizetype write(QByteArray& out, const RecDataStruct& record, qint64 hostRxMs);
};

} // namespace gcs
