#pragma once

#include "capture/BackgroundTask.h"
#include "capture/CaptureExport.h"

#include <QString>

namespace gcs {

/// One export at a time for the window ("app.captureExport"): CaptureExport::toFile runs
/// in the background (BackgroundTask), busy and progress (the share of the capture read)
/// follow it, and finished tells its end. The window stays responsive however large the
/// capture; cancel() stops the worker after its current chunk and leaves no file behind.
/// Its base is named with the namespace: QML's type tools take it as written.
class CaptureExportTask : public gcs::BackgroundTask
{
    Q_OBJECT
    /// File name of the capture being (or last) exported, and "CSV" or "KML".
    Q_PROPERTY(QString sourceName READ sourceName NOTIFY busyChanged)
    Q_PROPERTY(QString formatName READ formatName NOTIFY busyChanged)
    /// Path of the last file written.
    Q_PROPERTY(QString lastOutput READ lastOutput NOTIFY finished)
public:
    explicit CaptureExportTask(QObject* parent = nullptr);

    /// Starts exporting capturePath to outPath; false while another export runs.
    bool start(const QString& capturePath, const QString& outPath, CaptureExport::Format format);

    QString sourceName() const { return m_sourceName; }
    QString formatName() const;
    QString lastOutput() const { return m_lastOutput; }
    /// The result of the last export that ended.
    const CaptureExport::Result& lastResult() const { return m_result; }

signals:
    /// ok: the file is written (warning, if any, tells of a fault in the capture after
    /// which nothing was read). Otherwise message says why there is no file.
    void finished(bool ok, QString message, QString warning);

private:
    void ended(const CaptureExport::Result& result);

    CaptureExport::Format m_format = CaptureExport::Format::Csv;
    QString m_outPath;
    QString m_sourceName;
    QString m_lastOutput;
    CaptureExport::Result m_result;
};

} // namespace gcs
