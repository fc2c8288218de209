#pragma once

#include "ins/TelemetrySnapshot.h"

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QString>
#include <QTextStream>
#include <QTimer>

#include <functional>
#include <memory>

namespace gcs {

/// Writes what arrives from the connected device to two files with one base name
/// ("app.recorder"): the raw file (".bin") gets every received byte as it came off the
/// link; the text file gets, in the INS message-log form, one line per accepted message
/// (host time, a blank, the "#vorn" sentence or the frame as hex pairs), otherwise a
/// table of telemetry snapshots ("ts,quality,fields").
///
/// Lines and bytes are written as they arrive into the files' buffers and reach the disk
/// every kFlushIntervalMs, so a high message rate costs no flush per line. A file that
/// cannot be created is reported (lastErrorText) with its path. A file that stops taking
/// data (a full disk) ends the recording at once: buffering on would grow without bound
/// and only cut a hole into both files that no reader could see. The files keep what
/// reached the disk, the text file up to its last whole line, and failureText says why
/// until the next start.
class Recorder : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool recording READ recording NOTIFY recordingChanged)
    Q_PROPERTY(QString elapsedText READ elapsedText NOTIFY elapsedChanged)
    Q_PROPERTY(QString failureText READ failureText NOTIFY failureTextChanged)
public:
    static constexpr int kElapsedIntervalMs = 1000;
    static constexpr int kFlushIntervalMs = 200;

    /// Milliseconds on a clock that never goes backwards.
    using MonotonicClock = std::function<qint64()>;
    using WallClock = std::function<QDateTime()>;

    explicit Recorder(QObject* parent = nullptr);
    ~Recorder() override;

    /// Replaces the clocks (null keeps the system's); tests move time by hand.
    void setClocks(MonotonicClock monotonic, WallClock wall);

    bool recording() const { return m_recording; }
    /// "hh:mm:ss" since the start while recording (hours not wrapped), else "00:00:00".
    QString elapsedText() const;
    /// The text file is an INS message log (decided at the start).
    bool insColumns() const { return m_insColumns; }
    QString textPath() const { return m_text.fileName(); }
    QString rawPath() const { return m_raw.fileName(); }
    QString baseName() const { return m_baseName; }
    /// The raw file is open and being written.
    bool rawOutputActive() const { return m_recording && m_raw.isOpen(); }
    /// Why the last start failed, or that it runs without raw output; empty otherwise.
    QString lastErrorText() const { return m_lastError; }
    /// Why the last recording ended by itself (a file stopped taking data); empty while
    /// recording and after a recording the user stopped.
    QString failureText() const;

    /// Opens both files (truncating) and starts recording; a recording that runs is
    /// stopped first. The text file is an INS message log when insColumns is set or its
    /// file name begins with "imu", "ahrs" or "sins". False, with lastErrorText, when the
    /// text file cannot be created; a raw file that cannot be created leaves the
    /// recording without raw output (lastErrorText says so).
    Q_INVOKABLE bool start(const QString& csvPath, const QString& rawPath, bool insColumns = false);
    /// start() with the files prefix + "_" + "yyyyMMdd_HHmmss" + ".txt" / ".bin" in dir.
    /// The prefix is formatHint trimmed and lower-cased, or "ins" / "record" when the
    /// hint is empty or "nullformat". A name taken by an earlier recording in the same
    /// second gets "_2", "_3", ... so that no recording overwrites another.
    Q_INVOKABLE bool startInDirectory(const QString& dir, const QString& formatHint,
                                      bool insColumns = false);
    /// Flushes and closes both files. Nothing (and no signal) when not recording. A
    /// flush that fails here ends the recording as a failure (failureText, writeFailed).
    Q_INVOKABLE void stop();

public slots:
    /// Received bytes, appended to the raw file.
    void onRaw(const QByteArray& bytes);
    /// One published snapshot: a line of the snapshot table (not in the INS form).
    void onSnapshot(const gcs::TelemetrySnapshot& snapshot);
    /// One accepted message with the host time its chunk arrived (0: now).
    void storeInsWireFrame(const QByteArray& line, qint64 hostRxMs = 0);
    /// Writes what the buffers hold to the disk.
    void flushToDisk();

signals:
    void recordingChanged();
    void elapsedChanged();
    void failureTextChanged();
    /// A file stopped taking data (disk full, removed medium) and the recording ended;
    /// sent once, after recordingChanged, with failureText (it names the file).
    void writeFailed(QString message);

private:
    QString timeText(qint64 msSinceEpoch);
    /// Hands the buffers to the disk; the file that refused them, or null.
    QFile* flushFiles();
    void fail(QFile& file);
    void close(bool failed);

    QFile m_text;
    QFile m_raw;
    // One stream per recording: a stream whose device failed keeps its unwritten text,
    // which must never reach the next recording's file.
    std::unique_ptr<QTextStream> m_stream;
    // What failureText tells, kept in parts so that it reads in the language of the moment
    // it is shown. No failure while the file is empty.
    QString m_failedFile;
    QString m_failedReason;
    QString m_failedAfter;
    bool m_failedDiskFull = false;
    QString m_baseName;
    bool m_recording = false;
    bool m_insColumns = false;
    bool m_wireLinesActive = false;
    QString m_lastError;

    QElapsedTimer m_systemClock;
    MonotonicClock m_monotonic;
    WallClock m_wall;
    qint64 m_startedMs = 0;
    QTimer m_elapsedTimer;
    QTimer m_flushTimer;

    // Every message of one received chunk carries the same host time: format it once.
    qint64 m_lastStampMs = -1;
    QString m_lastStampText;
};

} // namespace gcs
