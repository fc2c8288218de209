#pragma once

#include "capture/CaptureReader.h"
#include "link/ITransport.h"
#include "replay/ReplaySource.h"
#include "replay/ReplayUnit.h"

#include <QElapsedTimer>
#include <QString>
#include <QTimer>

namespace gcs {

class ReplayIndexer;
class ReplayIndex;

/// A recording played back as a link: it hands the recording's bytes on at their
/// recorded pace (faster or slower on request), so that everything that takes a live
/// link (sessions, decoder, bridge, hub, pages, recorder, a serial port to write to) takes
/// a replay the same way. A raw capture goes on as its own bytes, junk between messages
/// included; a message log as the sentences and frames its lines record.
///
/// Time is the recording's own (ReplayTimeBase): a message log's host times, a raw
/// capture's time tags or, for records without one, a record rate the user picks. The
/// position runs on the wall clock times the speed; at kFastest the recording goes on as
/// fast as the receiver takes it. Work is done in slices of at most kSliceBudgetMs, with
/// a turn of the event loop between, so a window drawing what arrives never waits long
/// for a frame; a replay that cannot keep its pace slips instead of piling up.
///
/// The recording is indexed in the background (ReplayIndexer); the replay plays what is
/// indexed and seeks within it. A seek first hands on the preroll's worth of the time
/// before the target (thinned, see kPrerollRecords), so that charts show the window that
/// ends there, with the data clock (clockSeconds) on each record's own time.
class ReplayTransport : public ITransport
{
    Q_OBJECT
public:
    /// Speed that hands the recording on as fast as the receiver takes it.
    static constexpr double kFastest = 0;
    static constexpr double kDefaultRecordRate = 200;
    static constexpr double kMinRecordRate = 1;
    static constexpr double kMaxRecordRate = 10000;
    static constexpr int kSliceBudgetMs = 25;
    static constexpr int kMinTickMs = 2;
    static constexpr int kMaxTickMs = 40;
    static constexpr qsizetype kChunkBytes = 4096;
    static constexpr int kPositionNotifyMs = 50;
    /// A seek hands on at most this many records per second of the time before its
    /// target (the charts keep no more than 250 samples a second), and at most about
    /// kPrerollRecords in all, evenly spread: a chart shows no more than its width, and
    /// the record at the target must be on the pages within a few tens of ms.
    static constexpr double kPrerollRecordsPerSecond = 250;
    static constexpr double kPrerollRecords = 1000;

    explicit ReplayTransport(const QString& path, QObject* parent = nullptr);
    ~ReplayTransport() override;

    bool open() override;
    void close() override;
    bool isOpen() const override { return m_open; }
    /// Nothing reaches a recording.
    bool send(const QByteArray& data) override;
    TransportKind kind() const override { return TransportKind::Replay; }
    QString description() const override;

    QString path() const { return m_path; }
    QString fileName() const;
    CaptureReader::Kind captureKind() const { return m_source.kind(); }

    /// Index the recording in the background (default). Without an index the replay
    /// plays straight through and seeks only to the start. Set before open().
    void setIndexing(bool on) { m_indexing = on; }
    /// How much of the time before a seek target is handed on first.
    void setPrerollMs(double ms) { m_prerollMs = qMax(0.0, ms); }

    bool playing() const { return m_playing; }
    double speed() const { return m_speed; }
    bool loop() const { return m_loop; }
    double recordRate() const { return m_rate; }
    /// Some records have no time of their own and are spaced at the record rate.
    bool usesRecordRate() const;
    /// Position on the recording's time, in ms from its first record.
    double positionMs() const;
    /// Time of the last record indexed (while indexing, of what is indexed so far).
    double durationMs() const;
    /// The data clock of the receivers, in seconds: while bytes are being handed on the
    /// time of their last record, else the position. A paused replay stands still.
    double clockSeconds() const;
    /// Share of the file indexed, 0 to 1; 1 without indexing.
    double indexProgress() const;
    bool indexed() const;
    /// The records per second of a raw capture, once it is indexed (the record rate where
    /// its records carry no time); 0 for a message log or before the end of the index.
    double recordsPerSecond() const;
    const ReplayIndex* index() const;
    /// Why the recording could not be read whole, in Chinese; empty while all is well.
    QString errorText() const { return m_error; }

    void play();
    void pause();
    void setSpeed(double speed);
    void setLoop(bool on);
    /// Records per second for records without a time of their own.
    void setRecordRate(double rate);
    void seek(double ms);
    /// Hands on the next record now, and pauses.
    void stepForward();
    /// Goes back to the record before the last one handed on, and pauses.
    void stepBack();

signals:
    void playingChanged();
    void positionChanged();
    /// The duration, the index progress or the index's end changed.
    void indexChanged();
    void settingsChanged();
    /// The stream starts again elsewhere (a seek, a loop): what receivers hold of it
    /// belongs to another place; the data clock may have gone back.
    void rewound();
    /// A seek has handed on the time before its target: playing goes on from there.
    void seeked();
    /// The last record was handed on and the replay stopped (not looping).
    void finished();

private:
    double wallMs() const { return double(m_wall.nsecsElapsed()) / 1e6; }
    double unitMs(const ReplayUnit& unit) const { return unit.stamp.ms(m_rate); }
    double lastHandedMs() const { return m_handedAny ? m_lastStamp.ms(m_rate) : 0.0; }
    double horizonMs() const;
    /// Reads the next unit (without its bytes) when the index covers it; false when none
    /// is ready.
    bool ensurePending();
    /// Reads the unit's bytes if that has not happened yet; false (the replay stops) when
    /// the file cannot be read. The bytes gathered before (pending, its last record at
    /// pendingMs) go out first, then the failure is told.
    bool withBytes(ReplayUnit& unit, QByteArray* pending = nullptr, double pendingMs = 0);
    /// Hands chunk on with the data clock at clockMs; false when the replay was moved or
    /// closed meanwhile (epoch).
    bool deliver(QByteArray& chunk, double clockMs);
    void pump();
    void prerollSlice();
    void finishPreroll();
    void reachedEnd();
    void anchorAt(double positionMs);
    void scheduleNext();
    void notifyPosition(bool force);
    void fail(const QString& text);
    void onIndexProgress();

    QString m_path;
    ReplaySource m_source;
    ReplayIndexer* m_indexer = nullptr;
    QTimer m_timer;
    QElapsedTimer m_wall;

    bool m_open = false;
    bool m_indexing = true;
    bool m_playing = false;
    double m_speed = 1.0;
    bool m_loop = false;
    double m_rate = kDefaultRecordRate;
    double m_prerollMs = 0;
    QString m_error;
    /// Counts seeks and closes, so a loop that handed bytes on can tell it was moved.
    quint32 m_epoch = 0;

    ReplayUnit m_pending;
    bool m_havePending = false;
    bool m_sourceDone = false;
    ReplayStamp m_lastStamp;
    bool m_handedAny = false;

    // Position: fixed while paused (and at kFastest), else anchored to the wall clock.
    double m_positionMs = 0;
    double m_anchorWallMs = 0;
    double m_anchorPosMs = 0;
    double m_notifiedWallMs = -1e9;
    bool m_clockOverride = false;
    double m_clockMs = 0;

    bool m_prerollActive = false;
    double m_prerollUntilMs = 0;
    double m_prerollNextMs = 0;
};

} // namespace gcs
