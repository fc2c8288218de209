#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>

#include <algorithm>

namespace gcs::test {

/// Recordings for the replay tests: 59-byte frames with time tags (0.1 ms) or 31-byte
/// frames without, junk between them; or a message log of the 59-byte frames and a reply.
/// Record i carries i (the 59-byte frame in its roll, the 31-byte frame in its count).
enum class RecordingKind { TaggedRaw, UntaggedRaw, Log };

/// The file; what a replay hands on (wire: the capture, or the log's messages rebuilt);
/// where record i ends in wire and when it was recorded (ms from the first).
struct ReplayRecording
{
    QByteArray file, wire;
    QList<qint64> ends;
    QList<double> ms;
};

/// count records periodMs apart (untagged: at 1000 / periodMs a second); tags replace
/// the 59-byte frames' time tags.
ReplayRecording makeRecording(RecordingKind kind, int count, int periodMs,
                              const QList<quint64>& tags = {});

/// Bytes as they arrive, each piece with its time (ms since the object was made).
struct Arrivals
{
    Arrivals() { clock.start(); }
    double now() const { return double(clock.nsecsElapsed()) / 1e6; }
    void add(const QByteArray& piece) { pieces.append({ now(), (bytes += piece).size() }); }
    /// When the bytes up to end had arrived; -1 if never.
    double arrivalOf(qint64 end) const
    {
        const auto it = std::find_if(pieces.begin(), pieces.end(),
                                     [end](const auto& p) { return p.second >= end; });
        return it == pieces.end() ? -1 : it->first;
    }

    QElapsedTimer clock;
    QByteArray bytes;
    QList<QPair<double, qint64>> pieces; // arrival, bytes so far
};

/// The numbers of the records whose frames (of frameLength bytes) stand in bytes, in order.
QList<int> recordsIn(const QByteArray& bytes, int frameLength = 59);

} // namespace gcs::test
