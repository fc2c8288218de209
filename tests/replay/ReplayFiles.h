#pragma once

#include <QByteArray>
#include <QList>

namespace gcs::test {

/// Recordings built for the replay tests, with what a replay must hand on.
/// TaggedRaw: 59-byte frames whose time tag counts 0.1 ms, junk between them;
/// UntaggedRaw: 31-byte frames (no time of their own), junk between them;
/// Log: a message log of the 59-byte frames with host times, and a reply sentence.
/// Record i carries i (the 59-byte frame in its roll, the 31-byte frame in its count).
enum class RecordingKind { TaggedRaw, UntaggedRaw, Log };

struct ReplayRecording
{
    QByteArray file;
    /// What the replay hands on: the raw capture itself, or the log's messages rebuilt.
    QByteArray wire;
    /// Where record i's bytes end in wire, and when it was recorded (ms from the first).
    QList<qint64> ends;
    QList<double> ms;
};

/// count records periodMs apart (for UntaggedRaw, at 1000 / periodMs records per second);
/// tags, when given, replace the 59-byte frames' time tags.
ReplayRecording makeRecording(RecordingKind kind, int count, int periodMs,
                              const QList<quint64>& tags = {});

/// The numbers of the records whose frames (of frameLength bytes) stand in bytes, in order.
QList<int> recordsIn(const QByteArray& bytes, int frameLength = 59);

} // namespace gcs::test
