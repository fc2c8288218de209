#pragma once

#include "capture/CaptureRecord.h"
#include "capture/CaptureTiming.h"
#include "capture/MessageLogParser.h"
#include "ins/RecDataModel.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

#include <memory>

namespace gcs {

/// Reads a capture back through the program's own decoder: a raw capture (any file of
/// received bytes, such as a recording's ".bin") or the recorder's INS message log (its
/// ".txt": a host time and one message per line). It yields every navigation record
/// with where its message starts in the file and, from a log, its host time, together
/// with the decoder's integrity counters and, for a log, the pace of its messages.
///
/// It streams: the file is read in chunks (kDefaultChunk) and memory stays bounded
/// whatever its size. It is pulled, so a caller cancels by no longer asking and shows
/// progress with position() and size(). A damaged log (a truncated last line, a line
/// that is not hex) or a file that is neither kind ends the reading with errorText();
/// the records before the fault are delivered first. Not thread-bound: use it on one
/// thread at a time.
class CaptureReader
{
public:
    enum class Kind { None, RawCapture, MessageLog };

    static constexpr qint64 kDefaultChunk = 256 * 1024;
    /// Longest log line taken: the longest text line the decoder keeps, as hex pairs.
    static constexpr qsizetype kMaxLogLine = 3 * RecDataModel::kMaxLineBytes + 64;

    CaptureReader();
    ~CaptureReader();
    CaptureReader(const CaptureReader&) = delete;
    CaptureReader& operator=(const CaptureReader&) = delete;

    /// Opens path and tells its kind from its first line; false, with errorText, when it
    /// cannot be opened.
    bool open(const QString& path);
    void close();

    Kind kind() const { return m_kind; }
    qint64 size() const { return m_size; }
    /// Bytes of the file read so far.
    qint64 position() const;
    /// Bytes read (and, in a raw capture, handed to the decoder) at a time.
    void setChunkSize(qint64 bytes) { m_chunk = qMax<qint64>(1, bytes); }
    /// Off: records are not collected (a caller that only wants the decoder's signals).
    void setQueueRecords(bool on);

    /// The next record, reading on as needed; false at the end, after a fault, or when
    /// nothing is open.
    bool next(CaptureRecord& record);
    /// The next record already decoded, without reading on.
    bool nextQueued(CaptureRecord& record);
    /// Reads and decodes one more chunk; false once the end or a fault is reached.
    bool readChunk();
    /// Why the reading ended early, in Chinese; empty when the file was read whole.
    QString errorText() const { return m_error; }

    /// Goes on from a message start that an earlier record gave (its offset and line),
    /// with fresh counters and timing; false when the file cannot seek there.
    bool seek(qint64 offset, qint64 line = 0);

    RecDataModel::Integrity counters() const { return m_decoder->integrity(); }
    /// The pace of a message log's lines; empty for a raw capture.
    const CaptureTiming& timing() const { return m_timing; }
    /// The decoder, for what it reports besides records (each accepted message's bytes).
    RecDataModel* decoder() const { return m_decoder.get(); }

private:
    void onRecord(const RecDataStruct& record);
    bool readRawChunk();
    bool readLogChunk();
    bool handleLogLine(const char* text, qsizetype size, qint64 offset);
    void fail(const QString& text);

    QFile m_file;
    Kind m_kind = Kind::None;
    qint64 m_size = 0;
    qint64 m_chunk = kDefaultChunk;
    QMetaObject::Connection m_recordConnection;
    std::unique_ptr<RecDataModel> m_decoder;
    /// File offset at which the decoder's stream begins (after a seek).
    qint64 m_base = 0;

    // Message log: the unfinished line carried to the next chunk, the line count, the
    // line being decoded.
    MessageLogParser m_parser;
    QByteArray m_carry;
    qint64 m_carryOffset = 0;
    qint64 m_line = 0;
    QByteArray m_message;
    const char* m_lineText = nullptr;
    qint64 m_lineOffset = 0;
    qint64 m_lineMs = 0;
    CaptureTiming m_timing;

    QList<CaptureRecord> m_queue;
    qsizetype m_taken = 0;
    bool m_eof = true;
    QString m_error;
};

} // namespace gcs
