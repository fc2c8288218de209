#pragma once

#include "capture/CaptureReader.h"
#include "capture/MessageLogParser.h"
#include "replay/ReplayCheckpoint.h"
#include "replay/ReplayTimeBase.h"
#include "replay/ReplayUnit.h"

#include <QFile>
#include <QString>

namespace gcs {

/// Reads a recording as the units a replay hands on, in file order, from its start or
/// from a checkpoint of its index. A capture reader finds where each record's message
/// starts (and gives the values the time base needs); a second handle on the file reads
/// the bytes between. Memory stays bounded: a stretch of the file without any record is
/// handed on in units of at most kMaxUnitBytes.
class ReplaySource
{
public:
    static constexpr qint64 kMaxUnitBytes = 256 * 1024;

    ReplaySource() = default;
    ReplaySource(const ReplaySource&) = delete;
    ReplaySource& operator=(const ReplaySource&) = delete;

    /// Opens path at its start; false, with errorText, when it cannot be read or is empty.
    bool open(const QString& path);
    void close();

    CaptureReader::Kind kind() const { return m_reader.kind(); }
    /// Why reading ended early (a damaged log, a file that holds nothing to decode);
    /// empty while all is well.
    QString errorText() const;

    /// Back to the first record.
    bool rewind();
    /// Goes on at a checkpoint of this recording's index.
    bool restore(const ReplayCheckpoint& checkpoint);

    /// Number of the record the next unit belongs to.
    qint64 upcomingRecord() const
    {
        return m_haveCurrent && m_unitStart < m_currentEnd ? m_currentRecord : m_nextRecord;
    }
    /// The next unit without its bytes; false after the last one.
    bool next(ReplayUnit& unit);
    /// Reads the unit's bytes, whenever asked (the file is read by offset); false when the
    /// file cannot be read there.
    bool fill(ReplayUnit& unit);

private:
    bool takeRecord();
    bool readRange(qint64 from, qint64 to, QByteArray& out);
    void rebuildLog(const QByteArray& lines, bool atFileStart, QByteArray& out);

    QString m_path;
    CaptureReader m_reader;
    QFile m_file;
    MessageLogParser m_parser;
    ReplayTimeBase m_time;
    QString m_error;

    // The record whose unit is being handed on, and the one after it, which ends it.
    CaptureRecord m_current;
    ReplayStamp m_currentStamp;
    qint64 m_currentRecord = 0;
    qint64 m_currentEnd = 0;
    bool m_haveCurrent = false;
    CaptureRecord m_following;
    bool m_haveFollowing = false;
    bool m_started = false;

    qint64 m_unitStart = 0;
    qint64 m_nextRecord = 0;
};

} // namespace gcs
