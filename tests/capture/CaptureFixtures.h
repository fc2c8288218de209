#pragma once

#include "capture/CaptureReader.h"

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>
#include <QString>

namespace gcs::test {

/// Writes what the decoder accepts of capture as the recorder's message log: one line
/// per message, the n-th message stamped firstMs + n × stepMs, plus pauseMs from message
/// pauseAt on. False when the file cannot be written.
bool writeMessageLog(const QString& path, const QByteArray& capture, qint64 firstMs, int stepMs = 5,
                     int pauseAt = -1, int pauseMs = 0);

/// Every record of an open reader, read in chunks of random sizes (1 to maxChunk bytes)
/// when rng is given.
QList<CaptureRecord> readAll(CaptureReader& reader, QRandomGenerator* rng = nullptr,
                             int maxChunk = 300);

/// A capture with known faults, built from the recorded streams; the counts it must give
/// are in tst_capturereader's table. In order: 17 bytes of junk; 31-byte frames 0 to 49
/// (counters 32760 on, through the wrap) without frames 10 and 11, frame 20 with a broken
/// checksum, 13 bytes of junk after frame 30; 59-byte frames 1 to 40, frame 5 with a
/// broken checksum (frame 1 is lost to the 31-byte lock); 9 bytes of junk and the first
/// 30 bytes of frame 41.
QByteArray faultyCapture();

} // namespace gcs::test
