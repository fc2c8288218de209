#pragma once

#include "replay/ReplayCheckpoint.h"

#include <QString>

#include <vector>

namespace gcs {

/// What is known of a recording so far: a sparse list of checkpoints (one every
/// kRecordsPerCheckpoint records, the first at the start of the file), how many records
/// have been read and the stamp of the last one. It grows while the recording is being
/// indexed; a player plays and seeks within what it holds.
///
/// A checkpoint costs 72 bytes, so the index stays well below one byte per record;
/// seeking starts at the checkpoint before the target and reads at most one gap of
/// records to get there.
class ReplayIndex
{
public:
    static constexpr qint64 kRecordsPerCheckpoint = 512;

    void clear() { *this = ReplayIndex(); }

    void append(const std::vector<ReplayCheckpoint>& points);
    void setExtent(qint64 records, const ReplayStamp& last)
    {
        m_records = records;
        m_last = last;
    }
    void setDone(const QString& errorText)
    {
        m_done = true;
        m_error = errorText;
    }

    bool empty() const { return m_points.empty(); }
    qint64 records() const { return m_records; }
    /// Stamp of the last record indexed.
    ReplayStamp last() const { return m_last; }
    bool done() const { return m_done; }
    QString errorText() const { return m_error; }
    /// Some records carry no usable time (their spacing comes from the chosen rate).
    bool usesSteps() const { return m_last.steps > 0; }
    qsizetype checkpointCount() const { return qsizetype(m_points.size()); }
    /// Memory the checkpoints take.
    qint64 memoryBytes() const { return qint64(m_points.capacity() * sizeof(ReplayCheckpoint)); }

    /// Where to start reading so that no record at or after ms (records stepped at rate)
    /// is missed: the last checkpoint whose record lies before ms, else the first one;
    /// null while the index is empty.
    const ReplayCheckpoint* before(double ms, double rate) const;

private:
    std::vector<ReplayCheckpoint> m_points;
    qint64 m_records = 0;
    ReplayStamp m_last;
    bool m_done = false;
    QString m_error;
};

} // namespace gcs
