#pragma once

#include "ins/RecDataModel.h"
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
    /// The decoder's counters over the whole file, once done.
    RecDataModel::Integrity counters() const { return m_counters; }

signals:
    /// More of the recording has been indexed.
    void progressed();
    /// The whole file has been read, or its reading ended early (index().errorText()).
    void finished();

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
        RecDataModel::Integrity counters;
        quint32 run = 0;
    };

    void run(const QString& path, quint32 runNumber);
    void post(Batch batch);
    void take(const Batch& batch);

    ReplayIndex m_index;
    qint64 m_bytesRead = 0;
    qint64 m_size = 0;
    RecDataModel::Integrity m_counters;
    std::atomic<bool> m_stop { false };
    /// Which start a batch belongs to: one of a stopped run may still be on its way.
    quint32 m_run = 0;
    QThread* m_thread = nullptr;
};

} // namespace gcs
