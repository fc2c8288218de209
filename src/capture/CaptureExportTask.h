#pragma once

#include "capture/CaptureExport.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

namespace gcs {

/// One export at a time for the window ("app.captureExport"): CaptureExport::toFile runs
/// on the global thread pool, its progress comes back to this object's thread as
/// progressChanged (at most once per thousandth), and the end as finished. The window
/// stays responsive however large the capture; cancel() stops the worker after its
/// current chunk and leaves no file behind.
class CaptureExportTask : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)
    /// 0 to 1, the share of the capture read.
    Q_PROPERTY(double progress READ progress NOTIFY progressChanged)
    /// File name of the capture being (or last) exported, and "CSV" or "KML".
    Q_PROPERTY(QString sourceName READ sourceName NOTIFY busyChanged)
    Q_PROPERTY(QString formatName READ formatName NOTIFY busyChanged)
    /// Path of the last file written.
    Q_PROPERTY(QString lastOutput READ lastOutput NOTIFY finished)
public:
    explicit CaptureExportTask(QObject* parent = nullptr);
    /// Cancels a running export and waits for its worker.
    ~CaptureExportTask() override;

    /// Starts exporting capturePath to outPath; false while another export runs.
    bool start(const QString& capturePath, const QString& outPath, CaptureExport::Format format);
    Q_INVOKABLE void cancel();

    bool busy() const { return m_busy; }
    double progress() const { return m_permille / 1000.0; }
    QString sourceName() const { return m_sourceName; }
    QString formatName() const;
    QString lastOutput() const { return m_lastOutput; }
    /// The result of the last export that ended.
    const CaptureExport::Result& lastResult() const { return m_result; }

signals:
    void busyChanged();
    void progressChanged();
    /// ok: the file is written (warning, if any, tells of a fault in the capture after
    /// which nothing was read). Otherwise message says why there is no file.
    void finished(bool ok, QString message, QString warning);

private:
    void onFinished();
    void setPermille(int permille);

    QFutureWatcher<CaptureExport::Result> m_watcher;
    std::shared_ptr<std::atomic_bool> m_cancel;
    CaptureExport::Format m_format = CaptureExport::Format::Csv;
    QString m_outPath;
    QString m_sourceName;
    QString m_lastOutput;
    CaptureExport::Result m_result;
    bool m_busy = false;
    int m_permille = 0;
};

} // namespace gcs
