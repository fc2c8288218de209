#pragma once

#include "replay/ReplayIndex.h"

#include <QObject>
#include <QString>

#include <atomic>

class QThread;

namespace gcs {

/// Indexes a recording on a thread of its own, reading it through a capture reader of
/// its own, and grows the index on the thread that owns this object as it goes: the
/// first record at once, then a batch every kPostIntervalMs. A player can therefore play
/// and seek within the indexed part while the rest is still being read. Stopping (or
/// destroying the object) ends the reading within one chunk.
class ReplayIndexer : public QObject
{
    Q_OBJECT
public:
    static constexpr int kPostIntervalMs = 50;

    explicit ReplayIndexer(QObject* parent = nullptr);
    ~ReplayIndexer() override;

    /// Starts indexing path afresh (a run still going is stopped first).
    void start(const QString& path);
    void stop();

    const ReplayIndex& index() const { return m_index; }
    /// Share of the file read, 0 to 1.
    double progress() const;

signals:
    /// More of the recording has been indexed, or all of it (index().done(), with
    /// index().errorText() when its reading ended early).
    void progressed();

private:
    struct Batch
    {
        std::vector<ReplayCheckpoint> points;
        qint64 records = 0;
        ReplayStamp last;
        qint64 bytesRead = 0;
        qint64 size = 0;
        bool done = false;
        QString error;
        quint32 run = 0;
    };

    void run(const QString& path, quint32 runNumber);
    void post(Batch batch);
    void take(const Batch& batch);

    ReplayIndex m_index;
    qint64 m_bytesRead = 0;
    qint64 m_size = 0;
    std::atomic<bool> m_stop { false };
    /// Which start a batch belongs to: one of a stopped run may still be on its way.
    quint32 m_run = 0;
    QThread* m_thread = nullptr;
};

} // namespace gcs
