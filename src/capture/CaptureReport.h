#pragma once

#include "capture/CaptureReader.h"
#include "capture/CaptureTiming.h"
#include "ins/RecDataModel.h"

#include <QJsonObject>
#include <QString>

namespace gcs {

/// The integrity report of a capture: what the decoder made of every byte (the same
/// counters the statistics page shows live) and, for a message log, the pace of its
/// messages. Read once through a CaptureReader; given as text or as one JSON object.
struct CaptureReport
{
    QString path;
    CaptureReader::Kind kind = CaptureReader::Kind::None;
    qint64 fileSize = 0;
    qint64 records = 0;
    RecDataModel::Integrity counters;
    CaptureTiming timing;
    /// Why the reading ended early (Chinese); empty when it read the whole file.
    QString error;
    /// The file could not be opened at all.
    bool unreadable = false;

    static CaptureReport read(const QString& path);

    /// "bytes", "frames", "sentences", "checksum_errors", "text_errors", "skipped_bytes",
    /// "lost_frames", then "records", "kind", "file_bytes"; for a message log also
    /// "messages", "duration_ms", "message_rate" and "longest_silence_ms"; "error" when
    /// the reading ended early.
    QJsonObject toJson() const;
    /// A readable report, one "name: value" line each.
    QString toText() const;
};

} // namespace gcs
