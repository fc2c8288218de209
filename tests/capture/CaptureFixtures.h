#pragma once

#include "capture/CaptureReader.h"

#include <QJsonObject>
#include <QRandomGenerator>

namespace gcs::test {

/// Host time of a written log's first message: 2024-03-09 07:05:03.042 local time.
qint64 firstLogMs();

/// Writes capture to path: as it is, or as the recorder's message log of what the
/// decoder accepts of it, the n-th message stamped firstLogMs() + n × stepMs, plus
/// pauseMs from message pauseAt on. Returns path, or an empty text on failure.
QString writeCapture(const QString& path, const QByteArray& capture, bool log, int stepMs = 5,
                     int pauseAt = -1, int pauseMs = 0);

/// Every record of an open reader, in chunks of random size (1 to maxChunk) with rng.
QList<CaptureRecord> readAll(CaptureReader& reader, QRandomGenerator* rng = nullptr,
                             int maxChunk = 300);
QList<QJsonObject> recordEvents(const QList<CaptureRecord>& records);

/// A capture with known faults (the counts it gives are in tst_capture): 17 bytes
/// of junk; 31-byte frames 0 to 49 (counters 32760 on, through the wrap) without frames
/// 10 and 11, frame 20 with a broken checksum, 13 bytes of junk after frame 30; 59-byte
/// frames 1 to 40, frame 5 broken (frame 1 is lost to the 31-byte lock); 9 bytes of junk
/// and the first 30 bytes of frame 41.
QByteArray faultyCapture();

} // namespace gcs::test
