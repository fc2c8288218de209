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

namespace gcs {

/// Writes what arrives from the connected device to two files with one base name
/// ("app.recorder"): the raw file (".bin") gets every received byte as it came off the
/// link; the text file gets, in the INS message-log form, one line per accepted message
/// (host time, a blank, the "#vorn" sentence or the frame as hex pairs), otherwise a
/// table of telemetry snapshots ("ts,quality,fields").
///
/// Lines and bytes are written as they arrive into the files' buffers and reach the disk
/// every kFlushIntervalMs, so a high message rate costs no flush per line. A file that
/// cannot be created or written is reported (lastErrorText, writeFailed) with its path.
class Recorder : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool recording READ recording NOTIFY recordingChanged)
    Q_PROPERTY(QString elapsedText READ elapsedText NOTIFY elapsedChanged)
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
    /// Flushes and closes both files. Nothing (and no signal) when not recording.
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
    /// A file stopped taking data (disk full, removed medium); sent once per file and
    /// recording, with a message that names the file.
    void writeFailed(QString message);

private:
    QString timeText(qint64 msSinceEpoch);
    void checkWrites();
    void reportWriteFailure(QFile& file, bool& reported);

    QFile m_text;
    QFile m_raw;
    QTextStream m_stream;
    QString m_baseName;
    bool m_recording = false;
    bool m_insColumns = false;
    bool m_wireLinesActive = false;
    QString m_lastError;
    bool m_textFailureReported = false;
    bool m_rawFailureReported = false;

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
